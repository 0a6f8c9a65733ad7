#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <random>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/block_sink.h"
#include "core/output_text.h"
#include "core/text.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;

TEST(Text, TrimAndCharacterCount) {
  struct Case {
    std::string text, trimmed;
    std::size_t characters;
  };
  const Case cases[] = {{"", "", 0},
                        {"  my class ", "my class", 11},
                        {"\t\r\nName\x01", "Name", 8},
                        {"caf\xC3\xA9 ", "caf\xC3\xA9", 5},  // one letter in two bytes
                        {"\x7F", "\x7F", 1}};
  for (const Case& c : cases) {
    EXPECT_EQ(Trim(c.text), c.trimmed) << c.text;
    EXPECT_EQ(CharacterCount(c.text), c.characters) << c.text;
  }
}

TEST(Text, StemsSearchOnlyTheFileName) {
  const std::string longFile(80, 'f');
  struct Case {
    std::string path, stem;
  };
  const Case cases[] = {
      {"/src/Sample.h", "/src/Sample"},
      {"/src/Sample.txt", "/src/Sample"},
      {"/src/Sample", "/src/Sample"},
      {"/src/my.dir/Sample", "/src/my.dir/Sample"},
      {"/src/my.dir/Sample.java", "/src/my.dir/Sample"},
      {"/src/Sample.tar.gz", "/src/Sample.tar"},
      {"Sample", "Sample"},
      {".h", ""},
      {"", ""},
      {"/a.b/c.d/" + longFile + ".h", "/a.b/c.d/" + longFile},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(OutputStem(c.path), c.stem) << c.path;
    EXPECT_EQ(FileStem(c.path), c.stem + ".") << c.path;
  }
  EXPECT_EQ(FileNamePart("/a.b/c.h"), "c.h");
  EXPECT_EQ(FileNamePart("c.h"), "c.h");
}

class Files : public ::testing::Test {
 protected:
  std::string Path(const std::string& name) const { return folder_.Path(name); }
  testing::TempFolder folder_;
};

TEST_F(Files, OneFileWrittenWholeOrRefused) {
  ASSERT_FALSE(WriteOutputText(Path("one"), "x"));
  EXPECT_EQ(ReadFile(Path("one")), "x");
  const auto device = WriteOutputText("/dev/full", std::string(1 << 16, 'x'));
  ASSERT_TRUE(device);
  EXPECT_EQ(DescribeFailure(*device), "/dev/full: could not be written: not a regular file");
}

TEST_F(Files, InputFilesAreReadWholeUpToTheLimit) {
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
  EXPECT_EQ(std::get<FileFailure>(ReadInputFile(Path("ten"), 9)).Reason,
            "larger than the 9 byte limit");
  EXPECT_EQ(DescribeReadFailure({"a.txt", "not a regular file"}),
            "a.txt: could not be read: not a regular file");
}

TEST_F(Files, AppendKeepsWhatIsThere) {
  ASSERT_FALSE(AppendOutputText(Path("log"), "one\n"));
  ASSERT_FALSE(AppendOutputText(Path("log"), "two\r\n"));
  EXPECT_EQ(ReadFile(Path("log")), "one\ntwo\r\n");
  ASSERT_FALSE(WriteOutputText(Path("log"), "x"));
  EXPECT_EQ(ReadFile(Path("log")), "x");
}

TEST_F(Files, ExistingFilesAndReplaceQuestion) {
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

}  // namespace
}  // namespace zandrel

namespace zandrel {
namespace {

// Random pieces, some longer than a block: the sink is given the text in order, in blocks of at
// most 64 KiB (a longer piece alone), and counts every byte; without a sink it holds the text.
TEST(BlockSink, PassesRandomPiecesOnInOrder) {
  std::mt19937 random(7);
  for (int round = 0; round < 20; ++round) {
    std::string whole;
    std::vector<std::string> blocks;
    BlockSink passed([&blocks](std::string_view block) { blocks.emplace_back(block); });
    BlockSink held;
    std::vector<std::size_t> pieces;
    for (int k = 0; k < 200; ++k) {
      const std::size_t size = random() % 10 == 0 ? random() % 200000 : random() % 3000;
      const std::string piece(size, static_cast<char>('a' + random() % 26));
      whole += piece;
      pieces.push_back(size);
      passed += piece;
      held += piece;
      EXPECT_EQ(passed.size(), whole.size());
    }
    passed.Flush();
    std::string joined;
    for (const std::string& block : blocks) {
      const bool onePiece = std::find(pieces.begin(), pieces.end(), block.size()) != pieces.end();
      EXPECT_TRUE(block.size() <= std::size_t{1} << 16 || onePiece) << block.size();
      joined += block;
    }
    EXPECT_EQ(joined, whole);
    EXPECT_EQ(held.Take(), whole);
  }
}

}  // namespace
}  // namespace zandrel
