#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

#include "feedback/log_entry.h"
#include "tests/support/golden.h"

namespace zandrel {
namespace {

using zandrel::testing::MatchesGolden;
using zandrel::testing::ReadWholeFile;

TEST(FormatLogEntry, MatchesTheLogFormat) {
  const std::string text =
      FormatLogEntry(DateTimeStamp{2026, 12, 7, 14, 3, 9, 42}, "",
                     {"The copy constructor misses a member.", "Row 3 was a char array."}) +
      FormatLogEntry(DateTimeStamp{2026, 12, 7, 14, 5, 0, 7}, "Build 1.0 on Linux",
                     {"", "  indented  ", ""}) +
      FormatLogEntry(DateTimeStamp{2026, 1, 5, 9, 0, 0, 0}, "", {});
  EXPECT_TRUE(MatchesGolden("feedback/entries.golden", text));
}

class LogFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = std::filesystem::temp_directory_path() /
              ("zandrel_log_" +
               std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    std::filesystem::remove_all(folder_);
    std::filesystem::create_directories(folder_);
  }
  void TearDown() override { std::filesystem::remove_all(folder_); }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }
  std::filesystem::path folder_;
};

// The stamp line of a written entry cannot be known beforehand; it must have the stamp's form.
std::string WithoutStamps(const std::string& text) {
  static const std::regex stampLine(
      R"((^|\n)\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{1,2}:\d{1,2}\.\d{3}\n)");
  return std::regex_replace(text, stampLine, "$1STAMP\n");
}

TEST_F(LogFileTest, EntriesAreAppendedToAnExistingFile) {
  const std::string path = Path("user.log");
  std::ofstream(path, std::ios::binary) << "earlier entry\n\n\n";
  EXPECT_FALSE(WriteLogEntry(path, "", {"First comment.", "Second line."}));
  EXPECT_FALSE(WriteLogEntry(path, "Context", {}));
  EXPECT_EQ(WithoutStamps(ReadWholeFile(path)),
            "earlier entry\n\n\n"
            "STAMP\nUser comments:\nFirst comment.\nSecond line.\n\n\n"
            "STAMP\nContext\nUser comments:\n\n\n");
}

TEST_F(LogFileTest, AnAbsentFileIsCreated) {
  const std::string path = Path("new.log");
  EXPECT_FALSE(WriteLogEntry(path, "", {"x"}));
  EXPECT_EQ(WithoutStamps(ReadWholeFile(path)), "STAMP\nUser comments:\nx\n\n\n");
}

TEST_F(LogFileTest, AFailedAppendIsReported) {
  std::filesystem::create_directories(Path("a folder"));
  for (const std::string& path : {Path("missing/user.log"), Path("a folder"), std::string()}) {
    const auto failure = WriteLogEntry(path, "", {"kept by the window"});
    ASSERT_TRUE(failure) << path;
    EXPECT_EQ(failure->Path, path);
    EXPECT_FALSE(failure->Reason.empty());
  }
}

}  // namespace
}  // namespace zandrel
