#pragma once

#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "shell/platform_services.h"

namespace zandrel::testing {

// What a fake file dialog was shown with.
struct DialogShowing {
  std::string Kind;  // "save" or "open"
  std::string Title;
  std::string FileName;
  std::string Filter;
  int FilterIndex = 0;
};

struct ShownMessage {
  std::string Text;
  std::string Caption;
};

// Answers dialogs from scripts and records every message and showing.
class FakeServices : public PlatformServices {
 public:
  // Next answers of the file dialogs, in order: a path confirms, nothing cancels.
  std::deque<std::optional<std::string>> SaveAnswers;
  std::deque<std::optional<std::string>> OpenAnswers;
  // Next answers of yes/no questions; an empty queue answers Yes.
  std::deque<bool> YesNoAnswers;

  std::vector<ShownMessage> Messages;
  std::vector<ShownMessage> Questions;
  std::vector<DialogShowing> Showings;

  void ShowMessage(const std::string& text, const std::string& caption) override {
    Messages.push_back({text, caption});
  }
  bool AskYesNo(const std::string& text, const std::string& caption) override {
    Questions.push_back({text, caption});
    if (YesNoAnswers.empty()) return true;
    const bool answer = YesNoAnswers.front();
    YesNoAnswers.pop_front();
    return answer;
  }
  std::unique_ptr<FileDialog> CreateSaveDialog(QWidget*) override {
    return std::make_unique<Dialog>(*this, "save", SaveAnswers);
  }
  std::unique_ptr<FileDialog> CreateOpenDialog(QWidget*) override {
    return std::make_unique<Dialog>(*this, "open", OpenAnswers);
  }

 private:
  class Dialog : public FileDialog {
   public:
    Dialog(FakeServices& owner, std::string kind, std::deque<std::optional<std::string>>& answers)
        : owner_(owner), kind_(std::move(kind)), answers_(answers) {}
    bool Execute() override {
      owner_.Showings.push_back({kind_, Title, FileName, Filter, FilterIndex});
      if (answers_.empty()) return false;  // an unscripted dialog is cancelled
      auto answer = answers_.front();
      answers_.pop_front();
      if (!answer) return false;
      FileName = *answer;
      return true;
    }

   private:
    FakeServices& owner_;
    std::string kind_;
    std::deque<std::optional<std::string>>& answers_;
  };
};

}  // namespace zandrel::testing
