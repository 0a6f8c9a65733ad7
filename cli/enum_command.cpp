// zandrel-gen enum REQUEST.json: the enumeration dialog's OK without the window.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/cli_common.h"
#include "cli/regeneration_delivery.h"
#include "core/output_text.h"
#include "document/enumeration_request_document.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"

namespace zandrel::cli {

namespace {

constexpr std::string_view EnumUsage =
    "Usage: zandrel-gen enum [OPTION]... REQUEST.json\n"
    "Build an enumeration as the dialog's OK does. With OutputPath, write the header\n"
    "and source there (both or neither; files whose text would not change are left\n"
    "alone) and print the include line; without, print the enumeration text the\n"
    "main window would receive. ListFile reads the names from a file of at most\n"
    "256 MiB. REQUEST.json may be -, standard input. Style ModernEnumeration makes\n"
    "an enum class with constexpr to_string, TYPE_from_string and TYPE_values, and\n"
    "writes a header alone.\n"
    "\n"
    "A file edited since Zandrel wrote it gets the new text merged into it; one\n"
    "that conflicts is not written.\n"
    "\n"
    "      --base OLD.json  merge from the files the older request OLD.json gives,\n"
    "                 not from the texts recorded when the files were last written\n"
    "      --conflicts=markers  write conflicting files with conflict markers\n"
    "      --force    replace edited files that cannot be merged\n"
    "  -o, --output PATH  write the header (and source) to PATH, not to OutputPath\n"
    "      --build-output  the files belong to a build tree: replaced when their\n"
    "                 text changes, never recorded or merged; nothing is printed\n"
    "      --check    write and print nothing; list each file that would change,\n"
    "                 and exit with status 4 if any would\n"
    "      --dry-run  write and print nothing; list each file that would change\n"
    "  -h, --help     display this help and exit\n"
    "\n"
    "Exit status: 0 done, 1 request refused, 2 unusable invocation or JSON, 3 the\n"
    "request or list file not read, a file not written or standard output not\n"
    "written, 4 with --check: a file would change, 5 a conflict, or an edited file\n"
    "with no base.\n";

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
  for (const Refusal& problem : CheckEnumerationNames(request, listFile ? &*listFile : nullptr))
    PrintFileError("warning: " + DocumentName(path) + ": " + problem.Message);
  return std::get<EnumerationOutput>(std::move(composed));
}

}  // namespace

int RunEnumCommand(const Arguments& given) {
  Arguments arguments = given;
  const RegenerationOptions options = TakeRegenerationOptions(arguments, true);
  const std::optional<std::string> outputPath = TakeOutputOption(arguments);
  const CommandLine line = ParseCommandLine(arguments, false);
  if (line.Help) return PrintOutput(EnumUsage) ? Written : NotWritten;
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
