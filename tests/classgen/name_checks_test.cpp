#include "classgen/name_checks.h"

#include <gtest/gtest.h>

namespace zandrel {
namespace {

struct ClassCase {
  std::string ClassName;
  std::vector<MemberRow> Members;
  NameLanguage Language;
  std::vector<int> Rows;  // the rows refused, in order
};

TEST(NameChecks, ClassRowsTheLanguageCannotTake) {
  const std::vector<ClassCase> cases = {
      {"Point", {{"int", "x", "", 1}, {"int", "y[3]", "", 2}}, NameLanguage::Cpp, {}},
      {"class", {}, NameLanguage::Cpp, {0}},
      {"1Foo", {}, NameLanguage::Java, {0}},
      {"Foo-Bar", {}, NameLanguage::Cpp, {0}},
      {"Foo", {{"int", "x", "", 1}, {"int", "x", "", 3}}, NameLanguage::Java, {3}},
      {"Foo", {{"int", "delete", "", 2}}, NameLanguage::Cpp, {2}},
      {"Foo", {{"int", "delete", "", 2}}, NameLanguage::Java, {}},
      {"Foo", {{"int", "record", "", 2}}, NameLanguage::Java, {2}},
      {"Foo",
       {{"int", "f(int a, std::map<int, long> b = {})", "", 1},
        {"int", "f()", "", 2},
        {"int", "g(int)", "", 3},
        {"int", "h(int a", "", 4},
        {"int", "k(std::vector<int> a>)", "", 5}},
       NameLanguage::Cpp,
       {3, 4, 5}},
  };
  for (const ClassCase& c : cases) {
    ClassDescription description;
    description.ClassName = c.ClassName;
    description.Members = c.Members;
    std::vector<int> rows;
    for (const NameProblem& problem : CheckClassNames(description, c.Language))
      rows.push_back(problem.Row);
    EXPECT_EQ(rows, c.Rows) << c.ClassName;
  }
}

TEST(NameChecks, Enumerators) {
  const auto rows = [](const std::vector<std::string_view>& names, NameLanguage language) {
    std::vector<int> found;
    for (const NameProblem& problem : CheckEnumerators(names, language))
      found.push_back(problem.Row);
    return found;
  };
  EXPECT_EQ(rows({"Red", "1abc", "foo-bar", "namespace", "Red"}, NameLanguage::Cpp),
            (std::vector<int>{2, 3, 4, 5}));
  EXPECT_EQ(rows({"Red", "namespace"}, NameLanguage::Java), std::vector<int>{});
  EXPECT_EQ(CheckEnumerators({"Red", "Red"}, NameLanguage::Cpp).front().Reason,
            "\"Red\" is given twice");
}

}  // namespace
}  // namespace zandrel
