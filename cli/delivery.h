#pragma once

#include <vector>

#include "cli/cli_common.h"
#include "core/output_text.h"

namespace zandrel::cli {

// The files whose text differs from what is on disk (missing ones included): only these are
// written, so an unchanged file keeps its time stamp.
std::vector<OutputFile> ChangedFiles(const std::vector<OutputFile>& files);

// Writes, checks, lists or prints a run's files as the command line asked; the exit code.
// Failures are reported on standard error, the lists of --check and --dry-run go to standard
// output, one path a line. --check and --dry-run refuse whatever a write would refuse.
int Deliver(const std::vector<OutputFile>& files, Delivery mode);

}  // namespace zandrel::cli
