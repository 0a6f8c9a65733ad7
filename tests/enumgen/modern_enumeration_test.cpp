#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_styles.h"
#include "enumgen/modern_enumeration_writer.h"
#include "tests/support/golden.h"

namespace zandrel {
namespace {

using testing::MatchesGolden;

EnumerationOutput Composed(const EnumerationRequest& request, const ListFile* listFile = nullptr) {
  return std::get<EnumerationOutput>(ComposeEnumeration(request, listFile));
}

EnumerationRequest Colour() {
  EnumerationRequest request;
  request.TypeName = "Colour";
  request.Style = EnumerationStyle::ModernEnumeration;
  request.GridRows[0] = {"Red", ""};
  request.GridRows[1] = {"Green", ""};
  request.GridRows[2] = {"Blue", ""};
  return request;
}

// Values as the compiler counts them, and the type that holds them.
TEST(ModernEnumeration, ValuesAndUnderlyingType) {
  constexpr std::int32_t Max = 2147483647;
  constexpr std::int32_t Min = -Max - 1;
  struct Case {
    std::vector<std::optional<std::int32_t>> given;
    bool valuesGiven;
    std::vector<std::int64_t> values;
    std::string type;
  };
  const Case cases[] = {
      {{}, false, {}, "int"},
      {{std::nullopt, std::nullopt}, false, {0, 1}, "int"},
      {{5, 7}, false, {0, 1}, "int"},  // values typed but not given: none written
      {{5, std::nullopt, -3, std::nullopt}, true, {5, 6, -3, -2}, "int"},
      {{Max - 1, std::nullopt}, true, {Max - 1, Max}, "int"},
      {{Max, std::nullopt}, true, {Max, Max + std::int64_t{1}}, "long long"},
      {{Min}, true, {Min}, "int"},
      {{std::nullopt, 1, 0}, true, {0, 1, 0}, "int"},  // a value twice
  };
  for (const Case& c : cases) {
    EnumerationList list;
    list.ValuesGiven = c.valuesGiven;
    for (const auto& value : c.given) list.Entries.push_back({"N", value});
    const std::vector<std::int64_t> values = EnumeratorValues(list);
    EXPECT_EQ(values, c.values);
    EXPECT_EQ(UnderlyingType(values), c.type);
  }
}

// Values up to 64 bits give the enum class style the type that holds them, or a refusal naming
// the row and the range; the classic styles keep to 32 bits.
TEST(ModernEnumeration, WideValuesTakeTheTypeThatHoldsThem) {
  constexpr auto Modern = EnumerationStyle::ModernEnumeration;
  struct Case {
    EnumerationStyle style;
    std::vector<std::string> values;
    std::string expected;  // the type, or the start of the refusal
  };
  const Case cases[] = {
      {Modern, {"2147483647", ""}, "long long"},
      {Modern, {"0x80000000"}, "long long"},
      {Modern, {"0xFFFFFFFFFFFFFFFF"}, "unsigned long long"},
      {Modern, {"9223372036854775807", ""}, "unsigned long long"},
      {Modern, {"-9223372036854775808", "5"}, "long long"},
      {Modern,
       {"-1", "0xFFFFFFFFFFFFFFFF"},
       "The value \"0xFFFFFFFFFFFFFFFF\" in row 2 and the value in row 1 fit no one"},
      {Modern, {"-1", "9223372036854775807", ""}, "The value of row 3 and that of row 1 fit no"},
      {Modern, {"0xFFFFFFFFFFFFFFFF", ""}, "The value of row 2 counts on beyond"},
      {Modern,
       {"18446744073709551616"},
       "The value \"18446744073709551616\" in row 1 is beyond 64"},
      {EnumerationStyle::PlainEnumeration,
       {"2147483648"},
       "The value \"2147483648\" in row 1 is not a whole number."},
      {EnumerationStyle::EnumerationClass,
       {"1", "-2147483649"},
       "The value \"-2147483649\" in row 2 is not a whole number."},
  };
  for (const Case& c : cases) {
    EnumerationRequest request;
    request.TypeName = "Wide";
    request.Style = c.style;
    request.FirstAndLast = request.ApplyPrefix = false;
    for (std::size_t i = 0; i < c.values.size(); ++i)
      request.GridRows[i] = {std::string("N").append(std::to_string(i)), c.values[i]};
    const auto composed = ComposeEnumeration(request, nullptr);
    if (const auto* refusal = std::get_if<Refusal>(&composed)) {
      EXPECT_TRUE(refusal->Message.starts_with(c.expected)) << refusal->Message;
      EXPECT_EQ(refusal->Row, static_cast<int>(c.values.size()));
    } else {
      EXPECT_NE(std::get<EnumerationOutput>(composed).Texts.Text.find(
                    std::string("enum class Wide : ").append(c.expected).append(" {")),
                std::string::npos)
          << c.expected;
    }
  }
}

// A flag set's values: the lowest power of two above every value before, up to bit 62.
TEST(ModernEnumeration, FlagValues) {
  const std::optional<std::int32_t> none;
  struct Case {
    std::vector<std::optional<std::int32_t>> given;
    std::optional<std::vector<std::int64_t>> values;
  };
  const Case cases[] = {
      {{none, none, none}, {{1, 2, 4}}},
      {{none, 12, none, 3}, {{1, 12, 16, 3}}},
      {{-5, none, 0}, {{-5, 1, 0}}},
      {{2147483647, none}, {{2147483647, std::int64_t{1} << 31}}},
      {std::vector<std::optional<std::int32_t>>(64, none), {}},
  };
  for (const Case& c : cases) {
    EnumerationList list;
    list.ValuesGiven = true;
    for (const auto& value : c.given) list.Entries.push_back({"N", value});
    EXPECT_EQ(FlagValues(list), c.values);
  }
  // A list file of 64 names would need bit 63: refused, not wrapped; 63 fit.
  EnumerationRequest request = Colour();
  request.Flags = request.FromFile = true;
  std::string words;
  for (int k = 0; k < 63; ++k) words.append(1, 'N').append(std::to_string(k)).append(1, ' ');
  const ListFile fits(words);
  EXPECT_TRUE(std::holds_alternative<EnumerationOutput>(ComposeEnumeration(request, &fits)));
  const ListFile over(words + "N63");
  EXPECT_TRUE(std::holds_alternative<Refusal>(ComposeEnumeration(request, &over)));
}

// The text handed over names its type on its first line, in a file's include line too; its record
// is of the enum class kind; the enum class style writes a header alone.
TEST(ModernEnumeration, HandOverAndFiles) {
  EnumerationRequest request = Colour();
  const EnumerationOutput inlined = Composed(request);
  EXPECT_TRUE(inlined.Files.empty());
  EXPECT_TRUE(inlined.HandOver().starts_with("// enum class Colour\n"));
  const HeaderInsertion record = CollectedInsertion(request, inlined.HandOver());
  EXPECT_EQ(record.Kind, InsertionKind::EnumClass);
  EXPECT_EQ(record.TypeName, "Colour");

  request.SeparateFile = true;
  request.OutputPath = "/out/Colour.txt";
  const EnumerationOutput separate = Composed(request);
  EXPECT_EQ(separate.HandOver(), "#include \"Colour.h\" // enum class Colour");
  ASSERT_EQ(separate.Files.size(), 1u);
  EXPECT_EQ(separate.Files[0].Path, "/out/Colour.h");
  EXPECT_EQ(EnumerationOutputPaths(request), std::vector<std::string>{"/out/Colour.h"});
  EXPECT_TRUE(MatchesGolden("enumgen/modern_colour.h.golden", separate.Files[0].Text));
  EXPECT_EQ(separate.Files[0].Text,
            "// enum class Colour\n#pragma once\n\n" + inlined.HandOver().substr(21));

  // A list file's words, with values and duplicates handled as in the grid.
  ListFile file("Zeta Alpha\n# skipped\nMid\n");
  request.FromFile = true;
  request.ApplyPrefix = false;
  EXPECT_TRUE(
      MatchesGolden("enumgen/modern_list_file.h.golden", Composed(request, &file).Files[0].Text));
}

// Beyond a thousand names the tables hold numbers instead of names, which compile much faster.
TEST(ModernEnumeration, LongListsByValue) {
  std::string words;
  for (int k = 0; k < 1001; ++k) words.append(1, 'N').append(std::to_string(k)).append(1, ' ');
  const ListFile file(words);
  EnumerationRequest request = Colour();
  request.FromFile = true;
  request.FirstAndLast = false;
  const std::string text = Composed(request, &file).HandOver();
  EXPECT_NE(text.find("\n  ZDN1000,\n};"), std::string::npos);
  EXPECT_EQ(text.find("Colour::ZDN"), std::string::npos);
  EXPECT_NE(text.find("declared{{\n    0,\n    1,\n"), std::string::npos);
  EXPECT_NE(text.find("std::bit_cast<std::array<Colour, 1001>>(Colour_names::declared);"),
            std::string::npos);
}

}  // namespace
}  // namespace zandrel
