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
  Written,    // the files were written (or were up to date already)
  KeptFiles,  // the user kept their files: nothing written, and nothing more to ask
  Cancelled,  // the user went back: nothing written
  Failed,     // a file could not be read or written; the message was shown
};

struct RegenerationOutcome {
  RegenerationEnd End = RegenerationEnd::Written;
  std::vector<std::string> Merged;  // the files the user's changes were merged into
};

using AskMerge = std::function<MergeChoice(QWidget* owner, std::vector<ConflictingFile> files)>;

// Writes a window's files as one step, merging the new texts into files the user edited since
// they were generated (the records are the bases): an unedited file is replaced without a
// question; a clean merge is written, the file before it going to the trash; conflicts are shown
// in the merge dialog (askMerge) and an edited file with no base is put to the Replace question.
// A file that needs the user and is kept holds back the whole step.
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

}  // namespace zandrel
