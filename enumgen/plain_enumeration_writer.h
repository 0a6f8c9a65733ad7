#pragma once

#include <string>

#include "enumgen/enumeration_list.h"

namespace zandrel {

// The two files of the plain style: a typedef'd enumeration with its name function, free
// increment and decrement, and six free comparison operators.
std::string PlainEnumerationHeader(const EnumerationRequest& request, const std::string& EnumText);
std::string PlainEnumerationSource(const EnumerationRequest& request,
                                   const std::string& ToStringText);

}  // namespace zandrel
