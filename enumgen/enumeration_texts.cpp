#include "enumgen/enumeration_texts.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/text.h"
#include "enumgen/enumeration_styles.h"

namespace zandrel {

namespace {

// The wrapper-class form: the type's enumeration is T_enum, ToString a member of T.
bool IsClass(const EnumerationRequest& request) { return StyleRow(request.Style).WrapperClass; }

template <class Entries>
void AppendEnumText(BlockSink& text, const EnumerationRequest& request, const Entries& entries) {
  const std::string& T = request.TypeName;
  if (IsClass(request)) {
    text += "enum ";
    text += T;
    text += "_enum {\n   ";
  } else {
    text += "typedef enum {\n   ";
  }
  const std::size_t n = entries.size();
  for (std::size_t k = 0; k < n; ++k) {
    const EntryView entry = entries[k];
    text += entry.Lead;
    text += entry.Name;
    if (entries.ValuesGiven() && entry.Value) {
      text += " = ";
      text += std::to_string(*entry.Value);
    }
    if (k + 1 < n) text += ", ";
    if (k > 0 && k % 6 == 0) text += "\n   ";
  }
  text += "}";
  if (IsClass(request)) {
    text += ";\n";
  } else {
    text += "\n    ";
    text += T;
    text += ";\n";
  }
}

// The name ToString returns for the entry: without the prefix's length when it was applied.
void AppendReturnName(BlockSink& text, const EntryView& entry, std::size_t cut) {
  if (cut < entry.Lead.size()) {
    text += entry.Lead.substr(cut);
    text += entry.Name;
  } else {
    text += entry.Name.substr(std::min(cut - entry.Lead.size(), entry.Name.size()));
  }
}

template <class Entries>
void AppendToStringText(BlockSink& text, const EnumerationRequest& request,
                        const Entries& entries) {
  const std::string& T = request.TypeName;
  text += "\n\nAnsiString __fastcall ";
  if (IsClass(request)) {
    text += T;
    text += "::";
  }
  text += "ToString(";
  if (!IsClass(request)) {
    text += "const ";
    text += T;
    text += " & val";
  }
  text += IsClass(request) ? "){\n switch(data){\n" : "){\n switch(val){\n";
  const std::size_t cut = request.ApplyPrefix ? request.PrefixText.size() : 0;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const EntryView entry = entries[k];
    text += "   case ";
    text += entry.Lead;
    text += entry.Name;
    text += ":\n     return \"";
    AppendReturnName(text, entry, cut);
    text += "\";\n";
  }
  text += "   default:\n     return \"Invalid\";\n  } // switch\n}\n";
}

template <class Entries>
EnumerationTexts Texts(const EnumerationRequest& request, const Entries& entries, BlockSink& text) {
  EnumerationTexts texts = DescribeEntries(entries);
  const std::size_t n = entries.size();
  // Room for both texts at once, so a long list is never copied while its text grows: each name
  // is written three times, with at most 48 bytes around it (more only with values, in a grid).
  std::size_t room = 256 + 4 * request.TypeName.size();
  for (std::size_t k = 0; k < n; ++k)
    room += 3 * (entries[k].Lead.size() + entries[k].Name.size()) + 48;
  text.reserve(text.size() + room);
  AppendEnumText(text, request, entries);
  texts.EnumTextSize = text.size();
  AppendToStringText(text, request, entries);
  return texts;
}

}  // namespace

EnumerationTexts WriteTexts(const EnumerationRequest& request, const EnumerationList& list,
                            BlockSink& text) {
  return Texts(request, ListEntries(list), text);
}

EnumerationTexts WriteTexts(const EnumerationRequest& request, const ListFile* listFile,
                            BlockSink& text) {
  return Texts(request, FileEntries(request, listFile), text);
}

EnumerationTexts BuildTexts(const EnumerationRequest& request, const EnumerationList& list) {
  BlockSink text;
  EnumerationTexts texts = WriteTexts(request, list, text);
  texts.Text = text.Take();
  return texts;
}

std::string ReturnName(const EnumerationRequest& request, const Enumerator& entry) {
  if (!request.ApplyPrefix) return entry.EnumeratorName;
  const std::size_t cut = std::min(request.PrefixText.size(), entry.EnumeratorName.size());
  return entry.EnumeratorName.substr(cut);
}

std::string HeaderBaseName(std::string_view OutputPath) {
  return std::string(FileNamePart(OutputStem(OutputPath)));
}

std::string IncludeLine(std::string_view OutputPath) {
  return "#include \"" + HeaderBaseName(OutputPath) + ".h\" ";
}

std::string HeaderPrelude(const std::string& T) {
  return "// " + T + " definition\n" + "#ifndef __" + T + "__\n" + "#define __" + T + "__\n\n" +
         "#include <vcl.h>\n\n";
}

std::string SourcePrelude(std::string_view OutputPath, std::string_view ToStringText) {
  std::string text = IncludeLine(OutputPath) + "\n#include <assert.h>\n\n";
  text += ToStringText;
  text += "\n";
  return text;
}

std::string StepSwitch(const std::string& T, const std::string& unionType,
                       const std::string& target, std::string_view step) {
  std::string text = "  switch(sizeof(" + T + ")) {\n";
  const std::pair<const char*, const char*> cases[] = {{"1", "char"}, {"2", "short"}, {"4", "int"}};
  for (const auto& [size, integer] : cases) {
    text += std::string("    case ") + size + ":{\n      union{" + integer + " c;\n        " +
            unionType + " t;} u;\n      u.t = " + target + ";\n";
    text += "      u.c" + std::string(step) + ";\n      " + target + " = u.t;}\n      break;\n";
  }
  text += "    default: \n      assert(false);\n  }// switch\n";
  return text;
}

}  // namespace zandrel
