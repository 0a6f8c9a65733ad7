#include "enumgen/plain_enumeration_writer.h"

#include "enumgen/enumeration_texts.h"

namespace zandrel {

std::string PlainEnumerationHeader(const EnumerationRequest& request, std::string_view EnumText) {
  const std::string& T = request.TypeName;
  std::string text = HeaderPrelude(T);
  text += EnumText;
  text += "\nAnsiString __fastcall ToString(const " + T + " &);\n\n";
  text += "\n" + T + " __fastcall incr(" + T + " &);\n";
  text += "\n" + T + " __fastcall decr(" + T + " &);\n";
  for (const std::string_view op : ComparisonOperators)
    text += "bool operator " + std::string(op) + " (const " + T + "  & , const " + T + " &);\n";
  text += "\n";
  text += HeaderEnd;
  return text;
}

std::string PlainEnumerationSource(const EnumerationRequest& request,
                                   std::string_view ToStringText) {
  const std::string& T = request.TypeName;
  std::string text = SourcePrelude(request.OutputPath, ToStringText);
  text += "\n" + T + " __fastcall incr(" + T + " & t){\n";
  text += StepSwitch(T, T, "t", "++");
  text += "  return t;\n}\n\n";
  text += "\n" + T + " __fastcall decr(" + T + " & t){\n";
  text += StepSwitch(T, T, "t", "--");
  text += "  return t;\n}\n\n";
  const char* separator = "";
  for (const std::string_view op : ComparisonOperators) {
    text += separator;
    separator = "\n";
    text += "bool operator " + std::string(op) + " (const " + T + "  & a, const " + T +
            " & b){\n return int(a) " + std::string(op) + " int(b);\n}\n";
  }
  return text;
}

}  // namespace zandrel
