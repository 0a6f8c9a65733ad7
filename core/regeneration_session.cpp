#include "core/regeneration_session.h"

#include <map>
#include <set>
#include <stdexcept>
#include <utility>
#include <variant>

namespace zandrel {

namespace {

std::function<void(int)>& Probe() {
  static std::function<void(int)> probe;
  return probe;
}

// The files' indices by the real folder each is written to, a group of folders at a time, in
// the order of the folders' paths.
struct Group {
  std::vector<std::size_t> Files;
  std::set<std::string> Folders;
};

// Built piece by piece, clear of GCC 12's -Wrestrict false alarm at -O3.
std::string UnresolvedKey(const std::string& path) {
  std::string key = "?";
  key.append(path, 0, path.rfind('/') + 1);
  return key;
}

std::vector<std::string> PathsOf(const std::vector<OutputFile>& files) {
  std::vector<std::string> paths;
  paths.reserve(files.size());
  for (const OutputFile& file : files) paths.push_back(file.Path);
  return paths;
}

std::vector<Group> Groups(const std::vector<OutputFile>& files) {
  const std::vector<std::string> paths = PathsOf(files);
  std::vector<std::optional<std::string>> folders = TargetFolders(paths);
  std::map<std::string, std::vector<std::size_t>> byFolder;
  for (std::size_t i = 0; i < files.size(); ++i)
    // A path that cannot be resolved is grouped by its folder as written, never locked by it:
    // its write fails on its own.
    byFolder[folders[i] ? std::move(*folders[i]) : UnresolvedKey(paths[i])].push_back(i);
  std::vector<Group> groups;
  std::size_t counted = 0;
  for (auto& [folder, indices] : byFolder) {
    if (counted++ % FoldersPerGroup == 0) groups.emplace_back();
    groups.back().Files.insert(groups.back().Files.end(), indices.begin(), indices.end());
    if (folder.starts_with('/')) groups.back().Folders.insert(folder);
  }
  return groups;
}

template <typename T>
std::vector<T> Pick(const std::vector<T>& all, const std::vector<std::size_t>& indices) {
  std::vector<T> picked;
  if (all.empty()) return picked;
  picked.reserve(indices.size());
  for (const std::size_t i : indices) picked.push_back(all[i]);
  return picked;
}

bool SameContent(const ReadContent& a, const ReadContent& b) {
  return a.Exists == b.Exists && a.Size == b.Size && a.Hash == b.Hash;
}

// A conflict the user resolved becomes a merge of the chosen text (or is left, when the choice
// is the file as it is).
void ApplyChoices(std::vector<PlannedFile>& plan, std::vector<std::optional<std::string>>& chosen) {
  for (std::size_t i = 0; i < plan.size() && i < chosen.size(); ++i) {
    FileRegeneration& decision = plan[i].Decision;
    if (!chosen[i] || decision.Action != Regeneration::Conflict) continue;
    const bool asIs = SameContent(ContentOf(chosen[i]), plan[i].Read);
    decision.Action = asIs ? Regeneration::Leave : Regeneration::Merge;
    decision.KeepsEdits = asIs;
    decision.Merged = {std::move(*chosen[i]), {}, {}};
  }
}

bool AllChangedSinceRead(const std::vector<FileFailure>& failures) {
  for (const FileFailure& failure : failures)
    if (failure.Reason != ChangedSinceRead) return false;
  return !failures.empty();
}

}  // namespace

void SetSessionProbe(std::function<void(int attempt)> probe) { Probe() = std::move(probe); }

namespace {

// Reads and plans every group, each under its folders' locks (a single group keeps them in lock);
// the failure that stopped it, if any.
std::optional<FileFailure> PlanGroups(const std::vector<OutputFile>& files,
                                      const std::vector<std::optional<std::string>>& bases,
                                      const GeneratedRecords* records,
                                      const std::vector<Group>& groups, FolderLock& lock,
                                      std::vector<PlannedFile>& plan) {
  const bool whole = groups.size() <= 1;
  for (const Group& each : groups) {
    const std::vector<std::size_t>& group = each.Files;
    FolderLock groupLock;
    FolderLock& held = whole ? lock : groupLock;
    const std::vector<OutputFile> picked = whole ? std::vector<OutputFile>() : Pick(files, group);
    const std::vector<OutputFile>& groupFiles = whole ? files : picked;
    if (auto failure = held.Take(PathsOf(groupFiles), each.Folders)) return failure;
    try {
      auto planned = PlanRegeneration(groupFiles, whole ? bases : Pick(bases, group), records);
      if (auto* failure = std::get_if<FileFailure>(&planned)) return std::move(*failure);
      auto& groupPlan = std::get<std::vector<PlannedFile>>(planned);
      for (std::size_t k = 0; k < group.size(); ++k)
        plan[whole ? k : group[k]] = std::move(groupPlan[k]);
    } catch (const std::runtime_error& error) {
      return FileFailure{{}, error.what()};
    }
  }
  return std::nullopt;
}

// Writes group by group, each all or none under its locks; started: a group was written.
std::vector<FileFailure> WriteGroups(const std::vector<OutputFile>& files,
                                     const std::vector<Group>& groups,
                                     std::vector<PlannedFile>& plan, const Settlement& settlement,
                                     const GeneratedRecords* records, bool& started) {
  for (const Group& each : groups) {
    const std::vector<std::size_t>& group = each.Files;
    FolderLock groupLock;
    const std::vector<OutputFile> groupFiles = Pick(files, group);
    std::vector<PlannedFile> groupPlan;
    groupPlan.reserve(group.size());
    for (const std::size_t i : group) groupPlan.push_back(std::move(plan[i]));
    if (auto failure = groupLock.Take(PathsOf(groupFiles), each.Folders))
      return {std::move(*failure)};
    // Locked again after the plan: a file found current is compared again before it is left.
    std::vector<FileFailure> failures =
        WriteRegeneration(groupFiles, std::move(groupPlan), settlement.Conflicts, settlement.NoBase,
                          records, settlement.OnReplace, &groupLock, false);
    if (!failures.empty()) return failures;
    started = true;
  }
  return {};
}

}  // namespace

SessionResult RunRegenerationSession(const std::vector<OutputFile>& files,
                                     const std::vector<std::optional<std::string>>& bases,
                                     const GeneratedRecords* records, const SettleStep& settle) {
  const std::vector<Group> groups = Groups(files);
  const bool whole = groups.size() <= 1;
  for (int attempt = 1;; ++attempt) {
    SessionResult result;
    // A step of one group keeps its locks from the reading to the writing.
    FolderLock lock;
    std::vector<PlannedFile> plan(files.size());
    if (auto failure = PlanGroups(files, bases, records, groups, lock, plan)) {
      result.Failures = {std::move(*failure)};
      return result;
    }

    Settlement settlement = settle(files, plan);
    result.Settled = true;
    ApplyChoices(plan, settlement.Chosen);
    result.Outcomes.reserve(files.size());
    for (const PlannedFile& planned : plan)
      result.Outcomes.push_back(OutcomeOf(planned, settlement.Conflicts, settlement.NoBase));
    if (!settlement.Write || !StepWritable(plan, settlement.Conflicts, settlement.NoBase))
      return result;
    if (Probe()) Probe()(attempt);

    bool started = false;  // a group was written: the session can no longer start over
    std::vector<FileFailure> failures =
        whole ? WriteRegeneration(files, std::move(plan), settlement.Conflicts, settlement.NoBase,
                                  records, settlement.OnReplace, &lock)
              : WriteGroups(files, groups, plan, settlement, records, started);
    if (!started && AllChangedSinceRead(failures) && attempt < SessionAttempts) continue;
    result.Written = failures.empty();
    result.Failures = std::move(failures);
    return result;
  }
}

std::string DescribeSessionFailure(const FileFailure& failure, bool settled) {
  if (failure.Path.empty()) return failure.Reason;
  if (settled || failure.Reason == LockTimedOut) return DescribeFailure(failure);
  return DescribeReadFailure(failure);
}

}  // namespace zandrel
