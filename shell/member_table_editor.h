#pragma once

// The main window's member table as the user edits it: the grid shows the description's rows,
// and each typed cell or row command is one undoable step on the description.

#include <QCoreApplication>
#include <QString>
#include <functional>
#include <vector>

class QWidget;

namespace zandrel {

class DescriptionHistory;
class DescriptionModel;
class LiveEditGrid;
class PlatformServices;
struct CellPosition;

class MemberTableEditor {
  // Its texts are the main window's, translated in its context.
  Q_DECLARE_TR_FUNCTIONS(zandrel::TForm1)

 public:
  using Say = std::function<void(const QString&)>;

  MemberTableEditor(LiveEditGrid& grid, const DescriptionModel& model, DescriptionHistory& history,
                    PlatformServices& services, QWidget& window, Say say);

  // The grid with its titles, keys and column widths.
  static LiveEditGrid* MakeGrid(QWidget* parent);
  // The grid grows until every member row shows, and no further.
  static void FitHeight(LiveEditGrid& grid);

  // The grid shows the model's rows, an open editor aside.
  void Show();
  // The user typed into a cell or the grid changed otherwise.
  void Edited();
  // Ends an edit in a cell, keeping or dropping what was typed.
  void FinishCellEdit(bool keep);

  void InsertRow();
  void DeleteRows();
  void MoveRowsUp();
  void MoveRowsDown();
  void DuplicateRows();
  void CopyCells();
  void PasteCells();
  void EmptyCells();

 private:
  // The cells where grid and model differ; the one loop over the grid's cells.
  std::vector<CellPosition> DifferingCells() const;
  void PasteAt(CellPosition at, const std::string& text);
  void MoveRows(int step, const QString& text);
  std::vector<int> SelectedRows() const;
  std::vector<CellPosition> SelectedCells() const;
  void SelectRows(const std::vector<int>& rows);
  void SelectBlock(CellPosition first, int rows, int columns);

  LiveEditGrid& grid_;
  const DescriptionModel& model_;
  DescriptionHistory& history_;
  PlatformServices& services_;
  QWidget& window_;
  Say say_;
};

}  // namespace zandrel
