// The output step under faults, aliases, signals and a concurrent writer: after any failure every
// target holds its old bytes and no temporary is left.
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "core/output_text.h"
#include "tests/support/run_program.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::TempFolder;

constexpr uid_t Nobody = 65534;

// A path in the folder: "@NAME" is the absolute path, "./NAME" the same path relative to the
// current folder, anything else the absolute path too.
std::string PathOf(const TempFolder& folder, const std::string& name) {
  if (name.starts_with("./")) return fs::relative(folder.Path(name.substr(2))).string();
  return folder.Path(name.starts_with("@") ? name.substr(1) : name);
}

std::string Mode(const std::string& path) {
  struct stat status {};
  ::stat(path.c_str(), &status);
  return TempFolder::ModeText(status.st_mode);
}

// The temporaries beside a file: hidden names that begin with its own.
std::vector<std::string> TemporariesOf(const TempFolder& folder, const std::string& name) {
  std::vector<std::string> found;
  for (const auto& entry : fs::directory_iterator(folder.Path()))
    if (entry.path().filename().string().starts_with("." + name + "."))
      found.push_back(entry.path().string());
  return found;
}

pid_t DeadProcess() {
  const pid_t child = ::fork();
  if (child == 0) ::_exit(0);
  ::waitpid(child, nullptr, 0);
  return child;
}

struct StepCase {
  std::string Label;
  // Prepares the folder; the reason the case cannot be made here, or nothing.
  std::function<std::string(TempFolder&)> SetUp;
  std::vector<std::string> Names;  // the step's files, each given the text "new NAME"
  // The refusals, by name, with their reasons ("@" in a reason stands for the folder).
  std::vector<std::pair<std::string, std::string>> Failures;
  // Another program's doing just before file INDEX is put in place, and what it leaves.
  std::function<void(TempFolder&, std::size_t)> Probe = {};
  std::map<std::string, std::string> LeftByProbe = {};
  std::vector<std::string> Removed = {};  // stale temporaries the step removes
  bool AsNobody = false;                  // the step runs as another user than the files' owner
  std::function<void(TempFolder&)> TearDown = {};
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.Label; }

std::vector<StepCase> StepCases() {
  using F = TempFolder;
  const auto pair = [](F& f) {
    f.Write("A.h", "old A.h");
    f.Write("A.cpp", "old A.cpp");
    return std::string();
  };
  const auto aliasFolder = [](F& f) {
    fs::create_directories(f.Path("real"));
    f.Write("real/A.h", "old");
    fs::create_symlink("real", f.Path("alias"));
    return std::string();
  };
  const std::string dead = std::to_string(DeadProcess());
  return {
      {"ImmutableTarget",
       [=](F& f) {
         pair(f);
         const std::string chattr = "chattr +i " + f.Path("A.cpp") + " 2>/dev/null";
         return std::system(chattr.c_str()) == 0 ? std::string() : "chattr +i is not allowed here";
       },
       {"A.h", "A.cpp"},
       {{"A.cpp", "Operation not permitted"}},
       {},
       {},
       {},
       false,
       [](F& f) {
         // Best effort: the folder is removed either way, and chattr may be missing.
         if (std::system(("chattr -i " + f.Path("A.cpp")).c_str()) != 0) return;
       }},
      {"StickyFolderAnotherOwnersFile",
       [](F& f) {
         if (::geteuid() != 0) return std::string("acting as another user needs root");
         ::chmod(f.Path().c_str(), 0711);
         fs::create_directories(f.Path("sticky"));
         ::chmod(f.Path("sticky").c_str(), 01777);
         if (::chown(f.Write("sticky/A.h", "old A.h").c_str(), Nobody, Nobody) != 0)
           return std::string("chown failed");
         f.Write("sticky/B.h", "root's B.h");
         return std::string();
       },
       {"sticky/A.h", "sticky/B.h"},
       {{"sticky/B.h", "Operation not permitted"}},
       {},
       {},
       {},
       true},
      {"TargetTurnsIntoAFolder",
       pair,
       {"A.h", "A.cpp"},
       {{"A.cpp", "not a regular file"}},
       [](F& f, std::size_t i) {
         if (i != 1) return;
         fs::remove(f.Path("A.cpp"));
         fs::create_directories(f.Path("A.cpp"));
       },
       {{"A.cpp", "<folder>"}}},
      {"TargetReplacedByAnotherProgram",
       pair,
       {"A.h", "A.cpp"},
       {{"A.cpp", "changed by another program during the write"}},
       [](F& f, std::size_t i) {
         if (i != 1) return;
         f.Write("theirs", "theirs");
         fs::rename(f.Path("theirs"), f.Path("A.cpp"));
       },
       {{"A.cpp", TempFolder::NewFileMode() + " theirs"}}},
      {"NewTargetMadeMeanwhile",
       pair,
       {"A.h", "B.h"},
       {{"B.h", "File exists"}},
       [](F& f, std::size_t i) {
         if (i == 1) f.Write("B.h", "theirs");
       },
       {{"B.h", TempFolder::NewFileMode() + " theirs"}}},
      {"FolderLinkAlias",
       aliasFolder,
       {"real/A.h", "alias/A.h"},
       {{"alias/A.h", "the same file as @real/A.h"}}},
      {"FolderLinkAliasOfANewFile",
       aliasFolder,
       {"real/B.h", "alias/B.h"},
       {{"alias/B.h", "the same file as @real/B.h"}}},
      {"RelativeAndAbsolute", pair, {"B.h", "./B.h"}, {{"./B.h", "the same file as @B.h"}}},
      {"DotDotAlias",
       [](F& f) {
         fs::create_directories(f.Path("sub"));
         return std::string();
       },
       {"A.h", "sub/../A.h"},
       {{"sub/../A.h", "the same file as @A.h"}}},
      {"HardLink",
       [=](F& f) {
         pair(f);
         fs::create_hard_link(f.Path("A.h"), f.Path("L.h"));
         return std::string();
       },
       {"L.h", "A.h"},
       {{"A.h", "the same file as @L.h"}}},
      {"StaleTemporariesOfDeadProcessesGo",
       [=](F& f) {
         f.Write(".A.h." + dead + "-1-0badf00d.zandrel-tmp", "left by a killed run");
         f.Write(".A.h.1-1-0badf00d.zandrel-tmp", "a live process's");
         f.Write(".notes.tmp", "the user's own");
         f.Write(".B.h." + dead + "-1.tmp", "the user's, named like a temporary");
         return std::string();
       },
       {"A.h"},
       {},
       {},
       {},
       {".A.h." + dead + "-1-0badf00d.zandrel-tmp"}},
      {"TemporariesHoldTheTargetsModes",
       [](F& f) {
         ::chmod(f.Write("A.h", "old").c_str(), 0640);
         return std::string();
       },
       {"A.h", "B.h"},
       {},
       [](F& f, std::size_t i) {
         if (i != 0) return;
         const auto a = TemporariesOf(f, "A.h");
         const auto b = TemporariesOf(f, "B.h");
         ASSERT_EQ(a.size(), 1u);
         ASSERT_EQ(b.size(), 1u);
         EXPECT_EQ(Mode(a[0]), "0640");
         EXPECT_EQ(Mode(b[0]), TempFolder::NewFileMode());
       }},
  };
}

// The failures as "NAME\tREASON" lines, for a step run in a child process.
std::string Lines(const std::vector<FileFailure>& failures) {
  std::string text;
  for (const FileFailure& failure : failures) text += failure.Path + "\t" + failure.Reason + "\n";
  return text;
}

class OutputStep : public ::testing::TestWithParam<StepCase> {};

TEST_P(OutputStep, EveryTargetHoldsItsOldBytesAfterAFailure) {
  const StepCase& c = GetParam();
  TempFolder folder;
  if (const std::string skip = c.SetUp(folder); !skip.empty()) GTEST_SKIP() << skip;
  const auto before = folder.Contents();
  std::vector<OutputFile> files;
  for (const std::string& name : c.Names) files.push_back({PathOf(folder, name), "new " + name});

  if (c.Probe) SetPlacingProbe([&](std::size_t i) { c.Probe(folder, i); });
  std::string failures;
  if (c.AsNobody) {
    failures = testing::RunInChild([&] {
                 if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0)
                   return std::string("could not become nobody");
                 return Lines(ReplaceFiles(files));
               }).text;
  } else {
    failures = Lines(ReplaceFiles(files));
  }
  SetPlacingProbe({});
  std::vector<FileFailure> expectedFailures;
  for (const auto& [name, reason] : c.Failures)
    expectedFailures.push_back(
        {PathOf(folder, name), reason.find('@') == std::string::npos
                                   ? reason
                                   : reason.substr(0, reason.find('@')) +
                                         PathOf(folder, reason.substr(reason.find('@')))});
  EXPECT_EQ(failures, Lines(expectedFailures));

  auto expected = before;
  for (const auto& [name, left] : c.LeftByProbe) expected[name] = left;
  for (const std::string& name : c.Removed) expected.erase(name);
  if (c.Failures.empty())
    for (const std::string& name : c.Names) {
      const auto old = before.find(name);
      expected[name] =
          (old == before.end() ? TempFolder::NewFileMode() : old->second.substr(0, 4)) + " new " +
          name;
    }
  EXPECT_EQ(folder.Contents(), expected);
  if (c.TearDown) c.TearDown(folder);
}

INSTANTIATE_TEST_SUITE_P(Cases, OutputStep, ::testing::ValuesIn(StepCases()),
                         [](const auto& info) { return info.param.Label; });

// A signal while the temporaries are written ends the process with the targets untouched; one
// while the files are put in place waits until they all are. No temporary is left either way.
TEST(OutputStepSignals, TemporariesGoWithTheProcess) {
  struct Case {
    std::string label;
    int signal;
    bool whilePlacing;
    std::string header, source;  // what the targets then hold
  };
  const Case cases[] = {
      {"SIGTERM while writing", SIGTERM, false, "old A.h", "old A.cpp"},
      {"SIGINT while writing", SIGINT, false, "old A.h", "old A.cpp"},
      {"SIGHUP while placing", SIGHUP, true, "new A.h", "new A.cpp"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    folder.Write("A.h", "old A.h");
    folder.Write("A.cpp", "old A.cpp");
    const testing::ChildRun run = testing::RunInChild([&] {
      if (c.whilePlacing) {
        SetPlacingProbe([&](std::size_t i) {
          if (i == 1) ::raise(c.signal);
        });
        ReplaceFiles({{folder.Path("A.h"), "new A.h"}, {folder.Path("A.cpp"), "new A.cpp"}});
      } else {
        WriteOutputStream(folder.Path("A.h"), [&](const TextSink& sink) {
          sink("new ");
          ::raise(c.signal);
          sink("A.h");
        });
      }
      return std::string("survived");
    });
    EXPECT_EQ(run.signal, c.signal) << c.label << run.text;
    EXPECT_EQ(folder.Contents(), (std::map<std::string, std::string>{
                                     {"A.cpp", TempFolder::NewFileMode() + " " + c.source},
                                     {"A.h", TempFolder::NewFileMode() + " " + c.header}}))
        << c.label;
  }
}

// Two writers of one pair at once, many times: the pair always comes from one of them.
TEST(OutputStepConcurrency, APairIsNeverMixed) {
  TempFolder folder;
  const auto writer = [&](const std::string& who) {
    return [&folder, who] {
      return Lines(ReplaceFiles(
          {{folder.Path("X.h"), who + " header"}, {folder.Path("X.cpp"), who + " source"}}));
    };
  };
  int mixed = 0;
  for (int round = 0; round < 200; ++round) {
    int endA = -1;
    int endB = -1;
    const pid_t a = testing::StartChild(writer("A"), endA);
    const pid_t b = testing::StartChild(writer("B"), endB);
    EXPECT_EQ(testing::FinishChild(a, endA).text, "");
    EXPECT_EQ(testing::FinishChild(b, endB).text, "");
    const std::string header = testing::ReadFile(folder.Path("X.h"));
    const std::string source = testing::ReadFile(folder.Path("X.cpp"));
    if (header.substr(0, 1) != source.substr(0, 1)) ++mixed;
  }
  EXPECT_EQ(mixed, 0);
  EXPECT_EQ(folder.Contents().size(), 2u);  // no temporaries left
}

TEST(OutputStepChecks, RefusalsWithoutWriting) {
  TempFolder folder;
  folder.Write("A.h", "old");
  fs::create_directories(folder.Path("dir"));
  ::mkfifo(folder.Path("fifo").c_str(), 0600);
  const auto before = folder.Contents();
  struct Case {
    std::vector<std::string> names;
    std::vector<std::string> refused;  // "NAME\tREASON"
  };
  const Case cases[] = {
      {{"A.h", "B.h"}, {}},
      {{"fifo", "B.h"}, {"fifo\tnot a regular file"}},
      {{"dir"}, {"dir\tnot a regular file"}},
      {{"A.h", "dir/../A.h"}, {"dir/../A.h\tthe same file as A.h"}},
      {{"none/B.h"}, {"none/B.h\tNo such file or directory"}},
  };
  for (const Case& c : cases) {
    std::vector<OutputFile> files;
    for (const std::string& name : c.names) files.push_back({folder.Path(name), "new"});
    std::vector<std::string> refused;
    for (const FileFailure& failure : CheckOutputFiles(files)) {
      std::string reason = failure.Reason;
      if (const auto at = reason.find(folder.Path() + "/"); at != std::string::npos)
        reason.erase(at, folder.Path().size() + 1);
      refused.push_back(failure.Path.substr(folder.Path().size() + 1) + "\t" + reason);
    }
    EXPECT_EQ(refused, c.refused) << c.names.front();
  }
  EXPECT_EQ(folder.Contents(), before);

  // A chosen path that names a folder, whose files would be hidden ones inside it.
  for (const std::string& chosen : {std::string(), folder.Path("dir"), folder.Path("dir/"),
                                    folder.Path("."), folder.Path(".."), std::string("..")})
    EXPECT_TRUE(CheckChosenPath(chosen)) << chosen;
  for (const std::string& chosen : {folder.Path("A.h"), folder.Path("new"), std::string("x")})
    EXPECT_FALSE(CheckChosenPath(chosen)) << chosen;
}

}  // namespace
}  // namespace zandrel
