#include "document/json_members.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <cstdio>

namespace zandrel {

std::string Bytes(const QString& text) { return text.toUtf8().toStdString(); }

QJsonObject ParseJsonObject(QByteArrayView bytes, const std::string& name) {
  QJsonParseError error{};
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray::fromRawData(bytes.data(), bytes.size()), &error);
  if (error.error != QJsonParseError::NoError)
    throw DocumentError(name + ": invalid JSON at offset " + std::to_string(error.offset) + ": " +
                        Bytes(error.errorString()));
  if (!document.isObject()) throw DocumentError(name + ": the top level must be an object");
  return document.object();
}

void RejectUnknownKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                       const std::string& where) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool known = false;
    for (const char* key : allowed) known = known || it.key() == QLatin1String(key);
    if (!known) throw DocumentError("unknown key \"" + Bytes(it.key()) + "\" in " + where);
  }
}

std::string TextMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const std::string& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return fallback;
  if (!value.isString()) throw DocumentError(where + "." + key + " must be a string");
  return Bytes(value.toString());
}

bool FlagMember(const QJsonObject& object, const char* key, bool fallback,
                const std::string& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return fallback;
  if (!value.isBool()) throw DocumentError(where + "." + key + " must be true or false");
  return value.toBool();
}

QJsonArray ArrayMember(const QJsonObject& object, const char* key, const std::string& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return {};
  if (!value.isArray()) throw DocumentError(where + "." + key + " must be an array");
  return value.toArray();
}

void CheckDocumentHeader(const QJsonObject& object, const std::string& where) {
  TextMember(object, "$schema", "", where);
  // A later format may mean something else by the same keys: refuse rather than guess.
  const QJsonValue format = object.value(QLatin1String("Format"));
  if (!format.isUndefined() && !(format.isDouble() && format.toDouble() == DocumentFormat))
    throw DocumentError(where + ".Format must be " + std::to_string(DocumentFormat));
}

std::string JsonString(std::string_view text) {
  const QByteArray utf8 =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
  std::string json = "\"";
  for (const char c : utf8) {
    switch (c) {
      case '"':
        json += "\\\"";
        break;
      case '\\':
        json += "\\\\";
        break;
      case '\n':
        json += "\\n";
        break;
      case '\r':
        json += "\\r";
        break;
      case '\t':
        json += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
          json += escaped;
        } else {
          json += c;
        }
    }
  }
  return json + "\"";
}

}  // namespace zandrel
