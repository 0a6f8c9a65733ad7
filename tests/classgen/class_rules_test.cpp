#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classgen/class_description.h"

namespace zandrel {
namespace {

MemberRow Row(std::string type, std::string name, std::string initial = "") {
  return {std::move(type), std::move(name), std::move(initial), 1};
}

TEST(MemberRules, MemberRow) {
  struct Case {
    std::string type, name;
    bool member;
  };
  for (const Case& c : std::vector<Case>{{"int", "a", true},
                                         {"x", "anything", false},
                                         {"id", "", false},
                                         {"  ", "a", true},
                                         {"int", " ", true},
                                         {"int", "(x)", true},
                                         {"\xc3\xa9", "a", false},  // one letter, two bytes
                                         {"\xc3\xa9t", "a", true},
                                         {"", "", false}})
    EXPECT_EQ(IsMemberRow(c.type, c.name), c.member) << "'" << c.type << "' '" << c.name << "'";
}

TEST(MemberRules, NameShapes) {
  struct Case {
    std::string name;
    bool data, method, array;
    std::string base, dimension, methodName;
  };
  const std::vector<Case> cases = {
      {"count", true, false, false, "count", "", "count"},
      {"area(int w, int h)", false, true, false, "area(int w, int h)", "", "area"},
      {"scale(double f) const", false, true, false, "scale(double f) const", "", "scale"},
      {"(x)", false, false, false, "(x)", "", ""},
      {"buf[20]", true, false, true, "buf", "20", "buf[20]"},
      {"matrix[3][4]", true, false, true, "matrix", "3", "matrix[3][4]"},
      {"buf[N+1]", true, false, true, "buf", "N+1", "buf[N+1]"},
      {"[20]", true, false, false, "", "20", "[20]"},
      {"buf[]", true, false, true, "buf", "", "buf[]"},
      {"buf]x[", true, false, true, "buf]x", "", "buf]x["},
      {"buf[3", true, false, true, "buf", "", "buf[3"},
      {"f(int a[2])", false, true, true, "f(int a", "2", "f"},
  };
  for (const Case& c : cases) {
    const MemberRow row = Row("int", c.name);
    EXPECT_EQ(IsDataMember(row), c.data) << c.name;
    EXPECT_EQ(IsMethod(row), c.method) << c.name;
    EXPECT_EQ(IsArray(c.name), c.array) << c.name;
    EXPECT_EQ(BaseName(c.name), c.base) << c.name;
    EXPECT_EQ(ArrayDimension(c.name), c.dimension) << c.name;
    EXPECT_EQ(MethodName(row), c.methodName) << c.name;
  }
}

TEST(MemberRules, CopyForm) {
  struct Case {
    std::string type, name;
    bool cString;
    CopyKind copy;
  };
  const std::vector<Case> cases = {
      {"char", "name[32]", true, CopyKind::StringCopy},
      {" char\t", "name[32]", true, CopyKind::StringCopy},
      {"unsigned char", "name[32]", false, CopyKind::ElementCopy},
      {"Char", "name[32]", false, CopyKind::ElementCopy},
      {"wchar_t", "name[32]", false, CopyKind::ElementCopy},
      {"char", "c", false, CopyKind::PlainCopy},
      {"char", "[32]", false, CopyKind::PlainCopy},
      {"int", "grid[3][4]", false, CopyKind::ElementCopy},
      {"int", "count", false, CopyKind::PlainCopy},
  };
  for (const Case& c : cases) {
    const MemberRow row = Row(c.type, c.name);
    EXPECT_EQ(IsCString(row), c.cString) << c.type << " " << c.name;
    EXPECT_EQ(CopyForm(row), c.copy) << c.type << " " << c.name;
  }
}

TEST(MemberRules, HasInitialValue) {
  EXPECT_TRUE(HasInitialValue(Row("int", "count", "0")));
  EXPECT_TRUE(HasInitialValue(Row("int", "count", " ")));
  EXPECT_TRUE(HasInitialValue(Row("int", "v[3]", "0")));
  EXPECT_FALSE(HasInitialValue(Row("int", "count", "")));
  EXPECT_FALSE(HasInitialValue(Row("int", "area()", "5")));
  EXPECT_FALSE(HasInitialValue(Row("int", "(x)", "5")));
}

TEST(MemberRules, AccessorName) {
  struct Case {
    NameForm form;
    std::string name, getter, setter;
  };
  const std::vector<Case> cases = {
      {NameForm::LowerUnderscore, "count", "get_count", "set_count"},
      {NameForm::LowerCamel, "count", "getCount", "setCount"},
      {NameForm::UpperCamel, "count", "GetCount", "SetCount"},
      {NameForm::LowerUnderscore, "Count", "get_Count", "set_Count"},
      {NameForm::LowerCamel, "x_pos", "getX_pos", "setX_pos"},
      {NameForm::UpperCamel, "_x", "Get_x", "Set_x"},
      {NameForm::LowerCamel, "zeta", "getZeta", "setZeta"},
      {NameForm::LowerCamel, "", "get", "set"},
      // Only a to z change: a UTF-8 lead byte is left alone.
      {NameForm::LowerCamel, "\xC3\xA9t\xC3\xA9", "get\xC3\xA9t\xC3\xA9", "set\xC3\xA9t\xC3\xA9"},
      {NameForm::UpperCamel, "9lives", "Get9lives", "Set9lives"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(AccessorName(c.form, AccessorKind::Getter, c.name), c.getter) << c.name;
    EXPECT_EQ(AccessorName(c.form, AccessorKind::Setter, c.name), c.setter) << c.name;
  }
}

TEST(MemberRules, BigConstructorHead) {
  ClassDescription d;
  d.ClassName = "Sample";
  EXPECT_EQ(BigConstructorHead(d), " Sample()");
  d.Members = {{"int", "count", "", 1}, {"double", "rate[4]", "", 3}};
  EXPECT_EQ(BigConstructorHead(d), " Sample(int parm1, double parm3)");
  d.Members = {{"char", "a", "", 2}, {"void", "reset()", "", 5}, {"int ", "(x)", "", 19}};
  EXPECT_EQ(BigConstructorHead(d), " Sample(char parm2, void parm5, int  parm19)");
}

TEST(ReadClassDescription, ClassName) {
  struct Case {
    std::string typed;
    bool accepted;
    std::string className;
  };
  const std::vector<Case> cases = {
      {"", false, ""},
      {"a", false, ""},
      {"\xC3\xA9", false, ""},  // one character in two bytes
      {"ab", true, "ab"},
      {"  ", true, ""},
      {" a", true, "a"},
      {"  my class ", true, "my_class"},
      {"my\tclass x", true, "my\tclass_x"},
      {"\t\r\nName\x01", true, "Name"},
      {"a  b", true, "a__b"},
      {"caf\xC3\xA9 bar", true, "caf\xC3\xA9_bar"},
  };
  for (const Case& c : cases) {
    ClassInput input;
    input.NameText = c.typed;
    const auto description = ReadClassDescription(input);
    ASSERT_EQ(description.has_value(), c.accepted) << "'" << c.typed << "'";
    if (description) {
      EXPECT_EQ(description->ClassName, c.className) << "'" << c.typed << "'";
    }
  }
}

TEST(ReadClassDescription, MemberRowsOptionsAndInsertions) {
  ClassInput input;
  input.NameText = "Sample";
  input.Grid[0] = {"int", "count", "0"};
  input.Grid[1] = {"x", "ignored", "1"};
  input.Grid[2] = {"double", "area(int w, int h)", ""};
  input.Grid[3] = {"id", "", "3"};
  input.Grid[6] = {"  ", "a", ""};
  input.Grid[18] = {"char", "last[2]", " "};
  input.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  input.Options.TargetSystem = TargetSystem::Java;
  input.HeaderInsertions = {"A", "B"};

  const auto d = ReadClassDescription(input);
  ASSERT_TRUE(d);
  ASSERT_EQ(d->Members.size(), 4u);
  const int rows[] = {1, 3, 7, 19};
  for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(d->Members[i].RowNumber, rows[i]);
  EXPECT_EQ(d->Members[0].InitialValue, "0");
  EXPECT_EQ(d->Members[2].Type, "  ");
  EXPECT_EQ(d->Members[3].Name, "last[2]");
  EXPECT_EQ(d->Members[3].InitialValue, " ");
  EXPECT_EQ(d->Options.ComparisonLevel, ComparisonLevel::AllComparisons);
  EXPECT_EQ(d->Options.TargetSystem, TargetSystem::Java);
  EXPECT_EQ(d->HeaderInsertions, (std::vector<std::string>{"A", "B"}));
}

}  // namespace
}  // namespace zandrel
