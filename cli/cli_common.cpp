#include "cli/cli_common.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <variant>

#include "core/output_text.h"

namespace zandrel::cli {

namespace {

bool outputFailed = false;

bool OutputFailure(int error) {
  if (!outputFailed)
    PrintError(std::string("zandrel-gen: standard output could not be written: ") +
               std::strerror(error != 0 ? error : EIO));
  outputFailed = true;
  return false;
}

}  // namespace

std::string LoadJsonFile(const std::string& path) {
  auto read = ReadInputFile(path, JsonFileLimit);
  if (const auto* failure = std::get_if<FileFailure>(&read))
    throw UnreadableInput(DescribeReadFailure(*failure));
  return std::get<std::string>(std::move(read));
}

void PrintError(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
}

bool PrintOutput(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) return OutputFailure(errno);
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return OutputFailure(errno);
  return true;
}

bool CloseOutput() {
  errno = 0;
  const bool clean = std::ferror(stdout) == 0;
  if (std::fclose(stdout) != 0 || !clean) return OutputFailure(errno);
  return true;
}

bool AsksForHelp(const Arguments& arguments) {
  return arguments.size() == 1 && (arguments[0] == "-h" || arguments[0] == "--help");
}

}  // namespace zandrel::cli
