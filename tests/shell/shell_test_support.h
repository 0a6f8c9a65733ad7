#pragma once

#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>

#include "shell/tform1.h"

namespace zandrel::testing {

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Row is the grid row as the user counts it, 1 to 19.
inline void SetCell(QTableWidget* grid, int row, int column, const QString& text) {
  grid->item(row - 1, column)->setText(text);
}

inline QString Cell(QTableWidget* grid, int row, int column) {
  const QTableWidgetItem* item = grid->item(row - 1, column);
  return item == nullptr ? QString() : item->text();
}

// The user picks an item from the drop-down list.
inline void Pick(QComboBox* box, const QString& itemText) {
  const int index = box->findText(itemText);
  QVERIFY2(index >= 0, qPrintable(itemText));
  box->setCurrentIndex(index);
  emit box->activated(index);
}

// The user types into the box's text field and presses Enter.
inline void TypeAndEnter(QComboBox* box, const QString& text) {
  box->lineEdit()->selectAll();
  QTest::keyClick(box->lineEdit(), Qt::Key_Backspace);
  QTest::keyClicks(box->lineEdit(), text);
  QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

}  // namespace zandrel::testing
