#pragma once

#include <string>
#include <string_view>

#include "enumgen/enumeration_list.h"

namespace zandrel {

// The texts every OK produces, in both styles, and the pieces that both styles' files share.

std::string BuildEnumText(const EnumerationRequest& request, const EnumerationList& list);
std::string BuildToStringText(const EnumerationRequest& request, const EnumerationList& list);

// The name ToString returns for an entry: without the prefix when it was applied.
std::string ReturnName(const EnumerationRequest& request, const Enumerator& entry);

// The file name of OutputStem, and "#include \"NAME.h\" " (ends with a blank, no line end).
std::string HeaderBaseName(std::string_view OutputPath);
std::string IncludeLine(std::string_view OutputPath);

// "// T definition", the include guard and vcl.h, as both headers begin.
std::string HeaderPrelude(const std::string& T);
// The include line, assert.h and ToStringText, as both source files begin.
std::string SourcePrelude(std::string_view OutputPath, const std::string& ToStringText);
inline constexpr std::string_view HeaderEnd = "\n#endif\n\n";

// A step ("++" or "--") of target (the variable holding the value) through an integer of the
// enumeration's size, chosen by a switch on sizeof(T); unionType is the enumeration's type.
std::string StepSwitch(const std::string& T, const std::string& unionType,
                       const std::string& target, std::string_view step);

// The six comparison operators, in the order both styles write them.
inline constexpr std::string_view ComparisonOperators[] = {"<", "==", ">", "!=", ">=", "<="};

}  // namespace zandrel
