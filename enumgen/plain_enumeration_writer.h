#pragma once

#include <string>
#include <string_view>

#include "enumgen/enumeration_list.h"

namespace zandrel {

// The two files of the plain style: a typedef'd enumeration with its name function, free
// increment and decrement, and six free comparison operators.
std::string PlainEnumerationHeader(const EnumerationRequest& request, std::string_view EnumText);
std::string PlainEnumerationSource(const EnumerationRequest& request,
                                   std::string_view ToStringText);

}  // namespace zandrel
