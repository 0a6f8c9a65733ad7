#include "enumgen/enumeration_texts.h"

#include <algorithm>

#include "core/text.h"

namespace zandrel {

namespace {

bool IsClass(const EnumerationRequest& request) {
  return request.Style == EnumerationStyle::EnumerationClass;
}

}  // namespace

std::string BuildEnumText(const EnumerationRequest& request, const EnumerationList& list) {
  std::string text =
      IsClass(request) ? "enum " + request.TypeName + "_enum {\n   " : "typedef enum {\n   ";
  const std::size_t n = list.Entries.size();
  for (std::size_t k = 0; k < n; ++k) {
    const Enumerator& entry = list.Entries[k];
    text += entry.EnumeratorName;
    if (list.ValuesGiven && entry.EnumeratorValue)
      text += " = " + std::to_string(*entry.EnumeratorValue);
    if (k + 1 < n) text += ", ";
    if (k > 0 && k % 6 == 0) text += "\n   ";
  }
  text += "}";
  text += IsClass(request) ? ";\n" : "\n    " + request.TypeName + ";\n";
  return text;
}

std::string BuildToStringText(const EnumerationRequest& request, const EnumerationList& list) {
  std::string text = "\n\nAnsiString __fastcall ";
  if (IsClass(request)) text += request.TypeName + "::";
  text += "ToString(";
  if (!IsClass(request)) text += "const " + request.TypeName + " & val";
  text += IsClass(request) ? "){\n switch(data){\n" : "){\n switch(val){\n";
  for (const Enumerator& entry : list.Entries)
    text += "   case " + entry.EnumeratorName + ":\n     return \"" + ReturnName(request, entry) +
            "\";\n";
  text += "   default:\n     return \"Invalid\";\n  } // switch\n}\n";
  return text;
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

std::string SourcePrelude(std::string_view OutputPath, const std::string& ToStringText) {
  return IncludeLine(OutputPath) + "\n#include <assert.h>\n\n" + ToStringText + "\n";
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
