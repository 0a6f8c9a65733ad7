#pragma once

// Where Build's two files go and what must be on disk afterwards, for the core and for the
// command line alike: all files written, or on failure every file exactly as it was.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "classgen/class_description.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "tests/support/temp_folder.h"

namespace zandrel::testing {

struct FileCase {
  std::string Label;
  // Prepares the folder; the reason the case cannot be made here, or nothing.
  std::function<std::string(TempFolder&)> SetUp;
  std::string Chosen;  // the path the save dialog returns, in the folder
  // The files refused, with the reasons; none when both files are written.
  std::vector<std::pair<std::string, std::string>> Failures;
  // On success: the files that then hold the header and the source (through links).
  std::vector<std::string> Written;
  rlim_t FileSizeLimit = RLIM_INFINITY;  // set for a program run only
};

inline ClassDescription FileCaseClass() {
  ClassDescription description;
  description.ClassName = "Sample";
  return description;
}
inline constexpr const char* FileCaseJson = R"({"ClassName": "Sample"})";

inline std::vector<FileCase> FileCases() {
  using F = TempFolder;
  const auto nothing = [](F&) { return std::string(); };
  const auto symlink = [](F& f, const std::string& target, const std::string& link) {
    std::filesystem::create_symlink(target, f.Path(link));
  };
  const std::string longest = std::string(251, 'n') + ".";  // "cpp" makes 255 bytes
  const std::pair<std::string, std::string> headerMissing{"missing/Sample.h",
                                                          "No such file or directory"};
  return {
      {"NewFiles", nothing, "Sample.h", {}, {"Sample.h", "Sample.cpp"}},
      {"ReplacedWholeKeepingPermissions",
       [](F& f) {
         ::chmod(f.Write("Sample.h", std::string(100000, 'x')).c_str(), 0640);
         ::chmod(f.Write("Sample.cpp", "// the user's own code\n").c_str(), 0604);
         return std::string();
       },
       "Sample.txt",
       {},
       {"Sample.h", "Sample.cpp"}},
      {"LinksKeptTheirFilesReplaced",
       [=](F& f) {
         std::filesystem::create_directories(f.Path("real"));
         f.Write("real/Sample.h", "old header");
         f.Write("real/Sample.cpp", "old source");
         symlink(f, "real/Sample.h", "Sample.h");
         symlink(f, "Sample.cpp", "real/link.cpp");  // relative to the link's own folder
         symlink(f, "real/link.cpp", "Sample.cpp");
         return std::string();
       },
       "Sample.h",
       {},
       {"real/Sample.h", "real/Sample.cpp"}},
      {"DanglingLinkCreatesItsFile",
       [=](F& f) {
         std::filesystem::create_directories(f.Path("made"));
         symlink(f, "made/Sample.h", "Sample.h");
         return std::string();
       },
       "Sample.h",
       {},
       {"made/Sample.h", "Sample.cpp"}},
      {"NonUtf8Name", nothing, "caf\xE9.h", {}, {"caf\xE9.h", "caf\xE9.cpp"}},
      {"LongestName", nothing, longest + "h", {}, {longest + "h", longest + "cpp"}},
      {"FolderTarget",
       [](F& f) {
         std::filesystem::create_directories(f.Path("Sample.h"));
         f.Write("Sample.cpp", "old source");
         return std::string();
       },
       "Sample.h",
       {{"Sample.h", "not a regular file"}},
       {}},
      {"FifoTarget",
       [](F& f) {
         f.Write("Sample.h", "old header");
         ::mkfifo(f.Path("Sample.cpp").c_str(), 0600);
         return std::string();
       },
       "Sample.h",
       {{"Sample.cpp", "not a regular file"}},
       {}},
      {"LinkToADevice",
       [=](F& f) {
         symlink(f, "/dev/null", "Sample.h");
         return std::string();
       },
       "Sample.h",
       {{"Sample.h", "not a regular file"}},
       {}},
      {"MissingFolder",
       nothing,
       "missing/Sample.h",
       {headerMissing, {"missing/Sample.cpp", "No such file or directory"}},
       {}},
      {"ReadOnlyFolder",
       [](F& f) {
         if (::geteuid() == 0) return std::string("root may write in a read-only folder");
         std::filesystem::create_directories(f.Path("ro"));
         f.Write("ro/Sample.h", "old header");
         ::chmod(f.Path("ro").c_str(), 0555);
         return std::string();
       },
       "ro/Sample.h",
       {{"ro/Sample.h", "Permission denied"}, {"ro/Sample.cpp", "Permission denied"}},
       {}},
      {"FullFileSystem",
       [](F& f) {
         if (!f.MountSmallFileSystem("full"))
           return std::string("a small file system cannot be mounted here (needs root)");
         f.Write("full/Sample.h", "old header");
         FillUp(f.Path("full/filler"));
         return std::string();
       },
       "full/Sample.h",
       {{"full/Sample.h", "No space left on device"},
        {"full/Sample.cpp", "No space left on device"}},
       {}},
      {"FileSizeLimit",
       [](F& f) {
         f.Write("Sample.h", "old header");
         return std::string();
       },
       "Sample.h",
       {{"Sample.h", "File too large"}, {"Sample.cpp", "File too large"}},
       {},
       10},
  };
}

inline void PrintTo(const FileCase& c, std::ostream* out) { *out << c.Label; }

inline std::string FileCaseName(const ::testing::TestParamInfo<FileCase>& info) {
  return info.param.Label;
}

// The folder after a case: on success the written files hold the texts with their old permissions
// (a new file's when they are new), and nothing else changed; on failure nothing changed at all.
inline void ExpectFolderAfter(const FileCase& c, const TempFolder& folder,
                              const std::map<std::string, std::string>& before) {
  auto expected = before;
  const std::string texts[] = {WriteCppHeader(FileCaseClass()), WriteCppSource(FileCaseClass())};
  if (c.Failures.empty())
    for (std::size_t i = 0; i < c.Written.size(); ++i) {
      const auto old = before.find(c.Written[i]);
      const std::string mode =
          old == before.end() ? TempFolder::NewFileMode() : old->second.substr(0, 4);
      expected[c.Written[i]] = mode + " " + texts[i];
    }
  EXPECT_EQ(folder.Contents(), expected);
}

}  // namespace zandrel::testing
