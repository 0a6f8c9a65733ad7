#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "core/text_pieces.h"

namespace zandrel {

// The enumeration dialog's request and the record it hands to the main window live here, below
// the class writers, the enumeration writers and the windows, which all pass them on.

enum class EnumerationStyle { PlainEnumeration = 0, EnumerationClass = 1, ModernEnumeration = 2 };

constexpr int NameGridRows = 49;

struct GridRow {
  std::string Name;
  std::string Value;
  bool operator==(const GridRow&) const = default;
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
  std::string ListPath;                          // only with FromFile
  std::string OutputPath;                        // only with SeparateFile
  // Keys of the enum class style only; the other styles ignore them.
  bool Flags = false;            // a bit-flag set: powers of two, a zero name, bit operators
  bool CaseInsensitive = false;  // T_from_string takes the names in any ASCII case too
  bool Formatter = false;        // fmt::formatter and std::formatter where they exist
  bool Json = false;             // nlohmann/json to_json and from_json by name
  bool operator==(const EnumerationRequest&) const = default;
};

// Which class files a collected text fits, as its style says; a text of unknown kind fits all.
enum class InsertionKind { Text, LegacyCpp, EnumClass };

// One enumeration collected by the main window. The text is shared, never copied: the undo
// history, the descriptions built and the preview hold a million names once.
struct HeaderInsertion {
  InsertionKind Kind = InsertionKind::Text;
  std::optional<EnumerationStyle> Style;  // the style that made it; none for a text only
  std::string TypeName;                   // empty for a text only
  SharedText Text = ShareText({});
  // What the dialog held at OK, to open it again; null for a text only.
  std::shared_ptr<const EnumerationRequest> Request;

  // A text whose kind nobody knows, as older documents hold them.
  static HeaderInsertion TextOnly(SharedText text) {
    HeaderInsertion insertion;
    insertion.Text = std::move(text);
    return insertion;
  }
  bool IsTextOnly() const { return !Style.has_value(); }

  friend bool operator==(const HeaderInsertion& a, const HeaderInsertion& b) {
    const bool sameRequest =
        a.Request == b.Request || (a.Request && b.Request && *a.Request == *b.Request);
    return a.Kind == b.Kind && a.Style == b.Style && a.TypeName == b.TypeName && sameRequest &&
           (a.Text == b.Text || *a.Text == *b.Text);
  }
};

}  // namespace zandrel
