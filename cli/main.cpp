// zandrel-gen: the generators from the command line, for scripts and batch use.
#include <csignal>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "version_notice.h"

namespace zandrel::cli {
int RunClassCommand(const Arguments& arguments);
int RunEnumCommand(const Arguments& arguments);
int RunBatchCommand(const Arguments& arguments);
int RunImportCommand(const Arguments& arguments);
int RunCompanionCommand(const Arguments& arguments);
}  // namespace zandrel::cli

namespace {

using namespace zandrel::cli;

constexpr std::string_view Help =
    "Usage: zandrel-gen COMMAND [OPTION]... ARGUMENT...\n"
    "  or:  zandrel-gen --help | --version\n"
    "Generate the files that Zandrel's windows would, from JSON descriptions.\n"
    "\n"
    "Commands:\n"
    "  class DESCRIPTION.json OUTPUT_PATH\n"
    "                 write the class files as Build does when the save dialog\n"
    "                 returns OUTPUT_PATH (header and source, or the Java file)\n"
    "  enum REQUEST.json\n"
    "                 build an enumeration as the dialog's OK does, write its files\n"
    "                 when OutputPath is given, and print the text the main window\n"
    "                 would receive\n"
    "  batch MANIFEST.json\n"
    "                 run every class and enumeration the manifest lists, all\n"
    "                 checked first, their files written as one step\n"
    "  import HEADER\n"
    "                 read a class or enumeration from a C++ header and print the\n"
    "                 description or request that makes it\n"
    "  companion HEADER\n"
    "                 write a header that includes HEADER and gives its\n"
    "                 enumerations the enum class helpers (to_string,\n"
    "                 TYPE_from_string, TYPE_values, operator<<)\n"
    "A JSON argument given as - is read from standard input. Besides the four\n"
    "classic targets, TargetSystem ModernCpp writes C++20 and JavaRecord a Java 17\n"
    "record; Style ModernEnumeration makes an enum class.\n"
    "\n"
    "Options of the commands:\n"
    "      --check    write nothing; list each file that would change (one path a\n"
    "                 line on standard output) and exit with status 4 if any would\n"
    "      --dry-run  write nothing; list each file that would change\n"
    "      --base OLD.json  (class and enum) merge from the files an older\n"
    "                 description or request gives, not from the recorded texts\n"
    "      --conflicts=markers  write conflicting files with the markers\n"
    "                 \"<<<<<<< yours\", \"=======\" and \">>>>>>> generated\"\n"
    "      --force    replace edited files that cannot be merged\n"
    "      --build-output  the files belong to a build tree (as zandrel_generate\n"
    "                 in CMake writes them): replaced when their text changes,\n"
    "                 never recorded or merged\n"
    "  -o, --output PATH  (enum) write the files to PATH, not to OutputPath\n"
    "      --stdout   (class only) print the files instead of writing them, each\n"
    "                 after a line \"// ==> PATH\"\n"
    "  -h, --help     display this help and exit (after a command: its own help)\n"
    "  -v, --version  output version information and exit\n"
    "\n"
    "Files whose text would not change are left alone, time stamps and all; the\n"
    "others are replaced whole, all of a command's files or none. A path that is a\n"
    "folder, FIFO or device is refused. A file edited since Zandrel last wrote it\n"
    "(the texts written are recorded in $XDG_STATE_HOME/zandrel/generated) gets the\n"
    "new text merged into it, keeping the lines written by hand; where both\n"
    "changed the same lines, nothing is written and each conflict is reported as\n"
    "\"zandrel-gen: FILE:LINE: conflict\". An edited file with no recorded text\n"
    "and no --base is not replaced without --force.\n"
    "\n"
    "Exit status:\n"
    "  0  done (with --check: every file up to date)\n"
    "  1  input refused\n"
    "  2  unusable invocation or JSON\n"
    "  3  a file not read or not written, or standard output not written\n"
    "  4  with --check: a file would change\n"
    "  5  a conflict, or an edited file with no base (with --conflicts=markers the\n"
    "     files are written all the same)\n"
    "\n"
    "Report bugs to: " ZANDREL_BUG_ADDRESS "\n";

constexpr std::string_view TryHelp =
    "Usage: zandrel-gen COMMAND [OPTION]... ARGUMENT...\n"
    "Try 'zandrel-gen --help' for more information.\n";

int Run(Arguments arguments) {
  if (arguments.empty()) {
    std::fwrite(TryHelp.data(), 1, TryHelp.size(), stderr);
    return Unusable;
  }
  const std::string command = arguments.front();
  arguments.erase(arguments.begin());
  if (command == "-h" || command == "--help" || command == "help")
    return PrintOutput(Help) ? Written : NotWritten;
  if (command == "-v" || command == "--version")
    return PrintOutput("zandrel-gen " ZANDREL_VERSION "\n" ZANDREL_VERSION_NOTICE) ? Written
                                                                                   : NotWritten;
  try {
    if (command == "class") return RunClassCommand(arguments);
    if (command == "enum") return RunEnumCommand(arguments);
    if (command == "batch") return RunBatchCommand(arguments);
    if (command == "import") return RunImportCommand(arguments);
    if (command == "companion") return RunCompanionCommand(arguments);
    throw UsageError("unknown command \"" + command + "\" (try --help)");
  } catch (const UsageError& error) {
    PrintError(std::string("zandrel-gen: ") + error.what());
    return Unusable;
  } catch (const UnreadableInput& error) {
    PrintError(std::string("zandrel-gen: ") + error.what());
    return NotWritten;
  } catch (const RefusedInput& error) {
    PrintError(std::string("zandrel-gen: ") + error.what());
    return Refused;
  } catch (const std::bad_alloc&) {
    // Whatever was written is whole (the output step is all or none); say why the rest is not.
    static constexpr std::string_view OutOfMemory = "zandrel-gen: out of memory\n";
    std::fwrite(OutOfMemory.data(), 1, OutOfMemory.size(), stderr);
    return NotWritten;
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  // A file size limit, and a closed pipe, then show as write errors that are reported (exit 3),
  // not as a killed process.
  std::signal(SIGXFSZ, SIG_IGN);
  std::signal(SIGPIPE, SIG_IGN);
  // Paths are used as the bytes given, whatever their encoding.
  const int code = Run(Arguments(argv + 1, argv + argc));
  const bool closed = CloseOutput();
  return closed ? code : NotWritten;
}
