#include "classgen/name_checks.h"

#include <algorithm>
#include <set>
#include <string_view>

#include "core/name_rules.h"

namespace zandrel {

namespace {

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t");
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(" \t") - first + 1));
}

// Balanced brackets, and each parameter at least a type and a name (a default value allowed).
bool ParametersParse(std::string_view list) {
  std::string stack;
  std::vector<std::string> parameters(1);
  for (const char c : list) {
    if (c == '(' || c == '<' || c == '[' || c == '{') {
      stack += c;
    } else if (c == ')' || c == '>' || c == ']' || c == '}') {
      const char open = c == ')' ? '(' : c == '>' ? '<' : c == ']' ? '[' : '{';
      if (stack.empty() || stack.back() != open) return false;
      stack.pop_back();
    } else if (c == ',' && stack.empty()) {
      parameters.emplace_back();
      continue;
    }
    parameters.back() += c;
  }
  if (!stack.empty()) return false;
  if (parameters.size() == 1 &&
      (Trimmed(parameters[0]).empty() || Trimmed(parameters[0]) == "void"))
    return true;
  for (std::string& parameter : parameters) {
    parameter = Trimmed(parameter.substr(0, parameter.find('=')));
    const std::size_t space = parameter.find_last_of(" *&");
    if (space == std::string::npos || Trimmed(parameter.substr(0, space + 1)).empty()) return false;
    std::string name = parameter.substr(space + 1);
    name = name.substr(0, name.find('['));
    if (!IsIdentifier(name)) return false;
  }
  return true;
}

}  // namespace

std::vector<NameProblem> CheckClassNames(const ClassDescription& description,
                                         NameLanguage language) {
  std::vector<NameProblem> problems;
  if (std::string fault = NameFault(description.ClassName, language); !fault.empty())
    problems.push_back({0, "the class name " + fault});
  std::set<std::string> seen;
  for (const MemberRow& row : description.Members) {
    if (Trimmed(row.Name).empty()) continue;
    const bool method = IsMethod(row);
    const std::string name = method ? MethodName(row) : BaseName(row.Name);
    if (std::string fault = NameFault(name, language); !fault.empty()) {
      problems.push_back({row.RowNumber, fault});
      continue;
    }
    if (method) {
      const std::size_t open = row.Name.find('(');
      const std::size_t close = row.Name.rfind(')');
      if (close == std::string::npos || close < open ||
          !ParametersParse(std::string_view(row.Name).substr(open + 1, close - open - 1)))
        problems.push_back(
            {row.RowNumber, "the parameter list of \"" + name + "\" does not parse"});
      continue;  // overloads may share a name
    }
    if (!seen.insert(name).second)
      problems.push_back({row.RowNumber, "\"" + name + "\" is given twice"});
  }
  return problems;
}

NameVerdict CheckTargetNames(const ClassDescription& description) {
  const TargetSystem target = description.Options.TargetSystem;
  const bool java = target == TargetSystem::Java || target == TargetSystem::JavaRecord;
  NameVerdict verdict;
  verdict.Problems = CheckClassNames(description, java ? NameLanguage::Java : NameLanguage::Cpp);
  verdict.Refused = !verdict.Problems.empty() &&
                    (target == TargetSystem::ModernCpp || target == TargetSystem::JavaRecord);
  return verdict;
}

std::string DescribeNameProblems(const std::vector<NameProblem>& problems) {
  std::string text;
  for (const NameProblem& problem : problems)
    text += (text.empty() ? "" : "; ") + DescribeNameProblem(problem);
  return text;
}

}  // namespace zandrel
