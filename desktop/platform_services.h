#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/file_dialog.h"
#include "core/output_text.h"

class QWidget;

namespace zandrel {

// The answer to a question whether to save changes before they would be lost.
enum class SaveChoice { Save, Discard, Cancel };

// Everything the windows ask of the desktop besides their own controls: message boxes, a yes/no
// question, file dialogs, the trash and the file manager. The program uses the Qt implementation;
// tests use a scripted fake. Every box and dialog belongs to the window that asks (its owner): it
// is shown above that window, and closing it never ends the program.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // Modal message box with one OK button and no icon.
  virtual void ShowMessage(QWidget* owner, const std::string& text, const std::string& caption) = 0;
  // Modal Yes/No question; true for Yes.
  virtual bool AskYesNo(QWidget* owner, const std::string& text, const std::string& caption) = 0;
  // Modal question with Save, Discard and Cancel buttons; Escape cancels.
  virtual SaveChoice AskSaveChanges(QWidget* owner, const std::string& text,
                                    const std::string& caption) = 0;
  // Modal list of items to pick one from; the picked item's index, nothing when cancelled.
  virtual std::optional<int> ChooseItem(QWidget* owner, const std::string& text,
                                        const std::string& caption,
                                        const std::vector<std::string>& items) = 0;
  virtual std::unique_ptr<FileDialog> CreateSaveDialog(QWidget* owner) = 0;
  virtual std::unique_ptr<FileDialog> CreateOpenDialog(QWidget* owner) = 0;
  // Moves the file to the desktop's trash, where the user can restore it; false when it stays.
  virtual bool MoveToTrash(const std::string& path) = 0;
  // Shows the folder in the desktop's file manager; when nothing can, says so in a message box
  // owned by owner, naming the folder.
  virtual void OpenFolder(QWidget* owner, const std::string& folder) = 0;
};

}  // namespace zandrel
