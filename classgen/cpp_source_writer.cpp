#include "classgen/cpp_source_writer.h"

#include "classgen/class_text_pieces.h"

namespace zandrel {

namespace {

std::string DefaultConstructor(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::string text = "\n\n" + X + "::" + X + "()";
  const char* separator = ": ";
  for (const MemberRow& member : description.Members) {
    if (!HasInitialValue(member)) continue;
    text += separator;
    text += "\n           " + BaseName(member.Name) + "(" + member.InitialValue + ")";
    separator = ",";
  }
  text += "{}\n\n";
  return text;
}

std::string CopyConstructor(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::string text = X + "::" + X + " (const " + X + " & that){\n";
  text += CopyStatements(description);
  text += "}\n\n";
  return text;
}

std::string MemberwiseConstructor(const ClassDescription& description) {
  std::string text = description.ClassName + "::" + BigConstructorHead(description) + ":\n";
  const auto& members = description.Members;
  for (std::size_t i = 0; i < members.size(); ++i) {
    text += "       " + members[i].Name + "(parm" + std::to_string(members[i].RowNumber) + ")";
    text += i + 1 < members.size() ? ",\n" : "\n";
  }
  text += "       {}\n\n";
  return text;
}

std::string AssignmentOperator(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::string text = X + "  " + X + "::operator = " + " (const " + X + " & that){\n";
  text += CopyStatements(description);
  text += "  return *this;\n";
  text += "}\n\n";
  return text;
}

std::string MethodBodies(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::string text;
  for (const MemberRow& member : description.Members) {
    if (!IsMethod(member)) continue;
    text += "\n" + member.Type + " " + X + "::" + member.Name + "{ \n";
    text += " // enter your code here\n";
    text += "\n";
    text += " } // " + MethodName(member) + "\n";
    text += "\n";
    text += "\n";
  }
  return text;
}

}  // namespace

std::string WriteCppSource(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  const GenerationOptions& options = description.Options;

  // The header is included under the class name, whatever file name the user chose.
  std::string text = "// " + X + "\n";
  text += "#include \"" + X + ".h\"\n";
  text += DefaultConstructor(description);
  if (!options.PrivateCopy) {
    text += CopyConstructor(description);
    if (options.BigConstructor) text += MemberwiseConstructor(description);
    text += AssignmentOperator(description);
  }
  text += MethodBodies(description);
  return text;
}

TextPieces CppSourcePieces(const ClassDescription& description) {
  return {ShareText(WriteCppSource(description))};
}

}  // namespace zandrel
