#pragma once

#include <string>

#include "classgen/class_description.h"

namespace zandrel {

// The whole C++ header; ends with "#endif" and no line feed.
std::string WriteCppHeader(const ClassDescription& description);

}  // namespace zandrel
