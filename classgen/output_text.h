#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zandrel {

// A file that could not be written, and the system's reason.
struct FileFailure {
  std::string Path;
  std::string Reason;
};

// Creates or empties the file and writes the text whole (never appends).
std::optional<FileFailure> WriteOutputText(const std::string& path, std::string_view text);
// Opens the file for appending, creating it when absent; never truncates.
std::optional<FileFailure> AppendOutputText(const std::string& path, std::string_view text);

// "The file "PATH" could not be written: REASON"
std::string DescribeFailure(const FileFailure& failure);

// The paths among these that already exist as files.
std::vector<std::string> ExistingFiles(const std::vector<std::string>& paths);
// "PATH already exists. Replace it?" or "A and B already exist. Replace them?"
std::string ReplaceQuestion(const std::vector<std::string>& existing);
inline constexpr std::string_view ReplaceCaption = "Confirm Replace";

}  // namespace zandrel
