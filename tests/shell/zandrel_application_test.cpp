#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include <link.h>

#include "shell/tform1.h"
#include "shell/zandrel_application.h"
#include "tests/support/qt/fake_services.h"

using namespace zandrel;

namespace {

// A handler that fails.
class Failing : public QObject {
 public:
  int Seen = 0;
  bool event(QEvent* event) override {
    if (event->type() != QEvent::User) return QObject::event(event);
    ++Seen;
    throw std::runtime_error("The handler failed.");
  }
};

}  // namespace

class ZandrelApplicationTest : public QObject {
  Q_OBJECT

 private slots:
  // The main window's start-up paints it without loading an image-format plugin (reading the
  // first image file loads them all). First, before a message box shows its icon.
  void startUpLoadsNoImagePlugin() {
    {
      zandrel::testing::FakeServices services;
      TForm1 form(services);
      form.show();
      QVERIFY(QTest::qWaitForWindowExposed(&form));
      form.grab();
    }
    QStringList loaded;
    dl_iterate_phdr(
        [](dl_phdr_info* library, std::size_t, void* found) {
          const QString name = QString::fromLocal8Bit(library->dlpi_name);
          if (name.contains("/imageformats/")) static_cast<QStringList*>(found)->append(name);
          return 0;
        },
        &loaded);
    QCOMPARE(loaded, QStringList());
  }

  void exceptionIsShownAndWorkGoesOn() {
    QString shown;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      shown = box->text();
      box->buttons().first()->click();
    });
    Failing failing;
    QEvent event(QEvent::User);
    QVERIFY(!QCoreApplication::sendEvent(&failing, &event));
    QCOMPARE(shown, QString("The handler failed."));
    QCOMPARE(failing.Seen, 1);

    // The application still delivers events afterwards.
    bool delivered = false;
    QTimer::singleShot(0, [&] { delivered = true; });
    QTRY_VERIFY(delivered);
  }

  // The error box is shown above the window the user works in, else above the main window (which
  // may be hidden behind the enumeration dialog); the application never ends on its own.
  void errorBoxHasAnOwner_data() {
    QTest::addColumn<bool>("otherActive");
    QTest::newRow("another window active") << true;
    QTest::newRow("no window active") << false;
  }
  void errorBoxHasAnOwner() {
    QFETCH(bool, otherActive);
    auto* app = static_cast<ZandrelApplication*>(QCoreApplication::instance());
    QVERIFY(!QApplication::quitOnLastWindowClosed());
    QWidget mainWindow;
    app->SetMainWindow(&mainWindow);
    QWidget other;
    if (otherActive) {
      other.show();
      other.activateWindow();
      QVERIFY(QTest::qWaitForWindowActive(&other));
    }
    QWidget* owner = nullptr;
    QTimer::singleShot(0, [&] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      QVERIFY(box != nullptr);
      owner = box->parentWidget();
      box->buttons().first()->click();
    });
    Failing failing;
    QEvent event(QEvent::User);
    QCoreApplication::sendEvent(&failing, &event);
    app->SetMainWindow(nullptr);
    QCOMPARE(owner, otherActive ? &other : &mainWindow);
  }
};

int main(int argc, char** argv) {
  ZandrelApplication app(argc, argv);
  ZandrelApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "zandrel_application_test.moc"
