// Runs the built zandrel-gen over a small project: a class description, an enumeration request
// with a list file, and a manifest naming both, with paths taken from the manifest's folder.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <string>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "cli/commands.h"
#include "core/generated_records.h"
#include "document/class_document.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::ProgramRun;
using testing::ReadFile;

const std::string SampleJson =
    R"({"ClassName": "Sample", "Rows": [{"Row": 1, "Type": "int", "Name": "count"}]})";

// The records zandrel-gen keeps in the tests' state folder.
GeneratedRecords Records() { return GeneratedRecords(*GeneratedRecords::DefaultFolder()); }

struct Project {
  testing::TempFolder folder;
  std::string Path(const std::string& name) const { return folder.Path(name); }

  Project() {
    fs::create_directories(Path("model"));
    fs::create_directories(Path("src"));
    folder.Write("model/sample.json", SampleJson);
    folder.Write("model/colors.txt", "Red Green\n");
    folder.Write("model/colors.json",
                 R"({"TypeName": "Color", "ListFile": "model/colors.txt",
                     "OutputPath": "src/Color.h"})");
    folder.Write("enum.json", R"({"TypeName": "Color", "ListFile": ")" + Path("model/colors.txt") +
                                  R"(", "OutputPath": ")" + Path("src/Color.h") + "\"}");
    Manifest(R"({"class": "model/sample.json", "output": "src/Sample.h"},
                {"enum": "model/colors.json"})");
  }
  std::string Manifest(const std::string& entries) const {
    return folder.Write("zandrel.json", R"({"$schema": "urn:zandrel:schema:batch-manifest:1",
                                            "Format": 1, "entries": [)" +
                                            entries + "]}");
  }
  ProgramRun Run(std::vector<std::string> arguments, const std::string& option = "",
                 const testing::ProgramOptions& options = {}) const {
    arguments.insert(arguments.begin(), ZANDREL_GEN);
    if (!option.empty()) arguments.push_back(option);
    return testing::RunProgram(arguments, options);
  }
  // Modification times in nanoseconds, by file.
  std::map<std::string, long long> Times(const std::vector<std::string>& files) const {
    std::map<std::string, long long> times;
    for (const std::string& file : files) {
      struct stat status {};
      ::stat(Path(file).c_str(), &status);
      times[file] = status.st_mtim.tv_sec * 1000000000LL + status.st_mtim.tv_nsec;
    }
    return times;
  }
};

TEST(CommandLine, CheckAndDryRunListWhatWouldChangeAndUnchangedFilesStayUntouched) {
  struct Case {
    std::vector<std::string> arguments;  // "@X" is the project's path of X
    std::vector<std::string> files;
  };
  const Case cases[] = {
      {{"class", "@model/sample.json", "@src/Sample.h"}, {"src/Sample.h", "src/Sample.cpp"}},
      {{"enum", "@enum.json"}, {"src/Color.h", "src/Color.cpp"}},
      {{"batch", "@zandrel.json"},
       {"src/Sample.h", "src/Sample.cpp", "src/Color.h", "src/Color.cpp"}},
  };
  for (const Case& c : cases) {
    const Project project;
    std::vector<std::string> arguments;
    for (const std::string& argument : c.arguments)
      arguments.push_back(argument.starts_with("@") ? project.Path(argument.substr(1)) : argument);
    std::string all;
    for (const std::string& file : c.files) all += project.Path(file) + "\n";
    const std::string& last = c.files.back();
    SCOPED_TRACE(c.arguments[0]);

    EXPECT_EQ(project.Run(arguments, "--check").exitCode, 4);
    EXPECT_EQ(project.Run(arguments, "--check").out, all);
    EXPECT_EQ(project.Run(arguments, "--dry-run").exitCode, 0);
    EXPECT_EQ(project.Run(arguments, "--dry-run").out, all);
    EXPECT_FALSE(fs::exists(project.Path(last)));

    ASSERT_EQ(project.Run(arguments).exitCode, 0);
    const std::string text = ReadFile(project.Path(last));
    for (const std::string& file : c.files)
      fs::last_write_time(project.Path(file), fs::file_time_type{});
    const auto aged = project.Times(c.files);
    EXPECT_EQ(project.Run(arguments).exitCode, 0);
    EXPECT_EQ(project.Times(c.files), aged);
    const ProgramRun upToDate = project.Run(arguments, "--check");
    EXPECT_EQ(upToDate.exitCode, 0);
    EXPECT_EQ(upToDate.out, "");

    // A line the user added stays, and --check accepts it: the merge gives the file back.
    project.folder.Write(last, text + "// mine\n");
    EXPECT_EQ(project.Run(arguments, "--check").exitCode, 0);
    EXPECT_EQ(project.Run(arguments).exitCode, 0);
    EXPECT_EQ(ReadFile(project.Path(last)), text + "// mine\n");
    // With no record there is no base: --check lists the file, a run refuses it, --force not.
    fs::remove(Records().RecordPath(project.Path(last)));
    const ProgramRun changed = project.Run(arguments, "--check");
    EXPECT_EQ(changed.exitCode, 4);
    EXPECT_EQ(changed.out, project.Path(last) + "\n");
    const ProgramRun refused = project.Run(arguments);
    EXPECT_EQ(refused.exitCode, 5);
    EXPECT_NE(refused.err.find("zandrel-gen: " + project.Path(last) + ": differs"),
              std::string::npos)
        << refused.err;
    EXPECT_EQ(ReadFile(project.Path(last)), text + "// mine\n");
    EXPECT_EQ(project.Run(arguments, "--force").exitCode, 0);
    EXPECT_EQ(ReadFile(project.Path(last)), text);
    auto times = project.Times(c.files);
    EXPECT_NE(times[last], aged.at(last));
    times[last] = aged.at(last);
    EXPECT_EQ(times, aged);
  }
}

// The first entry is sound; the second fails the whole run before anything is written. The
// message names the file at fault first, then the entry.
TEST(CommandLine, OneBadBatchEntryFailsTheRunAndNothingIsWritten) {
  struct Case {
    std::string entry;
    std::string file;  // model/bad.json, when given
    int exitCode;
    std::string named;  // the file the message names first, in the project
    std::string error;  // after "zandrel-gen: PROJECT/NAMED"
  };
  const Case cases[] = {
      {R"({"class": "model/bad.json", "output": "src/B.h"})", R"({"Colour": 1})", 2,
       "model/bad.json", ": unknown key \"Colour\" in description (entries[1])"},
      {R"({"class": "model/bad.json", "output": "src/B.h"})", "{\n\"ClassName\": \"B\" [", 2,
       "model/bad.json", ":2:18: invalid JSON: unterminated object (entries[1])"},
      {R"({"class": "model/bad.json", "output": "src/B.h"})", R"({"ClassName": "B"})", 1,
       "model/bad.json",
       ": You must have a class name that is larger than one characters. (entries[1])"},
      {R"({"class": "model/bad.json", "output": "src/B.h"})", "", 3, "model/bad.json",
       ": could not be read: No such file or directory (entries[1])"},
      {R"({"enum": "model/bad.json"})", R"({"ListFile": "model/none.txt", "OutputPath": "B.h"})", 3,
       "model/none.txt", ": could not be read: No such file or directory (entries[1])"},
      {R"({"enum": "model/bad.json"})", R"({"Style": "EnumerationClass", "FirstAndLast": false,
                                            "OutputPath": "B.h"})",
       1, "model/bad.json", ": An enumeration class needs at least one name. (entries[1])"},
      {R"({"enum": "model/bad.json"})", R"({"TypeName": "B"})", 2, "model/bad.json",
       ": a request in a manifest needs an OutputPath (entries[1])"},
      {R"({"enum": "model/bad.json"})", R"({"TypeName": "B", "OutputPath": "src/"})", 3, "src/",
       ": could not be written: names a folder, not a file (entries[1])"},
      {R"({"class": "model/sample.json", "output": "src"})", "", 3, "src",
       ": could not be written: not a regular file (entries[1])"},
      {R"({"class": "model/sample.json", "output": "src/B\u0000.h"})", "", 2, "zandrel.json",
       ": entries[1].output must not hold a NUL character"},
      {R"({"class": "model/bad.json", "output": "src/Sample.txt"})", SampleJson, 3, "zandrel.json",
       ": entries[1] (PROJECT/model/bad.json): PROJECT/src/Sample.h is written by entries[0]"},
      // The same file by another name, through a link to its folder.
      {R"({"class": "model/bad.json", "output": "alias/Sample.h"})", SampleJson, 3,
       "alias/Sample.h", ": could not be written: the same file as PROJECT/src/Sample.h\n"},
  };
  for (const Case& c : cases) {
    const Project project;
    fs::create_directory_symlink("src", project.Path("alias"));
    project.Manifest(R"({"class": "model/sample.json", "output": "src/Sample.h"}, )" + c.entry);
    if (!c.file.empty()) project.folder.Write("model/bad.json", c.file);
    const auto before = project.folder.Contents();
    for (const char* mode : {"", "--check"}) {
      const ProgramRun run = project.Run({"batch", project.Path("zandrel.json")}, mode);
      EXPECT_EQ(run.exitCode, c.exitCode) << c.entry << mode;
      std::string error = c.error;
      for (std::size_t at; (at = error.find("PROJECT/")) != std::string::npos;)
        error.replace(at, 8, project.Path("") + "/");
      const std::string expected = "zandrel-gen: " + project.Path(c.named) + error;
      EXPECT_EQ(run.err.substr(0, expected.size()), expected) << mode;
      // Both files of a class written twice are named.
      const bool twice = c.error.find("the same file") != std::string::npos;
      EXPECT_EQ(std::count(run.err.begin(), run.err.end(), '\n'), twice ? 2 : 1) << run.err;
      EXPECT_EQ(project.folder.Contents(), before) << c.entry;
    }
  }
}

TEST(CommandLine, StandardInputAndStandardOutput) {
  const Project project;
  ClassInput input;
  input.NameText = "Sample";
  input.Grid[0] = {"int", "count", ""};
  const auto files = [&](TargetSystem target, const std::string& chosen) {
    input.Options.TargetSystem = target;
    std::string printed;
    for (const OutputFile& file : ClassOutputFiles(*ReadClassDescription(input), chosen))
      printed += "// ==> " + file.Path + "\n" + file.Text + (file.Text.ends_with("\n") ? "" : "\n");
    return printed;
  };
  fs::resize_file(project.folder.Write("large", ""), (std::size_t{256} << 20) + 1);
  struct Case {
    std::vector<std::string> arguments;
    std::string input;  // standard input's text, or "@large"
    int exitCode;
    std::string out, err;
  };
  const Case cases[] = {
      {{"class", "-", "P.h", "--stdout"}, SampleJson, 0, files(TargetSystem::DevCpp, "P.h"), ""},
      {{"class", "--stdout", project.Path("model/sample.json"), "P"},
       "",
       0,
       files(TargetSystem::DevCpp, "P"),
       ""},
      {{"class", "-", "P.java", "--stdout"},
       R"({"ClassName": "Sample", "Rows": [{"Row": 1,
          "Type": "int", "Name": "count"}], "Options": {"TargetSystem": "Java"}})",
       0,
       files(TargetSystem::Java, "P.java"),
       ""},
      {{"enum", "-"},
       R"({"TypeName": "Color", "Rows": [{"Row": 1, "Name": "Red"}]})",
       0,
       project
           .Run({"enum", project.folder.Write("plain.json", R"({"TypeName": "Color",
           "Rows": [{"Row": 1, "Name": "Red"}]})")})
           .out,
       ""},
      {{"class", "-", "P.h"}, "{", 2, "", "zandrel-gen: standard input:1:1: invalid JSON"},
      {{"enum", "-"},
       "@large",
       3,
       "",
       "zandrel-gen: standard input: could not be read: larger than the 256 MiB limit"},
  };
  for (const Case& c : cases) {
    const std::string stdinPath = c.input.starts_with("@") ? project.Path(c.input.substr(1))
                                                           : project.folder.Write("stdin", c.input);
    const ProgramRun run = project.Run(c.arguments, "", {"", RLIM_INFINITY, stdinPath});
    EXPECT_EQ(run.exitCode, c.exitCode) << c.arguments[0] << run.err;
    EXPECT_EQ(run.out, c.out);
    EXPECT_EQ(run.err.substr(0, c.err.size()), c.err);
    EXPECT_FALSE(fs::exists("P.h"));
  }
}

// The user prepended a line to Sample.cpp, then the description changed.
TEST(CommandLine, RegeneratingMergesIntoEditedFiles) {
  const std::string added =
      R"({"ClassName": "Sample", "Rows": [{"Row": 1, "Type": "int", "Name": "count"},
                                          {"Row": 2, "Type": "int", "Name": "total"}]})";
  const std::string renamed = R"({"ClassName": "Shape", "Rows": [{"Row": 1, "Type": "int",
                                                                 "Name": "count"}]})";
  const std::string mine = "// (c) Ann\n";
  enum Source { Merged, Unchanged, WithMarkers, Generated };
  struct Case {
    const char* name;
    const std::string& description;
    std::vector<std::string> options;  // "@base": --base with the old description
    bool records;                      // the first run's records kept
    int exitCode;
    std::string err;  // follows "zandrel-gen: PROJECT/src/Sample.cpp"
    Source source;
  };
  const Case cases[] = {
      {"base from the record", added, {}, true, 0, "", Merged},
      {"base from --base", added, {"--base", "@base"}, false, 0, "", Merged},
      {"no base", added, {}, false, 5, ": differs from", Unchanged},
      {"no base, --force", added, {"--force"}, false, 0, "", Generated},
      {"conflict", renamed, {}, true, 5, ":1: conflict\n", Unchanged},
      {"conflict, markers",
       renamed,
       {"--conflicts=markers"},
       true,
       5,
       ":1: conflict\n",
       WithMarkers},
      {"conflict, --force", renamed, {"--force"}, true, 0, "", Generated},
      {"--check", added, {"--check"}, true, 4, "", Unchanged},
      // A build tree's files are never edited by hand: an edit there is overwritten.
      {"--build-output", added, {"--build-output"}, true, 0, "", Generated},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const Project project;
    const std::string source = project.Path("src/Sample.cpp");
    ASSERT_EQ(project.Run({"class", project.Path("model/sample.json"), source}).exitCode, 0);
    const std::string header = ReadFile(project.Path("src/Sample.h"));
    const std::string yours = mine + ReadFile(source);
    project.folder.Write("src/Sample.cpp", yours);
    if (!c.records) {
      fs::remove(Records().RecordPath(source));
      fs::remove(Records().RecordPath(project.Path("src/Sample.h")));
    }
    std::vector<std::string> arguments{"class", project.folder.Write("new.json", c.description),
                                       source};
    for (const std::string& option : c.options)
      arguments.push_back(option == "@base" ? project.Path("model/sample.json") : option);
    const ProgramRun run = project.Run(arguments);
    EXPECT_EQ(run.exitCode, c.exitCode) << run.err;
    EXPECT_NE(run.err.find(c.err.empty() ? "" : "zandrel-gen: " + source + c.err),
              std::string::npos)
        << run.err;
    if (c.err.empty()) {
      EXPECT_EQ(run.err, "");
    }

    const auto read = ReadClassDocument(c.description, "new.json");
    const std::string generated =
        ClassOutputFiles(*ReadClassDescription(std::get<ClassInput>(read)), source)[1].Text;
    const std::string expected[] = {mine + generated, yours, "", generated};
    if (c.source == WithMarkers) {
      EXPECT_TRUE(ReadFile(source).starts_with("<<<<<<< yours\n" + mine)) << ReadFile(source);
      // Markers left in the file: not up to date.
      const ProgramRun check = project.Run({"class", arguments[1], source, "--check"});
      EXPECT_EQ(check.exitCode, 4);
      EXPECT_EQ(check.out, source + "\n");
    } else {
      EXPECT_EQ(ReadFile(source), expected[c.source]);
    }
    // The header goes with its source: unwritten when the source is.
    if (c.source == Unchanged) {
      EXPECT_EQ(ReadFile(project.Path("src/Sample.h")), header);
    }
  }
}

// A path with a newline stays one line of --check's list.
TEST(CommandLine, CheckQuotesControlCharactersInPaths) {
  const Project project;
  const ProgramRun run = project.Run(
      {"class", project.Path("model/sample.json"), project.Path("src/a\nb.h"), "--check"});
  EXPECT_EQ(run.exitCode, 4) << run.err;
  EXPECT_EQ(run.out,
            "\"" + project.Path("src/a\\nb.h") + "\"\n\"" + project.Path("src/a\\nb.cpp") + "\"\n");
}

// Where a run cannot keep its records it fails, and --check and --dry-run say so as it would.
TEST(CommandLine, LooksRefuseWhatTheRunRefuses) {
  const Project project;
  const std::string saved = std::getenv("XDG_STATE_HOME") ? std::getenv("XDG_STATE_HOME") : "";
  ::setenv("XDG_STATE_HOME", (project.folder.Write("state", "a file") + "/in").c_str(), 1);
  for (const char* mode : {"--check", "--dry-run", "--force"}) {
    const ProgramRun run = project.Run(
        {"class", project.Path("model/sample.json"), project.Path("src/Sample.h"), mode});
    EXPECT_EQ(run.exitCode, 3) << mode;
    EXPECT_NE(run.err.find("Not a directory"), std::string::npos) << run.err;
  }
  ::setenv("XDG_STATE_HOME", saved.c_str(), 1);
  EXPECT_FALSE(fs::exists(project.Path("src/Sample.h")));
}

// A reader that went away is a write error like any other: reported, exit status 3.
TEST(CommandLine, AClosedPipeIsAWriteError) {
  const Project project;
  const std::string script = R"({ sleep 0.3; "$0" "$@"; echo "status $?" >&2; } | true)";
  for (const std::vector<std::string>& arguments :
       {std::vector<std::string>{"--help"},
        {"--version"},
        {"class", "--stdout", project.Path("model/sample.json"), "P.h"}}) {
    std::vector<std::string> argv = {"/bin/sh", "-c", script, ZANDREL_GEN};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(testing::RunProgram(argv).err,
              "zandrel-gen: standard output: could not be written: Broken pipe\nstatus 3\n")
        << arguments.front();
  }
}

// A saved description gives through zandrel-gen exactly the files Build writes for it.
TEST(CommandLine, SavedDocumentsBuildAsTheWindowWould) {
  const Project project;
  ClassInput input;
  input.NameText = " my class ";
  input.Grid[1] = {"char", "label[16]", ""};
  input.Grid[4] = {"double", "area(int w)", "ignored"};
  input.HeaderInsertions = {"#include \"Color.h\" "};
  for (const TargetSystem target : {TargetSystem::CBuilder, TargetSystem::Java}) {
    input.Options.TargetSystem = target;
    input.Options.BigConstructor = target == TargetSystem::Java;
    const QByteArray document = WriteClassDocument(input);
    const std::string saved =
        project.folder.Write("saved.json", std::string(document.data(), document.size()));
    ASSERT_EQ(project.Run({"class", saved, project.Path("src/Out.h")}).exitCode, 0);
    for (const OutputFile& file :
         ClassOutputFiles(*ReadClassDescription(input), project.Path("src/Out.h")))
      EXPECT_EQ(ReadFile(file.Path), file.Text) << file.Path;
  }
}

// A description that says where it was built rebuilds there with no path typed, from any folder.
TEST(CommandLine, ADescriptionWithAnOutputPathBuildsThere) {
  const Project project;
  const QByteArray document = WriteClassDocument(ClassInput{"Sample", {}, {}, {}}, "../src/S.h");
  const std::string saved =
      project.folder.Write("model/built.json", std::string(document.data(), document.size()));
  EXPECT_EQ(project.Run({"class", saved}).exitCode, 0);
  EXPECT_TRUE(fs::exists(project.Path("src/S.h")) && fs::exists(project.Path("src/S.cpp")));
  const ProgramRun none = project.Run({"class", project.Path("model/sample.json")});
  EXPECT_EQ(none.exitCode, 2);
  EXPECT_NE(none.err.find("has no OutputPath"), std::string::npos) << none.err;
}

// Every command of the table answers --help with its page, and the manual and the README name
// it and each of its options.
TEST(CommandLine, TheCommandTableIsWhatTheHelpManualAndReadmeDescribe) {
  const std::string manual = ReadFile(ZANDREL_SOURCE_DIR "/packaging/zandrel-gen.1");
  const std::string readme = ReadFile(ZANDREL_SOURCE_DIR "/README.md");
  const auto roff = [](std::string_view word) {
    std::string escaped;
    for (const char c : word) escaped.append(c == '-' ? "\\-" : std::string(1, c));
    return escaped;
  };
  for (const cli::CommandRow& row : cli::Commands()) {
    const std::string name(row.Name);
    EXPECT_EQ(testing::RunProgram({ZANDREL_GEN, name, "--help"}).out, cli::CommandUsage(name));
    EXPECT_NE(manual.find(".SS \"" + name + " "), std::string::npos) << name;
    EXPECT_NE(readme.find("zandrel-gen " + name), std::string::npos) << name;
    for (const cli::OptionRow& option : row.Options)
      EXPECT_NE(manual.find(roff(option.Long.empty() ? option.Short : option.Long)),
                std::string::npos)
          << name << " " << option.Long << option.Short;
  }
  EXPECT_EQ(testing::RunProgram({ZANDREL_GEN, "--help"}).out, cli::OverallUsage());
}

}  // namespace
}  // namespace zandrel
