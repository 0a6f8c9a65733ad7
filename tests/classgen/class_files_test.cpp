#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "tests/classgen/class_examples.h"
#include "tests/classgen/file_cases.h"
#include "tests/support/golden.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;

class ClassFiles : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }

  testing::TempFolder folder_;
};

TEST_F(ClassFiles, SecondBuildOverwritesBothFilesCompletely) {
  const ClassDescription big = testing::SampleClass();
  ClassDescription small;
  small.ClassName = "Sample";
  ASSERT_TRUE(WriteClassFiles(big, Path("Sample.h")).empty());
  ASSERT_GT(ReadWholeFile(Path("Sample.cpp")).size(), WriteCppSource(small).size());

  EXPECT_TRUE(WriteClassFiles(small, Path("Sample.txt")).empty());
  EXPECT_EQ(ReadWholeFile(Path("Sample.h")), WriteCppHeader(small));
  EXPECT_EQ(ReadWholeFile(Path("Sample.cpp")), WriteCppSource(small));
  EXPECT_FALSE(fs::exists(Path("Sample.txt")));
}

TEST_F(ClassFiles, JavaWritesOneFileAndOverwrites) {
  ASSERT_TRUE(WriteClassFiles(testing::MeterClass(), Path("Meter")).empty());
  EXPECT_TRUE(WriteClassFiles(testing::PrivateMeterClass(), Path("Meter.txt")).empty());
  EXPECT_EQ(ReadWholeFile(Path("Meter.java")), WriteJavaClass(testing::PrivateMeterClass()));
  EXPECT_EQ(folder_.Contents().size(), 1u);
}

TEST_F(ClassFiles, FolderInPathKeepsItsDot) {
  fs::create_directories(Path("my.dir"));
  ASSERT_TRUE(WriteClassFiles(testing::PointHeaderClass(), Path("my.dir/Point")).empty());
  EXPECT_TRUE(fs::exists(Path("my.dir/Point.h")));
  EXPECT_TRUE(fs::exists(Path("my.dir/Point.cpp")));
}

class ClassFileCase : public ::testing::TestWithParam<testing::FileCase> {};

TEST_P(ClassFileCase, BothFilesOrNone) {
  const testing::FileCase& c = GetParam();
  if (c.FileSizeLimit != RLIM_INFINITY) GTEST_SKIP() << "a file size limit is set for programs";
  testing::TempFolder folder;
  if (const std::string skip = c.SetUp(folder); !skip.empty()) GTEST_SKIP() << skip;
  const auto before = folder.Contents();
  testing::HangGuard guard;
  std::vector<std::pair<std::string, std::string>> failures;
  for (const FileFailure& failure :
       WriteClassFiles(testing::FileCaseClass(), folder.Path(c.Chosen)))
    failures.emplace_back(failure.Path, failure.Reason);
  auto expected = c.Failures;
  for (auto& [path, reason] : expected) path = folder.Path(path);
  EXPECT_EQ(failures, expected);
  testing::ExpectFolderAfter(c, folder, before);
}

INSTANTIATE_TEST_SUITE_P(Files, ClassFileCase, ::testing::ValuesIn(testing::FileCases()),
                         testing::FileCaseName);

TEST_F(ClassFiles, OldFilesAreOfferedWhenTheNewOnesAreComplete) {
  fs::create_directories(Path("real"));
  folder_.Write("real/Sample.h", "old header");
  fs::create_symlink("real/Sample.h", Path("Sample.h"));
  std::vector<std::string> offered;
  const auto failures =
      WriteClassFiles(testing::FileCaseClass(), Path("Sample.h"), [&](const auto& existing) {
        offered = existing;
        EXPECT_EQ(ReadWholeFile(Path("real/Sample.h")), "old header");
        fs::remove(existing.front());  // moved to the trash: the file is then made anew
      });
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(offered, std::vector<std::string>{Path("real/Sample.h")});  // the new source is not
  EXPECT_EQ(ReadWholeFile(Path("Sample.h")), WriteCppHeader(testing::FileCaseClass()));

  // A refused step offers nothing.
  fs::remove(Path("Sample.cpp"));
  ::mkfifo(Path("Sample.cpp").c_str(), 0600);
  offered = {"not asked"};
  EXPECT_EQ(WriteClassFiles(testing::FileCaseClass(), Path("Sample.h"),
                            [&](const auto& existing) { offered = existing; })
                .size(),
            1u);
  EXPECT_EQ(offered, std::vector<std::string>{"not asked"});
}

TEST_F(ClassFiles, OneFileWrittenWholeOrRefused) {
  ASSERT_FALSE(WriteOutputText(Path("one"), "x"));
  EXPECT_EQ(ReadWholeFile(Path("one")), "x");
  const auto device = WriteOutputText("/dev/full", std::string(1 << 16, 'x'));
  ASSERT_TRUE(device);
  EXPECT_EQ(DescribeFailure(*device),
            "The file \"/dev/full\" could not be written: not a regular file");
}

TEST_F(ClassFiles, InputFilesAreReadWholeUpToTheLimit) {
  const std::string limitText(10, 'x');
  const auto read = ReadInputFile(folder_.Write("ten", limitText), 10);
  ASSERT_TRUE(std::holds_alternative<std::string>(read));
  EXPECT_EQ(std::get<std::string>(read), limitText);
  EXPECT_EQ(std::get<std::string>(ReadInputFile(folder_.Write("empty", ""), 10)), "");
  for (const auto& input :
       testing::UnreadableInputs(folder_, 10, "larger than the 10 byte limit")) {
    testing::HangGuard guard;
    const auto failed = ReadInputFile(input.Path, 10);
    ASSERT_TRUE(std::holds_alternative<FileFailure>(failed)) << input.Label;
    EXPECT_EQ(std::get<FileFailure>(failed).Path, input.Path);
    EXPECT_EQ(std::get<FileFailure>(failed).Reason, input.Reason) << input.Label;
  }
  EXPECT_EQ(std::get<FileFailure>(ReadInputFile(folder_.Path("ten"), 9)).Reason,
            "larger than the 9 byte limit");
  EXPECT_EQ(DescribeReadFailure({"a.txt", "not a regular file"}),
            "The file \"a.txt\" could not be read: not a regular file");
}

TEST_F(ClassFiles, AppendKeepsWhatIsThere) {
  ASSERT_FALSE(AppendOutputText(Path("log"), "one\n"));
  ASSERT_FALSE(AppendOutputText(Path("log"), "two\r\n"));
  EXPECT_EQ(ReadWholeFile(Path("log")), "one\ntwo\r\n");
  ASSERT_FALSE(WriteOutputText(Path("log"), "x"));
  EXPECT_EQ(ReadWholeFile(Path("log")), "x");
}

TEST_F(ClassFiles, ExistingFilesAndReplaceQuestion) {
  folder_.Write("a.h", "");
  fs::create_directories(Path("d.h"));
  ::mkfifo(Path("f.h").c_str(), 0600);
  fs::create_symlink("a.h", Path("l.h"));
  fs::create_symlink("nowhere.h", Path("n.h"));
  EXPECT_EQ(
      ExistingFiles({Path("a.h"), Path("b.h"), Path("d.h"), Path("f.h"), Path("l.h"), Path("n.h")}),
      (std::vector<std::string>{Path("a.h"), Path("l.h"), Path("n.h")}));
  EXPECT_EQ(ReplaceQuestion({"/x/A.h"}), "/x/A.h already exists. Replace it?");
  EXPECT_EQ(ReplaceQuestion({"/x/A.h", "/x/A.cpp"}),
            "/x/A.h and /x/A.cpp already exist. Replace them?");
  EXPECT_EQ(ReplaceQuestion({"A", "B", "C"}), "A, B and C already exist. Replace them?");
}

// Answers the save dialog by script and remembers how it was shown.
class ScriptedDialog : public FileDialog {
 public:
  explicit ScriptedDialog(std::optional<std::string> answer) : answer_(std::move(answer)) {}
  bool Execute() override {
    shownName = FileName;
    shownIndex = FilterIndex;
    if (!answer_) return false;
    FileName = *answer_;
    return true;
  }
  std::string shownName;
  int shownIndex = 0;

 private:
  std::optional<std::string> answer_;
};

TEST(ChooseOutputPath, ProposesByTarget) {
  ClassDescription d;
  d.ClassName = "my_class";
  ScriptedDialog dialog("/src/chosen.h");
  dialog.FilterIndex = 3;
  EXPECT_EQ(ChooseOutputPath(d, dialog), "/src/chosen.h");
  EXPECT_EQ(dialog.shownName, "my_class.h");
  EXPECT_EQ(dialog.shownIndex, 3);

  d.Options.TargetSystem = TargetSystem::Java;
  ScriptedDialog cancelled(std::nullopt);
  EXPECT_EQ(ChooseOutputPath(d, cancelled), std::nullopt);
  EXPECT_EQ(cancelled.shownName, "my_class.java");
  EXPECT_EQ(cancelled.shownIndex, 2);
  EXPECT_EQ(cancelled.FilterIndex, 2);  // left on the Java entry
}

TEST(ClassOutputFiles, PathsAndTexts) {
  const auto cpp = ClassOutputFiles(testing::PointSourceClass(), "/src/my.dir/Sample");
  ASSERT_EQ(cpp.size(), 2u);
  EXPECT_EQ(cpp[0].Path, "/src/my.dir/Sample.h");
  EXPECT_EQ(cpp[0].Text, WriteCppHeader(testing::PointSourceClass()));
  EXPECT_EQ(cpp[1].Path, "/src/my.dir/Sample.cpp");
  EXPECT_EQ(cpp[1].Text, WriteCppSource(testing::PointSourceClass()));
  const auto java = ClassOutputFiles(testing::MeterClass(), "/src/Meter.txt");
  ASSERT_EQ(java.size(), 1u);
  EXPECT_EQ(java[0].Path, "/src/Meter.java");
}

}  // namespace
}  // namespace zandrel
