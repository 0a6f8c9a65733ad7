#pragma once

#include <string>

#include "classgen/class_description.h"
#include "core/text_pieces.h"

namespace zandrel {

// The whole C++ source file that goes with the header.
std::string WriteCppSource(const ClassDescription& description);
// The source file in pieces that share the header insertions instead of copying them.
TextPieces CppSourcePieces(const ClassDescription& description);

}  // namespace zandrel
