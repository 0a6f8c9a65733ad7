#pragma once

#include <gtest/gtest.h>

#include <string>
#include <variant>

#include "enumgen/enumeration_output.h"

namespace zandrel::testing {

// Composes the request as the dialog's OK does and writes its files, if any; what the main window
// receives. A refusal or a failed write fails the test.
inline std::string ComposeAndWrite(const EnumerationRequest& request) {
  auto composed = ComposeEnumeration(request, nullptr);
  EXPECT_TRUE(std::holds_alternative<EnumerationOutput>(composed)) << request.TypeName;
  if (!std::holds_alternative<EnumerationOutput>(composed)) return {};
  const EnumerationOutput& output = std::get<EnumerationOutput>(composed);
  EXPECT_TRUE(ReplaceFiles(output.Files).empty()) << request.TypeName;
  return output.HandOver();
}

}  // namespace zandrel::testing
