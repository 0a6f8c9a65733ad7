// Runs the built zandrel-gen binary the way a script would.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "core/output_text.h"
#include "tests/classgen/file_cases.h"
#include "tests/support/run_program.h"
#include "tests/support/sample_classes.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::ReadFile;

class ClassCommand : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }

  // Writes the description and runs "zandrel-gen class" with these arguments.
  ProgramRun RunWith(const std::string& json, const std::vector<std::string>& arguments) const {
    folder_.Write("description.json", json);
    std::vector<std::string> argv = {ZANDREL_GEN, "class"};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    return testing::RunProgram(argv);
  }
  ProgramRun RunClass(const std::string& json, const std::string& output) const {
    return RunWith(json, {Path("description.json"), output});
  }

  testing::TempFolder folder_;
};

// testing::SampleClass() for a target, as a description.
std::string SampleJson(std::string_view target) {
  return R"json({"ClassName": "Sample",
           "Rows": [{"Row": 1, "Type": "int", "Name": "count"},
                    {"Row": 2, "Type": "char", "Name": "name[32]"},
                    {"Row": 3, "Type": "double", "Name": "area(int w, int h)"},
                    {"Row": 4, "Type": "x", "Name": "ignored", "InitialValue": "1"}],
           "Options": {"ComparisonLevel": "AllComparisons", "StdLib": true, "BigConstructor": true,
                       "ToStringMethod": true, "NameForm": "LowerCamel", "TargetSystem": ")json" +
         std::string(target) + "\"}}";
}

TEST_F(ClassCommand, WritesTheSameTextAsTheGenerator) {
  struct Case {
    std::string json;
    ClassDescription expected;
  };
  const std::vector<Case> cases = {
      {SampleJson("DevCpp"), testing::SampleClass()},
      {R"json({"ClassName": "Point",
           "Rows": [{"Row": 5, "Type": "int", "Name": "area()"},
                    {"Row": 1, "Type": "int", "Name": "x", "InitialValue": "0"},
                    {"Row": 3, "Type": "double", "Name": "coords[3]"},
                    {"Row": 2, "Type": "char", "Name": "label[16]"}],
           "Options": {"BigConstructor": true}})json",
       testing::PointSourceClass()},
  };
  for (const Case& c : cases) {
    const ProgramRun run = RunClass(c.json, Path("out.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err, "");
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(ReadFile(Path("out.h")), WriteCppHeader(c.expected));
    EXPECT_EQ(ReadFile(Path("out.cpp")), WriteCppSource(c.expected));
  }
}

// The documented target table. Each row goes through the save dialog and Build, and through
// zandrel-gen: both write the row's files, byte for byte alike, and nothing else.
TEST_F(ClassCommand, EveryTargetThroughBuildAndTheCommandLine) {
  using Files = std::vector<std::pair<std::string, std::string>>;  // tab name, file name
  struct Row {
    TargetSystem system;
    std::string command, item, proposed, caption;
    int filterAfter;  // the save dialog's entry after a showing that began at entry 3
    bool libraryShown;
    Files files;
  };
  const Files cpp = {{"Header", "Sample.h"}, {"Source", "Sample.cpp"}};
  const Row rows[] = {
      {TargetSystem::CBuilder, "CBuilder", "CBuilder", "Sample.h", "VCL", 3, true, cpp},
      {TargetSystem::DevCpp, "DevCpp", "DevC++", "Sample.h", "WX strings", 3, true, cpp},
      {TargetSystem::VisualCpp, "VisualCpp", "Visual C++", "Sample.h", "", 3, true, cpp},
      {TargetSystem::Java, "Java", "Java", "Sample.java", "", 2, false, {{"Java", "Sample.java"}}},
      {TargetSystem::ModernCpp, "ModernCpp", "Modern C++ (C++20)", "Sample.h", "", 3, false, cpp},
      {TargetSystem::JavaRecord,
       "JavaRecord",
       "Java record (17)",
       "Sample.java",
       "",
       2,
       false,
       {{"Java", "Sample.java"}}},
  };
  // Records the proposed name and answers with a path, or cancels without one.
  struct Dialog : FileDialog {
    std::optional<std::string> answer;
    std::string proposed;
    bool Execute() override {
      proposed = FileName;
      FileName = answer.value_or("");
      return answer.has_value();
    }
  };
  ASSERT_EQ(ClassTargets().size(), std::size(rows));
  for (const Row& row : rows) {
    const ClassTarget& target = TargetOf(row.system);
    EXPECT_EQ(target.CommandName, row.command);
    EXPECT_EQ(target.ItemText, row.item);
    EXPECT_EQ(target.LibraryCaption, row.caption);
    EXPECT_EQ(target.LibraryShown, row.libraryShown);
    ClassDescription description = testing::SampleClass();
    description.Options.TargetSystem = row.system;
    Dialog cancelled;
    cancelled.FilterIndex = 3;
    EXPECT_EQ(ChooseOutputPath(description, cancelled), std::nullopt);
    EXPECT_EQ(cancelled.proposed, row.proposed);
    EXPECT_EQ(cancelled.FilterIndex, row.filterAfter);

    const std::string build = row.command + "/build.dir/";
    const std::string cli = row.command + "/cli.dir/";
    fs::create_directories(Path(build));
    fs::create_directories(Path(cli));
    Dialog dialog;
    dialog.answer = Path(build + "Sample.txt");
    ASSERT_TRUE(WriteClassFiles(description, *ChooseOutputPath(description, dialog)).empty());
    const ProgramRun run = RunClass(SampleJson(row.command), Path(cli + "Sample.txt"));
    EXPECT_EQ(run.exitCode, 0) << run.err;

    const std::vector<ClassFile> files = ClassFiles(description, "Sample.txt");
    ASSERT_EQ(files.size(), row.files.size()) << row.command;
    for (std::size_t i = 0; i < files.size(); ++i) {
      EXPECT_EQ(files[i].TabName, row.files[i].first);
      EXPECT_EQ(files[i].File.Path, row.files[i].second);
      EXPECT_EQ(ReadFile(Path(build + row.files[i].second)), files[i].File.Text) << row.command;
      EXPECT_EQ(ReadFile(Path(cli + row.files[i].second)), files[i].File.Text) << row.command;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(Path(cli)), {}), std::ssize(files));
    EXPECT_EQ(std::distance(fs::directory_iterator(Path(build)), {}), std::ssize(files));
  }
}

TEST_F(ClassCommand, JavaWithDefaultsAndInsertions) {
  ClassDescription expected;
  expected.ClassName = "my_class";
  expected.Members = {{"int", "n", "", 2}};
  expected.Options.TargetSystem = TargetSystem::Java;
  expected.HeaderInsertions = {"oldest", "newest \xC3\xA9"};
  const ProgramRun run = RunClass(R"json({"ClassName": "  my class ",
      "Rows": [{"Row": 2, "Type": "int", "Name": "n"}],
      "Options": {"TargetSystem": "Java"}, "HeaderInsertions": ["oldest", "newest \u00e9"]})json",
                                  Path("my.java"));
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(Path("my.java")), WriteJavaClass(expected));
  EXPECT_FALSE(fs::exists(Path("my.h")));
}

// An enumeration the target cannot use, as its record's style says, is written as it is, with a
// warning for each; a text alone is of no known kind and never warned of.
TEST_F(ClassCommand, WarnsOfEnumerationsThatDoNotFit) {
  const std::string legacy =
      R"({"Style": "PlainEnumeration", "TypeName": "Shade", "Text": "typedef enum {\n   A}\n    Shade;\n"})";
  const std::string included =
      R"({"Style": "ModernEnumeration", "TypeName": "Level", "Text": "#include \"Level.h\" // enum class Level"})";
  const std::string inlined =
      R"({"Style": "ModernEnumeration", "TypeName": "Colour", "Text": "// enum class Colour\nenum class Colour : int {};\n"})";
  const std::string bare = R"("#include \"Mine.h\" ")";
  struct Case {
    std::string target;
    std::string warnings;
  };
  const Case cases[] = {
      {"DevCpp",
       "zandrel-gen: warning: enumeration \"Level\" is an enum class and does not fit a DevC++ "
       "header\nzandrel-gen: warning: enumeration \"Colour\" is an enum class and does not fit a "
       "DevC++ header\n"},
      {"ModernCpp",
       "zandrel-gen: warning: enumeration \"Shade\" is a typedef or wrapper-class enumeration and "
       "does not fit a Modern C++ (C++20) header\n"},
      {"Java",
       "zandrel-gen: warning: enumeration \"Shade\" is C++ and does not fit a Java file\n"
       "zandrel-gen: warning: enumeration \"Level\" is C++ and does not fit a Java file\n"
       "zandrel-gen: warning: enumeration \"Colour\" is C++ and does not fit a Java file\n"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = RunClass(R"({"ClassName": "Sample", "Options": {"TargetSystem": ")" +
                                        c.target + R"("}, "HeaderInsertions": [)" + legacy + ", " +
                                        included + ", " + inlined + ", " + bare + "]}",
                                    Path("Sample.txt"));
    EXPECT_EQ(run.exitCode, 0) << c.target;
    EXPECT_EQ(run.err, c.warnings) << c.target;
  }
}

TEST_F(ClassCommand, RefusedAndUnusable) {
  struct Case {
    std::string json;
    int exitCode;
    std::string error;
  };
  // Every message names the file; a JSON fault, its line and column.
  const std::string file = "zandrel-gen: " + Path("description.json");
  const std::string refused =
      file + ": You must have a class name that is larger than one characters.\n";
  const std::vector<Case> cases = {
      {R"json({})json", 1, refused},
      {R"json({"ClassName": "a", "Rows": [{"Row": 1, "Type": "int", "Name": "n"}]})json", 1,
       refused},
      {R"json({"ClassName": "ab", "Colour": 1})json", 2, file + ": unknown key \"Colour\""},
      {R"json({"ClassName": 12})json", 2, file + ": description.ClassName must be a string"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 100001}]})json", 2,
       file + ": Rows[0].Row must be"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 0}]})json", 2, file + ": Rows[0].Row must be"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 1.5}]})json", 2, file + ": Rows[0].Row must be"},
      {R"json({"ClassName": "ab", "Rows": [{"Row": 3}, {"Row": 3}]})json", 2,
       file + ": Rows[1]: row 3 is given twice"},
      {R"json({"ClassName": "ab", "Rows": [{"Type": "int"}]})json", 2,
       file + ": Rows[0].Row is missing"},
      {R"json({"ClassName": "ab", "Options": {"TargetSystem": "Cobol"}})json", 2,
       file + ": Options.TargetSystem must be one of"},
      {R"json({"ClassName": "ab", "Options": {"PrivateCopy": "yes"}})json", 2,
       file + ": Options.PrivateCopy must be true or false"},
      {R"json({"ClassName": "ab", "HeaderInsertions": [1]})json", 2,
       file + ": HeaderInsertions[0] must be a string"},
      {R"json([1, 2])json", 2, file + ": the top level must be an object"},
      {"{\n  \"ClassName\": \"ab\",\n  x", 2, file + ":3:3: invalid JSON: unterminated object\n"},
      {"{\"ClassName\": \"caf\u00e9\u00e9\" x}", 2,
       file + ":1:23: invalid JSON: unterminated object\n"},
  };
  for (const Case& c : cases) {
    const ProgramRun run = RunClass(c.json, Path("out.h"));
    EXPECT_EQ(run.exitCode, c.exitCode) << c.json << "\n" << run.err;
    EXPECT_EQ(run.err.substr(0, c.error.size()), c.error) << c.json;
    EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), 1) << run.err;
    EXPECT_FALSE(fs::exists(Path("out.h"))) << c.json;
  }
  EXPECT_EQ(RunWith("{}", {Path("description.json")}).exitCode, 2);
}

class ClassCommandFiles : public ::testing::TestWithParam<testing::FileCase> {};

TEST_P(ClassCommandFiles, BothFilesOrNoneAndEveryFailureOnItsLine) {
  const testing::FileCase& c = GetParam();
  testing::TempFolder folder;
  const std::string description = folder.Write("description.json", testing::FileCaseJson);
  if (const std::string skip = c.SetUp(folder); !skip.empty()) GTEST_SKIP() << skip;
  const auto before = folder.Contents();
  // Files that were not generated here are replaced only when forced.
  const ProgramRun run = testing::RunProgram(
      {ZANDREL_GEN, "class", "--force", description, folder.Path(c.Chosen)}, {"", c.FileSizeLimit});
  std::string errors;
  for (const auto& [path, reason] : c.Failures)
    errors += "zandrel-gen: " + DescribeFailure({folder.Path(path), reason}) + "\n";
  EXPECT_EQ(run.exitCode, c.Failures.empty() ? 0 : 3);
  EXPECT_EQ(run.err, errors);
  testing::ExpectFolderAfter(c, folder, before);
}

// Folders made for a step that then fails are taken away again; folders that were there stay.
// The command line makes the folders a path names, as part of its step (the windows' dialogs
// choose only folders that exist).
TEST(ClassCommandFolders, MadeForTheStepAndGoneAgainWhenItFails) {
  testing::TempFolder folder;
  const std::string description = folder.Write("description.json", testing::FileCaseJson);
  EXPECT_EQ(testing::RunProgram({ZANDREL_GEN, "class", description, folder.Path("new/a/Sample.h")})
                .exitCode,
            0);
  EXPECT_TRUE(fs::exists(folder.Path("new/a/Sample.h")) &&
              fs::exists(folder.Path("new/a/Sample.cpp")));
  fs::create_directory(folder.Path("kept"));
  const ProgramRun run = testing::RunProgram(
      {ZANDREL_GEN, "class", description, folder.Path("kept/made/deeper/Sample.h")}, {"", 10});
  EXPECT_EQ(run.exitCode, 3) << run.err;
  EXPECT_TRUE(fs::is_directory(folder.Path("kept")));
  EXPECT_FALSE(fs::exists(folder.Path("kept/made")));
}

// Missing folders are made, so that case is the one above.
INSTANTIATE_TEST_SUITE_P(Files, ClassCommandFiles, ::testing::ValuesIn([] {
                           auto cases = testing::FileCases();
                           std::erase_if(cases, [](const testing::FileCase& c) {
                             return c.Label == "MissingFolder";
                           });
                           return cases;
                         }()),
                         testing::FileCaseName);

// A description that cannot be read is refused at once with the reason: nothing is written.
TEST_F(ClassCommand, UnreadableDescriptions) {
  const std::string tooLarge = "larger than the 256 MiB limit";
  for (const auto& input : testing::UnreadableInputs(folder_, JsonFileLimit, tooLarge)) {
    const ProgramRun run = testing::RunProgram({ZANDREL_GEN, "class", input.Path, Path("out.h")});
    EXPECT_EQ(run.exitCode, 3) << input.Label;
    EXPECT_EQ(run.err, "zandrel-gen: " + DescribeReadFailure({input.Path, input.Reason}) + "\n");
    EXPECT_FALSE(fs::exists(Path("out.h"))) << input.Label;
  }
}

// An output path that names a folder would give hidden ".h" and ".cpp" files inside it: refused,
// by --check and --dry-run too, with nothing written; so is a FIFO, which they would list as a
// file that changes.
TEST_F(ClassCommand, OutputPathsThatNameAFolder) {
  fs::create_directories(Path("slash"));
  ::mkfifo(Path("fifo.h").c_str(), 0600);
  folder_.Write("description.json", R"({"ClassName": "Sample"})");
  const auto before = folder_.Contents();
  const std::string folderName = ": could not be written: names a folder, not a file\n";
  const std::pair<std::string, std::string> cases[] = {
      {Path("slash/"), folderName},
      {Path("slash/."), folderName},
      {Path("slash/.."), folderName},
      {"", folderName},
      {Path("slash"), ": could not be written: not a regular file\n"},
      {Path("fifo.h"), ": could not be written: not a regular file\n"}};
  for (const auto& [output, reason] : cases)
    for (const char* mode : {"", "--check", "--dry-run"}) {
      std::vector<std::string> argv = {ZANDREL_GEN, "class", Path("description.json"), output};
      if (*mode != '\0') argv.push_back(mode);
      const ProgramRun run = testing::RunProgram(argv);
      EXPECT_EQ(run.exitCode, 3) << output << mode;
      EXPECT_EQ(run.err, "zandrel-gen: " + output + reason);
      EXPECT_EQ(run.out, "");
    }
  EXPECT_EQ(folder_.Contents(), before);
}

}  // namespace
}  // namespace zandrel
