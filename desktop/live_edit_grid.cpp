#include "desktop/live_edit_grid.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <functional>
#include <optional>
#include <utility>

namespace zandrel {

namespace {

// Tab or Shift+Tab, and whether it goes forward.
std::optional<bool> TabForward(const QKeyEvent& key) {
  if (key.key() == Qt::Key_Backtab) return false;
  if (key.key() == Qt::Key_Tab) return !(key.modifiers() & Qt::ShiftModifier);
  return std::nullopt;
}

// A Tab key that leaves the grid rather than moving to another cell.
bool LeavesGrid(const QKeyEvent& key, const QAbstractItemView& grid) {
  return TabForward(key) &&
         (!grid.tabKeyNavigation() || (key.modifiers() & Qt::ControlModifier) != 0);
}

// Tells the grid of every keystroke in a cell editor; committing and reverting stay Qt's own,
// except for a Tab that leaves the grid.
class LiveCellDelegate : public QStyledItemDelegate {
 public:
  using TypedInto = std::function<void(const QPersistentModelIndex& index, const QString& text)>;
  using Leave = std::function<void(bool forward)>;
  LiveCellDelegate(TypedInto typedInto, Leave leave, QAbstractItemView* grid)
      : QStyledItemDelegate(grid),
        typedInto_(std::move(typedInto)),
        leave_(std::move(leave)),
        grid_(grid) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      connect(line, &QLineEdit::textEdited, this,
              [this, cell = QPersistentModelIndex(index)](const QString& text) {
                typedInto_(cell, text);
              });
    }
    return editor;
  }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    auto* editor = qobject_cast<QWidget*>(object);
    if (editor != nullptr && event->type() == QEvent::KeyPress) {
      const auto& key = *static_cast<QKeyEvent*>(event);
      if (LeavesGrid(key, *grid_)) {
        const bool forward = *TabForward(key);
        emit commitData(editor);
        emit closeEditor(editor, QAbstractItemDelegate::NoHint);
        leave_(forward);
        return true;
      }
    }
    return QStyledItemDelegate::eventFilter(object, event);
  }

 private:
  TypedInto typedInto_;
  Leave leave_;
  QAbstractItemView* grid_;
};

}  // namespace

LiveEditGrid::LiveEditGrid(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) setItem(row, column, new QTableWidgetItem());
  auto* delegate = new LiveCellDelegate(
      [this](const QPersistentModelIndex& index, const QString& text) { TypedInto(index, text); },
      [this](bool forward) { Leave(forward); }, this);
  setItemDelegate(delegate);
  // Committed, or reverted by Escape: the cell itself holds the text again.
  connect(delegate, &QAbstractItemDelegate::closeEditor, this, &LiveEditGrid::EditEnded);
  connect(this, &QTableWidget::itemChanged, this, &LiveEditGrid::Edited);
}

LiveEditGrid::~LiveEditGrid() {
  // Editors closing while the grid goes must not report anything to a window being deleted.
  blockSignals(true);
  disconnect(itemDelegate(), nullptr, this, nullptr);
}

void LiveEditGrid::SetRows(int rows) {
  const int before = rowCount();
  setRowCount(rows);
  for (int row = before; row < rows; ++row)
    for (int column = 0; column < columnCount(); ++column)
      setItem(row, column, new QTableWidgetItem());
}

QString LiveEditGrid::CellText(int row, int column) const {
  if (liveIndex_.isValid() && liveIndex_.row() == row && liveIndex_.column() == column)
    return liveText_;
  const QTableWidgetItem* cell = item(row, column);
  return cell != nullptr ? cell->text() : QString();
}

void LiveEditGrid::ClearCells() {
  {
    // One announcement for the whole grid, not one per cell.
    const QSignalBlocker quiet(this);
    for (int row = 0; row < rowCount(); ++row)
      for (int column = 0; column < columnCount(); ++column) {
        if (QTableWidgetItem* cell = item(row, column))
          cell->setText(QString());
        else
          setItem(row, column, new QTableWidgetItem());
      }
  }
  emit Edited();
}

void LiveEditGrid::keyPressEvent(QKeyEvent* event) {
  if (LeavesGrid(*event, *this)) {
    Leave(*TabForward(*event));
    return;
  }
  QTableWidget::keyPressEvent(event);
}

void LiveEditGrid::Leave(bool forward) {
  // The widget's own walk, not the item view's, which moves between cells with tabKeyNavigation.
  QWidget::focusNextPrevChild(forward);  // NOLINT(bugprone-parent-virtual-call)
}

void LiveEditGrid::TypedInto(const QPersistentModelIndex& index, const QString& text) {
  liveIndex_ = index;
  liveText_ = text;
  emit Edited();
}

void LiveEditGrid::EditEnded() {
  if (!liveIndex_.isValid()) return;
  liveIndex_ = QPersistentModelIndex();
  liveText_.clear();
  emit Edited();
}

}  // namespace zandrel
