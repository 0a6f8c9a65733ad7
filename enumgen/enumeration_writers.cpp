#include "enumgen/enumeration_writers.h"

#include <algorithm>
#include <utility>

namespace zandrel {

namespace {

bool IsClass(const EnumerationRequest& request) {
  return request.Style == EnumerationStyle::EnumerationClass;
}

std::string HeaderPrelude(const std::string& T) {
  return "// " + T + " definition\n" + "#ifndef __" + T + "__\n" + "#define __" + T + "__\n\n" +
         "#include <vcl.h>\n\n";
}

std::string SourcePrelude(std::string_view OutputPath, const std::string& ToStringText) {
  return IncludeLine(OutputPath) + "\n#include <assert.h>\n\n" + ToStringText + "\n";
}

constexpr std::string_view HeaderEnd = "\n#endif\n\n";

// The body of a step through an integer of the enumeration's size; step is "++" or "--".
// target is what the union reads and writes ("t" for the free functions, "data" in the class).
std::string SizeSwitch(const std::string& T, const std::string& unionType,
                       const std::string& target, const std::string& step) {
  std::string text = "  switch(sizeof(" + T + ")) {\n";
  const std::pair<const char*, const char*> cases[] = {{"1", "char"}, {"2", "short"}, {"4", "int"}};
  for (const auto& [size, integer] : cases) {
    text += std::string("    case ") + size + ":{\n      union{" + integer + " c;\n        " +
            unionType + " t;} u;\n      u.t = " + target + ";\n";
    text += "      u.c" + step + ";\n      " + target + " = u.t;}\n      break;\n";
  }
  text += "    default: \n      assert(false);\n  }// switch\n";
  return text;
}

std::string PlainDeclarations(const std::string& T) {
  std::string text = "\nAnsiString __fastcall ToString(const " + T + " &);\n\n";
  text += "\n" + T + " __fastcall incr(" + T + " &);\n";
  text += "\n" + T + " __fastcall decr(" + T + " &);\n";
  const char* ops[] = {"<", "==", ">", "!=", ">=", "<="};
  for (const char* op : ops)
    text += std::string("bool operator ") + op + " (const " + T + "  & , const " + T + " &);\n";
  text += "\n";
  return text;
}

std::string PlainDefinitions(const std::string& T) {
  std::string text;
  text += "\n" + T + " __fastcall incr(" + T + " & t){\n";
  text += SizeSwitch(T, T, "t", "++");
  text += "  return t;\n}\n\n";
  text += "\n" + T + " __fastcall decr(" + T + " & t){\n";
  text += SizeSwitch(T, T, "t", "--");
  text += "  return t;\n}\n\n";
  const char* ops[] = {"<", "==", ">", "!=", ">=", "<="};
  bool first = true;
  for (const char* op : ops) {
    if (!first) text += "\n";
    first = false;
    text += std::string("bool operator ") + op + " (const " + T + "  & a, const " + T + " & b){\n" +
            " return int(a) " + op + " int(b);\n}\n";
  }
  return text;
}

std::string ClassDeclaration(const std::string& T, bool ValuesGiven) {
  std::string text = "\nclass " + T + "  {\n  protected:\n   enum " + T + "_enum data;\n";
  text += "  public:\n   " + T + "();\n";
  text += "   " + T + "(" + T + "_enum);\n";
  text += "\n\n   AnsiString __fastcall ToString();\n";
  if (!ValuesGiven) {
    text += "\n   " + T + " __fastcall operator ++(int);\n";
    text += "\n   " + T + " __fastcall operator ++();\n";
    text += "\n   " + T + " __fastcall operator --(int);\n";
    text += "\n   " + T + " __fastcall operator --();\n";
    text += "   bool operator < (const " + T + "  & t);\n";
    text += "   bool operator == (const " + T + "  & t);\n";
    text += "   bool operator > (const " + T + "  & t) {return !(*this<t || *this==t);}\n";
    text += "   bool operator != (const " + T + "  & t) {return !(*this==t);}\n";
    text += "   bool operator >= (const " + T + "  & t) {return !(*this<t);}\n";
    text += "   bool operator <= (const " + T + "  & t) {return *this<t || *this==t;}\n";
  }
  text += "}; // " + T + "\n";
  return text;
}

std::string Guard(const std::string& test, const std::string& name) {
  return test + "){\n      data = " + name + ";\n      return temp;\n      }\n";
}

// The postfix step keeps data between the first and the last name.
std::string ClassPostfix(const std::string& T, const std::string& FirstName,
                         const std::string& LastName, bool increment) {
  std::string text = T + " __fastcall " + T + "::operator " + (increment ? "++" : "--") +
                     "(int){\n  " + T + " temp = *this;\n  ";
  if (increment) {
    text += Guard("if(data < " + FirstName, FirstName);
    text += Guard("  if(data >= " + LastName, LastName);
  } else {
    text += Guard("if(data <= " + FirstName, FirstName);
    text += Guard("  if(data > " + LastName, LastName);
  }
  text += SizeSwitch(T, T + "_enum", "data", increment ? "++" : "--");
  text += " return temp;\n}\n\n";
  return text;
}

std::string ClassDefinitions(const std::string& T, const EnumerationList& list) {
  const std::string FirstName = list.Entries.empty() ? "" : list.Entries.front().EnumeratorName;
  const std::string LastName = list.Entries.empty() ? "" : list.Entries.back().EnumeratorName;
  std::string text = T + "::" + T + "(){\n  data = " + FirstName + ";\n}\n\n";
  text += T + "::" + T + "(" + T + "_enum t){\n" + "  data = t;\n}\n\n";
  // With values the steps are not declared in the header, so they are not defined either.
  if (!list.ValuesGiven) {
    text += ClassPostfix(T, FirstName, LastName, true);
    text += ClassPostfix(T, FirstName, LastName, false);
    text += T + " __fastcall " + T + "::operator ++(){\n " + "(*this)++;\n return *this;\n}\n\n";
    text += T + " __fastcall " + T + "::operator --(){\n " + "(*this)--;\n return *this;\n}\n\n ";
  }
  text += "\n";
  return text;
}

WrittenEnumeration WriteFiles(const EnumerationRequest& request,
                              const std::vector<EnumerationFile>& files,
                              const BeforeReplace& beforeReplace = {}) {
  return {IncludeLine(request.OutputPath), ReplaceFiles(files, beforeReplace)};
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

std::string OutputStem(std::string_view OutputPath) {
  const std::size_t slash = OutputPath.rfind('/');
  const std::size_t dot = OutputPath.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::string(OutputPath);
  return std::string(OutputPath.substr(0, dot));
}

std::string HeaderBaseName(std::string_view OutputPath) {
  const std::string stem = OutputStem(OutputPath);
  const std::size_t slash = stem.rfind('/');
  return slash == std::string::npos ? stem : stem.substr(slash + 1);
}

std::string IncludeLine(std::string_view OutputPath) {
  return "#include \"" + HeaderBaseName(OutputPath) + ".h\" ";
}

std::vector<std::string> EnumerationOutputPaths(std::string_view OutputPath) {
  const std::string stem = OutputStem(OutputPath);
  return {stem + ".h", stem + ".cpp"};
}

std::vector<EnumerationFile> PlainEnumerationFiles(const EnumerationRequest& request,
                                                   const EnumerationList&,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText) {
  const std::string& T = request.TypeName;
  const auto paths = EnumerationOutputPaths(request.OutputPath);
  return {{paths[0], HeaderPrelude(T) + EnumText + PlainDeclarations(T) + std::string(HeaderEnd)},
          {paths[1], SourcePrelude(request.OutputPath, ToStringText) + PlainDefinitions(T)}};
}

std::vector<EnumerationFile> EnumerationClassFiles(const EnumerationRequest& request,
                                                   const EnumerationList& list,
                                                   const std::string& EnumText,
                                                   const std::string& ToStringText) {
  const std::string& T = request.TypeName;
  const auto paths = EnumerationOutputPaths(request.OutputPath);
  return {{paths[0], HeaderPrelude(T) + EnumText + ClassDeclaration(T, list.ValuesGiven) +
                         std::string(HeaderEnd)},
          {paths[1], SourcePrelude(request.OutputPath, ToStringText) + ClassDefinitions(T, list)}};
}

WrittenEnumeration WritePlainEnumerationFiles(const EnumerationRequest& request,
                                              const EnumerationList& list,
                                              const std::string& EnumText,
                                              const std::string& ToStringText) {
  return WriteFiles(request, PlainEnumerationFiles(request, list, EnumText, ToStringText));
}

WrittenEnumeration WriteEnumerationClassFiles(const EnumerationRequest& request,
                                              const EnumerationList& list,
                                              const std::string& EnumText,
                                              const std::string& ToStringText) {
  return WriteFiles(request, EnumerationClassFiles(request, list, EnumText, ToStringText));
}

std::variant<ComposedEnumeration, Refusal> ComposeEnumeration(const EnumerationRequest& request,
                                                              FileDialog& OpenDialog1,
                                                              const ListReadFailure& readFailed) {
  auto built = BuildEnumerationList(request, OpenDialog1, readFailed);
  if (auto* refusal = std::get_if<Refusal>(&built)) return *refusal;
  const EnumerationList& list = std::get<EnumerationList>(built);
  // The class's constructor and steps need a first and a last name.
  if (IsClass(request) && list.Entries.empty())
    return Refusal{"An enumeration class needs at least one name."};
  ComposedEnumeration composed;
  composed.EnumText = BuildEnumText(request, list);
  composed.ToStringText = BuildToStringText(request, list);
  if (request.SeparateFile)
    composed.Files =
        IsClass(request)
            ? EnumerationClassFiles(request, list, composed.EnumText, composed.ToStringText)
            : PlainEnumerationFiles(request, list, composed.EnumText, composed.ToStringText);
  return composed;
}

std::variant<GeneratedEnumeration, Refusal> GenerateEnumerationOutput(
    const EnumerationRequest& request, FileDialog& OpenDialog1, const ListReadFailure& readFailed,
    const BeforeReplace& beforeReplace) {
  auto composed = ComposeEnumeration(request, OpenDialog1, readFailed);
  if (auto* refusal = std::get_if<Refusal>(&composed)) return *refusal;
  const ComposedEnumeration& texts = std::get<ComposedEnumeration>(composed);
  GeneratedEnumeration generated;
  if (!request.SeparateFile) {
    generated.HandOver = texts.EnumText + texts.ToStringText;
    return generated;
  }
  WrittenEnumeration written = WriteFiles(request, texts.Files, beforeReplace);
  generated.HandOver = written.IncludeLine;
  generated.Failures = std::move(written.Failures);
  return generated;
}

}  // namespace zandrel
