#pragma once

#include <string>
#include <vector>

#include "classgen/class_description.h"
#include "core/name_rules.h"

namespace zandrel {

// Names that are not identifiers, keywords of the language, names given twice, and method rows
// whose parameter list is not a list of "type name".
std::vector<NameProblem> CheckClassNames(const ClassDescription& description,
                                         NameLanguage language);

// The description's names in its target's language. The modern targets refuse a description
// with problems; the classic ones write what they always wrote and only warn.
struct NameVerdict {
  std::vector<NameProblem> Problems;
  bool Refused = false;
};
NameVerdict CheckTargetNames(const ClassDescription& description);

// Every problem so, joined by "; ".
std::string DescribeNameProblems(const std::vector<NameProblem>& problems);

}  // namespace zandrel
