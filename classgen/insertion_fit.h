#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "classgen/class_description.h"

namespace zandrel {

// An enumeration handed over that the description's target cannot use, as its record's kind says:
// a C++ enumeration in a Java file, an enum class in a header of the older targets, or an older
// style in a C++20 header. It is still written as it is; this only says so. A text of unknown
// kind (an older document's) is never judged.
struct InsertionMismatch {
  std::size_t Index = 0;    // in HeaderInsertions, oldest first
  std::string Enumeration;  // the type name
  std::string Message;      // one sentence without a full stop
};

std::vector<InsertionMismatch> InsertionMismatches(const ClassDescription& description);

// The mismatches in one sentence, for a status line or a note; empty when every text fits.
std::string MismatchSummary(const std::vector<InsertionMismatch>& mismatches);

}  // namespace zandrel
