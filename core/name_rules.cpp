#include "core/name_rules.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

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
  // Every keyword begins with a small letter or "_" and is at most 16 long: most names of a long
  // list are told apart at once.
  if (name.empty() || name.size() > 16 || !((name[0] >= 'a' && name[0] <= 'z') || name[0] == '_'))
    return false;
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

namespace {

// "\"name\" " and the reason, built piece by piece (clear of GCC 12's -Wrestrict false alarm).
std::string Quoted(std::string_view name, std::string_view reason) {
  std::string text = "\"";
  text.append(name).append("\" ").append(reason);
  return text;
}

}  // namespace

std::string NameFault(std::string_view name, NameLanguage language) {
  if (!IsIdentifier(name)) return Quoted(name, "is not a name");
  if (IsKeyword(name, language)) return Quoted(name, "is a keyword");
  return {};
}

std::vector<NameProblem> CheckEnumerators(const std::vector<std::string_view>& names,
                                          NameLanguage language) {
  // A name is given twice where it equals one before it: sorted, equal names stand together in
  // their order. Viewed, not copied or hashed into nodes.
  const std::vector<std::uint32_t> order =
      NameOrder(names.size(), [&names](std::size_t k) { return names[k]; });
  std::vector<bool> repeated(names.size());
  for (std::size_t r = 1; r < order.size(); ++r)
    repeated[order[r]] = names[order[r]] == names[order[r - 1]];
  std::vector<NameProblem> problems;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const int row = static_cast<int>(i) + 1;
    if (std::string fault = NameFault(names[i], language); !fault.empty())
      problems.push_back({row, fault});
    else if (repeated[i])
      problems.push_back({row, Quoted(names[i], "is given twice")});
  }
  return problems;
}

std::uint64_t NamePrefix(std::string_view name) {
  std::uint64_t prefix = 0;
  for (std::size_t c = 0; c < 8; ++c)
    prefix = prefix << 8 | (c < name.size() ? static_cast<unsigned char>(name[c]) : 0U);
  return prefix;
}

std::string DescribeNameProblem(const NameProblem& problem) {
  if (problem.Row == 0) return problem.Reason;
  return "row " + std::to_string(problem.Row) + ": " + problem.Reason;
}

}  // namespace zandrel
