#include "tests/support/golden.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "tests/support/temp_folder.h"

namespace zandrel::testing {

namespace {

std::string Quote(const std::string& path) {
  std::string quoted = "'";
  for (char c : path) {
    if (c == '\'')
      quoted += "'\\''";
    else
      quoted += c;
  }
  return quoted + "'";
}

std::string UnifiedDiff(const std::string& expectedPath, const std::string& actualPath) {
  const std::string command = "diff -u " + Quote(expectedPath) + " " + Quote(actualPath) + " 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t read = 0;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
    pclose(pipe);
  }
  return output;
}

}  // namespace

::testing::AssertionResult MatchesGolden(const std::string& name, std::string_view actual) {
  const std::string expectedPath = std::string(ZANDREL_GOLDEN_DIR) + "/" + name;
  if (const char* update = std::getenv("ZANDREL_UPDATE_GOLDEN");
      update && std::string(update) == "1") {
    std::filesystem::create_directories(std::filesystem::path(expectedPath).parent_path());
    WriteFile(expectedPath, std::string(actual));
    return ::testing::AssertionSuccess() << "rewrote " << expectedPath;
  }
  if (!std::filesystem::exists(expectedPath))
    return ::testing::AssertionFailure() << "no golden file " << expectedPath;
  const std::string expected = ReadFile(expectedPath);
  const std::string actualPath = std::string(ZANDREL_ACTUAL_DIR) + "/" + name + ".actual";
  std::filesystem::create_directories(std::filesystem::path(actualPath).parent_path());
  if (expected == actual) {
    std::filesystem::remove(actualPath);
    return ::testing::AssertionSuccess();
  }
  WriteFile(actualPath, std::string(actual));
  return ::testing::AssertionFailure()
         << name << " differs from the golden file (actual text left in " << actualPath << "):\n"
         << UnifiedDiff(expectedPath, actualPath);
}

}  // namespace zandrel::testing
