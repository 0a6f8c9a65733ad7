// zandrel-gen enum REQUEST.json: the enumeration dialog's OK without the window.
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <QStringList>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <variant>

#include "classgen/class_description.h"
#include "cli/cli_common.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_writers.h"

namespace zandrel::cli {

namespace {

bool Readable(const std::string& path) {
  std::error_code error;
  if (std::filesystem::is_directory(path, error)) return false;
  return std::ifstream(path, std::ios::binary).is_open();
}

EnumerationStyle StyleMember(const QJsonObject& request, const QString& where) {
  const std::string style = TextMember(request, "Style", "PlainEnumeration", where);
  if (style == "PlainEnumeration") return EnumerationStyle::PlainEnumeration;
  if (style == "EnumerationClass") return EnumerationStyle::EnumerationClass;
  throw UsageError(Bytes(where) + ".Style must be \"PlainEnumeration\" or \"EnumerationClass\"");
}

void ReadRows(const QJsonObject& object, const QString& where, EnumerationRequest& request) {
  const QJsonValue rows = object.value(QLatin1String("Rows"));
  if (rows.isUndefined()) return;
  if (!rows.isArray()) throw UsageError(Bytes(where) + ".Rows must be an array");
  std::array<bool, NameGridRows> seen{};
  const QJsonArray array = rows.toArray();
  for (qsizetype i = 0; i < array.size(); ++i) {
    const QString rowWhere = where + ".Rows[" + QString::number(i) + "]";
    if (!array[i].isObject()) throw UsageError(Bytes(rowWhere) + " must be an object");
    const QJsonObject row = array[i].toObject();
    RejectUnknownKeys(row, {"Row", "Name", "Value"}, rowWhere);
    const QJsonValue number = row.value(QLatin1String("Row"));
    const double value = number.toDouble(0);
    if (!number.isDouble() || value != std::floor(value) || value < 1 || value > NameGridRows)
      throw UsageError(Bytes(rowWhere) + ".Row must be a whole number from 1 to " +
                       std::to_string(NameGridRows));
    const auto index = static_cast<std::size_t>(value) - 1;
    if (seen[index])
      throw UsageError(Bytes(rowWhere) + ": row " + std::to_string(index + 1) + " given twice");
    seen[index] = true;
    request.GridRows[index].Name = TextMember(row, "Name", "", rowWhere);
    request.GridRows[index].Value = TextMember(row, "Value", "", rowWhere);
  }
}

}  // namespace

int RunEnumCommand(const QStringList& arguments) {
  if (arguments.size() != 1) throw UsageError("enum takes one argument: REQUEST.json");
  const QString where = arguments[0];
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
  const bool fromFile = object.contains(QLatin1String("ListFile"));
  const std::string listFile = TextMember(object, "ListFile", "", where);
  request.FromFile = fromFile;
  request.SeparateFile = object.contains(QLatin1String("OutputPath"));
  request.OutputPath = TextMember(object, "OutputPath", "", where);

  // Decided before anything is generated: the window would ask again, a script cannot.
  if (fromFile && !Readable(listFile)) {
    PrintError("zandrel-gen: the list file \"" + listFile + "\" could not be read");
    return NotWritten;
  }

  ChosenListFile dialog(listFile);
  const auto result = GenerateEnumerationOutput(request, dialog);
  if (const auto* refusal = std::get_if<Refusal>(&result)) {
    PrintError(refusal->Message);
    return Refused;
  }
  const auto& generated = std::get<GeneratedEnumeration>(result);
  std::fwrite(generated.HandOver.data(), 1, generated.HandOver.size(), stdout);
  std::fflush(stdout);
  for (const FileFailure& failure : generated.Failures) PrintError(DescribeFailure(failure));
  return generated.Failures.empty() ? Written : NotWritten;
}

}  // namespace zandrel::cli
