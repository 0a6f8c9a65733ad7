#pragma once

#include <QJsonObject>
#include <QString>
#include <initializer_list>
#include <stdexcept>
#include <string>

namespace zandrel::cli {

enum ExitCode { Written = 0, Refused = 1, Unusable = 2, NotWritten = 3 };

// An unusable invocation or JSON: one line naming what is wrong, exit code 2.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Reads a JSON file whose top level is an object.
QJsonObject LoadJsonObject(const QString& path);

// Refuses any key of object that is not in allowed; where names the object in the message.
void RejectUnknownKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                       const QString& where);

// Typed, optional members: the fallback when absent, a UsageError for a wrong type.
std::string TextMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const QString& where);
bool FlagMember(const QJsonObject& object, const char* key, bool fallback, const QString& where);

// UTF-8 bytes of a text, as the generators take them.
std::string Bytes(const QString& text);

// Writes a line (a line feed is added) to standard error.
void PrintError(const std::string& line);

}  // namespace zandrel::cli
