#include "enumgen/enumeration_styles.h"

#include <algorithm>
#include <array>
#include <utility>

#include "enumgen/enumeration_class_writer.h"
#include "enumgen/modern_enumeration_writer.h"
#include "enumgen/plain_enumeration_writer.h"

namespace zandrel {

namespace {

constexpr std::string_view HeaderAndSource[] = {".h", ".cpp"};
constexpr std::string_view HeaderAlone[] = {".h"};

// The typedef and wrapper-class styles read a list file's names where they lie. The class's
// constructor and steps need a first and a last name: one without names is refused before any
// text is written.
std::variant<EnumerationTexts, Refusal> LegacyTexts(const EnumerationRequest& request,
                                                    const ListFile* listFile, BlockSink& text) {
  const Refusal nameless{"An enumeration class needs at least one name."};
  const bool wrapper = StyleRow(request.Style).WrapperClass;
  if (request.FromFile) {
    if (wrapper && FileEntries(request, listFile).size() == 0) return nameless;
    return WriteTexts(request, listFile, text);
  }
  auto built = BuildEnumerationList(request, nullptr);
  if (auto* refusal = std::get_if<Refusal>(&built)) return std::move(*refusal);
  const EnumerationList& list = std::get<EnumerationList>(built);
  if (wrapper && list.Entries.empty()) return nameless;
  return WriteTexts(request, list, text);
}

std::string PlainHeader(const EnumerationRequest& request, EnumerationTexts& texts) {
  return PlainEnumerationHeader(request, texts.EnumText());
}
std::string PlainSource(const EnumerationRequest& request, const EnumerationTexts& texts) {
  return PlainEnumerationSource(request, texts.ToStringText());
}
std::string ModernHeader(const EnumerationRequest&, EnumerationTexts& texts) {
  return ModernEnumerationHeader(std::move(texts));
}
std::string ClassHeader(const EnumerationRequest& request, EnumerationTexts& texts) {
  return EnumerationClassHeader(request, texts);
}
std::string LegacyInclude(const EnumerationRequest& request) {
  return IncludeLine(request.OutputPath);
}

const std::array<EnumerationStyleRow, 3> Rows = {{
    {EnumerationStyle::PlainEnumeration, "PlainEnumeration", DialogChoice::Opening, HeaderAndSource,
     InsertionKind::LegacyCpp, false, false, LegacyTexts, PlainHeader, PlainSource, LegacyInclude},
    {EnumerationStyle::EnumerationClass, "EnumerationClass", DialogChoice::Opening, HeaderAndSource,
     InsertionKind::LegacyCpp, false, true, LegacyTexts, ClassHeader, EnumerationClassSource,
     LegacyInclude},
    {EnumerationStyle::ModernEnumeration, "ModernEnumeration", DialogChoice::Box, HeaderAlone,
     InsertionKind::EnumClass, true, false, WriteModernEnumeration, ModernHeader, nullptr,
     ModernIncludeLine},
}};

}  // namespace

std::span<const EnumerationStyleRow> EnumerationStyles() { return Rows; }

const EnumerationStyleRow& StyleRow(EnumerationStyle style) {
  return Rows[static_cast<std::size_t>(style)];
}

const EnumerationStyleRow* StyleNamed(std::string_view name) {
  const auto* row = std::find_if(Rows.begin(), Rows.end(),
                                 [name](const EnumerationStyleRow& r) { return r.Name == name; });
  return row == Rows.end() ? nullptr : row;
}

EnumerationStyle DialogStyle(EnumerationStyle opening, bool boxTicked) {
  if (!boxTicked) return opening;
  const auto* box = std::find_if(Rows.begin(), Rows.end(), [](const EnumerationStyleRow& r) {
    return r.Choice == DialogChoice::Box;
  });
  return box == Rows.end() ? opening : box->Style;
}

HeaderInsertion CollectedInsertion(const EnumerationRequest& request, std::string text) {
  HeaderInsertion insertion;
  insertion.Kind = StyleRow(request.Style).HandsOver;
  insertion.Style = request.Style;
  insertion.TypeName = request.TypeName;
  insertion.Text = ShareText(std::move(text));
  insertion.Request = std::make_shared<const EnumerationRequest>(request);
  return insertion;
}

}  // namespace zandrel
