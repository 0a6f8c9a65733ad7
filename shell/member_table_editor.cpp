#include "shell/member_table_editor.h"

#include <QAbstractItemDelegate>
#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QItemSelection>
#include <QSignalBlocker>
#include <algorithm>

#include "desktop/live_edit_grid.h"
#include "desktop/platform_services.h"
#include "document/description_model.h"
#include "shell/description_history.h"
#include "shell/member_table.h"

namespace zandrel {

namespace {

const char* const LeftOutMessage = QT_TRANSLATE_NOOP(
    "zandrel::TForm1",
    "Some of the pasted text did not fit into the member table and was left out.");

QString Text(const std::string& text) { return QString::fromStdString(text); }

int RowCount(const DescriptionModel& model) { return static_cast<int>(model.Input().Grid.size()); }

}  // namespace

MemberTableEditor::MemberTableEditor(LiveEditGrid& grid, const DescriptionModel& model,
                                     DescriptionHistory& history, PlatformServices& services,
                                     QWidget& window, Say say)
    : grid_(grid),
      model_(model),
      history_(history),
      services_(services),
      window_(window),
      say_(std::move(say)) {}

LiveEditGrid* MemberTableEditor::MakeGrid(QWidget* parent) {
  auto* grid = new LiveEditGrid(MemberGridRows, MemberGridColumns, parent);
  grid->setHorizontalHeaderLabels({tr("Type"), tr("Name"), tr("Initial value")});
  grid->horizontalHeader()->setHighlightSections(false);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  // Tab leaves the grid for the next control; arrows move between cells.
  grid->setTabKeyNavigation(false);
  grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  // The Name column takes the spare width; the others keep what the user drags them to.
  QHeaderView* header = grid->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(1, QHeaderView::Stretch);
  header->resizeSection(
      0, header->fontMetrics().horizontalAdvance(QStringLiteral("unsigned long int")));
  header->resizeSection(
      2, header->fontMetrics().horizontalAdvance(tr("Initial value") + QStringLiteral("  ")));
  return grid;
}

void MemberTableEditor::FitHeight(LiveEditGrid& grid) {
  grid.setMaximumHeight(grid.horizontalHeader()->sizeHint().height() +
                        grid.verticalHeader()->length() + 2 * grid.frameWidth());
  // Where the window flows into one column, the table shows every row too.
  if (grid.minimumHeight() > 0) grid.setMinimumHeight(grid.maximumHeight());
}

std::vector<CellPosition> MemberTableEditor::DifferingCells() const {
  std::vector<CellPosition> cells;
  const int rows = std::min(grid_.rowCount(), RowCount(model_));
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < MemberGridColumns; ++column)
      if (grid_.CellText(row, column) != Text(model_.Cell(row, column)))
        cells.push_back({row, column});
  return cells;
}

void MemberTableEditor::Show() {
  const int rows = RowCount(model_);
  // The cell being typed into already shows what the model took from it.
  if (grid_.rowCount() == rows && DifferingCells().empty()) return;
  // An open editor would go on showing the text from before.
  FinishCellEdit(false);
  const QSignalBlocker quiet(&grid_);
  if (grid_.rowCount() != rows) {
    grid_.SetRows(rows);
    FitHeight(grid_);
  }
  for (const CellPosition& cell : DifferingCells())
    grid_.item(cell.Row, cell.Column)->setText(Text(model_.Cell(cell.Row, cell.Column)));
}

void MemberTableEditor::Edited() {
  const QModelIndex at = grid_.currentIndex();
  if (at.isValid() && grid_.indexWidget(at) != nullptr) {
    const std::string typed = grid_.CellText(at.row(), at.column()).toStdString();
    // Text with a tab or line break typed or pasted into the open cell goes over the cells.
    if (SpansCells(typed)) {
      FinishCellEdit(false);
      PasteAt({at.row(), at.column()}, typed);
      return;
    }
  }
  const std::vector<CellPosition> changed = DifferingCells();
  if (changed.empty()) return;
  const auto edit = [grid = &grid_, changed](ClassInput& input) {
    for (const CellPosition& cell : changed)
      input.Grid[cell.Row][cell.Column] = grid->CellText(cell.Row, cell.Column).toStdString();
  };
  if (changed.size() == 1)
    history_.Change(tr("Typing in Row %1").arg(changed[0].Row + 1), edit,
                    CellField(changed[0].Row, changed[0].Column));
  else
    history_.Change(tr("Changes"), edit);
}

void MemberTableEditor::FinishCellEdit(bool keep) {
  const QModelIndex at = grid_.currentIndex();
  QWidget* editor = at.isValid() ? grid_.indexWidget(at) : nullptr;
  if (editor == nullptr) return;
  QAbstractItemDelegate* delegate = grid_.itemDelegateForIndex(at);
  if (keep) emit delegate->commitData(editor);
  emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

std::vector<int> MemberTableEditor::SelectedRows() const {
  std::vector<int> rows;
  for (const CellPosition& cell : SelectedCells()) rows.push_back(cell.Row);
  return rows;
}

std::vector<CellPosition> MemberTableEditor::SelectedCells() const {
  std::vector<CellPosition> cells;
  for (const QModelIndex& index : grid_.selectionModel()->selectedIndexes())
    cells.push_back({index.row(), index.column()});
  const QModelIndex current = grid_.currentIndex();
  if (cells.empty() && current.isValid()) cells.push_back({current.row(), current.column()});
  return cells;
}

void MemberTableEditor::SelectRows(const std::vector<int>& rows) {
  if (rows.empty()) return;
  const int column = std::max(grid_.currentColumn(), 0);
  QItemSelection selection;
  for (int row : rows)
    selection.select(grid_.model()->index(row, 0),
                     grid_.model()->index(row, MemberGridColumns - 1));
  grid_.setCurrentCell(*std::min_element(rows.begin(), rows.end()), column,
                       QItemSelectionModel::NoUpdate);
  grid_.selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
}

void MemberTableEditor::SelectBlock(CellPosition first, int rows, int columns) {
  if (rows <= 0 || columns <= 0) return;
  grid_.setCurrentCell(first.Row, first.Column, QItemSelectionModel::NoUpdate);
  const QItemSelection block(
      grid_.model()->index(first.Row, first.Column),
      grid_.model()->index(first.Row + rows - 1, first.Column + columns - 1));
  grid_.selectionModel()->select(block, QItemSelectionModel::ClearAndSelect);
}

void MemberTableEditor::InsertRow() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  const int at = rows.empty() ? 0 : *std::min_element(rows.begin(), rows.end());
  const std::optional<MemberTable> table =
      zandrel::InsertRows(model_.Input().Grid, at, std::vector<MemberCells>(1));
  if (!table) return;
  history_.Change(tr("Insert Row"), [&table](ClassInput& input) { input.Grid = *table; });
  SelectRows({at});
}

void MemberTableEditor::DeleteRows() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  const MemberTable table = zandrel::DeleteRows(model_.Input().Grid, rows);
  history_.Change(tr("Delete Rows"), [&table](ClassInput& input) { input.Grid = table; });
  SelectRows({*std::min_element(rows.begin(), rows.end())});
}

void MemberTableEditor::MoveRowsUp() { MoveRows(-1, tr("Move Rows Up")); }

void MemberTableEditor::MoveRowsDown() { MoveRows(1, tr("Move Rows Down")); }

void MemberTableEditor::MoveRows(int step, const QString& text) {
  FinishCellEdit(true);
  std::vector<int> rows = SelectedRows();
  const std::optional<MemberTable> table = zandrel::MoveRows(model_.Input().Grid, rows, step);
  if (!table) return;
  history_.Change(text, [&table](ClassInput& input) { input.Grid = *table; });
  for (int& row : rows) row += step;
  SelectRows(rows);
}

void MemberTableEditor::DuplicateRows() {
  FinishCellEdit(true);
  const std::vector<int> rows = SelectedRows();
  if (rows.empty()) return;
  const std::optional<MemberTable> table = zandrel::DuplicateRows(model_.Input().Grid, rows);
  if (!table) return;
  history_.Change(tr("Duplicate Rows"), [&table](ClassInput& input) { input.Grid = *table; });
  std::vector<int> copies(rows);
  std::sort(copies.begin(), copies.end());
  copies.erase(std::unique(copies.begin(), copies.end()), copies.end());
  const int first = copies.back() + 1;
  for (std::size_t i = 0; i < copies.size(); ++i) copies[i] = first + static_cast<int>(i);
  SelectRows(copies);
}

void MemberTableEditor::CopyCells() {
  FinishCellEdit(true);
  QGuiApplication::clipboard()->setText(
      Text(zandrel::CopyCells(model_.Input().Grid, SelectedCells())));
  say_(tr("Copied the selected cells"));
}

void MemberTableEditor::PasteCells() {
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

void MemberTableEditor::PasteAt(CellPosition at, const std::string& text) {
  const PastedCells pasted = zandrel::PasteCells(model_.Input().Grid, at, text);
  history_.Change(tr("Paste"), [&pasted](ClassInput& input) { input.Grid = pasted.Table; });
  SelectBlock(pasted.First, pasted.Rows, pasted.Columns);
  if (pasted.LeftOut)
    services_.ShowMessage(&window_, tr(LeftOutMessage).toStdString(), tr("Paste").toStdString());
}

void MemberTableEditor::EmptyCells() {
  FinishCellEdit(true);
  const MemberTable table = zandrel::EmptyCells(model_.Input().Grid, SelectedCells());
  history_.Change(tr("Delete"), [&table](ClassInput& input) { input.Grid = table; });
}

}  // namespace zandrel
