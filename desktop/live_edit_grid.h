#pragma once

#include <QPersistentModelIndex>
#include <QString>
#include <QTableWidget>

class QKeyEvent;

namespace zandrel {

// A grid of text cells edited in place, whose cell being typed into counts at once: CellText gives
// the editor's text and Edited is emitted on every keystroke, before the cell is committed, so a
// preview can follow the typing. Enter or leaving the cell commits the text; Escape closes the
// editor and the cell keeps its text from before the edit. Every cell holds an item from the start.
//
// Tab follows tabKeyNavigation: without it, Tab and Shift+Tab move on to the next or previous
// control, from an open cell too (committing it); with it, they move between cells, and
// Ctrl+Tab and Ctrl+Shift+Tab leave the grid instead, so the keyboard is never caught in it.
class LiveEditGrid : public QTableWidget {
  Q_OBJECT

 public:
  LiveEditGrid(int rows, int columns, QWidget* parent = nullptr);
  ~LiveEditGrid() override;

  // The text the user sees in the cell (row and column from 0): the editor's while the cell is
  // being typed into, else the cell's own.
  QString CellText(int row, int column) const;
  // Empties every cell; the heading row stays.
  void ClearCells();
  // Rows added come with empty cells.
  void SetRows(int rows);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 signals:
  // A cell's text changed, committed or still being typed, or an edit ended either way.
  void Edited();

 private:
  void TypedInto(const QPersistentModelIndex& index, const QString& text);
  void EditEnded();
  // Moves the focus to the control after (or before) the grid.
  void Leave(bool forward);

  QPersistentModelIndex liveIndex_;
  QString liveText_;
};

}  // namespace zandrel
