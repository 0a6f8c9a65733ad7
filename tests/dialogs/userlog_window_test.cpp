#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

#include <sys/stat.h>

#include "feedback/userlog.h"
#include "tests/support/qt/dialog_access.h"
#include "tests/support/qt/fake_services.h"

using namespace zandrel;
using namespace zandrel::testing;

namespace {

// The log text with every stamp line replaced by "STAMP", after checking the stamp's form.
QString WithoutStamps(const std::string& text) {
  static const QRegularExpression stamp(
      R"(^\d{1,2}/\d{1,2}/\d{4} \d{1,2}:\d{1,2}:\d{1,2}\.\d{3}$)");
  QStringList lines = QString::fromStdString(text).split('\n');
  bool nextIsStamp = true;
  for (int i = 0; i < lines.size(); ++i) {
    if (nextIsStamp && i + 1 < lines.size()) {
      if (!stamp.match(lines[i]).hasMatch()) return "bad stamp line: " + lines[i];
      lines[i] = "STAMP";
    }
    // An entry ends with two empty lines; the next line starts the next entry.
    nextIsStamp =
        i >= 2 && lines[i].isEmpty() && lines[i - 1].isEmpty() && lines[i - 2] != "User comments:";
  }
  return lines.join('\n');
}

}  // namespace

class UserLogWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fx_ = std::make_unique<Fixture>();
    window_ = &fx_->Window;
    ui_ = &UiOf(*window_);
  }
  void cleanup() { fx_.reset(); }

  void creation();
  void twoLogPressesGiveTwoEntries();
  void commentLinesAreTheShownLines();
  void handOverAppliedOnlyWhenShown();
  void closeWithoutLogKeepsText();
  void logAndCloseHides();
  void unwritableFileKeepsText_data();
  void unwritableFileKeepsText();
  void sizingKeepsButtonsInside();
  void keyboardWalk_data();
  void keyboardWalk();
  void keysOfTheWindow_data();
  void keysOfTheWindow();

 private:
  // The log window on scripted services, with a folder for its log files.
  struct Fixture {
    FakeServices Services;
    TempFolder Folder;
    TUserLogWindow Window{Services};
  };

  UserLogParms Parms(const char* file, const char* context = "") const {
    return {"Please describe it.", fx_->Folder.Path(file), context};
  }

  std::unique_ptr<Fixture> fx_;
  TUserLogWindow* window_ = nullptr;
  TUserLogWindowUi* ui_ = nullptr;
};

void UserLogWindowTest::creation() {
  QCOMPARE(window_->windowTitle(), QString("Log  Errors and User Comments"));
  QVERIFY(!ui_->OptionalLabel->isVisibleTo(window_));
  const MnemonicCheck mnemonics = CheckMnemonics(window_);
  QCOMPARE(mnemonics.Clashes, QStringList());
  QCOMPARE(mnemonics.Missing, QStringList());
  QCOMPARE(window_->LogFileName(), std::string("userlog.log"));
  QCOMPARE(window_->ContextLine(), std::string());
  QVERIFY(ui_->Memo1->toPlainText().isEmpty());

  const QList<QWidget*> expected = {ui_->Memo1, ui_->Button1, ui_->Button2, ui_->Button3};
  const FocusWalk walk = WalkFocusChain(window_, expected);
  QCOMPARE(walk.Order, expected);
  QCOMPARE(walk.FirstStop, ui_->Memo1);
}

void UserLogWindowTest::twoLogPressesGiveTwoEntries() {
  const UserLogParms parms = Parms("two.log", "Context");
  WriteFile(parms.LogFileName, "earlier\n");
  window_->HandOver(parms);
  window_->ShowAndRaise();
  ui_->Memo1->setPlainText("First line\n\nThird line");

  ui_->Button1->click();
  QVERIFY(ui_->Memo1->toPlainText().isEmpty());
  QVERIFY(window_->isVisible());
  ui_->Button1->click();

  // Appended after what the file held.
  const std::string text = ReadFile(parms.LogFileName);
  QVERIFY(text.starts_with("earlier\n"));
  QCOMPARE(WithoutStamps(text.substr(8)),
           QString("STAMP\nContext\nUser comments:\nFirst line\n\nThird line\n\n\n"
                   "STAMP\nContext\nUser comments:\n\n\n"));
  QVERIFY(fx_->Services.Messages.empty());
}

void UserLogWindowTest::commentLinesAreTheShownLines() {
  const UserLogParms parms = Parms("lines.log");
  window_->HandOver(parms);
  window_->ShowAndRaise();
  QVERIFY(QTest::qWaitForWindowExposed(window_));

  // A final line break adds no empty comment line.
  ui_->Memo1->setPlainText("ends with a break\n");
  window_->JustLog();
  QCOMPARE(WithoutStamps(ReadFile(parms.LogFileName)),
           QString("STAMP\nUser comments:\nends with a break\n\n\n"));

  // A paragraph wider than the box is written as the lines the box shows.
  QString paragraph;
  for (int i = 0; i < 40; ++i) paragraph += QString("word%1 ").arg(i);
  paragraph += "end";
  ui_->Memo1->setPlainText(paragraph);
  window_->JustLog();
  const QStringList lines = WithoutStamps(ReadFile(parms.LogFileName)).split('\n');
  const int first = lines.lastIndexOf("User comments:") + 1;
  const int last = lines.size() - 3;  // three empty strings after the last comment line
  QVERIFY2(last - first > 1, "the paragraph should wrap");
  QCOMPARE(lines.mid(first, last - first).join(""), paragraph);
}

void UserLogWindowTest::handOverAppliedOnlyWhenShown() {
  // Shown without a hand-over: nothing changes.
  window_->ShowAndRaise();
  QCOMPARE(window_->LogFileName(), std::string("userlog.log"));
  QVERIFY(!ui_->OptionalLabel->isVisible());
  window_->hide();

  const UserLogParms first = Parms("first.log", "first context");
  window_->HandOver(first);
  QCOMPARE(window_->LogFileName(), std::string("userlog.log"));
  window_->ShowAndRaise();
  QCOMPARE(window_->LogFileName(), first.LogFileName);
  QCOMPARE(window_->ContextLine(), first.ContextLine);
  QVERIFY(ui_->OptionalLabel->isVisible());
  QCOMPARE(ui_->OptionalLabel->text(), QString::fromStdString(first.Prompt));

  // While visible a hand-over has no effect, not even on a later showing.
  window_->HandOver(Parms("second.log"));
  window_->ShowAndRaise();
  QCOMPARE(window_->LogFileName(), first.LogFileName);
  window_->hide();
  window_->ShowAndRaise();
  QCOMPARE(window_->LogFileName(), first.LogFileName);
  QCOMPARE(window_->ContextLine(), first.ContextLine);
}

void UserLogWindowTest::closeWithoutLogKeepsText() {
  const UserLogParms parms = Parms("closer.log");
  window_->HandOver(parms);
  window_->ShowAndRaise();
  ui_->Memo1->setPlainText("kept for later");
  ui_->Button2->click();
  QVERIFY(!window_->isVisible());
  QVERIFY(!QFile::exists(QString::fromStdString(parms.LogFileName)));
  window_->ShowAndRaise();
  QCOMPARE(ui_->Memo1->toPlainText(), QString("kept for later"));
}

void UserLogWindowTest::logAndCloseHides() {
  const UserLogParms parms = Parms("close.log");
  window_->HandOver(parms);
  window_->ShowAndRaise();
  ui_->Memo1->setPlainText("bye");
  ui_->Button3->click();
  QVERIFY(!window_->isVisible());
  QCOMPARE(WithoutStamps(ReadFile(parms.LogFileName)), QString("STAMP\nUser comments:\nbye\n\n\n"));
}

void UserLogWindowTest::unwritableFileKeepsText_data() {
  QTest::addColumn<QString>("leaf");
  QTest::addColumn<bool>("andClose");
  QTest::newRow("missing folder, Log and Close") << "no-such-folder/user.log" << true;
  QTest::newRow("FIFO, Log") << "fifo.log" << false;
}

void UserLogWindowTest::unwritableFileKeepsText() {
  QFETCH(QString, leaf);
  QFETCH(bool, andClose);
  const UserLogParms parms = Parms(qPrintable(leaf));
  if (leaf.startsWith("fifo")) QCOMPARE(mkfifo(parms.LogFileName.c_str(), 0600), 0);
  window_->HandOver(parms);
  window_->ShowAndRaise();
  ui_->Memo1->setPlainText("do not lose me");

  (andClose ? ui_->Button3 : ui_->Button1)->click();

  QCOMPARE(fx_->Services.Messages.size(), std::size_t(1));
  QCOMPARE(fx_->Services.Messages[0].Caption, std::string("Error"));
  QCOMPARE(fx_->Services.Messages[0].Owner, window_);
  QVERIFY(QString::fromStdString(fx_->Services.Messages[0].Text)
              .contains(QString::fromStdString(parms.LogFileName)));
  QCOMPARE(ui_->Memo1->toPlainText(), QString("do not lose me"));
  QVERIFY(window_->isVisible());
}

void UserLogWindowTest::sizingKeepsButtonsInside() {
  window_->ShowAndRaise();
  QVERIFY(QTest::qWaitForWindowExposed(window_));
  for (const QSize size : {QSize(510, 300), QSize(1, 1), QSize(900, 650), QSize(520, 240)}) {
    window_->resize(size);
    QCoreApplication::processEvents();
    const QRect memo = ui_->Memo1->geometry();
    QVERIFY(memo.width() >= 0 && memo.height() >= 0);
    QVERIFY(memo.right() < window_->width());
    for (QPushButton* button : {ui_->Button1, ui_->Button2, ui_->Button3}) {
      const QRect geometry = button->geometry();
      QCOMPARE(geometry.height(), 57);
      QCOMPARE(geometry.top(), ui_->Button1->y());
      QVERIFY2(geometry.bottom() < window_->height(), qPrintable(button->text()));
      QVERIFY(geometry.right() < window_->width());
      QVERIFY(memo.bottom() < geometry.top());
    }
  }
  // A larger window gives a larger box.
  window_->resize(600, 300);
  QCoreApplication::processEvents();
  const QSize small = ui_->Memo1->size();
  window_->resize(890, 600);
  QCoreApplication::processEvents();
  QCOMPARE(ui_->Memo1->width() - small.width(), 290);
  QCOMPARE(ui_->Memo1->height() - small.height(), 300);
}

// Every showing starts in the comment box; Tab and Shift+Tab go round the window.
void UserLogWindowTest::keyboardWalk_data() {
  QTest::addColumn<bool>("forward");
  QTest::newRow("Tab") << true;
  QTest::newRow("Shift+Tab") << false;
}

void UserLogWindowTest::keyboardWalk() {
  QFETCH(bool, forward);
  QWidget mainWindow;  // takes turns with the log window, as the program's main window does
  for (QWidget* window :
       {static_cast<QWidget*>(window_), &mainWindow, static_cast<QWidget*>(window_)}) {
    if (window == window_) ui_->Button2->setFocus();  // where the last showing ended
    window->show();
    window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window));
    if (window != window_) window_->hide();
  }
  QCOMPARE(QApplication::focusWidget(), ui_->Memo1);
  QList<QWidget*> round{ui_->Button1, ui_->Button2, ui_->Button3, ui_->Memo1};
  if (!forward) round = {ui_->Button3, ui_->Button2, ui_->Button1, ui_->Memo1};
  for (QWidget* next : round) {
    QTest::keyClick(QApplication::focusWidget(), forward ? Qt::Key_Tab : Qt::Key_Backtab);
    QCOMPARE(QApplication::focusWidget(), next);
  }
}

// Keys on a control with a comment typed: what is written, whether the window stays, and where
// the focus is then.
void UserLogWindowTest::keysOfTheWindow_data() {
  QTest::addColumn<QString>("on");
  QTest::addColumn<int>("key");
  QTest::addColumn<bool>("written");
  QTest::addColumn<bool>("stays");
  QTest::newRow("Enter on Log") << "Log" << int(Qt::Key_Return) << true << true;
  QTest::newRow("Space on Log") << "Log" << int(Qt::Key_Space) << true << true;
  QTest::newRow("Enter on Log and Close") << "Log and Close" << int(Qt::Key_Enter) << true << false;
  QTest::newRow("Enter on Close without")
      << "Close without" << int(Qt::Key_Return) << false << false;
  QTest::newRow("Escape in the comment") << "comment" << int(Qt::Key_Escape) << false << false;
  QTest::newRow("Enter in the comment") << "comment" << int(Qt::Key_Return) << false << true;
}

void UserLogWindowTest::keysOfTheWindow() {
  QFETCH(QString, on);
  QFETCH(int, key);
  QFETCH(bool, written);
  QFETCH(bool, stays);
  const UserLogParms parms = Parms("keys.log");
  window_->HandOver(parms);
  window_->ShowAndRaise();
  QVERIFY(QTest::qWaitForWindowActive(window_));
  QTest::keyClicks(ui_->Memo1, "typed");
  QWidget* control = on == "Log"             ? ui_->Button1
                     : on == "Log and Close" ? ui_->Button3
                     : on == "Close without" ? ui_->Button2
                                             : static_cast<QWidget*>(ui_->Memo1);
  control->setFocus();

  QTest::keyClick(control, Qt::Key(key));

  QCOMPARE(QFile::exists(QString::fromStdString(parms.LogFileName)), written);
  QCOMPARE(window_->isVisible(), stays);
  QCOMPARE(ui_->Memo1->toPlainText().startsWith("typed"), !written);
  if (stays) QCOMPARE(QApplication::focusWidget(), ui_->Memo1);
}

QTEST_MAIN(UserLogWindowTest)
#include "userlog_window_test.moc"
