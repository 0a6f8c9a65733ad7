#include "shell/document_actions.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QThread>
#include <QUndoStack>
#include <variant>

#include "classgen/class_build.h"
#include "classgen/insertion_fit.h"
#include "classgen/name_checks.h"
#include "classgen/targets.h"
#include "core/output_text.h"
#include "desktop/platform_services.h"
#include "desktop/regenerate_files.h"
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

DocumentActions::DocumentActions(TForm1& window, TForm1Ui& ui, const DescriptionModel& model,
                                 DescriptionHistory& history, PlatformServices& services, Say say)
    : window_(window),
      ui_(ui),
      model_(model),
      history_(history),
      services_(services),
      say_(std::move(say)) {
  ui_.SaveDialog1 = services_.CreateSaveDialog(&window_);
  ui_.SaveDialog1->Filter = std::string(SaveDialogFilter);
  ui_.SaveDialog1->FilterIndex = 1;
  openDialog_ = services_.CreateOpenDialog(&window_);
  saveAsDialog_ = services_.CreateSaveDialog(&window_);
  for (FileDialog* dialog : {openDialog_.get(), saveAsDialog_.get()}) {
    dialog->Filter = std::string(DescriptionFilter);
    dialog->FilterIndex = 1;
  }
  openDialog_->Title = tr("Open Class Description").toStdString();
  saveAsDialog_->Title = tr("Save Class Description As").toStdString();
  importDialog_ = services_.CreateOpenDialog(&window_);
  importDialog_->Title = tr("Import Header").toStdString();
  importDialog_->Filter = tr("C++ headers|*.h;*.hh;*.hpp;*.hxx|All files|*").toStdString();
}

DocumentActions::~DocumentActions() { FinishHeaderReading(); }

void DocumentActions::Build() {
  const std::optional<ClassDescription> description = ReadClassDescription(model_.Input());
  if (!description) {
    services_.ShowMessage(&window_, std::string(ShortClassNameMessage),
                          std::string(ShortClassNameCaption));
    return;
  }
  // Names the target's language cannot take: the modern targets refuse them before a path is
  // asked for, the classic ones write as always and warn.
  const NameVerdict names = CheckTargetNames(*description);
  if (NamesRefused(names)) return;
  const std::optional<std::string> path =
      ChooseOutputPath(*description, *ui_.SaveDialog1, ProposedOutputPath(*description));
  if (!path) {
    say_(QString());
    return;
  }
  BuildTo(*description, *path, names);
}

void DocumentActions::Rebuild() {
  if (outputPath_.empty()) {
    Build();
    return;
  }
  const std::optional<ClassDescription> description = ReadClassDescription(model_.Input());
  if (!description) {
    services_.ShowMessage(&window_, std::string(ShortClassNameMessage),
                          std::string(ShortClassNameCaption));
    return;
  }
  const NameVerdict names = CheckTargetNames(*description);
  if (NamesRefused(names)) return;
  BuildTo(*description, outputPath_, names);
}

std::string DocumentActions::ProposedOutputPath(const ClassDescription& description) const {
  std::string name = ProposedFileName(description);
  if (!outputPath_.empty()) {
    // The same place and name, with the extension of the target chosen now.
    const std::string stem = FileStem(outputPath_);
    return stem.substr(0, stem.size() - 1) +
           std::string(TargetOf(description.Options.TargetSystem).ProposedExtension);
  }
  if (!documentPath_.empty())
    return QFileInfo(Text(documentPath_)).absolutePath().toStdString() + '/' + name;
  if (!lastFolder_.isEmpty()) return (lastFolder_ + u'/').toStdString() + name;
  return name;
}

bool DocumentActions::NamesRefused(const NameVerdict& names) {
  if (!names.Refused) return false;
  services_.ShowMessage(&window_,
                        tr("Build refuses these names: %1.")
                            .arg(Text(DescribeNameProblems(names.Problems)))
                            .toStdString(),
                        tr("Error").toStdString());
  say_(tr("Nothing written"));
  return true;
}

void DocumentActions::BuildTo(const ClassDescription& description, const std::string& path,
                              const NameVerdict& names) {
  // The source file may hold the user's code: an edited file gets the new text merged into it
  // (the file before goes to the trash), and conflicts or an edited file with no record of what
  // was generated into it are put to the user.
  const std::vector<OutputFile> files = ClassOutputFiles(description, path);
  const RegenerationOutcome outcome = RegenerateFiles(&window_, services_, files);
  if (outcome.End == RegenerationEnd::Failed) return;
  if (outcome.End != RegenerationEnd::Written) {
    say_(tr("Nothing written"));
    return;
  }
  const std::string absolute = QFileInfo(Text(path)).absoluteFilePath().toStdString();
  if (absolute != outputPath_) {
    outputPath_ = absolute;
    outputPathUnsaved_ = true;
    UpdateTitle();
  }
  std::vector<std::string> paths;
  paths.reserve(files.size());
  for (const OutputFile& file : files) paths.push_back(file.Path);
  window_.ReportBuild(paths);
  if (const QString told = OutcomeMessage(outcome); !told.isEmpty())
    window_.statusBar()->showMessage(told);
  SayMismatches(description);
  if (!names.Problems.empty()) {
    QStatusBar* bar = window_.statusBar();
    bar->showMessage(bar->currentMessage() + tr(". Warning: ") +
                     Text(DescribeNameProblems(names.Problems)));
  }
}

void DocumentActions::SayMismatches(const ClassDescription& description) {
  const std::string mismatches = MismatchSummary(InsertionMismatches(description));
  QStatusBar* bar = window_.statusBar();
  if (!mismatches.empty())
    bar->showMessage(bar->currentMessage() + tr(". Note: ") + Text(mismatches));
}

void DocumentActions::RestoreSettings() {
  const QSettings settings(SettingsName, SettingsName);
  if (const QByteArray geometry = settings.value(GeometryKey).toByteArray(); !geometry.isEmpty())
    window_.restoreGeometry(geometry);
  if (const QByteArray sizes = settings.value(SplitterKey).toByteArray(); !sizes.isEmpty())
    ui_.Splitter->restoreState(sizes);
  ui_.PreviewCheck->setChecked(settings.value(PreviewKey, true).toBool());
  lastFolder_ = settings.value(FolderKey).toString();
}

void DocumentActions::KeepSettings(bool keepSplitter) {
  QSettings settings(SettingsName, SettingsName);
  settings.setValue(GeometryKey, window_.saveGeometry());
  if (keepSplitter) settings.setValue(SplitterKey, ui_.Splitter->saveState());
  settings.setValue(PreviewKey, ui_.PreviewCheck->isChecked());
  if (!lastFolder_.isEmpty()) settings.setValue(FolderKey, lastFolder_);
}

void DocumentActions::StartDocument(const ClassInput& input, const std::string& path,
                                    const std::string& outputPath) {
  history_.Reset(input);
  documentPath_ = path;
  outputPath_ = outputPath;
  outputPathUnsaved_ = false;
  UpdateTitle();
}

bool DocumentActions::IsModified() const {
  return outputPathUnsaved_ || !history_.Stack()->isClean();
}

void DocumentActions::UpdateTitle() {
  window_.setWindowTitle(documentPath_.empty()
                             ? QStringLiteral("Zandrel[*]")
                             : Text(FileNameOf(documentPath_)) + QStringLiteral("[*] - Zandrel"));
  window_.setWindowModified(IsModified());
}

void DocumentActions::UpdateRecentMenu() {
  ui_.RecentMenu->clear();
  const QStringList files = RecentFiles();
  for (qsizetype i = 0; i < files.size(); ++i) {
    QString shown = files[i];
    shown.replace(u'&', QStringLiteral("&&"));
    QAction* action = ui_.RecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    QObject::connect(action, &QAction::triggered, &window_, [this, path = files[i].toStdString()] {
      if (MaybeSave()) OpenFile(path);
    });
  }
  ui_.RecentMenu->setEnabled(!files.isEmpty());
}

bool DocumentActions::MaybeSave() {
  if (!IsModified()) return true;
  const QString text = documentPath_.empty()
                           ? tr("Save changes to the new class description?")
                           : tr("Save changes to \"%1\"?").arg(Text(FileNameOf(documentPath_)));
  switch (
      services_.AskSaveChanges(&window_, text.toStdString(), tr("Save Changes").toStdString())) {
    case SaveChoice::Save:
      return SaveDocument();
    case SaveChoice::Discard:
      return true;
    case SaveChoice::Cancel:
      break;
  }
  return false;
}

void DocumentActions::NewDocument() {
  if (!MaybeSave()) return;
  StartDocument(ClassInput(), std::string(), std::string());
  say_(QString());
}

bool DocumentActions::OpenDocument() {
  if (!MaybeSave()) return false;
  // The dialog starts in the folder used last, in this run or an earlier one.
  openDialog_->FileName =
      lastFolder_.isEmpty() ? std::string() : (lastFolder_ + u'/').toStdString();
  if (!openDialog_->Execute()) return false;
  return OpenFile(openDialog_->FileName);
}

bool DocumentActions::OpenFile(const std::string& path) {
  // Refused as zandrel-gen class refuses it, and then nothing in the window changes.
  std::string outputPath;
  auto read = ReadDescriptionFile(path, &outputPath);
  if (const auto* message = std::get_if<std::string>(&read)) {
    services_.ShowMessage(&window_, *message, tr("Error").toStdString());
    return false;
  }
  StartDocument(std::get<ClassInput>(read), path, outputPath);
  AddRecentFile(Text(path));
  UpdateRecentMenu();
  lastFolder_ = QFileInfo(Text(path)).absolutePath();
  say_(tr("Opened %1").arg(Text(FileNameOf(path))));
  return true;
}

bool DocumentActions::SaveDocument() {
  if (documentPath_.empty()) return SaveDocumentAs();
  return WriteDocument(documentPath_);
}

bool DocumentActions::SaveDocumentAs() {
  std::string proposed = documentPath_;
  if (proposed.empty()) {
    const std::optional<ClassDescription> description = ReadClassDescription(model_.Input());
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
      !services_.AskYesNo(&window_, ReplaceQuestion({path}), std::string(ReplaceCaption))) {
    say_(tr("Nothing saved"));
    return false;
  }
  return WriteDocument(path);
}

bool DocumentActions::WriteDocument(const std::string& path) {
  if (const auto failure = WriteDescriptionFile(path, model_.Input(), outputPath_)) {
    services_.ShowMessage(&window_, *failure, tr("Error").toStdString());
    return false;
  }
  documentPath_ = path;
  outputPathUnsaved_ = false;
  history_.Stack()->setClean();
  UpdateTitle();
  AddRecentFile(Text(path));
  UpdateRecentMenu();
  lastFolder_ = QFileInfo(Text(path)).absolutePath();
  say_(tr("Saved %1").arg(Text(FileNameOf(path))));
  return true;
}

}  // namespace zandrel
