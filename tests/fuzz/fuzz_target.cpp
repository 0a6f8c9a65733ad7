// One libFuzzer target; ZANDREL_FUZZ_TARGET names the check it runs.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/fuzz/fuzz_checks.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static const auto check = [] {
    for (const auto& target : zandrel::fuzz::Targets())
      if (target.Name == ZANDREL_FUZZ_TARGET) return target.Check;
    std::abort();
  }();
  const std::string fault = check({reinterpret_cast<const char*>(data), size});
  if (!fault.empty()) {
    std::fprintf(stderr, "%s: %s\n", ZANDREL_FUZZ_TARGET, fault.c_str());
    std::abort();
  }
  return 0;
}
