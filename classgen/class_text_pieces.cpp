#include "classgen/class_text_pieces.h"

#include <utility>

namespace zandrel {

namespace {

std::string EqualityOperators(const std::string& X) {
  std::string text = "   bool operator == (const " + X + " & that)const;\n";
  text += "   bool operator != (const " + X + " & that)const{\n";
  text += "        return !(*this == that);}\n";
  return text;
}

std::string OrderingOperators(const std::string& X) {
  std::string text = "   // Comparisons\n";
  text += "   bool operator < (const " + X + " & that)const;\n";
  text += "   bool operator <= (const " + X + " & that)const{\n";
  text += "        return (*this < that) || (*this == that);}\n";
  text += "   bool operator > (const " + X + " & that)const{\n";
  text += "        return !((*this < that) || (*this == that));}\n";
  text += "   bool operator >= (const " + X + " & that)const{\n";
  text += "        return (!(*this < that) || (*this == that));}\n";
  return text;
}

std::string CopyStatement(const MemberRow& member) {
  const std::string base = BaseName(member.Name);
  switch (CopyForm(member)) {
    case CopyKind::StringCopy:
      return "  strcpy(" + base + ", that." + base + ");\n";
    case CopyKind::ElementCopy:
      return "  for(int ndx0=0;ndx0<" + ArrayDimension(member.Name) + ";ndx0++)\n" +  //
             "    " + base + "[ndx0]" + " = that." + base + "[ndx0];\n";
    case CopyKind::PlainCopy:
      break;
  }
  return "  " + member.Name + " = that." + base + ";\n";
}

}  // namespace

void AddInsertionLines(TextPieces& pieces, std::string& text, const ClassDescription& description) {
  const InsertionList& insertions = description.HeaderInsertions;
  for (std::size_t i = insertions.size(); i-- > 0;) {
    pieces.push_back(ShareText(std::exchange(text, std::string(1, '\n'))));
    pieces.push_back(insertions.Shared(i));
  }
}

std::string ComparisonBlock(ComparisonLevel level, const std::string& X) {
  switch (level) {
    case ComparisonLevel::AllComparisons:
      return OrderingOperators(X) + EqualityOperators(X);
    case ComparisonLevel::EqualityOnly:
      return EqualityOperators(X);
    case ComparisonLevel::NoComparisons:
      break;
  }
  return {};
}

std::string ToStringStub(const GenerationOptions& options) {
  if (!options.ToStringMethod) return {};
  switch (options.NameForm) {
    case NameForm::LowerCamel:
      // The blank after the last line feed belongs to the format.
      return "\n  // You must implement\n   String toString()const;\n ";
    case NameForm::UpperCamel:
      return "\n  // You must implement\n   String ToString()const;\n";
    case NameForm::LowerUnderscore:
      break;
  }
  return "\n  // You must implement\n   String to_string()const;\n";
}

std::string CopyStatements(const ClassDescription& description) {
  std::string text;
  for (const MemberRow& member : description.Members)
    if (IsDataMember(member)) text += CopyStatement(member);
  return text;
}

}  // namespace zandrel
