#include "cli/cli_common.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <variant>

#include "core/output_text.h"

namespace zandrel::cli {

namespace {

bool outputFailed = false;

bool OutputFailure(int error) {
  if (!outputFailed)
    PrintError(std::string("zandrel-gen: standard output could not be written: ") +
               std::strerror(error != 0 ? error : EIO));
  outputFailed = true;
  return false;
}

}  // namespace

QJsonObject LoadJsonObject(const std::string& path) {
  const auto read = ReadInputFile(path, JsonFileLimit);
  if (const auto* failure = std::get_if<FileFailure>(&read))
    throw UnreadableInput(DescribeReadFailure(*failure));
  const std::string& text = std::get<std::string>(read);
  QJsonParseError error{};
  const QJsonDocument document = QJsonDocument::fromJson(
      QByteArray::fromRawData(text.data(), static_cast<qsizetype>(text.size())), &error);
  if (error.error != QJsonParseError::NoError)
    throw UsageError(path + ": invalid JSON at offset " + std::to_string(error.offset) + ": " +
                     Bytes(error.errorString()));
  if (!document.isObject()) throw UsageError(path + ": the top level must be an object");
  return document.object();
}

void RejectUnknownKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                       const std::string& where) {
  for (auto it = object.begin(); it != object.end(); ++it) {
    bool known = false;
    for (const char* key : allowed) known = known || it.key() == QLatin1String(key);
    if (!known) throw UsageError("unknown key \"" + Bytes(it.key()) + "\" in " + where);
  }
}

std::string TextMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const std::string& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return fallback;
  if (!value.isString()) throw UsageError(where + "." + key + " must be a string");
  return Bytes(value.toString());
}

bool FlagMember(const QJsonObject& object, const char* key, bool fallback,
                const std::string& where) {
  const QJsonValue value = object.value(QLatin1String(key));
  if (value.isUndefined()) return fallback;
  if (!value.isBool()) throw UsageError(where + "." + key + " must be true or false");
  return value.toBool();
}

std::string Bytes(const QString& text) { return text.toUtf8().toStdString(); }

void PrintError(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
}

bool PrintOutput(std::string_view text) {
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) return OutputFailure(errno);
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return OutputFailure(errno);
  return true;
}

bool CloseOutput() {
  errno = 0;
  const bool clean = std::ferror(stdout) == 0;
  if (std::fclose(stdout) != 0 || !clean) return OutputFailure(errno);
  return true;
}

bool AsksForHelp(const Arguments& arguments) {
  return arguments.size() == 1 && (arguments[0] == "-h" || arguments[0] == "--help");
}

}  // namespace zandrel::cli
