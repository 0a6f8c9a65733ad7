#pragma once

#include <gtest/gtest.h>

#include <string>
#include <string_view>

namespace zandrel::testing {

// Compares generated text byte for byte with tests/golden/NAME. On a difference the actual text
// is left in the build tree as NAME.actual and the failure shows `diff -u` of the two. With
// ZANDREL_UPDATE_GOLDEN=1 in the environment the golden file is rewritten instead, on purpose.
::testing::AssertionResult MatchesGolden(const std::string& name, std::string_view actual);

}  // namespace zandrel::testing
