#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include "feedback/log_entry.h"
#include "tests/support/golden.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

using zandrel::testing::MatchesGolden;
using zandrel::testing::ReadFile;

TEST(FormatLogEntry, MatchesTheLogFormat) {
  const std::string text =
      FormatLogEntry(DateTimeStamp{2026, 12, 7, 14, 3, 9, 42}, "",
                     {"The copy constructor misses a member.", "Row 3 was a char array."}) +
      FormatLogEntry(DateTimeStamp{2026, 12, 7, 14, 5, 0, 7}, "Build 1.0 on Linux",
                     {"", "  indented  ", ""}) +
      FormatLogEntry(DateTimeStamp{2026, 1, 5, 9, 0, 0, 0}, "", {});
  EXPECT_TRUE(MatchesGolden("feedback/entries.golden", text));
}

// The log stays where an existing one is; otherwise it goes to the XDG state folder, whose
// variable counts only when it names an absolute path.
TEST(UserLogFilePath, FollowsTheStateFolderUnlessAHomeLogExists) {
  struct Case {
    std::string StateHome;
    bool HomeLogExists;
    std::string Expected;
  };
  const std::vector<Case> cases = {
      {"", false, "/home/u/.local/state/zandrel/Zandrel_Log.log"},
      {"/var/state", false, "/var/state/zandrel/Zandrel_Log.log"},
      {"relative/state", false, "/home/u/.local/state/zandrel/Zandrel_Log.log"},
      {"", true, "/home/u/Zandrel_Log.log"},
      {"/var/state", true, "/home/u/Zandrel_Log.log"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(UserLogFilePath("/home/u", c.StateHome, c.HomeLogExists), c.Expected)
        << c.StateHome << " " << c.HomeLogExists;
}

class LogFileTest : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  testing::TempFolder folder_;
};

// The stamp line of a written entry cannot be known beforehand; it must have the stamp's form.
std::string WithoutStamps(const std::string& text) {
  static const std::regex stampLine(
      R"((^|\n)\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{1,2}:\d{1,2}\.\d{3}\n)");
  return std::regex_replace(text, stampLine, "$1STAMP\n");
}

TEST_F(LogFileTest, EntriesAreAppendedToAnExistingFile) {
  const std::string path = folder_.Write("user.log", "earlier entry\n\n\n");
  EXPECT_FALSE(WriteLogEntry(path, "", {"First comment.", "Second line."}));
  EXPECT_FALSE(WriteLogEntry(path, "Context", {}));
  EXPECT_EQ(WithoutStamps(ReadFile(path)),
            "earlier entry\n\n\n"
            "STAMP\nUser comments:\nFirst comment.\nSecond line.\n\n\n"
            "STAMP\nContext\nUser comments:\n\n\n");
}

TEST_F(LogFileTest, AnAbsentFileIsCreated) {
  const std::string path = Path("new.log");
  EXPECT_FALSE(WriteLogEntry(path, "", {"x"}));
  EXPECT_EQ(WithoutStamps(ReadFile(path)), "STAMP\nUser comments:\nx\n\n\n");
}

TEST_F(LogFileTest, AFailedAppendIsReported) {
  std::filesystem::create_directories(Path("a folder"));
  ::mkfifo(Path("fifo").c_str(), 0600);
  const std::pair<std::string, std::string> cases[] = {
      {Path("missing/user.log"), "No such file or directory"},
      {Path("a folder"), "not a regular file"},
      {Path("fifo"), "not a regular file"},  // refused at once, not waiting for a reader
      {"/dev/null", "not a regular file"},
      {"", "No such file or directory"}};
  for (const auto& [path, reason] : cases) {
    testing::HangGuard guard;
    const auto failure = WriteLogEntry(path, "", {"kept by the window"});
    ASSERT_TRUE(failure) << path;
    EXPECT_EQ(failure->Path, path);
    EXPECT_EQ(failure->Reason, reason);
  }
}

// Runs body in a child process, with SIGXFSZ ignored as the programs do; Finish gives its exit
// code.
template <typename Body>
pid_t Start(Body body) {
  const pid_t child = ::fork();
  if (child == 0) {
    std::signal(SIGXFSZ, SIG_IGN);
    ::_exit(body());
  }
  return child;
}
int Finish(pid_t child) {
  int status = 0;
  ::waitpid(child, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

TEST_F(LogFileTest, AnEntryThatDoesNotFitIsTakenBackWhole) {
  const std::string path = folder_.Write("user.log", "earlier entry\n\n\n");
  const int code = Finish(Start([&] {
    const rlimit limit{30, 30};  // room for part of the entry only
    if (::setrlimit(RLIMIT_FSIZE, &limit) != 0) return 2;
    const auto failure = WriteLogEntry(path, "", {std::string(1000, 'c')});
    return failure && failure->Reason == "File too large" ? 0 : 1;
  }));
  EXPECT_EQ(code, 0);
  EXPECT_EQ(ReadFile(path), "earlier entry\n\n\n");
}

// Two writers at once: each entry lands whole, never mixed with the other's.
TEST_F(LogFileTest, EntriesOfTwoWritersNeverInterleave) {
  const std::string path = Path("shared.log");
  constexpr int Entries = 500;
  constexpr std::size_t Line = 1000;
  const auto writer = [&](char mark) {
    return Start([&] {
      const std::vector<std::string> lines(7, std::string(Line, mark));
      for (int i = 0; i < Entries; ++i)
        if (WriteLogEntry(path, "", lines)) return 1;
      return 0;
    });
  };
  const pid_t a = writer('a');
  const pid_t b = writer('b');
  EXPECT_EQ(Finish(a), 0);
  EXPECT_EQ(Finish(b), 0);

  // Each entry: a stamp line, "User comments:", seven lines of one writer's mark, two empty lines.
  std::map<char, int> whole;
  const std::string text = ReadFile(path);
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t body = text.find("\nUser comments:\n", pos);
    ASSERT_NE(body, std::string::npos) << "at byte " << pos;
    ASSERT_LT(body - pos, 30u) << "at byte " << pos;
    pos = body + 16;
    const char mark = text[pos];
    const std::string line = std::string(Line, mark) + "\n";
    for (int i = 0; i < 7; ++i, pos += line.size())
      ASSERT_EQ(text.compare(pos, line.size(), line), 0) << "at byte " << pos;
    ASSERT_EQ(text.compare(pos, 2, "\n\n"), 0) << "at byte " << pos;
    pos += 2;
    ++whole[mark];
  }
  EXPECT_EQ(whole, (std::map<char, int>{{'a', Entries}, {'b', Entries}}));
}

}  // namespace
}  // namespace zandrel
