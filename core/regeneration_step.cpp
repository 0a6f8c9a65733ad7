#include "core/regeneration_step.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <cstring>
#include <ctime>
#include <functional>
#include <string_view>
#include <utility>

namespace zandrel {

namespace {

// A record found current has its time stamp refreshed at most this often.
constexpr std::int64_t RecordTouchSeconds = std::int64_t{24} * 60 * 60;

// The merge library's own bound on a file's size.
constexpr std::size_t MergeableLimit = std::size_t{1} << 30;

// The file's text, nothing when it does not exist (a link that points nowhere included).
std::variant<std::optional<std::string>, FileFailure> ReadExisting(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) {
    if (errno == ENOENT) return std::optional<std::string>();
    return FileFailure{path, std::strerror(errno)};
  }
  // Never opened: the write refuses it, as it refuses any target that is not a regular file.
  if (!S_ISREG(status.st_mode)) return std::optional<std::string>();
  auto read = ReadInputFile(path, MergeableLimit);
  if (auto* failure = std::get_if<FileFailure>(&read)) return std::move(*failure);
  return std::optional<std::string>(std::get<std::string>(std::move(read)));
}

Settle SettleFor(Regeneration action, Settle conflicts, Settle noBase) {
  if (action == Regeneration::Conflict) return conflicts;
  if (action == Regeneration::NoBase) return noBase == Settle::Markers ? Settle::Keep : noBase;
  return Settle::Replace;
}

// Whether the file ends the step holding (or built on) the new text, so that its record is due.
bool Settled(Regeneration action, Settle conflicts, Settle noBase) {
  const Settle settle = SettleFor(action, conflicts, noBase);
  return settle != Settle::Keep && settle != Settle::Skip;
}

}  // namespace

std::variant<std::vector<PlannedFile>, FileFailure> PlanRegeneration(
    const std::vector<OutputFile>& files, const std::vector<std::optional<std::string>>& givenBases,
    const GeneratedRecords* records) {
  std::vector<PlannedFile> plan;
  plan.reserve(files.size());
  for (std::size_t i = 0; i < files.size(); ++i) {
    const OutputFile& file = files[i];
    auto existing = ReadExisting(file.Path);
    if (auto* failure = std::get_if<FileFailure>(&existing)) return std::move(*failure);
    const auto& onDisk = std::get<std::optional<std::string>>(existing);
    std::optional<std::string> recorded;
    std::int64_t recordedAt = 0;
    const bool current = onDisk && *onDisk == file.Text;
    if (records != nullptr && !current) recorded = records->Read(file.Path, &recordedAt);
    const std::optional<std::string>& base =
        i < givenBases.size() && givenBases[i] ? givenBases[i] : recorded;
    // A current file's bytes are the new text's: hashed only if the step needs it.
    plan.push_back({RegenerateFile(file.Text, onDisk, base), recorded == file.Text, recordedAt,
                    records != nullptr && current,
                    current ? ReadContent{true, onDisk->size(), 0} : ContentOf(onDisk), current});
  }
  return plan;
}

bool StepWritable(const std::vector<PlannedFile>& plan, Settle conflicts, Settle noBase) {
  for (const PlannedFile& planned : plan)
    if (SettleFor(planned.Decision.Action, conflicts, noBase) == Settle::Keep) return false;
  return true;
}

FileOutcome OutcomeOf(const PlannedFile& planned, Settle conflicts, Settle noBase) {
  const Regeneration action = planned.Decision.Action;
  const Settle settle = SettleFor(action, conflicts, noBase);
  if (action == Regeneration::Leave || settle == Settle::Keep || settle == Settle::Skip)
    return FileOutcome::Unchanged;
  if (action == Regeneration::Merge) return FileOutcome::Merged;
  if (action == Regeneration::Conflict && settle == Settle::Markers)
    return FileOutcome::WithMarkers;
  return FileOutcome::Written;
}

std::vector<OutputView> FilesToWrite(const std::vector<OutputFile>& files,
                                     const std::vector<PlannedFile>& plan, Settle conflicts,
                                     Settle noBase, bool lockedSinceRead) {
  std::vector<OutputView> changed;
  for (std::size_t i = 0; i < files.size(); ++i) {
    const FileRegeneration& decision = plan[i].Decision;
    const Settle settle = SettleFor(decision.Action, conflicts, noBase);
    if (settle == Settle::Keep || settle == Settle::Skip) continue;
    // A file found holding the new text is written only if a concurrent writer changed it since:
    // the step compares it again under the folder's lock, so a pair always comes from one run.
    if (decision.Action == Regeneration::Leave) {
      if (lockedSinceRead) continue;
      changed.push_back({files[i].Path, decision.KeepsEdits ? std::string_view(decision.Merged.Text)
                                                            : std::string_view(files[i].Text)});
      continue;
    }
    // Replacing a conflict or an unmerged file writes the new text.
    const bool asGenerated =
        settle == Settle::Replace &&
        (decision.Action == Regeneration::Conflict || decision.Action == Regeneration::NoBase);
    changed.push_back({files[i].Path, asGenerated ? std::string_view(files[i].Text)
                                                  : *TextToWrite(decision, files[i].Text)});
  }
  return changed;
}

std::vector<FileFailure> WriteRegeneration(const std::vector<OutputFile>& files,
                                           std::vector<PlannedFile> plan, Settle conflicts,
                                           Settle noBase, const GeneratedRecords* records,
                                           const BeforeReplace& beforeReplace, FolderLock* held,
                                           bool readUnderHeld) {
  // Header and source are one step: a file left for the user holds back the others too.
  if (!StepWritable(plan, conflicts, noBase)) return {};
  // Under locks held since the files were read, a file found current is left out of the step.
  const bool locked = held != nullptr && readUnderHeld;
  std::vector<ReadContent> read;
  for (std::size_t i = 0; i < plan.size(); ++i) {
    const PlannedFile& planned = plan[i];
    const Settle settle = SettleFor(planned.Decision.Action, conflicts, noBase);
    if (settle != Settle::Keep && settle != Settle::Skip &&
        !(locked && planned.Decision.Action == Regeneration::Leave))
      read.push_back(planned.ReadWasNewText
                         ? ReadContent{true, files[i].Text.size(),
                                       std::hash<std::string_view>{}(files[i].Text)}
                         : planned.Read);
  }
  std::vector<OutputView> step = FilesToWrite(files, plan, conflicts, noBase, locked);
  std::vector<std::string> recorded;
  if (records != nullptr) {
    const std::int64_t now = std::time(nullptr);
    std::vector<OutputView> due;
    for (std::size_t i = 0; i < files.size(); ++i) {
      if (!Settled(plan[i].Decision.Action, conflicts, noBase)) continue;
      recorded.push_back(files[i].Path);
      if (plan[i].RecordPending) {
        const std::optional<std::string> text = records->Read(files[i].Path, &plan[i].RecordedAt);
        plan[i].RecordUpToDate = text == files[i].Text;
      }
      if (!plan[i].RecordUpToDate)
        due.push_back({files[i].Path, files[i].Text});
      else if (now - plan[i].RecordedAt > RecordTouchSeconds)
        // Still in use: pruning goes by the time a record was last needed, kept to the day.
        ::utimensat(AT_FDCWD, records->RecordPath(files[i].Path).c_str(), nullptr,
                    AT_SYMLINK_NOFOLLOW);
    }
    auto made = records->Records(due);
    if (auto* failure = std::get_if<FileFailure>(&made)) return {std::move(*failure)};
    for (OutputView& record : std::get<std::vector<OutputView>>(made))
      step.push_back(std::move(record));
  }
  if (step.empty()) return {};
  std::vector<FileFailure> failures = ReplaceChangedFiles(step, beforeReplace, read, held);
  if (failures.empty() && records != nullptr) records->Prune(recorded);
  // The files' own failures say what went wrong; a record's is told only when it is the cause.
  std::vector<FileFailure> ofFiles;
  for (FileFailure& failure : failures)
    for (const OutputFile& file : files)
      if (failure.Path == file.Path) {
        ofFiles.push_back(std::move(failure));
        break;
      }
  return ofFiles.empty() ? failures : ofFiles;
}

}  // namespace zandrel
