#pragma once

// The output step's temporaries, with the signal handling that removes them, and its folder
// locks; not for other users.

#include <sys/types.h>

#include <atomic>
#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "core/output_text.h"

namespace zandrel::detail {

// Temporaries are named ".NAME.PID-SEQUENCE-RANDOM.zandrel-tmp": the process that made one can be
// told from it, and a file of the user's is not taken for one.
std::string TemporaryName(const std::string& target, unsigned sequence);

// The process that made a temporary of this name, or 0 when the name is not a temporary's.
pid_t TemporaryOwner(std::string_view name);

// An exclusive lock on each target folder for the whole step, taken in the order of their real
// paths so that two steps never wait for each other crosswise. A folder that cannot be opened
// for reading is not locked; writing there fails or succeeds on its own. Locking a folder removes
// the temporaries that processes which no longer exist left in it.
class FolderLocks {
 public:
  // How long a step waits for a folder another writer holds, and when it says it is waiting.
  static constexpr int WaitLimitSeconds = FolderLockWaitSeconds;
  static constexpr int NoticeAfterMilliseconds = 1000;
  FolderLocks() = default;
  ~FolderLocks();
  FolderLocks(const FolderLocks&) = delete;
  FolderLocks& operator=(const FolderLocks&) = delete;
  // False when a folder was not locked yet: the folders of a step are then locked again.
  bool Cover(const std::set<std::string>& folders);
  // One flush per folder makes every rename of the step durable; false when one failed. Past
  // ManyFolders folders, one flush of each file system they are on does it.
  bool Sync() const;
  // One flush of each file system the locked folders are on, for a step of many files.
  bool SyncFileSystems() const;
  bool Holds(const std::string& folder) const { return fds_.contains(folder); }
  // Whether a folder was found locked by another writer: what was resolved before may have
  // changed meanwhile.
  bool Waited() const { return waited_; }
  static constexpr std::size_t ManyFolders = 16;
  // The folder that could not be locked in time, if any: the step then writes nothing.
  const std::optional<std::string>& TimedOut() const { return timedOut_; }

 private:
  std::map<std::string, int> fds_;
  std::optional<std::string> timedOut_;
  bool waited_ = false;
};

// The step's temporaries: removed however the step ends, by SIGINT, SIGTERM or SIGHUP too.
class Temporaries {
 public:
  explicit Temporaries(std::size_t count);
  ~Temporaries();
  Temporaries(const Temporaries&) = delete;
  Temporaries& operator=(const Temporaries&) = delete;

  void Set(std::size_t i, std::string name);
  const std::string& operator[](std::size_t i) const { return names_[i]; }
  // The file under this name is not removed.
  void Keep(std::size_t i);
  void RemoveAll();
  // While files are being put in place, a signal waits until the targets are whole again.
  void Defer();
  // A signal that came while deferred takes its course now.
  void Resume();

 private:
  std::vector<std::string> names_;
  std::vector<std::atomic<const char*>> registry_;  // all null at first
};

// A new file gets the mode any new file would: 0666 less the umask, read without changing it.
mode_t NewFileMode();

}  // namespace zandrel::detail
