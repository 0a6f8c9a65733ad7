#include "classgen/java_class_writer.h"

#include "classgen/class_text_pieces.h"

namespace zandrel {

namespace {

std::string Declarations(const ClassDescription& description) {
  std::string text;
  for (const MemberRow& member : description.Members)
    text += "  " + member.Type + " " + member.Name + ";\n";
  return text;
}

std::string DefaultConstructor(const ClassDescription& description) {
  std::string text = "\n public " + description.ClassName + "(){\n";
  for (const MemberRow& member : description.Members)
    if (HasInitialValue(member))
      text += "   " + BaseName(member.Name) + " = " + member.InitialValue + ";\n";
  text += "}\n\n";
  return text;
}

std::string CopyConstructor(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::string text = " public " + X + " (" + X + " that){\n";
  text += CopyStatements(description);
  text += "}\n\n";
  return text;
}

std::string MemberwiseConstructor(const ClassDescription& description) {
  std::string text = "  public " + BigConstructorHead(description) + "{\n";
  for (const MemberRow& member : description.Members)
    text += "       " + member.Name + " = parm" + std::to_string(member.RowNumber) + ";\n";
  text += " }\n\n";
  return text;
}

std::string Accessors(const ClassDescription& description) {
  const NameForm form = description.Options.NameForm;
  std::string text = "\n  //Accessor functions\n";
  for (const MemberRow& member : description.Members) {
    if (!IsDataMember(member) || IsArray(member.Name)) continue;
    std::string getter = " ";
    getter += AccessorName(form, AccessorKind::Getter, member.Name);
    std::string setter = " ";
    setter += AccessorName(form, AccessorKind::Setter, member.Name);
    text += "  public " + member.Type + getter + "() {return " + member.Name + ";}\n";
    text += "  public void " + setter + "(" + member.Type + " param0){ " + member.Name +
            " = param0;}\n";
  }
  return text;
}

}  // namespace

TextPieces JavaClassPieces(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  const GenerationOptions& options = description.Options;

  std::string text = "// " + X + "\n";
  text += "\n";
  TextPieces pieces;
  AddInsertionLines(pieces, text, description);
  text += "\npublic class " + X + " {\n";
  // The guard's last line is continued by the first declaration.
  if (options.PrivateCopy)
    text += "private " + X + " (const " + X + "& ){} // Prevent copying\n   ";
  text += Declarations(description);
  text += DefaultConstructor(description);
  if (!options.PrivateCopy) text += CopyConstructor(description);
  if (options.BigConstructor) text += MemberwiseConstructor(description);
  text += Accessors(description);
  text += ComparisonBlock(options.ComparisonLevel, X);
  text += ToStringStub(options);
  text += "\n}\n";
  text += "\n";
  pieces.push_back(ShareText(std::move(text)));
  return pieces;
}

std::string WriteJavaClass(const ClassDescription& description) {
  return Join(JavaClassPieces(description));
}

}  // namespace zandrel
