#pragma once

#include <string>

#include "classgen/class_description.h"

namespace zandrel {

// The whole C++ source file that goes with the header.
std::string WriteCppSource(const ClassDescription& description);

}  // namespace zandrel
