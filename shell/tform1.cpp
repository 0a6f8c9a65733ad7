#include "shell/tform1.h"

#include <QCloseEvent>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>
#include <QWindow>
#include <algorithm>

#include "classgen/class_build.h"
#include "classgen/insertion_fit.h"
#include "classgen/name_checks.h"
#include "classgen/targets.h"
#include "core/output_text.h"
#include "desktop/choice_box.h"
#include "desktop/platform_services.h"
#include "desktop/regenerate_files.h"
#include "document/description_model.h"
#include "enumgen/genenum.h"
#include "feedback/log_entry.h"
#include "feedback/userlog.h"
#include "shell/description_file.h"
#include "shell/description_history.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

const char* const LogPrompt = QT_TRANSLATE_NOOP(
    "zandrel::TForm1", "Please note precisely what the error is or what should be improved.");

}  // namespace

TForm1::TForm1(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      ui_(std::make_unique<TForm1Ui>()),
      model_(new DescriptionModel(this)),
      history_(std::make_unique<DescriptionHistory>(*model_)) {
  BuildControls();
  ArrangeControls();
  BuildMenus();
  BuildStatusBar();
  BindControls();

  ui_->SaveDialog1 = services_.CreateSaveDialog(this);
  ui_->SaveDialog1->Filter = std::string(SaveDialogFilter);
  ui_->SaveDialog1->FilterIndex = 1;
  openDialog_ = services_.CreateOpenDialog(this);
  saveAsDialog_ = services_.CreateSaveDialog(this);
  for (FileDialog* dialog : {openDialog_.get(), saveAsDialog_.get()}) {
    dialog->Filter = std::string(DescriptionFilter);
    dialog->FilterIndex = 1;
  }
  openDialog_->Title = tr("Open Class Description").toStdString();
  saveAsDialog_->Title = tr("Save Class Description As").toStdString();
  importDialog_ = services_.CreateOpenDialog(this);
  importDialog_->Title = tr("Import Header").toStdString();
  importDialog_->Filter = tr("C++ headers|*.h;*.hh;*.hpp;*.hxx|All files|*").toStdString();

  UpdateTitle();
  SetTabOrder();
  ui_->Button1->setFocus();
  SizeForScreen();
  RestoreSettings();
}

TForm1::~TForm1() {
  FinishHeaderReading();
  // Controls going with the window must not call back into it, nor record anything.
  disconnect(model_, nullptr, this, nullptr);
  for (QObject* sender : findChildren<QObject*>()) disconnect(sender, nullptr, this, nullptr);
  history_.reset();
}

const ClassInput& TForm1::CurrentInput() const { return model_->Input(); }

TargetSystem TForm1::SelectedSystem() const { return model_->Options().TargetSystem; }

NameForm TForm1::SelectedNameForm() const { return model_->Options().NameForm; }

const InsertionList& TForm1::HeaderInsertions() const { return model_->HeaderInsertions(); }

QUndoStack* TForm1::History() const { return history_->Stack(); }

bool TForm1::HoldsInsertion(const std::string& text) const { return model_->HoldsInsertion(text); }

void TForm1::SetCompanions(TGenEnumForm* genEnumForm, TUserLogWindow* userLogWindow) {
  genEnumForm_ = genEnumForm;
  userLogWindow_ = userLogWindow;
  if (genEnumForm_ != nullptr)
    connect(genEnumForm_, &TGenEnumForm::Finished, this, &TForm1::ReportEnumeration);
  if (userLogWindow_ != nullptr)
    connect(userLogWindow_, &TUserLogWindow::Logged, this, &TForm1::Say);
}

TGenEnumForm* TForm1::GenEnumForm() {
  if (genEnumForm_ == nullptr) {
    ownGenEnumForm_ = std::make_unique<TGenEnumForm>(services_, *this);
    genEnumForm_ = ownGenEnumForm_.get();
    connect(genEnumForm_, &TGenEnumForm::Finished, this, &TForm1::ReportEnumeration);
  }
  return genEnumForm_;
}

TUserLogWindow* TForm1::UserLogWindow() {
  if (userLogWindow_ == nullptr) {
    ownUserLogWindow_ = std::make_unique<TUserLogWindow>(services_);
    userLogWindow_ = ownUserLogWindow_.get();
    connect(userLogWindow_, &TUserLogWindow::Logged, this, &TForm1::Say);
  }
  return userLogWindow_;
}

void TForm1::CentreOnWindow(QWidget* companion) const {
  // Where it is already open, it stays.
  if (companion->isVisible() || !isVisible()) return;
  companion->ensurePolished();
  QRect placed(QPoint(), companion->size().expandedTo(companion->sizeHint()));
  placed.moveCenter(frameGeometry().center());
  if (const QScreen* shown = screen()) {
    const QRect free = shown->availableGeometry();
    placed.moveLeft(std::clamp(placed.left(), free.left(),
                               std::max(free.left(), free.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), free.top(),
                              std::max(free.top(), free.bottom() - placed.height())));
  }
  companion->move(placed.topLeft());
}

void TForm1::Say(const QString& message) {
  statusBar()->showMessage(message);
  ui_->OpenFolderButton->hide();
}

void TForm1::DoIt() {
  const std::optional<ClassDescription> description = ReadClassDescription(model_->Input());
  if (!description) {
    services_.ShowMessage(this, std::string(ShortClassNameMessage),
                          std::string(ShortClassNameCaption));
    return;
  }
  const std::optional<std::string> path =
      ChooseOutputPath(*description, *ui_->SaveDialog1, ProposedOutputPath(*description));
  if (!path) {
    Say(QString());
    return;
  }
  BuildTo(*description, *path);
}

void TForm1::Rebuild() {
  if (outputPath_.empty()) {
    DoIt();
    return;
  }
  const std::optional<ClassDescription> description = ReadClassDescription(model_->Input());
  if (!description) {
    services_.ShowMessage(this, std::string(ShortClassNameMessage),
                          std::string(ShortClassNameCaption));
    return;
  }
  BuildTo(*description, outputPath_);
}

std::string TForm1::ProposedOutputPath(const ClassDescription& description) const {
  std::string name = ProposedFileName(description);
  if (!outputPath_.empty()) {
    // The same place and name, with the extension of the target chosen now.
    const std::string stem = FileStem(outputPath_);
    return stem.substr(0, stem.size() - 1) +
           std::string(TargetOf(description.Options.TargetSystem).ProposedExtension);
  }
  if (!documentPath_.empty())
    return QFileInfo(QString::fromStdString(documentPath_)).absolutePath().toStdString() + '/' +
           name;
  if (!lastFolder_.isEmpty()) return (lastFolder_ + u'/').toStdString() + name;
  return name;
}

void TForm1::BuildTo(const ClassDescription& description, const std::string& path) {
  // The source file may hold the user's code: an edited file gets the new text merged into it
  // (the file before goes to the trash), and conflicts or an edited file with no record of what
  // was generated into it are put to the user.
  // Names the target's language cannot take: the modern targets refuse them before anything is
  // written, the classic ones write as always and warn.
  const NameVerdict names = CheckTargetNames(description);
  if (names.Refused) {
    services_.ShowMessage(this,
                          tr("Build refuses these names: %1.")
                              .arg(QString::fromStdString(DescribeNameProblems(names.Problems)))
                              .toStdString(),
                          tr("Error").toStdString());
    Say(tr("Nothing written"));
    return;
  }
  const std::vector<OutputFile> files = ClassOutputFiles(description, path);
  const RegenerationOutcome outcome = RegenerateFiles(this, services_, files);
  if (outcome.End == RegenerationEnd::Failed) return;
  if (outcome.End != RegenerationEnd::Written) {
    Say(tr("Nothing written"));
    return;
  }
  const std::string absolute =
      QFileInfo(QString::fromStdString(path)).absoluteFilePath().toStdString();
  if (absolute != outputPath_) {
    outputPath_ = absolute;
    outputPathUnsaved_ = true;
    UpdateTitle();
  }
  std::vector<std::string> paths;
  paths.reserve(files.size());
  for (const OutputFile& file : files) paths.push_back(file.Path);
  ReportBuild(paths);
  if (const QString told = OutcomeMessage(outcome); !told.isEmpty()) statusBar()->showMessage(told);
  const std::string mismatches = MismatchSummary(InsertionMismatches(description));
  if (!mismatches.empty())
    statusBar()->showMessage(statusBar()->currentMessage() + tr(". Note: ") +
                             QString::fromStdString(mismatches));
  if (!names.Problems.empty())
    statusBar()->showMessage(statusBar()->currentMessage() + tr(". Warning: ") +
                             QString::fromStdString(DescribeNameProblems(names.Problems)));
}

void TForm1::Clear() {
  history_->Change(tr("Clear"), [](ClassInput& input) {
    input.NameText.clear();
    input.Grid = {};
    for (const FlagOption& option : FlagOptions)
      if (option.Cleared) input.Options.*option.Field = option.Default;
    input.Options.ComparisonLevel = ComparisonLevel::NoComparisons;
  });
}

void TForm1::Closer() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  if (!MaybeSave()) {
    event->ignore();
    return;
  }
  KeepSettings();
  // The application ends with the main window, whatever else is open.
  if (genEnumForm_ != nullptr) genEnumForm_->hide();
  if (userLogWindow_ != nullptr) userLogWindow_->hide();
  event->accept();
  emit Closed();
}

void TForm1::EnumGen() { OpenEnumerationDialog(EnumerationStyle::PlainEnumeration); }

void TForm1::EnumGen2() { OpenEnumerationDialog(EnumerationStyle::EnumerationClass); }

void TForm1::OpenEnumerationDialog(EnumerationStyle style) {
  TGenEnumForm* dialog = GenEnumForm();
  // The window manager may place a window shown again anywhere: it comes back where it was.
  if (isVisible()) hiddenAt_ = geometry().topLeft();
  CentreOnWindow(dialog);
  hide();
  dialog->SetStyle(style);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void TForm1::LogIt() {
  TUserLogWindow* window = UserLogWindow();
  window->HandOver({tr(LogPrompt).toStdString(), UserLogFileName(), std::string()});
  CentreOnWindow(window);
  window->ShowAndRaise();
}

void TForm1::ConstSeq() {
  services_.ShowMessage(this, tr("This function has not yet been implemented.").toStdString(),
                        tr("Oops, unavailable feature.").toStdString());
}

void TForm1::SystemChanged() {
  const int row = ui_->SystemBox->AcceptedIndex();
  const TargetSystem system = ClassTargets()[static_cast<std::size_t>(row)].System;
  history_->Change(tr("Target System"),
                   [system](ClassInput& input) { input.Options.TargetSystem = system; });
}

void TForm1::FormChange() {
  const auto form = static_cast<NameForm>(ui_->FormBox->AcceptedIndex());
  history_->Change(tr("Form of Names"),
                   [form](ClassInput& input) { input.Options.NameForm = form; });
}

void TForm1::SystemChosen() {
  UpdateLibraryCaption();
  UpdateLibraryBoxes();
}

void TForm1::AcceptEnumeration(const std::string& typeName, std::string text) {
  ShowMainWindow();
  const SharedText shared = ShareText(std::move(text));
  history_->Change(tr("Collect Enumeration"), [&](ClassInput& input) {
    input.HeaderInsertions.push_back(shared);
    for (auto& row : input.Grid) {
      if (row[0].empty()) {
        row[0] = typeName;
        break;
      }
    }
  });
}

void TForm1::ShowMainWindow() {
  // The window manager would place the window mapped again as it places a new one; a position
  // given by the program it keeps.
  if (!isVisible() && hiddenAt_ && windowHandle() != nullptr)
    windowHandle()->setPosition(*hiddenAt_);
  hiddenAt_.reset();
  show();
  raise();
  activateWindow();
}

}  // namespace zandrel
