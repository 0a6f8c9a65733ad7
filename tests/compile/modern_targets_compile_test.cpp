// The modern targets promise code that compiles clean: every file they write for these
// descriptions must get through g++ and clang++ with warnings as errors, through clang-tidy's
// bugprone, modernize and performance checks, or through javac with every lint; and a driver
// program per target (drivers/) uses what they generated and checks that it behaves.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_styles.h"
#include "tests/support/enumeration_files.h"
#include "tests/support/strict_build.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

using testing::FormatStyle;
using testing::Installed;
using testing::StrictFlags;

class ModernTargets : public ::testing::Test {
 protected:
  // Runs the command in the folder; its output, when it fails or (for clang-tidy) says anything.
  bool Run(const std::string& command, std::string& output) {
    const std::string messages = folder_.Path("messages.txt");
    const int status = std::system(
        ("cd '" + folder_.Path("") + "' && " + command + " >'" + messages + "' 2>&1").c_str());
    output = testing::ReadFile(messages);
    return status == 0;
  }
  void ExpectRuns(const std::string& command) {
    std::string output;
    EXPECT_TRUE(Run(command, output)) << command << "\n" << output;
  }
  // clang-tidy says nothing of the sources and the headers they include.
  void ExpectTidy(const std::string& sources) {
    std::string said;
    EXPECT_TRUE(Run(testing::TidyCommand(sources, ".*"), said));
    EXPECT_EQ(said.find("warning:"), std::string::npos) << said;
    EXPECT_EQ(said.find("error:"), std::string::npos) << said;
  }
  // Formatting the files in the documented style changes nothing, and no line is longer.
  void ExpectFormatted(const std::string& files) {
    ExpectRuns("for f in " + files + "; do clang-format --style='" + FormatStyle +
               "' \"$f\" | diff -u \"$f\" -; done | grep . && exit 1 || exit 0");
  }

  void WriteClass(const ClassDescription& description) {
    const std::string chosen = folder_.Path(description.ClassName + ".h");
    ASSERT_TRUE(WriteClassFiles(description, chosen).empty()) << chosen;
  }

  // The enum class style's record, as the main window keeps it; with a file, its include line.
  HeaderInsertion Enumeration(EnumerationRequest request, bool separateFile) {
    request.Style = EnumerationStyle::ModernEnumeration;
    request.SeparateFile = separateFile;
    request.OutputPath = folder_.Path(request.TypeName + ".h");
    return CollectedInsertion(request, testing::ComposeAndWrite(request));
  }

  testing::TempFolder folder_;
};

MemberRow Row(int row, std::string type, std::string name, std::string initial = "") {
  return {std::move(type), std::move(name), std::move(initial), row};
}

EnumerationRequest Names(std::string type, bool prefixed,
                         std::vector<std::pair<std::string, std::string>> rows) {
  EnumerationRequest request;
  request.TypeName = std::move(type);
  request.FirstAndLast = request.ApplyPrefix = prefixed;
  for (std::size_t i = 0; i < rows.size(); ++i)
    request.GridRows[i] = {rows[i].first, rows[i].second};
  return request;
}

TEST_F(ModernTargets, CppCompilesCleanAndBehaves) {
  for (const char* tool : {"g++", "clang++", "clang-tidy"})
    if (!Installed(tool)) GTEST_SKIP() << tool << " is not installed";

  const HeaderInsertion colour = Enumeration(
      Names("Colour", true, {{"Red", ""}, {"Green", ""}, {"Blue", ""}}), /*separateFile=*/false);
  const HeaderInsertion level = Enumeration(
      Names("Level", false, {{"Low", "1"}, {"High", "0x10"}, {"Mid", "$20"}, {"Also", "1"}}), true);
  const HeaderInsertion wide =
      Enumeration(Names("Wide", false, {{"Max", "2147483647"}, {"After", ""}}), true);
  Enumeration(Names("Nameless", false, {}), true);
  Enumeration(Names("Huge", false,
                    {{"Top", "0xFFFFFFFFFFFFFFFF"},
                     {"Mid", "9223372036854775807"},
                     {"After", ""},
                     {"Zero", "0"}}),
              true);
  Enumeration(Names("Least", false, {{"Low", "-9223372036854775808"}, {"Next", ""}}), true);
  EnumerationRequest keys = Names("Access", false, {{"Read", ""}, {"Write", ""}, {"All", "3"}});
  keys.Flags = keys.CaseInsensitive = keys.Formatter = keys.Json = true;
  Enumeration(keys, true);

  ClassDescription point;  // every option that shapes the class, an enumeration held inline
  point.ClassName = "Point";
  point.Members = {Row(1, "int", "x", "0"),
                   Row(2, "int", "y"),
                   Row(3, "std::string", "name", "\"origin\""),
                   Row(4, "Colour", "colour"),
                   Row(5, "double", "coords[3]"),
                   Row(6, "std::vector<int>", "path"),
                   Row(7, "double", "area(int w, int h = 2) const"),
                   Row(8, "void", "reset()"),
                   Row(9, "bool", "hasTag(const std::string& tag) const"),
                   Row(10, "void", "addTag(const std::string& tag, int count = 1)"),
                   Row(11, "std::size_t", "size() const noexcept")};
  point.Options.TargetSystem = TargetSystem::ModernCpp;
  point.Options.BigConstructor = point.Options.ToStringMethod = true;
  point.Options.StdLib = point.Options.MathLib = point.Options.CStrings = true;
  point.Options.JsonFunctions = point.Options.HashFunction = point.Options.Formatter = true;
  point.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  point.Options.NameForm = NameForm::LowerCamel;
  point.HeaderInsertions = InsertionList(std::vector<HeaderInsertion>{colour});
  WriteClass(point);

  ClassDescription account;  // private copies, one member: an explicit constructor
  account.ClassName = "Account";
  account.Members = {Row(1, "std::string", "owner"), Row(2, "static int", "count()")};
  account.Options = point.Options;
  account.Options.PrivateCopy = true;
  // Point has them: with them, fmt and nlohmann/json cost the compilers and clang-tidy seconds.
  account.Options.JsonFunctions = account.Options.Formatter = false;
  account.Options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  account.Options.NameForm = NameForm::LowerUnderscore;
  account.HeaderInsertions = InsertionList(std::vector<HeaderInsertion>{level});
  WriteClass(account);

  ClassDescription widget;  // enumerations included, nested arrays, pointers, no comparisons
  widget.ClassName = "Widget";
  widget.Members = {Row(1, "std::map<std::string, int>", "counts"),
                    Row(2, "bool", "on", "true"),
                    Row(3, "std::int64_t", "big", "7"),
                    Row(4, "const char*", "tag", "\"w\""),
                    Row(5, "int", "grid[2][3]"),
                    Row(6, "Level", "level", "Level::High"),
                    Row(7, "Wide", "wide"),
                    Row(8, "std::unique_ptr<int>", "owned")};
  widget.Options.TargetSystem = TargetSystem::ModernCpp;
  widget.Options.ToStringMethod = true;
  widget.Options.NameForm = NameForm::UpperCamel;
  widget.HeaderInsertions = InsertionList(std::vector<HeaderInsertion>{level, wide});
  WriteClass(widget);

  ClassDescription empty;
  empty.ClassName = "Empty";
  empty.Options.TargetSystem = TargetSystem::ModernCpp;
  empty.Options.PrivateCopy = true;
  WriteClass(empty);

  testing::WriteFile(folder_.Path("Nameless.cpp"),
                     "#include \"Nameless.h\"\n#include \"Huge.h\"\n#include \"Least.h\"\n"
                     "#include \"Access.h\"\n");
  const std::string sources = "Point.cpp Account.cpp Widget.cpp Empty.cpp Nameless.cpp";
  // g++ last, so that the driver below links its objects.
  for (const char* compiler : {"clang++", "g++"})
    ExpectRuns(std::string(compiler) + StrictFlags + " -c " + sources);
  // Point and the enumerations both include fmt and nlohmann/json, which take clang-tidy half a
  // minute in each file: it reads them in one.
  testing::WriteFile(folder_.Path("PointAndEnumerations.cpp"),
                     "#include \"Point.cpp\"  // NOLINT(bugprone-suspicious-include)\n"
                     "#include \"Nameless.cpp\"  // NOLINT(bugprone-suspicious-include)\n");
  ExpectTidy("PointAndEnumerations.cpp Account.cpp Widget.cpp Empty.cpp");
  if (Installed("clang-format"))
    ExpectFormatted(
        "Point.cpp Account.cpp Widget.cpp Empty.cpp Point.h Account.h Widget.h Empty.h Nameless.h "
        "Huge.h Least.h Access.h");

  ExpectRuns(std::string("g++") + StrictFlags + " -I. '" + ZANDREL_DRIVERS_DIR +
             "/modern_driver.cpp' Point.o Account.o Widget.o -o driver && ./driver");
}

// A member type of the random classes: how a value of it is written in C++, and a JSON value
// of another type.
struct ValueType {
  const char* Type;
  std::string (*Value)(std::mt19937& random);
  const char* WrongJson;
};
int Pick(std::mt19937& random, int low, int high) {
  return std::uniform_int_distribution<int>(low, high)(random);
}
const ValueType ValueTypes[] = {
    {"int", [](std::mt19937& r) { return std::to_string(Pick(r, -1000, 1000)); }, "\"x\""},
    {"double", [](std::mt19937& r) { return std::to_string(Pick(r, -400, 400)) + " / 4.0"; },
     "\"x\""},
    {"bool", [](std::mt19937& r) { return std::string(Pick(r, 0, 1) ? "true" : "false"); },
     "\"x\""},
    {"std::string",
     [](std::mt19937& r) { return "std::string(\"s" + std::to_string(Pick(r, 0, 99)) + "\")"; },
     "1"},
    {"std::vector<int>",
     [](std::mt19937& r) {
       std::string items;
       for (int n = Pick(r, 0, 3); n > 0; --n)
         items += (items.empty() ? "" : ", ") + std::to_string(Pick(r, -9, 9));
       return "std::vector<int>{" + items + "}";
     },
     "1"},
    {"std::int64_t",
     [](std::mt19937& r) { return "std::int64_t{" + std::to_string(Pick(r, 0, 1 << 30)) + "000}"; },
     "\"x\""},
};

// Random classes with random options: a driver fills two objects alike and checks that the JSON
// functions read back what they wrote, keep what a document leaves out, ignore unknown keys and
// refuse a value of the wrong type; that equal objects hash equal; and that both formatters print
// what operator<< prints.
TEST_F(ModernTargets, ValueFunctionsAgreeWithStreamAndEquality) {
  // Each class's source takes the compilers seconds, with fmt and nlohmann/json: a new draw of
  // four each run.
  constexpr int Classes = 4;
  for (const char* header : {"/usr/include/nlohmann/json.hpp", "/usr/include/fmt/format.h"})
    if (std::system(("test -f " + std::string(header)).c_str()) != 0)
      GTEST_SKIP() << header << " is not installed";
  const unsigned seed = std::random_device{}();
  std::mt19937 random(seed);
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::string includes, sources, body;
  for (int index = 0; index < Classes; ++index) {
    ClassDescription description;
    const std::string X = description.ClassName = "Random" + std::to_string(index);
    GenerationOptions& options = description.Options;
    options.TargetSystem = TargetSystem::ModernCpp;
    // The first class has all three, so that every run checks each.
    options.JsonFunctions = index == 0 || Pick(random, 0, 1) == 1;
    options.HashFunction = index == 0 || Pick(random, 0, 1) == 1;
    options.Formatter = index == 0 || Pick(random, 0, 1) == 1;
    options.ToStringMethod = Pick(random, 0, 1) == 1;
    options.PrivateCopy = options.BigConstructor = Pick(random, 0, 1) == 1;
    options.ComparisonLevel = static_cast<ComparisonLevel>(Pick(random, 0, 2));
    options.NameForm = static_cast<NameForm>(Pick(random, 0, 2));
    std::string fill, wrong, first;
    const int members = Pick(random, 1, 100);
    for (int row = 1; row <= members; ++row) {
      const ValueType& type =
          ValueTypes[Pick(random, 0, static_cast<int>(std::size(ValueTypes)) - 1)];
      const std::string name = std::string(1, 'm').append(std::to_string(row));
      description.Members.push_back(
          Row(row, type.Type, name, Pick(random, 0, 1) ? type.Value(random) : ""));
      fill += "  value." + AccessorName(options.NameForm, AccessorKind::Setter, name) + "(" +
              type.Value(random) + ");\n";
      if (wrong.empty() || Pick(random, 0, 3) == 0)
        wrong = "  bad[\"" + name + "\"] = nlohmann::json::parse(R\"(" + type.WrongJson + ")\");\n";
      if (first.empty()) first = name;
    }
    WriteClass(description);
    includes += "#include \"" + X + ".h\"\n";
    sources += " " + X + ".cpp";
    body += "void Fill(" + X + "& value) {\n" + fill + "}\n\nvoid Check(const " + X +
            "& x, const " + X + "& y) {\n  const char* name = \"" + X + "\";\n";
    if (options.ComparisonLevel != ComparisonLevel::NoComparisons)
      body += "  Expect(x == y, name, \"filled alike, equal\");\n";
    if (options.JsonFunctions) {
      body += "  const nlohmann::json j = x;\n  " + X +
              " back;\n  j.get_to(back);\n  Expect(nlohmann::json(back) == j, name, "
              "\"reads back what it wrote\");\n";
      if (options.ComparisonLevel != ComparisonLevel::NoComparisons)
        body += "  Expect(back == x, name, \"read back equal\");\n";
      body += "  const nlohmann::json fresh = " + X + "();\n  " + X +
              " kept;\n  nlohmann::json{{\"unknown\", 1}}.get_to(kept);\n"
              "  Expect(nlohmann::json(kept) == fresh, name, \"keeps the defaults\");\n"
              "  nlohmann::json partial = j;\n  partial.erase(\"" +
              first + "\");\n  " + X + " some;\n  partial.get_to(some);\n  partial[\"" + first +
              "\"] = fresh[\"" + first +
              "\"];\n  Expect(nlohmann::json(some) == partial, name, \"keeps a missing key\");\n"
              "  nlohmann::json bad = j;\n" +
              wrong + "  try {\n    " + X +
              " refused;\n    bad.get_to(refused);\n    Expect(false, name, \"refuses a wrong "
              "type\");\n  } catch (const nlohmann::json::type_error&) {\n  }\n";
    }
    if (options.HashFunction)
      body += "  Expect(std::hash<" + X + ">{}(x) == std::hash<" + X +
              ">{}(y), name, \"hashes alike\");\n";
    if (options.Formatter)
      body +=
          "  std::ostringstream out;\n  out << x;\n"
          "  Expect(fmt::format(\"{}\", x) == out.str(), name, \"fmt prints operator<<\");\n"
          "#if defined(__cpp_lib_format)\n"
          "  Expect(std::format(\"{}\", x) == out.str(), name, \"std::format prints "
          "operator<<\");\n#endif\n";
    body += "  static_cast<void>(x);\n  static_cast<void>(y);\n  static_cast<void>(name);\n}\n\n";
  }
  std::string driver = includes +
                       "\n#include <iostream>\n#include <sstream>\n\nnamespace {\n\n"
                       "int failures = 0;\n\nvoid Expect(bool holds, const char* type, const char* "
                       "what) {\n  if (holds) return;\n  std::cerr << type << \": \" << what << "
                       "\"\\n\";\n  ++failures;\n}\n\n" +
                       body + "}  // namespace\n\nint main() {\n";
  for (int index = 0; index < Classes; ++index) {
    const std::string X = "Random" + std::to_string(index);
    driver += "  {\n    " + X + " x;\n    " + X + " y;\n    Fill(x);\n    Fill(y);\n" +
              "    Check(x, y);\n  }\n";
  }
  driver += "  return failures == 0 ? 0 : 1;\n}\n";
  testing::WriteFile(folder_.Path("driver.cpp"), driver);
  for (const char* compiler : {"g++", "clang++"}) {
    if (!Installed(compiler)) continue;
    ExpectRuns(std::string(compiler) + StrictFlags + " -I. driver.cpp" + sources +
               " -lfmt -o driver && ./driver");
  }
  // clang-tidy, which reads fmt and nlohmann/json for half a minute in each file, checks the
  // value functions in Point above.
  if (Installed("clang-format")) {
    std::string files = sources;
    for (int index = 0; index < Classes; ++index) files += " Random" + std::to_string(index) + ".h";
    ExpectFormatted(files);
  }
}

TEST_F(ModernTargets, RecordsCompileCleanAndBehave) {
  for (const char* tool : {"javac", "java"})
    if (!Installed(tool)) GTEST_SKIP() << tool << " is not installed";

  ClassDescription point;
  point.ClassName = "Point";
  point.Members = {Row(1, "int", "x", "0"),     Row(2, "long", "y"),
                   Row(3, "String", "name"),    Row(4, "double", "coords[3]"),
                   Row(5, "int", "grid[2][3]"), Row(7, "double", "area(int w, int h)"),
                   Row(8, "void", "reset()")};
  point.Options.TargetSystem = TargetSystem::JavaRecord;
  point.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  point.Options.PrivateCopy = point.Options.BigConstructor = point.Options.ToStringMethod = true;
  WriteClass(point);

  ClassDescription account;
  account.ClassName = "Account";
  account.Members = {Row(2, "String", "owner")};
  account.Options.TargetSystem = TargetSystem::JavaRecord;
  account.Options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  WriteClass(account);

  // C++ types of the member table become their Java counterparts.
  ClassDescription bag;
  bag.ClassName = "Bag";
  bag.Members = {Row(1, "std::vector<int>", "xs"),
                 Row(2, "std::map<std::string, std::vector<long long>>", "index"),
                 Row(3, "std::optional<bool>", "flag"), Row(4, "uint8_t", "small[4]"),
                 Row(5, "std::string", "label")};
  bag.Options.TargetSystem = TargetSystem::JavaRecord;
  bag.Options.ComparisonLevel = ComparisonLevel::AllComparisons;
  WriteClass(bag);

  ClassDescription nothing;
  nothing.ClassName = "Nothing";
  nothing.Options = point.Options;
  WriteClass(nothing);

  ExpectRuns(std::string("cp '") + ZANDREL_DRIVERS_DIR +
             "/RecordDriver.java' . && javac --release 17 -Xlint:all -Werror -d classes "
             "Point.java Account.java Bag.java Nothing.java RecordDriver.java && "
             "java -cp classes RecordDriver");
}

}  // namespace
}  // namespace zandrel
