#include "classgen/cpp_header_writer.h"

#include "classgen/class_text_pieces.h"
#include "classgen/targets.h"

namespace zandrel {

namespace {

std::string Includes(const GenerationOptions& options) {
  std::string text;
  if (options.FrameworkLibrary) text = TargetOf(options.TargetSystem).FrameworkInclude;
  if (options.StdLib) text += "#include <stdlib.h>\n";
  if (options.MathLib) text += "#include <math.h>\n";
  if (options.CStrings) text += "#include <string.h>\n";
  return text;
}

std::string PrivateCopyGuards(const std::string& X) {
  std::string text = " private:\n";
  text += "   " + X + " (const " + X + "& ){} // Prevent copying\n";
  text += "   " + X + " operator = (const " + X + " &){} // Prevent assignment\n";
  return text;
}

std::string PublicCopyDeclarations(const std::string& X) {
  std::string text = "   " + X + " (const " + X + " & );\n";
  text += "\n";
  text += "   " + X + " operator = (const " + X + " &);\n";
  return text;
}

std::string Declarations(const ClassDescription& description) {
  std::string text;
  for (const MemberRow& member : description.Members)
    text += "   " + member.Type + " " + member.Name + ";\n";
  return text;
}

std::string Accessors(const ClassDescription& description) {
  const NameForm form = description.Options.NameForm;
  std::string text;
  for (const MemberRow& member : description.Members) {
    if (!IsDataMember(member) || IsArray(member.Name)) continue;
    std::string getter = " ";
    getter += AccessorName(form, AccessorKind::Getter, member.Name);
    std::string setter = " ";
    setter += AccessorName(form, AccessorKind::Setter, member.Name);
    text += "   " + member.Type + getter + "() const {return " + member.Name + ";}\n";
    text += "   void " + setter + "(const " + member.Type + "& param0){ " + member.Name +
            " = param0;}\n";
  }
  return text;
}

}  // namespace

TextPieces CppHeaderPieces(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  const GenerationOptions& options = description.Options;

  std::string text = "// " + X + "\n";
  text += "#ifndef __" + X + "\n";
  text += "#define __" + X + "\n";
  text += Includes(options);
  text += "\n";
  TextPieces pieces;
  AddInsertionLines(pieces, text, description);
  text += "\nclass " + X + " {\n";
  if (options.PrivateCopy) text += PrivateCopyGuards(X);
  text += "\n protected:\n";
  text += Declarations(description);
  text += " public:\n";
  text += "   " + X + "();\n";
  if (!options.PrivateCopy) text += PublicCopyDeclarations(X);
  if (options.BigConstructor)
    text.append("  ").append(BigConstructorHead(description)).append(";\n");
  text += "\n  //Accessor functions\n";
  text += Accessors(description);
  text += ComparisonBlock(options.ComparisonLevel, X);
  text += ToStringStub(options);
  text += "\n};\n";
  text += "\n";
  text += "#endif";
  pieces.push_back(ShareText(std::move(text)));
  return pieces;
}

std::string WriteCppHeader(const ClassDescription& description) {
  return Join(CppHeaderPieces(description));
}

}  // namespace zandrel
