#include "tests/support/qt/window_fixtures.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTest>

#include "desktop/file_preview.h"

namespace zandrel::testing {

QStringList Entries(const TempFolder& folder) {
  QStringList names;
  for (const auto& entry : folder.Contents()) names << QString::fromStdString(entry.first);
  return names;
}

void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
  if (QTableWidgetItem* item = grid->item(row - 1, column))
    item->setText(text);
  else
    grid->setItem(row - 1, column, new QTableWidgetItem(text));
}

QString Cell(const QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row - 1, column);
  return item == nullptr ? QString() : item->text();
}

bool GridEmpty(const QTableWidget* grid) {
  for (int row = 1; row <= grid->rowCount(); ++row)
    for (int column = 0; column < grid->columnCount(); ++column)
      if (!Cell(grid, row, column).isEmpty()) return false;
  return true;
}

void Pick(QComboBox* box, const QString& itemText) {
  const int index = box->findText(itemText);
  QVERIFY2(index >= 0, qPrintable(itemText));
  box->setCurrentIndex(index);
  emit box->activated(index);
}

void TypeAndEnter(QComboBox* box, const QString& text) {
  box->lineEdit()->selectAll();
  QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
  QTest::keyClicks(box->lineEdit(), text);
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

QStringList PreviewTitles(FilePreview& preview) {
  QStringList titles;
  for (const std::string& title : preview.Titles()) titles << QString::fromStdString(title);
  return titles;
}

std::string PreviewText(FilePreview& preview, const QString& title) {
  const int index = static_cast<int>(PreviewTitles(preview).indexOf(title));
  if (index < 0) return "no tab " + title.toStdString();
  preview.ShowPage(index);
  const std::string text = preview.ShownText().toStdString();
  const TextPageView* view = preview.ShownView();
  const std::string shown = view != nullptr ? view->Text().toStdString() : "no view";
  return shown == text ? text : "shown text differs: " + shown;
}

FocusWalk WalkFocusChain(QWidget* window, const QList<QWidget*>& among) {
  FocusWalk walk;
  for (QWidget* widget = window->nextInFocusChain(); widget != window;
       widget = widget->nextInFocusChain()) {
    if (among.contains(widget)) walk.Order.append(widget);
    if (walk.FirstStop == nullptr && (widget->focusPolicy() & Qt::TabFocus) &&
        widget->isVisibleTo(window))
      walk.FirstStop = widget;
  }
  return walk;
}

QString Shown(const QString& caption) {
  QString shown;
  for (qsizetype i = 0; i < caption.size(); ++i) {
    if (caption[i] == u'&' && i + 1 < caption.size()) ++i;  // "&&" shows one "&"
    shown += caption[i];
  }
  return shown;
}

MnemonicCheck CheckMnemonics(QWidget* window) {
  MnemonicCheck check;
  QMap<QKeySequence, QString> owners;
  auto note = [&](const QString& text) {
    const QKeySequence key = QKeySequence::mnemonic(text);
    if (key.isEmpty()) return false;
    if (owners.contains(key)) check.Clashes << owners[key] + " / " + text;
    owners[key] = text;
    return true;
  };
  for (QAbstractButton* button : window->findChildren<QAbstractButton*>()) {
    const bool captioned = qobject_cast<QPushButton*>(button) != nullptr ||
                           qobject_cast<QCheckBox*>(button) != nullptr ||
                           qobject_cast<QRadioButton*>(button) != nullptr;
    if (!captioned || button->window() != window || !button->isVisibleTo(window)) continue;
    if (!note(button->text())) check.Missing << button->text();
  }
  for (QLabel* label : window->findChildren<QLabel*>())
    if (label->buddy() != nullptr && label->window() == window && label->isVisibleTo(window))
      note(label->text());
  return check;
}

}  // namespace zandrel::testing
