#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "core/file_dialog.h"
#include "core/output_text.h"

namespace zandrel {

enum class EnumerationStyle { PlainEnumeration = 0, EnumerationClass = 1 };

constexpr int NameGridRows = 49;

struct GridRow {
  std::string Name;
  std::string Value;
};

// What the enumeration dialog holds when OK is pressed.
struct EnumerationRequest {
  std::string TypeName;  // trimmed
  EnumerationStyle Style = EnumerationStyle::PlainEnumeration;
  bool FirstAndLast = true;
  bool ApplyPrefix = true;
  std::string PrefixText = "ZD";
  bool FromFile = false;
  bool SeparateFile = false;
  std::array<GridRow, NameGridRows> GridRows{};  // rows 1 to 49 (index 0 is row 1)
  std::string OutputPath;                        // only with SeparateFile
};

struct Enumerator {
  std::string EnumeratorName;                   // prefix included
  std::optional<std::int32_t> EnumeratorValue;  // nothing: no value
};

struct EnumerationList {
  std::vector<Enumerator> Entries;
  bool ValuesGiven = false;
};

// A request the system's own rules refuse; the dialog shows Message with caption "Error".
struct Refusal {
  std::string Message;
};

// A list-file question answered once with a file already chosen, without showing anything: for
// callers that know the file (the command line, the preview). Asked again, it cancels.
class ChosenListFile : public FileDialog {
 public:
  explicit ChosenListFile(std::string path) : path_(std::move(path)) {}
  bool Execute() override {
    if (answered_) return false;
    answered_ = true;
    FileName = path_;
    return true;
  }

 private:
  std::string path_;
  bool answered_ = false;
};

inline constexpr std::string_view OpenDialogFilter =
    "Text files|*.txt|Data files|*.dat|All files|*.*";
inline constexpr std::string_view ListFileTitle = "Choose the file that has the list.";
inline constexpr std::string_view CommittedListFileTitle =
    "You are committed: Choose the file that has the list.";

// The proposed prefix, or nothing for an empty type name.
std::optional<std::string> SuggestPrefix(std::string_view typeName);

// Strict text-to-integer conversion of a Value cell: leading blanks, one sign, decimal digits or
// hex digits after "$", "x", "X", "0x", "0X", nothing after; must fit in 32 signed bits.
std::optional<std::int32_t> ConvertValue(std::string_view text);

// Appends the named grid rows; refuses a named row whose Value cell does not convert.
std::optional<Refusal> ReadListFromGrid(const EnumerationRequest& request, EnumerationList& list);

// Told of a chosen list file that could not be read (ReadInputFile with ListFileLimit), before the
// question is asked again.
using ListReadFailure = std::function<void(const FileFailure& failure)>;

// Asks for the list file through OpenDialog1 (again, under the committed title, while a chosen file
// cannot be read; Cancel ends the choosing) and appends its words.
void ReadListFromFile(const EnumerationRequest& request, EnumerationList& list,
                      FileDialog& OpenDialog1, const ListReadFailure& readFailed = {});
// The words of an already opened list text, for the file source and for tests.
void ReadListFromText(const EnumerationRequest& request, EnumerationList& list,
                      std::string_view text);

// Sentinels, then the file or grid entries. OpenDialog1 and readFailed are used only with FromFile.
std::variant<EnumerationList, Refusal> BuildEnumerationList(const EnumerationRequest& request,
                                                            FileDialog& OpenDialog1,
                                                            const ListReadFailure& readFailed = {});

}  // namespace zandrel
