#pragma once

// The names a target language takes: identifiers that are not its keywords, each given once.
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

enum class NameLanguage { Cpp, Java };

// One row the target language cannot take; Row 0 is the class name.
struct NameProblem {
  int Row = 0;
  std::string Reason;
};

// Whether the text is an identifier: a letter or "_", then letters, digits and "_".
bool IsIdentifier(std::string_view name);

// Why a name cannot be used ("\"x\" is not a name", "\"x\" is a keyword"), or nothing.
std::string NameFault(std::string_view name, NameLanguage language);

// Names that are no identifier, a keyword or given twice in a list of enumerators; Row counts
// them from 1.
std::vector<NameProblem> CheckEnumerators(const std::vector<std::string_view>& names,
                                          NameLanguage language);

// "row N: reason", or the reason alone for the class name.
std::string DescribeNameProblem(const NameProblem& problem);

}  // namespace zandrel
