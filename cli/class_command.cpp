// zandrel-gen class: Build from a JSON description instead of the main window.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "cli/cli_common.h"
#include "cli/delivery.h"
#include "document/class_document.h"

namespace zandrel::cli {

namespace {

constexpr std::string_view ClassUsage =
    "Usage: zandrel-gen class [OPTION]... DESCRIPTION.json OUTPUT_PATH\n"
    "Write the class files as Build does when the save dialog returns OUTPUT_PATH:\n"
    "the header and the source beside it, or the Java file. DESCRIPTION.json may be\n"
    "-, standard input. Files whose text would not change are left alone; the\n"
    "others are replaced whole, both or neither. TargetSystem ModernCpp writes C++20,\n"
    "JavaRecord a Java 17 record. An enumeration text of HeaderInsertions that the\n"
    "target cannot use is written as it is, with a warning on standard error.\n"
    "\n"
    "      --check    write nothing; list each file that would change, and exit\n"
    "                 with status 4 if any would\n"
    "      --dry-run  write nothing; list each file that would change\n"
    "      --stdout   print the files instead, each after a line \"// ==> PATH\"\n"
    "  -h, --help     display this help and exit\n"
    "\n"
    "Exit status: 0 done, 1 class name refused, 2 unusable invocation or JSON, 3 the\n"
    "description not read, a file not written or standard output not written, 4\n"
    "with --check: a file would change.\n";

}  // namespace

int RunClassCommand(const Arguments& arguments) {
  const CommandLine line = ParseCommandLine(arguments, true);
  if (line.Help) return PrintOutput(ClassUsage) ? Written : NotWritten;
  if (line.Operands.size() != 2)
    throw UsageError("class needs two arguments: DESCRIPTION.json OUTPUT_PATH");
  const std::string& path = line.Operands[0];
  const auto read = ReadClassDocument(LoadJsonFile(path), DocumentName(path));
  if (const auto* message = std::get_if<std::string>(&read)) throw UsageError(*message);
  const auto description = ReadClassDescription(std::get<ClassInput>(read));
  if (!description) {
    PrintError(std::string(ShortClassNameMessage));
    return Refused;
  }
  WarnOfMismatches(*description);
  // Nothing is written unless every file can be: an output path that is a folder, FIFO or
  // device is refused before any file changes.
  return Deliver(ClassOutputFiles(*description, line.Operands[1]), line.Mode);
}

}  // namespace zandrel::cli
