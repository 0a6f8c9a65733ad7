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
#include "core/block_sink.h"
#include "core/output_text.h"
#include "document/enumeration_request_document.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"

namespace zandrel::cli {

namespace {

// A request file read, with its list file where it takes one.
struct ReadRequest {
  EnumerationRequest Request;
  std::optional<ListFile> List;

  const ListFile* ListOrNull() const { return List ? &*List : nullptr; }
};

// The request file and its list file, or the exit code of why they are not (reported).
std::variant<ReadRequest, int> ReadRequestFiles(const std::string& path,
                                                const std::optional<std::string>& outputPath) {
  auto read = ReadEnumerationRequest(LoadJsonFile(path), DocumentName(path));
  if (const auto* message = std::get_if<std::string>(&read)) throw UsageError(*message);
  ReadRequest files{std::get<EnumerationRequest>(std::move(read)), std::nullopt};
  EnumerationRequest& request = files.Request;
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
  if (request.FromFile) {
    auto list = ReadListFile(request.ListPath);
    if (const auto* failure = std::get_if<FileFailure>(&list)) {
      PrintFileError(DescribeReadFailure(*failure));
      return NotWritten;
    }
    files.List = std::get<ListFile>(std::move(list));
  }
  return files;
}

// The classic styles only warn about names C++ cannot take; the enum class style has refused them.
void PrintNameWarnings(const std::string& path, const ReadRequest& files) {
  for (const Refusal& problem : NameWarnings(files.Request, files.ListOrNull()))
    PrintFileError("warning: " + DocumentName(path) + ": " + problem.Message);
}

// Reports the refusal; its exit code.
int Refuse(const std::string& path, const Refusal& refusal) {
  PrintFileError(DocumentName(path) + ": " + refusal.Message);
  return Refused;
}

// The request's output, or the exit code of why there is none (reported).
std::variant<EnumerationOutput, int> ComposeRequest(const std::string& path,
                                                    const ReadRequest& files) {
  auto composed = ComposeEnumeration(files.Request, files.ListOrNull());
  if (const auto* refusal = std::get_if<Refusal>(&composed)) return Refuse(path, *refusal);
  PrintNameWarnings(path, files);
  return std::get<EnumerationOutput>(std::move(composed));
}

// The texts printed as they are made, a long list's never held whole; a refusal comes first.
int PrintRequest(const std::string& path, const ReadRequest& files) {
  bool printed = true;
  BlockSink text([&printed](std::string_view piece) { printed = printed && PrintOutput(piece); });
  if (const auto refusal = StreamEnumeration(files.Request, files.ListOrNull(), text))
    return Refuse(path, *refusal);
  text.Flush();
  PrintNameWarnings(path, files);
  return printed ? Written : NotWritten;
}

// The composed output of the request file at path, or the exit code of why there is none.
std::variant<EnumerationOutput, int> ComposeFile(const std::string& path,
                                                 const std::optional<std::string>& outputPath) {
  const auto read = ReadRequestFiles(path, outputPath);
  if (const int* code = std::get_if<int>(&read)) return *code;
  return ComposeRequest(path, std::get<ReadRequest>(read));
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
  const auto read = ReadRequestFiles(path, outputPath);
  if (const int* code = std::get_if<int>(&read)) return *code;
  const auto& files = std::get<ReadRequest>(read);
  // Texts that go to standard output alone are printed as they are made.
  if (line.Mode == Delivery::Write && !options.Base && !options.BuildOutput &&
      !files.Request.SeparateFile)
    return PrintRequest(path, files);
  const auto composed = ComposeRequest(path, files);
  if (const int* code = std::get_if<int>(&composed)) return *code;
  const auto& output = std::get<EnumerationOutput>(composed);
  std::vector<std::optional<std::string>> bases;
  if (options.Base) {
    auto older = ComposeFile(*options.Base, outputPath);
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
