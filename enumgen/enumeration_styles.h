#pragma once

#include <span>
#include <string>
#include <string_view>
#include <variant>

#include "core/block_sink.h"
#include "core/header_insertion.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_texts.h"

namespace zandrel {

// How the enumeration dialog comes to a style: the main window's button that opened it, or its
// own box, which turns whichever style opened it into this one.
enum class DialogChoice { Opening, Box };

// Everything that differs between the enumeration styles, one row each: a new style is its
// writers plus one row.
struct EnumerationStyleRow {
  EnumerationStyle Style;
  std::string_view Name;  // in request documents and class descriptions
  DialogChoice Choice;
  // What follows OutputStem in each file it writes, header first.
  std::span<const std::string_view> FileSuffixes;
  InsertionKind HandsOver;  // which class files its texts fit
  bool TakesKeys;           // Flags, CaseInsensitive, Formatter and Json
  bool WrapperClass;        // EnumText and ToStringText in the class form
  // The texts of one OK written into text as they are made, so that they can be handed on before
  // they are all made, or why the style refuses the request (before writing any). The texts it
  // gives hold all but the text itself.
  std::variant<EnumerationTexts, Refusal> (*Texts)(const EnumerationRequest& request,
                                                   const ListFile* listFile, BlockSink& text);
  // The text of each file, in the order of FileSuffixes. The header may take the texts' own text
  // (the enum class style's is its header): it is made last.
  std::string (*Header)(const EnumerationRequest& request, EnumerationTexts& texts);
  std::string (*Source)(const EnumerationRequest& request, const EnumerationTexts& texts);
  std::string (*Include)(const EnumerationRequest& request);

  bool WritesSource() const { return FileSuffixes.size() > 1; }
};

// Every style, in the order of EnumerationStyle's values.
std::span<const EnumerationStyleRow> EnumerationStyles();
const EnumerationStyleRow& StyleRow(EnumerationStyle style);
// The row of that name, or null.
const EnumerationStyleRow* StyleNamed(std::string_view name);

// The style the dialog composes: the box's style while it is ticked, else the opening style.
EnumerationStyle DialogStyle(EnumerationStyle opening, bool boxTicked);

// The record a completed OK hands to the main window.
HeaderInsertion CollectedInsertion(const EnumerationRequest& request, std::string text);

}  // namespace zandrel
