// Regenerating class files into copies the user has edited: the merge keeps every line written by
// hand outside the lines a description change touches.
#include <git2.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "classgen/class_build.h"
#include "core/generated_records.h"
#include "core/regeneration.h"
#include "core/regeneration_session.h"
#include "core/regeneration_step.h"
#include "tests/support/sample_classes.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

using Edit = std::function<std::string(std::string)>;

// Replaces the first occurrence of what after anchor.
Edit ReplaceAfter(std::string anchor, std::string what, std::string with) {
  return [=](std::string text) {
    const std::size_t at = text.find(what, text.find(anchor));
    return at == std::string::npos ? text : text.replace(at, what.size(), with);
  };
}
Edit Prepend(std::string line) {
  return [=](std::string text) { return line + text; };
}
Edit Append(std::string lines) {
  return [=](std::string text) { return text + lines; };
}
Edit Crlf(Edit edit) {
  return [=](std::string text) {
    std::string crlf;
    for (char c : edit(text)) crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return crlf;
  };
}
Edit Then(Edit first, Edit second) {
  return [=](std::string text) { return second(first(text)); };
}
Edit DropFinalLineEnd(Edit edit) {
  return [=](std::string text) {
    text = edit(text);
    if (text.ends_with('\n')) text.pop_back();
    return text;
  };
}

std::string Text(const ClassDescription& description, std::size_t file) {
  return ClassOutputFiles(description, "/src/" + description.ClassName + ".h").at(file).Text;
}

TEST(Regeneration, MergeCases) {
  using testing::SampleClass;
  const auto with = [](std::function<void(ClassDescription&)> change) {
    ClassDescription d = SampleClass();
    change(d);
    return d;
  };
  const ClassDescription memberAdded = with([](ClassDescription& d) {
    d.Members.push_back({"long", "height", "0", 5});
  });
  const ClassDescription memberRemoved =
      with([](ClassDescription& d) { d.Members.erase(d.Members.begin()); });
  const ClassDescription optionToggled =
      with([](ClassDescription& d) { d.Options.BigConstructor = false; });
  const ClassDescription renamed = with([](ClassDescription& d) { d.ClassName = "Figure"; });
  const ClassDescription librariesAdded = with([](ClassDescription& d) {
    d.Options.MathLib = true;
    d.Options.CStrings = true;
  });
  const Edit body = ReplaceAfter("::area(", " // enter your code here", "  return w * h;");
  enum { Header, Source };
  struct Case {
    const char* name;
    const ClassDescription& changed;
    std::size_t file;
    Edit edit;                                  // the user's edit of the old text
    Regeneration action = Regeneration::Merge;  // the same edit of the new text is the result
    std::size_t conflictLine = 0;
  };
  const Case cases[] = {
      {"line added at the top", memberAdded, Source, Prepend("// (c) Ann\n")},
      {"body filled in", memberAdded, Source, body},
      {"code appended", memberRemoved, Source, Append("\nint helper() { return 1; }\n")},
      {"include added to the header", memberAdded, Header,
       ReplaceAfter("", "#include <stdlib.h>\n", "#include <stdlib.h>\n#include <vector>\n")},
      {"member removed", memberRemoved, Source, body},
      {"option toggled", optionToggled, Source, Then(Prepend("// mine\n"), body)},
      {"class renamed against an edited first line", renamed, Source,
       ReplaceAfter("", "// Sample", "// Sample: shapes"), Regeneration::Conflict, 1},
      {"CRLF", memberAdded, Source, Crlf(body)},
      {"byte-order mark", memberAdded, Source, Prepend("\xEF\xBB\xBF")},
      {"no final line end", memberAdded, Source, DropFinalLineEnd(body)},
      {"final line end added to the header", memberAdded, Header, Append("\n")},
      {"include added where the new text adds some too", librariesAdded, Header,
       ReplaceAfter("", "#include <stdlib.h>\n", "#include <stdlib.h>\n#include <vector>\n"),
       Regeneration::Merge},
      {"a NUL byte in the file", memberAdded, Source, Append(std::string("// n\0\n", 6)),
       Regeneration::Conflict, 1},
      {"the change made by hand already", memberAdded, Source,
       [&](const std::string&) { return body(Text(memberAdded, Source)); }, Regeneration::Leave},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    const std::string base = Text(SampleClass(), c.file);
    const std::string generated = Text(c.changed, c.file);
    const std::string yours = c.edit(base);
    ASSERT_NE(yours, base);
    const FileRegeneration result = RegenerateFile(generated, yours, base);
    EXPECT_EQ(result.Action, c.action);
    if (c.action == Regeneration::Merge) {
      EXPECT_EQ(result.Merged.Text, c.edit(generated));
    }
    if (c.action == Regeneration::Conflict && yours.find('\0') != std::string::npos) {
      // Never merged as text: the whole file is the conflict, the user's bytes all in it.
      EXPECT_EQ(result.Merged.Unmergeable, "it holds a NUL byte");
      EXPECT_NE(result.Merged.Text.find(yours), std::string::npos);
    } else if (c.action == Regeneration::Conflict) {
      ASSERT_EQ(result.Merged.ConflictLines, std::vector<std::size_t>{c.conflictLine});
      EXPECT_TRUE(result.Merged.Text.starts_with(std::string(YoursMarker) + "\n// Sample: shapes"));
    }
  }
}

// Old and new texts of random descriptions, user lines put in where the two agree: the merge
// gives the new text with the user's lines where they were, byte for byte.
class RandomClasses {
 public:
  explicit RandomClasses(unsigned seed) : random_(seed) {}

  ClassDescription Description() {
    ClassDescription d;
    d.ClassName = Pick<std::string>({"Shape", "Point", "Meter", "Account"});
    const int rows = Number(0, 6);
    for (int row = 1; row <= rows; ++row) d.Members.push_back(Member(row));
    GenerationOptions& o = d.Options;
    o.ComparisonLevel = static_cast<ComparisonLevel>(Number(0, 2));
    o.PrivateCopy = Flag();
    o.FrameworkLibrary = Flag();
    o.StdLib = Flag();
    o.MathLib = Flag();
    o.CStrings = Flag();
    o.BigConstructor = Flag();
    o.ToStringMethod = Flag();
    o.NameForm = static_cast<NameForm>(Number(0, 2));
    o.TargetSystem = static_cast<TargetSystem>(Number(0, 3));
    return d;
  }

  void Change(ClassDescription& d) {
    switch (Number(0, 5)) {
      case 0:
        d.Members.push_back(Member(static_cast<int>(d.Members.size()) + 1));
        break;
      case 1:
        if (!d.Members.empty())
          d.Members.erase(d.Members.begin() + Number(0, d.Members.size() - 1));
        break;
      case 2:
        d.Options.BigConstructor = !d.Options.BigConstructor;
        break;
      case 3:
        d.Options.ComparisonLevel = static_cast<ComparisonLevel>(Number(0, 2));
        break;
      case 4:
        d.Options.NameForm = static_cast<NameForm>(Number(0, 2));
        break;
      default:
        d.Options.ToStringMethod = !d.Options.ToStringMethod;
    }
  }

  int Number(int low, std::size_t high) {
    return std::uniform_int_distribution<int>(low, static_cast<int>(high))(random_);
  }
  bool Flag() { return Number(0, 1) == 1; }

 private:
  template <typename T>
  T Pick(std::vector<T> from) {
    return from[static_cast<std::size_t>(Number(0, from.size() - 1))];
  }
  MemberRow Member(int row) {
    return {Pick<std::string>({"int", "double", "char", "String"}),
            Pick<std::string>({"count", "name[16]", "rate", "area(int w)", "reset()", "x"}) +
                std::to_string(row),
            Pick<std::string>({"", "0", "1.5"}), row};
  }
  std::mt19937 random_;
};

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  for (std::size_t start = 0; start < text.size();) {
    const std::size_t end = text.find('\n', start);
    lines.push_back(text.substr(start, end == std::string::npos ? end : end - start + 1));
    start = end == std::string::npos ? text.size() : end + 1;
  }
  return lines;
}

// The lines of the old text that the new one changes, and where it inserts lines, by libgit2's
// own diff.
struct Changes {
  std::vector<bool> changed, insertedBefore;
  std::vector<int> offset;  // new line index minus old line index, for lines left alone
};

Changes Compare(const std::string& before, const std::string& after, std::size_t lineCount) {
  Changes changes{std::vector<bool>(lineCount + 1), std::vector<bool>(lineCount + 1),
                  std::vector<int>(lineCount + 1)};
  std::vector<git_diff_hunk> hunks;
  git_diff_options options = GIT_DIFF_OPTIONS_INIT;
  options.context_lines = 0;
  git_diff_buffers(
      before.data(), before.size(), nullptr, after.data(), after.size(), nullptr, &options, nullptr,
      nullptr,
      [](const git_diff_delta*, const git_diff_hunk* hunk, void* found) {
        static_cast<std::vector<git_diff_hunk>*>(found)->push_back(*hunk);
        return 0;
      },
      nullptr, &hunks);
  int shift = 0;
  std::size_t next = 0;
  for (const git_diff_hunk& hunk : hunks) {
    // A pure insertion starts after its old_start line; a change starts at it.
    const std::size_t first = hunk.old_lines == 0 ? static_cast<std::size_t>(hunk.old_start)
                                                  : static_cast<std::size_t>(hunk.old_start) - 1;
    for (; next < first; ++next) changes.offset[next] = shift;
    if (hunk.old_lines == 0) changes.insertedBefore[first] = true;
    for (int i = 0; i < hunk.old_lines; ++i) changes.changed[first + i] = true;
    next = first + static_cast<std::size_t>(hunk.old_lines);
    shift += hunk.new_lines - hunk.old_lines;
  }
  for (; next <= lineCount; ++next) changes.offset[next] = shift;
  return changes;
}

// One file of a random class as generated before and after a random change of its description.
std::pair<std::string, std::string> RandomRegeneration(RandomClasses& random) {
  const ClassDescription old = random.Description();
  ClassDescription changed = old;
  random.Change(changed);
  const auto oldFiles = ClassOutputFiles(old, "/src/Out.h");
  const std::size_t file = static_cast<std::size_t>(random.Number(0, oldFiles.size() - 1));
  return {oldFiles[file].Text, ClassOutputFiles(changed, "/src/Out.h")[file].Text};
}

TEST(Regeneration, UserLinesStayWhereTheyWere) {
  git_libgit2_init();
  for (unsigned seed = 1; seed <= 300; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomClasses random(seed);
    const auto [base, generated] = RandomRegeneration(random);
    const std::vector<std::string> baseLines = Lines(base);
    const std::vector<std::string> newLines = Lines(generated);
    const Changes changes = Compare(base, generated, baseLines.size());

    // User lines go before old lines that the change leaves alone, as do the lines before them.
    std::vector<std::vector<std::string>> yoursBefore(baseLines.size());
    std::vector<std::vector<std::string>> expectedBefore(newLines.size() + 1);
    for (std::size_t i = 0; i < baseLines.size(); ++i) {
      const bool agrees =
          !changes.changed[i] && !changes.insertedBefore[i] && (i == 0 || !changes.changed[i - 1]);
      if (!agrees || random.Number(0, 3) != 0) continue;
      const std::string line = "  // mine " + std::to_string(i) + "\n";
      yoursBefore[i].push_back(line);
      expectedBefore[static_cast<std::size_t>(static_cast<int>(i) + changes.offset[i])].push_back(
          line);
    }
    std::string yours, expected;
    for (std::size_t i = 0; i < baseLines.size(); ++i) {
      for (const std::string& line : yoursBefore[i]) yours += line;
      yours += baseLines[i];
    }
    for (std::size_t j = 0; j < newLines.size(); ++j) {
      for (const std::string& line : expectedBefore[j]) expected += line;
      expected += newLines[j];
    }
    const FileRegeneration result = RegenerateFile(generated, yours, base);
    const auto written = TextToWrite(result, generated);
    EXPECT_EQ(written.value_or(yours), expected);
  }
}

// git's own three-way merge of the same texts, diff3 style.
struct GitMerge {
  std::string Text;
  bool Changes = false;  // a conflict where a side changed lines of the base
};

GitMerge MergeWithGit(const std::string& base, const std::string& yours,
                      const std::string& generated) {
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "zandrel-judge";
  std::filesystem::create_directories(folder);
  const auto write = [&](const char* name, const std::string& text) {
    std::ofstream(folder / name, std::ios::binary) << text;
    return (folder / name).string();
  };
  const std::string command = "git merge-file -p --diff3 -L yours -L base -L generated " +
                              write("yours", yours) + " " + write("base", base) + " " +
                              write("generated", generated) + " 2>/dev/null";
  GitMerge merge;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
    merge.Text.append(buffer, n);
  ::pclose(pipe);
  // Both sides' lines for a conflict with no base part; the others as they are.
  std::string settled;
  enum { Outside, Yours, Base, Generated } part = Outside;
  std::string ours, old, theirs;
  for (const std::string& line : Lines(merge.Text)) {
    if (part == Outside && line == "<<<<<<< yours\n") {
      part = Yours;
      ours = old = theirs = "";
    } else if (part == Yours && line == "||||||| base\n") {
      part = Base;
    } else if (part == Base && line == "=======\n") {
      part = Generated;
    } else if (part == Generated && line == ">>>>>>> generated\n") {
      part = Outside;
      merge.Changes = merge.Changes || !old.empty();
      settled += ours + theirs;
    } else {
      (part == Outside ? settled : part == Yours ? ours : part == Base ? old : theirs) += line;
    }
  }
  merge.Text = settled;
  return merge;
}

// Random descriptions, a random change, and the edits people make to generated files: every line
// the user wrote is kept in order, and the decision and merged text are git's own (with both
// sides' lines where both only inserted).
TEST(Regeneration, RealisticEditsAgreeWithGit) {
  // Every line the user writes says "mine", so the user's lines can be told in any text.
  const std::string licence = "// Licensed under the MIT licence (mine)\n";
  const std::string include = "#include <vector>  // mine\n";
  const std::string helper =
      "namespace {  // mine\nint Helper() { return 7; }  // mine\n}  // namespace (mine)\n";
  const std::string body = "  return 42;  // mine\n";
  const std::string tail = "// mine at the end\nint Extra() { return Helper(); }  // mine\n";
  const auto mineOf = [](const std::string& text) {
    std::vector<std::string> lines;
    for (const std::string& line : Lines(text))
      if (line.find("mine") != std::string::npos) lines.push_back(line);
    return lines;
  };
  std::size_t merged = 0, conflicts = 0;
  for (unsigned seed = 1; seed <= 200; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    RandomClasses random(seed);
    const auto [base, generated] = RandomRegeneration(random);
    if (base == generated) continue;

    std::string yours = base;
    const int edits = random.Number(1, 63);
    if (edits & 1) yours.insert(0, licence);
    const std::size_t lastInclude = yours.rfind("\n#include ");
    if (lastInclude != std::string::npos) {
      const std::size_t after = yours.find('\n', lastInclude + 1) + 1;
      if (edits & 4) yours.insert(after, helper);
      if (edits & 2) yours.insert(after, include);
    }
    const std::size_t placeholder = yours.find(" // enter your code here\n");
    if ((edits & 8) && placeholder != std::string::npos) yours.replace(placeholder, 25, body);
    if (edits & 16) yours += tail;
    // A changed line of the base, which the new text may change too: a real conflict then.
    const std::size_t parameters = yours.find("parm1");
    if ((edits & 32) && parameters != std::string::npos)
      yours.insert(yours.find('\n', parameters), "  // mine");
    if (yours == base) continue;
    const std::vector<std::string> mine = mineOf(yours);

    const FileRegeneration result = RegenerateFile(generated, yours, base);
    const GitMerge git = MergeWithGit(base, yours, generated);
    ASSERT_EQ(result.Action == Regeneration::Conflict, git.Changes) << yours;
    if (result.Action == Regeneration::Conflict) {
      ++conflicts;
      continue;
    }
    ++merged;
    const std::string written(TextToWrite(result, generated).value_or(yours));
    EXPECT_EQ(written, git.Text);
    EXPECT_EQ(mineOf(written), mine) << written;
  }
  // Both outcomes are exercised.
  EXPECT_GT(merged, 100u);
  EXPECT_GT(conflicts, 0u);
}

// A session reads, settles, and then the world changes before it writes: an edit is never
// overwritten, a second writer waits for the first, and the records agree with the files.
TEST(RegenerationSession, WhatHappensBetweenReadingAndWriting) {
  const std::string base = "// A\nint a;\n";
  const std::string generated = "// A\nint a;\nint b;\n";
  const std::string other = "// A\nint a;\nint c;\n";  // what a second writer generates
  struct Case {
    const char* name;
    std::optional<std::string> before;  // the file when read (nothing: absent)
    std::function<void(const std::string& path, int attempt)> meanwhile;
    std::string after;                  // the file at the end
    std::optional<std::string> record;  // its record at the end
    bool written;                       // else nothing was written, and why is said
  };
  const auto write = [](const std::string& text) {
    return [text](const std::string& p, int attempt) {
      if (attempt == 1) testing::WriteFile(p, text);
    };
  };
  // A second session started now must wait for the first to write, and then builds on it.
  std::thread second;
  std::atomic<bool> secondDone = false;
  const auto secondWriter = [&](const std::string& p, int attempt) {
    if (attempt != 1 || second.joinable()) return;
    const GeneratedRecords records(std::filesystem::path(p).parent_path() / "records");
    second = std::thread([p, records, other, &done = secondDone] {
      RunRegenerationSession({{p, other}}, {}, &records,
                             [](const auto&, auto&) { return Settlement{}; });
      done = true;
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    EXPECT_FALSE(secondDone);
  };
  const Case cases[] = {
      {"unedited", base, [](const std::string&, int) {}, generated, generated, true},
      {"edited once after reading: read again and merged", base, write("// mine\n" + base),
       "// mine\n" + generated, generated, true},
      {"edited at every attempt", base,
       [&](const std::string& p, int attempt) {
         testing::WriteFile(p, "// mine " + std::to_string(attempt) + "\n" + base);
       },
       "// mine 3\n" + base, base, false},
      {"created after reading: a conflict then", std::nullopt, write("mine\n"), "mine\n", base,
       false},
      {"a NUL byte is a conflict", base + std::string("\0\n", 2), [](const std::string&, int) {},
       base + std::string("\0\n", 2), base, false},
      {"a second writer waits", base, secondWriter, other, other, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    testing::TempFolder folder;
    const GeneratedRecords records(folder.Path("records"));
    const std::string path = folder.Path("A.h");
    ASSERT_TRUE(
        ReplaceChangedFiles(std::get<std::vector<OutputView>>(records.Records({{path, base}})))
            .empty());
    if (c.before) testing::WriteFile(path, *c.before);
    SetSessionProbe([&](int attempt) { c.meanwhile(path, attempt); });
    const SessionResult result = RunRegenerationSession(
        {{path, generated}}, {}, &records, [](const auto&, auto&) { return Settlement{}; });
    SetSessionProbe({});
    if (second.joinable()) second.join();
    EXPECT_EQ(result.Written, c.written);
    EXPECT_EQ(testing::ReadFile(path), c.after);
    EXPECT_EQ(records.Read(path), c.record);
    if (!c.written && !result.Failures.empty()) {
      EXPECT_EQ(result.Failures[0].Reason, ChangedSinceRead);
    }
    // Nothing but the file and its record is left.
    std::size_t entries = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path()))
      ++entries;
    EXPECT_EQ(entries, 2u);
  }
}

TEST(Regeneration, ConflictsResolvedSideBySide) {
  const std::string merged =
      "a\n<<<<<<< yours\nmine\n=======\nnew\n>>>>>>> generated\nb\n<<<<<<< yours\r\n"
      "=======\r\nnew2\r\n>>>>>>> generated\r\n";
  using enum ConflictSide;
  EXPECT_EQ(ResolveConflicts(merged, {}), "a\nmine\nb\n");
  EXPECT_EQ(ResolveConflicts(merged, {Generated, Generated}), "a\nnew\nb\nnew2\r\n");
  EXPECT_EQ(ResolveConflicts(merged, {Both, Both}), "a\nmine\nnew\nb\nnew2\r\n");
}

TEST(GeneratedRecords, MirrorAbsolutePathsAndPruneOldestFirst) {
  const GeneratedRecords records("/state/generated");
  EXPECT_EQ(records.RecordPath("/home/ann/src/Shape.cpp"),
            "/state/generated/home/ann/src/Shape.cpp.base");
  EXPECT_EQ(records.RecordPath("/home/ann/../../etc/x.h"), "/state/generated/etc/x.h.base");
  // The longest name a folder takes still gets a record, one of its own.
  const std::string longest = records.RecordPath("/src/" + std::string(255, 'n'));
  EXPECT_LE(longest.size() - longest.rfind('/') - 1, 255u);
  EXPECT_NE(longest, records.RecordPath("/src/" + std::string(254, 'n') + "m"));

  const std::int64_t now = 1'000'000'000;
  const std::int64_t day = 24 * 60 * 60;
  const std::uintmax_t mib = std::uintmax_t{1} << 20;
  struct Case {
    const char* name;
    std::vector<RecordEntry> records;
    std::vector<std::string> keep, pruned;
  };
  const Case cases[] = {
      {"young and small", {{"a", 10, now - day}, {"b", 10, now}}, {}, {}},
      {"older than 180 days", {{"a", 10, now - 181 * day}, {"b", 10, now - 179 * day}}, {}, {"a"}},
      {"over 256 MiB: oldest first",
       {{"new", 100 * mib, now}, {"old", 100 * mib, now - 2}, {"mid", 100 * mib, now - 1}},
       {},
       {"old"}},
      {"the files just written stay", {{"a", 300 * mib, now - 200 * day}}, {"a"}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(RecordsToPrune(c.records, now, c.keep), c.pruned) << c.name;
}

// The store holds what others put there too: only Zandrel's records are read, written or removed.
TEST(GeneratedRecords, OnlyTheirOwnFilesAreTouched) {
  namespace fs = std::filesystem;
  testing::TempFolder folder;
  const GeneratedRecords records(folder.Path("store"));
  fs::create_directories(folder.Path("src/deep"));
  fs::create_directories(folder.Path("store/notes"));
  const std::string file = folder.Write("src/deep/A.h", "a\n");
  fs::create_directory_symlink(folder.Path("src/deep"), folder.Path("src/lnk"));
  // Every spelling of one file has one record.
  EXPECT_EQ(records.RecordPath(folder.Path("src/lnk/../deep/A.h")), records.RecordPath(file));
  EXPECT_EQ(records.RecordPath(folder.Path("src/lnk/A.h")), records.RecordPath(file));
  // A path too long to mirror still has a record.
  const std::string deep = "/" + std::string(4000, 'd') + "/A.h";
  EXPECT_LT(records.RecordPath(deep).size(), 200u + records.Folder().size());

  const std::string outside = folder.Write("outside.txt", "not a record\n");
  const std::string record = records.RecordPath(file);
  fs::create_directories(fs::path(record).parent_path());
  fs::create_symlink(outside, record);
  EXPECT_EQ(records.Read(file), std::nullopt);  // never read through a link
  fs::permissions(folder.Path("src/deep"), fs::perms::owner_all);
  auto made = std::get<std::vector<OutputView>>(records.Records({{file, "a\n"}}));
  // As private as the folder it describes.
  EXPECT_EQ(fs::status(fs::path(record).parent_path()).permissions(), fs::perms::owner_all);
  ASSERT_TRUE(ReplaceChangedFiles(made).empty());
  EXPECT_EQ(testing::ReadFile(outside), "not a record\n");  // nor written through one
  EXPECT_EQ(records.Read(file), "a\n");

  // Old records go, once a day at most; foreign files and folders stay.
  const std::string notes = folder.Write("store/notes/README.txt", "mine\n");
  const auto age = [](const std::string& path) {
    fs::last_write_time(path, fs::file_time_type::clock::now() - std::chrono::days(200));
  };
  age(notes);
  age(record);
  records.Prune({});
  EXPECT_FALSE(fs::exists(record));
  EXPECT_TRUE(fs::exists(notes));
  EXPECT_TRUE(fs::exists(fs::path(record).parent_path()));
  ASSERT_TRUE(
      ReplaceChangedFiles(std::get<std::vector<OutputView>>(records.Records({{file, "a\n"}})))
          .empty());
  age(record);
  records.Prune({});
  EXPECT_TRUE(fs::exists(record));
}

}  // namespace
}  // namespace zandrel
