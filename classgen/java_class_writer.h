#pragma once

#include <string>

#include "classgen/class_description.h"
#include "core/text_pieces.h"

namespace zandrel {

// The whole Java file for the class.
std::string WriteJavaClass(const ClassDescription& description);
// The Java file in pieces that share the header insertions instead of copying them.
TextPieces JavaClassPieces(const ClassDescription& description);

}  // namespace zandrel
