// zandrel-gen enum REQUEST.json: the enumeration dialog's OK without the window.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/cli_common.h"
#include "core/output_text.h"
#include "document/enumeration_request_document.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_output.h"

namespace zandrel::cli {

namespace {

constexpr std::string_view EnumUsage =
    "Usage: zandrel-gen enum REQUEST.json\n"
    "\n"
    "Builds an enumeration as the dialog's OK does. With OutputPath it writes the header and\n"
    "source there (both or neither) and prints the include line; without, it prints the\n"
    "enumeration text the main window would receive. ListFile reads the names from a file of\n"
    "at most 256 MiB.\n"
    "\n"
    "Exit codes: 0 done, 1 request refused, 2 unusable invocation or JSON, 3 the request or\n"
    "list file not read, a file not written or standard output not written.\n";

}  // namespace

int RunEnumCommand(const Arguments& arguments) {
  if (AsksForHelp(arguments)) return PrintOutput(EnumUsage) ? Written : NotWritten;
  if (arguments.size() != 1) throw UsageError("enum takes one argument: REQUEST.json");
  const auto read = ReadEnumerationRequest(LoadJsonFile(arguments[0]), arguments[0]);
  if (const auto* message = std::get_if<std::string>(&read)) throw UsageError(*message);
  const EnumerationRequest& request = std::get<EnumerationRequest>(read);

  // The window would ask again for a list file that cannot be read; a script cannot be asked.
  std::optional<ListFile> listFile;
  if (request.FromFile) {
    auto read = ReadListFile(request.ListPath);
    if (const auto* failure = std::get_if<FileFailure>(&read)) {
      PrintError("zandrel-gen: " + DescribeReadFailure(*failure));
      return NotWritten;
    }
    listFile = std::get<ListFile>(std::move(read));
  }
  const auto composed = ComposeEnumeration(request, listFile ? &*listFile : nullptr);
  if (const auto* refusal = std::get_if<Refusal>(&composed)) {
    PrintError(refusal->Message);
    return Refused;
  }
  const auto& output = std::get<EnumerationOutput>(composed);
  // The include line would name files that are not there: it is printed only once both are.
  const std::vector<FileFailure> failures = ReplaceFiles(output.Files);
  for (const FileFailure& failure : failures) PrintError(DescribeFailure(failure));
  if (!failures.empty()) return NotWritten;
  return PrintOutput(output.HandOver) ? Written : NotWritten;
}

}  // namespace zandrel::cli
