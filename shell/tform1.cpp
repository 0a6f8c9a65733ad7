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

#include "desktop/platform_services.h"
#include "document/description_model.h"
#include "enumgen/genenum.h"
#include "feedback/log_entry.h"
#include "feedback/userlog.h"
#include "shell/description_history.h"
#include "shell/document_actions.h"
#include "shell/member_table_editor.h"
#include "shell/options_panel.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

const char* const LogPrompt = QT_TRANSLATE_NOOP(
    "zandrel::TForm1", "Please note precisely what the error is or what should be improved.");

}  // namespace

void CentreOn(QWidget* companion, const QWidget& window) {
  // Where it is already open, it stays.
  if (companion->isVisible() || !window.isVisible()) return;
  companion->ensurePolished();
  QRect placed(QPoint(), companion->size().expandedTo(companion->sizeHint()));
  placed.moveCenter(window.frameGeometry().center());
  if (const QScreen* shown = window.screen()) {
    const QRect free = shown->availableGeometry();
    placed.moveLeft(std::clamp(placed.left(), free.left(),
                               std::max(free.left(), free.right() - placed.width())));
    placed.moveTop(std::clamp(placed.top(), free.top(),
                              std::max(free.top(), free.bottom() - placed.height())));
  }
  companion->move(placed.topLeft());
}

TForm1::TForm1(PlatformServices& services, QWidget* parent)
    : QMainWindow(parent),
      services_(services),
      ui_(std::make_unique<TForm1Ui>()),
      model_(new DescriptionModel(this)),
      history_(std::make_unique<DescriptionHistory>(*model_)) {
  const auto say = [this](const QString& message) { Say(message); };
  BuildControls(*ui_, this);
  options_ = std::make_unique<OptionsPanel>(*ui_, *model_, *history_, services_, *this);
  ArrangeControls(*ui_, this);
  BuildMenus(*ui_, this, History());
  BuildStatusBar();
  table_ = std::make_unique<MemberTableEditor>(*ui_->StringGrid1, *model_, *history_, services_,
                                               *this, say);
  files_ = std::make_unique<DocumentActions>(*this, *ui_, *model_, *history_, services_, say);
  BindControls();
  ConnectMenus();

  files_->UpdateTitle();
  SetTabOrder(*ui_);
  ui_->Button1->setFocus();
  SizeForScreen();
  files_->RestoreSettings();
}

TForm1::~TForm1() {
  files_->FinishHeaderReading();
  // Controls going with the window must not call back into it, nor record anything.
  disconnect(model_, nullptr, this, nullptr);
  for (QObject* sender : findChildren<QObject*>()) disconnect(sender, nullptr, this, nullptr);
  history_.reset();
}

const std::string& TForm1::DocumentPath() const { return files_->DocumentPath(); }

const std::string& TForm1::OutputPath() const { return files_->OutputPath(); }

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

void TForm1::Say(const QString& message) {
  statusBar()->showMessage(message);
  ui_->OpenFolderButton->hide();
}

void TForm1::DoIt() { files_->Build(); }

void TForm1::Rebuild() { files_->Rebuild(); }

void TForm1::NewDocument() { files_->NewDocument(); }

bool TForm1::OpenDocument() { return files_->OpenDocument(); }

bool TForm1::OpenFile(const std::string& path) { return files_->OpenFile(path); }

bool TForm1::SaveDocument() { return files_->SaveDocument(); }

bool TForm1::SaveDocumentAs() { return files_->SaveDocumentAs(); }

void TForm1::ImportHeaderFile() { files_->ImportHeaderFile(); }

void TForm1::InsertRow() { table_->InsertRow(); }

void TForm1::DeleteRows() { table_->DeleteRows(); }

void TForm1::MoveRowsUp() { table_->MoveRowsUp(); }

void TForm1::MoveRowsDown() { table_->MoveRowsDown(); }

void TForm1::DuplicateRows() { table_->DuplicateRows(); }

void TForm1::CopyCells() { table_->CopyCells(); }

void TForm1::PasteCells() { table_->PasteCells(); }

void TForm1::EmptyCells() { table_->EmptyCells(); }

void TForm1::Clear() {
  history_->Change(tr("Clear"), [](ClassInput& input) {
    input.NameText.clear();
    for (MemberCells& row : input.Grid) row = {};
    for (const FlagOption& option : FlagOptions)
      if (option.Cleared) input.Options.*option.Field = option.Default;
    input.Options.ComparisonLevel = ComparisonLevel::NoComparisons;
  });
}

void TForm1::Closer() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  if (!files_->MaybeSave()) {
    event->ignore();
    return;
  }
  files_->KeepSettings(!narrow_);
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
  CentreOn(dialog, *this);
  hide();
  dialog->SetStyle(style);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void TForm1::LogIt() {
  TUserLogWindow* window = UserLogWindow();
  window->HandOver({tr(LogPrompt).toStdString(), UserLogFileName(), std::string()});
  CentreOn(window, *this);
  window->ShowAndRaise();
}

void TForm1::ConstSeq() {
  services_.ShowMessage(this, tr("This function has not yet been implemented.").toStdString(),
                        tr("Oops, unavailable feature.").toStdString());
}

void TForm1::SystemChanged() { options_->AcceptSystem(); }

void TForm1::FormChange() { options_->AcceptForm(); }

void TForm1::SystemChosen() {
  UpdateLibraryCaption();
  UpdateLibraryBoxes();
}

void TForm1::UpdateLibraryCaption() { options_->UpdateLibraryCaption(); }

void TForm1::UpdateLibraryBoxes() { options_->UpdateLibraryBoxes(); }

namespace {

// Puts the type name into the first empty Type cell, unless a Type cell holds it already.
void PlaceTypeName(decltype(ClassInput::Grid)& grid, const std::string& typeName, bool unlessHeld) {
  if (unlessHeld && std::any_of(grid.begin(), grid.end(),
                                [&typeName](const auto& row) { return row[0] == typeName; }))
    return;
  for (auto& row : grid) {
    if (row[0].empty()) {
      row[0] = typeName;
      break;
    }
  }
}

}  // namespace

void TForm1::AcceptEnumeration(HeaderInsertion insertion) {
  ShowMainWindow();
  history_->Change(tr("Collect Enumeration"), [&](ClassInput& input) {
    PlaceTypeName(input.Grid, insertion.TypeName, false);
    input.HeaderInsertions.push_back(std::move(insertion));
  });
}

void TForm1::ReplaceEnumeration(std::size_t index, HeaderInsertion insertion) {
  if (index >= HeaderInsertions().size()) return AcceptEnumeration(std::move(insertion));
  ShowMainWindow();
  history_->Change(tr("Edit Enumeration"), [&](ClassInput& input) {
    PlaceTypeName(input.Grid, insertion.TypeName, true);
    input.HeaderInsertions.ReplaceAt(index, std::move(insertion));
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
