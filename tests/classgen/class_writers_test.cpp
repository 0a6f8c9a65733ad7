#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"

namespace zandrel {
namespace {

ClassDescription Described(std::vector<MemberRow> members) {
  return {"S", std::move(members), {}, {}};
}

bool Contains(const std::string& text, const std::string& piece) {
  return text.find(piece) != std::string::npos;
}

int Count(const std::string& text, const std::string& piece) {
  int count = 0;
  for (auto at = text.find(piece); at != std::string::npos; at = text.find(piece, at + 1)) ++count;
  return count;
}

TEST(CppWriters, NoMembers) {
  ClassDescription d = Described({});
  d.Options.BigConstructor = true;
  EXPECT_EQ(WriteCppHeader(d),
            "// S\n#ifndef __S\n#define __S\n#include <wx/string.h>\n\n\nclass S {\n"
            "\n protected:\n public:\n   S();\n   S (const S & );\n\n   S operator = (const S &);\n"
            "   S();\n\n  //Accessor functions\n\n};\n\n#endif");
  EXPECT_EQ(WriteCppSource(d),
            "// S\n#include \"S.h\"\n\n\nS::S(){}\n\n"
            "S::S (const S & that){\n}\n\n"
            "S:: S():\n       {}\n\n"
            "S  S::operator =  (const S & that){\n  return *this;\n}\n\n");
}

TEST(CppWriters, PrivateCopyWithBigConstructor) {
  ClassDescription d = Described({{"int", "n", "7", 1}, {"int", "f()", "", 2}});
  d.Options.PrivateCopy = true;
  d.Options.BigConstructor = true;
  const std::string header = WriteCppHeader(d);
  EXPECT_TRUE(Contains(header,
                       " private:\n   S (const S& ){} // Prevent copying\n"
                       "   S operator = (const S &){} // Prevent assignment\n\n protected:"));
  EXPECT_TRUE(Contains(header, " public:\n   S();\n   S(int parm1, int parm2);\n\n  //Accessor"));
  // The member-wise constructor is declared but, with private copying, never defined.
  EXPECT_EQ(WriteCppSource(d),
            "// S\n#include \"S.h\"\n\n\nS::S(): \n           n(7){}\n\n"
            "\nint S::f(){ \n // enter your code here\n\n } // f\n\n\n");
}

TEST(CppWriters, ComparisonLevels) {
  ClassDescription d = Described({{"int", "n", "", 1}});
  d.Options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  const std::string equality = WriteCppHeader(d);
  EXPECT_FALSE(Contains(equality, "// Comparisons"));
  EXPECT_EQ(Count(equality, "bool operator"), 2);
  d.Options.ComparisonLevel = ComparisonLevel::NoComparisons;
  EXPECT_FALSE(Contains(WriteCppHeader(d), "bool operator"));
  d.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  const std::string all = WriteCppHeader(d);
  EXPECT_EQ(Count(all, "bool operator"), 6);
  EXPECT_LT(all.find("// Comparisons"), all.find("operator <"));
  EXPECT_LT(all.find("operator =="), all.find("operator !="));
}

TEST(CppWriters, HeaderInsertionsNewestFirst) {
  ClassDescription d = Described({});
  d.HeaderInsertions = {"#include \"A.h\"", "enum B {b1};"};
  EXPECT_TRUE(Contains(WriteCppHeader(d),
                       "#include <wx/string.h>\n\nenum B {b1};\n#include \"A.h\"\n\nclass S {\n"));
  EXPECT_EQ(d.HeaderInsertions.front(), "#include \"A.h\"");
}

TEST(CppWriters, FrameworkIncludeByTarget) {
  struct Case {
    TargetSystem target;
    bool framework;
    std::string includes;
  };
  const std::vector<Case> cases = {
      {TargetSystem::CBuilder, true, "#include <vcl.h>\n"},
      {TargetSystem::DevCpp, true, "#include <wx/string.h>\n"},
      {TargetSystem::VisualCpp, true, ""},
      {TargetSystem::CBuilder, false, ""},
      {TargetSystem::DevCpp, false, ""},
  };
  for (const Case& c : cases) {
    ClassDescription d = Described({});
    d.Options.TargetSystem = c.target;
    d.Options.FrameworkLibrary = c.framework;
    EXPECT_TRUE(Contains(WriteCppHeader(d), "#define __S\n" + c.includes + "\n\nclass S {"))
        << static_cast<int>(c.target) << c.framework;
  }
  ClassDescription d = Described({});
  d.Options.FrameworkLibrary = false;
  d.Options.StdLib = d.Options.MathLib = d.Options.CStrings = true;
  EXPECT_TRUE(
      Contains(WriteCppHeader(d),
               "#define __S\n#include <stdlib.h>\n#include <math.h>\n#include <string.h>\n\n"));
}

TEST(CppWriters, AccessorsKeepTypeAsTyped) {
  ClassDescription d =
      Described({{"int ", "n", "", 1}, {"char", "s[4]", "", 2}, {"int", "(x)", "", 3}});
  d.Options.NameForm = NameForm::LowerCamel;
  const std::string header = WriteCppHeader(d);
  EXPECT_TRUE(Contains(header,
                       "\n   int  getN() const {return n;}\n"
                       "   void  setN(const int & param0){ n = param0;}\n"));
  EXPECT_EQ(Count(header, "() const {return"), 1);  // no accessors for the array or the "(" row
  EXPECT_TRUE(Contains(header, "   char s[4];\n   int (x);\n"));
}

TEST(CppWriters, SourceEdgeCases) {
  ClassDescription d = Described({{"int", "a", " ", 1},
                                  {"int", "buf[8]", "{0}", 2},
                                  {"int", "m[3][4]", "", 3},
                                  {"int", "open[3", "", 4},
                                  {"int", "[x]", "", 5},
                                  {"unsigned char", "u[2]", "", 6},
                                  {" char ", "c[2]", "", 7},
                                  {"int", "scale(double f) const", "9", 8},
                                  {"int", "(odd)", "9", 9}});
  d.Options.BigConstructor = true;
  const std::string source = WriteCppSource(d);
  EXPECT_TRUE(Contains(source, "S::S(): \n           a( ),\n           buf({0}){}\n\n"));
  const std::string copies =
      "  a = that.a;\n"
      "  for(int ndx0=0;ndx0<8;ndx0++)\n    buf[ndx0] = that.buf[ndx0];\n"
      "  for(int ndx0=0;ndx0<3;ndx0++)\n    m[ndx0] = that.m[ndx0];\n"
      "  for(int ndx0=0;ndx0<;ndx0++)\n    open[ndx0] = that.open[ndx0];\n"
      "  [x] = that.;\n"
      "  for(int ndx0=0;ndx0<2;ndx0++)\n    u[ndx0] = that.u[ndx0];\n"
      "  strcpy(c, that.c);\n";
  EXPECT_TRUE(Contains(source, "S::S (const S & that){\n" + copies + "}\n\n"));
  EXPECT_TRUE(Contains(
      source, "S  S::operator =  (const S & that){\n" + copies + "  return *this;\n}\n\n"));
  EXPECT_TRUE(
      Contains(source, "       scale(double f) const(parm8),\n       (odd)(parm9)\n       {}\n"));
  EXPECT_TRUE(Contains(source,
                       "\nint S::scale(double f) const{ \n // enter your code here\n\n"
                       " } // scale\n\n\n"));
  EXPECT_EQ(Count(source, "enter your code here"), 1);
}

TEST(JavaWriter, OptionsTheGoldensDoNotShow) {
  ClassDescription d = Described({{"int", "v[3]", "0", 2}, {"int", "k", "", 5}});
  d.Options.TargetSystem = TargetSystem::Java;
  d.Options.BigConstructor = true;
  d.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  d.HeaderInsertions = {"A", "B"};
  const std::string java = WriteJavaClass(d);
  EXPECT_TRUE(Contains(java, "// S\n\nB\nA\n\npublic class S {\n"));
  EXPECT_TRUE(Contains(java, "\n public S(){\n   v = 0;\n}\n\n"));
  EXPECT_TRUE(Contains(java,
                       "  public  S(int parm2, int parm5){\n       v[3] = parm2;\n"
                       "       k = parm5;\n }\n\n"));
  EXPECT_EQ(Count(java, "bool operator"), 6);
  EXPECT_LT(java.find("// Comparisons\n   bool operator <"), java.find("operator !="));
  EXPECT_FALSE(Contains(java, "public int getV"));

  d.Options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  EXPECT_FALSE(Contains(WriteJavaClass(d), "// Comparisons"));
}

TEST(JavaWriter, NoMembersAndUpperCamelStub) {
  ClassDescription d = Described({});
  d.Options.TargetSystem = TargetSystem::Java;
  d.Options.BigConstructor = true;
  d.Options.ToStringMethod = true;
  d.Options.NameForm = NameForm::UpperCamel;
  EXPECT_EQ(WriteJavaClass(d),
            "// S\n\n\npublic class S {\n\n public S(){\n}\n\n public S (S that){\n}\n\n"
            "  public  S(){\n }\n\n\n  //Accessor functions\n"
            "\n  // You must implement\n   String ToString()const;\n\n}\n\n");
}

TEST(JavaWriter, IgnoresLibraryFlags) {
  ClassDescription d = Described({{"char", "name[32]", "", 1}});
  d.Options.TargetSystem = TargetSystem::Java;
  d.Options.FrameworkLibrary = false;
  const std::string plain = WriteJavaClass(d);
  d.Options.FrameworkLibrary = d.Options.StdLib = d.Options.MathLib = d.Options.CStrings = true;
  EXPECT_EQ(WriteJavaClass(d), plain);
  EXPECT_TRUE(Contains(plain, "  strcpy(name, that.name);\n"));
}

}  // namespace
}  // namespace zandrel
