#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "shell/class_preview.h"
#include "shell/tform1.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/fake_services.h"

using namespace zandrel;
using zandrel::testing::FakeServices;
using zandrel::testing::Pick;
using zandrel::testing::ReadFile;
using zandrel::testing::SetCell;

namespace {

QStringList TabTitles(const TForm1& form) {
  QStringList titles;
  for (int i = 0; i < form.Preview->Tabs->count(); ++i) titles << form.Preview->Tabs->tabText(i);
  return titles;
}

// The text of the preview tab with this title, as the user sees it.
std::string PageText(TForm1& form, const QString& title) {
  for (int i = 0; i < form.Preview->Tabs->count(); ++i)
    if (form.Preview->Tabs->tabText(i) == title) {
      form.Preview->Tabs->setCurrentIndex(i);
      const std::string shown = form.Preview->ShownPage()->toPlainText().toStdString();
      const std::string text = form.Preview->ShownText().toStdString();
      return shown == text ? text : "shown text differs: " + shown;
    }
  return "no tab " + title.toStdString();
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    services_ = std::make_unique<FakeServices>();
    form_ = std::make_unique<TForm1>(*services_);
  }
  void cleanup() { form_.reset(); }

  // The preview shows byte for byte what Build then writes.
  void previewEqualsWrittenFiles_data() {
    QTest::addColumn<QString>("system");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QStringList>("files");
    QTest::newRow("C++") << "CBuilder" << QStringList{"Header", "Source"}
                         << QStringList{"Sample.h", "Sample.cpp"};
    QTest::newRow("Java") << "Java" << QStringList{"Java"} << QStringList{"Sample.java"};
  }
  void previewEqualsWrittenFiles() {
    QFETCH(QString, system);
    QFETCH(QStringList, tabs);
    QFETCH(QStringList, files);
    TForm1& form = *form_;
    form.NameEdit->setText(" Sample ");
    SetCell(form.StringGrid1, 1, 0, "int");
    SetCell(form.StringGrid1, 1, 1, "count");
    SetCell(form.StringGrid1, 1, 2, "0");
    SetCell(form.StringGrid1, 2, 0, "char");
    SetCell(form.StringGrid1, 2, 1, "name[32]");
    SetCell(form.StringGrid1, 4, 0, "double");
    SetCell(form.StringGrid1, 4, 1, "area(int w, int h)");
    form.SetComparisonIndex(2);
    form.StdCheck->setChecked(true);
    form.BigConstructorBox->setChecked(true);
    form.ToStringBox->setChecked(true);
    form.HeaderInsertions = {"enum Old { A };", "enum New { B };"};
    Pick(form.FormBox, "getVariable and setVariable");
    Pick(form.SystemBox, system);

    QCOMPARE(TabTitles(form), tabs);
    std::vector<std::string> previews;
    for (const QString& tab : tabs) previews.push_back(PageText(form, tab));

    services_->SaveAnswers.push_back(Path("Sample.h"));
    form.Button1->click();
    QVERIFY(services_->Messages.empty());
    for (qsizetype i = 0; i < files.size(); ++i)
      QCOMPARE(previews[i], ReadFile(Path(files[i].toStdString())));
  }

  void previewFollowsEdits() {
    TForm1& form = *form_;
    form.NameEdit->setText("Car");
    const auto header = [&] { return PageText(form, "Header"); };
    QVERIFY(header().find("wheels") == std::string::npos);

    SetCell(form.StringGrid1, 2, 0, "int");
    SetCell(form.StringGrid1, 2, 1, "wheels");
    QVERIFY(header().find("int wheels;") != std::string::npos);

    form.MathCheck->setChecked(true);
    QVERIFY(header().find("#include <math.h>") != std::string::npos);

    Pick(form.SystemBox, "Java");
    QCOMPARE(TabTitles(form), QStringList{"Java"});
    QVERIFY(PageText(form, "Java").find("public class Car {") != std::string::npos);
    Pick(form.SystemBox, "CBuilder");
    QCOMPARE(TabTitles(form), (QStringList{"Header", "Source"}));
    QVERIFY(header().find("#include <vcl.h>") != std::string::npos);

    form.AcceptEnumeration("Color", "enum Color { Red };");
    QVERIFY(header().find("enum Color { Red };") != std::string::npos);

    // A rejected choice leaves the preview on the accepted one.
    zandrel::testing::TypeAndEnter(form.SystemBox, "Jav");
    QCOMPARE(TabTitles(form), (QStringList{"Header", "Source"}));
  }

  // The preview follows the typing in a cell before the cell is committed; Escape takes it back.
  void previewFollowsCellBeingTyped() {
    TForm1& form = *form_;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.NameEdit->setText("Car");
    SetCell(form.StringGrid1, 1, 0, "int");
    form.StringGrid1->setFocus();
    form.StringGrid1->setCurrentCell(0, 1);
    form.StringGrid1->editItem(form.StringGrid1->item(0, 1));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    QTest::keyClicks(editor, "speed");
    QVERIFY(PageText(form, "Header").find("int speed;") != std::string::npos);
    QVERIFY(zandrel::testing::Cell(form.StringGrid1, 1, 1).isEmpty());

    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(PageText(form, "Header").find("speed") == std::string::npos);
    QVERIFY(zandrel::testing::Cell(form.StringGrid1, 1, 1).isEmpty());
  }

  void shortNameShowsBuildMessage() {
    TForm1& form = *form_;
    form.NameEdit->setText("A");
    QCOMPARE(PageText(form, "Header"), std::string(ShortClassNameMessage));
    QCOMPARE(PageText(form, "Source"), std::string(ShortClassNameMessage));
    QVERIFY(services_->Messages.empty());  // the preview shows no message box
  }

  void copyPutsShownTabOnClipboard() {
    TForm1& form = *form_;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.NameEdit->setText("Car");
    const std::string source = PageText(form, "Source");
    QGuiApplication::clipboard()->clear();
    form.Preview->CopyButton->click();
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), source);

    const std::string header = PageText(form, "Header");
    QVERIFY(header != source);
    QTest::keyClick(form.NameEdit, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), header);
    QCOMPARE(form.NameEdit->text(), QString("Car"));
  }

  void previewCanBeHidden() {
    TForm1& form = *form_;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.PreviewCheck->text(), QString("Show preview"));
    QVERIFY(form.PreviewCheck->isChecked());
    const int wide = form.width();
    form.PreviewCheck->setChecked(false);
    QVERIFY(form.Preview->isHidden());
    QVERIFY(form.width() <= wide);
    form.PreviewCheck->setChecked(true);
    QVERIFY(!form.Preview->isHidden());
    QVERIFY(form.width() >= wide - 1 ||
            form.width() >= form.screen()->availableGeometry().width() - 16);
  }

 private:
  std::string Path(const std::string& leaf) const {
    return dir_->filePath(QString::fromStdString(leaf)).toStdString();
  }

  std::unique_ptr<QTemporaryDir> dir_;
  std::unique_ptr<FakeServices> services_;
  std::unique_ptr<TForm1> form_;
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
