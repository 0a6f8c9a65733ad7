#pragma once

// One regeneration from start to end, the same for Build, the enumeration dialog's OK and
// zandrel-gen: the folders are locked first; then the files and their records are read, the
// step is planned and settled (the front end only asks the user or prints), and the files and
// the records of every file that changed or was found current are written, all under the locks.

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/generated_records.h"
#include "core/output_text.h"
#include "core/regeneration_step.h"

namespace zandrel {

// The front end's answer for a planned step.
struct Settlement {
  bool Write = true;  // false: nothing is written (a look only, or the user went back)
  Settle Conflicts = Settle::Keep;
  Settle NoBase = Settle::Keep;
  // Empty, or one per file: a conflicting file's text as the user put it together from the
  // sides of its conflicts (ResolveConflicts), written in place of the merged text.
  std::vector<std::optional<std::string>> Chosen;
  BeforeReplace OnReplace;  // sees the files about to be replaced (the windows' trash)
};

// Asked once per attempt, under the locks, with the files and what regenerating would do.
using SettleStep =
    std::function<Settlement(const std::vector<OutputFile>& files, std::vector<PlannedFile>& plan)>;

struct SessionResult {
  bool Written = false;               // the settled step was written (or had nothing to write)
  bool Settled = false;               // the front end was asked (the files could be read)
  std::vector<FileOutcome> Outcomes;  // one per file, once settled
  std::vector<FileFailure> Failures;  // what could not be locked, read or written
};

// How often an edit made by another program between the reading and the writing starts the
// session over before it gives up with nothing written.
inline constexpr int SessionAttempts = 3;

// At most this many folders are locked at once (each lock holds one open file, as does each of
// the records' folders): a step over more folders is written a group of folders at a time, the
// groups in the order of the folders' real paths, each under its own locks. All groups are
// planned and settled before any is written.
inline constexpr std::size_t FoldersPerGroup = 200;

SessionResult RunRegenerationSession(const std::vector<OutputFile>& files,
                                     const std::vector<std::optional<std::string>>& bases,
                                     const GeneratedRecords* records, const SettleStep& settle);

// What one of a session's failures says: its reason alone where it names no file; "could not be
// written" once the step was settled or where a folder stayed locked, else "could not be read".
std::string DescribeSessionFailure(const FileFailure& failure, bool settled);

// For tests: called in each attempt once the step is settled, before anything is written (the
// locks held); empty to stop.
void SetSessionProbe(std::function<void(int attempt)> probe);

}  // namespace zandrel
