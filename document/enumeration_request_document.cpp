#include "document/enumeration_request_document.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <array>
#include <cmath>
#include <span>
#include <utility>

#include "core/text.h"
#include "document/json_members.h"
#include "enumgen/enumeration_styles.h"

namespace zandrel {

namespace {

void ReadRows(const QJsonObject& object, const std::string& where, EnumerationRequest& request) {
  const QJsonArray array = ArrayMember(object, "Rows", where);
  std::array<bool, NameGridRows> seen{};
  for (qsizetype i = 0; i < array.size(); ++i) {
    const std::string rowWhere = where + ".Rows[" + std::to_string(i) + "]";
    if (!array[i].isObject()) throw DocumentError(rowWhere + " must be an object");
    const QJsonObject row = array[i].toObject();
    RejectUnknownKeys(row, {"Row", "Name", "Value"}, rowWhere);
    const QJsonValue number = row.value(QLatin1String("Row"));
    const double value = number.toDouble(0);
    if (!number.isDouble() || value != std::floor(value) || value < 1 || value > NameGridRows)
      throw DocumentError(rowWhere + ".Row must be a whole number from 1 to " +
                          std::to_string(NameGridRows));
    const auto index = static_cast<std::size_t>(value) - 1;
    if (seen[index])
      throw DocumentError(rowWhere + ": row " + std::to_string(index + 1) + " given twice");
    seen[index] = true;
    request.GridRows[index].Name = TextMember(row, "Name", "", rowWhere);
    request.GridRows[index].Value = TextMember(row, "Value", "", rowWhere);
  }
}

}  // namespace

EnumerationStyle StyleMember(const QJsonObject& object, const std::string& where) {
  const std::string name = TextMember(object, "Style", "PlainEnumeration", where);
  if (const EnumerationStyleRow* row = StyleNamed(name)) return row->Style;
  const std::span<const EnumerationStyleRow> styles = EnumerationStyles();
  std::string names;
  for (std::size_t i = 0; i < styles.size(); ++i)
    names += (i == 0 ? "" : i + 1 == styles.size() ? " or " : ", ") + JsonString(styles[i].Name);
  throw DocumentError(where + ".Style must be " + names);
}

EnumerationRequest ReadRequest(const QJsonObject& object, const std::string& where) {
  RejectUnknownKeys(
      object,
      {"$schema", "Format", "TypeName", "Style", "FirstAndLast", "ApplyPrefix", "PrefixText",
       "Rows", "ListFile", "OutputPath", "Flags", "CaseInsensitive", "Formatter", "Json"},
      where);
  CheckDocumentHeader(object, where);
  EnumerationRequest request;
  request.TypeName = Trim(PathMember(object, "TypeName", "", where));
  request.Style = StyleMember(object, where);
  request.FirstAndLast = FlagMember(object, "FirstAndLast", true, where);
  request.ApplyPrefix = FlagMember(object, "ApplyPrefix", true, where);
  request.PrefixText = TextMember(object, "PrefixText", "ZD", where);
  ReadRows(object, where, request);
  request.FromFile = object.contains(QLatin1String("ListFile"));
  request.ListPath = PathMember(object, "ListFile", "", where);
  request.SeparateFile = object.contains(QLatin1String("OutputPath"));
  request.OutputPath = PathMember(object, "OutputPath", "", where);
  request.Flags = FlagMember(object, "Flags", false, where);
  request.CaseInsensitive = FlagMember(object, "CaseInsensitive", false, where);
  request.Formatter = FlagMember(object, "Formatter", false, where);
  request.Json = FlagMember(object, "Json", false, where);
  return request;
}

std::string RequestJson(const EnumerationRequest& request) {
  const auto flag = [](bool on) { return on ? "true" : "false"; };
  std::string json = "{\"TypeName\": " + JsonString(request.TypeName) +
                     ", \"Style\": " + JsonString(StyleRow(request.Style).Name) +
                     ", \"FirstAndLast\": " + flag(request.FirstAndLast) +
                     ", \"ApplyPrefix\": " + flag(request.ApplyPrefix) +
                     ", \"PrefixText\": " + JsonString(request.PrefixText) + ", \"Rows\": [";
  const char* separator = "";
  for (std::size_t i = 0; i < request.GridRows.size(); ++i) {
    const GridRow& row = request.GridRows[i];
    // A Value cell alone counts too: it says values are given.
    if (row.Name.empty() && row.Value.empty()) continue;
    json += separator;
    json += "{\"Row\": " + std::to_string(i + 1) + ", \"Name\": " + JsonString(row.Name) +
            ", \"Value\": " + JsonString(row.Value) + "}";
    separator = ", ";
  }
  json += "]";
  if (request.FromFile) json += ", \"ListFile\": " + JsonString(request.ListPath);
  if (request.SeparateFile) json += ", \"OutputPath\": " + JsonString(request.OutputPath);
  const std::pair<const char*, bool> keys[] = {{"Flags", request.Flags},
                                               {"CaseInsensitive", request.CaseInsensitive},
                                               {"Formatter", request.Formatter},
                                               {"Json", request.Json}};
  for (const auto& [key, on] : keys)
    if (on) json += ", \"" + std::string(key) + "\": true";
  return json + "}";
}

std::variant<EnumerationRequest, std::string> ReadEnumerationRequest(QByteArrayView bytes,
                                                                     const std::string& name) {
  try {
    return ReadRequest(ParseJsonObject(bytes), "request");
  } catch (const DocumentError& error) {
    return DescribeDocumentError(name, error);
  }
}

}  // namespace zandrel
