#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QHBoxLayout>
#include <QImage>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QSignalSpy>
#include <QStyleOptionButton>
#include <QTextBrowser>
#include <QTimer>
#include <QtTest>
#include <memory>

#include "desktop/choice_box.h"
#include "desktop/dark_palette.h"
#include "desktop/file_preview.h"
#include "desktop/help_window.h"
#include "desktop/live_edit_grid.h"
#include "tests/support/qt/fake_services.h"

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

// Records, with each message, the text selected in the box; with RealBox the message is a real
// modal box, answered as soon as it shows.
struct SelectionRecordingServices : testing::FakeServices {
  QComboBox* Box = nullptr;
  bool RealBox = false;
  QWidget* Clicked = nullptr;  // the control being clicked, if any
  QStringList SelectedAtMessage;

  void ShowMessage(QWidget* owner, const std::string& text, const std::string& caption) override {
    FakeServices::ShowMessage(owner, text, caption);
    SelectedAtMessage << Box->lineEdit()->selectedText();
    if (!RealBox) return;
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(caption),
                    QString::fromStdString(text), QMessageBox::Ok, owner);
    QTimer::singleShot(0, &box, [this, &box] {
      // A user lets go of the mouse only now, with the box up, and then answers it.
      if (QGuiApplication::mouseButtons() != Qt::NoButton && Clicked != nullptr)
        QTest::mouseRelease(Clicked, Qt::LeftButton);
      box.accept();
    });
    box.exec();
  }
};

// A choice box among the controls a user might move to from it.
struct ChoiceWindow {
  SelectionRecordingServices Services;
  QWidget Window;
  ChoiceBox* Box = new ChoiceBox(Services, {"CBuilder", "DevC++"}, 1, &Window);
  QPushButton* Button = new QPushButton("Build", &Window);
  QCheckBox* Check = new QCheckBox("Math", &Window);

  ChoiceWindow() {
    auto* layout = new QHBoxLayout(&Window);
    layout->addWidget(Box);
    layout->addWidget(Button);
    layout->addWidget(Check);
    Services.Box = Box;
  }
};

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

  void refusedChoice_data();
  void refusedChoice();
  void helpWindow();
  void previewColoursCodeNotNotes();
  void darkIndicatorsStandOut_data();
  void darkIndicatorsStandOut();

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

// A refused entry: the message comes with the refused text selected in its box, the box then shows
// the choice accepted before, and the click that finished the entry still reaches its control.
void WindowPartsTest::refusedChoice_data() {
  QTest::addColumn<QString>("finish");
  QTest::addColumn<bool>("realBox");
  QTest::newRow("Enter") << "Enter" << false;
  QTest::newRow("Tab") << "Tab" << true;
  QTest::newRow("click on a button") << "button" << false;
  QTest::newRow("click on a button, real box") << "button" << true;
  QTest::newRow("click on a check box, real box") << "check" << true;
}

void WindowPartsTest::refusedChoice() {
  QFETCH(QString, finish);
  QFETCH(bool, realBox);
  ChoiceWindow fx;
  fx.Services.RealBox = realBox;
  fx.Window.show();
  QVERIFY(QTest::qWaitForWindowActive(&fx.Window));
  QSignalSpy clicked(fx.Button, &QPushButton::clicked);
  fx.Box->setFocus();
  fx.Box->lineEdit()->selectAll();
  QTest::keyClicks(fx.Box->lineEdit(), "Jav");

  if (finish == "Enter") QTest::keyClick(fx.Box->lineEdit(), Qt::Key_Return);
  if (finish == "Tab") QTest::keyClick(fx.Box->lineEdit(), Qt::Key_Tab);
  // Pressed and released as a user clicks; the release may come while a box is up.
  fx.Services.Clicked = finish == "button"  ? static_cast<QWidget*>(fx.Button)
                        : finish == "check" ? fx.Check
                                            : nullptr;
  if (fx.Services.Clicked != nullptr) {
    QTest::mousePress(fx.Services.Clicked, Qt::LeftButton);
    if (QGuiApplication::mouseButtons() != Qt::NoButton)
      QTest::mouseRelease(fx.Services.Clicked, Qt::LeftButton);
  }

  QCOMPARE(fx.Services.Messages.size(), std::size_t(1));
  QCOMPARE(fx.Services.Messages[0].Text, std::string("Invalid selection - try again"));
  QCOMPARE(fx.Services.Messages[0].Caption, std::string("Error"));
  QCOMPARE(fx.Services.SelectedAtMessage, QStringList{"Jav"});
  QCOMPARE(fx.Box->currentText(), QString("DevC++"));
  QCOMPARE(fx.Box->AcceptedIndex(), 1);
  QCOMPARE(clicked.count(), finish == "button" ? 1 : 0);
  QCOMPARE(fx.Check->isChecked(), finish == "check");
}

// The page comes from the program's resources; each showing starts on it, Tab reaches Close, and
// Escape or Close hide the window.
void WindowPartsTest::helpWindow() {
  HelpWindow help;
  QCOMPARE(help.Page->documentTitle(), QString("Zandrel Help"));
  QVERIFY(help.Page->toPlainText().contains("Ctrl+Tab"));
  QCOMPARE(testing::CheckMnemonics(&help).Clashes, QStringList());
  QWidget mainWindow;  // takes the focus back between showings, as the program's main window does
  for (const char* closing : {"Escape", "Close"}) {
    help.ShowAndRaise();
    QVERIFY(QTest::qWaitForWindowActive(&help));
    QCOMPARE(QApplication::focusWidget(), help.Page);
    Press(Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), help.CloseButton);
    Press(QString(closing) == "Escape" ? Qt::Key_Escape : Qt::Key_Return);
    QVERIFY(!help.isVisible());
    mainWindow.show();
    mainWindow.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&mainWindow));
  }
  QVERIFY(AboutZandrelText().contains(QString("Built with Qt ") + qVersion()));
}

namespace {

bool Shows(TextPageView* view, const QColor& colour) {
  const QImage image = view->viewport()->grab().toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixel(x, y) == colour.rgb()) return true;
  return false;
}

}  // namespace

// Files are coloured by their language, a page without a file only when it says it is code; notes
// keep a quiet colour. The text is in a fixed-pitch font.
void WindowPartsTest::previewColoursCodeNotNotes() {
  FilePreview preview;
  preview.resize(400, 200);
  preview.show();
  QVERIFY(QTest::qWaitForWindowExposed(&preview));
  preview.SetPages({{"Java", "Meter.java", {ShareText("public class Meter {")}},
                    {"Header", "Meter.h", {ShareText("class Meter {")}},
                    {"Text", {}, {ShareText("class Color {")}, true},
                    {"Note", {}, {ShareText("Type a class name")}}});
  const std::optional<CodeLanguage> expected[] = {CodeLanguage::Java, CodeLanguage::Cpp,
                                                  CodeLanguage::Cpp, std::nullopt};
  const QColor keyword =
      CodeFormats(preview.palette()).For(CodeToken::Keyword).foreground().color();
  for (int page = 0; page < 4; ++page) {
    preview.ShowPage(page);
    TextPageView* view = preview.ShownView();
    QCOMPARE(view->Language(), expected[page]);
    QVERIFY(QFontInfo(view->font()).fixedPitch());
    QCOMPARE(Shows(view, keyword), expected[page].has_value());
  }
  QCOMPARE(testing::Shown(preview.CopyButton->text()), QString("Copy"));
  QVERIFY(!QKeySequence::mnemonic(preview.CopyButton->text()).isEmpty());
}

void WindowPartsTest::darkIndicatorsStandOut_data() {
  QTest::addColumn<int>("element");
  QTest::addColumn<bool>("on");
  QTest::newRow("unticked box") << int(QStyle::PE_IndicatorCheckBox) << false;
  QTest::newRow("ticked box") << int(QStyle::PE_IndicatorCheckBox) << true;
  QTest::newRow("radio off") << int(QStyle::PE_IndicatorRadioButton) << false;
  QTest::newRow("radio on") << int(QStyle::PE_IndicatorRadioButton) << true;
}

// In the dark palette an unticked indicator's outline keeps a contrast of at least 3:1 against the
// base colour; a ticked one's mark stands out as text does, at least 7:1.
void WindowPartsTest::darkIndicatorsStandOut() {
  QFETCH(int, element);
  QFETCH(bool, on);
  const std::unique_ptr<QStyle> style(DarkStyle());
  QStyleOptionButton option;
  option.palette = DarkPalette();
  option.state = QStyle::State_Enabled | (on ? QStyle::State_On : QStyle::State_Off);
  option.rect = QRect(0, 0, 16, 16);
  const QColor base = option.palette.color(QPalette::Base);
  QImage image(option.rect.size(), QImage::Format_RGB32);
  image.fill(base);
  {
    QPainter painter(&image);
    style->drawPrimitive(QStyle::PrimitiveElement(element), &option, &painter, nullptr);
  }
  const QRect looked = on ? option.rect.adjusted(5, 5, -5, -5) : option.rect;
  double best = 1;
  for (int y = looked.top(); y <= looked.bottom(); ++y)
    for (int x = looked.left(); x <= looked.right(); ++x)
      best = std::max(best, testing::Contrast(image.pixelColor(x, y), base));
  QVERIFY2(best >= (on ? 7 : 3), qPrintable(QString::number(best)));
}

QTEST_MAIN(WindowPartsTest)
#include "window_parts_test.moc"
