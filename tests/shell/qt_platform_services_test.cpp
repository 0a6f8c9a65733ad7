#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "shell/qt_platform_services.h"

using namespace zandrel;

namespace {

// Runs check on the next modal window that opens, then lets it go.
void OnNextModal(std::function<void(QWidget*)> check) {
  QTimer::singleShot(0, [check = std::move(check)] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr) {
      OnNextModal(check);
      return;
    }
    check(modal);
  });
}

}  // namespace

class QtPlatformServicesTest : public QObject {
  Q_OBJECT

 private slots:
  void nameFilters_data() {
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("main window") << "Header files|*.h|Java files|*.java|Text files|*.txt|All "
                                    "files|*.*"
                                 << QStringList{"Header files (*.h)", "Java files (*.java)",
                                                "Text files (*.txt)", "All files (*.*)"};
    QTest::newRow("several patterns")
        << "C++ files|*.h;*.cpp" << QStringList{"C++ files (*.h *.cpp)"};
    QTest::newRow("empty") << "" << QStringList{};
    QTest::newRow("caption without pattern") << "Lonely" << QStringList{};
  }
  void nameFilters() {
    QFETCH(QString, filter);
    QFETCH(QStringList, expected);
    QCOMPARE(NameFilters(filter.toStdString()), expected);
  }

  void messageHasNoIconAndOneButton() {
    QtPlatformServices services;
    bool checked = false;
    OnNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->windowTitle(), QString("Oops, unavailable feature."));
      QCOMPARE(box->text(), QString("<b>not</b> html"));
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
      QCOMPARE(box->buttons().size(), 1);
      QCOMPARE(box->standardButton(box->buttons().first()), QMessageBox::Ok);
      checked = true;
      box->buttons().first()->click();
    });
    services.ShowMessage("<b>not</b> html", "Oops, unavailable feature.");
    QVERIFY(checked);
  }

  void questionDefaultsToNo() {
    QtPlatformServices services;
    OnNextModal([](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->windowTitle(), QString("Confirm Replace"));
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
      QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(!services.AskYesNo("a.h already exists. Replace it?", "Confirm Replace"));
    OnNextModal([](QWidget* modal) {
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    QVERIFY(services.AskYesNo("a.h already exists. Replace it?", "Confirm Replace"));
  }

  // The save dialog shows what the caller set and reports the chosen path and filter entry.
  void saveDialogRoundTrip() {
    QTemporaryDir dir;
    QtPlatformServices services;
    auto dialog = services.CreateSaveDialog(nullptr);
    dialog->Title = "Save the class";
    dialog->Filter = "Header files|*.h|Java files|*.java|All files|*.*";
    dialog->FilterIndex = 2;
    dialog->FileName = dir.filePath("Meter.java").toStdString();
    bool shown = false;
    OnNextModal([&](QWidget* modal) {
      shown = true;
      auto* fileDialog = qobject_cast<QFileDialog*>(modal);
      QVERIFY(fileDialog != nullptr);
      QCOMPARE(fileDialog->windowTitle(), QString("Save the class"));
      QCOMPARE(fileDialog->acceptMode(), QFileDialog::AcceptSave);
      QCOMPARE(fileDialog->selectedNameFilter(), QString("Java files (*.java)"));
      QCOMPARE(fileDialog->selectedFiles().value(0), dir.filePath("Meter.java"));
      fileDialog->selectNameFilter("All files (*.*)");
      fileDialog->selectFile(dir.filePath("Other.txt"));
      QMetaObject::invokeMethod(fileDialog, "accept");
    });
    QVERIFY(dialog->Execute());
    QVERIFY(shown);
    QCOMPARE(dialog->FileName, dir.filePath("Other.txt").toStdString());
    QCOMPARE(dialog->FilterIndex, 3);

    OnNextModal([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    dialog->FileName = "Kept.h";
    QVERIFY(!dialog->Execute());
    QCOMPARE(dialog->FileName, std::string("Kept.h"));
    QCOMPARE(dialog->FilterIndex, 3);
  }
};

QTEST_MAIN(QtPlatformServicesTest)
#include "qt_platform_services_test.moc"
