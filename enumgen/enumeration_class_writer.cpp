#include "enumgen/enumeration_class_writer.h"

#include "enumgen/enumeration_texts.h"

namespace zandrel {

namespace {

std::string Guard(const std::string& test, const std::string& name) {
  return test + "){\n      data = " + name + ";\n      return temp;\n      }\n";
}

// The postfix step keeps data between the first and the last name.
std::string Postfix(const std::string& T, const EnumerationTexts& texts, bool increment) {
  const std::string& first = texts.FirstName;
  const std::string& last = texts.LastName;
  std::string text = T + " __fastcall " + T + "::operator " + (increment ? "++" : "--") +
                     "(int){\n  " + T + " temp = *this;\n  ";
  if (increment) {
    text += Guard("if(data < " + first, first);
    text += Guard("  if(data >= " + last, last);
  } else {
    text += Guard("if(data <= " + first, first);
    text += Guard("  if(data > " + last, last);
  }
  text += StepSwitch(T, T + "_enum", "data", increment ? "++" : "--");
  text += " return temp;\n}\n\n";
  return text;
}

}  // namespace

std::string EnumerationClassHeader(const EnumerationRequest& request,
                                   const EnumerationTexts& texts) {
  const std::string& T = request.TypeName;
  std::string text = HeaderPrelude(T);
  text += texts.EnumText();
  text += "\nclass " + T + "  {\n  protected:\n   enum " + T + "_enum data;\n";
  text += "  public:\n   " + T + "();\n";
  text += "   " + T + "(" + T + "_enum);\n";
  text += "\n\n   AnsiString __fastcall ToString();\n";
  if (!texts.ValuesGiven) {
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
  text += HeaderEnd;
  return text;
}

std::string EnumerationClassSource(const EnumerationRequest& request,
                                   const EnumerationTexts& texts) {
  const std::string& T = request.TypeName;
  std::string text = SourcePrelude(request.OutputPath, texts.ToStringText());
  // An empty list, which the composition refuses anyway, names no first entry.
  text += T + "::" + T + "(){\n  data = " + texts.FirstName + ";\n}\n\n";
  text += T + "::" + T + "(" + T + "_enum t){\n" + "  data = t;\n}\n\n";
  // With values the steps are not declared in the header, so they are not defined either.
  if (!texts.ValuesGiven) {
    text += Postfix(T, texts, true);
    text += Postfix(T, texts, false);
    text += T + " __fastcall " + T + "::operator ++(){\n " + "(*this)++;\n return *this;\n}\n\n";
    text += T + " __fastcall " + T + "::operator --(){\n " + "(*this)--;\n return *this;\n}\n\n ";
  }
  text += "\n";
  return text;
}

}  // namespace zandrel
