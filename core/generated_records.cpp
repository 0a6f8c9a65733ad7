#include "core/generated_records.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <set>
#include <system_error>
#include <variant>

namespace zandrel {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view RecordSuffix = ".base";
// The longest file name the usual file systems take.
constexpr std::size_t NameLimit = 255;

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);
  if (value == nullptr || *value == '\0') return std::nullopt;
  return std::string(value);
}

}  // namespace

std::optional<std::string> GeneratedRecords::DefaultFolder() {
  // A relative XDG_STATE_HOME is to be ignored, as the desktop's base directories say.
  if (auto state = Environment("XDG_STATE_HOME"); state && state->starts_with('/'))
    return *state + "/zandrel/generated";
  if (auto home = Environment("HOME")) return *home + "/.local/state/zandrel/generated";
  return std::nullopt;
}

namespace {

std::string Hex(std::string_view text) {
  std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
  for (const char c : text) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
  return hex;
}

}  // namespace

// The file's resolved path: the real path of its folder (when it exists) and its name, so that
// every spelling of one file has one record. Each folder is resolved once per store object.
std::string GeneratedRecords::ResolvedPath(const std::string& file) const {
  if (!file.starts_with('/') && cwd_.empty()) {
    std::error_code error;
    cwd_ = fs::current_path(error).string();
  }
  const std::string given = file.starts_with('/') ? file : cwd_ + "/" + file;
  const std::size_t slash = given.rfind('/');
  const std::string_view name = std::string_view(given).substr(slash + 1);
  // A name of "." or ".." is the folder it leads to: normalized as a whole.
  if (name.empty() || name == "." || name == "..") return fs::path(given).lexically_normal();
  const std::string folder = slash == 0 ? "/" : given.substr(0, slash);
  auto known = realFolders_.find(folder);
  if (known == realFolders_.end()) {
    // The folder as the system reaches it: "lnk/.." is where the link leads, then up.
    std::optional<std::string> resolved;
    if (char* real = ::realpath(folder.c_str(), nullptr)) {
      resolved = real;
      std::free(real);
    }
    // A folder not made yet is resolved again once it is.
    if (!resolved) return fs::path(given).lexically_normal();
    known = realFolders_.emplace(folder, std::move(*resolved)).first;
  }
  return (known->second == "/" ? "" : known->second) + "/" + std::string(name);
}

namespace {

// A path longer than this is recorded under a hashed name, as the system's bound on a path
// would refuse it mirrored.
constexpr std::size_t MirroredLimit = 1024;
constexpr std::string_view PruneStamp = ".pruned";
constexpr std::int64_t PruneIntervalSeconds = std::int64_t{24} * 60 * 60;

}  // namespace

std::string GeneratedRecords::RecordPath(const std::string& file) const {
  std::string normal = ResolvedPath(file);
  if (normal.size() > MirroredLimit)
    return folder_ + "/long/" + Hex(normal) + std::string(RecordSuffix);
  // A name that leaves no room for the suffix keeps its start and a hash of the whole name.
  const std::size_t slash = normal.rfind('/');
  const std::string_view name = std::string_view(normal).substr(slash + 1);
  if (name.size() + RecordSuffix.size() > NameLimit)
    normal = normal.substr(0, slash + 1 + 200) + "." + Hex(name);
  return folder_ + (normal.starts_with('/') ? "" : "/") + normal + std::string(RecordSuffix);
}

std::optional<std::string> GeneratedRecords::Read(const std::string& file,
                                                  std::int64_t* writtenAt) const {
  // A record is never read through a link: only a regular file of the store is one.
  const std::string path = RecordPath(file);
  struct stat status {};
  if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode)) return std::nullopt;
  if (writtenAt != nullptr) *writtenAt = status.st_mtim.tv_sec;
  auto read = ReadInputFile(path, ListFileLimit * 4);
  if (auto* text = std::get_if<std::string>(&read)) return std::move(*text);
  return std::nullopt;
}

std::variant<std::vector<OutputView>, FileFailure> GeneratedRecords::Records(
    const std::vector<OutputView>& generated) const {
  std::vector<OutputView> records;
  records.reserve(generated.size());
  std::set<std::string> prepared;  // each folder is made and given its mode once
  for (const OutputView& file : generated) {
    OutputView record{RecordPath(file.Path), file.Text};
    const std::string folder = record.Path.substr(0, record.Path.rfind('/'));
    if (prepared.insert(folder).second) {
      std::error_code error;
      fs::create_directories(folder, error);
      if (error) return FileFailure{folder, error.message()};
      // The record's folder is no more open than the folder of the file it describes.
      struct stat described {};
      const std::string resolved = ResolvedPath(file.Path);
      if (::stat(resolved.substr(0, resolved.rfind('/') + 1).c_str(), &described) == 0)
        ::chmod(folder.c_str(), (described.st_mode & 0777) | 0700);
    }
    // The step would write through a link: one in its place is removed, never followed.
    struct stat status {};
    if (::lstat(record.Path.c_str(), &status) == 0 && !S_ISREG(status.st_mode)) {
      if (!S_ISLNK(status.st_mode)) return FileFailure{record.Path, "not a regular file"};
      ::unlink(record.Path.c_str());
    }
    records.push_back(std::move(record));
  }
  return records;
}

void GeneratedRecords::Prune(const std::vector<std::string>& keep) const {
  // At most once a day, so that a write costs the same however many records the store holds.
  const std::string stamp = folder_ + "/" + std::string(PruneStamp);
  struct stat stamped {};
  const std::int64_t now = std::time(nullptr);
  if (::lstat(stamp.c_str(), &stamped) == 0 && now - stamped.st_mtim.tv_sec < PruneIntervalSeconds)
    return;
  if (std::FILE* touched = std::fopen(stamp.c_str(), "we")) std::fclose(touched);

  std::vector<RecordEntry> records;
  std::error_code error;
  const uid_t self = ::geteuid();
  for (auto it = fs::recursive_directory_iterator(folder_, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    // Only what can be recognised as a record: a regular file of the user's named NAME.base.
    struct stat status {};
    if (!it->path().string().ends_with(RecordSuffix) || ::lstat(it->path().c_str(), &status) != 0 ||
        !S_ISREG(status.st_mode) || status.st_uid != self)
      continue;
    records.push_back({it->path().string(), static_cast<std::uintmax_t>(status.st_size),
                       static_cast<std::int64_t>(status.st_mtim.tv_sec)});
  }
  std::vector<std::string> kept;
  kept.reserve(keep.size());
  for (const std::string& file : keep) kept.push_back(RecordPath(file));
  // Folders stay: one the store did not make is never removed, and empty ones cost nothing.
  for (const std::string& path : RecordsToPrune(std::move(records), now, kept))
    fs::remove(path, error);
}

std::vector<std::string> RecordsToPrune(std::vector<RecordEntry> records, std::int64_t now,
                                        const std::vector<std::string>& keep) {
  const std::set<std::string> kept(keep.begin(), keep.end());
  std::sort(records.begin(), records.end(), [](const RecordEntry& a, const RecordEntry& b) {
    return a.WrittenAt != b.WrittenAt ? a.WrittenAt < b.WrittenAt : a.Path < b.Path;
  });
  std::uintmax_t total = 0;
  for (const RecordEntry& record : records) total += record.Size;
  std::vector<std::string> pruned;
  for (const RecordEntry& record : records) {
    const bool old = now - record.WrittenAt > RecordMaxAgeSeconds;
    if (kept.contains(record.Path) || (!old && total <= RecordMaxTotal)) continue;
    pruned.push_back(record.Path);
    total -= record.Size;
  }
  return pruned;
}

}  // namespace zandrel
