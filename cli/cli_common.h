#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/output_text.h"
namespace zandrel {
struct ClassDescription;
}

namespace zandrel::cli {

enum ExitCode { Written = 0, Refused = 1, Unusable = 2, NotWritten = 3, Differs = 4 };

// An unusable invocation or JSON: one line naming what is wrong, exit code 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// A description or request file that could not be read: the reason, exit code 3.
struct UnreadableInput : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Input the system's own rules refuse, in a batch: the message, exit code 1.
struct RefusedInput : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The arguments after the command, as the bytes they were given (paths are not re-encoded).
using Arguments = std::vector<std::string>;

// The bytes of a JSON file, or of standard input for "-", at most JsonFileLimit of them;
// UnreadableInput when they cannot be read.
std::string LoadJsonFile(const std::string& path);

// How a JSON argument is named in messages: its path, or "standard input" for "-".
std::string DocumentName(const std::string& path);

// What a command does with the files it has composed.
enum class Delivery {
  Write,   // replace the files that change, all of them or none
  Check,   // write nothing; list the files that would change, exit 4 when there are any
  DryRun,  // write nothing; list the files that would change
  Stdout,  // print every file after a line "// ==> PATH"
};

struct CommandLine {
  Arguments Operands;
  Delivery Mode = Delivery::Write;
  bool Help = false;
};

// Splits a command's arguments into options and operands, in any order; "--" ends the options
// and "-" is an operand. withStdout: whether the command takes --stdout.
CommandLine ParseCommandLine(const Arguments& arguments, bool withStdout);

// The flags a command hands to clang: -I DIR and -D NAME[=VALUE], joined or apart, and
// -p BUILD_DIR.
struct ClangFlags {
  std::vector<std::string> CompilerArguments;
  std::string BuildDir;
};

// Takes the flag at arguments[i] (and its value, moving i past it) into flags; false when it is
// none of them. command names the command in the message for a missing value.
bool TakeClangFlag(const Arguments& arguments, std::size_t& i, ClangFlags& flags,
                   std::string_view command);

// The compiler arguments: those of BUILD_DIR's compile_commands.json for the header first, then
// the ones given.
std::vector<std::string> ClangArguments(const ClangFlags& flags, const std::string& headerPath);

// Writes a line (a line feed is added) to standard error.
void PrintError(const std::string& line);

// Every message about a file is "zandrel-gen: FILE: REASON" (FILE may carry ":LINE:COLUMN"):
// the message, as the windows show it, after the program's name.
void PrintFileError(const std::string& message);
// Warns on standard error, "zandrel-gen: warning: " before the message (and where, when given),
// for each enumeration text the description's target cannot use; the files stay as they are.
void WarnOfMismatches(const ClassDescription& description, const std::string& where = {});

// Writes the text to standard output and flushes it; false (the reason already on standard error)
// when it could not be written, such as on a full disk or a closed pipe.
bool PrintOutput(std::string_view text);

// Closes standard output at the end; false (reported as above) when earlier output was lost.
bool CloseOutput();

}  // namespace zandrel::cli
