#pragma once

#include <string>
#include <vector>

#include "classgen/class_description.h"

namespace zandrel {

enum class NameLanguage { Cpp, Java };

// One row the target language cannot take; Row 0 is the class name.
struct NameProblem {
  int Row = 0;
  std::string Reason;
};

// Names that are not identifiers, keywords of the language, names given twice, and method rows
// whose parameter list is not a list of "type name".
std::vector<NameProblem> CheckClassNames(const ClassDescription& description,
                                         NameLanguage language);
// The same for a list of enumerators; Row counts them from 1.
std::vector<NameProblem> CheckEnumerators(const std::vector<std::string>& names,
                                          NameLanguage language);

}  // namespace zandrel
