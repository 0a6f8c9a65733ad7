#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "enumgen/enumeration_list.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

std::vector<std::string> Names(const EnumerationList& list) {
  std::vector<std::string> names;
  for (const auto& entry : list.Entries) names.push_back(entry.EnumeratorName);
  return names;
}

TEST(ConvertValue, AcceptsAndRefusesLikeAStrictIntegerConversion) {
  struct Case {
    const char* text;
    const char* expected;  // in decimal digits; null: refused
  };
  const Case cases[] = {
      {"12", "12"},
      {" -7", "-7"},
      {"   +5", "5"},
      {"0", "0"},
      {"-0", "0"},
      {"007", "7"},
      {"$1F", "31"},
      {"$1f", "31"},
      {"0x10", "16"},
      {"0X10", "16"},
      {"x10", "16"},
      {"X1a", "26"},
      {"-$10", "-16"},
      {"+0x10", "16"},
      {"2147483647", "2147483647"},
      {"-2147483648", "-2147483648"},
      {"$7FFFFFFF", "2147483647"},
      {"-$80000000", "-2147483648"},
      {"-0x80000000", "-2147483648"},
      {"-1111111111", "-1111111111"},  // an ordinary value, not a marker
      {"0000000000000000000000000000042", "42"},
      {"", nullptr},
      {" ", nullptr},
      {"12a", nullptr},
      {"abc", nullptr},
      {"12 ", nullptr},
      {"\t12", nullptr},
      {"1 2", nullptr},
      {"+", nullptr},
      {"-", nullptr},
      {"+-1", nullptr},
      {"--1", nullptr},
      {"- 1", nullptr},
      {"$", nullptr},
      {"0x", nullptr},
      {"x", nullptr},
      {"$-1", nullptr},
      {"$$1", nullptr},
      {"0x0x1", nullptr},
      {"$G", nullptr},
      {"1e3", nullptr},
      {"1.0", nullptr},
      {"2147483648", "2147483648"},
      {"-2147483649", "-2147483649"},
      {"$80000000", "2147483648"},
      {"0xFFFFFFFF", "4294967295"},
      {"-$80000001", "-2147483649"},
      {"4294967296", "4294967296"},
      {"9223372036854775807", "9223372036854775807"},
      {"9223372036854775808", "9223372036854775808"},
      {"0xFFFFFFFFFFFFFFFF", "18446744073709551615"},
      {"$0000FFFFFFFFFFFFFFFF", "18446744073709551615"},
      {"-9223372036854775808", "-9223372036854775808"},
      {"-0x8000000000000000", "-9223372036854775808"},
      {"18446744073709551616", nullptr},
      {"-9223372036854775809", nullptr},
      {"-0xFFFFFFFFFFFFFFFF", nullptr},
      {"$10000000000000000", nullptr},
      {"99999999999999999999x", nullptr},
      {"99999999999999999999999999999999", nullptr},
      {"$FFFFFFFFFFFFFFFFFFFFFFFFFFFFFFFF", nullptr},
  };
  for (const Case& c : cases) {
    const auto value = ConvertValue(c.text);
    EXPECT_EQ(value ? DecimalText(*value) : "refused", c.expected ? c.expected : "refused")
        << '"' << c.text << '"';
  }
}

TEST(ConvertValue, ManyDigitsNeverOverflow) {
  const auto text = [](std::string_view cell) {
    const auto value = ConvertValue(cell);
    return value ? DecimalText(*value) : "refused";
  };
  for (std::size_t length = 1; length <= 200; ++length) {
    const std::string nines(length, '9');
    EXPECT_EQ(text(nines), length <= 19 ? nines : "refused") << length;
    EXPECT_EQ(text("-" + nines), length <= 18 ? "-" + nines : "refused") << length;
    EXPECT_EQ(ConvertValue(std::string("$").append(length, 'F')).has_value(), length <= 16)
        << length;
  }
  // Leading zeros do not count against the range.
  EXPECT_EQ(text(std::string(500, '0') + "18446744073709551615"), "18446744073709551615");
  EXPECT_EQ(text(std::string("-").append(500, '0') + "9223372036854775808"),
            "-9223372036854775808");
  EXPECT_EQ(text(std::string(500, '0') + "18446744073709551616"), "refused");
}

TEST(SuggestPrefix, ProposesCapitalsOrTheStartOfTheName) {
  const std::pair<const char*, std::optional<std::string>> cases[] = {
      {"TrafficLight", "TL"},
      {"ColorRGB", "CRGB"},
      {"car", "CAR"},
      {"vehicle", "VEH"},
      {"ABCDEF", "ABC"},
      {"ABCDE", "ABCDE"},
      {"Xy", "XY"},
      {"", std::nullopt},
      {"my Car Type", "CT"},
      {"aBcDeFgH", "BDFH"},
      {"aBcDeFgHiJ", "ABC"},
      {"x", "X"},
      {"a b", "A B"},
      // Characters beyond ASCII are counted whole and left as they are.
      {"\xc3\xa9t\xc3\xa9", "\xc3\xa9T\xc3\xa9"},
      {"\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9\xc3\xa9", "\xc3\xa9\xc3\xa9\xc3\xa9"},
  };
  for (const auto& [typeName, expected] : cases)
    EXPECT_EQ(SuggestPrefix(typeName), expected) << typeName;
}

TEST(ReadListFromGrid, TakesNamedRowsWithTheirOwnValues) {
  EnumerationRequest request;
  request.GridRows[0] = {"Red", "12"};
  request.GridRows[2] = {" Green", " -7"};
  request.GridRows[3] = {"Blue", ""};
  request.GridRows[4] = {"", "99"};  // a value without a name only marks values as given
  request.GridRows[48] = {"Last", "-1111111111"};
  EnumerationList list;
  ASSERT_FALSE(ReadListFromGrid(request, list));
  ASSERT_EQ(list.Entries.size(), 4u);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"ZDRed", "ZD Green", "ZDBlue", "ZDLast"}));
  EXPECT_EQ(list.Entries[0].EnumeratorValue, 12);
  EXPECT_EQ(list.Entries[1].EnumeratorValue, -7);
  EXPECT_EQ(list.Entries[2].EnumeratorValue, std::nullopt);
  EXPECT_EQ(list.Entries[3].EnumeratorValue, -1111111111);
  EXPECT_TRUE(list.ValuesGiven);
}

TEST(ReadListFromGrid, ValuesGivenOnlyWhenAValueCellHoldsText) {
  EnumerationRequest request;
  request.ApplyPrefix = false;
  request.GridRows[0] = {"Red", ""};
  EnumerationList list;
  ASSERT_FALSE(ReadListFromGrid(request, list));
  EXPECT_FALSE(list.ValuesGiven);
  EXPECT_EQ(Names(list), (std::vector<std::string>{"Red"}));

  request.GridRows[10] = {"", "junk"};  // unnamed rows are not converted
  ASSERT_FALSE(ReadListFromGrid(request, list));
  EXPECT_TRUE(list.ValuesGiven);
}

TEST(ReadListFromGrid, RefusesANamedRowWhoseValueIsNotAWholeNumber) {
  const std::pair<int, const char*> cases[] = {
      {1, "12a"}, {2, "abc"}, {7, "2147483648"}, {49, " "}, {3, "1 "}};
  for (const auto& [row, text] : cases) {
    EnumerationRequest request;
    request.GridRows[row - 1] = {"Name", text};
    EnumerationList list;
    const auto refusal = ReadListFromGrid(request, list);
    ASSERT_TRUE(refusal) << text;
    EXPECT_EQ(refusal->Message, "The value \"" + std::string(text) + "\" in row " +
                                    std::to_string(row) + " is not a whole number.");
  }
}

TEST(BuildEnumerationList, SentinelsSurroundTheGridNamesWithoutValues) {
  struct Case {
    bool firstAndLast;
    bool applyPrefix;
    std::string prefix;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {true, true, "ZD", {"ZDFirstUnused", "ZDRed", "ZDLastUnused"}},
      {true, true, "", {"FirstUnused", "Red", "LastUnused"}},
      {true, false, "ZD", {"FirstUnused", "Red", "LastUnused"}},
      {false, true, "ZD", {"ZDRed"}},
  };
  for (const Case& c : cases) {
    EnumerationRequest request;
    request.FirstAndLast = c.firstAndLast;
    request.ApplyPrefix = c.applyPrefix;
    request.PrefixText = c.prefix;
    request.GridRows[0] = {"Red", "5"};
    auto built = BuildEnumerationList(request, nullptr);
    ASSERT_TRUE(std::holds_alternative<EnumerationList>(built));
    const auto& list = std::get<EnumerationList>(built);
    EXPECT_EQ(Names(list), c.expected);
    for (const auto& entry : list.Entries)
      EXPECT_EQ(entry.EnumeratorValue.has_value(), entry.EnumeratorName.ends_with("Red"));
  }
}

TEST(BuildEnumerationList, PassesOnTheGridRefusal) {
  EnumerationRequest request;
  request.GridRows[1] = {"Red", "red"};
  auto built = BuildEnumerationList(request, nullptr);
  ASSERT_TRUE(std::holds_alternative<Refusal>(built));
  EXPECT_EQ(std::get<Refusal>(built).Message, "The value \"red\" in row 2 is not a whole number.");
}

TEST(ListFile, ReadsWordsAndSkipsCommentLines) {
  struct Case {
    std::string text;
    std::vector<std::string> expected;
  };
  const std::string longWord(5000, 'W');
  const std::string longComment = "# " + std::string(100000, 'c');
  const Case cases[] = {
      {"Red Green\n# a comment Violet\nBlue\n/Yellow\n", {"Red", "Green", "Blue"}},
      {"Red Green\r\n# comment\r\nBlue\r\n", {"Red", "Green", "Blue"}},
      {"", {}},
      {" \t\n\v\f\r\n", {}},
      {"# only a comment", {}},
      {"A=1 2B\tC", {"A=1", "2B", "C"}},
      {longWord + "\nAfter", {longWord, "After"}},
      {longComment + "\nAfter\n" + longComment + "\nLast", {"After", "Last"}},
      {"Red #trailing comment words\nBlue", {"Red", "Blue"}},
      {"Red/Green", {"Red/Green"}},
      {"\xEF\xBB\xBFRed Blue", {"Red", "Blue"}},
  };
  for (const Case& c : cases) {
    EnumerationRequest request;
    request.ApplyPrefix = false;
    EnumerationList list;
    list.ValuesGiven = true;
    ReadListFromFile(request, list, ListFile(c.text));
    EXPECT_EQ(Names(list), c.expected) << c.text.substr(0, 40);
    EXPECT_FALSE(list.ValuesGiven);
    for (const auto& entry : list.Entries) EXPECT_FALSE(entry.EnumeratorValue);
  }
}

// The list file read once, then built into lists with or without sentinels; no file (a cancelled
// choice) and a file without words give only the sentinels.
TEST(ListFile, ReadThenBuiltWithSentinels) {
  testing::TempFolder folder;
  const auto read =
      ReadListFile(folder.Write("list.txt", "Red Green\n# comment here\nBlue\n/ Y\n"));
  const auto empty = ReadListFile(folder.Write("empty.txt", "# nothing\n\n   \n"));
  const auto nul = ReadListFile(folder.Write("nul.txt", std::string("Red\0Blue\n", 9)));
  EXPECT_EQ(std::get<FileFailure>(nul).Reason, "holds a NUL character");
  struct Case {
    const ListFile* listFile;
    bool firstAndLast;
    std::vector<std::string> expected;
  };
  const Case cases[] = {
      {&std::get<ListFile>(read),
       true,
       {"ZDFirstUnused", "ZDRed", "ZDGreen", "ZDBlue", "ZDLastUnused"}},
      {&std::get<ListFile>(read), false, {"ZDRed", "ZDGreen", "ZDBlue"}},
      {&std::get<ListFile>(empty), true, {"ZDFirstUnused", "ZDLastUnused"}},
      {nullptr, true, {"ZDFirstUnused", "ZDLastUnused"}},
      {nullptr, false, {}},
  };
  for (const Case& c : cases) {
    EnumerationRequest request;
    request.FromFile = true;
    request.FirstAndLast = c.firstAndLast;
    request.GridRows[0] = {"GridName", "1"};  // the grid is not read with a list file
    const auto list = std::get<EnumerationList>(BuildEnumerationList(request, c.listFile));
    EXPECT_EQ(Names(list), c.expected);
    EXPECT_FALSE(list.ValuesGiven);
  }
}

// A list file that cannot be read is refused at once (a FIFO never blocks) with its reason.
TEST(ListFile, EveryUnreadableFileIsRefusedWithItsReason) {
  testing::TempFolder folder;
  for (const auto& input :
       testing::UnreadableInputs(folder, ListFileLimit, "larger than the 256 MiB limit")) {
    testing::HangGuard guard;
    const auto read = ReadListFile(input.Path);
    ASSERT_TRUE(std::holds_alternative<FileFailure>(read)) << input.Label;
    EXPECT_EQ(std::get<FileFailure>(read).Path, input.Path);
    EXPECT_EQ(std::get<FileFailure>(read).Reason, input.Reason) << input.Label;
  }
}

}  // namespace
}  // namespace zandrel
