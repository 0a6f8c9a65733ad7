#pragma once

// The enumeration request document: what the enumeration dialog holds at OK, as JSON.

#include <QByteArray>
#include <QByteArrayView>
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

}  // namespace zandrel
