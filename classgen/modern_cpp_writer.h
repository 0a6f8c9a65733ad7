#pragma once

#include <string>

#include "classgen/class_description.h"
#include "core/text_pieces.h"

namespace zandrel {

// The C++20 target: #pragma once, the standard headers the class needs, private members with
// default member initialisers, [[nodiscard]] accessors, defaulted comparisons and operator<<.
TextPieces ModernCppHeaderPieces(const ClassDescription& description);
// The source: operator<< (a member without operator<< is written as "?") and the method stubs.
TextPieces ModernCppSourcePieces(const ClassDescription& description);

std::string WriteModernCppHeader(const ClassDescription& description);
std::string WriteModernCppSource(const ClassDescription& description);

}  // namespace zandrel
