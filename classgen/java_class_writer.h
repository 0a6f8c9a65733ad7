#pragma once

#include <string>

#include "classgen/class_description.h"

namespace zandrel {

// The whole Java file for the class.
std::string WriteJavaClass(const ClassDescription& description);

}  // namespace zandrel
