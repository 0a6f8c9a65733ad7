#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <memory>

#include <sys/stat.h>

#include "classgen/class_build.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "core/output_text.h"
#include "shell/class_preview.h"
#include "shell/tform1.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/fake_services.h"

using namespace zandrel;
using zandrel::testing::Cell;
using zandrel::testing::FakeServices;
using zandrel::testing::Pick;
using zandrel::testing::ReadFile;
using zandrel::testing::SetCell;
using zandrel::testing::TypeAndEnter;
using zandrel::testing::WriteFile;

namespace {

const std::string Invalid = "Invalid selection - try again";

// A description that touches every option the window reads, filled in through the controls.
void FillSample(TForm1& form) {
  form.NameEdit->setText("  my class ");
  SetCell(form.StringGrid1, 1, 0, "int");
  SetCell(form.StringGrid1, 1, 1, "count");
  SetCell(form.StringGrid1, 1, 2, "0");
  SetCell(form.StringGrid1, 3, 0, "char");
  SetCell(form.StringGrid1, 3, 1, "label[8]");
  SetCell(form.StringGrid1, 4, 0, "void");
  SetCell(form.StringGrid1, 4, 1, "reset()");
  form.SetComparisonIndex(1);
  form.PrivateCheck->setChecked(true);
  form.StdCheck->setChecked(true);
  form.MathCheck->setChecked(true);
  form.StringCheck->setChecked(true);
  form.BigConstructorBox->setChecked(true);
  form.ToStringBox->setChecked(true);
  Pick(form.FormBox, "GetVariable and SetVariable");
}

// The same description, written out by hand: what Build must hand to the writers.
ClassDescription SampleDescription(TargetSystem system) {
  ClassDescription description;
  description.ClassName = "my_class";
  description.Members = {
      {"int", "count", "0", 1}, {"char", "label[8]", "", 3}, {"void", "reset()", "", 4}};
  GenerationOptions& options = description.Options;
  options.ComparisonLevel = ComparisonLevel::EqualityOnly;
  options.PrivateCopy = true;
  options.FrameworkLibrary = true;
  options.StdLib = true;
  options.MathLib = true;
  options.CStrings = true;
  options.BigConstructor = true;
  options.ToStringMethod = true;
  options.NameForm = NameForm::UpperCamel;
  options.TargetSystem = system;
  return description;
}

}  // namespace

class TForm1Test : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    services_ = FakeServices();
  }

  void startUpState() {
    TForm1 form(services_);
    QCOMPARE(form.windowTitle(), QString("Zandrel"));
    QCOMPARE(form.VCLCheck->text(), QString("WX strings"));
    QVERIFY(form.VCLCheck->isChecked());
    QVERIFY(!form.VCLCheck->isHidden());
    QCOMPARE(form.SystemBox->currentText(), QString("DevC++"));
    QCOMPARE(form.FormBox->currentText(), QString("get_variable and set_variable"));
    QCOMPARE(form.SelectedSystem, TargetSystem::DevCpp);
    QCOMPARE(form.SelectedNameForm, NameForm::LowerUnderscore);
    QVERIFY(form.HeaderInsertions.empty());
    QVERIFY(form.NameEdit->text().isEmpty());
    QCOMPARE(form.ComparisonIndex(), 0);
    for (QCheckBox* box : {form.PrivateCheck, form.StdCheck, form.MathCheck, form.StringCheck,
                           form.BigConstructorBox, form.ToStringBox})
      QVERIFY2(!box->isChecked(), qPrintable(box->text()));

    const std::pair<QAbstractButton*, const char*> captions[] = {
        {form.Button1, "Build"},
        {form.Button2, "Clear"},
        {form.Button3, "Exit"},
        {form.Button4, "Generate Enumeration"},
        {form.Button5, "Log an error or comment"},
        {form.EnumButton, "Generate Enumeration as a Class"},
        {form.Button6, "Generate Constant Sequence"},
        {form.PrivateCheck, "Make copy constructor and = operator private"},
        {form.StdCheck, "StdLib"},
        {form.MathCheck, "Math"},
        {form.StringCheck, "C Style Strings"},
        {form.BigConstructorBox, "Constructor with all variables as parameters"},
        {form.ToStringBox, "Generate a ToString method"},
        {form.RadioGroup1Items->button(0), "No comparison operators"},
        {form.RadioGroup1Items->button(1), "Equal and not equal only (you implement = and <)"},
        {form.RadioGroup1Items->button(2), "All comparisons (you implement = and <)"}};
    for (const auto& [control, caption] : captions) QCOMPARE(control->text(), QString(caption));
    QCOMPARE(form.RadioGroup1->title(), QString("Comparisons"));
    QCOMPARE(form.Label1->text(), QString("Class Name"));
    QCOMPARE(form.Label2->text(), QString("Libraries"));
    QCOMPARE(form.Label3->text(), QString("Member data and functions"));
    QCOMPARE(form.Label4->text(), QString("Form of names"));

    QCOMPARE(form.SystemBox->count(), 4);
    QCOMPARE(form.FormBox->count(), 3);
    QCOMPARE(form.StringGrid1->rowCount(), 19);
    QCOMPARE(form.StringGrid1->columnCount(), 3);
    const QString titles[] = {"Type", "Name", "Initial value"};
    for (int column = 0; column < 3; ++column)
      QCOMPARE(form.StringGrid1->horizontalHeaderItem(column)->text(), titles[column]);
    for (int row = 1; row <= 19; ++row)
      for (int column = 0; column < 3; ++column)
        QVERIFY(Cell(form.StringGrid1, row, column).isEmpty());

    QCOMPARE(form.SaveDialog1->Filter, std::string(SaveDialogFilter));
    QCOMPARE(form.SaveDialog1->FilterIndex, 1);
  }

  // Focus starts on Build; Tab walks the controls in the documented order and leaves the grid.
  void focusAndTabOrder() {
    TForm1 form(services_);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.Button1);
    QTest::keyClick(form.Button1, Qt::Key_Return);  // Enter presses the focused button
    QCOMPARE(services_.Messages.size(), std::size_t{1});
    QCOMPARE(services_.Messages[0].Text, std::string(ShortClassNameMessage));
    QCOMPARE(services_.Messages[0].Owner, &form);

    const QList<QWidget*> expected{
        form.NameEdit, form.StringGrid1, form.RadioGroup1Items->checkedButton(), form.PrivateCheck,
        form.VCLCheck, form.StdCheck, form.MathCheck, form.StringCheck, form.Button2, form.Button3,
        form.Button4, form.Button5, form.EnumButton, form.Button6, form.BigConstructorBox,
        form.ToStringBox, form.FormBox, form.SystemBox,
        // The preview's own controls come after every other control.
        form.PreviewCheck, static_cast<QWidget*>(form.Preview->Tabs->tabBar()),
        form.Preview->ShownPage(), form.Preview->CopyButton, form.Button1};
    for (QWidget* next : expected) {
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
      QWidget* focus = QApplication::focusWidget();
      // An editable combo box hands its focus to its text field.
      if (focus != nullptr && qobject_cast<QComboBox*>(focus->parentWidget()) != nullptr)
        focus = focus->parentWidget();
      QVERIFY2(
          focus == next,
          qPrintable(QString("step %1: %2 %3")
                         .arg(expected.indexOf(next))
                         .arg(focus == nullptr ? "none" : focus->metaObject()->className())
                         .arg(focus == nullptr ? QString() : focus->property("text").toString())));
    }
  }

  void buildWritesHeaderAndSourceThroughTheWindow() {
    TForm1 form(services_);
    FillSample(form);
    const std::string chosen = Path("chosen.txt");
    services_.SaveAnswers.push_back(chosen);
    form.Button1->click();

    QCOMPARE(services_.Showings.size(), std::size_t{1});
    QCOMPARE(services_.Showings[0].Kind, std::string("save"));
    QCOMPARE(services_.Showings[0].FileName, std::string("my_class.h"));
    QCOMPARE(services_.Showings[0].FilterIndex, 1);
    QCOMPARE(services_.Showings[0].Filter, std::string(SaveDialogFilter));
    QVERIFY(services_.Messages.empty());
    QVERIFY(services_.Questions.empty());

    const ClassDescription expected = SampleDescription(TargetSystem::DevCpp);
    QCOMPARE(ReadFile(Path("chosen.h")), WriteCppHeader(expected));
    QCOMPARE(ReadFile(Path("chosen.cpp")), WriteCppSource(expected));
    QVERIFY(!std::filesystem::exists(Path("chosen.txt")));
    // Build keeps everything the user typed.
    QCOMPARE(form.NameEdit->text(), QString("  my class "));
    QCOMPARE(Cell(form.StringGrid1, 3, 1), QString("label[8]"));
  }

  void javaBuildShowsJavaEntryWhichStaysSelected() {
    TForm1 form(services_);
    FillSample(form);
    Pick(form.SystemBox, "Java");
    services_.SaveAnswers.push_back(Path("Meter.java"));
    form.Button1->click();
    QCOMPARE(services_.Showings.back().FileName, std::string("my_class.java"));
    QCOMPARE(services_.Showings.back().FilterIndex, 2);
    QCOMPARE(ReadFile(Path("Meter.java")), WriteJavaClass(SampleDescription(TargetSystem::Java)));

    Pick(form.SystemBox, "CBuilder");
    services_.SaveAnswers.push_back(Path("Meter.h"));
    form.Button1->click();
    QCOMPARE(services_.Showings.back().FileName, std::string("my_class.h"));
    QCOMPARE(services_.Showings.back().FilterIndex, 2);
    QCOMPARE(ReadFile(Path("Meter.h")), WriteCppHeader(SampleDescription(TargetSystem::CBuilder)));
  }

  void buildRefusesShortClassName_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("empty") << "" << false;
    QTest::newRow("one letter") << "a" << false;
    QTest::newRow("two letters") << "ab" << true;
    QTest::newRow("two blanks") << "  " << true;
  }
  void buildRefusesShortClassName() {
    QFETCH(QString, name);
    QFETCH(bool, accepted);
    TForm1 form(services_);
    form.NameEdit->setText(name);
    form.Button1->click();  // the fake save dialog cancels
    if (accepted) {
      QVERIFY(services_.Messages.empty());
      QCOMPARE(services_.Showings.size(), std::size_t{1});
    } else {
      QCOMPARE(services_.Messages.size(), std::size_t{1});
      QCOMPARE(services_.Messages[0].Text, std::string(ShortClassNameMessage));
      QCOMPARE(services_.Messages[0].Caption, std::string(ShortClassNameCaption));
      QVERIFY(services_.Showings.empty());
    }
    QCOMPARE(form.NameEdit->text(), name);
  }

  void cancelledSaveDialogWritesNothing() {
    TForm1 form(services_);
    form.NameEdit->setText("Sample");
    services_.SaveAnswers.push_back(std::nullopt);
    form.Button1->click();
    QVERIFY(services_.Messages.empty());
    QVERIFY(QDir(dir_->path()).isEmpty());
  }

  // Picking a system sets the library box by what the box means for that system.
  void pickingSystemUpdatesLibraryBox() {
    TForm1 form(services_);
    struct Step {
      const char* item;
      TargetSystem system;
      const char* caption;
      bool hidden;
    };
    const Step steps[] = {{"Java", TargetSystem::Java, "WX strings", true},
                          {"CBuilder", TargetSystem::CBuilder, "VCL", false},
                          {"Visual C++", TargetSystem::VisualCpp, "VCL", false},
                          {"DevC++", TargetSystem::DevCpp, "WX strings", false},
                          {"Visual C++", TargetSystem::VisualCpp, "WX strings", false},
                          {"Java", TargetSystem::Java, "WX strings", true},
                          {"Visual C++", TargetSystem::VisualCpp, "WX strings", false}};
    form.VCLCheck->setChecked(false);
    for (const Step& step : steps) {
      Pick(form.SystemBox, step.item);
      QCOMPARE(form.SelectedSystem, step.system);
      QCOMPARE(form.VCLCheck->text(), QString(step.caption));
      QCOMPARE(form.VCLCheck->isHidden(), step.hidden);
      QVERIFY(!form.VCLCheck->isChecked());  // the ticked state is never touched
    }
    QVERIFY(services_.Messages.empty());
  }

  void typedChoices_data() {
    QTest::addColumn<bool>("systemBox");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("accepted");  // -1: rejected
    QTest::addColumn<QString>("shown");
    QTest::newRow("java") << true << "java" << 3 << "Java";
    QTest::newRow("VISUAL C++") << true << "VISUAL C++" << 2 << "Visual C++";
    QTest::newRow("Jav") << true << "Jav" << -1 << "DevC++";
    QTest::newRow("Java with blank") << true << "Java " << -1 << "DevC++";
    QTest::newRow("empty system") << true << "" << -1 << "DevC++";
    QTest::newRow("getvariable") << false << "getvariable and setvariable" << 1
                                 << "getVariable and setVariable";
    QTest::newRow("GetVariable exact")
        << false << "GetVariable and SetVariable" << 2 << "GetVariable and SetVariable";
    QTest::newRow("get") << false << "get" << -1 << "get_variable and set_variable";
  }
  void typedChoices() {
    QFETCH(bool, systemBox);
    QFETCH(QString, typed);
    QFETCH(int, accepted);
    QFETCH(QString, shown);
    TForm1 form(services_);
    QComboBox* box = systemBox ? form.SystemBox : form.FormBox;
    TypeAndEnter(box, typed);

    if (accepted < 0) {
      QCOMPARE(services_.Messages.size(), std::size_t{1});
      QCOMPARE(services_.Messages[0].Text, Invalid);
      QCOMPARE(services_.Messages[0].Caption, std::string("Error"));
      QCOMPARE(services_.Messages[0].Owner, &form);
    } else {
      QVERIFY(services_.Messages.empty());
    }
    const int selected =
        systemBox ? static_cast<int>(form.SelectedSystem) : static_cast<int>(form.SelectedNameForm);
    QCOMPARE(selected, accepted < 0 ? (systemBox ? 1 : 0) : accepted);
    QCOMPARE(box->currentText(), shown);
    QCOMPARE(box->count(), systemBox ? 4 : 3);  // typed text never becomes an item
  }

  // Keystrokes alone are not checked; leaving the box is.
  void choiceIsCheckedWhenFocusLeaves() {
    TForm1 form(services_);
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.SystemBox->setFocus();
    form.SystemBox->lineEdit()->selectAll();
    QTest::keyClicks(form.SystemBox->lineEdit(), "Jav");
    QVERIFY(services_.Messages.empty());
    form.NameEdit->setFocus();
    QCOMPARE(services_.Messages.size(), std::size_t{1});
    QCOMPARE(services_.Messages[0].Text, Invalid);
    QCOMPARE(form.SystemBox->currentText(), QString("DevC++"));

    form.SystemBox->setFocus();
    form.SystemBox->lineEdit()->selectAll();
    QTest::keyClicks(form.SystemBox->lineEdit(), "cbuilder");
    form.NameEdit->setFocus();
    QCOMPARE(services_.Messages.size(), std::size_t{1});
    QCOMPARE(form.SelectedSystem, TargetSystem::CBuilder);
    QCOMPARE(form.VCLCheck->text(), QString("VCL"));

    // Closing the window is no finished entry: no box on the way out.
    form.FormBox->setFocus();
    form.FormBox->lineEdit()->selectAll();
    QTest::keyClicks(form.FormBox->lineEdit(), "get");
    form.close();
    QCOMPARE(services_.Messages.size(), std::size_t{1});
    QCOMPARE(form.SelectedNameForm, NameForm::LowerUnderscore);
  }

  // After a rejected entry Build still uses the last accepted system and naming form.
  void buildUsesLastAcceptedChoices() {
    TForm1 form(services_);
    form.NameEdit->setText("Meter");
    SetCell(form.StringGrid1, 1, 0, "int");
    SetCell(form.StringGrid1, 1, 1, "count");
    TypeAndEnter(form.SystemBox, "java");
    TypeAndEnter(form.FormBox, "GETVARIABLE AND SETVARIABLE");
    TypeAndEnter(form.SystemBox, "Jav");
    TypeAndEnter(form.FormBox, "Get");
    QCOMPARE(services_.Messages.size(), std::size_t{2});

    services_.SaveAnswers.push_back(Path("Meter.java"));
    form.Button1->click();
    ClassDescription expected;
    expected.ClassName = "Meter";
    expected.Members = {{"int", "count", "", 1}};
    expected.Options.TargetSystem = TargetSystem::Java;
    expected.Options.NameForm = NameForm::LowerCamel;
    QCOMPARE(ReadFile(Path("Meter.java")), WriteJavaClass(expected));
  }

  void clearResetsTheDescriptionOnly() {
    TForm1 form(services_);
    FillSample(form);
    SetCell(form.StringGrid1, 19, 2, "x");
    form.VCLCheck->setChecked(false);
    Pick(form.SystemBox, "CBuilder");
    form.HeaderInsertions = {"enum A { };"};
    form.Button2->click();

    for (int row = 1; row <= 19; ++row)
      for (int column = 0; column < 3; ++column)
        QVERIFY(Cell(form.StringGrid1, row, column).isEmpty());
    QCOMPARE(form.StringGrid1->horizontalHeaderItem(2)->text(), QString("Initial value"));
    QVERIFY(form.NameEdit->text().isEmpty());
    QVERIFY(form.VCLCheck->isChecked());
    for (QCheckBox* box : {form.StdCheck, form.MathCheck, form.StringCheck, form.PrivateCheck})
      QVERIFY(!box->isChecked());
    QCOMPARE(form.ComparisonIndex(), 0);

    QVERIFY(form.BigConstructorBox->isChecked());
    QVERIFY(form.ToStringBox->isChecked());
    QCOMPARE(form.SelectedSystem, TargetSystem::CBuilder);
    QCOMPARE(form.SystemBox->currentText(), QString("CBuilder"));
    QCOMPARE(form.SelectedNameForm, NameForm::UpperCamel);
    QCOMPARE(form.FormBox->currentText(), QString("GetVariable and SetVariable"));
    QCOMPARE(form.VCLCheck->text(), QString("VCL"));
    QCOMPARE(form.HeaderInsertions, std::vector<std::string>{"enum A { };"});

    // A Build after Clear still writes the texts gathered before.
    form.NameEdit->setText("After");
    services_.SaveAnswers.push_back(Path("After.h"));
    form.Button1->click();
    QVERIFY(ReadFile(Path("After.h")).find("enum A { };") != std::string::npos);
  }

  void constantSequenceIsOnlyANotice() {
    TForm1 form(services_);
    form.NameEdit->setText("Sample");
    form.Button6->click();
    QCOMPARE(services_.Messages.size(), std::size_t{1});
    QCOMPARE(services_.Messages[0].Text,
             std::string("This function has not yet been implemented."));
    QCOMPARE(services_.Messages[0].Caption, std::string("Oops, unavailable feature."));
    QVERIFY(services_.Showings.empty());
    QCOMPARE(form.NameEdit->text(), QString("Sample"));
  }

  void replacingExistingFilesNeedsAYes() {
    TForm1 form(services_);
    form.NameEdit->setText("Sample");
    const std::string header = Path("Sample.h");
    const std::string source = Path("Sample.cpp");
    WriteFile(source, "// the user's own code\n");

    services_.SaveAnswers.push_back(header);
    services_.YesNoAnswers.push_back(false);
    form.Button1->click();
    QCOMPARE(services_.Questions.size(), std::size_t{1});
    QCOMPARE(services_.Questions[0].Text, ReplaceQuestion({source}));
    QCOMPARE(services_.Questions[0].Caption, std::string(ReplaceCaption));
    QVERIFY(!std::filesystem::exists(header));
    QCOMPARE(ReadFile(source), std::string("// the user's own code\n"));
    QCOMPARE(form.NameEdit->text(), QString("Sample"));

    services_.SaveAnswers.push_back(header);
    services_.YesNoAnswers.push_back(true);
    form.Button1->click();
    QCOMPARE(services_.Questions.size(), std::size_t{2});
    ClassDescription expected;
    expected.ClassName = "Sample";
    QCOMPARE(ReadFile(header), WriteCppHeader(expected));
    QCOMPARE(ReadFile(source), WriteCppSource(expected));

    services_.SaveAnswers.push_back(header);
    services_.YesNoAnswers.push_back(false);
    form.Button1->click();
    QCOMPARE(services_.Questions.back().Text, ReplaceQuestion({header, source}));
    QCOMPARE(services_.Questions.back().Owner, &form);
    QVERIFY(services_.Messages.empty());
  }

  // A confirmed replace sends the old files to the trash once the new texts are complete; a trash
  // that refuses still lets the replace happen, and a write that fails trashes nothing.
  void confirmedReplaceTrashesOldFiles_data() {
    QTest::addColumn<bool>("trashWorks");
    QTest::addColumn<bool>("sourceIsFifo");
    QTest::newRow("trash takes them") << true << false;
    QTest::newRow("trash refuses") << false << false;
    QTest::newRow("write fails") << true << true;
  }
  void confirmedReplaceTrashesOldFiles() {
    QFETCH(bool, trashWorks);
    QFETCH(bool, sourceIsFifo);
    TForm1 form(services_);
    form.NameEdit->setText("Sample");
    const std::string header = Path("Sample.h");
    const std::string source = Path("Sample.cpp");
    WriteFile(header, "old header\n");
    if (sourceIsFifo)
      QCOMPARE(mkfifo(source.c_str(), 0600), 0);
    else
      WriteFile(source, "old source\n");
    services_.TrashWorks = trashWorks;
    services_.SaveAnswers.push_back(header);
    services_.YesNoAnswers.push_back(true);
    form.Button1->click();

    if (sourceIsFifo) {
      QCOMPARE(services_.Messages.size(), std::size_t{1});
      QCOMPARE(services_.Messages[0].Owner, &form);
      QVERIFY(services_.Trashed.empty() && services_.TrashRefused.empty());
      QCOMPARE(ReadFile(header), std::string("old header\n"));
      return;
    }
    ClassDescription expected;
    expected.ClassName = "Sample";
    QCOMPARE(ReadFile(header), WriteCppHeader(expected));
    QCOMPARE(ReadFile(source), WriteCppSource(expected));
    QVERIFY(services_.Messages.empty());
    if (trashWorks) {
      QCOMPARE(services_.Trashed.size(), std::size_t{2});
      QCOMPARE(services_.Trashed[0].Path, header);
      QCOMPARE(services_.Trashed[0].Text, std::string("old header\n"));
      QCOMPARE(services_.Trashed[1].Path, source);
      QCOMPARE(services_.Trashed[1].Text, std::string("old source\n"));
    } else {
      QCOMPARE(services_.TrashRefused, (std::vector<std::string>{header, source}));
    }
  }

  void unwritableFolderIsReported() {
    TForm1 form(services_);
    form.NameEdit->setText("Sample");
    const std::string header = Path("missing/Sample.h");
    services_.SaveAnswers.push_back(header);
    form.Button1->click();
    QCOMPARE(services_.Messages.size(), std::size_t{2});
    const std::string files[] = {Path("missing/Sample.h"), Path("missing/Sample.cpp")};
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(services_.Messages[i].Caption, std::string("Error"));
      QVERIFY(services_.Messages[i].Text.find(files[i]) != std::string::npos);
      QVERIFY(services_.Messages[i].Text.size() > files[i].size() + 20);  // gives a reason
    }
  }

  void acceptEnumerationFillsFirstEmptyTypeCell() {
    TForm1 form(services_);
    SetCell(form.StringGrid1, 1, 0, "int");
    SetCell(form.StringGrid1, 2, 1, "name only");
    form.hide();
    form.AcceptEnumeration("Color", "enum Color {};");
    QVERIFY(form.isVisible());
    QCOMPARE(Cell(form.StringGrid1, 2, 0), QString("Color"));
    QCOMPARE(Cell(form.StringGrid1, 2, 1), QString("name only"));
    QCOMPARE(form.HeaderInsertions, std::vector<std::string>{"enum Color {};"});

    for (int row = 1; row <= 19; ++row) SetCell(form.StringGrid1, row, 0, "T");
    form.AcceptEnumeration("Full", "enum Full {};");
    QCOMPARE(form.HeaderInsertions.size(), std::size_t{2});
    for (int row = 1; row <= 19; ++row) QCOMPARE(Cell(form.StringGrid1, row, 0), QString("T"));
  }

  void exitClosesTheMainWindow() {
    TForm1 form(services_);
    QSignalSpy closed(&form, &TForm1::Closed);
    form.show();
    form.Button3->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(closed.count(), 1);
  }

 private:
  std::string Path(const std::string& leaf) const {
    return dir_->filePath(QString::fromStdString(leaf)).toStdString();
  }

  std::unique_ptr<QTemporaryDir> dir_;
  FakeServices services_;
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
