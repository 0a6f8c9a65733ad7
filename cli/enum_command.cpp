// zandrel-gen enum REQUEST.json: the enumeration dialog's OK without the window.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/regeneration_delivery.h"
#include "core/output_text.h"
#include "document/enumeration_request_document.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"

namespace zandrel::cli {

namespace {

// The request file's output, or the exit code of why there is none (reported).
std::variant<EnumerationOutput, int> ComposeRequest(const std::string& path,
                                                    const std::optional<std::string>& outputPath) {
  auto read = ReadEnumerationRequest(LoadJsonFile(path), DocumentName(path));
  if (const auto* message = std::get_if<std::string>(&read)) throw UsageError(*message);
  auto& request = std::get<EnumerationRequest>(read);
  if (outputPath) {
    request.SeparateFile = true;
    request.OutputPath = *outputPath;
  }
  if (const auto folder =
          request.SeparateFile ? CheckChosenPath(request.OutputPath) : std::nullopt) {
    PrintFileError(DescribeFailure(*folder));
    return NotWritten;
  }

  // The window would ask again for a list file that cannot be read; a script cannot be asked.
  std::optional<ListFile> listFile;
  if (request.FromFile) {
    auto read = ReadListFile(request.ListPath);
    if (const auto* failure = std::get_if<FileFailure>(&read)) {
      PrintFileError(DescribeReadFailure(*failure));
      return NotWritten;
    }
    listFile = std::get<ListFile>(std::move(read));
  }
  auto composed = ComposeEnumeration(request, listFile ? &*listFile : nullptr);
  if (const auto* refusal = std::get_if<Refusal>(&composed)) {
    PrintFileError(DocumentName(path) + ": " + refusal->Message);
    return Refused;
  }
  // The enum class style has refused names C++ cannot take; the classic styles only warn.
  for (const Refusal& problem : NameWarnings(request, listFile ? &*listFile : nullptr))
    PrintFileError("warning: " + DocumentName(path) + ": " + problem.Message);
  return std::get<EnumerationOutput>(std::move(composed));
}

}  // namespace

int RunEnumCommand(const Arguments& given) {
  Arguments arguments = given;
  const RegenerationOptions options = TakeRegenerationOptions(arguments, true);
  const std::optional<std::string> outputPath = TakeOutputOption(arguments);
  const CommandLine line = ParseCommandLine(arguments, false);
  if (line.Help) return PrintOutput(CommandUsage("enum")) ? Written : NotWritten;
  if (line.Operands.size() != 1) throw UsageError("enum takes one argument: REQUEST.json");
  const std::string& path = line.Operands[0];
  if (options.Base && *options.Base == "-" && path == "-")
    throw UsageError("the request and --base cannot both be standard input");
  const auto composed = ComposeRequest(path, outputPath);
  if (const int* code = std::get_if<int>(&composed)) return *code;
  const auto& output = std::get<EnumerationOutput>(composed);
  std::vector<std::optional<std::string>> bases;
  if (options.Base) {
    auto older = ComposeRequest(*options.Base, outputPath);
    if (const int* code = std::get_if<int>(&older)) return *code;
    bases = BasesFrom(std::get<EnumerationOutput>(std::move(older)).Files);
  }
  // The include line would name files that are not there: it is printed only once both are.
  const int delivered = DeliverRegeneration(output.Files, bases, line.Mode, options);
  if (delivered != Written || line.Mode != Delivery::Write || options.BuildOutput) return delivered;
  // The texts go out as they were made, in one write, never joined or copied.
  return PrintOutput(output.HandOver()) ? Written : NotWritten;
}

}  // namespace zandrel::cli
