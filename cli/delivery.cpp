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
  // The files are compared with what is on disk again under the step's locks, so that a
  // concurrent run cannot leave one file of each.
  const std::vector<FileFailure> failures =
      mode == Delivery::Write ? ReplaceChangedFiles(files) : CheckOutputFiles(files);
  for (const FileFailure& failure : failures) PrintFileError(DescribeFailure(failure));
  if (!failures.empty()) return NotWritten;
  if (mode == Delivery::Write) return Written;
  const std::vector<OutputFile> changed = ChangedFiles(files);
  std::string list;
  for (const OutputFile& file : changed) list += file.Path + "\n";
  if (!PrintOutput(list)) return NotWritten;
  return mode == Delivery::Check && !changed.empty() ? Differs : Written;
}

}  // namespace zandrel::cli
