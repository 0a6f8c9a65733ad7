#pragma once

#include <memory>
#include <string>

#include "classgen/file_dialog.h"

class QWidget;

namespace zandrel {

// Everything the windows ask of the desktop besides their own controls: message boxes, a yes/no
// question and file dialogs. The program uses the Qt implementation; tests use a scripted fake.
class PlatformServices {
 public:
  virtual ~PlatformServices() = default;

  // Modal message box with one OK button and no icon.
  virtual void ShowMessage(const std::string& text, const std::string& caption) = 0;
  // Modal Yes/No question; true for Yes.
  virtual bool AskYesNo(const std::string& text, const std::string& caption) = 0;
  virtual std::unique_ptr<FileDialog> CreateSaveDialog(QWidget* owner) = 0;
  virtual std::unique_ptr<FileDialog> CreateOpenDialog(QWidget* owner) = 0;
};

}  // namespace zandrel
