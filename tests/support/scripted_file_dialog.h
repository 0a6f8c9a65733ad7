#pragma once

#include <deque>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/file_dialog.h"

namespace zandrel::testing {

// What a scripted file dialog was shown with.
struct DialogShowing {
  std::string Kind;  // "save" or "open"
  std::string Title;
  std::string FileName;
  std::string Filter;
  int FilterIndex = 0;
};

// A file dialog that answers from a script: each showing takes the next answer, where a path
// confirms and nothing cancels; with no answer left it cancels. Every showing is recorded, in one
// list that several dialogs may share.
class ScriptedFileDialog : public FileDialog {
 public:
  using Answers = std::deque<std::optional<std::string>>;
  ScriptedFileDialog(std::string kind, Answers& answers, std::vector<DialogShowing>& showings)
      : kind_(std::move(kind)), answers_(answers), showings_(showings) {}

  bool Execute() override {
    showings_.push_back({kind_, Title, FileName, Filter, FilterIndex});
    if (answers_.empty()) return false;
    const std::optional<std::string> answer = answers_.front();
    answers_.pop_front();
    if (!answer) return false;
    FileName = *answer;
    return true;
  }

 private:
  std::string kind_;
  Answers& answers_;
  std::vector<DialogShowing>& showings_;
};

}  // namespace zandrel::testing
