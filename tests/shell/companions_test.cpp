#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <variant>

#include "classgen/cpp_header_writer.h"
#include "classgen/java_class_writer.h"
#include "desktop/choice_box.h"
#include "desktop/live_edit_grid.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_texts.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/qt/dialog_access.h"

using namespace zandrel;
using zandrel::testing::Cell;
using zandrel::testing::MainWindowFixture;
using zandrel::testing::Pick;
using zandrel::testing::ReadFile;
using zandrel::testing::SetCell;
using zandrel::testing::UiOf;
using zandrel::testing::WriteFile;

namespace {

// What the enumeration core makes of a grid-only request: the text handed to the main window.
std::string HandOverFor(const EnumerationRequest& request) {
  return std::get<EnumerationOutput>(ComposeEnumeration(request, nullptr)).HandOver();
}

}  // namespace

class CompanionsTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fx_ = std::make_unique<MainWindowFixture>();
    form_ = &fx_->Form1;
    ui_ = &UiOf(*form_);
    enumForm_ = &fx_->GenEnumForm;
    logWindow_ = &fx_->UserLogWindow;
    form_->show();
  }
  void cleanup() { fx_.reset(); }

  void enumerationOpensInEitherStyle_data() {
    QTest::addColumn<bool>("asClass");
    QTest::newRow("Generate Enumeration") << false;
    QTest::newRow("Generate Enumeration as a Class") << true;
  }
  void enumerationOpensInEitherStyle() {
    QFETCH(bool, asClass);
    UiOf(*enumForm_).SeparateBox->setChecked(true);
    (asClass ? ui_->EnumButton : ui_->Button4)->click();
    QVERIFY(!form_->isVisible());
    QVERIFY(enumForm_->isVisible());
    QCOMPARE(enumForm_->Style(),
             asClass ? EnumerationStyle::EnumerationClass : EnumerationStyle::PlainEnumeration);
    QVERIFY(!UiOf(*enumForm_).SeparateBox->isChecked());
  }

  // Without a separate file the text goes into every later header, newest first.
  void enumerationTextGoesIntoLaterHeaders() {
    ui_->NameEdit->setText("Car");
    SetCell(ui_->StringGrid1, 1, 0, "int");
    SetCell(ui_->StringGrid1, 1, 1, "wheels");

    ui_->Button4->click();
    FillEnumeration("Color", {"Red", "Green"});
    const std::string first = HandOverFor(Request("Color", {"Red", "Green"}, false));
    UiOf(*enumForm_).OKButton->click();
    QVERIFY(form_->isVisible());
    QVERIFY(!enumForm_->isVisible());
    QCOMPARE(Cell(ui_->StringGrid1, 1, 0), QString("int"));
    QCOMPARE(Cell(ui_->StringGrid1, 2, 0), QString("Color"));
    QVERIFY(form_->statusBar()->currentMessage().startsWith("Color collected"));
    QVERIFY(!ui_->OpenFolderButton->isVisibleTo(form_));
    // The dialog is reset for its next opening.
    QVERIFY(UiOf(*enumForm_).Edit1->text().isEmpty());
    QVERIFY(UiOf(*enumForm_).Edit2->text().isEmpty());
    QVERIFY(Cell(UiOf(*enumForm_).NameGrid, 1, 0).isEmpty());

    ui_->EnumButton->click();
    FillEnumeration("Shape", {"Round"});
    const std::string second = HandOverFor(Request("Shape", {"Round"}, true));
    UiOf(*enumForm_).OKButton->click();
    QCOMPARE(Cell(ui_->StringGrid1, 3, 0), QString("Shape"));
    QCOMPARE(form_->HeaderInsertions(), (std::vector<std::string>{first, second}));
    QVERIFY(fx_->Services.Showings.empty());  // no file dialog: nothing written

    fx_->Services.SaveAnswers.push_back(Path("Car.h"));
    ui_->Button1->click();
    const std::string header = ReadFile(Path("Car.h"));
    ClassDescription expected;
    expected.ClassName = "Car";
    expected.Members = {{"int", "wheels", "", 1}};  // "Color" has no Name yet: no member
    expected.HeaderInsertions = {first, second};
    QCOMPARE(header, WriteCppHeader(expected));
    const auto newest = header.find(second);
    const auto oldest = header.find(first);
    QVERIFY(newest != std::string::npos && oldest != std::string::npos);
    QVERIFY(newest < oldest);

    Pick(ui_->SystemBox, "Java");
    fx_->Services.SaveAnswers.push_back(Path("Car.java"));
    ui_->Button1->click();
    expected.Options.TargetSystem = TargetSystem::Java;
    QCOMPARE(ReadFile(Path("Car.java")), WriteJavaClass(expected));
  }

  // With a separate file the enumeration is written and the main window receives the include.
  void separateFileHandsOverTheIncludeLine() {
    ui_->Button4->click();
    FillEnumeration("Color", {"Red", "Green"});
    UiOf(*enumForm_).SeparateBox->setChecked(true);
    fx_->Services.SaveAnswers.push_back(Path("Color.h"));
    UiOf(*enumForm_).OKButton->click();

    QVERIFY(form_->isVisible());
    QVERIFY(QFile::exists(QString::fromStdString(Path("Color.h"))));
    QVERIFY(QFile::exists(QString::fromStdString(Path("Color.cpp"))));
    QCOMPARE(form_->HeaderInsertions(), std::vector<std::string>{IncludeLine(Path("Color.h"))});
    QCOMPARE(Cell(ui_->StringGrid1, 1, 0), QString("Color"));
    QVERIFY(form_->statusBar()->currentMessage().startsWith("Wrote Color.h and Color.cpp in "));
    QVERIFY(ui_->OpenFolderButton->isVisibleTo(form_));
  }

  void cancelKeepsInputAndShowsMainWindow() {
    ui_->Button4->click();
    FillEnumeration("Color", {"Red"});
    UiOf(*enumForm_).Button1->click();
    QVERIFY(form_->isVisible());
    QVERIFY(!enumForm_->isVisible());
    QVERIFY(form_->HeaderInsertions().empty());
    QVERIFY(Cell(ui_->StringGrid1, 1, 0).isEmpty());

    ui_->Button4->click();
    QCOMPARE(UiOf(*enumForm_).Edit1->text(), QString("Color"));
    QCOMPARE(Cell(UiOf(*enumForm_).NameGrid, 1, 0), QString("Red"));
  }

  // The log window opens beside the main window on the log file in the XDG state folder, or on
  // the one in the home folder where that exists already.
  void logButtonOpensLogOnUserFile() {
    const QByteArray oldHome = qgetenv("HOME");
    const QByteArray oldState = qgetenv("XDG_STATE_HOME");
    QTemporaryDir home;
    qputenv("HOME", home.path().toUtf8());
    qputenv("XDG_STATE_HOME", home.filePath("state").toUtf8());
    ui_->Button5->click();
    const std::string logFile = home.filePath("state/zandrel/Zandrel_Log.log").toStdString();
    QCOMPARE(logWindow_->LogFileName(), logFile);
    QCOMPARE(QFileInfo(home.filePath("state")).permissions() & 0x0077, QFile::Permissions());
    QVERIFY(UiOf(*logWindow_).Button1->toolTip().contains(QString::fromStdString(logFile)));
    QVERIFY(logWindow_->isVisible());
    QVERIFY(form_->isVisible());
    QCOMPARE(UiOf(*logWindow_).OptionalLabel->text(),
             QString("Please note precisely what the error is or what should be improved."));
    QVERIFY(logWindow_->ContextLine().empty());

    UiOf(*logWindow_).Memo1->setPlainText("Row 3 was a char array.");
    UiOf(*logWindow_).Button1->click();
    const std::string entry = ReadFile(logFile);
    QVERIFY(entry.find("User comments:\nRow 3 was a char array.\n") != std::string::npos);

    logWindow_->hide();
    const std::string homeLog = home.filePath("Zandrel_Log.log").toStdString();
    WriteFile(homeLog, "earlier\n");
    ui_->Button5->click();
    qputenv("HOME", oldHome);
    qputenv("XDG_STATE_HOME", oldState);
    QCOMPARE(logWindow_->LogFileName(), homeLog);
  }

  // Start-up makes the main window alone; the enumeration dialog and the log window are made when
  // first opened, one each, and keep what was typed between openings.
  void companionsAreMadeWhenFirstOpened() {
    fx_.reset();
    zandrel::testing::FakeServices services;
    TForm1 form(services);
    form.show();
    QVERIFY(Windows<TGenEnumForm>().empty());
    QVERIFY(Windows<TUserLogWindow>().empty());
    for (QPushButton* open : {UiOf(form).Button4, UiOf(form).EnumButton}) {
      open->click();
      QCOMPARE(Windows<TGenEnumForm>().size(), std::size_t(1));
      TGenEnumForm* dialog = Windows<TGenEnumForm>().front();
      QVERIFY(dialog->isVisible());
      if (open == UiOf(form).Button4) UiOf(*dialog).Edit1->setText("Kept");
      QCOMPARE(UiOf(*dialog).Edit1->text(), QString("Kept"));
      UiOf(*dialog).Button1->click();
    }
    UiOf(form).Button5->click();
    UiOf(form).Button5->click();
    QCOMPARE(Windows<TUserLogWindow>().size(), std::size_t(1));
    QVERIFY(Windows<TUserLogWindow>().front()->isVisible());
  }

  void exitEndsWithCompanionsOpen() {
    QSignalSpy closed(form_, &TForm1::Closed);
    ui_->Button5->click();
    QVERIFY(logWindow_->isVisible());
    ui_->Button3->click();
    QCOMPARE(closed.count(), 1);
    QVERIFY(!form_->isVisible());
    QVERIFY(!logWindow_->isVisible());
    QVERIFY(!enumForm_->isVisible());
  }

 private:
  std::string Path(const std::string& leaf) const { return fx_->Path(leaf); }

  void FillEnumeration(const QString& typeName, const QStringList& names) {
    UiOf(*enumForm_).Edit1->setText(typeName);
    UiOf(*enumForm_).Edit2->setText("ZD");
    for (int row = 0; row < names.size(); ++row)
      SetCell(UiOf(*enumForm_).NameGrid, row + 1, 0, names[row]);
  }

  static EnumerationRequest Request(const std::string& typeName,
                                    const std::vector<std::string>& names, bool asClass) {
    EnumerationRequest request;
    request.TypeName = typeName;
    request.Style =
        asClass ? EnumerationStyle::EnumerationClass : EnumerationStyle::PlainEnumeration;
    for (std::size_t row = 0; row < names.size(); ++row) request.GridRows[row].Name = names[row];
    return request;
  }

  template <class Window>
  static std::vector<Window*> Windows() {
    std::vector<Window*> found;
    for (QWidget* window : QApplication::topLevelWidgets())
      if (auto* wanted = dynamic_cast<Window*>(window)) found.push_back(wanted);
    return found;
  }

  std::unique_ptr<MainWindowFixture> fx_;
  TForm1* form_ = nullptr;
  TForm1Ui* ui_ = nullptr;
  TGenEnumForm* enumForm_ = nullptr;
  TUserLogWindow* logWindow_ = nullptr;
};

QTEST_MAIN(CompanionsTest)
#include "companions_test.moc"
