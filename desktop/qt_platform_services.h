#pragma once

#include <QCoreApplication>
#include <QStringList>
#include <memory>
#include <string>

#include "desktop/platform_services.h"

namespace zandrel {

// Turns "Caption|*.h|Caption|*.java" into Qt name filters: "Caption (*.h)", "Caption (*.java)".
// Several patterns in one entry ("*.h;*.hpp") become blank-separated.
QStringList NameFilters(const std::string& filter);

// The desktop services in Qt: plain message boxes, a Yes/No and a Save/Discard/Cancel question,
// QFileDialog, the trash of the desktop (the freedesktop.org trash on Linux) and its file manager.
class QtPlatformServices : public PlatformServices {
  Q_DECLARE_TR_FUNCTIONS(zandrel::QtPlatformServices)

 public:
  void ShowMessage(QWidget* owner, const std::string& text, const std::string& caption) override;
  bool AskYesNo(QWidget* owner, const std::string& text, const std::string& caption) override;
  SaveChoice AskSaveChanges(QWidget* owner, const std::string& text,
                            const std::string& caption) override;
  std::optional<int> ChooseItem(QWidget* owner, const std::string& text, const std::string& caption,
                                const std::vector<std::string>& items) override;
  std::unique_ptr<FileDialog> CreateSaveDialog(QWidget* owner) override;
  std::unique_ptr<FileDialog> CreateOpenDialog(QWidget* owner) override;
  bool MoveToTrash(const std::string& path) override;
  void OpenFolder(QWidget* owner, const std::string& folder) override;
};

}  // namespace zandrel
