#include "document/json_members.h"

#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <algorithm>
#include <cstdio>

namespace zandrel {

namespace {

// Whether the bytes are well-formed UTF-8 that Qt reads back unchanged: no overlong forms, no
// surrogates, nothing above U+10FFFF, and no byte order mark (which a reader may drop).
bool PlainUtf8(std::string_view text) {
  const auto* p = reinterpret_cast<const unsigned char*>(text.data());
  const auto* end = p + text.size();
  while (p < end) {
    const unsigned c = *p;
    if (c < 0x80) {
      ++p;
      continue;
    }
    std::size_t length = 0;
    unsigned low = 0x80;
    unsigned high = 0xBF;
    if (c >= 0xC2 && c <= 0xDF) {
      length = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
      length = 3;
      if (c == 0xE0) low = 0xA0;
      if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
      length = 4;
      if (c == 0xF0) low = 0x90;
      if (c == 0xF4) high = 0x8F;
    } else {
      return false;
    }
    if (static_cast<std::size_t>(end - p) < length || p[1] < low || p[1] > high) return false;
    for (std::size_t k = 2; k < length; ++k)
      if (p[k] < 0x80 || p[k] > 0xBF) return false;
    if (c == 0xEF && p[1] == 0xBB && p[2] == 0xBF) return false;
    p += length;
  }
  return true;
}

// The escaped form of a byte, or empty when it stands for itself.
std::string_view Escape(char c, char (&buffer)[8]) {
  switch (c) {
    case '"':
      return "\\\"";
    case '\\':
      return "\\\\";
    case '\n':
      return "\\n";
    case '\r':
      return "\\r";
    case '\t':
      return "\\t";
    default:
      if (static_cast<unsigned char>(c) >= 0x20) return {};
      std::snprintf(buffer, sizeof buffer, "\\u%04x", static_cast<unsigned>(c));
      return buffer;
  }
}

void WriteEscaped(std::string_view utf8, const std::function<void(std::string_view)>& sink) {
  sink("\"");
  std::size_t plain = 0;
  char buffer[8];
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const std::string_view escaped = Escape(utf8[i], buffer);
    if (escaped.empty()) continue;
    if (i > plain) sink(utf8.substr(plain, i - plain));
    sink(escaped);
    plain = i + 1;
  }
  if (utf8.size() > plain) sink(utf8.substr(plain));
  sink("\"");
}

// The line and column (in characters, from 1) of the character a parse error names. Qt's offset
// is just past the character it stopped at (the last one when the text ends too soon).
std::pair<std::size_t, std::size_t> LineAndColumn(QByteArrayView bytes, qsizetype offset) {
  std::size_t at = static_cast<std::size_t>(std::clamp<qsizetype>(offset, 0, bytes.size()));
  if (at > 0) {
    --at;
    while (at > 0 && (static_cast<unsigned char>(bytes[static_cast<qsizetype>(at)]) & 0xC0) == 0x80)
      --at;
  }
  const std::string_view text(bytes.data(), at);
  const std::size_t lineStart =
      text.rfind('\n') == std::string_view::npos ? 0 : text.rfind('\n') + 1;
  std::size_t column = 1;
  for (std::size_t i = lineStart; i < text.size(); ++i)
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) ++column;
  return {static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) + 1, column};
}

}  // namespace

std::string DescribeDocumentError(const std::string& name, const DocumentError& error) {
  if (error.Line == 0) return name + ": " + error.what();
  return name + ":" + std::to_string(error.Line) + ":" + std::to_string(error.Column) + ": " +
         error.what();
}

std::string Bytes(const QString& text) { return text.toUtf8().toStdString(); }

QJsonObject ParseJsonObject(QByteArrayView bytes) {
  QJsonParseError error{};
  const QJsonDocument document =
      QJsonDocument::fromJson(QByteArray::fromRawData(bytes.data(), bytes.size()), &error);
  if (error.error != QJsonParseError::NoError) {
    const auto [line, column] = LineAndColumn(bytes, error.offset);
    throw DocumentError("invalid JSON: " + Bytes(error.errorString()), line, column);
  }
  if (!document.isObject()) throw DocumentError("the top level must be an object");
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
  std::string text = Bytes(value.toString());
  // The system and the generated code would cut the text there.
  if (text.find('\0') != std::string::npos)
    throw DocumentError(where + "." + key + " must not hold a NUL character");
  return text;
}

std::string PathMember(const QJsonObject& object, const char* key, const std::string& fallback,
                       const std::string& where) {
  return TextMember(object, key, fallback, where);
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

void WriteJsonString(std::string_view text, const std::function<void(std::string_view)>& sink) {
  // Text that is not plain UTF-8 (rare) goes through Qt's own replacement of faulty bytes.
  if (PlainUtf8(text)) return WriteEscaped(text, sink);
  const QByteArray utf8 =
      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())).toUtf8();
  WriteEscaped(std::string_view(utf8.constData(), static_cast<std::size_t>(utf8.size())), sink);
}

std::string JsonString(std::string_view text) {
  std::string json;
  WriteJsonString(text, [&](std::string_view piece) { json += piece; });
  return json;
}

}  // namespace zandrel
