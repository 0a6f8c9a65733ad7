#include "classgen/name_checks.h"

#include <algorithm>
#include <set>
#include <string_view>

namespace zandrel {

namespace {

constexpr std::string_view CppKeywords[] = {"alignas",       "alignof",     "and",
                                            "and_eq",        "asm",         "auto",
                                            "bitand",        "bitor",       "bool",
                                            "break",         "case",        "catch",
                                            "char",          "char8_t",     "char16_t",
                                            "char32_t",      "class",       "compl",
                                            "concept",       "const",       "consteval",
                                            "constexpr",     "constinit",   "const_cast",
                                            "continue",      "co_await",    "co_return",
                                            "co_yield",      "decltype",    "default",
                                            "delete",        "do",          "double",
                                            "dynamic_cast",  "else",        "enum",
                                            "explicit",      "export",      "extern",
                                            "false",         "float",       "for",
                                            "friend",        "goto",        "if",
                                            "inline",        "int",         "long",
                                            "mutable",       "namespace",   "new",
                                            "noexcept",      "not",         "not_eq",
                                            "nullptr",       "operator",    "or",
                                            "or_eq",         "private",     "protected",
                                            "public",        "register",    "reinterpret_cast",
                                            "requires",      "return",      "short",
                                            "signed",        "sizeof",      "static",
                                            "static_assert", "static_cast", "struct",
                                            "switch",        "template",    "this",
                                            "thread_local",  "throw",       "true",
                                            "try",           "typedef",     "typeid",
                                            "typename",      "union",       "unsigned",
                                            "using",         "virtual",     "void",
                                            "volatile",      "wchar_t",     "while",
                                            "xor",           "xor_eq"};

constexpr std::string_view JavaKeywords[] = {
    "abstract", "assert", "boolean",    "break",     "byte",       "case",      "catch",
    "char",     "class",  "const",      "continue",  "default",    "do",        "double",
    "else",     "enum",   "extends",    "final",     "finally",    "float",     "for",
    "goto",     "if",     "implements", "import",    "instanceof", "int",       "interface",
    "long",     "native", "new",        "package",   "private",    "protected", "public",
    "return",   "short",  "static",     "strictfp",  "super",      "switch",    "synchronized",
    "this",     "throw",  "throws",     "transient", "try",        "void",      "volatile",
    "while",    "true",   "false",      "null",      "_",          "var",       "yield",
    "record",   "sealed", "permits",    "non-sealed"};

bool IsIdentifier(std::string_view name) {
  if (name.empty()) return false;
  const auto letter = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
  };
  if (!letter(name.front())) return false;
  return std::all_of(name.begin(), name.end(),
                     [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

bool IsKeyword(std::string_view name, NameLanguage language) {
  if (language == NameLanguage::Cpp)
    return std::find(std::begin(CppKeywords), std::end(CppKeywords), name) != std::end(CppKeywords);
  return std::find(std::begin(JavaKeywords), std::end(JavaKeywords), name) !=
         std::end(JavaKeywords);
}

// Why a name cannot be used, or nothing.
std::string NameFault(const std::string& name, NameLanguage language) {
  if (!IsIdentifier(name)) return "\"" + name + "\" is not a name";
  if (IsKeyword(name, language)) return "\"" + name + "\" is a keyword";
  return {};
}

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

std::vector<NameProblem> CheckEnumerators(const std::vector<std::string>& names,
                                          NameLanguage language) {
  std::vector<NameProblem> problems;
  std::set<std::string> seen;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    if (std::string fault = NameFault(names[i], language); !fault.empty())
      problems.push_back({row, fault});
    else if (!seen.insert(names[i]).second)
      problems.push_back({row, "\"" + names[i] + "\" is given twice"});
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

std::string DescribeNameProblem(const NameProblem& problem) {
  if (problem.Row == 0) return problem.Reason;
  return "row " + std::to_string(problem.Row) + ": " + problem.Reason;
}

std::string DescribeNameProblems(const std::vector<NameProblem>& problems) {
  std::string text;
  for (const NameProblem& problem : problems)
    text += (text.empty() ? "" : "; ") + DescribeNameProblem(problem);
  return text;
}

}  // namespace zandrel
