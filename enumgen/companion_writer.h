#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "classgen/value_helpers.h"

namespace zandrel {

// An enumeration that exists already, as a header defines it.
struct CompanionEnumeration {
  std::string QualifiedName;             // "ns::Outer::Color"
  std::string Namespace;                 // the namespaces around it, "ns"; empty: the global one
  std::vector<std::string> Enumerators;  // in order, aliases included
  std::vector<std::int64_t> Values;
  bool UnsignedValues = false;  // an unsigned underlying type: Values hold the bits
  bool FixedType = true;        // scoped, or an underlying type given
  bool Flags = false;
};

struct CompanionKeys {
  bool CaseInsensitive = false;
  bool Formatter = false;
  bool Json = false;
  bool Hash = false;  // for classes
};

// A class with its members as the helpers reach them.
struct CoveredClass {
  CompanionClass Type;
  std::vector<ValueMember> Members;
};

// A header that includes includePath and gives each enumeration the helpers of the enum class
// style, and each class those of the C++20 target's options, as free functions in the type's
// namespace, so that argument-dependent lookup finds them; the enumerations first, so that a
// class's helpers find those of its members. What a class keeps of its own is noted in notes.
std::string CompanionHeader(const std::string& includePath,
                            const std::vector<CompanionEnumeration>& enumerations,
                            const std::vector<CoveredClass>& classes, const CompanionKeys& keys,
                            std::vector<std::string>& notes);

}  // namespace zandrel
