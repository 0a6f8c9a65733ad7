#include "cli/cli_common.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <cstdio>

namespace zandrel::cli {

QJsonObject LoadJsonObject(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw UsageError("cannot read " + Bytes(path) + ": " + Bytes(file.errorString()));
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
  if (error.error != QJsonParseError::NoError)
    throw UsageError(Bytes(path) + ": invalid JSON at offset " + std::to_string(error.offset) +
                     ": " + Bytes(error.errorString()));
  if (!document.isObject()) throw UsageError(Bytes(path) + ": the top level must be an object");
  return document.object();
}

void RejectUnknownKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                       const QString& where) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool known = false;
    for (const char* key : allowed) known = known || it.key() == QLatin1String(key);
    if (!known) throw UsageError("unknown key \"" + Bytes(it.key()) + "\" in " + Bytes(where));
  }
}

std::string TextMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const QString& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return fallback;
  if (!value.isString()) throw UsageError(Bytes(where) + "." + key + " must be a string");
  return Bytes(value.toString());
}

bool FlagMember(const QJsonObject& object, const char* key, bool fallback, const QString& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return fallback;
  if (!value.isBool()) throw UsageError(Bytes(where) + "." + key + " must be true or false");
  return value.toBool();
}

std::string Bytes(const QString& text) { return text.toUtf8().toStdString(); }

void PrintError(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
}

}  // namespace zandrel::cli
