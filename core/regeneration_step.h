#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "core/generated_records.h"
#include "core/output_text.h"
#include "core/regeneration.h"

namespace zandrel {

// One file of a step: what regenerating does to it.
struct PlannedFile {
  FileRegeneration Decision;
  bool RecordUpToDate = false;  // its record already holds the new text
  std::int64_t RecordedAt = 0;  // when its record was last written or found current
  // A file found current needs no base: its record is read only when the step is written.
  bool RecordPending = false;
  ReadContent Read;             // what the file held when the plan was made
  bool ReadWasNewText = false;  // the file held the new text (Read's hash left out)
};

// Reads each file and its base (the one given for it, else its record when records is given) and
// decides for each. givenBases is empty or has one entry per file. A file that exists but cannot
// be read, or is not a regular file, is a failure.
std::variant<std::vector<PlannedFile>, FileFailure> PlanRegeneration(
    const std::vector<OutputFile>& files, const std::vector<std::optional<std::string>>& givenBases,
    const GeneratedRecords* records);

// What becomes of the files the merge cannot settle alone (conflicts, or edited with no base).
enum class Settle {
  Keep,     // nothing of the step is written
  Skip,     // the file is left as it is (its record too); the rest of the step is written
  Replace,  // the new text replaces the file
  Markers,  // conflicts are written with their markers
};

// What a settled step does to one file, as the front ends tell it.
enum class FileOutcome {
  Written,      // the new text (absent, unedited, or replaced)
  Merged,       // the user's edits merged into the new text
  WithMarkers,  // written with conflict markers
  Unchanged,    // left as it was
};
FileOutcome OutcomeOf(const PlannedFile& planned, Settle conflicts, Settle noBase);

// Whether the step can be written as settled: false when a file that needs the user is kept.
bool StepWritable(const std::vector<PlannedFile>& plan, Settle conflicts, Settle noBase);

// The files a settled step writes, in step order (one found unchanged is compared again when
// written, and left alone if it still is; with the folders locked since it was read, it is left
// out). The texts are the files' own or the plan's merged ones: both must outlive the result.
std::vector<OutputView> FilesToWrite(const std::vector<OutputFile>& files,
                                     const std::vector<PlannedFile>& plan, Settle conflicts,
                                     Settle noBase, bool lockedSinceRead = false);

// Writes the changed files and the records of every file of the step (unless already current) as
// one ReplaceFiles step (under the locks held, when given), then prunes the records. beforeReplace
// sees the records' targets too.
// A file that no longer holds what the plan read fails with ChangedSinceRead, nothing written:
// the caller plans again (or gives up). readUnderHeld: held was taken before the files were read
// (false where it was taken again after the plan), so a file found current is left out.
std::vector<FileFailure> WriteRegeneration(const std::vector<OutputFile>& files,
                                           std::vector<PlannedFile> plan, Settle conflicts,
                                           Settle noBase, const GeneratedRecords* records,
                                           const BeforeReplace& beforeReplace = {},
                                           FolderLock* held = nullptr, bool readUnderHeld = true);

}  // namespace zandrel
