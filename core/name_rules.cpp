#include "core/name_rules.h"

#include <algorithm>
#include <iterator>
#include <set>

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

bool IsKeyword(std::string_view name, NameLanguage language) {
  if (language == NameLanguage::Cpp)
    return std::find(std::begin(CppKeywords), std::end(CppKeywords), name) != std::end(CppKeywords);
  return std::find(std::begin(JavaKeywords), std::end(JavaKeywords), name) !=
         std::end(JavaKeywords);
}

}  // namespace

bool IsIdentifier(std::string_view name) {
  if (name.empty()) return false;
  const auto letter = [](char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || c == '_';
  };
  if (!letter(name.front())) return false;
  return std::all_of(name.begin(), name.end(),
                     [&](char c) { return letter(c) || (c >= '0' && c <= '9'); });
}

std::string NameFault(const std::string& name, NameLanguage language) {
  if (!IsIdentifier(name)) return "\"" + name + "\" is not a name";
  if (IsKeyword(name, language)) return "\"" + name + "\" is a keyword";
  return {};
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

std::string DescribeNameProblem(const NameProblem& problem) {
  if (problem.Row == 0) return problem.Reason;
  return "row " + std::to_string(problem.Row) + ": " + problem.Reason;
}

}  // namespace zandrel
