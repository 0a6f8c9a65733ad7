#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "headerimport/header_import.h"
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

}  // namespace
}  // namespace zandrel
