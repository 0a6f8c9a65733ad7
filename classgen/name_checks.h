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

// The description's names in its target's language. The modern targets refuse a description
// with problems; the classic ones write what they always wrote and only warn.
struct NameVerdict {
  std::vector<NameProblem> Problems;
  bool Refused = false;
};
NameVerdict CheckTargetNames(const ClassDescription& description);

// "row N: reason", or the reason alone for the class name.
std::string DescribeNameProblem(const NameProblem& problem);
// Every problem so, joined by "; ".
std::string DescribeNameProblems(const std::vector<NameProblem>& problems);

}  // namespace zandrel
