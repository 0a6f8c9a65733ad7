#include "classgen/modern_rules.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "core/text.h"

namespace zandrel {

namespace {

bool IsIdentifierChar(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
}

// The words of a text, split at blanks.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t at = 0;
  while (at < text.size()) {
    while (at < text.size() && static_cast<unsigned char>(text[at]) < 33) ++at;
    std::size_t end = at;
    while (end < text.size() && static_cast<unsigned char>(text[end]) >= 33) ++end;
    if (end > at) words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

// Where the parenthesis that closes the one at open stands; npos when it is not closed.
std::size_t ClosingParenthesis(std::string_view text, std::size_t open) {
  int depth = 0;
  for (std::size_t at = open; at < text.size(); ++at) {
    if (text[at] == '(') ++depth;
    if (text[at] == ')' && --depth == 0) return at;
  }
  return std::string_view::npos;
}

// One parameter without its default argument: the text before a "=" outside brackets.
std::string_view WithoutDefault(std::string_view parameter) {
  int depth = 0;
  for (std::size_t at = 0; at < parameter.size(); ++at) {
    const char c = parameter[at];
    if (c == '(' || c == '<' || c == '[' || c == '{') ++depth;
    if (c == ')' || c == '>' || c == ']' || c == '}') --depth;
    if (c == '=' && depth == 0) {
      std::string_view kept = parameter.substr(0, at);
      while (!kept.empty() && kept.back() == ' ') kept.remove_suffix(1);
      return kept;
    }
  }
  return parameter;
}

struct StandardName {
  std::string_view Name;
  std::string_view Header;
};

constexpr StandardName StandardNames[] = {
    {"any", "<any>"},
    {"array", "<array>"},
    {"bitset", "<bitset>"},
    {"byte", "<cstddef>"},
    {"chrono", "<chrono>"},
    {"complex", "<complex>"},
    {"deque", "<deque>"},
    {"filesystem", "<filesystem>"},
    {"forward_list", "<forward_list>"},
    {"function", "<functional>"},
    {"int16_t", "<cstdint>"},
    {"int32_t", "<cstdint>"},
    {"int64_t", "<cstdint>"},
    {"int8_t", "<cstdint>"},
    {"intptr_t", "<cstdint>"},
    {"list", "<list>"},
    {"map", "<map>"},
    {"multimap", "<map>"},
    {"multiset", "<set>"},
    {"optional", "<optional>"},
    {"pair", "<utility>"},
    {"priority_queue", "<queue>"},
    {"ptrdiff_t", "<cstddef>"},
    {"queue", "<queue>"},
    {"set", "<set>"},
    {"shared_ptr", "<memory>"},
    {"size_t", "<cstddef>"},
    {"span", "<span>"},
    {"stack", "<stack>"},
    {"string", "<string>"},
    {"string_view", "<string_view>"},
    {"tuple", "<tuple>"},
    {"u16string", "<string>"},
    {"u32string", "<string>"},
    {"u8string", "<string>"},
    {"uint16_t", "<cstdint>"},
    {"uint32_t", "<cstdint>"},
    {"uint64_t", "<cstdint>"},
    {"uint8_t", "<cstdint>"},
    {"uintptr_t", "<cstdint>"},
    {"unique_ptr", "<memory>"},
    {"unordered_map", "<unordered_map>"},
    {"unordered_set", "<unordered_set>"},
    {"variant", "<variant>"},
    {"vector", "<vector>"},
    {"weak_ptr", "<memory>"},
    {"wstring", "<string>"},
};

constexpr std::string_view ScalarWords[] = {"bool",   "char",     "char8_t", "char16_t", "char32_t",
                                            "double", "float",    "int",     "long",     "short",
                                            "signed", "unsigned", "wchar_t"};

constexpr std::string_view ScalarAliases[] = {
    "size_t",   "ptrdiff_t", "int8_t",   "int16_t",  "int32_t",   "int64_t",   "uint8_t",
    "uint16_t", "uint32_t",  "uint64_t", "intptr_t", "uintptr_t", "nullptr_t", "byte"};

template <class Table>
bool Holds(const Table& table, std::string_view word) {
  return std::find(std::begin(table), std::end(table), word) != std::end(table);
}

}  // namespace

std::optional<ArrayShape> ArrayShapeOf(std::string_view Name) {
  const std::size_t open = Name.find('[');
  if (open == std::string_view::npos || open == 0) return std::nullopt;
  ArrayShape shape{std::string(Name.substr(0, open)), {}};
  std::size_t at = open;
  while (at < Name.size()) {
    if (Name[at] != '[') return std::nullopt;
    const std::size_t close = Name.find(']', at);
    if (close == std::string_view::npos || close == at + 1) return std::nullopt;
    const std::string_view dimension = Name.substr(at + 1, close - at - 1);
    if (dimension.find('[') != std::string_view::npos) return std::nullopt;
    shape.Dimensions.emplace_back(dimension);
    at = close + 1;
  }
  return shape;
}

bool IsScalarType(std::string_view Type, const std::vector<std::string>& knownEnumerations) {
  const std::string type = Trim(Type);
  if (type.empty()) return false;
  if (type.back() == '*') return true;
  if (std::find(knownEnumerations.begin(), knownEnumerations.end(), type) !=
      knownEnumerations.end())
    return true;
  std::string_view name = type;
  if (name.starts_with("std::")) name.remove_prefix(5);
  if (Holds(ScalarAliases, name)) return true;
  const std::vector<std::string_view> words = Words(type);
  return std::all_of(words.begin(), words.end(),
                     [](std::string_view word) { return Holds(ScalarWords, word); });
}

std::vector<std::string> InsertedEnumerations(const ClassDescription& description) {
  std::vector<std::string> names;
  for (const HeaderInsertion& record : description.HeaderInsertions.Records())
    if (record.Kind == InsertionKind::EnumClass) names.push_back(Trim(record.TypeName));
  return names;
}

void AddStandardHeaders(std::string_view text, std::set<std::string>& headers) {
  for (std::size_t at = text.find("std::"); at != std::string_view::npos;
       at = text.find("std::", at + 5)) {
    if (at > 0 && IsIdentifierChar(text[at - 1])) continue;
    std::size_t end = at + 5;
    while (end < text.size() && IsIdentifierChar(text[end])) ++end;
    const std::string_view name = text.substr(at + 5, end - at - 5);
    for (const StandardName& entry : StandardNames)
      if (entry.Name == name) headers.emplace(entry.Header);
  }
}

std::string DefinitionType(std::string_view Type) {
  std::string kept;
  for (const std::string_view word : Words(Type)) {
    if (word == "static" || word == "virtual" || word == "inline" || word == "explicit") continue;
    if (!kept.empty()) kept += ' ';
    kept += word;
  }
  return kept;
}

namespace {

// The parameters of a list, split at the commas outside brackets (one empty one for "()").
std::vector<std::string_view> TopLevelParameters(std::string_view parameters) {
  std::vector<std::string_view> split;
  int depth = 0;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= parameters.size(); ++at) {
    const char c = at < parameters.size() ? parameters[at] : ',';
    if (c == '(' || c == '<' || c == '[' || c == '{') ++depth;
    if (c == ')' || c == '>' || c == ']' || c == '}') --depth;
    if (c == ',' && depth == 0) {
      split.push_back(parameters.substr(start, at - start));
      start = at + 1;
    }
  }
  return split;
}

}  // namespace

std::string DefinitionName(std::string_view Name) {
  const std::size_t open = Name.find('(');
  const std::size_t close = ClosingParenthesis(Name, open);
  if (open == std::string_view::npos || close == std::string_view::npos) return std::string(Name);
  std::string text(Name.substr(0, open + 1));
  const char* separator = "";
  for (const std::string_view parameter :
       TopLevelParameters(Name.substr(open + 1, close - open - 1))) {
    text += separator;
    text += WithoutDefault(parameter);
    separator = ",";
  }
  text += ')';
  for (const std::string_view word : Words(Name.substr(close + 1)))
    if (word != "override" && word != "final") {
      text += ' ';
      text += word;
    }
  return text;
}

bool ReturnsVoid(std::string_view Type) { return DefinitionType(Type) == "void"; }

namespace {

bool FollowsParameters(std::string_view Name, std::string_view specifier) {
  const std::size_t close = ClosingParenthesis(Name, Name.find('('));
  if (close == std::string_view::npos) return false;
  const std::vector<std::string_view> words = Words(Name.substr(close + 1));
  return std::find(words.begin(), words.end(), specifier) != words.end();
}

constexpr std::string_view TypeWords[] = {"auto",  "bool",   "char",     "const",   "double",
                                          "float", "int",    "long",     "short",   "signed",
                                          "void",  "struct", "unsigned", "volatile"};

// The name one parameter declares: its last identifier (before any array bounds) when a type
// stands before it.
std::optional<std::string> ParameterName(std::string_view parameter) {
  std::string_view text = WithoutDefault(parameter);
  while (!text.empty() && (text.back() == ' ' || text.back() == ']')) {
    if (text.back() == ']') {
      const std::size_t open = text.rfind('[');
      if (open == std::string_view::npos) return std::nullopt;
      text = text.substr(0, open);
    } else {
      text.remove_suffix(1);
    }
  }
  std::size_t start = text.size();
  while (start > 0 && IsIdentifierChar(text[start - 1])) --start;
  const std::string_view name = text.substr(start);
  std::string_view before = text.substr(0, start);
  while (!before.empty() && before.back() == ' ') before.remove_suffix(1);
  if (name.empty() || before.empty() || before.ends_with("::") || Holds(TypeWords, name) ||
      std::isdigit(static_cast<unsigned char>(name.front())) != 0)
    return std::nullopt;
  return std::string(name);
}

}  // namespace

bool IsConstMethod(std::string_view Name) { return FollowsParameters(Name, "const"); }

bool IsNoexceptMethod(std::string_view Name) { return FollowsParameters(Name, "noexcept"); }

std::vector<std::string> ParameterNames(std::string_view Name) {
  std::vector<std::string> names;
  const std::size_t open = Name.find('(');
  const std::size_t close = ClosingParenthesis(Name, open);
  if (open == std::string_view::npos || close == std::string_view::npos) return names;
  for (const std::string_view parameter :
       TopLevelParameters(Name.substr(open + 1, close - open - 1)))
    if (auto name = ParameterName(parameter)) names.push_back(std::move(*name));
  return names;
}

}  // namespace zandrel
