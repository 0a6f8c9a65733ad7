#include "cli/delivery.h"

namespace zandrel::cli {

int PrintFiles(const std::vector<OutputFile>& files) {
  for (const OutputFile& file : files) {
    // Each marker starts a line of its own, also after a file without a final line end.
    const bool ends = file.Text.empty() || file.Text.ends_with('\n');
    if (!PrintOutput("// ==> " + file.Path + "\n") || !PrintOutput(file.Text) ||
        (!ends && !PrintOutput("\n")))
      return NotWritten;
  }
  return Written;
}

}  // namespace zandrel::cli
