#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <filesystem>
#include <memory>

#include <sys/stat.h>

#include "classgen/class_build.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "core/output_text.h"
#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "tests/shell/shell_test_support.h"

using namespace zandrel;
using zandrel::testing::Cell;
using zandrel::testing::MainWindowFixture;
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
  void init() { fx_ = std::make_unique<MainWindowFixture>(); }
  void cleanup() { fx_.reset(); }

  void startUpState() {
    TForm1& form = fx_->Form1;
    QCOMPARE(form.windowTitle(), QString("Zandrel"));
    QCOMPARE(form.VCLCheck->text(), QString("WX strings"));
    QVERIFY(form.VCLCheck->isChecked());
    QVERIFY(!form.VCLCheck->isHidden());
    QCOMPARE(form.SystemBox->currentText(), QString("DevC++"));
    QCOMPARE(form.FormBox->currentText(), QString("get_variable and set_variable"));
    QCOMPARE(form.SelectedSystem(), TargetSystem::DevCpp);
    QCOMPARE(form.SelectedNameForm(), NameForm::LowerUnderscore);
    QVERIFY(form.HeaderInsertions().empty());
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
    TForm1& form = fx_->Form1;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(QApplication::focusWidget(), form.Button1);
    QTest::keyClick(form.Button1, Qt::Key_Return);  // Enter presses the focused button
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Messages[0].Text, std::string(ShortClassNameMessage));
    QCOMPARE(fx_->Services.Messages[0].Owner, &form);

    const QList<QWidget*> expected{
        form.NameEdit, form.StringGrid1, form.RadioGroup1Items->checkedButton(), form.PrivateCheck,
        form.VCLCheck, form.StdCheck, form.MathCheck, form.StringCheck, form.Button2, form.Button3,
        form.Button4, form.Button5, form.EnumButton, form.Button6, form.BigConstructorBox,
        form.ToStringBox, form.FormBox, form.SystemBox,
        // The preview's own controls come after every other control.
        form.PreviewCheck, form.Preview->findChild<QTabBar*>(), form.Preview->ShownView(),
        form.Preview->CopyButton, form.Button1};
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
    TForm1& form = fx_->Form1;
    FillSample(form);
    const std::string chosen = Path("chosen.txt");
    fx_->Services.SaveAnswers.push_back(chosen);
    form.Button1->click();

    QCOMPARE(fx_->Services.Showings.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Showings[0].Kind, std::string("save"));
    QCOMPARE(fx_->Services.Showings[0].FileName, std::string("my_class.h"));
    QCOMPARE(fx_->Services.Showings[0].FilterIndex, 1);
    QCOMPARE(fx_->Services.Showings[0].Filter, std::string(SaveDialogFilter));
    QVERIFY(fx_->Services.Messages.empty());
    QVERIFY(fx_->Services.Questions.empty());

    const ClassDescription expected = SampleDescription(TargetSystem::DevCpp);
    QCOMPARE(ReadFile(Path("chosen.h")), WriteCppHeader(expected));
    QCOMPARE(ReadFile(Path("chosen.cpp")), WriteCppSource(expected));
    QVERIFY(!std::filesystem::exists(Path("chosen.txt")));
    // Build keeps everything the user typed.
    QCOMPARE(form.NameEdit->text(), QString("  my class "));
    QCOMPARE(Cell(form.StringGrid1, 3, 1), QString("label[8]"));
  }

  void javaBuildShowsJavaEntryWhichStaysSelected() {
    TForm1& form = fx_->Form1;
    FillSample(form);
    Pick(form.SystemBox, "Java");
    fx_->Services.SaveAnswers.push_back(Path("Meter.java"));
    form.Button1->click();
    QCOMPARE(fx_->Services.Showings.back().FileName, std::string("my_class.java"));
    QCOMPARE(fx_->Services.Showings.back().FilterIndex, 2);
    QCOMPARE(ReadFile(Path("Meter.java")), WriteJavaClass(SampleDescription(TargetSystem::Java)));

    Pick(form.SystemBox, "CBuilder");
    fx_->Services.SaveAnswers.push_back(Path("Meter.h"));
    form.Button1->click();
    QCOMPARE(fx_->Services.Showings.back().FileName, std::string("my_class.h"));
    QCOMPARE(fx_->Services.Showings.back().FilterIndex, 2);
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
    TForm1& form = fx_->Form1;
    form.NameEdit->setText(name);
    form.Button1->click();  // the fake save dialog cancels
    if (accepted) {
      QVERIFY(fx_->Services.Messages.empty());
      QCOMPARE(fx_->Services.Showings.size(), std::size_t{1});
    } else {
      QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
      QCOMPARE(fx_->Services.Messages[0].Text, std::string(ShortClassNameMessage));
      QCOMPARE(fx_->Services.Messages[0].Caption, std::string(ShortClassNameCaption));
      QVERIFY(fx_->Services.Showings.empty());
    }
    QCOMPARE(form.NameEdit->text(), name);
  }

  void cancelledSaveDialogWritesNothing() {
    TForm1& form = fx_->Form1;
    form.NameEdit->setText("Sample");
    fx_->Services.SaveAnswers.push_back(std::nullopt);
    form.Button1->click();
    QVERIFY(fx_->Services.Messages.empty());
    QVERIFY(zandrel::testing::Entries(fx_->Folder).isEmpty());
  }

  // Picking a system sets the library box by what the box means for that system.
  void pickingSystemUpdatesLibraryBox() {
    TForm1& form = fx_->Form1;
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
      QCOMPARE(form.SelectedSystem(), step.system);
      QCOMPARE(form.VCLCheck->text(), QString(step.caption));
      QCOMPARE(form.VCLCheck->isHidden(), step.hidden);
      QVERIFY(!form.VCLCheck->isChecked());  // the ticked state is never touched
    }
    QVERIFY(fx_->Services.Messages.empty());
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
    TForm1& form = fx_->Form1;
    QComboBox* box = systemBox ? form.SystemBox : form.FormBox;
    TypeAndEnter(box, typed);

    if (accepted < 0) {
      QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
      QCOMPARE(fx_->Services.Messages[0].Text, Invalid);
      QCOMPARE(fx_->Services.Messages[0].Caption, std::string("Error"));
      QCOMPARE(fx_->Services.Messages[0].Owner, &form);
    } else {
      QVERIFY(fx_->Services.Messages.empty());
    }
    const int selected = systemBox ? static_cast<int>(form.SelectedSystem())
                                   : static_cast<int>(form.SelectedNameForm());
    QCOMPARE(selected, accepted < 0 ? (systemBox ? 1 : 0) : accepted);
    QCOMPARE(box->currentText(), shown);
    QCOMPARE(box->count(), systemBox ? 4 : 3);  // typed text never becomes an item
  }

  // Keystrokes alone are not checked; leaving the box is.
  void choiceIsCheckedWhenFocusLeaves() {
    TForm1& form = fx_->Form1;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    form.SystemBox->setFocus();
    form.SystemBox->lineEdit()->selectAll();
    QTest::keyClicks(form.SystemBox->lineEdit(), "Jav");
    QVERIFY(fx_->Services.Messages.empty());
    form.NameEdit->setFocus();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Messages[0].Text, Invalid);
    QCOMPARE(form.SystemBox->currentText(), QString("DevC++"));

    form.SystemBox->setFocus();
    form.SystemBox->lineEdit()->selectAll();
    QTest::keyClicks(form.SystemBox->lineEdit(), "cbuilder");
    form.NameEdit->setFocus();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(form.SelectedSystem(), TargetSystem::CBuilder);
    QCOMPARE(form.VCLCheck->text(), QString("VCL"));

    // Closing the window is no finished entry: no box on the way out.
    form.FormBox->setFocus();
    form.FormBox->lineEdit()->selectAll();
    QTest::keyClicks(form.FormBox->lineEdit(), "get");
    form.close();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(form.SelectedNameForm(), NameForm::LowerUnderscore);
  }

  // After a rejected entry Build still uses the last accepted system and naming form.
  void buildUsesLastAcceptedChoices() {
    TForm1& form = fx_->Form1;
    form.NameEdit->setText("Meter");
    SetCell(form.StringGrid1, 1, 0, "int");
    SetCell(form.StringGrid1, 1, 1, "count");
    TypeAndEnter(form.SystemBox, "java");
    TypeAndEnter(form.FormBox, "GETVARIABLE AND SETVARIABLE");
    TypeAndEnter(form.SystemBox, "Jav");
    TypeAndEnter(form.FormBox, "Get");
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{2});

    fx_->Services.SaveAnswers.push_back(Path("Meter.java"));
    form.Button1->click();
    ClassDescription expected;
    expected.ClassName = "Meter";
    expected.Members = {{"int", "count", "", 1}};
    expected.Options.TargetSystem = TargetSystem::Java;
    expected.Options.NameForm = NameForm::LowerCamel;
    QCOMPARE(ReadFile(Path("Meter.java")), WriteJavaClass(expected));
  }

  void clearResetsTheDescriptionOnly() {
    TForm1& form = fx_->Form1;
    FillSample(form);
    SetCell(form.StringGrid1, 19, 2, "x");
    form.VCLCheck->setChecked(false);
    Pick(form.SystemBox, "CBuilder");
    form.AcceptEnumeration("A", "enum A { };");
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
    QCOMPARE(form.SelectedSystem(), TargetSystem::CBuilder);
    QCOMPARE(form.SystemBox->currentText(), QString("CBuilder"));
    QCOMPARE(form.SelectedNameForm(), NameForm::UpperCamel);
    QCOMPARE(form.FormBox->currentText(), QString("GetVariable and SetVariable"));
    QCOMPARE(form.VCLCheck->text(), QString("VCL"));
    QCOMPARE(form.HeaderInsertions(), std::vector<std::string>{"enum A { };"});

    // A Build after Clear still writes the texts gathered before.
    form.NameEdit->setText("After");
    fx_->Services.SaveAnswers.push_back(Path("After.h"));
    form.Button1->click();
    QVERIFY(ReadFile(Path("After.h")).find("enum A { };") != std::string::npos);
  }

  void constantSequenceIsOnlyANotice() {
    TForm1& form = fx_->Form1;
    form.NameEdit->setText("Sample");
    form.Button6->click();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Messages[0].Text,
             std::string("This function has not yet been implemented."));
    QCOMPARE(fx_->Services.Messages[0].Caption, std::string("Oops, unavailable feature."));
    QVERIFY(fx_->Services.Showings.empty());
    QCOMPARE(form.NameEdit->text(), QString("Sample"));
  }

  void replacingExistingFilesNeedsAYes() {
    TForm1& form = fx_->Form1;
    form.NameEdit->setText("Sample");
    const std::string header = Path("Sample.h");
    const std::string source = Path("Sample.cpp");
    WriteFile(source, "// the user's own code\n");

    fx_->Services.SaveAnswers.push_back(header);
    fx_->Services.YesNoAnswers.push_back(false);
    form.Button1->click();
    QCOMPARE(fx_->Services.Questions.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Questions[0].Text, ReplaceQuestion({source}));
    QCOMPARE(fx_->Services.Questions[0].Caption, std::string(ReplaceCaption));
    QVERIFY(!std::filesystem::exists(header));
    QCOMPARE(ReadFile(source), std::string("// the user's own code\n"));
    QCOMPARE(form.NameEdit->text(), QString("Sample"));

    fx_->Services.SaveAnswers.push_back(header);
    fx_->Services.YesNoAnswers.push_back(true);
    form.Button1->click();
    QCOMPARE(fx_->Services.Questions.size(), std::size_t{2});
    ClassDescription expected;
    expected.ClassName = "Sample";
    QCOMPARE(ReadFile(header), WriteCppHeader(expected));
    QCOMPARE(ReadFile(source), WriteCppSource(expected));

    fx_->Services.SaveAnswers.push_back(header);
    fx_->Services.YesNoAnswers.push_back(false);
    form.Button1->click();
    QCOMPARE(fx_->Services.Questions.back().Text, ReplaceQuestion({header, source}));
    QCOMPARE(fx_->Services.Questions.back().Owner, &form);
    QVERIFY(fx_->Services.Messages.empty());
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
    TForm1& form = fx_->Form1;
    form.NameEdit->setText("Sample");
    const std::string header = Path("Sample.h");
    const std::string source = Path("Sample.cpp");
    WriteFile(header, "old header\n");
    if (sourceIsFifo)
      QCOMPARE(mkfifo(source.c_str(), 0600), 0);
    else
      WriteFile(source, "old source\n");
    fx_->Services.TrashWorks = trashWorks;
    fx_->Services.SaveAnswers.push_back(header);
    fx_->Services.YesNoAnswers.push_back(true);
    form.Button1->click();

    if (sourceIsFifo) {
      QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
      QCOMPARE(fx_->Services.Messages[0].Owner, &form);
      QVERIFY(fx_->Services.Trashed.empty() && fx_->Services.TrashRefused.empty());
      QCOMPARE(ReadFile(header), std::string("old header\n"));
      return;
    }
    ClassDescription expected;
    expected.ClassName = "Sample";
    QCOMPARE(ReadFile(header), WriteCppHeader(expected));
    QCOMPARE(ReadFile(source), WriteCppSource(expected));
    QVERIFY(fx_->Services.Messages.empty());
    if (trashWorks) {
      QCOMPARE(fx_->Services.Trashed.size(), std::size_t{2});
      QCOMPARE(fx_->Services.Trashed[0].Path, header);
      QCOMPARE(fx_->Services.Trashed[0].Text, std::string("old header\n"));
      QCOMPARE(fx_->Services.Trashed[1].Path, source);
      QCOMPARE(fx_->Services.Trashed[1].Text, std::string("old source\n"));
    } else {
      QCOMPARE(fx_->Services.TrashRefused, (std::vector<std::string>{header, source}));
    }
  }

  void unwritableFolderIsReported() {
    TForm1& form = fx_->Form1;
    form.NameEdit->setText("Sample");
    const std::string header = Path("missing/Sample.h");
    fx_->Services.SaveAnswers.push_back(header);
    form.Button1->click();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{2});
    const std::string files[] = {Path("missing/Sample.h"), Path("missing/Sample.cpp")};
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(fx_->Services.Messages[i].Caption, std::string("Error"));
      QVERIFY(fx_->Services.Messages[i].Text.find(files[i]) != std::string::npos);
      QVERIFY(fx_->Services.Messages[i].Text.size() > files[i].size() + 20);  // gives a reason
    }
  }

  void acceptEnumerationFillsFirstEmptyTypeCell() {
    TForm1& form = fx_->Form1;
    SetCell(form.StringGrid1, 1, 0, "int");
    SetCell(form.StringGrid1, 2, 1, "name only");
    form.hide();
    form.AcceptEnumeration("Color", "enum Color {};");
    QVERIFY(form.isVisible());
    QCOMPARE(Cell(form.StringGrid1, 2, 0), QString("Color"));
    QCOMPARE(Cell(form.StringGrid1, 2, 1), QString("name only"));
    QCOMPARE(form.HeaderInsertions(), std::vector<std::string>{"enum Color {};"});

    for (int row = 1; row <= 19; ++row) SetCell(form.StringGrid1, row, 0, "T");
    form.AcceptEnumeration("Full", "enum Full {};");
    QCOMPARE(form.HeaderInsertions().size(), std::size_t{2});
    for (int row = 1; row <= 19; ++row) QCOMPARE(Cell(form.StringGrid1, row, 0), QString("T"));
  }

  void exitClosesTheMainWindow() {
    TForm1& form = fx_->Form1;
    QSignalSpy closed(&form, &TForm1::Closed);
    form.show();
    form.Button3->click();
    QVERIFY(!form.isVisible());
    QCOMPARE(closed.count(), 1);
  }

 private:
  std::string Path(const std::string& leaf) const { return fx_->Path(leaf); }

  std::unique_ptr<MainWindowFixture> fx_;
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
