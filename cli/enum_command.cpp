// zandrel-gen enum REQUEST.json: the enumeration dialog's OK without the window.
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "cli/cli_common.h"
#include "core/output_text.h"
#include "core/text.h"
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

EnumerationStyle StyleMember(const QJsonObject& request, const std::string& where) {
  const std::string style = TextMember(request, "Style", "PlainEnumeration", where);
  if (style == "PlainEnumeration") return EnumerationStyle::PlainEnumeration;
  if (style == "EnumerationClass") return EnumerationStyle::EnumerationClass;
  throw UsageError(where + ".Style must be \"PlainEnumeration\" or \"EnumerationClass\"");
}

void ReadRows(const QJsonObject& object, const std::string& where, EnumerationRequest& request) {
  const QJsonValue rows = object.value(QLatin1String("Rows"));
  if (rows.isUndefined()) return;
  if (!rows.isArray()) throw UsageError(where + ".Rows must be an array");
  std::array<bool, NameGridRows> seen{};
  const QJsonArray array = rows.toArray();
  for (qsizetype i = 0; i < array.size(); ++i) {
    const std::string rowWhere = where + ".Rows[" + std::to_string(i) + "]";
    if (!array[i].isObject()) throw UsageError(rowWhere + " must be an object");
    const QJsonObject row = array[i].toObject();
    RejectUnknownKeys(row, {"Row", "Name", "Value"}, rowWhere);
    const QJsonValue number = row.value(QLatin1String("Row"));
    const double value = number.toDouble(0);
    if (!number.isDouble() || value != std::floor(value) || value < 1 || value > NameGridRows)
      throw UsageError(rowWhere + ".Row must be a whole number from 1 to " +
                       std::to_string(NameGridRows));
    const auto index = static_cast<std::size_t>(value) - 1;
    if (seen[index])
      throw UsageError(rowWhere + ": row " + std::to_string(index + 1) + " given twice");
    seen[index] = true;
    request.GridRows[index].Name = TextMember(row, "Name", "", rowWhere);
    request.GridRows[index].Value = TextMember(row, "Value", "", rowWhere);
  }
}

}  // namespace

int RunEnumCommand(const Arguments& arguments) {
  if (AsksForHelp(arguments)) return PrintOutput(EnumUsage) ? Written : NotWritten;
  if (arguments.size() != 1) throw UsageError("enum takes one argument: REQUEST.json");
  const std::string& where = arguments[0];
  const QJsonObject object = LoadJsonObject(where);
  RejectUnknownKeys(object,
                    {"TypeName", "Style", "FirstAndLast", "ApplyPrefix", "PrefixText", "Rows",
                     "ListFile", "OutputPath"},
                    where);

  EnumerationRequest request;
  request.TypeName = Trim(TextMember(object, "TypeName", "", where));
  request.Style = StyleMember(object, where);
  request.FirstAndLast = FlagMember(object, "FirstAndLast", true, where);
  request.ApplyPrefix = FlagMember(object, "ApplyPrefix", true, where);
  request.PrefixText = TextMember(object, "PrefixText", "ZD", where);
  ReadRows(object, where, request);
  request.FromFile = object.contains(QLatin1String("ListFile"));
  request.ListPath = TextMember(object, "ListFile", "", where);
  request.SeparateFile = object.contains(QLatin1String("OutputPath"));
  request.OutputPath = TextMember(object, "OutputPath", "", where);

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
