// zandrel-gen: the generators from the command line, for scripts and batch use.
#include <QCoreApplication>
#include <QStringList>
#include <cstdio>

#include "cli/cli_common.h"

namespace zandrel::cli {
int RunClassCommand(const QStringList& arguments);
int RunEnumCommand(const QStringList& arguments);
}  // namespace zandrel::cli

namespace {

constexpr const char* Help =
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
    "\n"
    "Options:\n"
    "  -h, --help     show this help\n"
    "  -v, --version  show the version\n"
    "\n"
    "Exit codes: 0 done, 1 input refused, 2 unusable invocation or JSON, 3 a file not\n"
    "written or read.\n";

}  // namespace

int main(int argc, char* argv[]) {
  QCoreApplication application(argc, argv);
  QCoreApplication::setApplicationName("zandrel-gen");
  QCoreApplication::setApplicationVersion(ZANDREL_VERSION);

  QStringList arguments = QCoreApplication::arguments();
  arguments.removeFirst();
  if (arguments.isEmpty()) {
    std::fputs(Help, stderr);
    return zandrel::cli::Unusable;
  }
  const QString command = arguments.takeFirst();
  if (command == "-h" || command == "--help" || command == "help") {
    std::fputs(Help, stdout);
    return zandrel::cli::Written;
  }
  if (command == "-v" || command == "--version") {
    std::printf("zandrel-gen %s\n", ZANDREL_VERSION);
    return zandrel::cli::Written;
  }
  try {
    if (command == "class") return zandrel::cli::RunClassCommand(arguments);
    if (command == "enum") return zandrel::cli::RunEnumCommand(arguments);
    throw zandrel::cli::UsageError("unknown command \"" + zandrel::cli::Bytes(command) +
                                   "\" (try --help)");
  } catch (const zandrel::cli::UsageError& error) {
    zandrel::cli::PrintError(std::string("zandrel-gen: ") + error.what());
    return zandrel::cli::Unusable;
  }
}
