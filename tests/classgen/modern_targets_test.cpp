#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "classgen/insertion_fit.h"
#include "classgen/java_record_writer.h"
#include "classgen/modern_cpp_writer.h"
#include "classgen/modern_rules.h"
#include "tests/support/golden.h"
#include "tests/support/sample_classes.h"

namespace zandrel {
namespace {

using testing::MatchesGolden;

TEST(ModernRules, ArrayShapes) {
  struct Case {
    std::string name;
    bool shaped;
    std::string base;
    std::vector<std::string> dimensions;
  };
  const Case cases[] = {
      {"buf[20]", true, "buf", {"20"}},
      {"grid[3][4]", true, "grid", {"3", "4"}},
      {"v[N + 1]", true, "v", {"N + 1"}},
      {"buf", false, "", {}},
      {"[20]", false, "", {}},
      {"buf[]", false, "", {}},
      {"buf]x[", false, "", {}},
      {"buf[2]x", false, "", {}},
      {"buf[2", false, "", {}},
  };
  for (const Case& c : cases) {
    const auto shape = ArrayShapeOf(c.name);
    ASSERT_EQ(shape.has_value(), c.shaped) << c.name;
    if (!shape) continue;
    EXPECT_EQ(shape->Base, c.base) << c.name;
    EXPECT_EQ(shape->Dimensions, c.dimensions) << c.name;
  }
}

TEST(ModernRules, ScalarTypes) {
  const std::vector<std::string> enumerations = {"Colour"};
  const std::pair<std::string, bool> cases[] = {{"int", true},
                                                {"unsigned long long", true},
                                                {" long  double ", true},
                                                {"bool", true},
                                                {"std::size_t", true},
                                                {"uint8_t", true},
                                                {"const char*", true},
                                                {"Colour", true},
                                                {"std::string", false},
                                                {"Shade", false},
                                                {"std::vector<int>", false},
                                                {"", false},
                                                {"unsigned Foo", false}};
  for (const auto& [type, scalar] : cases)
    EXPECT_EQ(IsScalarType(type, enumerations), scalar) << type;
}

TEST(ModernRules, StandardHeadersOfTypes) {
  const std::pair<std::string, std::set<std::string>> cases[] = {
      {"std::string", {"<string>"}},
      {"std::map<std::string, std::vector<int>>", {"<map>", "<string>", "<vector>"}},
      {"std::unique_ptr<Node>", {"<memory>"}},
      {"std::int64_t", {"<cstdint>"}},
      {"mystd::string", {}},
      {"std::stringstream", {}},
      {"Widget", {}},
  };
  for (const auto& [type, expected] : cases) {
    std::set<std::string> headers;
    AddStandardHeaders(type, headers);
    EXPECT_EQ(headers, expected) << type;
  }
}

TEST(ModernRules, MethodDefinitions) {
  struct Case {
    std::string type, name, definitionType, definitionName;
    bool isConst, returnsVoid;
  };
  const Case cases[] = {
      {"double", "area(int w, int h) const", "double", "area(int w, int h) const", true, false},
      {"int", "scale(double f = 2.0, int n = g(1, 2))", "int", "scale(double f, int n)", false,
       false},
      {"static void", "reset()", "void", "reset()", false, true},
      {"virtual int", "size() const override", "int", "size() const", true, false},
      {"std::string", "describe(std::map<int, int> m = {})", "std::string",
       "describe(std::map<int, int> m)", false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DefinitionType(c.type), c.definitionType) << c.type;
    EXPECT_EQ(DefinitionName(c.name), c.definitionName) << c.name;
    EXPECT_EQ(IsConstMethod(c.name), c.isConst) << c.name;
    EXPECT_EQ(ReturnsVoid(c.type), c.returnsVoid) << c.type;
  }
}

// Which enumeration texts each target can use, and what a mismatch is called.
TEST(InsertionFit, MismatchesByTarget) {
  using testing::Collected;
  // The kind comes from the record alone: a text of unknown kind (the last) is never judged.
  const InsertionList insertions(std::vector<HeaderInsertion>{
      Collected(InsertionKind::LegacyCpp, "Shade", "typedef enum {\n   A, B}\n    Shade;\n"),
      Collected(InsertionKind::LegacyCpp, "Light", "enum Light_enum {\n   Red};\n"),
      Collected(InsertionKind::LegacyCpp, "Colors", "#include \"Colors.h\" "),
      Collected(InsertionKind::EnumClass, "Level", "#include \"Level.h\" // enum class Level"),
      Collected(InsertionKind::EnumClass, "Colour", "// enum class Colour\n#include <array>\n"),
      HeaderInsertion::TextOnly(ShareText("#include \"Mine.h\"")),
  });
  struct Case {
    TargetSystem target;
    std::vector<std::size_t> mismatched;
  };
  const Case cases[] = {
      {TargetSystem::CBuilder, {3, 4}},      {TargetSystem::DevCpp, {3, 4}},
      {TargetSystem::VisualCpp, {3, 4}},     {TargetSystem::ModernCpp, {0, 1, 2}},
      {TargetSystem::Java, {0, 1, 2, 3, 4}}, {TargetSystem::JavaRecord, {0, 1, 2, 3, 4}},
  };
  const std::string names[] = {"Shade", "Light", "Colors", "Level", "Colour"};
  for (const Case& c : cases) {
    ClassDescription description;
    description.Options.TargetSystem = c.target;
    description.HeaderInsertions = insertions;
    std::vector<std::size_t> mismatched;
    for (const InsertionMismatch& mismatch : InsertionMismatches(description)) {
      mismatched.push_back(mismatch.Index);
      EXPECT_EQ(mismatch.Enumeration, names[mismatch.Index]);
    }
    EXPECT_EQ(mismatched, c.mismatched) << static_cast<int>(c.target);
  }
}

TEST(ModernGolden, ClassesAndRecords) {
  using testing::ModernAccountClass;
  using testing::ModernPointClass;
  ClassDescription record = ModernPointClass();
  record.Options.TargetSystem = TargetSystem::JavaRecord;
  record.Members = {{"int", "x", "0", 1},         {"long", "y", "", 2},
                    {"String", "name", "", 3},    {"double", "coords[3]", "", 4},
                    {"int", "grid[2][3]", "", 5}, {"double", "area(int w, int h)", "", 7},
                    {"void", "reset()", "", 8}};
  ClassDescription tag = ModernAccountClass();
  tag.Options.TargetSystem = TargetSystem::JavaRecord;
  tag.Members[0].Type = "String";
  ClassDescription empty;
  empty.ClassName = "Nothing";
  empty.Options.TargetSystem = TargetSystem::ModernCpp;

  EXPECT_TRUE(MatchesGolden("classgen/modern_point_header.golden",
                            WriteModernCppHeader(ModernPointClass())));
  EXPECT_TRUE(MatchesGolden("classgen/modern_point_source.golden",
                            WriteModernCppSource(ModernPointClass())));
  EXPECT_TRUE(MatchesGolden("classgen/modern_account_header.golden",
                            WriteModernCppHeader(ModernAccountClass())));
  EXPECT_TRUE(MatchesGolden("classgen/modern_empty_header.golden", WriteModernCppHeader(empty)));
  EXPECT_EQ(WriteModernCppSource(empty), "// Nothing\n#include \"Nothing.h\"\n");
  EXPECT_TRUE(MatchesGolden("classgen/point_record_java.golden", WriteJavaRecord(record)));
  EXPECT_TRUE(MatchesGolden("classgen/account_record_java.golden", WriteJavaRecord(tag)));
}

// Enumerations handed over stand between the includes and the class, newest first, and an
// enum class type they bring is passed by value.
TEST(ModernCppHeader, InsertionsAndTheirTypes) {
  ClassDescription description = testing::ModernAccountClass();
  description.Members.push_back({"Level", "level", "", 2});
  description.HeaderInsertions = InsertionList(
      std::vector<HeaderInsertion>{testing::Collected(InsertionKind::EnumClass, "Level",
                                                      "#include \"Level.h\" // enum class Level"),
                                   testing::Collected(InsertionKind::EnumClass, "Other",
                                                      "#include \"Other.h\" // enum class Other")});
  const std::string header = WriteModernCppHeader(description);
  EXPECT_NE(header.find("#include <string>\n#include <utility>\n\n"
                        "#include \"Other.h\"  // enum class Other\n\n"
                        "#include \"Level.h\"  // enum class Level\n\nclass Account {"),
            std::string::npos)
      << header;
  EXPECT_NE(header.find("  [[nodiscard]] Level get_level() const noexcept { return level; }\n"
                        "  void set_level(Level level_) noexcept { level = level_; }\n"),
            std::string::npos)
      << header;
}

}  // namespace
}  // namespace zandrel
