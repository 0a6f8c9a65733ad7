// zandrel-gen class: Build from a JSON description instead of the main window.
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/class_description.h"
#include "classgen/name_checks.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/regeneration_delivery.h"
#include "core/output_text.h"
#include "document/class_document.h"

namespace zandrel::cli {

namespace {

std::optional<ClassDescription> ReadDescription(const std::string& path,
                                                std::string* outputPath = nullptr) {
  const auto read = ReadClassDocument(LoadJsonFile(path), DocumentName(path), outputPath);
  if (const auto* message = std::get_if<std::string>(&read)) throw UsageError(*message);
  return ReadClassDescription(std::get<ClassInput>(read));
}

}  // namespace

int RunClassCommand(const Arguments& given) {
  Arguments arguments = given;
  const RegenerationOptions options = TakeRegenerationOptions(arguments, true);
  const CommandLine line = ParseCommandLine(arguments, true);
  if (line.Help) return PrintOutput(CommandUsage("class")) ? Written : NotWritten;
  if (line.Operands.empty() || line.Operands.size() > 2)
    throw UsageError("class needs DESCRIPTION.json and, unless it names one, OUTPUT_PATH");
  const std::string& path = line.Operands[0];
  if (options.Base && *options.Base == "-" && path == "-")
    throw UsageError("the description and --base cannot both be standard input");
  std::string storedPath;
  const auto description = ReadDescription(path, &storedPath);
  if (line.Operands.size() == 1 && storedPath.empty())
    throw UsageError(DocumentName(path) + " has no OutputPath: give OUTPUT_PATH");
  const std::string output = line.Operands.size() == 2
                                 ? line.Operands[1]
                                 : ResolvedOutputPath(path == "-" ? "" : path, storedPath);
  if (!description) {
    PrintFileError(DocumentName(path) + ": " + std::string(ShortClassNameMessage));
    return Refused;
  }
  std::vector<std::optional<std::string>> bases;
  if (options.Base) {
    const auto older = ReadDescription(*options.Base);
    if (!older)
      throw UsageError("--base " + *options.Base + ": " + std::string(ShortClassNameMessage));
    bases = BasesFrom(ClassOutputFiles(*older, output));
  }
  WarnOfMismatches(*description);
  // The modern targets refuse names their language cannot take; the classic ones keep writing
  // what they always wrote and only warn.
  const NameVerdict names = CheckTargetNames(*description);
  for (const NameProblem& problem : names.Problems)
    PrintFileError(std::string(names.Refused ? "" : "warning: ") + DocumentName(path) + ": " +
                   DescribeNameProblem(problem));
  if (names.Refused) return Refused;
  // Nothing is written unless every file can be: an output path that is a folder, FIFO or
  // device is refused before any file changes.
  if (const auto folder = CheckChosenPath(output)) {
    PrintFileError(DescribeFailure(*folder));
    return NotWritten;
  }
  return DeliverRegeneration(ClassOutputFiles(*description, output), bases, line.Mode, options);
}

}  // namespace zandrel::cli
