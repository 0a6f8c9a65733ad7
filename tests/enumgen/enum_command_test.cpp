#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "enumgen/enumeration_output.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

using zandrel::testing::ProgramRun;
using zandrel::testing::ReadFile;

class CommandTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  std::string Write(const std::string& name, const std::string& text) const {
    return folder_.Write(name, text);
  }

  static ProgramRun Gen(std::vector<std::string> arguments,
                        const testing::ProgramOptions& options = {}) {
    arguments.insert(arguments.begin(), ZANDREL_GEN);
    return testing::RunProgram(arguments, options);
  }
  static ProgramRun Enum(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), "enum");
    return Gen(arguments);
  }

  // What the core composes for a request, to hold the tool's output against.
  static EnumerationOutput Core(const EnumerationRequest& request) {
    const auto listFile = ReadListFile(request.ListPath);
    const ListFile* read = std::get_if<ListFile>(&listFile);
    return std::get<EnumerationOutput>(ComposeEnumeration(request, read));
  }

  testing::TempFolder folder_;
};

TEST_F(CommandTest, PrintsTheHandOverAndWritesTheStyleFiles) {
  const std::string list = Write("colours.txt", "Cyan Magenta\n# comment\nYellow\n");
  struct Case {
    std::string json;
    EnumerationRequest request;
  };
  std::vector<Case> cases;
  {
    EnumerationRequest r;
    r.TypeName = "TrafficLight";
    r.Style = EnumerationStyle::EnumerationClass;
    r.GridRows[0] = {"Red", ""};
    r.GridRows[2] = {"Green", "$1F"};
    r.SeparateFile = true;
    r.OutputPath = Path("TrafficLight.h");
    cases.push_back({R"({ "TypeName": " TrafficLight\t", "Style": "EnumerationClass",
        "FirstAndLast": true, "ApplyPrefix": true, "PrefixText": "ZD",
        "Rows": [ {"Row": 1, "Name": "Red", "Value": ""}, {"Row": 3, "Name": "Green", "Value": "$1F"} ],
        "OutputPath": ")" +
                         r.OutputPath + "\" }",
                     r});
  }
  {
    EnumerationRequest r;
    r.TypeName = "Colors";
    r.GridRows[48] = {"Last", "-5"};
    r.GridRows[1] = {" Blue", ""};
    cases.push_back({R"({"TypeName": "Colors", "Rows": [{"Row": 49, "Name": "Last", "Value": "-5"},
                          {"Row": 2, "Name": " Blue"}]})",
                     r});
  }
  {
    EnumerationRequest r;
    r.TypeName = "Ink";
    r.FirstAndLast = false;
    r.PrefixText = "I_";
    r.FromFile = true;
    r.ListPath = list;
    r.SeparateFile = true;
    r.OutputPath = Path("out.dir/Ink");
    std::filesystem::create_directories(Path("out.dir"));
    cases.push_back({R"({"TypeName": "Ink", "FirstAndLast": false, "PrefixText": "I_",
                         "ListFile": ")" +
                         list + R"(", "OutputPath": ")" + r.OutputPath + "\"}",
                     r});
  }
  {
    EnumerationRequest r;  // the dialog's design state
    cases.push_back({"{}", r});
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const std::string path = Write("request" + std::to_string(i) + ".json", c.json);
    const ProgramRun run = Enum({path});
    const EnumerationOutput expected = Core(c.request);
    EXPECT_EQ(run.exitCode, 0) << i << run.err;
    EXPECT_EQ(run.out, expected.HandOver()) << i;
    // A classic style writes a name with a blank as it is, with a warning.
    EXPECT_EQ(
        run.err,
        i == 1 ? "zandrel-gen: warning: " + path + ": row 2: \"ZD Blue\" is not a name\n" : "")
        << i;
    for (const auto& file : expected.Files) EXPECT_EQ(ReadFile(file.Path), file.Text) << file.Path;
  }
}

TEST_F(CommandTest, ExitCodesForRefusalsBadInvocationsAndFiles) {
  struct Case {
    std::string arguments;  // a JSON text to write, or raw arguments after '@'
    int exitCode;
    std::string errorPart;
  };
  const Case cases[] = {
      {R"({"Rows": [{"Row": 4, "Name": "A", "Value": "1z"}]})", 1,
       "The value \"1z\" in row 4 is not a whole number."},
      {R"({"Style": "EnumerationClass", "FirstAndLast": false})", 1,
       "An enumeration class needs at least one name."},
      {R"({"Rows": [{"Row": 1, "Name": "A"}, {"Row": 1, "Name": "B"}]})", 2, "twice"},
      {R"({"Rows": [{"Row": 50, "Name": "A"}]})", 2, "Row"},
      {R"({"Rows": [{"Row": 0, "Name": "A"}]})", 2, "Row"},
      {R"({"Rows": [{"Row": 1.5, "Name": "A"}]})", 2, "Row"},
      {R"({"Rows": [{"Name": "A"}]})", 2, "Row"},
      {R"({"Rows": [{"Row": 1, "Nam": "A"}]})", 2, "Nam"},
      {R"({"Colour": "red"})", 2, "Colour"},
      {R"({"Style": "Class"})", 2, "Style"},
      {R"({"FirstAndLast": "yes"})", 2, "FirstAndLast"},
      {R"({"TypeName": )", 2, "JSON"},
      {"@", 2, ""},
      {"@a.json b.json", 2, ""},
      {R"({"ListFile": "/nonexistent/zandrel/list.txt"})", 3, "list.txt"},
      {R"({"TypeName": "T", "OutputPath": "/dev/null/zandrel/T.h"})", 3, "Not a directory"},
      {R"({"ListFile": "names\u0000junk"})", 2, "request.ListFile must not hold a NUL character"},
      {R"({"OutputPath": "T\u0000.h"})", 2, "request.OutputPath must not hold a NUL character"},
      {R"({"TypeName": "T\u0000"})", 2, "request.TypeName must not hold a NUL character"},
      {R"({"TypeName": "T", "OutputPath": "/tmp/"})", 3,
       "/tmp/: could not be written: names a folder"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    std::vector<std::string> arguments;
    if (!c.arguments.starts_with("@"))
      arguments = {Write("bad" + std::to_string(i) + ".json", c.arguments)};
    else if (c.arguments.size() > 1)
      arguments = {"a.json", "b.json"};
    const ProgramRun run = Enum(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err;
    EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << run.err;
    // Every message about the request names it first.
    if (!c.arguments.starts_with("@") && c.exitCode != 3) {
      EXPECT_TRUE(run.err.starts_with("zandrel-gen: " + arguments[0] + ":")) << run.err;
    }
    EXPECT_EQ(run.out, "") << c.arguments;  // no include line for files not written
  }
}

// Names the language cannot take, in every command: the modern targets and the enum class style
// refuse them naming the row, the classic ones warn and write.
TEST_F(CommandTest, InvalidNamesRefusedByModernTargetsWarnedAboutByClassicOnes) {
  const std::string modern = R"(, "Options": {"TargetSystem": "ModernCpp"})";
  const std::string twice =
      R"("Rows": [{"Row": 2, "Type": "int", "Name": "x"}, {"Row": 3, "Type": "int", "Name": "x"}])";
  const std::string enums = R"({"TypeName": "T", "ApplyPrefix": false, "FirstAndLast": false, )";
  struct Case {
    std::string command;  // class, enum, or batch of one class
    std::string json;
    int exitCode;
    std::string error;  // after "zandrel-gen: ", with FILE for the file's path
  };
  const Case cases[] = {
      {"class", R"({"ClassName": "class")" + modern + "}", 1,
       "FILE: the class name \"class\" is a keyword\n"},
      {"class", R"({"ClassName": "Foo", )" + twice + modern + "}", 1,
       "FILE: row 3: \"x\" is given twice\n"},
      {"class", R"({"ClassName": "Foo-Bar"})", 0,
       "warning: FILE: the class name \"Foo-Bar\" is not a name\n"},
      {"enum", enums + R"("Style": "ModernEnumeration", "Rows": [{"Row": 2, "Name": "1abc"}]})", 1,
       "FILE: row 2: \"1abc\" is not a name\n"},
      {"enum", enums + R"("Rows": [{"Row": 1, "Name": "namespace"}]})", 0,
       "warning: FILE: row 1: \"namespace\" is a keyword\n"},
      {"batch", R"({"ClassName": "Foo", )" + twice + modern + "}", 1,
       "FILE: row 3: \"x\" is given twice (entries[0])\n"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string name = "names" + std::to_string(i);
    const std::string json = Write(name + ".json", c.json);
    std::vector<std::string> arguments = {c.command, json};
    if (c.command == "class") arguments.push_back(Path(name + ".h"));
    if (c.command == "batch")
      arguments.back() =
          Write(name + "-batch.json", R"({"entries": [{"class": ")" + name +
                                          R"(.json", "output": ")" + name + R"(.h"}]})");
    std::string error = c.error;
    error.replace(error.find("FILE"), 4, json);
    const ProgramRun run = Gen(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.json;
    EXPECT_EQ(run.err, "zandrel-gen: " + error) << c.json;
    EXPECT_EQ(std::filesystem::exists(Path(name + ".h")), c.command == "class" && c.exitCode == 0);
  }
}

// A list file that cannot be read stops the command before anything is written.
TEST_F(CommandTest, UnreadableListFiles) {
  for (const auto& input :
       testing::UnreadableInputs(folder_, ListFileLimit, "larger than the 256 MiB limit")) {
    const std::string request =
        Write("request.json",
              R"({"ListFile": ")" + input.Path + R"(", "OutputPath": ")" + Path("Out.h") + "\"}");
    const ProgramRun run = Enum({request});
    EXPECT_EQ(run.exitCode, 3) << input.Label;
    EXPECT_EQ(run.err, "zandrel-gen: " + DescribeReadFailure({input.Path, input.Reason}) + "\n");
    EXPECT_EQ(run.out, "");
    EXPECT_FALSE(std::filesystem::exists(Path("Out.h"))) << input.Label;
  }
}

// Every command's output is checked: a full disk on standard output is exit 3 with the reason.
TEST_F(CommandTest, StandardOutputWritesAreChecked) {
  const std::string plain = Write("plain.json", R"({"TypeName": "Colors"})");
  const std::string files = Write("files.json", R"({"OutputPath": ")" + Path("E.h") + "\"}");
  // Printed in many blocks as it is made: the first that fails is reported, once.
  std::string names;
  for (int k = 0; k < 20000; ++k) names += "N" + std::to_string(k) + "\n";
  const std::string longList =
      Write("long.json",
            R"({"Style": "ModernEnumeration", "ListFile": ")" + Write("long.txt", names) + "\"}");
  const std::vector<std::vector<std::string>> commands = {
      {"enum", plain}, {"enum", files},     {"enum", longList}, {"--help"},
      {"--version"},   {"class", "--help"}, {"enum", "-h"}};
  for (const auto& command : commands) {
    const ProgramRun shown = Gen(command);
    EXPECT_EQ(shown.exitCode, 0) << command[0] << shown.err;
    EXPECT_NE(shown.out, "") << command[0];
    const ProgramRun full = Gen(command, {"/dev/full"});
    EXPECT_EQ(full.exitCode, 3) << command[0];
    EXPECT_EQ(full.err,
              "zandrel-gen: standard output: could not be written: No space left on device\n");
  }
  EXPECT_TRUE(Gen({"class", "--help"}).out.starts_with("Usage: zandrel-gen class "));
  EXPECT_TRUE(Gen({"enum", "--help"}).out.starts_with("Usage: zandrel-gen enum "));
  // GNU style: the program and version, then its copyright and licence.
  const std::string version = Gen({"--version"}).out;
  EXPECT_TRUE(version.starts_with("zandrel-gen ")) << version;
  EXPECT_NE(version.find("\nCopyright (c) 2026 The Zandrel developers\nLicense MIT "),
            std::string::npos)
      << version;
}

}  // namespace
}  // namespace zandrel
