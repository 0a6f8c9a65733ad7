#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "enumgen/enumeration_writers.h"
#include "tests/support/golden.h"

namespace zandrel {
namespace {

using zandrel::testing::ReadWholeFile;

struct ToolRun {
  int exitCode = -1;
  std::string out;
  std::string err;
};

class CommandTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zandrel_enumcli_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }

  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::string Write(const std::string& name, const std::string& text) const {
    std::ofstream(Path(name), std::ios::binary) << text;
    return Path(name);
  }

  ToolRun Enum(const std::string& arguments) const {
    const std::string command =
        std::string("'") + ZANDREL_GEN + "' enum " + arguments + " 2>'" + Path("stderr.txt") + "'";
    ToolRun run;
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    std::size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, read);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.err = ReadWholeFile(Path("stderr.txt"));
    return run;
  }

  // The texts the core makes for a request, to hold the tool's output against.
  struct Expected {
    std::string handOver;
    std::vector<EnumerationFile> files;
  };
  static Expected Core(const EnumerationRequest& request, const std::string& listPath = "") {
    class Once : public FileDialog {
     public:
      bool Execute() override { return !std::exchange(asked_, true) && !FileName.empty(); }

     private:
      bool asked_ = false;
    } dialog;
    dialog.FileName = listPath;
    const auto list = std::get<EnumerationList>(BuildEnumerationList(request, dialog));
    const std::string enumText = BuildEnumText(request, list);
    const std::string toStringText = BuildToStringText(request, list);
    Expected expected;
    if (!request.SeparateFile) {
      expected.handOver = enumText + toStringText;
      return expected;
    }
    expected.handOver = IncludeLine(request.OutputPath);
    expected.files = request.Style == EnumerationStyle::EnumerationClass
                         ? EnumerationClassFiles(request, list, enumText, toStringText)
                         : PlainEnumerationFiles(request, list, enumText, toStringText);
    return expected;
  }

  std::filesystem::path folder_;
};

TEST_F(CommandTest, PrintsTheHandOverAndWritesTheStyleFiles) {
  const std::string list = Write("colours.txt", "Cyan Magenta\n# comment\nYellow\n");
  struct Case {
    std::string json;
    EnumerationRequest request;
    std::string listPath;
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
                     r, ""});
  }
  {
    EnumerationRequest r;
    r.TypeName = "Colors";
    r.GridRows[48] = {"Last", "-5"};
    r.GridRows[1] = {" Blue", ""};
    cases.push_back({R"({"TypeName": "Colors", "Rows": [{"Row": 49, "Name": "Last", "Value": "-5"},
                          {"Row": 2, "Name": " Blue"}]})",
                     r, ""});
  }
  {
    EnumerationRequest r;
    r.TypeName = "Ink";
    r.FirstAndLast = false;
    r.PrefixText = "I_";
    r.FromFile = true;
    r.SeparateFile = true;
    r.OutputPath = Path("out.dir/Ink");
    std::filesystem::create_directories(Path("out.dir"));
    cases.push_back({R"({"TypeName": "Ink", "FirstAndLast": false, "PrefixText": "I_",
                         "ListFile": ")" +
                         list + R"(", "OutputPath": ")" + r.OutputPath + "\"}",
                     r, list});
  }
  {
    EnumerationRequest r;  // the dialog's design state
    cases.push_back({"{}", r, ""});
  }
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const Case& c = cases[i];
    const ToolRun run = Enum(Write("request" + std::to_string(i) + ".json", c.json));
    const Expected expected = Core(c.request, c.listPath);
    EXPECT_EQ(run.exitCode, 0) << i << run.err;
    EXPECT_EQ(run.out, expected.handOver) << i;
    EXPECT_EQ(run.err, "") << i;
    for (const auto& file : expected.files)
      EXPECT_EQ(ReadWholeFile(file.Path), file.Text) << file.Path;
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
      {R"({"TypeName": "T", "OutputPath": "/nonexistent/zandrel/T.h"})", 3, "T.cpp"},
  };
  for (std::size_t i = 0; i < std::size(cases); ++i) {
    const Case& c = cases[i];
    const std::string arguments = c.arguments.starts_with("@")
                                      ? c.arguments.substr(1)
                                      : Write("bad" + std::to_string(i) + ".json", c.arguments);
    const ToolRun run = Enum(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments << "\n" << run.err;
    EXPECT_NE(run.err.find(c.errorPart), std::string::npos) << run.err;
    if (c.exitCode != 3) {
      EXPECT_EQ(run.out, "") << c.arguments;
    }
  }
}

}  // namespace
}  // namespace zandrel
