#include "document/enumeration_request_document.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <array>
#include <cmath>

#include "core/text.h"
#include "document/json_members.h"

namespace zandrel {

namespace {

EnumerationStyle StyleMember(const QJsonObject& request, const std::string& where) {
  const std::string style = TextMember(request, "Style", "PlainEnumeration", where);
  if (style == "PlainEnumeration") return EnumerationStyle::PlainEnumeration;
  if (style == "EnumerationClass") return EnumerationStyle::EnumerationClass;
  if (style == "ModernEnumeration") return EnumerationStyle::ModernEnumeration;
  throw DocumentError(where +
                      ".Style must be \"PlainEnumeration\", \"EnumerationClass\" or "
                      "\"ModernEnumeration\"");
}

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

}  // namespace

std::variant<EnumerationRequest, std::string> ReadEnumerationRequest(QByteArrayView bytes,
                                                                     const std::string& name) {
  try {
    return ReadRequest(ParseJsonObject(bytes), "request");
  } catch (const DocumentError& error) {
    return DescribeDocumentError(name, error);
  }
}

}  // namespace zandrel
