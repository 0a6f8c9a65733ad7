#pragma once

// The enumeration request document: what the enumeration dialog holds at OK, as JSON.

#include <QByteArray>
#include <QByteArrayView>
#include <QJsonObject>
#include <string>
#include <string_view>
#include <variant>

#include "enumgen/enumeration_list.h"

namespace zandrel {

inline constexpr std::string_view EnumerationRequestSchema =
    "urn:zandrel:schema:enumeration-request:1";

// The request the document describes, or the message that says what is wrong with it, in the
// shape of ReadClassDocument's. ListFile and OutputPath are taken as given; a NUL in them or in
// TypeName is refused.
std::variant<EnumerationRequest, std::string> ReadEnumerationRequest(QByteArrayView bytes,
                                                                     const std::string& name);

// The same keys inside another document (a class description's collected enumerations), without
// "$schema" and "Format"; a fault is a DocumentError naming where.
EnumerationRequest ReadRequest(const QJsonObject& object, const std::string& where);
// The request as one JSON object on one line, which ReadRequest reads back as it was.
std::string RequestJson(const EnumerationRequest& request);
// The style a "Style" key names (PlainEnumeration when absent).
EnumerationStyle StyleMember(const QJsonObject& object, const std::string& where);

}  // namespace zandrel
