#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel::cli {

enum ExitCode { Written = 0, Refused = 1, Unusable = 2, NotWritten = 3 };

// An unusable invocation or JSON: one line naming what is wrong, exit code 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A description or request file that could not be read: the reason, exit code 3.
struct UnreadableInput : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The arguments after the command, as the bytes they were given (paths are not re-encoded).
using Arguments = std::vector<std::string>;

// The bytes of a JSON file (at most JsonFileLimit); UnreadableInput when it cannot be read.
std::string LoadJsonFile(const std::string& path);

// Writes a line (a line feed is added) to standard error.
void PrintError(const std::string& line);

// Writes the text to standard output and flushes it; false (the reason already on standard error)
// when it could not be written, such as on a full disk or a closed pipe.
bool PrintOutput(std::string_view text);

// Closes standard output at the end; false (reported as above) when earlier output was lost.
bool CloseOutput();

// True for "-h" or "--help" as a command's only argument.
bool AsksForHelp(const Arguments& arguments);

}  // namespace zandrel::cli
