#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <sstream>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "headerimport/header_import.h"
#include "tests/support/strict_build.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

// Random descriptions the C++20 target takes: distinct names, values only where the type has them.
ClassDescription RandomDescription(std::mt19937& random) {
  const auto number = [&](int low, int high) {
    return std::uniform_int_distribution<int>(low, high)(random);
  };
  struct Kind {
    const char* Type;
    const char* Value;
  };
  const Kind kinds[] = {{"int", "5"},        {"double", "0.5"},        {"bool", "true"},
                        {"std::string", ""}, {"std::vector<int>", ""}, {"long long", "0"}};
  const char* methods[] = {"area(int w, int h) const", "reset()", "count() const noexcept",
                           "rename(const std::string& to)"};
  ClassDescription d;
  d.ClassName = "Sample";
  const int rows = number(1, 8);
  for (int row = 1; row <= rows; ++row) {
    if (number(0, 3) == 0) {
      d.Members.push_back({"int", methods[number(0, 3)], "", row});
      d.Members.back().Name.insert(0, std::string(1, 'm').append(std::to_string(row)));
      continue;
    }
    const Kind& kind = kinds[number(0, 5)];
    d.Members.push_back(
        {kind.Type, "field" + std::to_string(row), number(0, 1) == 1 ? kind.Value : "", row});
  }
  GenerationOptions& o = d.Options;
  o.TargetSystem = TargetSystem::ModernCpp;
  o.ComparisonLevel = static_cast<ComparisonLevel>(number(0, 2));
  o.PrivateCopy = number(0, 1) == 1;
  o.BigConstructor = number(0, 1) == 1;
  o.ToStringMethod = number(0, 1) == 1;
  o.NameForm = static_cast<NameForm>(number(0, 2));
  return d;
}

auto Rows(const ClassDescription& d) {
  std::vector<std::tuple<std::string, std::string, std::string>> rows;
  for (const MemberRow& row : d.Members) rows.emplace_back(row.Type, row.Name, row.InitialValue);
  std::ranges::sort(rows);
  return rows;
}

// The options a header shows; without a data member there are no accessors and no constructor
// to tell the naming form and BigConstructor by.
auto ImportedOptions(const ClassDescription& d) {
  GenerationOptions o = d.Options;
  if (std::ranges::none_of(d.Members, IsDataMember)) o.BigConstructor = false;
  if (std::ranges::none_of(d.Members, IsDataMember)) o.NameForm = NameForm::LowerUnderscore;
  return std::tuple(o.ComparisonLevel, o.PrivateCopy, o.BigConstructor, o.ToStringMethod,
                    o.NameForm);
}

// What the C++20 target writes, imported again, is the description it was written from.
TEST(HeaderImport, TheModernHeaderReadsBackAsItsDescription) {
  std::mt19937 random(11);
  testing::TempFolder folder;
  for (int round = 0; round < 24; ++round) {
    const ClassDescription written = RandomDescription(random);
    std::string header;
    for (const ClassFile& file : ClassFiles(written, folder.Path("Sample.h")))
      if (file.File.Path.ends_with(".h")) header = file.File.Text;
    ImportRequest request;
    request.HeaderPath = folder.Write("Sample.h", header);
    const auto imported = ImportHeader(request);
    ASSERT_TRUE(std::holds_alternative<ImportedHeader>(imported))
        << std::get<ImportFailure>(imported).Reason << "\n"
        << header;
    const auto& read = std::get<ClassDescription>(std::get<ImportedHeader>(imported).Record);
    EXPECT_EQ(read.ClassName, written.ClassName);
    EXPECT_EQ(Rows(read), Rows(written)) << header;
    EXPECT_EQ(ImportedOptions(read), ImportedOptions(written)) << header;
  }
}

std::string Squeezed(const std::string& text) {
  std::string squeezed;
  for (const char c : text)
    if (c != ' ' && c != '\t' && c != '\n') squeezed += c;
  return squeezed;
}

// What the import finds in a header, in the lines clang_report.py writes for what clang finds:
// the types with their kinds, lines and rows, the data members of each class as rows, and the
// enumerators with their values.
std::string ImportReport(const std::string& header) {
  std::ostringstream report;
  const auto listed = ListDefinedTypes(header, {});
  if (const auto* failure = std::get_if<ImportFailure>(&listed)) return failure->Reason;
  const auto companions = ImportCompanionTypes(header, {});
  if (const auto* failure = std::get_if<ImportFailure>(&companions)) return failure->Reason;
  const auto& enumerations = std::get<ImportedCompanions>(companions).Enumerations;
  std::string missing;
  for (const auto& [line, include] : std::get<ImportedCompanions>(companions).MissingIncludes)
    missing += "missing\t" + include + "\t" + std::to_string(line) + "\n";
  for (const DefinedType& type : std::get<std::vector<DefinedType>>(listed)) {
    report << "type\t" << type.Kind << '\t' << type.QualifiedName << '\t' << type.Line << '\t'
           << type.Size << '\n';
    if (!type.IsEnumeration) {
      ImportRequest request{header, {}, type.QualifiedName, ImportKind::Class};
      const auto imported = ImportHeader(request);
      if (const auto* failure = std::get_if<ImportFailure>(&imported)) return failure->Reason;
      const auto& record = std::get<ImportedHeader>(imported).Record;
      for (const MemberRow& row : std::get<ClassDescription>(record).Members) {
        if (!IsDataMember(row)) continue;
        report << "field\t" << type.QualifiedName << '\t' << row.Name << '\t' << Squeezed(row.Type)
               << '\t' << row.InitialValue << '\n';
      }
    }
    for (const CompanionEnumeration& e : enumerations) {
      if (e.QualifiedName != type.QualifiedName) continue;
      for (std::size_t k = 0; k < e.Enumerators.size(); ++k)
        report << "enumerator\t" << e.QualifiedName << '\t' << e.Enumerators[k] << '\t'
               << (e.UnsignedValues ? std::to_string(static_cast<std::uint64_t>(e.Values[k]))
                                    : std::to_string(e.Values[k]))
               << '\n';
    }
  }
  return report.str() + missing;
}

// Hand-written headers, read by the import and by clang itself (its AST as JSON, with the macros
// of Qt as they expand), agree on every type, row, member and enumerator.
TEST(HeaderImport, FindsWhatClangFinds) {
  if (!testing::Installed("clang++") || !testing::Installed("python3"))
    GTEST_SKIP() << "no clang++ or python3";
  const std::string folder = ZANDREL_HEADERS;
  testing::TempFolder temporary;
  for (const char* name : {"qt_style.h", "defaults.h", "values.h", "missing_include.h"}) {
    SCOPED_TRACE(name);
    const std::string header = folder + "/" + name;
    const std::string report = temporary.Path("clang.txt");
    ASSERT_TRUE(testing::Succeeds(
        "clang++ -Xclang -ast-dump=json -fsyntax-only -xc++-header "
        "-std=c++20 -include '" +
        folder + "/qt_macros.h' '" + header + "' 2>'" + report + ".err' | python3 '" + folder +
        "/../clang_report.py' '" + header + "' '" + report + ".err' > '" + report + "'"));
    // Line by line, field by field; where clang could not read a member ("?"), its name alone.
    const auto split = [](const std::string& text, char at) {
      std::vector<std::string> parts;
      std::istringstream in(text);
      for (std::string part; std::getline(in, part, at);) parts.push_back(part);
      return parts;
    };
    const std::vector<std::string> ours = split(ImportReport(header), '\n');
    const std::vector<std::string> clangs = split(testing::ReadFile(report), '\n');
    ASSERT_EQ(ours.size(), clangs.size()) << ImportReport(header);
    for (std::size_t k = 0; k < ours.size(); ++k) {
      std::vector<std::string> mine = split(ours[k], '\t');
      const std::vector<std::string> theirs = split(clangs[k], '\t');
      mine.resize(std::max(mine.size(), theirs.size()));
      for (std::size_t f = 0; f < std::min(mine.size(), theirs.size()); ++f)
        if (theirs[f] == "?") mine[f] = "?";
      EXPECT_EQ(mine, theirs) << ours[k];
    }
  }
}

// A header without an entry of its own takes the flags of the first source that includes it, by
// its file name in any folder and either quotes; a longer name ending in it is another file, and
// then libclang's guess from a like name serves.
TEST(HeaderImport, TakesTheFlagsOfTheSourceThatIncludesTheHeader) {
  const struct {
    const char* Include;
    bool Found;
  } cases[] = {{"#include \"widget.h\"", true},      {"#  include <ui/widget.h>", true},
               {"# include\t\"../widget.h\"", true}, {"#include \"mywidget.h\"", false},
               {"#include \"widget.hpp\"", false},   {"// widget.h", false}};
  for (const auto& c : cases) {
    testing::TempFolder folder;
    folder.Write("other.cpp", "#include \"mywidget.h\"\n");
    folder.Write("user.cpp", std::string("int a;\n") + c.Include + "\n");
    const auto entry = [&folder](const std::string& file, const std::string& flags) {
      return "{\"directory\": \"" + folder.Path() + "\", \"file\": \"" + file +
             "\", \"command\": \"c++ " + flags + " -c " + file + "\"}";
    };
    folder.Write("compile_commands.json", "[" + entry("other.cpp", "-DOTHER") + ", " +
                                              entry("user.cpp", "-DUSER=1 -Iinc") + "]");
    const std::vector<std::string> flags =
        FlagsFromBuildFolder(folder.Path(), folder.Path("widget.h"));
    const std::vector<std::string> expected{"-DUSER=1", "-I" + folder.Path("inc")};
    EXPECT_EQ(flags, c.Found ? expected : std::vector<std::string>{"-DOTHER"}) << c.Include;
  }
}

}  // namespace
}  // namespace zandrel
