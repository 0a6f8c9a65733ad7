#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
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
  QWidget* Owner = nullptr;
};

// A file handed to the trash, with the text it held.
struct TrashedFile {
  std::string Path;
  std::string Text;
};

// Answers dialogs from scripts and records every message and showing.
class FakeServices : public PlatformServices {
 public:
  // Next answers of the file dialogs, in order: a path confirms, nothing cancels.
  std::deque<std::optional<std::string>> SaveAnswers;
  std::deque<std::optional<std::string>> OpenAnswers;
  // Next answers of yes/no questions; an empty queue answers Yes.
  std::deque<bool> YesNoAnswers;
  // Whether the trash takes a file (moving it away) or refuses it (leaving it in place).
  bool TrashWorks = true;

  std::vector<ShownMessage> Messages;
  std::vector<ShownMessage> Questions;
  std::vector<DialogShowing> Showings;
  std::vector<TrashedFile> Trashed;  // taken by the trash, in order
  std::vector<std::string> TrashRefused;

  void ShowMessage(QWidget* owner, const std::string& text, const std::string& caption) override {
    Messages.push_back({text, caption, owner});
  }
  bool AskYesNo(QWidget* owner, const std::string& text, const std::string& caption) override {
    Questions.push_back({text, caption, owner});
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
  bool MoveToTrash(const std::string& path) override {
    if (!TrashWorks) {
      TrashRefused.push_back(path);
      return false;
    }
    std::ifstream in(path, std::ios::binary);
    Trashed.push_back(
        {path, {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()}});
    in.close();
    std::error_code ignored;
    return std::filesystem::remove(path, ignored);
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
