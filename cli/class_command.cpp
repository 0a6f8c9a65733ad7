// zandrel-gen class: Build from a JSON description instead of the main window.
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "cli/cli_common.h"
#include "document/class_document.h"

namespace zandrel::cli {

namespace {

constexpr std::string_view ClassUsage =
    "Usage: zandrel-gen class DESCRIPTION.json OUTPUT_PATH\n"
    "\n"
    "Writes the class files as Build does when the save dialog returns OUTPUT_PATH: the\n"
    "header and the source beside it, or the Java file. Existing files are replaced whole,\n"
    "both or neither.\n"
    "\n"
    "Exit codes: 0 written, 1 class name refused, 2 unusable invocation or JSON, 3 the\n"
    "description not read, a file not written or standard output not written.\n";

}  // namespace

int RunClassCommand(const Arguments& arguments) {
  if (AsksForHelp(arguments)) return PrintOutput(ClassUsage) ? Written : NotWritten;
  if (arguments.size() != 2)
    throw UsageError("class needs two arguments: DESCRIPTION.json OUTPUT_PATH");
  const auto read = ReadClassDocument(LoadJsonFile(arguments[0]), arguments[0]);
  if (const auto* message = std::get_if<std::string>(&read)) throw UsageError(*message);
  const auto description = ReadClassDescription(std::get<ClassInput>(read));
  if (!description) {
    PrintError(std::string(ShortClassNameMessage));
    return Refused;
  }
  // Nothing is written unless every file can be: an output path that is a folder, FIFO or
  // device is refused before any file changes.
  const auto failures = WriteClassFiles(*description, arguments[1]);
  for (const FileFailure& failure : failures) PrintError(DescribeFailure(failure));
  return failures.empty() ? Written : NotWritten;
}

}  // namespace zandrel::cli
