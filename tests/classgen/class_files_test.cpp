#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "tests/classgen/file_cases.h"
#include "tests/support/sample_classes.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

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
  ASSERT_GT(ReadFile(Path("Sample.cpp")).size(), WriteCppSource(small).size());

  EXPECT_TRUE(WriteClassFiles(small, Path("Sample.txt")).empty());
  EXPECT_EQ(ReadFile(Path("Sample.h")), WriteCppHeader(small));
  EXPECT_EQ(ReadFile(Path("Sample.cpp")), WriteCppSource(small));
  EXPECT_FALSE(fs::exists(Path("Sample.txt")));
}

TEST_F(ClassFiles, JavaWritesOneFileAndOverwrites) {
  ASSERT_TRUE(WriteClassFiles(testing::MeterClass(), Path("Meter")).empty());
  EXPECT_TRUE(WriteClassFiles(testing::PrivateMeterClass(), Path("Meter.txt")).empty());
  EXPECT_EQ(ReadFile(Path("Meter.java")), WriteJavaClass(testing::PrivateMeterClass()));
  EXPECT_EQ(folder_.Contents().size(), 1u);
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
        EXPECT_EQ(ReadFile(Path("real/Sample.h")), "old header");
        fs::remove(existing.front());  // moved to the trash: the file is then made anew
      });
  EXPECT_TRUE(failures.empty());
  EXPECT_EQ(offered, std::vector<std::string>{Path("real/Sample.h")});  // the new source is not
  EXPECT_EQ(ReadFile(Path("Sample.h")), WriteCppHeader(testing::FileCaseClass()));

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

}  // namespace
}  // namespace zandrel
