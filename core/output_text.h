#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zandrel {

// A file that could not be written (or read), and the system's reason.
struct FileFailure {
  std::string Path;
  std::string Reason;
};

// One generated file: where, and its whole text.
struct OutputFile {
  std::string Path;
  std::string Text;
};

// Called with the files about to be replaced (for a symbolic link, the existing file it points to),
// after every temporary is complete and just before the renames: the windows move the old files
// to the trash there. A file it moves away is then created anew.
using BeforeReplace = std::function<void(const std::vector<std::string>& existingTargets)>;

// Writes the files as one step: each text goes to a temporary file in its target's folder and is
// flushed to disk; only when every temporary is complete are they renamed over their targets,
// keeping a replaced file's permissions. A symbolic link keeps pointing where it did: the file it
// points to is replaced. A target that exists and is not a regular file is refused before anything
// is written. On any failure no target changes, and the failures name the files and the reasons.
std::vector<FileFailure> ReplaceFiles(const std::vector<OutputFile>& files,
                                      const BeforeReplace& beforeReplace = {});

// Creates or replaces one file whole (never appends), as ReplaceFiles does.
std::optional<FileFailure> WriteOutputText(const std::string& path, std::string_view text);

// Appends the text with a single write on a file opened for appending (created when absent), so
// two writers never interleave inside one text; on failure the file is cut back to its old size.
std::optional<FileFailure> AppendOutputText(const std::string& path, std::string_view text);

// "The file "PATH" could not be written: REASON"
std::string DescribeFailure(const FileFailure& failure);
// "The file "PATH" could not be read: REASON"
std::string DescribeReadFailure(const FileFailure& failure);

// The largest input files read whole: a list file, and a JSON description or request.
inline constexpr std::size_t ListFileLimit = std::size_t{256} << 20;
inline constexpr std::size_t JsonFileLimit = std::size_t{16} << 20;

// Reads a regular file of at most limit bytes whole, without ever blocking on a FIFO or device;
// anything else (missing, not a regular file, too large, a read error) is a failure with a reason.
std::variant<std::string, FileFailure> ReadInputFile(const std::string& path, std::size_t limit);

// The paths among these that already exist: regular files, and symbolic links (dangling ones
// too), which are replaced through.
std::vector<std::string> ExistingFiles(const std::vector<std::string>& paths);
// "PATH already exists. Replace it?" or "A and B already exist. Replace them?"
std::string ReplaceQuestion(const std::vector<std::string>& existing);
inline constexpr std::string_view ReplaceCaption = "Confirm Replace";

}  // namespace zandrel
