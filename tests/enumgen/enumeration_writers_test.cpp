#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "enumgen/enumeration_writers.h"
#include "tests/support/golden.h"

namespace zandrel {
namespace {

using zandrel::testing::MatchesGolden;
using zandrel::testing::ReadWholeFile;

// Never asked: these requests read the grid.
class NoDialog : public FileDialog {
 public:
  bool Execute() override {
    ADD_FAILURE() << "no list file expected";
    return false;
  }
};

class TempFolder {
 public:
  TempFolder() {
    path_ = std::filesystem::temp_directory_path() /
            ("zandrel_enumwriters_" +
             std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() { std::filesystem::remove_all(path_); }
  std::string operator/(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

EnumerationRequest PlainWithValues(const std::string& outputPath) {
  EnumerationRequest request;
  request.TypeName = "Colors";
  request.GridRows[0] = {"Red", "0"};
  request.GridRows[1] = {"Green", " -7"};
  request.GridRows[2] = {"Blue", ""};
  request.SeparateFile = true;
  request.OutputPath = outputPath;
  return request;
}

EnumerationRequest ClassWithSentinels(const std::string& outputPath) {
  EnumerationRequest request;
  request.TypeName = "TrafficLight";
  request.Style = EnumerationStyle::EnumerationClass;
  request.PrefixText = "TL";
  request.GridRows[0] = {"Red", ""};
  request.GridRows[1] = {"Amber", ""};
  request.GridRows[2] = {"Green", ""};
  request.SeparateFile = true;
  request.OutputPath = outputPath;
  return request;
}

EnumerationRequest ClassWithValues(const std::string& outputPath) {
  EnumerationRequest request;
  request.TypeName = "Level";
  request.Style = EnumerationStyle::EnumerationClass;
  request.FirstAndLast = false;
  request.ApplyPrefix = false;
  request.GridRows[0] = {"Low", "1"};
  request.GridRows[1] = {"Mid", ""};
  request.GridRows[2] = {"High", "0x10"};
  request.SeparateFile = true;
  request.OutputPath = outputPath;
  return request;
}

TEST(EnumerationFiles, WrittenFilesMatchTheGoldenTexts) {
  struct Case {
    EnumerationRequest (*make)(const std::string&);
    const char* file;  // the chosen output path's file name
    const char* stem;  // output stem in the build tree
    const char* golden;
  };
  const Case cases[] = {
      {PlainWithValues, "Colors.h", "Colors", "plain_values"},
      {ClassWithSentinels, "TrafficLight.cpp", "TrafficLight", "class_sentinels"},
      {ClassWithValues, "Level.h", "Level", "class_values"},
  };
  TempFolder folder;
  for (const Case& c : cases) {
    const EnumerationRequest request = c.make(folder / c.file);
    NoDialog dialog;
    auto result = GenerateEnumerationOutput(request, dialog);
    ASSERT_TRUE(std::holds_alternative<GeneratedEnumeration>(result)) << c.golden;
    const auto& generated = std::get<GeneratedEnumeration>(result);
    EXPECT_TRUE(generated.Failures.empty());
    EXPECT_EQ(generated.HandOver, "#include \"" + std::string(c.stem) + ".h\" ");
    const std::string golden = std::string("enumgen/") + c.golden;
    EXPECT_TRUE(
        MatchesGolden(golden + ".h.golden", ReadWholeFile(folder / (c.stem + std::string(".h")))));
    EXPECT_TRUE(MatchesGolden(golden + ".cpp.golden",
                              ReadWholeFile(folder / (c.stem + std::string(".cpp")))));
  }
}

TEST(EnumText, BreaksAfterEverySixthPosition) {
  for (int n : {1, 7, 8, 13}) {
    EnumerationRequest request;
    request.TypeName = "Many";
    request.FirstAndLast = false;
    request.ApplyPrefix = false;
    for (int k = 0; k < n; ++k) request.GridRows[k].Name = "E" + std::to_string(k);
    NoDialog dialog;
    const auto list = std::get<EnumerationList>(BuildEnumerationList(request, dialog));
    EXPECT_TRUE(MatchesGolden("enumgen/enum_text_" + std::to_string(n) + ".golden",
                              BuildEnumText(request, list)));
  }
}

TEST(EnumText, EmptyListAndValues) {
  EnumerationRequest request;
  request.TypeName = "T";
  EnumerationList empty;
  EXPECT_EQ(BuildEnumText(request, empty), "typedef enum {\n   }\n    T;\n");
  EXPECT_EQ(BuildToStringText(request, empty),
            "\n\nAnsiString __fastcall ToString(const T & val){\n switch(val){\n"
            "   default:\n     return \"Invalid\";\n  } // switch\n}\n");
  request.Style = EnumerationStyle::EnumerationClass;
  EXPECT_EQ(BuildEnumText(request, empty), "enum T_enum {\n   };\n");

  EnumerationList list{{{"A", 0}, {"B", -2147483647 - 1}, {"C", std::nullopt}}, true};
  EXPECT_EQ(BuildEnumText(request, list), "enum T_enum {\n   A = 0, B = -2147483648, C};\n");
  list.ValuesGiven = false;
  EXPECT_EQ(BuildEnumText(request, list), "enum T_enum {\n   A, B, C};\n");
}

TEST(ReturnName, DropsThePrefixOnlyWhenApplied) {
  const std::string longName(300, 'n');
  struct Case {
    bool applyPrefix;
    std::string prefix;
    std::string name;
    std::string expected;
  };
  const Case cases[] = {
      {true, "ZD", "ZDRed", "Red"},
      {true, "ZD", "ZDFirstUnused", "FirstUnused"},
      {true, "", "Red", "Red"},
      {false, "ZD", "ZDRed", "ZDRed"},
      {true, "ZD", "ZD" + longName, longName},  // kept whole, however long
      {true, "LONGPREFIX", "LONG", ""},
  };
  for (const Case& c : cases) {
    EnumerationRequest request;
    request.ApplyPrefix = c.applyPrefix;
    request.PrefixText = c.prefix;
    EXPECT_EQ(ReturnName(request, {c.name, std::nullopt}), c.expected) << c.name;
  }
}

TEST(OutputNames, StemBaseNameAndIncludeLine) {
  const std::string longFile(80, 'f');
  struct Case {
    std::string path;
    std::string stem;
    std::string base;
  };
  const Case cases[] = {
      {"/work/Colors.h", "/work/Colors", "Colors"},
      {"/work/Colors.cpp", "/work/Colors", "Colors"},
      {"/work/Colors", "/work/Colors", "Colors"},
      {"/work/my.dir/Colors", "/work/my.dir/Colors", "Colors"},
      {"/work/my.dir/Colors.h", "/work/my.dir/Colors", "Colors"},
      {"/work/Colors.old.h", "/work/Colors.old", "Colors.old"},
      {"Colors.h", "Colors", "Colors"},
      {"Colors", "Colors", "Colors"},
      {"/a.b/c.d/" + longFile + ".h", "/a.b/c.d/" + longFile, longFile},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutputStem(c.path), c.stem) << c.path;
    EXPECT_EQ(HeaderBaseName(c.path), c.base) << c.path;
    EXPECT_EQ(IncludeLine(c.path), "#include \"" + c.base + ".h\" ") << c.path;
    EXPECT_EQ(EnumerationOutputPaths(c.path),
              (std::vector<std::string>{c.stem + ".h", c.stem + ".cpp"}));
  }
}

TEST(GenerateEnumerationOutput, RefusalsWriteNothing) {
  TempFolder folder;
  struct Case {
    EnumerationRequest request;
    std::string message;
  };
  EnumerationRequest emptyClass;
  emptyClass.Style = EnumerationStyle::EnumerationClass;
  emptyClass.FirstAndLast = false;
  emptyClass.GridRows[3] = {"", "4"};
  emptyClass.SeparateFile = true;
  emptyClass.OutputPath = folder / "Empty.h";
  EnumerationRequest badValue = PlainWithValues(folder / "Bad.h");
  badValue.GridRows[5] = {"Pink", "$G"};
  const Case cases[] = {
      {emptyClass, "An enumeration class needs at least one name."},
      {badValue, "The value \"$G\" in row 6 is not a whole number."},
  };
  for (const Case& c : cases) {
    for (bool separate : {true, false}) {
      EnumerationRequest request = c.request;
      request.SeparateFile = separate;
      NoDialog dialog;
      auto result = GenerateEnumerationOutput(request, dialog);
      ASSERT_TRUE(std::holds_alternative<Refusal>(result));
      EXPECT_EQ(std::get<Refusal>(result).Message, c.message);
      EXPECT_TRUE(std::filesystem::is_empty(folder / ""));
    }
  }
}

TEST(GenerateEnumerationOutput, WithoutSeparateFileHandsOverTheTexts) {
  EnumerationRequest request = ClassWithSentinels("");
  request.SeparateFile = false;
  NoDialog dialog;
  auto result = GenerateEnumerationOutput(request, dialog);
  const auto& generated = std::get<GeneratedEnumeration>(result);
  const auto list = std::get<EnumerationList>(BuildEnumerationList(request, dialog));
  EXPECT_EQ(generated.HandOver, BuildEnumText(request, list) + BuildToStringText(request, list));
  EXPECT_TRUE(generated.Failures.empty());
  // An empty plain enumeration is still produced.
  EnumerationRequest empty;
  empty.FirstAndLast = false;
  EXPECT_TRUE(
      std::holds_alternative<GeneratedEnumeration>(GenerateEnumerationOutput(empty, dialog)));
}

TEST(GenerateEnumerationOutput, ReplacesExistingFilesWhole) {
  TempFolder folder;
  const std::string longOld(100000, 'x');
  std::ofstream(folder / "Colors.h", std::ios::binary) << longOld;
  std::ofstream(folder / "Colors.cpp", std::ios::binary) << longOld;
  const EnumerationRequest request = PlainWithValues(folder / "Colors.h");
  NoDialog dialog;
  std::vector<std::string> offered;
  for (int run = 0; run < 2; ++run)
    GenerateEnumerationOutput(request, dialog, {},
                              [&](const auto& existing) { offered = existing; });
  EXPECT_EQ(offered, (std::vector<std::string>{folder / "Colors.h", folder / "Colors.cpp"}));
  EXPECT_TRUE(MatchesGolden("enumgen/plain_values.h.golden", ReadWholeFile(folder / "Colors.h")));
  EXPECT_TRUE(
      MatchesGolden("enumgen/plain_values.cpp.golden", ReadWholeFile(folder / "Colors.cpp")));
}

TEST(GenerateEnumerationOutput, ReportsEveryFileNotWritten) {
  TempFolder folder;
  // The header's name is taken by a folder: the pair is one step, so the source is not written.
  std::filesystem::create_directories(folder / "Colors.h");
  const EnumerationRequest request = PlainWithValues(folder / "Colors.h");
  NoDialog dialog;
  bool offered = false;
  auto generated = std::get<GeneratedEnumeration>(
      GenerateEnumerationOutput(request, dialog, {}, [&](const auto&) { offered = true; }));
  ASSERT_EQ(generated.Failures.size(), 1u);
  EXPECT_EQ(generated.Failures[0].Path, folder / "Colors.h");
  EXPECT_EQ(generated.Failures[0].Reason, "not a regular file");
  EXPECT_FALSE(std::filesystem::exists(folder / "Colors.cpp"));
  EXPECT_FALSE(offered);

  // Neither file can be created in a missing folder.
  const EnumerationRequest nowhere = ClassWithSentinels(folder / "missing/TrafficLight.h");
  generated = std::get<GeneratedEnumeration>(GenerateEnumerationOutput(nowhere, dialog));
  ASSERT_EQ(generated.Failures.size(), 2u);
  EXPECT_EQ(generated.Failures[0].Path, folder / "missing/TrafficLight.h");
  EXPECT_EQ(generated.Failures[1].Path, folder / "missing/TrafficLight.cpp");
  EXPECT_EQ(generated.HandOver, "#include \"TrafficLight.h\" ");
}

TEST(EnumerationClassFiles, OneEntryIsBothFirstAndLast) {
  EnumerationRequest request;
  request.TypeName = "One";
  request.Style = EnumerationStyle::EnumerationClass;
  request.FirstAndLast = false;
  request.ApplyPrefix = false;
  request.OutputPath = "/x/One.h";
  const EnumerationList list{{{"Only", std::nullopt}}, false};
  const auto files = EnumerationClassFiles(request, list, BuildEnumText(request, list),
                                           BuildToStringText(request, list));
  ASSERT_EQ(files.size(), 2u);
  EXPECT_EQ(files[0].Path, "/x/One.h");
  EXPECT_EQ(files[1].Path, "/x/One.cpp");
  const std::string& source = files[1].Text;
  EXPECT_NE(source.find("  data = Only;\n"), std::string::npos);
  EXPECT_NE(source.find("if(data < Only){\n"), std::string::npos);
  EXPECT_NE(source.find("  if(data >= Only){\n"), std::string::npos);
  EXPECT_NE(source.find("if(data <= Only){\n"), std::string::npos);
  EXPECT_NE(source.find("  if(data > Only){\n"), std::string::npos);
  EXPECT_TRUE(source.ends_with("}\n\n \n"));
}

}  // namespace
}  // namespace zandrel
