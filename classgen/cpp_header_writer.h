#pragma once

#include <string>

#include "classgen/class_description.h"
#include "core/text_pieces.h"

namespace zandrel {

// The whole C++ header; ends with "#endif" and no line feed.
std::string WriteCppHeader(const ClassDescription& description);
// The header in pieces that share the header insertions instead of copying them.
TextPieces CppHeaderPieces(const ClassDescription& description);

}  // namespace zandrel
