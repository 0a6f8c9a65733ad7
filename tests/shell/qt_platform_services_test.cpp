#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "desktop/qt_platform_services.h"

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
    QWidget owner;
    owner.show();
    bool checked = false;
    OnNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      // Above the window that asked, whichever window is active.
      QCOMPARE(box->parentWidget(), &owner);
      QCOMPARE(box->windowTitle(), QString("Oops, unavailable feature."));
      QCOMPARE(box->text(), QString("<b>not</b> html"));
      QCOMPARE(box->icon(), QMessageBox::NoIcon);
      QCOMPARE(box->buttons().size(), 1);
      QCOMPARE(box->standardButton(box->buttons().first()), QMessageBox::Ok);
      checked = true;
      box->buttons().first()->click();
    });
    services.ShowMessage(&owner, "<b>not</b> html", "Oops, unavailable feature.");
    QVERIFY(checked);
  }

  void questionDefaultsToNo() {
    QtPlatformServices services;
    QWidget owner;
    OnNextModal([&owner](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->parentWidget(), &owner);
      QCOMPARE(box->windowTitle(), QString("Confirm Replace"));
      QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
      QTest::keyClick(box, Qt::Key_Return);
    });
    QVERIFY(!services.AskYesNo(&owner, "a.h already exists. Replace it?", "Confirm Replace"));
    OnNextModal([](QWidget* modal) {
      qobject_cast<QMessageBox*>(modal)->button(QMessageBox::Yes)->click();
    });
    QVERIFY(services.AskYesNo(&owner, "a.h already exists. Replace it?", "Confirm Replace"));
  }

  // Save is the default, Escape cancels, and each button gives its answer.
  void saveChangesQuestion_data() {
    QTest::addColumn<int>("key");  // 0: the button itself
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("answer");
    QTest::newRow("Enter") << int(Qt::Key_Return) << 0 << int(SaveChoice::Save);
    QTest::newRow("Escape") << int(Qt::Key_Escape) << 0 << int(SaveChoice::Cancel);
    QTest::newRow("Discard") << 0 << int(QMessageBox::Discard) << int(SaveChoice::Discard);
    QTest::newRow("Cancel") << 0 << int(QMessageBox::Cancel) << int(SaveChoice::Cancel);
  }
  void saveChangesQuestion() {
    QFETCH(int, key);
    QFETCH(int, button);
    QFETCH(int, answer);
    QtPlatformServices services;
    QWidget owner;
    OnNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->parentWidget(), &owner);
      QCOMPARE(box->windowTitle(), QString("Save Changes"));
      QCOMPARE(box->buttons().size(), 3);
      if (key != 0)
        QTest::keyClick(box, Qt::Key(key));
      else
        box->button(QMessageBox::StandardButton(button))->click();
    });
    QCOMPARE(int(services.AskSaveChanges(&owner, "Save changes?", "Save Changes")), answer);
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

    // Each showing is a dialog of its own, gone when it closes (its folder watches with it), and
    // the next one starts in the folder chosen before.
    QString startedIn;
    OnNextModal([&](QWidget* modal) {
      startedIn = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
      qobject_cast<QDialog*>(modal)->reject();
    });
    dialog->FileName = "Kept.h";
    QVERIFY(!dialog->Execute());
    QCOMPARE(startedIn, QDir(dir.path()).absolutePath());
    QCOMPARE(dialog->FileName, std::string("Kept.h"));
    QCOMPARE(dialog->FilterIndex, 3);
    for (QWidget* window : QApplication::topLevelWidgets())
      QVERIFY(qobject_cast<QFileDialog*>(window) == nullptr);
  }

  // The freedesktop.org trash of a home folder made for the test: the file moves there with its
  // restore record, or stays where it is.
  void moveToTrash_data() {
    QTest::addColumn<bool>("exists");
    QTest::addColumn<bool>("dataFolderExists");
    QTest::newRow("a file") << true << true;
    QTest::newRow("a file, no data folder yet") << true << false;
    QTest::newRow("no such file") << false << true;
  }
  void moveToTrash() {
    QFETCH(bool, exists);
    QFETCH(bool, dataFolderExists);
    QTemporaryDir home;
    QTemporaryDir current;
    const QString oldCurrent = QDir::currentPath();
    QDir::setCurrent(current.path());
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldData = qgetenv("XDG_DATA_HOME");
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_DATA_HOME", home.filePath("data").toUtf8());
    if (dataFolderExists) QVERIFY(QDir(home.path()).mkdir("data"));
    const QString file = home.filePath("Sample.cpp");
    if (exists) {
      QFile out(file);
      QVERIFY(out.open(QIODevice::WriteOnly));
      out.write("// the user's own code\n");
    }

    const bool moved = QtPlatformServices().MoveToTrash(file.toStdString());
    qputenv("HOME", oldHome);
    qputenv("XDG_DATA_HOME", oldData);
    QDir::setCurrent(oldCurrent);

    QCOMPARE(moved, exists);
    QVERIFY(QDir(current.path()).isEmpty());  // never beside the current folder
    QVERIFY(!QFile::exists(file));
    QFile trashed(home.filePath("data/Trash/files/Sample.cpp"));
    QCOMPARE(trashed.exists(), exists);
    if (exists) {
      QVERIFY(trashed.open(QIODevice::ReadOnly));
      QCOMPARE(trashed.readAll(), QByteArray("// the user's own code\n"));
      QVERIFY(QFile::exists(home.filePath("data/Trash/info/Sample.cpp.trashinfo")));
    }
  }

  // With no program on the path to open it, the folder is named in a box above the window.
  void openFolderWithoutLauncherSaysSo() {
    const QByteArray oldPath = qgetenv("PATH");
    qputenv("PATH", "/nonexistent");
    QtPlatformServices services;
    QWidget owner;
    owner.show();
    QString told;
    OnNextModal([&](QWidget* modal) {
      auto* box = qobject_cast<QMessageBox*>(modal);
      QVERIFY(box != nullptr);
      QCOMPARE(box->parentWidget(), &owner);
      told = box->text();
      box->buttons().first()->click();
    });
    services.OpenFolder(&owner, "/no/such/Build folder");
    qputenv("PATH", oldPath);
    QVERIFY2(told.contains("/no/such/Build folder"), qPrintable(told));
  }
};

QTEST_MAIN(QtPlatformServicesTest)
#include "qt_platform_services_test.moc"
