#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "enumgen/enumeration_class_writer.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_styles.h"
#include "enumgen/enumeration_texts.h"
#include "enumgen/modern_enumeration_writer.h"
#include "enumgen/plain_enumeration_writer.h"
#include "tests/support/golden.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

using zandrel::testing::MatchesGolden;
using zandrel::testing::ReadFile;

// The two texts of a list, each as it stands in the text the main window receives.
std::string EnumText(const EnumerationRequest& request, const EnumerationList& list) {
  return std::string(BuildTexts(request, list).EnumText());
}
std::string ToStringText(const EnumerationRequest& request, const EnumerationList& list) {
  return std::string(BuildTexts(request, list).ToStringText());
}

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

EnumerationOutput Composed(const EnumerationRequest& request, const ListFile* listFile = nullptr) {
  return std::get<EnumerationOutput>(ComposeEnumeration(request, listFile));
}

// Each style's files written over old, longer ones: the golden texts, the include line handed
// over. A second run replaces the files of the first whole.
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
  testing::TempFolder folder;
  for (const Case& c : cases) {
    const std::string stem = folder.Path(c.stem);
    const std::string golden = std::string("enumgen/") + c.golden;
    testing::WriteFile(stem + ".h", std::string(100000, 'x'));
    for (int run = 0; run < 2; ++run) {
      const EnumerationOutput output = Composed(c.make(folder.Path(c.file)));
      EXPECT_EQ(output.HandOver(), "#include \"" + std::string(c.stem) + ".h\" ");
      std::vector<std::string> offered;
      EXPECT_TRUE(ReplaceFiles(output.Files, [&](const auto& old) { offered = old; }).empty());
      EXPECT_EQ(offered.size(), run == 0 ? 1u : 2u) << c.golden;
    }
    EXPECT_TRUE(MatchesGolden(golden + ".h.golden", ReadFile(stem + ".h")));
    EXPECT_TRUE(MatchesGolden(golden + ".cpp.golden", ReadFile(stem + ".cpp")));
  }
}

TEST(EnumText, BreaksAfterEverySixthPosition) {
  for (int n : {1, 7, 8, 13}) {
    EnumerationRequest request;
    request.TypeName = "Many";
    request.FirstAndLast = false;
    request.ApplyPrefix = false;
    for (int k = 0; k < n; ++k)
      request.GridRows[k].Name = std::string("E").append(std::to_string(k));
    EXPECT_TRUE(MatchesGolden("enumgen/enum_text_" + std::to_string(n) + ".golden",
                              Composed(request).EnumText()));
  }
}

TEST(EnumText, EmptyListAndValues) {
  EnumerationRequest request;
  request.TypeName = "T";
  EnumerationList empty;
  EXPECT_EQ(EnumText(request, empty), "typedef enum {\n   }\n    T;\n");
  EXPECT_EQ(ToStringText(request, empty),
            "\n\nAnsiString __fastcall ToString(const T & val){\n switch(val){\n"
            "   default:\n     return \"Invalid\";\n  } // switch\n}\n");
  request.Style = EnumerationStyle::EnumerationClass;
  EXPECT_EQ(EnumText(request, empty), "enum T_enum {\n   };\n");

  EnumerationList list{{{"A", 0}, {"B", -2147483647 - 1}, {"C", std::nullopt}}, true};
  EXPECT_EQ(EnumText(request, list), "enum T_enum {\n   A = 0, B = -2147483648, C};\n");
  list.ValuesGiven = false;
  EXPECT_EQ(EnumText(request, list), "enum T_enum {\n   A, B, C};\n");
}

TEST(ToStringText, ReturnsNamesWithoutThePrefixOnlyWhenApplied) {
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
    const EnumerationList list{{{c.name, std::nullopt}}, false};
    EXPECT_NE(ToStringText(request, list).find("return \"" + c.expected + "\";"), std::string::npos)
        << c.name;
  }
}

// The files take the stem of the chosen path; the include line names the header alone.
TEST(EnumerationOutput, FilesAndHandOver) {
  const std::string longFile(80, 'f');
  struct Case {
    std::string path, stem, base;
  };
  const Case cases[] = {
      {"/work/Colors.h", "/work/Colors", "Colors"},
      {"/work/Colors.cpp", "/work/Colors", "Colors"},
      {"/work/my.dir/Colors", "/work/my.dir/Colors", "Colors"},
      {"/work/Colors.old.h", "/work/Colors.old", "Colors.old"},
      {"Colors", "Colors", "Colors"},
      {"/a.b/c.d/" + longFile + ".h", "/a.b/c.d/" + longFile, longFile},
  };
  for (const Case& c : cases) {
    const EnumerationOutput output = Composed(PlainWithValues(c.path));
    ASSERT_EQ(output.Files.size(), 2u);
    EXPECT_EQ(output.Files[0].Path, c.stem + ".h");
    EXPECT_EQ(output.Files[1].Path, c.stem + ".cpp");
    EXPECT_EQ(output.HandOver(), "#include \"" + c.base + ".h\" ") << c.path;
    EXPECT_TRUE(output.Files[1].Text.starts_with(output.HandOver() + "\n"));
  }
  // Without a separate file the texts are handed over and nothing is to be written.
  EnumerationRequest request = ClassWithSentinels("");
  request.SeparateFile = false;
  const EnumerationOutput output = Composed(request);
  const EnumerationList list = std::get<EnumerationList>(BuildEnumerationList(request, nullptr));
  EXPECT_EQ(output.HandOver(), BuildTexts(request, list).Text);
  EXPECT_EQ(output.EnumText(), EnumText(request, list));
  EXPECT_TRUE(output.Files.empty());
  // An empty plain enumeration is still produced.
  EnumerationRequest empty;
  empty.FirstAndLast = false;
  EXPECT_TRUE(std::holds_alternative<EnumerationOutput>(ComposeEnumeration(empty, nullptr)));
}

// A list file's names are taken where they lie in its text; the texts and files are those of the
// list BuildEnumerationList makes from the file.
TEST(EnumerationOutput, ListFileGivesTheTextsOfItsList) {
  testing::TempFolder folder;
  // The enum class style refuses names C++ cannot take; the classic styles write them.
  const ListFile file = std::get<ListFile>(
      ReadListFile(folder.Write("list.txt", "Red Green\n# Grey\nBlue x=1 /no\n/ Yellow\n")));
  const ListFile names = std::get<ListFile>(
      ReadListFile(folder.Write("names.txt", "Red Green\n# Grey\nBlue\n/ Yellow\n")));
  for (const EnumerationStyle style :
       {EnumerationStyle::PlainEnumeration, EnumerationStyle::EnumerationClass,
        EnumerationStyle::ModernEnumeration}) {
    for (const bool sentinels : {true, false}) {
      for (const std::string prefix : {"", "ZD", "APrefixLongerThanNames"}) {
        EnumerationRequest request;
        request.TypeName = "Hue";
        request.Style = style;
        request.FromFile = true;
        request.FirstAndLast = sentinels;
        request.ApplyPrefix = !prefix.empty();
        request.PrefixText = prefix.empty() ? "ZD" : prefix;
        request.SeparateFile = true;
        request.OutputPath = "/x/Hue.h";
        const ListFile& read = style == EnumerationStyle::ModernEnumeration ? names : file;
        const EnumerationList list =
            std::get<EnumerationList>(BuildEnumerationList(request, &read));
        const EnumerationOutput output = Composed(request, &read);
        if (style == EnumerationStyle::ModernEnumeration) {
          const auto texts = std::get<EnumerationTexts>(ModernEnumerationTexts(request, list));
          EXPECT_EQ(output.Files.at(0).Text, ModernEnumerationHeader(texts)) << prefix;
          continue;
        }
        EXPECT_EQ(output.Texts.Text, BuildTexts(request, list).Text) << prefix;
        EXPECT_EQ(output.EnumText(), EnumText(request, list));
        const EnumerationTexts expected = BuildTexts(request, list);
        EXPECT_EQ(output.Texts.FirstName, expected.FirstName);
        EXPECT_EQ(output.Texts.LastName, expected.LastName);
        const bool isClass = style == EnumerationStyle::EnumerationClass;
        EXPECT_EQ(output.Files.at(0).Text,
                  isClass ? EnumerationClassHeader(request, expected)
                          : PlainEnumerationHeader(request, expected.EnumText()));
        EXPECT_EQ(output.Files.at(1).Text,
                  isClass ? EnumerationClassSource(request, expected)
                          : PlainEnumerationSource(request, expected.ToStringText()));
      }
    }
  }
}

// Printed as they are made, the texts of a long list go out in blocks and are those the window
// receives; a refused request gives none.
TEST(EnumerationOutput, StreamedTextsAreTheComposedOnes) {
  testing::TempFolder folder;
  std::string words;
  for (int k = 0; k < 20000; ++k) words += "Name" + std::to_string(k * 7919 % 20000) + "\n";
  const ListFile file = std::get<ListFile>(ReadListFile(folder.Write("list.txt", words)));
  const ListFile keyword =
      std::get<ListFile>(ReadListFile(folder.Write("bad.txt", "Alpha\nclass\n")));
  for (const EnumerationStyleRow& style : EnumerationStyles()) {
    for (const ListFile* list : {&file, &keyword}) {
      EnumerationRequest request;
      request.TypeName = "Long";
      request.Style = style.Style;
      request.FromFile = true;
      request.ApplyPrefix = list == &file;
      request.PrefixText = "LN";
      std::vector<std::string> pieces;
      BlockSink text([&pieces](std::string_view piece) { pieces.emplace_back(piece); });
      const std::optional<Refusal> refusal = StreamEnumeration(request, list, text);
      text.Flush();
      const auto composed = ComposeEnumeration(request, list);
      ASSERT_EQ(refusal.has_value(), std::holds_alternative<Refusal>(composed)) << style.Name;
      if (refusal) {
        EXPECT_TRUE(pieces.empty()) << style.Name;
        continue;
      }
      std::string joined;
      for (const std::string& piece : pieces) {
        EXPECT_LE(piece.size(), std::size_t{1} << 16) << style.Name;
        joined += piece;
      }
      EXPECT_TRUE(list != &file || pieces.size() > 10) << style.Name;
      EXPECT_EQ(joined, std::get<EnumerationOutput>(composed).HandOver()) << style.Name;
    }
  }
}

TEST(EnumerationOutput, Refusals) {
  EnumerationRequest emptyClass;
  emptyClass.Style = EnumerationStyle::EnumerationClass;
  emptyClass.FirstAndLast = false;
  emptyClass.GridRows[3] = {"", "4"};
  EnumerationRequest badValue = PlainWithValues("Bad.h");
  badValue.GridRows[5] = {"Pink", "$G"};
  EnumerationRequest emptyFile = emptyClass;  // no list file chosen
  emptyFile.FromFile = true;
  const std::pair<EnumerationRequest, std::string> cases[] = {
      {emptyClass, "An enumeration class needs at least one name."},
      {emptyFile, "An enumeration class needs at least one name."},
      {badValue, "The value \"$G\" in row 6 is not a whole number."},
  };
  for (const auto& [request, message] : cases) {
    for (bool separate : {true, false}) {
      EnumerationRequest r = request;
      r.SeparateFile = separate;
      const auto composed = ComposeEnumeration(r, nullptr);
      ASSERT_TRUE(std::holds_alternative<Refusal>(composed));
      EXPECT_EQ(std::get<Refusal>(composed).Message, message);
    }
  }
}

TEST(EnumerationClassFiles, OneEntryIsBothFirstAndLast) {
  EnumerationRequest request;
  request.TypeName = "One";
  request.Style = EnumerationStyle::EnumerationClass;
  request.FirstAndLast = false;
  request.ApplyPrefix = false;
  request.GridRows[0].Name = "Only";
  request.SeparateFile = true;
  request.OutputPath = "/x/One.h";
  const std::string source = Composed(request).Files.at(1).Text;
  for (const char* piece : {"  data = Only;\n", "if(data < Only){\n", "  if(data >= Only){\n",
                            "if(data <= Only){\n", "  if(data > Only){\n"})
    EXPECT_NE(source.find(piece), std::string::npos) << piece;
  EXPECT_TRUE(source.ends_with("}\n\n \n"));
}

}  // namespace
}  // namespace zandrel
