// Replays every saved fuzz input through its target's checks, so the normal test run keeps
// the inputs that once found a fault (and the seed corpus) as regression cases.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "tests/fuzz/fuzz_checks.h"
#include "tests/support/temp_folder.h"

namespace zandrel::fuzz {
namespace {

class CorpusReplay : public ::testing::TestWithParam<Target> {};

TEST_P(CorpusReplay, EveryInputHolds) {
  const std::filesystem::path folder =
      std::filesystem::path(ZANDREL_FUZZ_CORPUS_DIR) / std::string(GetParam().Name);
  ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
  int inputs = 0;
  for (const auto& file : std::filesystem::directory_iterator(folder)) {
    if (!file.is_regular_file()) continue;
    ++inputs;
    const std::string data = zandrel::testing::ReadFile(file.path().string());
    EXPECT_EQ(GetParam().Check(data), "") << file.path();
  }
  EXPECT_GT(inputs, 0) << "no inputs in " << folder;
}

INSTANTIATE_TEST_SUITE_P(Targets, CorpusReplay, ::testing::ValuesIn(Targets()),
                         [](const auto& info) { return std::string(info.param.Name); });

// Inputs whose shape matters, kept here rather than as files so they read as cases.
TEST(FuzzChecks, ConvertValueBoundaries) {
  for (const char* text : {"2147483647",
                           "2147483648",
                           "-2147483648",
                           "-2147483649",
                           "$7FFFFFFF",
                           "$80000000",
                           "-$80000000",
                           "0x",
                           "$",
                           "-",
                           "+",
                           "",
                           " ",
                           "  +12",
                           "- 1",
                           "12 ",
                           "0x1g",
                           "00x10",
                           "000000000000000000000000000012",
                           "99999999999999999999999999999999",
                           "+-1",
                           "X1f",
                           "-0",
                           "0X7fffffff",
                           "\t12",
                           "1e3"})
    EXPECT_EQ(CheckConvertValue(text), "") << text;
}

TEST(FuzzChecks, ListTextShapes) {
  // Flag byte, prefix length byte, prefix, flag byte, then the list text.
  const std::string flagsAndPrefix = std::string("\x01\x02ZD\x00", 5);
  for (const char* text :
       {"", "Red Green\n# a comment\nBlue\n/Yellow\n", "#only", "/\n/\n", "a#b c/d",
        "x\r\ny\tz\v\fw", "one #two three\nfour", "\n\n\n", "word-without-line-end"})
    EXPECT_EQ(CheckListReader(flagsAndPrefix + text), "") << text;
}

}  // namespace
}  // namespace zandrel::fuzz
