#pragma once

// What the compile tests build generated code with: the warnings of a strict C++20 project, as
// errors, and the tools to run it.
#include <cstdlib>
#include <string>

namespace zandrel::testing {

inline constexpr const char* StrictFlags =
    " -std=c++20 -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Wold-style-cast -Wcast-align"
    " -Wunused -Woverloaded-virtual -Wconversion -Wsign-conversion -Wnull-dereference"
    " -Wdouble-promotion -Wformat=2 -Wimplicit-fallthrough -Werror";

// clang-tidy's checks, less those about the user's own names, numbers and unfilled stubs.
inline constexpr const char* TidyChecks =
    "-*,bugprone-*,modernize-*,performance-*,cppcoreguidelines-*,readability-*,"
    "-modernize-use-trailing-return-type,-bugprone-easily-swappable-parameters,"
    "-readability-identifier-length,-readability-magic-numbers,"
    "-cppcoreguidelines-avoid-magic-numbers,-readability-convert-member-functions-to-static,"
    "-readability-uppercase-literal-suffix";

// clang-tidy with those checks, every warning an error, over the sources and the headers that
// match headerFilter, compiled with the strict flags.
inline std::string TidyCommand(const std::string& sources, const std::string& headerFilter) {
  return std::string("clang-tidy --quiet -checks='") + TidyChecks +
         "' -warnings-as-errors='*' -header-filter='" + headerFilter + "' " + sources + " --" +
         StrictFlags;
}

// The style the modern targets' output is laid out in, as the README documents it.
inline constexpr const char* FormatStyle =
    "{BasedOnStyle: Google, ColumnLimit: 100, DerivePointerAlignment: false, "
    "PointerAlignment: Left, AllowShortFunctionsOnASingleLine: Inline, IncludeBlocks: Preserve}";

inline bool Succeeds(const std::string& command) { return std::system(command.c_str()) == 0; }

inline bool Installed(const std::string& tool) {
  return Succeeds("command -v " + tool + " >/dev/null 2>&1");
}

// The clang the compile tests use: clang++ 16 over libc++ where it is there, whose std::format
// stands behind -fexperimental-library and does not announce itself yet (__cpp_lib_format is
// defined as a library that has it, GCC 13's, defines it), so that the std::formatter
// specialisations are compiled and run; else clang++; empty where neither is installed. fmt's
// library is built for libstdc++: with it, fmt serves as headers alone (FMT_HEADER_ONLY).
inline std::string ClangCompiler() {
  if (Installed("clang++-16") && Succeeds("test -f /usr/lib/llvm-16/include/c++/v1/format"))
    return "clang++-16 -stdlib=libc++ -fexperimental-library -D__cpp_lib_format=202106L";
  return Installed("clang++") ? "clang++" : "";
}

}  // namespace zandrel::testing
