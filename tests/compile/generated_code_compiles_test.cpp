// Generated C++ is meant to be compiled by the user: for members that are valid C++, every
// option's output must get through a compiler. Checked syntax-only, so the operators the user is
// told to implement (< and ==) may stay undefined.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "enumgen/enumeration_output.h"
#include "tests/support/enumeration_files.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

class GeneratedCode : public ::testing::Test {
 protected:
  // Writes header and source under ClassName, as Build does for a chosen "ClassName.h".
  void WriteClass(const ClassDescription& description) {
    const std::string chosen = folder_.Path(description.ClassName + ".h");
    ASSERT_TRUE(WriteClassFiles(description, chosen).empty()) << chosen;
    sources_.push_back(folder_.Path(description.ClassName + ".cpp"));
  }

  // Writes the style's two files for the request, and returns the include line.
  std::string WriteEnumeration(EnumerationRequest request) {
    request.SeparateFile = true;
    request.OutputPath = folder_.Path(request.TypeName + ".h");
    sources_.push_back(folder_.Path(request.TypeName + ".cpp"));
    return testing::ComposeAndWrite(request);
  }

  // One compiler run over every source written; its messages are shown when it fails.
  void ExpectAllCompile() {
    const std::string messages = folder_.Path("compiler.txt");
    std::string command = std::string("'") + ZANDREL_CHECK_COMPILER +
                          "' -std=c++17 -fsyntax-only -w -I '" + ZANDREL_STANDIN_INCLUDE_DIR + "'";
    for (const std::string& source : sources_) command += " '" + source + "'";
    command += " >'" + messages + "' 2>&1";
    const int status = std::system(command.c_str());
    EXPECT_EQ(status, 0) << command << "\n" << testing::ReadFile(messages);
  }

  testing::TempFolder folder_;
  std::vector<std::string> sources_;
};

MemberRow Row(int row, std::string type, std::string name, std::string initial = "") {
  return {std::move(type), std::move(name), std::move(initial), row};
}

ClassDescription Class(std::string name, std::vector<MemberRow> members, GenerationOptions options,
                       std::vector<std::string> insertions = {}) {
  return {std::move(name), std::move(members), options, InsertionList(insertions)};
}

EnumerationRequest Enumeration(std::string type, EnumerationStyle style, bool sentinels,
                               std::vector<std::pair<std::string, std::string>> rows) {
  EnumerationRequest request;
  request.TypeName = std::move(type);
  request.Style = style;
  request.FirstAndLast = sentinels;
  request.ApplyPrefix = true;
  request.PrefixText = "ZD";
  for (std::size_t i = 0; i < rows.size(); ++i)
    request.GridRows[i] = {rows[i].first, rows[i].second};
  return request;
}

TEST_F(GeneratedCode, ClassesCompileWithEveryOption) {
  GenerationOptions wx;  // DevC++ with the wx string header, methods, public copies
  wx.TargetSystem = TargetSystem::DevCpp;
  wx.StdLib = wx.MathLib = true;
  wx.NameForm = NameForm::LowerCamel;
  wx.ComparisonLevel = ComparisonLevel::AllComparisons;
  wx.ToStringMethod = true;
  WriteClass(Class("Sample",
                   {Row(1, "int", "count", "0"), Row(2, "double", "rate", "1.5"),
                    Row(4, "String", "note", "\"none\""), Row(5, "double", "area(int w, int h)"),
                    Row(6, "void", "reset()"), Row(7, "int", "scale(double f) const"),
                    Row(8, "unsigned long", "total"), Row(9, "char", "c", "'a'")},
                   wx));

  GenerationOptions vcl;  // CBuilder, C strings and arrays, private copies, big constructor
  vcl.TargetSystem = TargetSystem::CBuilder;
  vcl.CStrings = true;
  vcl.PrivateCopy = true;
  vcl.BigConstructor = true;
  vcl.ComparisonLevel = ComparisonLevel::EqualityOnly;
  vcl.ToStringMethod = true;
  vcl.NameForm = NameForm::LowerUnderscore;
  WriteClass(Class("Point",
                   {Row(1, "int", "x", "0"), Row(2, "int", "y"), Row(3, "char", "label[16]"),
                    Row(5, "double", "coords[3]"), Row(6, "AnsiString", "caption", "\"p\""),
                    Row(7, "int", "area()")},
                   vcl));

  GenerationOptions arrays = vcl;  // public copies: strcpy and element loops in the source
  arrays.PrivateCopy = false;
  arrays.BigConstructor = false;
  arrays.ComparisonLevel = ComparisonLevel::NoComparisons;
  arrays.NameForm = NameForm::UpperCamel;
  WriteClass(Class(
      "Buffer",
      {Row(1, "char", "name[32]"), Row(2, " char ", "tag[8]"), Row(3, "unsigned char", "bytes[4]"),
       Row(4, "float", "samples[N]"), Row(5, "int", "size", "N")},
      arrays, {"const int N = 16;"}));

  GenerationOptions visual;  // no framework header: the String type comes from an insertion
  visual.TargetSystem = TargetSystem::VisualCpp;
  visual.BigConstructor = true;
  visual.StdLib = true;
  visual.ComparisonLevel = ComparisonLevel::AllComparisons;
  visual.ToStringMethod = true;
  visual.NameForm = NameForm::UpperCamel;
  WriteClass(Class("Meter",
                   {Row(1, "std::string", "name", "\"meter\""), Row(3, "unsigned long", "total"),
                    Row(4, "long double", "level", "0.5L"), Row(6, "bool", "on", "true")},
                   visual, {"typedef std::string String;", "#include <string>"}));  // newest first

  GenerationOptions bare;  // no members, no framework, nothing optional
  bare.TargetSystem = TargetSystem::VisualCpp;
  bare.FrameworkLibrary = false;
  WriteClass(Class("Empty", {}, bare));

  GenerationOptions guarded = bare;  // no members and private copies
  guarded.PrivateCopy = true;
  guarded.TargetSystem = TargetSystem::DevCpp;
  guarded.FrameworkLibrary = true;
  WriteClass(Class("Guarded", {}, guarded));

  ExpectAllCompile();
}

TEST_F(GeneratedCode, EnumerationsCompileInBothStyles) {
  const auto plain = EnumerationStyle::PlainEnumeration;
  const auto wrapped = EnumerationStyle::EnumerationClass;
  std::vector<std::pair<std::string, std::string>> colors;
  for (const char* name : {"Red", "Green", "Blue", "Cyan", "Magenta", "Yellow", "Black", "White"})
    colors.push_back({name, ""});

  const std::string colorsInclude = WriteEnumeration(Enumeration("Colors", plain, true, colors));
  WriteEnumeration(
      Enumeration("Sizes", plain, false, {{"Small", "1"}, {"Large", "-2"}, {"Huge", "0x10"}}));
  WriteEnumeration(
      Enumeration("Light", wrapped, true, {{"Red", ""}, {"Amber", ""}, {"Green", ""}}));
  WriteEnumeration(Enumeration("Level", wrapped, false, {{"Low", "$1F"}, {"High", "100"}}));
  WriteEnumeration(Enumeration("Single", wrapped, false, {{"Only", ""}}));

  // A class that uses an enumeration handed over as an include line, and one that holds the
  // enumeration's text itself, as the main window keeps them.
  GenerationOptions vcl;
  vcl.TargetSystem = TargetSystem::CBuilder;
  vcl.BigConstructor = true;
  WriteClass(Class("Palette", {Row(1, "Colors", "shade", "ZDRed")}, vcl, {colorsInclude}));

  EnumerationRequest inline_request =
      Enumeration("Fruit", plain, true, {{"Apple", ""}, {"Pear", ""}});
  WriteClass(
      Class("Basket", {Row(1, "Fruit", "kind"), Row(2, "int", "count", "0")}, vcl,
            {std::get<EnumerationOutput>(ComposeEnumeration(inline_request, nullptr)).HandOver()}));

  ExpectAllCompile();
}

}  // namespace
}  // namespace zandrel
