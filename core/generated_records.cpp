#include "core/generated_records.h"

#include <sys/stat.h>

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

std::string GeneratedRecords::RecordPath(const std::string& file) const {
  std::error_code error;
  fs::path absolute = fs::path(file).is_absolute() ? fs::path(file) : fs::absolute(file, error);
  // The mirrored path stays below the folder: ".." cannot climb out of it.
  std::string normal = absolute.lexically_normal().string();
  // A name that leaves no room for the suffix keeps its start and a hash of the whole name.
  const std::size_t slash = normal.rfind('/');
  const std::string_view name = std::string_view(normal).substr(slash + 1);
  if (name.size() + RecordSuffix.size() > NameLimit) {
    std::uint64_t hash = 14695981039346656037ULL;  // FNV-1a
    for (const char c : name) hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ULL;
    char hex[17];
    std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hash));
    normal = normal.substr(0, slash + 1 + 200) + "." + hex;
  }
  return folder_ + (normal.starts_with('/') ? "" : "/") + normal + std::string(RecordSuffix);
}

std::optional<std::string> GeneratedRecords::Read(const std::string& file) const {
  auto read = ReadInputFile(RecordPath(file), ListFileLimit * 4);
  if (auto* text = std::get_if<std::string>(&read)) return std::move(*text);
  return std::nullopt;
}

std::variant<std::vector<OutputFile>, FileFailure> GeneratedRecords::Records(
    const std::vector<OutputFile>& generated) const {
  std::vector<OutputFile> records;
  records.reserve(generated.size());
  for (const OutputFile& file : generated) {
    OutputFile record{RecordPath(file.Path), file.Text};
    const fs::path folder = fs::path(record.Path).parent_path();
    std::error_code error;
    fs::create_directories(folder, error);
    if (error) return FileFailure{folder.string(), error.message()};
    records.push_back(std::move(record));
  }
  return records;
}

void GeneratedRecords::Prune(const std::vector<std::string>& keep) const {
  std::vector<RecordEntry> records;
  std::error_code error;
  for (auto it = fs::recursive_directory_iterator(folder_, error);
       !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    struct stat status {};
    if (::lstat(it->path().c_str(), &status) != 0 || !S_ISREG(status.st_mode)) continue;
    records.push_back({it->path().string(), static_cast<std::uintmax_t>(status.st_size),
                       static_cast<std::int64_t>(status.st_mtim.tv_sec)});
  }
  std::vector<std::string> kept;
  for (const std::string& file : keep) kept.push_back(RecordPath(file));
  for (const std::string& path : RecordsToPrune(std::move(records), std::time(nullptr), kept)) {
    fs::remove(path, error);
    // Folders left empty go too, up to the store's own folder.
    for (fs::path folder = fs::path(path).parent_path();
         folder.string().size() > folder_.size() && fs::is_empty(folder, error) && !error;
         folder = folder.parent_path())
      fs::remove(folder, error);
  }
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
