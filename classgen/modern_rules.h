#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "classgen/class_description.h"

namespace zandrel {

// Rules the modern targets add to the member rules: how a type is passed, which standard headers
// a type needs, what an array member becomes, and how a method row is defined.

// A Name of the form base[d1][d2]…: the base and the dimensions as typed. Nothing for any other
// Name, which the modern writers then write as typed.
struct ArrayShape {
  std::string Base;
  std::vector<std::string> Dimensions;
};
std::optional<ArrayShape> ArrayShapeOf(std::string_view Name);

// The type names that are cheap to copy: the built-in arithmetic types, the standard integer
// aliases, pointers, and the enumerations named in knownEnumerations. They are passed and
// returned by value; every other type by const& and std::move.
bool IsScalarType(std::string_view Type, const std::vector<std::string>& knownEnumerations);

// The enum class types the header insertions declare or include.
std::vector<std::string> InsertedEnumerations(const ClassDescription& description);

// The standard headers that the std:: names used in a text need, such as <string> for
// std::string; a name the table does not know needs none.
void AddStandardHeaders(std::string_view text, std::set<std::string>& headers);

// A method row as its definition outside the class names it: Name with the default arguments and
// the specifiers that only a declaration takes (override, final) left out, and Type without
// static, virtual, inline and explicit.
std::string DefinitionType(std::string_view Type);
std::string DefinitionName(std::string_view Name);
bool ReturnsVoid(std::string_view Type);
// Whether the method is const: "const" stands after its parameter list.
bool IsConstMethod(std::string_view Name);
// Whether the method is noexcept: "noexcept" stands after its parameter list.
bool IsNoexceptMethod(std::string_view Name);
// The names the parameters of a method row give, in order; an unnamed parameter gives none.
std::vector<std::string> ParameterNames(std::string_view Name);

}  // namespace zandrel
