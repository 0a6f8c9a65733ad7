#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "classgen/class_description.h"

namespace zandrel {

// An enumeration text handed over that the description's target cannot use: a C++ enumeration
// in a Java file, an enum class in a header of the older targets, or an older style in a C++20
// header. It is still written as it is; this only says so.
struct InsertionMismatch {
  std::size_t Index = 0;    // in HeaderInsertions, oldest first
  std::string Enumeration;  // the type name, or the included header, as the user knows it
  std::string Message;      // one sentence without a full stop
};

std::vector<InsertionMismatch> InsertionMismatches(const ClassDescription& description);

// The mismatches in one sentence, for a status line or a note; empty when every text fits.
std::string MismatchSummary(const std::vector<InsertionMismatch>& mismatches);

// The name a text carries: the enum class type, the wrapper class's type, the typedef's name, or
// the header an include line names.
std::string EnumerationNameOf(const std::string& text);

}  // namespace zandrel
