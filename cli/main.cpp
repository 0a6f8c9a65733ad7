// zandrel-gen: the generators from the command line, for scripts and batch use.
#include <csignal>
#include <cstdio>
#include <string>
#include <string_view>

#include "cli/cli_common.h"

namespace zandrel::cli {
int RunClassCommand(const Arguments& arguments);
int RunEnumCommand(const Arguments& arguments);
}  // namespace zandrel::cli

namespace {

using namespace zandrel::cli;

constexpr std::string_view Help =
    "Usage: zandrel-gen COMMAND ARGUMENTS\n"
    "\n"
    "Generates the files that Zandrel's windows would, from a JSON description.\n"
    "\n"
    "Commands:\n"
    "  class DESCRIPTION.json OUTPUT_PATH  write the class files as Build does when the save\n"
    "                                      dialog returns OUTPUT_PATH (header and source, or\n"
    "                                      the Java file)\n"
    "  enum REQUEST.json                   build an enumeration as the dialog's OK does, write\n"
    "                                      its files when OutputPath is given, and print the\n"
    "                                      text the main window would receive\n"
    "  COMMAND --help                      show the command's own help\n"
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "  -v, --version  show the version\n"
    "\n"
    "Existing files are replaced whole, all of a command's files or none; a path that is a\n"
    "folder, FIFO or device is refused.\n"
    "\n"
    "Exit codes: 0 done, 1 input refused, 2 unusable invocation or JSON, 3 a file not\n"
    "written or read, or standard output not written.\n";

int Run(Arguments arguments) {
  if (arguments.empty()) {
    std::fwrite(Help.data(), 1, Help.size(), stderr);
    return Unusable;
  }
  const std::string command = arguments.front();
  arguments.erase(arguments.begin());
  if (command == "-h" || command == "--help" || command == "help")
    return PrintOutput(Help) ? Written : NotWritten;
  if (command == "-v" || command == "--version")
    return PrintOutput("zandrel-gen " ZANDREL_VERSION "\n") ? Written : NotWritten;
  try {
    if (command == "class") return RunClassCommand(arguments);
    if (command == "enum") return RunEnumCommand(arguments);
    throw UsageError("unknown command \"" + command + "\" (try --help)");
  } catch (const UsageError& error) {
    PrintError(std::string("zandrel-gen: ") + error.what());
    return Unusable;
  } catch (const UnreadableInput& error) {
    PrintError(std::string("zandrel-gen: ") + error.what());
    return NotWritten;
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file size limit then shows as a write error that is reported, not as a killed process.
  std::signal(SIGXFSZ, SIG_IGN);
  // Paths are used as the bytes given, whatever their encoding.
  const int code = Run(Arguments(argv + 1, argv + argc));
  const bool closed = CloseOutput();
  return closed ? code : NotWritten;
}
