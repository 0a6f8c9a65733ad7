#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zandrel::testing {

// Compares generated text byte for byte with tests/golden/NAME. On a difference the actual text
// is left in the build tree as NAME.actual and the failure shows `diff -u` of the two.
::testing::AssertionResult MatchesGolden(const std::string& name, std::string_view actual);

// The whole content of a file, bytes as they are.
std::string ReadWholeFile(const std::string& path);

}  // namespace zandrel::testing
