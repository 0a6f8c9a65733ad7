#pragma once

#include <string>

#include "classgen/class_description.h"
#include "core/text_pieces.h"

namespace zandrel {

// The Java 17 record target: the data members as components, a with… method for each, Comparable
// for "All comparisons", and the method rows as methods that throw until written.
TextPieces JavaRecordPieces(const ClassDescription& description);
std::string WriteJavaRecord(const ClassDescription& description);

}  // namespace zandrel
