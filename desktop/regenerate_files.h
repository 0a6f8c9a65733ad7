#pragma once

#include <QString>
#include <functional>
#include <string>
#include <vector>

#include "core/output_text.h"
#include "desktop/merge_dialog.h"
#include "desktop/platform_services.h"

class QWidget;

namespace zandrel {

// How a window's write of generated files ended.
enum class RegenerationEnd {
  Written,    // the step was written (or its files were up to date already)
  KeptFiles,  // the user kept their conflicting files and nothing else was to be written
  Cancelled,  // the user went back: nothing written
  Failed,     // a file could not be read or written; the message was shown
};

struct RegenerationOutcome {
  RegenerationEnd End = RegenerationEnd::Written;
  std::vector<std::string> Written;      // the files that now hold the new text
  std::vector<std::string> Merged;       // the files the user's changes were merged into
  std::vector<std::string> WithMarkers;  // the files written with conflict markers
  std::vector<std::string> Unchanged;    // the files left as they were
};

using AskMerge = std::function<MergeAnswer(QWidget* owner, std::vector<ConflictingFile> files)>;

// Writes a window's files as one step, merging the new texts into files the user edited since
// they were generated (the records are the bases): an unedited file is replaced without a
// question; a clean merge is written, the file before it going to the trash; conflicts are shown
// in the merge dialog (askMerge) and an edited file with no base is put to the Replace question.
// Keep my files leaves the conflicting files (and their records) as they are and writes the
// rest; the sides chosen for each conflict are written as chosen; a file without a base whose
// replacement is declined holds back the whole step. The folders stay locked from the reading to
// the writing, the questions included.
// unmergedConfirmed: the user already said Replace for the files FilesWithoutBase named.
RegenerationOutcome RegenerateFiles(QWidget* owner, PlatformServices& services,
                                    const std::vector<OutputFile>& files,
                                    const AskMerge& askMerge = AskMergeChoice,
                                    bool unmergedConfirmed = false);

// The files among these that exist with no record of what was generated into them: a window can
// put them to the Replace question before it composes their texts.
std::vector<std::string> FilesWithoutBase(const std::vector<std::string>& paths);

// "Merged your changes into Shape.cpp" (or "… into Shape.h and Shape.cpp"); empty for no file.
QString MergedMessage(const std::vector<std::string>& merged);

// What a written step did to each file, for the status bar: "Wrote Shape.h; merged your changes
// into Shape.cpp; left Other.h unchanged"; empty when every file was simply written.
QString OutcomeMessage(const RegenerationOutcome& outcome);

}  // namespace zandrel
