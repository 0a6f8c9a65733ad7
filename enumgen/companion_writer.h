#pragma once

#include <cstdint>
#include <string>
#include <vector>

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
};

// A header that includes includePath and gives each enumeration the helpers of the enum class
// style, as free functions in the enumeration's namespace, so that argument-dependent lookup
// finds them.
std::string CompanionHeader(const std::string& includePath,
                            const std::vector<CompanionEnumeration>& enumerations,
                            const CompanionKeys& keys);

}  // namespace zandrel
