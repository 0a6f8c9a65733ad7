#pragma once

// Typed reading of the JSON objects in zandrel's documents. Every fault is a DocumentError whose
// message names the key and what is wrong with it.

#include <QByteArrayView>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <cstddef>
#include <functional>
#include <initializer_list>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zandrel {

struct DocumentError : std::runtime_error {
  using std::runtime_error::runtime_error;
  // A fault at one place of the text: its line and column (in characters), from 1.
  DocumentError(const std::string& reason, std::size_t line, std::size_t column)
      : std::runtime_error(reason), Line(line), Column(column) {}
  std::size_t Line = 0;  // 0: the fault is in the document's content, not at one place
  std::size_t Column = 0;
};

// "NAME:LINE:COLUMN: REASON" for a fault at one place, otherwise "NAME: REASON": the one shape of
// a document's messages, in the windows and in zandrel-gen.
std::string DescribeDocumentError(const std::string& name, const DocumentError& error);

// The version of the documents this program writes and reads.
inline constexpr int DocumentFormat = 1;

// UTF-8 bytes of a text, as the generators take them.
std::string Bytes(const QString& text);

// Parses a document whose top level must be an object.
QJsonObject ParseJsonObject(QByteArrayView bytes);

// Refuses any key of object that is not in allowed; where names the object in the message.
void RejectUnknownKeys(const QJsonObject& object, std::initializer_list<const char*> allowed,
                       const std::string& where);

// Typed, optional members: the fallback when absent, a DocumentError for a wrong type. A text
// holding a NUL is refused, since the system and the generated code would cut it there.
std::string TextMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const std::string& where);
// A text used as a path or a name.
std::string PathMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const std::string& where);
bool FlagMember(const QJsonObject& object, const char* key, bool fallback,
                const std::string& where);
QJsonArray ArrayMember(const QJsonObject& object, const char* key, const std::string& where);

// "$schema" (any text, for editors) and "Format", which only this program's format 1 may hold.
void CheckDocumentHeader(const QJsonObject& object, const std::string& where);

// The text of a JSON string holding these UTF-8 bytes, quotes included; bytes that are not UTF-8
// become U+FFFD.
std::string JsonString(std::string_view text);
// The same, given to the sink in pieces, so a long text is never held twice.
void WriteJsonString(std::string_view text, const std::function<void(std::string_view)>& sink);

}  // namespace zandrel
