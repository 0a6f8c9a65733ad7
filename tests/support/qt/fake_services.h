#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "desktop/platform_services.h"
#include "tests/support/qt/window_fixtures.h"
#include "tests/support/scripted_file_dialog.h"
#include "tests/support/temp_folder.h"

namespace zandrel::testing {

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
  ScriptedFileDialog::Answers SaveAnswers;
  ScriptedFileDialog::Answers OpenAnswers;
  // Next answers of yes/no questions; an empty queue answers Yes.
  std::deque<bool> YesNoAnswers;
  // Next answers of save-changes questions; an empty queue answers Discard.
  std::deque<SaveChoice> SaveChoices;
  // Next answers of item lists: an index picks, nothing cancels; an empty queue picks the first.
  std::deque<std::optional<int>> ItemChoices;
  // Whether the trash takes a file (moving it away) or refuses it (leaving it in place).
  bool TrashWorks = true;

  std::vector<ShownMessage> Messages;
  std::vector<ShownMessage> Questions;
  std::vector<DialogShowing> Showings;
  std::vector<TrashedFile> Trashed;  // taken by the trash, in order
  std::vector<std::string> TrashRefused;
  std::vector<std::string> FoldersOpened;

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
  SaveChoice AskSaveChanges(QWidget* owner, const std::string& text,
                            const std::string& caption) override {
    Questions.push_back({text, caption, owner});
    if (SaveChoices.empty()) return SaveChoice::Discard;
    const SaveChoice answer = SaveChoices.front();
    SaveChoices.pop_front();
    return answer;
  }
  std::optional<int> ChooseItem(QWidget* owner, const std::string& text, const std::string& caption,
                                const std::vector<std::string>&) override {
    Questions.push_back({text, caption, owner});
    if (ItemChoices.empty()) return 0;
    const std::optional<int> answer = ItemChoices.front();
    ItemChoices.pop_front();
    return answer;
  }
  std::unique_ptr<FileDialog> CreateSaveDialog(QWidget*) override {
    return std::make_unique<ScriptedFileDialog>("save", SaveAnswers, Showings);
  }
  std::unique_ptr<FileDialog> CreateOpenDialog(QWidget*) override {
    return std::make_unique<ScriptedFileDialog>("open", OpenAnswers, Showings);
  }
  bool MoveToTrash(const std::string& path) override {
    if (!TrashWorks) {
      TrashRefused.push_back(path);
      return false;
    }
    Trashed.push_back({path, ReadFile(path)});
    std::error_code ignored;
    return std::filesystem::remove(path, ignored);
  }
  void OpenFolder(QWidget*, const std::string& folder) override { FoldersOpened.push_back(folder); }
};

}  // namespace zandrel::testing
