#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "shell/zandrel_application.h"

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
};

int main(int argc, char** argv) {
  ZandrelApplication app(argc, argv);
  ZandrelApplicationTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "zandrel_application_test.moc"
