#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "tests/classgen/class_examples.h"
#include "tests/support/golden.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadWholeFile;

// A fresh, empty folder per test.
class ClassFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(ZANDREL_TEST_WORK_DIR) /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  std::string Path(const std::string& name) const { return (folder_ / name).string(); }

  fs::path folder_;
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
  EXPECT_EQ(std::distance(fs::directory_iterator(folder_), fs::directory_iterator()), 1);
}

TEST_F(ClassFiles, FolderInPathKeepsItsDot) {
  fs::create_directories(Path("my.dir"));
  ASSERT_TRUE(WriteClassFiles(testing::PointHeaderClass(), Path("my.dir/Point")).empty());
  EXPECT_TRUE(fs::exists(Path("my.dir/Point.h")));
  EXPECT_TRUE(fs::exists(Path("my.dir/Point.cpp")));
}

TEST_F(ClassFiles, EveryUnwritableFileIsReported) {
  const auto failures = WriteClassFiles(testing::SampleClass(), Path("missing/Sample.h"));
  ASSERT_EQ(failures.size(), 2u);
  EXPECT_EQ(failures[0].Path, Path("missing/Sample.h"));
  EXPECT_EQ(failures[1].Path, Path("missing/Sample.cpp"));
  EXPECT_EQ(DescribeFailure(failures[1]), "The file \"" + Path("missing/Sample.cpp") +
                                              "\" could not be written: No such file or directory");
}

TEST_F(ClassFiles, FailedHeaderDoesNotStopTheSource) {
  fs::create_directories(Path("Sample.h"));  // a folder where the header should go
  const auto failures = WriteClassFiles(testing::SampleClass(), Path("Sample.h"));
  ASSERT_EQ(failures.size(), 1u);
  EXPECT_EQ(failures[0].Path, Path("Sample.h"));
  EXPECT_FALSE(failures[0].Reason.empty());
  EXPECT_EQ(ReadWholeFile(Path("Sample.cpp")), WriteCppSource(testing::SampleClass()));
}

TEST_F(ClassFiles, FailedWriteIsReported) {
  if (!fs::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  const auto failure = WriteOutputText("/dev/full", std::string(1 << 16, 'x'));
  ASSERT_TRUE(failure);
  EXPECT_EQ(failure->Reason, "No space left on device");
}

TEST_F(ClassFiles, AppendKeepsWhatIsThere) {
  ASSERT_FALSE(AppendOutputText(Path("log"), "one\n"));
  ASSERT_FALSE(AppendOutputText(Path("log"), "two\r\n"));
  EXPECT_EQ(ReadWholeFile(Path("log")), "one\ntwo\r\n");
  ASSERT_FALSE(WriteOutputText(Path("log"), "x"));
  EXPECT_EQ(ReadWholeFile(Path("log")), "x");
}

TEST_F(ClassFiles, ExistingFilesAndReplaceQuestion) {
  ASSERT_FALSE(WriteOutputText(Path("a.h"), ""));
  fs::create_directories(Path("d.h"));
  EXPECT_EQ(ExistingFiles({Path("a.h"), Path("b.h"), Path("d.h")}),
            std::vector<std::string>{Path("a.h")});
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
