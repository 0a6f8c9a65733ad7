#include <QApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <memory>

#include "desktop/live_edit_grid.h"

using namespace zandrel;

namespace {

// A grid between two controls, as the windows place theirs.
struct GridWindow {
  QWidget Window;
  QLineEdit* Before = new QLineEdit(&Window);
  LiveEditGrid* Grid = new LiveEditGrid(3, 2, &Window);
  QPushButton* After = new QPushButton("After", &Window);

  explicit GridWindow(bool tabBetweenCells) {
    auto* layout = new QHBoxLayout(&Window);
    layout->addWidget(Before);
    layout->addWidget(Grid);
    layout->addWidget(After);
    Grid->setTabKeyNavigation(tabBetweenCells);
    Grid->item(0, 0)->setText("old");
  }
};

void Press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), key, modifiers);
}

// Each key to the widget with the focus, as a user types: the first one opens a cell's editor.
void Type(const QString& text) {
  for (const QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

// A cell's editor has the focus.
bool CellOpen(const LiveEditGrid* grid) {
  const QWidget* focus = QApplication::focusWidget();
  return focus != nullptr && focus->parentWidget() == grid->viewport();
}

}  // namespace

class WindowPartsTest : public QObject {
  Q_OBJECT

 private slots:
  // Typing "int" into the first cell, then a Tab key: where the focus goes, and the cell keeps the
  // text either way.
  void tabFromTheGrid_data() {
    QTest::addColumn<bool>("betweenCells");
    QTest::addColumn<bool>("cellOpen");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("focus");  // "before", "after", or the current cell "row,column"
    const int tab = Qt::Key_Tab;
    const int backtab = Qt::Key_Backtab;
    const int none = Qt::NoModifier;
    const int ctrl = Qt::ControlModifier;
    const int ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    QTest::newRow("member table: Tab from open cell") << false << true << tab << none << "after";
    QTest::newRow("member table: Shift+Tab from open cell")
        << false << true << backtab << int(Qt::ShiftModifier) << "before";
    QTest::newRow("member table: Tab") << false << false << tab << none << "after";
    QTest::newRow("member table: Ctrl+Tab") << false << false << tab << ctrl << "after";
    QTest::newRow("names grid: Tab from open cell") << true << true << tab << none << "0,1";
    QTest::newRow("names grid: Tab") << true << false << tab << none << "0,1";
    QTest::newRow("names grid: Ctrl+Tab from open cell") << true << true << tab << ctrl << "after";
    QTest::newRow("names grid: Ctrl+Tab") << true << false << tab << ctrl << "after";
    QTest::newRow("names grid: Ctrl+Shift+Tab from open cell")
        << true << true << backtab << ctrlShift << "before";
    QTest::newRow("names grid: Ctrl+Shift+Tab")
        << true << false << backtab << ctrlShift << "before";
  }

  void tabFromTheGrid() {
    QFETCH(bool, betweenCells);
    QFETCH(bool, cellOpen);
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, focus);
    GridWindow fx(betweenCells);
    fx.Window.show();
    QVERIFY(QTest::qWaitForWindowActive(&fx.Window));
    fx.Grid->setFocus();
    fx.Grid->setCurrentCell(0, 0);
    Type("int");
    QVERIFY(CellOpen(fx.Grid));
    if (!cellOpen) Press(Qt::Key_Return);

    Press(Qt::Key(key), Qt::KeyboardModifiers(modifiers));

    QCOMPARE(fx.Grid->item(0, 0)->text(), QString("int"));
    QCOMPARE(fx.Grid->CellText(0, 0), QString("int"));
    QWidget* focused = QApplication::focusWidget();
    if (focus == "after" || focus == "before") {
      QCOMPARE(focused, focus == "after" ? static_cast<QWidget*>(fx.After) : fx.Before);
      QVERIFY(!CellOpen(fx.Grid));
    } else {
      QVERIFY(fx.Grid->isAncestorOf(focused) || focused == fx.Grid);
      QCOMPARE(QString("%1,%2").arg(fx.Grid->currentRow()).arg(fx.Grid->currentColumn()), focus);
    }
  }

  // Escape in an open cell gives back the text from before the edit, in both kinds of grid.
  void escapeRestoresTheCell_data() {
    QTest::addColumn<bool>("betweenCells");
    QTest::newRow("member table") << false;
    QTest::newRow("names grid") << true;
  }

  void escapeRestoresTheCell() {
    QFETCH(bool, betweenCells);
    GridWindow fx(betweenCells);
    fx.Window.show();
    QVERIFY(QTest::qWaitForWindowActive(&fx.Window));
    fx.Grid->setFocus();
    fx.Grid->setCurrentCell(0, 0);
    QSignalSpy edited(fx.Grid, &LiveEditGrid::Edited);
    Type("new");
    QCOMPARE(fx.Grid->CellText(0, 0), QString("new"));

    Press(Qt::Key_Escape);

    QCOMPARE(fx.Grid->item(0, 0)->text(), QString("old"));
    QCOMPARE(fx.Grid->CellText(0, 0), QString("old"));
    QVERIFY(!CellOpen(fx.Grid));
    QCOMPARE(QApplication::focusWidget(), fx.Grid);
    QVERIFY(edited.count() >= 2);  // the typing, then the edit's end
  }
};

QTEST_MAIN(WindowPartsTest)
#include "window_parts_test.moc"
