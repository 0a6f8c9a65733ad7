// The main window's member table edited by rows and cells, and the collected enumerations: each
// command one undoable step on the description.

#include <QAbstractItemDelegate>
#include <QClipboard>
#include <QGuiApplication>
#include <QItemSelection>
#include <QStatusBar>
#include <algorithm>
#include <memory>

#include "desktop/live_edit_grid.h"
#include "desktop/platform_services.h"
#include "document/description_model.h"
#include "enumgen/genenum.h"
#include "shell/collected_enumerations.h"
#include "shell/description_history.h"
#include "shell/member_table.h"
#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

const char* const NoRoomMessage = QT_TRANSLATE_NOOP(
    "zandrel::TForm1", "The member table has no room for another row: its last row is not empty.");
const char* const LeftOutMessage = QT_TRANSLATE_NOOP(
    "zandrel::TForm1",
    "Some of the pasted text did not fit into the member table and was left out.");

QString Text(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

void TForm1::ChangeTable(const QString& text, const std::function<void(ClassInput&)>& edit) {
  history_->Change(text, edit);
}

void TForm1::ChangeInsertions(const QString& text, InsertionList insertions, int selected) {
  history_->Change(
      text, [&insertions](ClassInput& input) { input.HeaderInsertions = std::move(insertions); });
  if (ui_->EnumerationList != nullptr)
    ui_->EnumerationList->ShowInsertions(HeaderInsertions(), selected);
}

// Rows and cells

void TForm1::FinishCellEdit(bool keep) {
  const QModelIndex at = ui_->StringGrid1->currentIndex();
  QWidget* editor = at.isValid() ? ui_->StringGrid1->indexWidget(at) : nullptr;
  if (editor == nullptr) return;
  QAbstractItemDelegate* delegate = ui_->StringGrid1->itemDelegateForIndex(at);
  if (keep) emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

std::vector<int> TForm1::SelectedRows() const {
  std::vector<int> rows;
  for (const CellPosition& cell : SelectedCells()) rows.push_back(cell.Row);
  return rows;
}

std::vector<CellPosition> TForm1::SelectedCells() const {
  std::vector<CellPosition> cells;
  for (const QModelIndex& index : ui_->StringGrid1->selectionModel()->selectedIndexes())
    cells.push_back({index.row(), index.column()});
  const QModelIndex current = ui_->StringGrid1->currentIndex();
  if (cells.empty() && current.isValid()) cells.push_back({current.row(), current.column()});
  return cells;
}

void TForm1::SelectRows(const std::vector<int>& rows) {
  if (rows.empty()) return;
  const int column = std::max(ui_->StringGrid1->currentColumn(), 0);
  QItemSelection selection;
  for (int row : rows)
    selection.select(ui_->StringGrid1->model()->index(row, 0),
                     ui_->StringGrid1->model()->index(row, 2));
  ui_->StringGrid1->setCurrentCell(*std::min_element(rows.begin(), rows.end()), column,
                                   QItemSelectionModel::NoUpdate);
  ui_->StringGrid1->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void TForm1::SelectBlock(CellPosition first, int rows, int columns) {
  if (rows <= 0 || columns <= 0) return;
  ui_->StringGrid1->setCurrentCell(first.Row, first.Column, QItemSelectionModel::NoUpdate);
  const QItemSelection block(
      ui_->StringGrid1->model()->index(first.Row, first.Column),
      ui_->StringGrid1->model()->index(first.Row + rows - 1, first.Column + columns - 1));
  ui_->StringGrid1->selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

void TForm1::InsertRow() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  const int at = rows.empty() ? 0 : *std::min_element(rows.begin(), rows.end());
  const std::optional<MemberTable> table =
      zandrel::InsertRows(model_->Input().Grid, at, std::vector<MemberCells>(1));
  if (!table) {
    services_.ShowMessage(this, tr(NoRoomMessage).toStdString(), tr("Error").toStdString());
    return;
  }
  ChangeTable(tr("Insert Row"), [&table](ClassInput& input) { input.Grid = *table; });
  SelectRows({at});
}

void TForm1::DeleteRows() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  const MemberTable table = zandrel::DeleteRows(model_->Input().Grid, rows);
  ChangeTable(tr("Delete Rows"), [&table](ClassInput& input) { input.Grid = table; });
  SelectRows({*std::min_element(rows.begin(), rows.end())});
}

void TForm1::MoveRowsUp() {
  FinishCellEdit(true);
  std::vector<int> rows = SelectedRows();
  const std::optional<MemberTable> table = MoveRows(model_->Input().Grid, rows, -1);
  if (!table) return;
  ChangeTable(tr("Move Rows Up"), [&table](ClassInput& input) { input.Grid = *table; });
  for (int& row : rows) --row;
  SelectRows(rows);
}

void TForm1::MoveRowsDown() {
  FinishCellEdit(true);
  std::vector<int> rows = SelectedRows();
  const std::optional<MemberTable> table = MoveRows(model_->Input().Grid, rows, 1);
  if (!table) return;
  ChangeTable(tr("Move Rows Down"), [&table](ClassInput& input) { input.Grid = *table; });
  for (int& row : rows) ++row;
  SelectRows(rows);
}

void TForm1::DuplicateRows() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  const std::optional<MemberTable> table = zandrel::DuplicateRows(model_->Input().Grid, rows);
  if (!table) {
    services_.ShowMessage(this, tr(NoRoomMessage).toStdString(), tr("Error").toStdString());
    return;
  }
  ChangeTable(tr("Duplicate Rows"), [&table](ClassInput& input) { input.Grid = *table; });
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
      Text(zandrel::CopyCells(model_->Input().Grid, SelectedCells())));
  Say(tr("Copied the selected cells"));
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
  const PastedCells pasted = zandrel::PasteCells(model_->Input().Grid, at, text);
  ChangeTable(tr("Paste"), [&pasted](ClassInput& input) { input.Grid = pasted.Table; });
  SelectBlock(pasted.First, pasted.Rows, pasted.Columns);
  if (pasted.LeftOut)
    services_.ShowMessage(this, tr(LeftOutMessage).toStdString(), tr("Paste").toStdString());
}

void TForm1::EmptyCells() {
  FinishCellEdit(true);
  const MemberTable table = zandrel::EmptyCells(model_->Input().Grid, SelectedCells());
  ChangeTable(tr("Delete"), [&table](ClassInput& input) { input.Grid = table; });
}

// Collected enumerations

void TForm1::ReopenEnumeration(int insertion) {
  if (insertion < 0 || insertion >= static_cast<int>(HeaderInsertions().size())) return;
  const auto entry = static_cast<std::size_t>(insertion);
  const std::shared_ptr<const EnumerationRequest> request =
      HeaderInsertions().Record(entry).Request;
  if (request == nullptr) return;
  // Only the dialog shows while it is open, so the entry stays where the dialog will put it back.
  ui_->EnumerationList->hide();
  // The dialog keeps the style it was opened in; the request may choose the box's style over it.
  OpenEnumerationDialog(GenEnumForm()->Style());
  GenEnumForm()->Reopen(*request, entry);
}

void TForm1::ShowEnumerations() {
  if (ui_->EnumerationList == nullptr) {
    ui_->EnumerationList = new CollectedEnumerations(this);
    // Undo and redo answer there too.
    ui_->EnumerationList->addActions({ui_->UndoAction, ui_->RedoAction});
    connect(ui_->EnumerationList, &CollectedEnumerations::RemoveRequested, this,
            [this](int insertion) {
              InsertionList insertions = HeaderInsertions();
              if (insertion < 0 || insertion >= static_cast<int>(insertions.size())) return;
              insertions.RemoveAt(static_cast<std::size_t>(insertion));
              const int next = std::min(insertion, static_cast<int>(insertions.size()) - 1);
              ChangeInsertions(tr("Remove Enumeration"), std::move(insertions), next);
            });
    connect(ui_->EnumerationList, &CollectedEnumerations::ReopenRequested, this,
            &TForm1::ReopenEnumeration);
    connect(ui_->EnumerationList, &CollectedEnumerations::MoveRequested, this,
            [this](int insertion, int step) {
              const int to = insertion + step;
              InsertionList insertions = HeaderInsertions();
              if (insertion < 0 || to < 0 || to >= static_cast<int>(insertions.size())) return;
              insertions.SwapAt(static_cast<std::size_t>(insertion), static_cast<std::size_t>(to));
              ChangeInsertions(tr("Move Enumeration"), std::move(insertions), to);
            });
  }
  ui_->EnumerationList->ShowInsertions(HeaderInsertions(),
                                       static_cast<int>(HeaderInsertions().size()) - 1);
  ui_->EnumerationList->show();
  ui_->EnumerationList->raise();
  ui_->EnumerationList->activateWindow();
}

}  // namespace zandrel
