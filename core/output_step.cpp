// The output step: every file of a step written to a temporary beside its target, then all put in
// place together, or none.
#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <utility>

#include "core/output_detail.h"
#include "core/output_temporaries.h"
#include "core/output_text.h"
#include "core/text.h"

namespace zandrel {

namespace {

using detail::Failure;
using detail::Folder;
using detail::FolderLocks;
using detail::NewFileMode;
using detail::NotRegular;
using detail::Temporaries;
using detail::TemporaryName;

// As the kernel's own bound on a chain of links.
constexpr int MaxLinkDepth = 40;
constexpr std::string_view NamesAFolder = "names a folder, not a file";
constexpr std::string_view ChangedMeanwhile = "changed by another program during the write";
// Up to this many files a step flushes each on its own; more share one flush per file system.
constexpr std::size_t FlushEachUpTo = 16;

// One entry of a step: its path and its text, whole or given in pieces.
struct Entry {
  const std::string* Path = nullptr;
  std::string_view Text;
  const TextSource* Source = nullptr;
};

// Where a path's text really goes: the end of its chain of symbolic links (the link's own folder
// is the base of a relative link), whether a regular file is already there, and the real path of
// its folder, which the step locks.
struct Target {
  std::string Path;
  bool Exists = false;
  struct stat Status {};
  std::string RealFolder;
};

// The real paths of the folders resolved so far in one look at a step's files: each folder is
// resolved once however many files it holds.
using RealFolders = std::map<std::string, std::string>;

std::variant<Target, FileFailure> ResolveTarget(const std::string& path, RealFolders& known) {
  Target target;
  target.Path = path;
  for (int depth = 0;; ++depth) {
    if (::lstat(target.Path.c_str(), &target.Status) != 0) {
      if (errno == ENOENT && !target.Path.empty()) break;  // created anew
      return Failure(path, errno);
    }
    if (S_ISREG(target.Status.st_mode)) {
      target.Exists = true;
      break;
    }
    if (!S_ISLNK(target.Status.st_mode)) return FileFailure{path, std::string(NotRegular)};
    if (depth == MaxLinkDepth) return Failure(path, ELOOP);
    std::string link(static_cast<std::size_t>(target.Status.st_size) + 1, '\0');
    const ssize_t length = ::readlink(target.Path.c_str(), link.data(), link.size());
    if (length < 0) return Failure(path, errno);
    // A link that changed while it was read is read again.
    if (static_cast<std::size_t>(length) >= link.size()) continue;
    link.resize(static_cast<std::size_t>(length));
    if (link.empty()) return Failure(path, ENOENT);
    target.Path = link.front() == '/' ? link : Folder(target.Path) + "/" + link;
  }
  std::string folder = Folder(target.Path);
  if (auto found = known.find(folder); found != known.end()) {
    target.RealFolder = found->second;
    return target;
  }
  char* real = ::realpath(folder.c_str(), nullptr);
  if (real == nullptr) return Failure(path, errno);
  target.RealFolder = real;
  std::free(real);
  known.emplace(std::move(folder), target.RealFolder);
  return target;
}

// The targets of the entries, or every refusal: a target that is not a regular file, a folder
// that is missing, and a file that two entries reach (by the same inode, or where it does not
// exist yet, by its folder's real path and its name).
struct Plan {
  std::vector<Target> Targets;
  std::vector<FileFailure> Failures;
};

Plan MakePlan(const std::vector<Entry>& entries) {
  Plan plan;
  std::map<std::string, std::size_t> reached;
  RealFolders known;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    auto resolved = ResolveTarget(*entries[i].Path, known);
    if (auto* failure = std::get_if<FileFailure>(&resolved)) {
      plan.Failures.push_back(std::move(*failure));
      plan.Targets.emplace_back();
      continue;
    }
    Target& target = plan.Targets.emplace_back(std::get<Target>(std::move(resolved)));
    const std::string identity =
        target.Exists
            ? std::to_string(target.Status.st_dev) + ":" + std::to_string(target.Status.st_ino)
            : target.RealFolder + "/" + std::string(FileNamePart(target.Path));
    const auto [first, added] = reached.emplace(identity, i);
    if (!added)
      plan.Failures.push_back(
          {*entries[i].Path, "the same file as " + *entries[first->second].Path});
  }
  return plan;
}

std::set<std::string> FoldersOf(const Plan& plan) {
  std::set<std::string> folders;
  for (const Target& target : plan.Targets) folders.insert(target.RealFolder);
  return folders;
}

bool WriteAll(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t written = ::write(fd, text.data(), text.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (written == 0) {
      errno = EIO;
      return false;
    }
    text.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

bool WriteEntry(int fd, const Entry& entry) {
  if (entry.Source == nullptr) return WriteAll(fd, entry.Text);
  int error = 0;
  (*entry.Source)([&](std::string_view piece) {
    if (error == 0 && !WriteAll(fd, piece)) error = errno != 0 ? errno : EIO;
  });
  errno = error;
  return error == 0;
}

// Gives the new file the old one's owner and group where the system allows it (root, or a group of
// one's own); where it does not, the file keeps the writer as owner, as any new file would.
void KeepOwner(int fd, const struct stat& old) {
  if (old.st_uid == ::geteuid() && old.st_gid == ::getegid()) return;
  if (::fchown(fd, old.st_uid, old.st_gid) != 0) return;  // not allowed: not a failure
}

// Writes the whole text to a new temporary beside the target and flushes it to the disk. Only
// this process can open it until it has its final mode.
std::optional<FileFailure> WriteTemporary(const Entry& entry, const Target& target, mode_t newMode,
                                          Temporaries& temporaries, std::size_t i, bool flush) {
  static unsigned sequence = 0;
  int fd = -1;
  for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
    std::string name = TemporaryName(target.Path, ++sequence);
    // A signal between creating the file and registering it would leave it behind: none comes
    // in between.
    sigset_t caught, previous;
    sigemptyset(&caught);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP}) sigaddset(&caught, signal);
    ::pthread_sigmask(SIG_BLOCK, &caught, &previous);
    fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    const int error = errno;
    if (fd >= 0) temporaries.Set(i, std::move(name));
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    errno = error;
    if (fd < 0 && errno != EEXIST) return Failure(*entry.Path, errno);
  }
  if (fd < 0) return Failure(*entry.Path, EEXIST);
  bool done = true;
  if (target.Exists) KeepOwner(fd, target.Status);
  done = ::fchmod(fd, target.Exists ? target.Status.st_mode & 07777 : newMode) == 0;
  done = done && WriteEntry(fd, entry) && (!flush || ::fsync(fd) == 0);
  const int error = errno;
  // A failed close can be the first sign that the data did not reach the disk.
  const bool closed = ::close(fd) == 0;
  if (done && closed) return std::nullopt;
  return Failure(*entry.Path, done ? errno : error);
}

bool SameFile(const struct stat& a, const struct stat& b) {
  return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

bool Unsupported(int error) { return error == EINVAL || error == ENOSYS; }

std::function<void(std::size_t)>& PlacingProbe() {
  static std::function<void(std::size_t)> probe;
  return probe;
}

// How a file was put in place, and so how it is taken back.
enum class Placed { Not, Exchanged, Created, Overwritten };

// Puts one temporary in place: exchanged with an existing target, whose old file then lives on
// under the temporary's name, or renamed to a new name. Where the file system cannot exchange,
// the old file is replaced outright and cannot be taken back.
std::variant<Placed, FileFailure> Place(const Entry& entry, const Target& target,
                                        const std::string& temporary) {
  const char* from = temporary.c_str();
  const char* to = target.Path.c_str();
  struct stat now {};
  if (!target.Exists) {
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0) return Placed::Created;
    if (!Unsupported(errno)) return Failure(*entry.Path, errno);
    if (::lstat(to, &now) == 0) return FileFailure{*entry.Path, std::string(ChangedMeanwhile)};
    if (::rename(from, to) == 0) return Placed::Created;
    return Failure(*entry.Path, errno);
  }
  if (::lstat(to, &now) != 0 || !S_ISREG(now.st_mode) || !SameFile(now, target.Status))
    return FileFailure{
        *entry.Path,
        std::string(S_ISDIR(now.st_mode) || S_ISFIFO(now.st_mode) ? NotRegular : ChangedMeanwhile)};
  if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE) != 0) {
    if (!Unsupported(errno)) return Failure(*entry.Path, errno);
    if (::rename(from, to) == 0) return Placed::Overwritten;
    return Failure(*entry.Path, errno);
  }
  // What was exchanged must be the file that was looked at, not one that took its place since.
  if (::lstat(from, &now) != 0 || !SameFile(now, target.Status)) {
    ::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_EXCHANGE);
    return FileFailure{*entry.Path, std::string(ChangedMeanwhile)};
  }
  return Placed::Exchanged;
}

// Takes back the files put in place, last first: old files are exchanged back, new ones removed.
// An old file that cannot be exchanged back is kept under the temporary's name, never removed.
void TakeBack(const std::vector<Target>& targets, Temporaries& temporaries,
              const std::vector<Placed>& placed) {
  for (std::size_t i = placed.size(); i-- > 0;) {
    if (placed[i] == Placed::Exchanged) {
      if (::renameat2(AT_FDCWD, temporaries[i].c_str(), AT_FDCWD, targets[i].Path.c_str(),
                      RENAME_EXCHANGE) != 0)
        temporaries.Keep(i);
    } else if (placed[i] == Placed::Created) {
      ::unlink(targets[i].Path.c_str());
    }
  }
}

// The windows' trash hook: each old file is exchanged back to its own name for the call, so the
// trash records where it came from; then the new file takes its place.
std::vector<FileFailure> OfferOldFiles(const std::vector<Entry>& entries,
                                       const std::vector<Target>& targets,
                                       const Temporaries& temporaries,
                                       const std::vector<Placed>& placed,
                                       const BeforeReplace& beforeReplace) {
  std::vector<std::size_t> offered;
  std::vector<std::string> existing;
  for (std::size_t i = 0; i < placed.size(); ++i) {
    if (placed[i] != Placed::Exchanged) continue;
    if (::renameat2(AT_FDCWD, temporaries[i].c_str(), AT_FDCWD, targets[i].Path.c_str(),
                    RENAME_EXCHANGE) != 0)
      continue;
    offered.push_back(i);
    existing.push_back(targets[i].Path);
  }
  beforeReplace(existing);
  std::vector<FileFailure> failures;
  for (const std::size_t i : offered)
    if (::rename(temporaries[i].c_str(), targets[i].Path.c_str()) != 0)
      failures.push_back(Failure(*entries[i].Path, errno));
  return failures;
}

bool Unchanged(const Entry& entry, const Target& target) {
  if (!target.Exists || entry.Source != nullptr) return false;
  const auto onDisk = ReadInputFile(target.Path, entry.Text.size());
  const auto* text = std::get_if<std::string>(&onDisk);
  return text != nullptr && *text == entry.Text;
}

// Whether the target still holds what was read before the step.
bool AsRead(const Target& target, const ReadContent& read) {
  if (!target.Exists || !read.Exists) return target.Exists == read.Exists;
  if (static_cast<std::size_t>(target.Status.st_size) != read.Size) return false;
  auto onDisk = ReadInputFile(target.Path, read.Size);
  const auto* text = std::get_if<std::string>(&onDisk);
  return text != nullptr && std::hash<std::string_view>{}(*text) == read.Hash;
}

// The entries whose targets no longer hold what was read before the step.
std::vector<FileFailure> ChangedSince(const std::vector<Entry>& entries, const Plan& plan,
                                      const std::vector<ReadContent>& read) {
  std::vector<FileFailure> changed;
  for (std::size_t i = 0; i < read.size() && i < entries.size(); ++i)
    if (!AsRead(plan.Targets[i], read[i]))
      changed.push_back({*entries[i].Path, std::string(ChangedSinceRead)});
  return changed;
}

// Leaves out the entries whose targets already hold their text.
void KeepChanged(std::vector<Entry>& entries, Plan& plan) {
  std::vector<Entry> changed;
  std::vector<Target> targets;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    if (Unchanged(entries[i], plan.Targets[i])) continue;
    changed.push_back(entries[i]);
    targets.push_back(std::move(plan.Targets[i]));
  }
  entries = std::move(changed);
  plan.Targets = std::move(targets);
}

// Every entry's text in its temporary, on the disk.
std::vector<FileFailure> WriteTemporaries(const std::vector<Entry>& entries,
                                          const std::vector<Target>& targets, FolderLocks& locks,
                                          Temporaries& temporaries) {
  const mode_t newMode = NewFileMode();
  // A step of many files flushes each file system once, after all its temporaries are written,
  // where every folder is locked (so held open); a small one flushes each file.
  bool flushEach = entries.size() <= FlushEachUpTo;
  for (std::size_t i = 0; i < targets.size() && !flushEach; ++i)
    flushEach = !locks.Holds(targets[i].RealFolder);
  std::vector<FileFailure> failures;
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (auto failure = WriteTemporary(entries[i], targets[i], newMode, temporaries, i, flushEach))
      failures.push_back(std::move(*failure));
  if (failures.empty() && !flushEach && !locks.SyncFileSystems()) {
    const int error = errno;
    for (const Entry& entry : entries) failures.push_back(Failure(*entry.Path, error));
  }
  return failures;
}

std::vector<FileFailure> RunStep(std::vector<Entry> entries, const BeforeReplace& beforeReplace,
                                 bool onlyChanged, const std::vector<ReadContent>& read = {},
                                 FolderLock* held = nullptr) {
  // One step at a time in a process: the signal handler knows one step's temporaries.
  static std::mutex running;
  const std::lock_guard<std::mutex> one(running);

  Plan plan = MakePlan(entries);
  if (!plan.Failures.empty()) return plan.Failures;
  // What was found before the locks may have changed while waiting for them: look again.
  FolderLocks own;
  FolderLocks& locks = held != nullptr ? held->Locks() : own;
  for (int round = 0; !locks.Cover(FoldersOf(plan)) && round < 3; ++round) {
    plan = MakePlan(entries);
    if (!plan.Failures.empty()) return plan.Failures;
  }
  if (locks.TimedOut()) return {FileFailure{*locks.TimedOut(), std::string(LockTimedOut)}};
  if (auto changed = ChangedSince(entries, plan, read); !changed.empty()) return changed;
  if (onlyChanged) KeepChanged(entries, plan);
  if (entries.empty()) return {};
  const std::vector<Target>& targets = plan.Targets;

  Temporaries temporaries(entries.size());
  std::vector<FileFailure> failures = WriteTemporaries(entries, targets, locks, temporaries);
  if (!failures.empty()) return failures;

  temporaries.Defer();
  std::vector<Placed> placed(entries.size(), Placed::Not);
  for (std::size_t i = 0; i < entries.size() && failures.empty(); ++i) {
    if (PlacingProbe()) PlacingProbe()(i);
    auto result = Place(entries[i], targets[i], temporaries[i]);
    if (auto* failure = std::get_if<FileFailure>(&result))
      failures.push_back(std::move(*failure));
    else
      placed[i] = std::get<Placed>(result);
  }
  if (!failures.empty()) {
    TakeBack(targets, temporaries, placed);
    temporaries.RemoveAll();
    temporaries.Resume();
    return failures;
  }
  // A folder whose renames may not reach the disk: the old files are put back, and it is said.
  if (!locks.Sync()) {
    const int error = errno;
    TakeBack(targets, temporaries, placed);
    temporaries.RemoveAll();
    temporaries.Resume();
    for (const Entry& entry : entries) failures.push_back(Failure(*entry.Path, error));
    return failures;
  }
  if (beforeReplace) {
    failures = OfferOldFiles(entries, targets, temporaries, placed, beforeReplace);
    if (!locks.Sync() && failures.empty())
      failures.push_back(Failure(*entries.front().Path, errno));
  }
  // The old files, which the temporaries' names now hold, go.
  temporaries.RemoveAll();
  temporaries.Resume();
  return failures;
}

template <class File>
std::vector<Entry> EntriesOf(const std::vector<File>& files) {
  std::vector<Entry> entries;
  entries.reserve(files.size());
  for (const File& file : files) entries.push_back({&file.Path, file.Text, nullptr});
  return entries;
}

std::optional<FileFailure> FirstOf(std::vector<FileFailure> failures) {
  if (failures.empty()) return std::nullopt;
  return std::move(failures.front());
}

}  // namespace

std::vector<FileFailure> ReplaceFiles(const std::vector<OutputFile>& files,
                                      const BeforeReplace& beforeReplace) {
  return RunStep(EntriesOf(files), beforeReplace, false);
}

std::vector<FileFailure> ReplaceChangedFiles(const std::vector<OutputView>& files,
                                             const BeforeReplace& beforeReplace,
                                             const std::vector<ReadContent>& read,
                                             FolderLock* held) {
  return RunStep(EntriesOf(files), beforeReplace, true, read, held);
}

FolderLock::FolderLock() : locks_(std::make_unique<FolderLocks>()) {}
FolderLock::~FolderLock() = default;

std::optional<FileFailure> FolderLock::Take(const std::vector<std::string>& paths,
                                            std::set<std::string> folders) {
  const auto resolve = [&paths, &folders] {
    folders.clear();
    for (auto& folder : TargetFolders(paths))
      if (folder) folders.insert(std::move(*folder));
  };
  if (folders.empty()) resolve();
  // What was found before the locks may have changed while waiting for them: look again.
  for (int round = 0; round < 3; ++round) {
    const bool covered = locks_->Cover(folders);
    if (locks_->TimedOut()) return FileFailure{*locks_->TimedOut(), std::string(LockTimedOut)};
    if (covered || !locks_->Waited()) break;
    resolve();
  }
  return std::nullopt;
}

std::vector<std::optional<std::string>> TargetFolders(const std::vector<std::string>& paths) {
  std::vector<std::optional<std::string>> folders;
  folders.reserve(paths.size());
  RealFolders known;
  for (const std::string& path : paths) {
    auto resolved = ResolveTarget(path, known);
    if (auto* target = std::get_if<Target>(&resolved))
      folders.emplace_back(std::move(target->RealFolder));
    else
      folders.emplace_back();
  }
  return folders;
}

ReadContent ContentOf(const std::optional<std::string>& text) {
  if (!text) return {};
  return {true, text->size(), std::hash<std::string_view>{}(*text)};
}

std::vector<FileFailure> CheckOutputFiles(const std::vector<OutputFile>& files) {
  const std::vector<Entry> entries = EntriesOf(files);
  Plan plan = MakePlan(entries);
  if (!plan.Failures.empty()) return plan.Failures;
  // A folder the step could not make its temporaries in.
  for (std::size_t i = 0; i < entries.size(); ++i)
    if (::faccessat(AT_FDCWD, Folder(plan.Targets[i].Path).c_str(), W_OK | X_OK, AT_EACCESS) != 0)
      plan.Failures.push_back(Failure(*entries[i].Path, errno));
  return plan.Failures;
}

std::optional<FileFailure> CheckChosenPath(const std::string& path) {
  const std::string_view name = FileNamePart(path);
  if (name.empty() || name == "." || name == "..")
    return FileFailure{path, std::string(NamesAFolder)};
  struct stat status {};
  if (::stat(path.c_str(), &status) == 0 && S_ISDIR(status.st_mode))
    return FileFailure{path, std::string(NotRegular)};
  return std::nullopt;
}

std::optional<FileFailure> WriteOutputText(const std::string& path, std::string_view text) {
  return FirstOf(RunStep({{&path, text, nullptr}}, {}, false));
}

std::optional<FileFailure> WriteOutputStream(const std::string& path, const TextSource& source) {
  return FirstOf(RunStep({{&path, {}, &source}}, {}, false));
}

void SetPlacingProbe(std::function<void(std::size_t index)> probe) {
  PlacingProbe() = std::move(probe);
}

}  // namespace zandrel
