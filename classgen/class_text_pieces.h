#pragma once

#include <string>

#include "classgen/class_description.h"

namespace zandrel {

// Texts that more than one class writer emits identically.

// The enumeration texts handed over so far, newest first, one line each.
std::string InsertionLines(const ClassDescription& description);

// The comparison operators for the level: < and == declared, the others with inline bodies.
std::string ComparisonBlock(ComparisonLevel level, const std::string& X);

// The declaration of the string conversion method the user implements, nothing when off.
std::string ToStringStub(const GenerationOptions& options);

// One copy statement per data member, as the copy constructor and assignment operator use them.
std::string CopyStatements(const ClassDescription& description);

}  // namespace zandrel
