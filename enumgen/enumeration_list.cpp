#include "enumgen/enumeration_list.h"

#include <algorithm>
#include <climits>
#include <cstdint>
#include <stdexcept>
#include <utility>

#include "core/name_rules.h"
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

std::string DecimalText(WholeNumber number) {
  return number.AboveInt64 ? std::to_string(static_cast<std::uint64_t>(number.Bits))
                           : std::to_string(number.Bits);
}

namespace {

enum class Reading { Number, TooLarge, NotNumber };

// The cell's number, or whether it is no number at all or one beyond 64 bits.
Reading ReadValue(std::string_view text, WholeNumber& number) {
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
  if (pos >= text.size()) return Reading::NotNumber;
  // Once beyond 64 bits the digits are still read, so that a wrong character counts first.
  std::uint64_t magnitude = 0;
  bool tooLarge = false;
  for (; pos < text.size(); ++pos) {
    const int digit = DigitValue(text[pos], base);
    if (digit < 0) return Reading::NotNumber;
    const auto b = static_cast<std::uint64_t>(base);
    const auto d = static_cast<std::uint64_t>(digit);
    if (magnitude > (UINT64_MAX - d) / b) tooLarge = true;
    magnitude = magnitude * b + d;
  }
  constexpr std::uint64_t NegativeLimit = std::uint64_t{1} << 63;
  if (tooLarge || (negative && magnitude > NegativeLimit)) return Reading::TooLarge;
  if (negative) {
    number = {static_cast<std::int64_t>(~magnitude + 1), false};
    return Reading::Number;
  }
  number = {static_cast<std::int64_t>(magnitude), magnitude >= NegativeLimit};
  return Reading::Number;
}

bool Fits32(WholeNumber number) {
  return !number.AboveInt64 && number.Bits >= INT32_MIN && number.Bits <= INT32_MAX;
}

constexpr std::string_view ModernRange =
    "an enum class holds -9223372036854775808 to 9223372036854775807 (long long) or 0 to "
    "18446744073709551615 (unsigned long long)";

// The enum class style's values counted on as the compiler counts them, each within one
// underlying type: a negative value and one above INT64_MAX cannot share a type, and no value
// counts on past UINT64_MAX. rows gives each entry's grid row, 0 for a sentinel.
std::optional<Refusal> CheckModernRange(EnumerationList& list, const std::vector<int>& rows) {
  const auto rowText = [&](std::size_t k) {
    return rows[k] == 0 ? "the name \"" + list.Entries[k].EnumeratorName + "\""
                        : "row " + std::to_string(rows[k]);
  };
  WholeNumber next{0, false};
  bool exhausted = false;
  std::optional<std::size_t> negative;
  std::optional<std::size_t> above;
  for (std::size_t k = 0; k < list.Entries.size(); ++k) {
    WholeNumber value = next;
    if (list.ValuesGiven && list.Entries[k].EnumeratorValue) {
      value.Bits = *list.Entries[k].EnumeratorValue;
      value.AboveInt64 = list.UnsignedValues && value.Bits < 0;
    } else if (exhausted) {
      return Refusal{"The value of " + rowText(k) + " counts on beyond 18446744073709551615: " +
                         std::string(ModernRange) + ".",
                     rows[k]};
    }
    if (value.Bits < 0 && !value.AboveInt64 && !negative) negative = k;
    if (value.AboveInt64 && !above) above = k;
    if (negative && above)
      return Refusal{"The value of " + rowText(std::max(*negative, *above)) + " and that of " +
                         rowText(std::min(*negative, *above)) +
                         " fit no one underlying type: " + std::string(ModernRange) + ".",
                     rows[std::max(*negative, *above)]};
    exhausted = value.AboveInt64 && value.Bits == -1;
    if (!value.AboveInt64 && value.Bits == INT64_MAX)
      next = {INT64_MIN, true};
    else
      next = {static_cast<std::int64_t>(static_cast<std::uint64_t>(value.Bits) + 1),
              value.AboveInt64};
  }
  list.UnsignedValues = above.has_value();
  return std::nullopt;
}

}  // namespace

std::optional<WholeNumber> ConvertValue(std::string_view text) {
  WholeNumber number;
  if (ReadValue(text, number) != Reading::Number) return std::nullopt;
  return number;
}

std::optional<Refusal> ReadListFromGrid(const EnumerationRequest& request, EnumerationList& list) {
  list.ValuesGiven = false;
  list.UnsignedValues = false;
  const bool modern = request.Style == EnumerationStyle::ModernEnumeration;
  int firstAbove = 0;
  int firstNegative = 0;
  int unused = 0;
  for (std::size_t i = 0; i < request.GridRows.size(); ++i) {
    const GridRow& row = request.GridRows[i];
    if (!row.Value.empty()) list.ValuesGiven = true;
    if (row.Name.empty()) continue;
    std::optional<std::int64_t> value;
    if (!row.Value.empty()) {
      WholeNumber number;
      const Reading reading = ReadValue(row.Value, number);
      const std::string cell = "The value \"" + row.Value + "\" in row " + std::to_string(i + 1);
      // The classic styles write 32-bit values, as they always did.
      if (reading == Reading::NotNumber ||
          (!modern && (reading != Reading::Number || !Fits32(number))))
        return Refusal{cell + " is not a whole number.", static_cast<int>(i + 1)};
      if (reading == Reading::TooLarge)
        return Refusal{cell + " is beyond 64 bits: " + std::string(ModernRange) + ".",
                       static_cast<int>(i + 1)};
      value = number.Bits;
      // Beside a value above INT64_MAX no value may be negative, so that the bits say which.
      int& first = number.AboveInt64 ? firstAbove : number.Bits < 0 ? firstNegative : unused;
      if (first == 0) first = static_cast<int>(i + 1);
      if (firstAbove != 0 && firstNegative != 0)
        return Refusal{cell + " and the value in row " +
                           std::to_string(std::min(firstAbove, firstNegative)) +
                           " fit no one underlying type: " + std::string(ModernRange) + ".",
                       static_cast<int>(i + 1)};
      list.UnsignedValues = firstAbove != 0;
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

std::vector<Refusal> CheckEnumerationNames(const EnumerationRequest& request,
                                           const ListFile* listFile) {
  // Each name the request gives, with its grid row or place in the list file (0: a sentinel).
  const auto eachName = [&](const auto& take) {
    if (HasSentinels(request)) take(FirstSentinel, 0);
    if (!request.FromFile) {
      for (std::size_t i = 0; i < request.GridRows.size(); ++i)
        if (!request.GridRows[i].Name.empty())
          take(request.GridRows[i].Name, static_cast<int>(i + 1));
    } else if (listFile != nullptr) {
      for (std::size_t k = 0; k < listFile->WordCount(); ++k)
        take(listFile->Word(k), static_cast<int>(k + 1));
    }
    if (HasSentinels(request)) take(LastSentinel, 0);
  };
  // The names as they will stand, viewed where they are; behind a prefix, joined in one text made
  // with room for all, so that no view moves and a million names are not a million strings.
  const std::string_view prefix =
      request.ApplyPrefix ? std::string_view(request.PrefixText) : std::string_view();
  std::size_t count = 0;
  std::size_t room = 0;
  eachName([&](std::string_view name, int) {
    ++count;
    room += prefix.empty() ? 0 : prefix.size() + name.size();
  });
  std::string prefixed;
  prefixed.reserve(room);
  std::vector<std::string_view> names;
  std::vector<int> rows;
  names.reserve(count);
  rows.reserve(count);
  eachName([&](std::string_view name, int row) {
    if (!prefix.empty()) {
      const std::size_t at = prefixed.size();
      prefixed += prefix;
      prefixed += name;
      name = std::string_view(prefixed).substr(at);
    }
    names.push_back(name);
    rows.push_back(row);
  });
  std::vector<Refusal> problems;
  for (const NameProblem& problem : CheckEnumerators(names, NameLanguage::Cpp)) {
    const int row = rows[static_cast<std::size_t>(problem.Row - 1)];
    problems.push_back({DescribeNameProblem({row, problem.Reason}), 0, request.FromFile ? 0 : row});
  }
  return problems;
}

std::vector<Refusal> NameWarnings(const EnumerationRequest& request, const ListFile* listFile) {
  if (request.Style == EnumerationStyle::ModernEnumeration) return {};
  return CheckEnumerationNames(request, listFile);
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
  if (request.Style == EnumerationStyle::ModernEnumeration && !request.FromFile) {
    // Each entry's grid row, for the refusal's message.
    std::vector<int> rows;
    rows.reserve(list.Entries.size());
    if (HasSentinels(request)) rows.push_back(0);
    for (std::size_t i = 0; i < request.GridRows.size(); ++i)
      if (!request.GridRows[i].Name.empty()) rows.push_back(static_cast<int>(i + 1));
    if (HasSentinels(request)) rows.push_back(0);
    if (auto refusal = CheckModernRange(list, rows)) return *refusal;
  }
  if (request.Style == EnumerationStyle::ModernEnumeration)
    if (auto problems = CheckEnumerationNames(request, listFile); !problems.empty())
      return problems.front();
  return list;
}

}  // namespace zandrel
