// Prints zandrel-gen's bash completion, made from its table of commands; run by the build.
#include <cstdio>
#include <string>

#include "cli/commands.h"

int main() {
  const std::string script = zandrel::cli::BashCompletion();
  return std::fwrite(script.data(), 1, script.size(), stdout) == script.size() &&
                 std::fflush(stdout) == 0
             ? 0
             : 1;
}
