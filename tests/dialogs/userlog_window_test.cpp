#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QtTest>
#include <memory>

#include <sys/stat.h>

#include "feedback/userlog.h"
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
  void init() { fx_ = std::make_unique<Fixture>(); }
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
};

void UserLogWindowTest::creation() {
  TUserLogWindow& window = fx_->Window;
  QCOMPARE(window.windowTitle(), QString("Log  Errors and User Comments"));
  QCOMPARE(window.Label1->text(), QString("Time and Date is automatically saved."));
  QVERIFY(window.Label1->alignment() & Qt::AlignHCenter);
  QVERIFY(window.OptionalLabel->wordWrap());
  QVERIFY(!window.OptionalLabel->isVisibleTo(&window));
  QCOMPARE(window.Button1->text(), QString("Log"));
  QCOMPARE(window.Button3->text(), QString("Log and Close"));
  QCOMPARE(window.Button2->text(), QString("Close without a Log"));
  QCOMPARE(window.Button1->font().pixelSize(), 16);
  QCOMPARE(window.LogFileName(), std::string("userlog.log"));
  QCOMPARE(window.ContextLine(), std::string());
  QVERIFY(window.Memo1->toPlainText().isEmpty());

  const QList<QWidget*> expected = {window.Memo1, window.Button1, window.Button2, window.Button3};
  const FocusWalk walk = WalkFocusChain(&window, expected);
  QCOMPARE(walk.Order, expected);
  QCOMPARE(walk.FirstStop, window.Memo1);
}

void UserLogWindowTest::twoLogPressesGiveTwoEntries() {
  TUserLogWindow& window = fx_->Window;
  const UserLogParms parms = Parms("two.log", "Context");
  WriteFile(parms.LogFileName, "earlier\n");
  window.HandOver(parms);
  window.ShowAndRaise();
  window.Memo1->setPlainText("First line\n\nThird line");

  window.Button1->click();
  QVERIFY(window.Memo1->toPlainText().isEmpty());
  QVERIFY(window.isVisible());
  window.Button1->click();

  // Appended after what the file held.
  const std::string text = ReadFile(parms.LogFileName);
  QVERIFY(text.starts_with("earlier\n"));
  QCOMPARE(WithoutStamps(text.substr(8)),
           QString("STAMP\nContext\nUser comments:\nFirst line\n\nThird line\n\n\n"
                   "STAMP\nContext\nUser comments:\n\n\n"));
  QVERIFY(fx_->Services.Messages.empty());
}

void UserLogWindowTest::commentLinesAreTheShownLines() {
  TUserLogWindow& window = fx_->Window;
  const UserLogParms parms = Parms("lines.log");
  window.HandOver(parms);
  window.ShowAndRaise();
  QVERIFY(QTest::qWaitForWindowExposed(&window));

  // A final line break adds no empty comment line.
  window.Memo1->setPlainText("ends with a break\n");
  window.JustLog();
  QCOMPARE(WithoutStamps(ReadFile(parms.LogFileName)),
           QString("STAMP\nUser comments:\nends with a break\n\n\n"));

  // A paragraph wider than the box is written as the lines the box shows.
  QString paragraph;
  for (int i = 0; i < 40; ++i) paragraph += QString("word%1 ").arg(i);
  paragraph += "end";
  window.Memo1->setPlainText(paragraph);
  window.JustLog();
  const QStringList lines = WithoutStamps(ReadFile(parms.LogFileName)).split('\n');
  const int first = lines.lastIndexOf("User comments:") + 1;
  const int last = lines.size() - 3;  // three empty strings after the last comment line
  QVERIFY2(last - first > 1, "the paragraph should wrap");
  QCOMPARE(lines.mid(first, last - first).join(""), paragraph);
}

void UserLogWindowTest::handOverAppliedOnlyWhenShown() {
  TUserLogWindow& window = fx_->Window;

  // Shown without a hand-over: nothing changes.
  window.ShowAndRaise();
  QCOMPARE(window.LogFileName(), std::string("userlog.log"));
  QVERIFY(!window.OptionalLabel->isVisible());
  window.hide();

  const UserLogParms first = Parms("first.log", "first context");
  window.HandOver(first);
  QCOMPARE(window.LogFileName(), std::string("userlog.log"));
  window.ShowAndRaise();
  QCOMPARE(window.LogFileName(), first.LogFileName);
  QCOMPARE(window.ContextLine(), first.ContextLine);
  QVERIFY(window.OptionalLabel->isVisible());
  QCOMPARE(window.OptionalLabel->text(), QString::fromStdString(first.Prompt));

  // While visible a hand-over has no effect, not even on a later showing.
  window.HandOver(Parms("second.log"));
  window.ShowAndRaise();
  QCOMPARE(window.LogFileName(), first.LogFileName);
  window.hide();
  window.ShowAndRaise();
  QCOMPARE(window.LogFileName(), first.LogFileName);
  QCOMPARE(window.ContextLine(), first.ContextLine);
}

void UserLogWindowTest::closeWithoutLogKeepsText() {
  TUserLogWindow& window = fx_->Window;
  const UserLogParms parms = Parms("closer.log");
  window.HandOver(parms);
  window.ShowAndRaise();
  window.Memo1->setPlainText("kept for later");
  window.Button2->click();
  QVERIFY(!window.isVisible());
  QVERIFY(!QFile::exists(QString::fromStdString(parms.LogFileName)));
  window.ShowAndRaise();
  QCOMPARE(window.Memo1->toPlainText(), QString("kept for later"));
}

void UserLogWindowTest::logAndCloseHides() {
  TUserLogWindow& window = fx_->Window;
  const UserLogParms parms = Parms("close.log");
  window.HandOver(parms);
  window.ShowAndRaise();
  window.Memo1->setPlainText("bye");
  window.Button3->click();
  QVERIFY(!window.isVisible());
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
  TUserLogWindow& window = fx_->Window;
  const UserLogParms parms = Parms(qPrintable(leaf));
  if (leaf.startsWith("fifo")) QCOMPARE(mkfifo(parms.LogFileName.c_str(), 0600), 0);
  window.HandOver(parms);
  window.ShowAndRaise();
  window.Memo1->setPlainText("do not lose me");

  (andClose ? window.Button3 : window.Button1)->click();

  QCOMPARE(fx_->Services.Messages.size(), std::size_t(1));
  QCOMPARE(fx_->Services.Messages[0].Caption, std::string("Error"));
  QCOMPARE(fx_->Services.Messages[0].Owner, &window);
  QVERIFY(QString::fromStdString(fx_->Services.Messages[0].Text)
              .contains(QString::fromStdString(parms.LogFileName)));
  QCOMPARE(window.Memo1->toPlainText(), QString("do not lose me"));
  QVERIFY(window.isVisible());
}

void UserLogWindowTest::sizingKeepsButtonsInside() {
  TUserLogWindow& window = fx_->Window;
  window.ShowAndRaise();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  for (const QSize size : {QSize(510, 300), QSize(1, 1), QSize(900, 650), QSize(520, 240)}) {
    window.resize(size);
    QCoreApplication::processEvents();
    const QRect memo = window.Memo1->geometry();
    QVERIFY(memo.width() >= 0 && memo.height() >= 0);
    QVERIFY(memo.right() < window.width());
    for (QPushButton* button : {window.Button1, window.Button2, window.Button3}) {
      const QRect geometry = button->geometry();
      QCOMPARE(geometry.height(), 57);
      QCOMPARE(geometry.top(), window.Button1->y());
      QVERIFY2(geometry.bottom() < window.height(), qPrintable(button->text()));
      QVERIFY(geometry.right() < window.width());
      QVERIFY(memo.bottom() < geometry.top());
    }
  }
  // A larger window gives a larger box.
  window.resize(600, 300);
  QCoreApplication::processEvents();
  const QSize small = window.Memo1->size();
  window.resize(890, 600);
  QCoreApplication::processEvents();
  QCOMPARE(window.Memo1->width() - small.width(), 290);
  QCOMPARE(window.Memo1->height() - small.height(), 300);
}

QTEST_MAIN(UserLogWindowTest)
#include "userlog_window_test.moc"
