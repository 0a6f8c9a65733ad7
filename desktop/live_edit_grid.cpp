#include "desktop/live_edit_grid.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QStyledItemDelegate>
#include <functional>
#include <utility>

namespace zandrel {

namespace {

// Tells the grid of every keystroke in a cell editor; committing and reverting stay Qt's own.
class LiveCellDelegate : public QStyledItemDelegate {
 public:
  using TypedInto = std::function<void(const QPersistentModelIndex& index, const QString& text)>;
  LiveCellDelegate(TypedInto typedInto, QObject* parent)
      : QStyledItemDelegate(parent), typedInto_(std::move(typedInto)) {}

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

 private:
  TypedInto typedInto_;
};

}  // namespace

LiveEditGrid::LiveEditGrid(int rows, int columns, QWidget* parent)
    : QTableWidget(rows, columns, parent) {
  for (int row = 0; row < rows; ++row)
    for (int column = 0; column < columns; ++column) setItem(row, column, new QTableWidgetItem());
  auto* delegate = new LiveCellDelegate(
      [this](const QPersistentModelIndex& index, const QString& text) { TypedInto(index, text); },
      this);
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
