// The real Qt dialogs and message boxes, answered as a user would, while the main window is
// hidden behind the enumeration dialog: whatever a box says, closing it never ends the program.

#include <QAbstractItemView>
#include <QCheckBox>
#include <QEventLoop>
#include <QFileDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <deque>
#include <memory>

#include <sys/stat.h>

#include "desktop/live_edit_grid.h"
#include "desktop/qt_platform_services.h"
#include "shell/zandrel_application.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/qt/dialog_access.h"

using namespace zandrel;
using zandrel::testing::ReadFile;
using zandrel::testing::UiOf;
using zandrel::testing::WriteFile;

namespace {

// How the user answers one modal window. A file name is typed into a file dialog and confirmed
// (an empty one cancels); a message box is answered with its button.
struct Answer {
  QString FileName;
  QMessageBox::StandardButton Button = QMessageBox::NoButton;
};

// What one modal window was, as the user saw it.
struct Seen {
  QString Kind;  // "file" or the box's caption
  QString Text;
  QWidget* Owner = nullptr;
};

// Answers the modal windows as they open, one answer each, from a timer: the code under test
// runs their event loops itself.
class ModalAnswers : public QObject {
 public:
  explicit ModalAnswers(std::deque<Answer> answers) : answers_(std::move(answers)) {
    connect(&timer_, &QTimer::timeout, this, [this] { Look(); });
    timer_.start(10);
  }

  std::vector<Seen> Shown;
  bool Unexpected = false;  // a modal window opened with no answer left

 private:
  void Look() {
    QWidget* modal = QApplication::activeModalWidget();
    // One answer per showing: wait until the window answered last is gone.
    if (modal == nullptr || !modal->isVisible() || modal == answered_) return;
    answered_ = modal;
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      Shown.push_back({"file", dialog->windowTitle(), dialog->parentWidget()});
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      Shown.push_back({box->windowTitle(), box->text(), box->parentWidget()});
    }
    if (answers_.empty()) {
      Unexpected = true;
      QMetaObject::invokeMethod(modal, "reject", Qt::QueuedConnection);
      return;
    }
    const Answer answer = answers_.front();
    answers_.pop_front();
    if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
      auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
      if (answer.FileName.isEmpty() || name == nullptr) {
        dialog->reject();
        return;
      }
      // Set whole rather than key by key: the completer's pop-up would take the keys. The dialog
      // drops the file it proposed only when the typing has the focus, as a user's does.
      dialog->activateWindow();
      name->setFocus(Qt::OtherFocusReason);
      if (!name->hasFocus())
        for (auto* view : dialog->findChildren<QAbstractItemView*>()) view->clearSelection();
      name->setText(answer.FileName);
      QTest::keyClick(name, Qt::Key_Return);
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
      if (QAbstractButton* button = box->button(answer.Button)) button->click();
    }
  }

  std::deque<Answer> answers_;
  QTimer timer_;
  QPointer<QWidget> answered_;
};

// An event loop started now runs until it is told to stop: the program has not been told to end.
bool EventLoopRuns() {
  QEventLoop loop;
  QTimer::singleShot(20, &loop, [&loop] { loop.exit(7); });
  return loop.exec() == 7;
}

}  // namespace

class StaysRunningTest : public QObject {
  Q_OBJECT

 private slots:
  void boxesNeverEndTheProgram_data() {
    QTest::addColumn<bool>("enumeration");  // the enumeration dialog asks, else the main window
    QTest::addColumn<QString>("setUp");     // files made before, and the input typed
    QTest::addColumn<QStringList>("answers");
    QTest::addColumn<QStringList>("expected");  // what each modal window showed: kind
    QTest::addColumn<bool>("handedOver");

    QTest::newRow("enumeration, Replace answered No")
        << true << "existing" << QStringList{"file:Color.h", "No"}
        << QStringList{"file", "Confirm Replace"} << false;
    QTest::newRow("enumeration, folder missing")
        << true << "" << QStringList{"file:missing/Color.h", "Ok", "Ok"}
        << QStringList{"file", "Error", "Error"} << false;
    QTest::newRow("enumeration, FIFO target") << true << "fifo" << QStringList{"file:Color.h", "Ok"}
                                              << QStringList{"file", "Error"} << false;
    QTest::newRow("enumeration, refused Value")
        << true << "value" << QStringList{"file:Color.h", "Ok"} << QStringList{"file", "Error"}
        << false;
    QTest::newRow("enumeration, list file a FIFO")
        << true << "list" << QStringList{"file:names.txt", "Ok", "file:colors.txt"}
        << QStringList{"file", "Error", "file"} << true;
    QTest::newRow("main window, Replace answered No")
        << false << "existing" << QStringList{"file:Sample.h", "No"}
        << QStringList{"file", "Confirm Replace"} << false;
  }

  void boxesNeverEndTheProgram() {
    QFETCH(bool, enumeration);
    QFETCH(QString, setUp);
    QFETCH(QStringList, answers);
    QFETCH(QStringList, expected);
    QFETCH(bool, handedOver);
    QTemporaryDir dir;
    const auto path = [&dir](const char* leaf) { return dir.filePath(leaf).toStdString(); };
    const std::string stem = enumeration ? "Color" : "Sample";
    if (setUp == "existing") {
      WriteFile(path(enumeration ? "Color.h" : "Sample.h"), "old header\n");
      WriteFile(path(enumeration ? "Color.cpp" : "Sample.cpp"), "old source\n");
    }
    if (setUp == "fifo") QCOMPARE(mkfifo(path("Color.h").c_str(), 0600), 0);
    if (setUp == "list") {
      QCOMPARE(mkfifo(path("names.txt").c_str(), 0600), 0);
      WriteFile(path("colors.txt"), "Red Green\n");
    }

    QtPlatformServices services;
    TForm1 form(services);
    TGenEnumForm enumForm(services, form);
    form.SetCompanions(&enumForm, nullptr);
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QWidget* asking = enumeration ? static_cast<QWidget*>(&enumForm) : &form;
    if (enumeration) {
      UiOf(form).Button4->click();
      QVERIFY(QTest::qWaitForWindowExposed(&enumForm));
      QVERIFY(!form.isVisible());
      UiOf(enumForm).Edit1->setText("Color");
      UiOf(enumForm).NameGrid->setItem(0, 0, new QTableWidgetItem("Red"));
      if (setUp == "value") UiOf(enumForm).NameGrid->setItem(0, 1, new QTableWidgetItem("12a"));
      UiOf(enumForm).SeparateBox->setChecked(setUp != "list");
      UiOf(enumForm).FileBox->setChecked(setUp == "list");
    } else {
      UiOf(form).NameEdit->setText("Sample");
    }

    std::deque<Answer> script;
    for (const QString& answer : answers) {
      if (answer.startsWith("file:"))
        script.push_back({dir.filePath(answer.mid(5)), QMessageBox::NoButton});
      else
        script.push_back({QString(), answer == "No" ? QMessageBox::No : QMessageBox::Ok});
    }
    ModalAnswers modals(std::move(script));

    (enumeration ? UiOf(enumForm).OKButton : UiOf(form).Button1)->click();
    QTest::qWait(50);

    // Each window the user saw belonged to the window that asked.
    QStringList kinds;
    for (const Seen& seen : modals.Shown) {
      kinds << seen.Kind;
      QVERIFY2(seen.Owner == asking, qPrintable(seen.Kind + ": " + seen.Text));
    }
    QCOMPARE(kinds, expected);
    QVERIFY(!modals.Unexpected);

    // The program goes on.
    QVERIFY(!QApplication::quitOnLastWindowClosed());
    QVERIFY(EventLoopRuns());

    if (handedOver) {
      QVERIFY(form.isVisible());
      QVERIFY(!enumForm.isVisible());
      QCOMPARE(form.HeaderInsertions().size(), std::size_t{1});
      return;
    }
    // Nothing written, the input kept, the asking window still there.
    QVERIFY(asking->isVisible());
    QVERIFY(form.HeaderInsertions().empty());
    if (enumeration)
      QCOMPARE(UiOf(enumForm).Edit1->text(), QString("Color"));
    else
      QCOMPARE(UiOf(form).NameEdit->text(), QString("Sample"));
    if (setUp == "existing") {
      QCOMPARE(ReadFile(path((stem + ".h").c_str())), std::string("old header\n"));
      QCOMPARE(ReadFile(path((stem + ".cpp").c_str())), std::string("old source\n"));
    } else if (setUp != "fifo") {
      QVERIFY(!QFile::exists(QString::fromStdString(path((stem + ".h").c_str()))));
    }
  }
};

int main(int argc, char** argv) {
  // Qt's own dialogs, which the test can answer, whatever the desktop offers.
  QCoreApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
  ZandrelApplication app(argc, argv);
  StaysRunningTest test;
  // Run inside the application's own event loop, as the program does: only there would closing
  // a box end it.
  int result = 1;
  QTimer::singleShot(0, &app, [&] {
    result = QTest::qExec(&test, argc, argv);
    QCoreApplication::exit(result);
  });
  app.exec();
  return result;
}

#include "stays_running_test.moc"
