#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/header_insertion.h"
#include "core/output_text.h"

namespace zandrel {

struct Enumerator {
  std::string EnumeratorName;  // prefix included
  // Nothing: no value. Its 64 bits, read unsigned when the list's UnsignedValues is set.
  std::optional<std::int64_t> EnumeratorValue;
};

struct EnumerationList {
  std::vector<Enumerator> Entries;
  bool ValuesGiven = false;
  // A value of the enum class style lies above the long long range: no value is negative and
  // every one is read as unsigned long long.
  bool UnsignedValues = false;
};

// A request the system's own rules refuse; the dialog shows Message with caption "Error".
struct Refusal {
  std::string Message;
  int Row = 0;      // the grid row (from 1) whose Value cell was refused; 0 for none
  int NameRow = 0;  // the grid row (from 1) whose Name cell was refused; 0 for none
};

// Whether the list gets the sentinels: a flag set has no first and last.
bool HasSentinels(const EnumerationRequest& request);

// The sentinel names, behind the prefix when it applies.
inline constexpr std::string_view FirstSentinel = "FirstUnused";
inline constexpr std::string_view LastSentinel = "LastUnused";

inline constexpr std::string_view EnumSaveDialogFilter =
    "Header files|*.h|C++ files|*.cpp|All files|*.*";
inline constexpr std::string_view OpenDialogFilter =
    "Text files|*.txt|Data files|*.dat|All files|*.*";
inline constexpr std::string_view ListFileTitle = "Choose the file that has the list.";
inline constexpr std::string_view CommittedListFileTitle =
    "You are committed: Choose the file that has the list.";

// The proposed prefix, or nothing for an empty type name.
std::optional<std::string> SuggestPrefix(std::string_view typeName);

// A whole number of a Value cell, from INT64_MIN to UINT64_MAX: its 64 bits, read unsigned when
// it lies above INT64_MAX.
struct WholeNumber {
  std::int64_t Bits = 0;
  bool AboveInt64 = false;
  bool operator==(const WholeNumber&) const = default;
};

// The number in decimal digits, as the user would write it.
std::string DecimalText(WholeNumber number);

// Strict text-to-integer conversion of a Value cell: leading blanks, one sign, decimal digits or
// hex digits after "$", "x", "X", "0x", "0X", nothing after; must fit in 64 bits, signed or
// unsigned. The classic styles take only those of 32 signed bits.
std::optional<WholeNumber> ConvertValue(std::string_view text);

// Appends the named grid rows; refuses a named row whose Value cell does not convert.
std::optional<Refusal> ReadListFromGrid(const EnumerationRequest& request, EnumerationList& list);

// A list file's text, read once, and where its words lie (comment lines skipped), so that every
// composition takes the names again without reading or splitting the file again.
class ListFile {
 public:
  explicit ListFile(std::string text);

  std::size_t WordCount() const { return words_.size(); }
  std::string_view Word(std::size_t index) const {
    return std::string_view(text_).substr(words_[index].Offset, words_[index].Length);
  }

 private:
  struct Span {
    std::uint32_t Offset;
    std::uint32_t Length;
  };
  std::string text_;
  std::vector<Span> words_;
};

// The list file at path, read whole (at most ListFileLimit bytes, never waiting on a FIFO).
std::variant<ListFile, FileFailure> ReadListFile(const std::string& path);

// Appends the file's words, each behind the prefix when it applies.
void ReadListFromFile(const EnumerationRequest& request, EnumerationList& list,
                      const ListFile& listFile);

// One entry as the writers take it: its name is Lead followed by Name, both viewed where they lie.
struct EntryView {
  std::string_view Lead;
  std::string_view Name;
  std::optional<std::int64_t> Value;  // within 32 bits in the classic styles
};

// A list's entries as views.
class ListEntries {
 public:
  explicit ListEntries(const EnumerationList& list) : list_(list) {}
  std::size_t size() const { return list_.Entries.size(); }
  EntryView operator[](std::size_t k) const {
    return {{}, list_.Entries[k].EnumeratorName, list_.Entries[k].EnumeratorValue};
  }
  bool ValuesGiven() const { return list_.ValuesGiven; }

 private:
  const EnumerationList& list_;
};

// The list BuildEnumerationList makes from a list file, read where the names lie: a million
// names are never copied into entries of their own.
class FileEntries {
 public:
  FileEntries(const EnumerationRequest& request, const ListFile* file)
      : lead_(request.ApplyPrefix ? std::string_view(request.PrefixText) : std::string_view()),
        file_(file),
        sentinels_(HasSentinels(request) ? 1 : 0) {}
  std::size_t size() const { return (file_ ? file_->WordCount() : 0) + 2 * sentinels_; }
  EntryView operator[](std::size_t k) const {
    if (k < sentinels_) return {lead_, FirstSentinel, {}};
    if (k + sentinels_ >= size()) return {lead_, LastSentinel, {}};
    return {lead_, file_->Word(k - sentinels_), {}};
  }
  bool ValuesGiven() const { return false; }

 private:
  std::string_view lead_;
  const ListFile* file_;
  std::size_t sentinels_;
};

// The names the request writes that C++ cannot take (not an identifier, a keyword, given twice),
// each as "row N: reason" with its grid row, or its place in the list file; a sentinel's with Row
// 0 and the reason alone. The enum class style refuses the first; the classic styles warn.
std::vector<Refusal> CheckEnumerationNames(const EnumerationRequest& request,
                                           const ListFile* listFile);
// The warnings of a composed request: CheckEnumerationNames for the classic styles; none for the
// enum class style, whose names were checked (and refused) while its list was built.
std::vector<Refusal> NameWarnings(const EnumerationRequest& request, const ListFile* listFile);

// Sentinels around the grid's named rows, or with FromFile around the list file's words; a null
// listFile (no file chosen) contributes nothing. The enum class style refuses values no underlying
// type holds and names CheckEnumerationNames finds.
std::variant<EnumerationList, Refusal> BuildEnumerationList(const EnumerationRequest& request,
                                                            const ListFile* listFile);

}  // namespace zandrel
