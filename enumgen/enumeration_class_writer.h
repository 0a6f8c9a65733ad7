#pragma once

#include <string>

#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_texts.h"

namespace zandrel {

// The two files of the class style: the enumeration wrapped in a class of the type's name, with
// its name function, constructors, and (without values) steps and comparisons as members. The class
// starts at the list's first name, and its steps stop at the first and the last.
std::string EnumerationClassHeader(const EnumerationRequest& request,
                                   const EnumerationTexts& texts);
std::string EnumerationClassSource(const EnumerationRequest& request,
                                   const EnumerationTexts& texts);

}  // namespace zandrel
