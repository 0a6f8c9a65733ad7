// The main window's description as a document: files, undo and redo, row and cell editing in the
// member table, and the collected enumerations.

#include <QAbstractItemDelegate>
#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelection>
#include <QKeyEvent>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QUndoStack>
#include <algorithm>
#include <utility>
#include <variant>

#include "core/output_text.h"
#include "desktop/choice_box.h"
#include "desktop/live_edit_grid.h"
#include "desktop/platform_services.h"
#include "shell/collected_enumerations.h"
#include "shell/description_file.h"
#include "shell/description_history.h"
#include "shell/tform1.h"

namespace zandrel {

namespace {

const char* const NoRoomMessage =
    "The member table has no room for another row: its last row is not empty.";
const char* const LeftOutMessage =
    "Some of the pasted text did not fit into the member table and was left out.";

QString Text(const std::string& text) { return QString::fromStdString(text); }

// Accepts the item as if the user had picked it, so the window follows as it does then.
void Choose(ChoiceBox* box, int index) {
  if (box->AcceptedIndex() == index) return;
  box->setCurrentIndex(index);
  emit box->activated(index);
}

QAction* MakeAction(QWidget* window, const char* text, const QList<QKeySequence>& keys) {
  auto* action = new QAction(QString::fromUtf8(text), window);
  action->setShortcuts(keys);
  return action;
}

}  // namespace

QUndoStack* TForm1::History() const { return history_->Stack(); }

void TForm1::BuildMenus() {
  MenuBar = new QMenuBar(this);
  layout()->setMenuBar(MenuBar);

  NewAction = MakeAction(this, "&New", QKeySequence::keyBindings(QKeySequence::New));
  OpenAction = MakeAction(this, "&Open…", QKeySequence::keyBindings(QKeySequence::Open));
  SaveAction = MakeAction(this, "&Save", QKeySequence::keyBindings(QKeySequence::Save));
  SaveAsAction = MakeAction(this, "Save &As…", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
  ExitAction = MakeAction(this, "E&xit", {QKeySequence(Qt::CTRL | Qt::Key_Q)});
  FileMenu = MenuBar->addMenu(QStringLiteral("&File"));
  FileMenu->addActions({NewAction, OpenAction});
  RecentMenu = FileMenu->addMenu(QStringLiteral("Open &Recent"));
  FileMenu->addActions({SaveAction, SaveAsAction});
  FileMenu->addSeparator();
  FileMenu->addAction(ExitAction);

  UndoAction = History()->createUndoAction(this, QStringLiteral("&Undo"));
  UndoAction->setShortcuts(QKeySequence::Undo);
  RedoAction = History()->createRedoAction(this, QStringLiteral("&Redo"));
  RedoAction->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
  CopyAction = MakeAction(this, "&Copy", QKeySequence::keyBindings(QKeySequence::Copy));
  PasteAction = MakeAction(this, "&Paste", QKeySequence::keyBindings(QKeySequence::Paste));
  DeleteAction = MakeAction(this, "&Delete", QKeySequence::keyBindings(QKeySequence::Delete));
  InsertRowAction =
      MakeAction(this, "&Insert Row", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert)});
  DeleteRowsAction =
      MakeAction(this, "Delete R&ows", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)});
  MoveUpAction =
      MakeAction(this, "Move Row &Up", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)});
  MoveDownAction =
      MakeAction(this, "Move Row Do&wn", {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)});
  DuplicateAction = MakeAction(this, "Dup&licate Row", {QKeySequence(Qt::CTRL | Qt::Key_D)});
  EnumerationsAction = MakeAction(this, "Collected &Enumerations…", {});

  const QList<QAction*> tableActions{CopyAction,   PasteAction,     DeleteAction,
                                     nullptr,      InsertRowAction, DeleteRowsAction,
                                     MoveUpAction, MoveDownAction,  DuplicateAction};
  EditMenu = MenuBar->addMenu(QStringLiteral("&Edit"));
  EditMenu->addActions({UndoAction, RedoAction});
  EditMenu->addSeparator();
  StringGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
  for (QAction* action : tableActions) {
    if (action == nullptr) {
      EditMenu->addSeparator();
      auto* separator = new QAction(StringGrid1);
      separator->setSeparator(true);
      StringGrid1->addAction(separator);
      continue;
    }
    // Keys that the other controls use for themselves act on the table only where it has the
    // focus.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    EditMenu->addAction(action);
    StringGrid1->addAction(action);
  }
  EditMenu->addSeparator();
  EditMenu->addAction(EnumerationsAction);

  connect(NewAction, &QAction::triggered, this, &TForm1::NewDocument);
  connect(OpenAction, &QAction::triggered, this, &TForm1::OpenDocument);
  connect(SaveAction, &QAction::triggered, this, &TForm1::SaveDocument);
  connect(SaveAsAction, &QAction::triggered, this, &TForm1::SaveDocumentAs);
  connect(ExitAction, &QAction::triggered, this, &TForm1::Closer);
  connect(CopyAction, &QAction::triggered, this, &TForm1::CopyCells);
  connect(PasteAction, &QAction::triggered, this, &TForm1::PasteCells);
  connect(DeleteAction, &QAction::triggered, this, &TForm1::EmptyCells);
  connect(InsertRowAction, &QAction::triggered, this, &TForm1::InsertRow);
  connect(DeleteRowsAction, &QAction::triggered, this, &TForm1::DeleteRows);
  connect(MoveUpAction, &QAction::triggered, this, &TForm1::MoveRowsUp);
  connect(MoveDownAction, &QAction::triggered, this, &TForm1::MoveRowsDown);
  connect(DuplicateAction, &QAction::triggered, this, &TForm1::DuplicateRows);
  connect(EnumerationsAction, &QAction::triggered, this, &TForm1::ShowEnumerations);
  // Read when the menu opens, not at start-up, and so also the files another window saved.
  connect(FileMenu, &QMenu::aboutToShow, this, &TForm1::UpdateRecentMenu);
  AddCommandMenus();

  openDialog_ = services_.CreateOpenDialog(this);
  saveAsDialog_ = services_.CreateSaveDialog(this);
  for (FileDialog* dialog : {openDialog_.get(), saveAsDialog_.get()}) {
    dialog->Filter = std::string(DescriptionFilter);
    dialog->FilterIndex = 1;
  }
  openDialog_->Title = "Open Class Description";
  saveAsDialog_->Title = "Save Class Description As";
}

void TForm1::ConnectHistory() {
  history_ = std::make_unique<DescriptionHistory>(
      [this] { return CurrentState(); },
      [this](const DescriptionState& state) { ShowState(state); });
  const auto record = [this] {
    if (history_) history_->Record();
  };
  connect(NameEdit, &QLineEdit::textChanged, this, record);
  connect(StringGrid1, &LiveEditGrid::Edited, this, &TForm1::GridEdited);
  connect(RadioGroup1Items, &QButtonGroup::idToggled, this, [record](int, bool checked) {
    if (checked) record();
  });
  for (QCheckBox* box :
       {PrivateCheck, VCLCheck, StdCheck, MathCheck, StringCheck, BigConstructorBox, ToStringBox})
    connect(box, &QCheckBox::toggled, this, record);
  for (ChoiceBox* box : {SystemBox, FormBox}) connect(box, &ChoiceBox::Accepted, this, record);
  connect(History(), &QUndoStack::cleanChanged, this,
          [this](bool clean) { setWindowModified(!clean); });
  // The class name box's own undo would bypass the description's history.
  NameEdit->installEventFilter(this);
}

DescriptionState TForm1::CurrentState() const {
  ClassInput input = CurrentInput();
  // The collected texts are shared with the window, not copied into every undo step.
  return {std::move(input.NameText), input.Grid, input.Options, headerInsertions_};
}

void TForm1::ShowState(const DescriptionState& state) {
  // An open editor would go on showing the text from before.
  FinishCellEdit(false);
  if (NameEdit->text() != Text(state.NameText)) NameEdit->setText(Text(state.NameText));
  {
    const QSignalBlocker quiet(StringGrid1);
    for (int row = 0; row < MemberGridRows; ++row)
      for (int column = 0; column < 3; ++column) {
        QTableWidgetItem* cell = StringGrid1->item(row, column);
        const QString text = Text(state.Table[row][column]);
        if (cell->text() != text) cell->setText(text);
      }
  }
  const GenerationOptions& options = state.Options;
  SetComparisonIndex(static_cast<int>(options.ComparisonLevel));
  for (const auto& [box, ticked] : {std::pair{PrivateCheck, options.PrivateCopy},
                                    {VCLCheck, options.FrameworkLibrary},
                                    {StdCheck, options.StdLib},
                                    {MathCheck, options.MathLib},
                                    {StringCheck, options.CStrings},
                                    {BigConstructorBox, options.BigConstructor},
                                    {ToStringBox, options.ToStringMethod}})
    box->setChecked(ticked);
  Choose(FormBox, static_cast<int>(options.NameForm));
  Choose(SystemBox, static_cast<int>(options.TargetSystem));
  headerInsertions_ = state.HeaderInsertions;
  UpdatePreview();
  if (EnumerationList != nullptr)
    EnumerationList->ShowInsertions(headerInsertions_, EnumerationList->SelectedInsertion());
}

void TForm1::ChangeTable(const QString& text, const MemberTable& table) {
  DescriptionState changed = CurrentState();
  changed.Table = table;
  history_->Change(text, changed);
}

void TForm1::ChangeInsertions(const QString& text, InsertionList insertions, int selected) {
  DescriptionState changed = CurrentState();
  changed.HeaderInsertions = std::move(insertions);
  history_->Change(text, changed);
  if (EnumerationList != nullptr) EnumerationList->ShowInsertions(headerInsertions_, selected);
}

// Files

void TForm1::StartDocument(const ClassInput& input, const std::string& path) {
  history_->ShowState(StateOf(input));
  history_->Reset();
  documentPath_ = path;
  UpdateTitle();
}

void TForm1::UpdateTitle() {
  setWindowTitle(documentPath_.empty()
                     ? QStringLiteral("Zandrel[*]")
                     : Text(FileNameOf(documentPath_)) + QStringLiteral("[*] - Zandrel"));
  setWindowModified(!History()->isClean());
}

void TForm1::UpdateRecentMenu() {
  RecentMenu->clear();
  const QStringList files = RecentFiles();
  for (qsizetype i = 0; i < files.size(); ++i) {
    QString shown = files[i];
    shown.replace(u'&', QStringLiteral("&&"));
    QAction* action = RecentMenu->addAction(QStringLiteral("&%1 %2").arg(i + 1).arg(shown));
    connect(action, &QAction::triggered, this, [this, path = files[i].toStdString()] {
      if (MaybeSave()) OpenFile(path);
    });
  }
  RecentMenu->setEnabled(!files.isEmpty());
}

bool TForm1::MaybeSave() {
  if (History()->isClean()) return true;
  const std::string text = documentPath_.empty()
                               ? "Save changes to the new class description?"
                               : "Save changes to \"" + FileNameOf(documentPath_) + "\"?";
  switch (services_.AskSaveChanges(this, text, "Save Changes")) {
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
  if (MaybeSave()) StartDocument(ClassInput(), std::string());
}

bool TForm1::OpenDocument() {
  if (!MaybeSave()) return false;
  openDialog_->FileName.clear();
  if (!openDialog_->Execute()) return false;
  return OpenFile(openDialog_->FileName);
}

bool TForm1::OpenFile(const std::string& path) {
  // Refused as zandrel-gen class refuses it, and then nothing in the window changes.
  auto read = ReadDescriptionFile(path);
  if (const auto* message = std::get_if<std::string>(&read)) {
    services_.ShowMessage(this, *message, "Error");
    return false;
  }
  StartDocument(std::get<ClassInput>(read), path);
  AddRecentFile(Text(path));
  UpdateRecentMenu();
  return true;
}

bool TForm1::SaveDocument() {
  if (documentPath_.empty()) return SaveDocumentAs();
  return WriteDocument(documentPath_);
}

bool TForm1::SaveDocumentAs() {
  std::string proposed = documentPath_;
  if (proposed.empty()) {
    const std::optional<ClassDescription> description = ReadClassDescription(CurrentInput());
    const bool named = description && !description->ClassName.empty() &&
                       description->ClassName.find('/') == std::string::npos;
    proposed = (named ? description->ClassName : "Untitled") + std::string(DescriptionSuffix);
  }
  saveAsDialog_->FileName = proposed;
  saveAsDialog_->FilterIndex = 1;
  if (!saveAsDialog_->Execute()) return false;
  const std::string path = WithDescriptionSuffix(saveAsDialog_->FileName);
  if (path != documentPath_ && !ExistingFiles({path}).empty() &&
      !services_.AskYesNo(this, ReplaceQuestion({path}), std::string(ReplaceCaption)))
    return false;
  return WriteDocument(path);
}

bool TForm1::WriteDocument(const std::string& path) {
  if (const auto failure = WriteDescriptionFile(path, CurrentInput())) {
    services_.ShowMessage(this, *failure, "Error");
    return false;
  }
  documentPath_ = path;
  History()->setClean();
  UpdateTitle();
  AddRecentFile(Text(path));
  UpdateRecentMenu();
  return true;
}

// Rows and cells

void TForm1::FinishCellEdit(bool keep) {
  const QModelIndex at = StringGrid1->currentIndex();
  QWidget* editor = at.isValid() ? StringGrid1->indexWidget(at) : nullptr;
  if (editor == nullptr) return;
  QAbstractItemDelegate* delegate = StringGrid1->itemDelegateForIndex(at);
  if (keep) emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void TForm1::GridEdited() {
  if (!history_) return;
  const QModelIndex at = StringGrid1->currentIndex();
  if (at.isValid() && StringGrid1->indexWidget(at) != nullptr) {
    const std::string typed = StringGrid1->CellText(at.row(), at.column()).toStdString();
    if (SpansCells(typed)) {
      FinishCellEdit(false);
      PasteAt({at.row(), at.column()}, typed);
      return;
    }
  }
  history_->Record();
}

std::vector<int> TForm1::SelectedRows() const {
  std::vector<int> rows;
  for (const CellPosition& cell : SelectedCells()) rows.push_back(cell.Row);
  return rows;
}

std::vector<CellPosition> TForm1::SelectedCells() const {
  std::vector<CellPosition> cells;
  for (const QModelIndex& index : StringGrid1->selectionModel()->selectedIndexes())
    cells.push_back({index.row(), index.column()});
  const QModelIndex current = StringGrid1->currentIndex();
  if (cells.empty() && current.isValid()) cells.push_back({current.row(), current.column()});
  return cells;
}

void TForm1::SelectRows(const std::vector<int>& rows) {
  if (rows.empty()) return;
  const int column = std::max(StringGrid1->currentColumn(), 0);
  QItemSelection selection;
  for (int row : rows)
    selection.select(StringGrid1->model()->index(row, 0), StringGrid1->model()->index(row, 2));
  StringGrid1->setCurrentCell(*std::min_element(rows.begin(), rows.end()), column,
                              QItemSelectionModel::NoUpdate);
  StringGrid1->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TForm1::SelectBlock(CellPosition first, int rows, int columns) {
  if (rows <= 0 || columns <= 0) return;
  StringGrid1->setCurrentCell(first.Row, first.Column, QItemSelectionModel::NoUpdate);
  const QItemSelection block(
      StringGrid1->model()->index(first.Row, first.Column),
      StringGrid1->model()->index(first.Row + rows - 1, first.Column + columns - 1));
  StringGrid1->selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

void TForm1::InsertRow() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  const int at = rows.empty() ? 0 : *std::min_element(rows.begin(), rows.end());
  const std::optional<MemberTable> table =
      zandrel::InsertRows(CurrentState().Table, at, std::vector<MemberCells>(1));
  if (!table) {
    services_.ShowMessage(this, NoRoomMessage, "Error");
    return;
  }
  ChangeTable(QStringLiteral("Insert Row"), *table);
  SelectRows({at});
}

void TForm1::DeleteRows() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  ChangeTable(QStringLiteral("Delete Rows"), zandrel::DeleteRows(CurrentState().Table, rows));
  SelectRows({*std::min_element(rows.begin(), rows.end())});
}

void TForm1::MoveRowsUp() {
  FinishCellEdit(true);
  std::vector<int> rows = SelectedRows();
  const std::optional<MemberTable> table = MoveRows(CurrentState().Table, rows, -1);
  if (!table) return;
  ChangeTable(QStringLiteral("Move Rows Up"), *table);
  for (int& row : rows) --row;
  SelectRows(rows);
}

void TForm1::MoveRowsDown() {
  FinishCellEdit(true);
  std::vector<int> rows = SelectedRows();
  const std::optional<MemberTable> table = MoveRows(CurrentState().Table, rows, 1);
  if (!table) return;
  ChangeTable(QStringLiteral("Move Rows Down"), *table);
  for (int& row : rows) ++row;
  SelectRows(rows);
}

void TForm1::DuplicateRows() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  const std::optional<MemberTable> table = zandrel::DuplicateRows(CurrentState().Table, rows);
  if (!table) {
    services_.ShowMessage(this, NoRoomMessage, "Error");
    return;
  }
  ChangeTable(QStringLiteral("Duplicate Rows"), *table);
  std::vector<int> copies(rows);
  std::sort(copies.begin(), copies.end());
  copies.erase(std::unique(copies.begin(), copies.end()), copies.end());
  const int first = copies.back() + 1;
  for (std::size_t i = 0; i < copies.size(); ++i) copies[i] = first + static_cast<int>(i);
  SelectRows(copies);
}

void TForm1::CopyCells() {
  FinishCellEdit(true);
  QGuiApplication::clipboard()->setText(
      Text(zandrel::CopyCells(CurrentState().Table, SelectedCells())));
}

void TForm1::PasteCells() {
  const std::string text = QGuiApplication::clipboard()->text().toStdString();
  if (text.empty()) return;
  FinishCellEdit(true);
  CellPosition at{0, 0};
  const std::vector<CellPosition> cells = SelectedCells();
  if (!cells.empty()) at = cells.front();
  for (const CellPosition& cell : cells)
    at = {std::min(at.Row, cell.Row), std::min(at.Column, cell.Column)};
  PasteAt(at, text);
}

void TForm1::PasteAt(CellPosition at, const std::string& text) {
  const PastedCells pasted = zandrel::PasteCells(CurrentState().Table, at, text);
  ChangeTable(QStringLiteral("Paste"), pasted.Table);
  SelectBlock(pasted.First, pasted.Rows, pasted.Columns);
  if (pasted.LeftOut) services_.ShowMessage(this, LeftOutMessage, "Paste");
}

void TForm1::EmptyCells() {
  FinishCellEdit(true);
  ChangeTable(QStringLiteral("Delete"), zandrel::EmptyCells(CurrentState().Table, SelectedCells()));
}

// Collected enumerations

void TForm1::ShowEnumerations() {
  if (EnumerationList == nullptr) {
    EnumerationList = new CollectedEnumerations(this);
    // Undo and redo answer there too.
    EnumerationList->addActions({UndoAction, RedoAction});
    connect(EnumerationList, &CollectedEnumerations::RemoveRequested, this, [this](int insertion) {
      InsertionList insertions = headerInsertions_;
      if (insertion < 0 || insertion >= static_cast<int>(insertions.size())) return;
      insertions.RemoveAt(static_cast<std::size_t>(insertion));
      const int next = std::min(insertion, static_cast<int>(insertions.size()) - 1);
      ChangeInsertions(QStringLiteral("Remove Enumeration"), std::move(insertions), next);
    });
    connect(EnumerationList, &CollectedEnumerations::MoveRequested, this,
            [this](int insertion, int step) {
              const int to = insertion + step;
              InsertionList insertions = headerInsertions_;
              if (insertion < 0 || to < 0 || to >= static_cast<int>(insertions.size())) return;
              insertions.SwapAt(static_cast<std::size_t>(insertion), static_cast<std::size_t>(to));
              ChangeInsertions(QStringLiteral("Move Enumeration"), std::move(insertions), to);
            });
  }
  EnumerationList->ShowInsertions(headerInsertions_,
                                  static_cast<int>(headerInsertions_.size()) - 1);
  EnumerationList->show();
  EnumerationList->raise();
  EnumerationList->activateWindow();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (watched == NameEdit && event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    for (const QAction* action : {UndoAction, RedoAction})
      if (action != nullptr && action->shortcuts().contains(QKeySequence(key->keyCombination())))
        return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace zandrel
