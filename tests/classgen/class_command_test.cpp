// Runs the built zandrel-gen binary the way a script would.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "tests/classgen/class_examples.h"
#include "tests/support/golden.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;

struct CommandRun {
  int exitCode = -1;
  std::string errors;
};

class ClassCommand : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(ZANDREL_TEST_WORK_DIR) / "cli" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  // Writes the description and runs "zandrel-gen class" on it; arguments are appended as given.
  CommandRun RunWith(const std::string& json, const std::string& arguments) const {
    std::ofstream(Path("description.json"), std::ios::binary) << json;
    const std::string command =
        std::string("'") + ZANDREL_GEN + "' class " + arguments + " 2>'" + Path("stderr.txt") + "'";
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(Path("stderr.txt"))};
  }
  CommandRun RunClass(const std::string& json, const std::string& output) const {
    return RunWith(json, "'" + Path("description.json") + "' '" + output + "'");
  }

  fs::path folder_;
};

TEST_F(ClassCommand, WritesTheSameTextAsTheGenerator) {
  struct Case {
    std::string json;
    ClassDescription expected;
  };
  const std::vector<Case> cases = {
      {R"json({"ClassName": "Sample",
           "Rows": [{"Row": 1, "Type": "int", "Name": "count"},
                    {"Row": 2, "Type": "char", "Name": "name[32]"},
                    {"Row": 3, "Type": "double", "Name": "area(int w, int h)"},
                    {"Row": 4, "Type": "x", "Name": "ignored", "InitialValue": "1"}],
           "Options": {"ComparisonLevel": "AllComparisons", "StdLib": true, "BigConstructor": true,
                       "ToStringMethod": true, "NameForm": "LowerCamel", "TargetSystem": "DevCpp"}})json",
       testing::SampleClass()},
      {R"json({"ClassName": "Point",
           "Rows": [{"Row": 5, "Type": "int", "Name": "area()"},
                    {"Row": 1, "Type": "int", "Name": "x", "InitialValue": "0"},
                    {"Row": 3, "Type": "double", "Name": "coords[3]"},
                    {"Row": 2, "Type": "char", "Name": "label[16]"}],
           "Options": {"BigConstructor": true}})json",
       testing::PointSourceClass()},
  };
  for (const Case& c : cases) {
    const CommandRun run = RunClass(c.json, Path("out.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
    EXPECT_EQ(ReadWholeFile(Path("out.h")), WriteCppHeader(c.expected));
    EXPECT_EQ(ReadWholeFile(Path("out.cpp")), WriteCppSource(c.expected));
  }
}

TEST_F(ClassCommand, JavaWithDefaultsAndInsertions) {
  ClassDescription expected;
  expected.ClassName = "my_class";
  expected.Members = {{"int", "n", "", 2}};
  expected.Options.TargetSystem = TargetSystem::Java;
  expected.HeaderInsertions = {"oldest", "newest \xC3\xA9"};
  const CommandRun run = RunClass(R"json({"ClassName": "  my class ",
      "Rows": [{"Row": 2, "Type": "int", "Name": "n"}],
      "Options": {"TargetSystem": "Java"}, "HeaderInsertions": ["oldest", "newest \u00e9"]})json",
                                  Path("my.java"));
  EXPECT_EQ(run.exitCode, 0) << run.errors;
  EXPECT_EQ(ReadWholeFile(Path("my.java")), WriteJavaClass(expected));
  EXPECT_FALSE(fs::exists(Path("my.h")));
}

TEST_F(ClassCommand, RefusedAndUnusable) {
  struct Case {
    std::string json;
    int exitCode;
    std::string error;
  };
  const std::string refused = "You must have a class name that is larger than one characters.\n";
  const std::vector<Case> cases = {
      {R"json({})json", 1, refused},
      {R"json({"ClassName": "a", "Rows": [{"Row": 1, "Type": "int", "Name": "n"}]})json", 1,
       refused},
      {R"json({"ClassName": "ab", "Colour": 1})json", 2, "zandrel-gen: unknown key \"Colour\""},
      {R"json({"ClassName": 12})json", 2, "zandrel-gen: description.ClassName must be a string"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 20}]})json", 2,
       "zandrel-gen: Rows[0].Row must be"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 0}]})json", 2,
       "zandrel-gen: Rows[0].Row must be"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 1.5}]})json", 2,
       "zandrel-gen: Rows[0].Row must be"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 3}, {"Row": 3}]})json", 2,
       "zandrel-gen: Rows[1]: row 3 is given twice"},
      {R"json({"ClassName": "ab", "Rows": [{"Type": "int"}]})json", 2,
       "zandrel-gen: Rows[0].Row is missing"},
      {R"json({"ClassName": "ab", "Options": {"TargetSystem": "Cobol"}})json", 2,
       "zandrel-gen: Options.TargetSystem must be one of"},
      {R"json({"ClassName": "ab", "Options": {"PrivateCopy": "yes"}})json", 2,
       "zandrel-gen: Options.PrivateCopy must be true or false"},
      {R"json({"ClassName": "ab", "HeaderInsertions": [1]})json", 2,
       "zandrel-gen: HeaderInsertions[0] must be a string"},
      {R"json([1, 2])json", 2, "zandrel-gen: "},
  };
  for (const Case& c : cases) {
    const CommandRun run = RunClass(c.json, Path("out.h"));
    EXPECT_EQ(run.exitCode, c.exitCode) << c.json << "\n" << run.errors;
    EXPECT_EQ(run.errors.substr(0, c.error.size()), c.error) << c.json;
    EXPECT_EQ(std::count(run.errors.begin(), run.errors.end(), '\n'), 1) << run.errors;
    EXPECT_FALSE(fs::exists(Path("out.h"))) << c.json;
  }
  EXPECT_EQ(RunWith("{}", "'" + Path("description.json") + "'").exitCode, 2);
  EXPECT_EQ(RunWith("{}", "'" + Path("missing.json") + "' '" + Path("out.h") + "'").exitCode, 2);
}

TEST_F(ClassCommand, UnwritableFilesAreReported) {
  const CommandRun run = RunClass(R"json({"ClassName": "ab"})json", Path("missing/ab.h"));
  EXPECT_EQ(run.exitCode, 3);
  EXPECT_EQ(run.errors, "The file \"" + Path("missing/ab.h") +
                            "\" could not be written: No such file or directory\n"
                            "The file \"" +
                            Path("missing/ab.cpp") +
                            "\" could not be written: No such file or directory\n");
}

}  // namespace
}  // namespace zandrel
