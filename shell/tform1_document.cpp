// The main window's description as a document: New, Open, Save and Save As, the title, the
// recent files, and what the window keeps between runs.

#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QUndoStack>
#include <variant>

#include "classgen/class_build.h"
#include "core/output_text.h"
#include "desktop/platform_services.h"
#include "document/description_model.h"
#include "shell/description_file.h"
#include "shell/description_history.h"
#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

const char* const SettingsName = "zandrel";  // beside the recent files
const char* const GeometryKey = "MainWindow/Geometry";
const char* const SplitterKey = "MainWindow/Splitter";
const char* const PreviewKey = "MainWindow/ShowPreview";
const char* const FolderKey = "MainWindow/LastFolder";

}  // namespace

void TForm1::RestoreSettings() {
  const QSettings settings(SettingsName, SettingsName);
  if (const QByteArray geometry = settings.value(GeometryKey).toByteArray(); !geometry.isEmpty())
    restoreGeometry(geometry);
  if (const QByteArray sizes = settings.value(SplitterKey).toByteArray(); !sizes.isEmpty())
    ui_->Splitter->restoreState(sizes);
  ui_->PreviewCheck->setChecked(settings.value(PreviewKey, true).toBool());
  lastFolder_ = settings.value(FolderKey).toString();
}

void TForm1::KeepSettings() {
  QSettings settings(SettingsName, SettingsName);
  settings.setValue(GeometryKey, saveGeometry());
  if (!narrow_) settings.setValue(SplitterKey, ui_->Splitter->saveState());
  settings.setValue(PreviewKey, ui_->PreviewCheck->isChecked());
  if (!lastFolder_.isEmpty()) settings.setValue(FolderKey, lastFolder_);
}

void TForm1::StartDocument(const ClassInput& input, const std::string& path,
                           const std::string& outputPath) {
  history_->Reset(input);
  documentPath_ = path;
  outputPath_ = outputPath;
  outputPathUnsaved_ = false;
  UpdateTitle();
}

bool TForm1::IsModified() const { return outputPathUnsaved_ || !History()->isClean(); }

void TForm1::UpdateTitle() {
  setWindowTitle(documentPath_.empty()
                     ? QStringLiteral("Zandrel[*]")
                     : Text(FileNameOf(documentPath_)) + QStringLiteral("[*] - Zandrel"));
  setWindowModified(IsModified());
}

void TForm1::UpdateRecentMenu() {
  ui_->RecentMenu->clear();
  const QStringList files = RecentFiles();
  for (qsizetype i = 0; i < files.size(); ++i) {
    QString shown = files[i];
    shown.replace(u'&', QStringLiteral("&&"));
    QAction* action = ui_->RecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    connect(action, &QAction::triggered, this, [this, path = files[i].toStdString()] {
      if (MaybeSave()) OpenFile(path);
    });
  }
  ui_->RecentMenu->setEnabled(!files.isEmpty());
}

bool TForm1::MaybeSave() {
  if (!IsModified()) return true;
  const QString text = documentPath_.empty()
                           ? tr("Save changes to the new class description?")
                           : tr("Save changes to \"%1\"?").arg(Text(FileNameOf(documentPath_)));
  switch (services_.AskSaveChanges(this, text.toStdString(), tr("Save Changes").toStdString())) {
    case SaveChoice::Save:
      return SaveDocument();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

void TForm1::NewDocument() {
  if (!MaybeSave()) return;
  StartDocument(ClassInput(), std::string(), std::string());
  Say(QString());
}

bool TForm1::OpenDocument() {
  if (!MaybeSave()) return false;
  // The dialog starts in the folder used last, in this run or an earlier one.
  openDialog_->FileName =
      lastFolder_.isEmpty() ? std::string() : (lastFolder_ + u'/').toStdString();
  if (!openDialog_->Execute()) return false;
  return OpenFile(openDialog_->FileName);
}

bool TForm1::OpenFile(const std::string& path) {
  // Refused as zandrel-gen class refuses it, and then nothing in the window changes.
  std::string outputPath;
  auto read = ReadDescriptionFile(path, &outputPath);
  if (const auto* message = std::get_if<std::string>(&read)) {
    services_.ShowMessage(this, *message, tr("Error").toStdString());
    return false;
  }
  StartDocument(std::get<ClassInput>(read), path, outputPath);
  AddRecentFile(Text(path));
  UpdateRecentMenu();
  lastFolder_ = QFileInfo(Text(path)).absolutePath();
  Say(tr("Opened %1").arg(Text(FileNameOf(path))));
  return true;
}

bool TForm1::SaveDocument() {
  if (documentPath_.empty()) return SaveDocumentAs();
  return WriteDocument(documentPath_);
}

bool TForm1::SaveDocumentAs() {
  std::string proposed = documentPath_;
  if (proposed.empty()) {
    const std::optional<ClassDescription> description = ReadClassDescription(model_->Input());
    const bool named = description && !description->ClassName.empty() &&
                       description->ClassName.find('/') == std::string::npos;
    proposed = (named ? description->ClassName : "Untitled") + std::string(DescriptionSuffix);
    if (!lastFolder_.isEmpty()) proposed = (lastFolder_ + u'/').toStdString() + proposed;
  }
  saveAsDialog_->FileName = proposed;
  saveAsDialog_->FilterIndex = 1;
  if (!saveAsDialog_->Execute()) return false;
  const std::string path = WithDescriptionSuffix(saveAsDialog_->FileName);
  if (path != documentPath_ && !ExistingFiles({path}).empty() &&
      !services_.AskYesNo(this, ReplaceQuestion({path}), std::string(ReplaceCaption))) {
    Say(tr("Nothing saved"));
    return false;
  }
  return WriteDocument(path);
}

bool TForm1::WriteDocument(const std::string& path) {
  if (const auto failure = WriteDescriptionFile(path, model_->Input(), outputPath_)) {
    services_.ShowMessage(this, *failure, tr("Error").toStdString());
    return false;
  }
  documentPath_ = path;
  outputPathUnsaved_ = false;
  History()->setClean();
  UpdateTitle();
  AddRecentFile(Text(path));
  UpdateRecentMenu();
  lastFolder_ = QFileInfo(Text(path)).absolutePath();
  Say(tr("Saved %1").arg(Text(FileNameOf(path))));
  return true;
}

}  // namespace zandrel
