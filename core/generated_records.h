#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/output_text.h"

namespace zandrel {

// The texts Zandrel last generated into each file: the bases of later merges. A file's record
// mirrors its absolute path below the store's folder, with ".base" added:
// /home/ann/src/Shape.cpp is recorded in FOLDER/home/ann/src/Shape.cpp.base.
class GeneratedRecords {
 public:
  // $XDG_STATE_HOME/zandrel/generated (an absolute XDG_STATE_HOME only), else
  // $HOME/.local/state/zandrel/generated; nothing when neither is known.
  static std::optional<std::string> DefaultFolder();

  explicit GeneratedRecords(std::string folder) : folder_(std::move(folder)) {}
  const std::string& Folder() const { return folder_; }

  // Where the record of a file lies; a relative path is taken from the current folder.
  std::string RecordPath(const std::string& file) const;

  // The recorded text of a file, or nothing when there is none (or it cannot be read);
  // writtenAt, when given, receives the time the record was last written or found current.
  std::optional<std::string> Read(const std::string& file, std::int64_t* writtenAt = nullptr) const;

  // The records of these generated texts, to be written in the same step as the files (each
  // viewing its file's text); their folders are created here. A folder that cannot be created is
  // a failure, and nothing of the step should then be written.
  std::variant<std::vector<OutputView>, FileFailure> Records(
      const std::vector<OutputView>& generated) const;

  // Removes records not used (written, or found up to date) for MaxAge, then the oldest while all
  // of them together are larger than MaxTotal; the records of keep (files just written) stay.
  void Prune(const std::vector<std::string>& keep) const;

 private:
  std::string ResolvedPath(const std::string& file) const;

  std::string folder_;
  mutable std::map<std::string, std::string> realFolders_;  // folder as given: its real path
  mutable std::string cwd_;                                 // for relative paths, read once
};

inline constexpr std::int64_t RecordMaxAgeSeconds = std::int64_t{180} * 24 * 60 * 60;
inline constexpr std::uintmax_t RecordMaxTotal = std::uintmax_t{256} << 20;

struct RecordEntry {
  std::string Path;
  std::uintmax_t Size = 0;
  std::int64_t WrittenAt = 0;  // seconds since the epoch
};

// The records pruning removes, given all of them and the time now: the ones older than the age
// limit, then the oldest until the rest fit in the total; the ones in keep never.
std::vector<std::string> RecordsToPrune(std::vector<RecordEntry> records, std::int64_t now,
                                        const std::vector<std::string>& keep);

}  // namespace zandrel
