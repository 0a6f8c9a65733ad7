#pragma once

// Typed reading of the JSON objects in zandrel's documents. Every fault is a DocumentError whose
// message names the key and what is wrong with it.

#include <QByteArrayView>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zandrel {

struct DocumentError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// The version of the documents this program writes and reads.
inline constexpr int DocumentFormat = 1;

// UTF-8 bytes of a text, as the generators take them.
std::string Bytes(const QString& text);

// Parses a document whose top level must be an object; name begins the message when it is not.
QJsonObject ParseJsonObject(QByteArrayView bytes, const std::string& name);

// Refuses any key of object that is not in allowed; where names the object in the message.
void RejectUnknownKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                       const std::string& where);

// Typed, optional members: the fallback when absent, a DocumentError for a wrong type.
std::string TextMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const std::string& where);
bool FlagMember(const QJsonObject& object, const char* key, bool fallback,
                const std::string& where);
QJsonArray ArrayMember(const QJsonObject& object, const char* key, const std::string& where);

// "$schema" (any text, for editors) and "Format", which only this program's format 1 may hold.
void CheckDocumentHeader(const QJsonObject& object, const std::string& where);

// The text of a JSON string holding these UTF-8 bytes, quotes included; bytes that are not UTF-8
// become U+FFFD.
std::string JsonString(std::string_view text);

}  // namespace zandrel
