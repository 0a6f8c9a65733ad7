#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "core/block_sink.h"
#include "enumgen/enumeration_list.h"

namespace zandrel {

// The texts every OK produces, in both styles, and the pieces that both styles' files share.

// EnumText followed by ToStringText, made as one text (what the main window receives without a
// separate file), and what the class style's files need of the list besides.
struct EnumerationTexts {
  std::string Text;
  std::size_t EnumTextSize = 0;
  std::string FirstName;  // empty for an empty list
  std::string LastName;
  std::size_t Count = 0;  // entries
  bool ValuesGiven = false;

  std::string_view EnumText() const { return std::string_view(Text).substr(0, EnumTextSize); }
  std::string_view ToStringText() const { return std::string_view(Text).substr(EnumTextSize); }
};
// What the texts hold of the entries (ListEntries or FileEntries) besides the text.
template <class Entries>
EnumerationTexts DescribeEntries(const Entries& entries) {
  EnumerationTexts texts;
  texts.Count = entries.size();
  texts.ValuesGiven = entries.ValuesGiven();
  if (texts.Count == 0) return texts;
  const EntryView first = entries[0];
  const EntryView last = entries[texts.Count - 1];
  texts.FirstName = std::string(first.Lead).append(first.Name);
  texts.LastName = std::string(last.Lead).append(last.Name);
  return texts;
}

EnumerationTexts BuildTexts(const EnumerationRequest& request, const EnumerationList& list);
// The same written into text as they are made; the texts given hold all but the text.
EnumerationTexts WriteTexts(const EnumerationRequest& request, const EnumerationList& list,
                            BlockSink& text);
// The same for the list BuildEnumerationList makes from a list file, without making it: a
// million names are read where they lie in the file's text. A null listFile gives no names.
EnumerationTexts WriteTexts(const EnumerationRequest& request, const ListFile* listFile,
                            BlockSink& text);

// The name ToString returns for an entry: without the prefix when it was applied.
std::string ReturnName(const EnumerationRequest& request, const Enumerator& entry);

// The file name of OutputStem, and "#include \"NAME.h\" " (ends with a blank, no line end).
std::string HeaderBaseName(std::string_view OutputPath);
std::string IncludeLine(std::string_view OutputPath);

// "// T definition", the include guard and vcl.h, as both headers begin.
std::string HeaderPrelude(const std::string& T);
// The include line, assert.h and ToStringText, as both source files begin.
std::string SourcePrelude(std::string_view OutputPath, std::string_view ToStringText);
inline constexpr std::string_view HeaderEnd = "\n#endif\n\n";

// A step ("++" or "--") of target (the variable holding the value) through an integer of the
// enumeration's size, chosen by a switch on sizeof(T); unionType is the enumeration's type.
std::string StepSwitch(const std::string& T, const std::string& unionType,
                       const std::string& target, std::string_view step);

// The six comparison operators, in the order both styles write them.
inline constexpr std::string_view ComparisonOperators[] = {"<", "==", ">", "!=", ">=", "<="};

}  // namespace zandrel
