#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <set>
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

// A file of a step whose text is held elsewhere (by the caller, or by the plan that merged it), so
// that a long text is never copied on its way to the disk and to its record.
struct OutputView {
  std::string Path;
  std::string_view Text;
};

// Called once the new files of a step are all in place and on disk, with the replaced files (for
// a symbolic link, the existing file it points to), each holding its old bytes again for the
// call: the windows move the old files to the trash there, so the trash records their own names.
// A file it moves away is then created anew; the others are replaced.
using BeforeReplace = std::function<void(const std::vector<std::string>& existingTargets)>;

// Writes the files as one step, all of them or none:
// - each text goes to a temporary file beside its target (created with mode 0600, no other
//   process can open it, then given the target's mode) and is flushed to disk;
// - only when every temporary is complete are they exchanged with their targets; if any exchange
//   fails, every file already put in place is exchanged back, so each target holds its old bytes;
// - every target folder is locked (flock) for the whole step, in one order, so concurrent writers
//   never mix their files; temporaries left by processes that no longer exist are removed;
// - SIGINT, SIGTERM and SIGHUP during the step remove its temporaries before the process ends.
// A symbolic link keeps pointing where it did: the file it points to is replaced. A target that
// exists and is not a regular file, and two entries that reach one file, are refused before
// anything is written. The failures name the files and the reasons. More files (any number) are
// simply more entries: they all share the one step.
std::vector<FileFailure> ReplaceFiles(const std::vector<OutputFile>& files,
                                      const BeforeReplace& beforeReplace = {});

// What a file held when it was read: nothing (absent), or its size and a hash of its bytes.
struct ReadContent {
  bool Exists = false;
  std::size_t Size = 0;
  std::size_t Hash = 0;
};
ReadContent ContentOf(const std::optional<std::string>& text);

// The failure's reason when a file no longer holds what was read before the step.
inline constexpr std::string_view ChangedSinceRead = "changed by another program during the run";

namespace detail {
class FolderLocks;
}

// Exclusive locks on the folders files are written to, held from before they are read until
// they are written, so that what was decided from their bytes is what is written over them.
// Taken in the order of the folders' real paths; waiting for another writer says so on standard
// error after a second and gives up after FolderLockWaitSeconds.
inline constexpr int FolderLockWaitSeconds = 60;
inline constexpr std::string_view LockTimedOut =
    "its folder stayed locked by another writer for 60 seconds";
class FolderLock {
 public:
  FolderLock();
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;
  // Locks the folders the texts of these paths go to (the end of a chain of links); a failure
  // names a folder that stayed locked. A folder that cannot be opened is not locked: the write
  // there fails or succeeds on its own. folders: those paths' TargetFolders, when known already.
  std::optional<FileFailure> Take(const std::vector<std::string>& paths,
                                  std::set<std::string> folders = {});
  detail::FolderLocks& Locks() { return *locks_; }

 private:
  std::unique_ptr<detail::FolderLocks> locks_;
};

// The real path of the folder each path's text goes to, the end of its chain of links; nothing
// where it cannot be resolved. Each folder is resolved once.
std::vector<std::optional<std::string>> TargetFolders(const std::vector<std::string>& paths);

// As ReplaceFiles, but a file that already holds its text is left alone, time stamp and all; what
// is on disk is compared under the step's locks, so a concurrent writer cannot slip in between.
// Where read gives an entry for a file (by position), the file must still hold what was read then,
// else nothing is written and its failure says ChangedSinceRead. held: the step's folders,
// locked already.
std::vector<FileFailure> ReplaceChangedFiles(const std::vector<OutputView>& files,
                                             const BeforeReplace& beforeReplace = {},
                                             const std::vector<ReadContent>& read = {},
                                             FolderLock* held = nullptr);

// The refusals ReplaceFiles would make before writing (not a regular file, one file reached by
// two entries, a missing link target's folder), without writing anything.
std::vector<FileFailure> CheckOutputFiles(const std::vector<OutputFile>& files);

// A chosen output path that names a folder is refused, since the files made from it would be
// hidden ones inside that folder: "names a folder, not a file" when it is empty or ends in "/",
// "." or "..", "not a regular file" when it is an existing folder.
std::optional<FileFailure> CheckChosenPath(const std::string& path);

// Receives a text piece by piece, in order.
using TextSink = std::function<void(std::string_view piece)>;
// Gives a text piece by piece to the sink, so a long text need never be held whole.
using TextSource = std::function<void(const TextSink& sink)>;

// Creates or replaces one file whole (never appends), as ReplaceFiles does.
std::optional<FileFailure> WriteOutputText(const std::string& path, std::string_view text);
// The same for a text given in pieces.
std::optional<FileFailure> WriteOutputStream(const std::string& path, const TextSource& source);

// For tests: called with the index of each file just before it is put in place; empty to stop.
void SetPlacingProbe(std::function<void(std::size_t index)> probe);

// Appends the text with a single write on a file opened for appending (created when absent), so
// two writers never interleave inside one text; on failure the file is cut back to its old size.
std::optional<FileFailure> AppendOutputText(const std::string& path, std::string_view text);

// "PATH: could not be written: REASON", in the one shape of messages about a file that the
// windows and zandrel-gen share (a JSON fault adds the line and column after PATH).
std::string DescribeFailure(const FileFailure& failure);
// "PATH: could not be read: REASON"
std::string DescribeReadFailure(const FileFailure& failure);

// The largest input files read whole: a list file, and a JSON description or request (a saved
// description holds the enumerations handed over, which may come from a list file).
inline constexpr std::size_t ListFileLimit = std::size_t{256} << 20;
inline constexpr std::size_t JsonFileLimit = ListFileLimit;

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
