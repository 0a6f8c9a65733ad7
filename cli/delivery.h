#pragma once

#include <vector>

#include "cli/cli_common.h"
#include "core/output_text.h"

namespace zandrel::cli {

// --stdout: prints each file after a line "// ==> PATH"; the exit code.
int PrintFiles(const std::vector<OutputFile>& files);

}  // namespace zandrel::cli
