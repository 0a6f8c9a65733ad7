// zandrel-gen: the generators from the command line, for scripts and batch use.
#include <csignal>
#include <cstdio>
#include <new>
#include <string>
#include <string_view>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "version_notice.h"

namespace {

using namespace zandrel::cli;

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
    return PrintOutput(OverallUsage()) ? Written : NotWritten;
  if (command == "-v" || command == "--version")
    return PrintOutput("zandrel-gen " ZANDREL_VERSION "\n" ZANDREL_VERSION_NOTICE) ? Written
                                                                                   : NotWritten;
  try {
    if (const CommandRow* row = FindCommand(command)) return row->Run(arguments);
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
