#include "core/output_temporaries.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <random>
#include <set>
#include <utility>

#include "core/output_detail.h"
#include "core/text.h"

namespace zandrel::detail {

namespace {

constexpr std::string_view TemporaryMarker = ".zandrel-tmp";
constexpr std::size_t RandomDigits = 8;

bool Digits(std::string_view text) {
  return !text.empty() && text.size() < 10 &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

std::string TemporaryName(const std::string& target, unsigned sequence) {
  // A random part and the marker: a user's file is never taken for one of these.
  static std::mt19937 random{std::random_device{}()};
  char part[RandomDigits + 1];
  std::snprintf(part, sizeof part, "%08x", static_cast<unsigned>(random()));
  // Cut so that a target with the longest name a folder allows still gets a temporary.
  return Folder(target) + "/." + std::string(FileNamePart(target).substr(0, 200)) + "." +
         std::to_string(::getpid()) + "-" + std::to_string(sequence) + "-" + part +
         std::string(TemporaryMarker);
}

pid_t TemporaryOwner(std::string_view name) {
  if (!name.starts_with('.') || !name.ends_with(TemporaryMarker)) return 0;
  name.remove_suffix(TemporaryMarker.size());
  const std::size_t dot = name.rfind('.');
  if (dot == 0 || dot == std::string_view::npos) return 0;
  const std::string_view parts = name.substr(dot + 1);  // PID-SEQUENCE-RANDOM
  const std::size_t first = parts.find('-');
  const std::size_t last = parts.rfind('-');
  if (first == std::string_view::npos || first == last) return 0;
  const std::string_view pid = parts.substr(0, first);
  const std::string_view sequence = parts.substr(first + 1, last - first - 1);
  const std::string_view random = parts.substr(last + 1);
  if (!Digits(pid) || !Digits(sequence) || random.size() != RandomDigits ||
      !std::all_of(random.begin(), random.end(),
                   [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
    return 0;
  return static_cast<pid_t>(std::stol(std::string(pid)));
}

// Removes the temporaries that processes which no longer exist left in a folder locked by this
// step (a killed writer cannot remove its own). Only the user's own regular files are touched.
static void RemoveStaleTemporaries(int folder) {
  const int copy = ::dup(folder);
  if (copy < 0) return;
  DIR* listing = ::fdopendir(copy);
  if (listing == nullptr) {
    ::close(copy);
    return;
  }
  while (const dirent* item = ::readdir(listing)) {
    const pid_t owner = TemporaryOwner(item->d_name);
    if (owner <= 0 || owner == ::getpid()) continue;
    struct stat status {};
    if (::fstatat(folder, item->d_name, &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(status.st_mode) || status.st_uid != ::geteuid())
      continue;
    if (::kill(owner, 0) != 0 && errno == ESRCH) ::unlinkat(folder, item->d_name, 0);
  }
  ::closedir(listing);
}

FolderLocks::~FolderLocks() {
  for (const auto& [folder, fd] : fds_) ::close(fd);
}

bool FolderLocks::Cover(const std::set<std::string>& folders) {
  bool covered = true;
  for (const std::string& folder : folders) {
    if (fds_.contains(folder)) continue;
    covered = false;
    if (timedOut_) return true;
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) continue;
    // Another writer's step is short: wait for it, say so after a second, give up after a minute.
    bool told = false;
    for (int waited = 0; ::flock(fd, LOCK_EX | LOCK_NB) != 0; waited += 50) {
      if (errno != EWOULDBLOCK && errno != EINTR) break;
      waited_ = true;
      if (waited >= WaitLimitSeconds * 1000) {
        ::close(fd);
        timedOut_ = folder;
        return true;
      }
      if (!told && waited >= NoticeAfterMilliseconds) {
        told = true;
        const std::string notice = "zandrel: waiting for another writer in " + folder + "\n";
        if (::write(STDERR_FILENO, notice.data(), notice.size()) < 0) {
        }
      }
      ::usleep(50 * 1000);
    }
    RemoveStaleTemporaries(fd);
    fds_.emplace(folder, fd);
  }
  return covered;
}

bool FolderLocks::SyncFileSystems() const {
  std::set<dev_t> devices;
  bool synced = true;
  for (const auto& [folder, fd] : fds_) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) return false;
    if (devices.insert(status.st_dev).second) synced = ::syncfs(fd) == 0 && synced;
  }
  return synced;
}

bool FolderLocks::Sync() const {
  if (fds_.size() > ManyFolders) return SyncFileSystems();
  bool synced = true;
  for (const auto& [folder, fd] : fds_) synced = ::fsync(fd) == 0 && synced;
  return synced;
}

// The temporaries of the running step, for the signal handler: an array of C strings set before
// the handler can see it, read without locks or allocation.
namespace {

constexpr int CaughtSignals[] = {SIGINT, SIGTERM, SIGHUP};
std::atomic<std::atomic<const char*>*> registeredNames{nullptr};
std::atomic<std::size_t> registeredCount{0};
// While files are being put in place, a signal waits until the targets are whole again.
std::atomic<bool> deferring{false};
std::atomic<int> deferredSignal{0};
struct sigaction previousActions[std::size(CaughtSignals)];
std::atomic<bool> installed[std::size(CaughtSignals)];

void RemoveRegistered() {
  std::atomic<const char*>* names = registeredNames.load();
  const std::size_t count = registeredCount.load();
  for (std::size_t i = 0; names != nullptr && i < count; ++i)
    if (const char* name = names[i].load()) ::unlink(name);
}

void OnSignal(int signal) {
  if (deferring.load()) {
    deferredSignal.store(signal);
    return;
  }
  const int saved = errno;
  RemoveRegistered();
  // The signal then does what it would have done without the step: usually, end the process.
  for (std::size_t i = 0; i < std::size(CaughtSignals); ++i)
    if (CaughtSignals[i] == signal && installed[i].exchange(false))
      ::sigaction(signal, &previousActions[i], nullptr);
  ::raise(signal);
  errno = saved;
}

}  // namespace

Temporaries::Temporaries(std::size_t count) : names_(count), registry_(count) {
  registeredNames.store(registry_.data());
  registeredCount.store(count);
  for (std::size_t i = 0; i < std::size(CaughtSignals); ++i) {
    struct sigaction action {};
    action.sa_handler = OnSignal;
    sigemptyset(&action.sa_mask);
    if (::sigaction(CaughtSignals[i], nullptr, &previousActions[i]) != 0 ||
        previousActions[i].sa_handler == SIG_IGN)
      continue;  // an ignored signal (nohup) stays ignored
    installed[i].store(::sigaction(CaughtSignals[i], &action, nullptr) == 0);
  }
}

Temporaries::~Temporaries() {
  // Also when the step ended early: a signal that waited takes its course once all is clean.
  deferring.store(false);
  const int pending = deferredSignal.exchange(0);
  RemoveAll();
  for (std::size_t i = 0; i < std::size(CaughtSignals); ++i)
    if (installed[i].exchange(false)) ::sigaction(CaughtSignals[i], &previousActions[i], nullptr);
  registeredCount.store(0);
  registeredNames.store(nullptr);
  if (pending != 0) ::raise(pending);
}

void Temporaries::Set(std::size_t i, std::string name) {
  registry_[i].store(nullptr);
  names_[i] = std::move(name);
  registry_[i].store(names_[i].c_str());
}

void Temporaries::Keep(std::size_t i) {
  registry_[i].store(nullptr);
  names_[i].clear();
}

void Temporaries::RemoveAll() {
  for (const std::string& name : names_)
    if (!name.empty()) ::unlink(name.c_str());
}

void Temporaries::Defer() { deferring.store(true); }

void Temporaries::Resume() {
  deferring.store(false);
  if (const int signal = deferredSignal.exchange(0)) OnSignal(signal);
}

mode_t NewFileMode() {
  mode_t mask = 022;
  if (std::FILE* status = std::fopen("/proc/self/status", "re")) {
    char line[256];
    unsigned value = 0;
    while (std::fgets(line, sizeof line, status) != nullptr)
      if (std::sscanf(line, "Umask: %o", &value) == 1) mask = static_cast<mode_t>(value);
    std::fclose(status);
  }
  return 0666 & ~mask;
}

}  // namespace zandrel::detail
