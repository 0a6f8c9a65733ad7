#include "enumgen/enumeration_list.h"

#include <cstdint>
#include <stdexcept>
#include <utility>

#include "core/text.h"
#include "enumgen/enumeration_styles.h"

namespace zandrel {

bool HasSentinels(const EnumerationRequest& request) {
  return request.FirstAndLast && !(request.Flags && StyleRow(request.Style).TakesKeys);
}

namespace {

bool IsUtf8Continuation(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

std::string_view FirstCharacters(std::string_view text, std::size_t characters) {
  std::size_t seen = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (!IsUtf8Continuation(text[i])) {
      if (seen == characters) return text.substr(0, i);
      ++seen;
    }
  }
  return text;
}

// ASCII letters only, so the result does not depend on the process locale.
std::string UpperCase(std::string_view text) {
  std::string result(text);
  for (char& c : result)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return result;
}

int DigitValue(char c, int base) {
  int value = -1;
  if (c >= '0' && c <= '9')
    value = c - '0';
  else if (c >= 'a' && c <= 'f')
    value = c - 'a' + 10;
  else if (c >= 'A' && c <= 'F')
    value = c - 'A' + 10;
  return value < base ? value : -1;
}

std::string EntryName(const EnumerationRequest& request, std::string_view name) {
  std::string result;
  if (request.ApplyPrefix) result = request.PrefixText;
  result += name;
  return result;
}

bool IsListBlank(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

}  // namespace

std::optional<std::string> SuggestPrefix(std::string_view typeName) {
  if (typeName.empty()) return std::nullopt;
  std::string capitals;
  for (char c : typeName)
    if (c >= 'A' && c <= 'Z') capitals += c;
  if (capitals.size() >= 2 && capitals.size() <= 4) return capitals;
  if (CharacterCount(typeName) <= 5) return UpperCase(typeName);
  return UpperCase(FirstCharacters(typeName, 3));
}

std::optional<std::int32_t> ConvertValue(std::string_view text) {
  std::size_t pos = 0;
  while (pos < text.size() && text[pos] == ' ') ++pos;
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  int base = 10;
  const std::string_view rest = text.substr(pos);
  if (rest.starts_with("0x") || rest.starts_with("0X")) {
    base = 16;
    pos += 2;
  } else if (rest.starts_with("$") || rest.starts_with("x") || rest.starts_with("X")) {
    base = 16;
    pos += 1;
  }
  if (pos >= text.size()) return std::nullopt;
  // The magnitude is kept at most 2^31, so it never overflows however many digits follow.
  constexpr std::uint64_t Limit = std::uint64_t{1} << 31;
  std::uint64_t magnitude = 0;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos], base);
    if (digit < 0) return std::nullopt;
    magnitude = magnitude * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
    if (magnitude > Limit) return std::nullopt;
  }
  if (negative) {
    if (magnitude == Limit) return INT32_MIN;
    return -static_cast<std::int32_t>(magnitude);
  }
  if (magnitude == Limit) return std::nullopt;
  return static_cast<std::int32_t>(magnitude);
}

std::optional<Refusal> ReadListFromGrid(const EnumerationRequest& request, EnumerationList& list) {
  list.ValuesGiven = false;
  for (std::size_t i = 0; i < request.GridRows.size(); ++i) {
    const GridRow& row = request.GridRows[i];
    if (!row.Value.empty()) list.ValuesGiven = true;
    if (row.Name.empty()) continue;
    std::optional<std::int32_t> value;
    if (!row.Value.empty()) {
      value = ConvertValue(row.Value);
      if (!value)
        return Refusal{"The value \"" + row.Value + "\" in row " + std::to_string(i + 1) +
                           " is not a whole number.",
                       static_cast<int>(i + 1)};
    }
    list.Entries.push_back({EntryName(request, row.Name), value});
  }
  return std::nullopt;
}

ListFile::ListFile(std::string text) : text_(std::move(text)) {
  // Offsets of 32 bits keep a list of a million names small; a list file is far below 4 GiB.
  static_assert(ListFileLimit <= UINT32_MAX);
  if (text_.size() > UINT32_MAX) throw std::length_error("list text larger than 4 GiB");
  const std::string_view view = text_;
  // A byte-order mark that an editor put first is no part of the first name.
  std::size_t pos = view.starts_with("\xEF\xBB\xBF") ? 3 : 0;
  while (true) {
    while (pos < view.size() && IsListBlank(view[pos])) ++pos;
    if (pos >= view.size()) return;
    const char first = view[pos];
    if (first == '#' || first == '/') {
      // A comment runs to the end of its line, however long.
      const std::size_t end = view.find('\n', pos);
      if (end == std::string_view::npos) return;
      pos = end + 1;
      continue;
    }
    const std::size_t start = pos;
    while (pos < view.size() && !IsListBlank(view[pos])) ++pos;
    words_.push_back({static_cast<std::uint32_t>(start), static_cast<std::uint32_t>(pos - start)});
  }
}

std::variant<ListFile, FileFailure> ReadListFile(const std::string& path) {
  auto read = ReadInputFile(path, ListFileLimit);
  if (auto* failure = std::get_if<FileFailure>(&read)) return std::move(*failure);
  // A name would be cut at a NUL wherever it goes.
  if (std::get<std::string>(read).find('\0') != std::string::npos)
    return FileFailure{path, "holds a NUL character"};
  return ListFile(std::get<std::string>(std::move(read)));
}

void ReadListFromFile(const EnumerationRequest& request, EnumerationList& list,
                      const ListFile& listFile) {
  list.ValuesGiven = false;
  list.Entries.reserve(list.Entries.size() + listFile.WordCount());
  for (std::size_t i = 0; i < listFile.WordCount(); ++i)
    list.Entries.push_back({EntryName(request, listFile.Word(i)), std::nullopt});
}

std::variant<EnumerationList, Refusal> BuildEnumerationList(const EnumerationRequest& request,
                                                            const ListFile* listFile) {
  EnumerationList list;
  if (HasSentinels(request)) list.Entries.push_back({EntryName(request, FirstSentinel), {}});
  if (request.FromFile) {
    if (listFile != nullptr) ReadListFromFile(request, list, *listFile);
  } else if (auto refusal = ReadListFromGrid(request, list)) {
    return *refusal;
  }
  if (HasSentinels(request)) list.Entries.push_back({EntryName(request, LastSentinel), {}});
  return list;
}

}  // namespace zandrel
