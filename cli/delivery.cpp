#include "cli/delivery.h"

#include <string>
#include <variant>

namespace zandrel::cli {

std::vector<OutputFile> ChangedFiles(const std::vector<OutputFile>& files) {
  std::vector<OutputFile> changed;
  for (const OutputFile& file : files) {
    // Read at most the new text's size: anything larger, or unreadable, differs.
    const auto onDisk = ReadInputFile(file.Path, file.Text.size());
    const auto* text = std::get_if<std::string>(&onDisk);
    if (text == nullptr || *text != file.Text) changed.push_back(file);
  }
  return changed;
}

int Deliver(const std::vector<OutputFile>& files, Delivery mode) {
  if (mode == Delivery::Stdout) {
    for (const OutputFile& file : files) {
      // Each marker starts a line of its own, also after a file without a final line end.
      const bool ends = file.Text.empty() || file.Text.ends_with('\n');
      if (!PrintOutput("// ==> " + file.Path + "\n") || !PrintOutput(file.Text) ||
          (!ends && !PrintOutput("\n")))
        return NotWritten;
    }
    return Written;
  }
  const std::vector<OutputFile> changed = ChangedFiles(files);
  if (mode == Delivery::Write) {
    const std::vector<FileFailure> failures = ReplaceFiles(changed);
    for (const FileFailure& failure : failures) PrintError(DescribeFailure(failure));
    return failures.empty() ? Written : NotWritten;
  }
  std::string list;
  for (const OutputFile& file : changed) list += file.Path + "\n";
  if (!PrintOutput(list)) return NotWritten;
  return mode == Delivery::Check && !changed.empty() ? Differs : Written;
}

}  // namespace zandrel::cli
