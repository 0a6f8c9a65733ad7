#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalSpy>
#include <QSplitter>
#include <QStatusBar>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QToolButton>
#include <QUndoStack>
#include <filesystem>
#include <functional>
#include <memory>

#include <sys/stat.h>

#include "classgen/class_build.h"
#include "classgen/cpp_header_writer.h"
#include "classgen/cpp_source_writer.h"
#include "classgen/java_class_writer.h"
#include "core/output_text.h"
#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/help_window.h"
#include "desktop/live_edit_grid.h"
#include "document/description_model.h"
#include "shell/collected_enumerations.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/qt/dialog_access.h"
#include "tests/support/sample_classes.h"

using namespace zandrel;
using zandrel::testing::Cell;
using zandrel::testing::CheckMnemonics;
using zandrel::testing::EnterDescription;
using zandrel::testing::FakeServices;
using zandrel::testing::MainWindowFixture;
using zandrel::testing::MnemonicCheck;
using zandrel::testing::Pick;
using zandrel::testing::ReadFile;
using zandrel::testing::SampleClass;
using zandrel::testing::SetCell;
using zandrel::testing::Shown;
using zandrel::testing::TypeAndEnter;
using zandrel::testing::UiOf;
using zandrel::testing::WriteFile;

namespace {

const std::string Invalid = "Invalid selection - try again";

// A description that touches every option the window reads, with an empty row among the members.
ClassDescription Sample(TargetSystem system) {
  ClassDescription description = SampleClass();
  description.ClassName = "my_class";
  description.Members[2].RowNumber = 4;
  description.Options.PrivateCopy = description.Options.MathLib = true;
  description.Options.CStrings = true;
  description.Options.TargetSystem = system;
  return description;
}

// The sample entered through the controls, with the name as typed before Build cleans it.
void FillSample(TForm1& form, TargetSystem system = TargetSystem::DevCpp) {
  EnterDescription(form, Sample(system));
  UiOf(form).NameEdit->setText("  my class ");
}

}  // namespace

class TForm1Test : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fx_ = std::make_unique<MainWindowFixture>();
    form_ = &fx_->Form1;
    ui_ = &UiOf(*form_);
  }
  void cleanup() { fx_.reset(); }

  void startUpState() {
    QCOMPARE(form_->windowTitle(), QString("Zandrel[*]"));  // shown as "Zandrel" until changed
    QVERIFY(!form_->isWindowModified());
    QCOMPARE(Shown(ui_->VCLCheck->text()), QString("WX strings"));
    QVERIFY(ui_->VCLCheck->isChecked());
    QVERIFY(!ui_->VCLCheck->isHidden());
    QCOMPARE(ui_->SystemBox->currentText(), QString("DevC++"));
    QCOMPARE(ui_->FormBox->currentText(), QString("get_variable and set_variable"));
    QVERIFY(ui_->NameEdit->text().isEmpty());
    // The controls show the model's start: every box as its option's default, an empty table.
    for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
      QCOMPARE(ui_->OptionChecks[row]->isChecked(), FlagOptions[row].Default);
    QCOMPARE(ui_->StringGrid1->rowCount(), MemberGridRows);
    QCOMPARE(ui_->StringGrid1->horizontalHeaderItem(2)->text(), QString("Initial value"));
    QCOMPARE(ui_->SaveDialog1->Filter, std::string(SaveDialogFilter));
    QCOMPARE(ui_->SaveDialog1->FilterIndex, 1);
  }

  // Focus starts on Build; Tab walks the controls in the documented order and leaves the grid.
  void focusAndTabOrder() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QCOMPARE(QApplication::focusWidget(), ui_->Button1);
    QTest::keyClick(ui_->Button1, Qt::Key_Return);  // Enter presses the focused button
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Messages[0].Text, std::string(ShortClassNameMessage));
    QCOMPARE(fx_->Services.Messages[0].Owner, form_);

    const QList<QWidget*> expected{
        ui_->NameEdit, ui_->StringGrid1, ui_->RadioGroup1Items->checkedButton(), ui_->PrivateCheck,
        ui_->VCLCheck, ui_->StdCheck, ui_->MathCheck, ui_->StringCheck, ui_->Button2, ui_->Button3,
        ui_->Button4, ui_->Button5, ui_->EnumButton, ui_->Button6, ui_->BigConstructorBox,
        ui_->ToStringBox, ui_->FormBox, ui_->SystemBox,
        // The preview's own controls come after every other control.
        ui_->PreviewCheck, ui_->Preview->findChild<QTabBar*>(), ui_->Preview->ShownView(),
        ui_->Preview->CopyButton, ui_->Button1};
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
    FillSample(*form_);
    const std::string chosen = Path("chosen.txt");
    fx_->Services.SaveAnswers.push_back(chosen);
    ui_->Button1->click();

    QCOMPARE(fx_->Services.Showings.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Showings[0].Kind, std::string("save"));
    QCOMPARE(fx_->Services.Showings[0].FileName, std::string("my_class.h"));
    QCOMPARE(fx_->Services.Showings[0].FilterIndex, 1);
    QCOMPARE(fx_->Services.Showings[0].Filter, std::string(SaveDialogFilter));
    QVERIFY(fx_->Services.Messages.empty());
    QVERIFY(fx_->Services.Questions.empty());

    const ClassDescription expected = Sample(TargetSystem::DevCpp);
    QCOMPARE(ReadFile(Path("chosen.h")), WriteCppHeader(expected));
    QCOMPARE(ReadFile(Path("chosen.cpp")), WriteCppSource(expected));
    QVERIFY(!std::filesystem::exists(Path("chosen.txt")));
    QCOMPARE(
        form_->statusBar()->currentMessage(),
        "Wrote chosen.h and chosen.cpp in " +
            QDir::toNativeSeparators(QFileInfo(QString::fromStdString(chosen)).absolutePath()));
    QVERIFY(ui_->OpenFolderButton->isVisibleTo(form_));
    ui_->OpenFolderButton->click();
    QCOMPARE(fx_->Services.FoldersOpened,
             std::vector{QFileInfo(QString::fromStdString(chosen)).absolutePath().toStdString()});
    // Build keeps everything the user typed.
    QCOMPARE(ui_->NameEdit->text(), QString("  my class "));
    QCOMPARE(Cell(ui_->StringGrid1, 4, 1), QString("area(int w, int h)"));
  }

  void javaBuildShowsJavaEntryWhichStaysSelected() {
    FillSample(*form_, TargetSystem::Java);
    fx_->Services.SaveAnswers.push_back(Path("Meter.java"));
    ui_->Button1->click();
    QCOMPARE(fx_->Services.Showings.back().FileName, std::string("my_class.java"));
    QCOMPARE(fx_->Services.Showings.back().FilterIndex, 2);
    QCOMPARE(ReadFile(Path("Meter.java")), WriteJavaClass(Sample(TargetSystem::Java)));

    Pick(ui_->SystemBox, "CBuilder");
    fx_->Services.SaveAnswers.push_back(Path("Meter.h"));
    ui_->Button1->click();
    // Where the class was built last, with the new target's extension.
    QCOMPARE(fx_->Services.Showings.back().FileName, Path("Meter.h"));
    QCOMPARE(fx_->Services.Showings.back().FilterIndex, 2);
    QCOMPARE(ReadFile(Path("Meter.h")), WriteCppHeader(Sample(TargetSystem::CBuilder)));
  }

  // An enumeration the target cannot use is written as it is, and the status line says so.
  void buildSaysWhichEnumerationsDoNotFit() {
    ClassDescription sample = Sample(TargetSystem::Java);
    sample.HeaderInsertions = InsertionList(std::vector<HeaderInsertion>{
        testing::Collected(InsertionKind::LegacyCpp, "Light", "enum Light_enum {\n   Red};\n")});
    EnterDescription(*form_, sample);
    UiOf(*form_).NameEdit->setText("  my class ");
    fx_->Services.SaveAnswers.push_back(Path("Meter.java"));
    UiOf(*form_).Button1->click();
    QCOMPARE(ReadFile(Path("Meter.java")), WriteJavaClass(sample));
    const QString said = form_->statusBar()->currentMessage();
    QVERIFY2(said.startsWith("Wrote Meter.java in ") &&
                 said.endsWith(". Note: enumeration \"Light\" is C++ and does not fit a Java file "
                               "(written as it is)"),
             qPrintable(said));
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
    ui_->NameEdit->setText(name);
    ui_->Button1->click();  // the fake save dialog cancels
    if (accepted) {
      QVERIFY(fx_->Services.Messages.empty());
      QCOMPARE(fx_->Services.Showings.size(), std::size_t{1});
    } else {
      QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
      QCOMPARE(fx_->Services.Messages[0].Text, std::string(ShortClassNameMessage));
      QCOMPARE(fx_->Services.Messages[0].Caption, std::string(ShortClassNameCaption));
      QVERIFY(fx_->Services.Showings.empty());
    }
    QCOMPARE(ui_->NameEdit->text(), name);
  }

  void cancelledSaveDialogWritesNothing() {
    ui_->NameEdit->setText("Sample");
    fx_->Services.SaveAnswers.push_back(std::nullopt);
    ui_->Button1->click();
    QVERIFY(fx_->Services.Messages.empty());
    QVERIFY(zandrel::testing::Entries(fx_->Folder).isEmpty());
  }

  // Picking a system sets the library box by what the box means for that system.
  void pickingSystemUpdatesLibraryBox() {
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
    ui_->VCLCheck->setChecked(false);
    ui_->StdCheck->setChecked(true);
    for (const Step& step : steps) {
      Pick(ui_->SystemBox, step.item);
      QCOMPARE(form_->SelectedSystem(), step.system);
      QCOMPARE(Shown(ui_->VCLCheck->text()), QString(step.caption));
      QCOMPARE(ui_->VCLCheck->isHidden(), step.hidden);
      QVERIFY(!ui_->VCLCheck->isChecked());  // the ticked state is never touched
      // Java ignores the libraries: their boxes show so, and keep their ticks.
      QCOMPARE(ui_->StdCheck->isEnabled(), !step.hidden);
      QCOMPARE(ui_->VCLCheck->isEnabled(),
               step.system == TargetSystem::CBuilder || step.system == TargetSystem::DevCpp);
      QVERIFY(ui_->StdCheck->isChecked());
    }
    QVERIFY(fx_->Services.Messages.empty());
  }

  // A box that only some targets use is enabled for those alone, and keeps its tick meanwhile.
  void targetOptionsFollowTheSystem() {
    for (QCheckBox* box : ui_->OptionChecks) box->setChecked(true);
    for (const ClassTarget& target : ClassTargets()) {
      Pick(ui_->SystemBox, QString::fromUtf8(target.ItemText.data(),
                                             static_cast<qsizetype>(target.ItemText.size())));
      for (std::size_t row = 0; row < std::size(FlagOptions); ++row) {
        if (FlagOptions[row].Targets == AllTargets) continue;
        QCOMPARE(ui_->OptionChecks[row]->isEnabled(),
                 (FlagOptions[row].Targets & TargetBit(target.System)) != 0);
        QVERIFY(ui_->OptionChecks[row]->isChecked());
      }
    }
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
    QComboBox* box = systemBox ? ui_->SystemBox : ui_->FormBox;
    TypeAndEnter(box, typed);

    if (accepted < 0) {
      QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
      QCOMPARE(fx_->Services.Messages[0].Text, Invalid);
      QCOMPARE(fx_->Services.Messages[0].Caption, std::string("Error"));
      QCOMPARE(fx_->Services.Messages[0].Owner, form_);
    } else {
      QVERIFY(fx_->Services.Messages.empty());
    }
    const int selected = systemBox ? static_cast<int>(form_->SelectedSystem())
                                   : static_cast<int>(form_->SelectedNameForm());
    QCOMPARE(selected, accepted < 0 ? (systemBox ? 1 : 0) : accepted);
    QCOMPARE(box->currentText(), shown);
    // Typed text never becomes an item.
    QCOMPARE(box->count(), systemBox ? std::ssize(ClassTargets()) : 3);
  }

  // Keystrokes alone are not checked; leaving the box is.
  void choiceIsCheckedWhenFocusLeaves() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    ui_->SystemBox->setFocus();
    ui_->SystemBox->lineEdit()->selectAll();
    QTest::keyClicks(ui_->SystemBox->lineEdit(), "Jav");
    QVERIFY(fx_->Services.Messages.empty());
    ui_->NameEdit->setFocus();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Messages[0].Text, Invalid);
    QCOMPARE(ui_->SystemBox->currentText(), QString("DevC++"));

    ui_->SystemBox->setFocus();
    ui_->SystemBox->lineEdit()->selectAll();
    QTest::keyClicks(ui_->SystemBox->lineEdit(), "cbuilder");
    ui_->NameEdit->setFocus();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(form_->SelectedSystem(), TargetSystem::CBuilder);
    QCOMPARE(Shown(ui_->VCLCheck->text()), QString("VCL"));

    // Closing the window is no finished entry: no box on the way out.
    ui_->FormBox->setFocus();
    ui_->FormBox->lineEdit()->selectAll();
    QTest::keyClicks(ui_->FormBox->lineEdit(), "get");
    form_->close();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(form_->SelectedNameForm(), NameForm::LowerUnderscore);
  }

  // After a rejected entry Build still uses the last accepted system and naming form.
  void buildUsesLastAcceptedChoices() {
    ui_->NameEdit->setText("Meter");
    SetCell(ui_->StringGrid1, 1, 0, "int");
    SetCell(ui_->StringGrid1, 1, 1, "count");
    TypeAndEnter(ui_->SystemBox, "java");
    TypeAndEnter(ui_->FormBox, "GETVARIABLE AND SETVARIABLE");
    TypeAndEnter(ui_->SystemBox, "Jav");
    TypeAndEnter(ui_->FormBox, "Get");
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{2});

    fx_->Services.SaveAnswers.push_back(Path("Meter.java"));
    ui_->Button1->click();
    ClassDescription expected;
    expected.ClassName = "Meter";
    expected.Members = {{"int", "count", "", 1}};
    expected.Options.TargetSystem = TargetSystem::Java;
    expected.Options.NameForm = NameForm::LowerCamel;
    QCOMPARE(ReadFile(Path("Meter.java")), WriteJavaClass(expected));
  }

  void clearResetsTheDescriptionOnly() {
    FillSample(*form_);
    SetCell(ui_->StringGrid1, 19, 2, "x");
    ui_->VCLCheck->setChecked(false);
    Pick(ui_->SystemBox, "CBuilder");
    form_->AcceptEnumeration(testing::Collected(InsertionKind::LegacyCpp, "A", "enum A { };"));
    ui_->Button2->click();

    for (int row = 1; row <= 19; ++row)
      for (int column = 0; column < 3; ++column)
        QVERIFY(Cell(ui_->StringGrid1, row, column).isEmpty());
    QCOMPARE(ui_->StringGrid1->horizontalHeaderItem(2)->text(), QString("Initial value"));
    QVERIFY(ui_->NameEdit->text().isEmpty());
    QVERIFY(ui_->VCLCheck->isChecked());
    for (QCheckBox* box : {ui_->StdCheck, ui_->MathCheck, ui_->StringCheck, ui_->PrivateCheck})
      QVERIFY(!box->isChecked());
    QCOMPARE(form_->Model().Options().ComparisonLevel, ComparisonLevel::NoComparisons);

    QVERIFY(ui_->BigConstructorBox->isChecked());
    QVERIFY(ui_->ToStringBox->isChecked());
    QCOMPARE(form_->SelectedSystem(), TargetSystem::CBuilder);
    QCOMPARE(ui_->SystemBox->currentText(), QString("CBuilder"));
    QCOMPARE(form_->SelectedNameForm(), NameForm::LowerCamel);
    QCOMPARE(ui_->FormBox->currentText(), QString("getVariable and setVariable"));
    QCOMPARE(Shown(ui_->VCLCheck->text()), QString("VCL"));
    QCOMPARE(form_->HeaderInsertions(), std::vector<std::string>{"enum A { };"});

    // A Build after Clear still writes the texts gathered before.
    ui_->NameEdit->setText("After");
    fx_->Services.SaveAnswers.push_back(Path("After.h"));
    ui_->Button1->click();
    QVERIFY(ReadFile(Path("After.h")).find("enum A { };") != std::string::npos);
  }

  void constantSequenceIsOnlyANotice() {
    ui_->NameEdit->setText("Sample");
    ui_->Button6->click();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Messages[0].Text,
             std::string("This function has not yet been implemented."));
    QCOMPARE(fx_->Services.Messages[0].Caption, std::string("Oops, unavailable feature."));
    QVERIFY(fx_->Services.Showings.empty());
    QCOMPARE(ui_->NameEdit->text(), QString("Sample"));
  }

  void replacingExistingFilesNeedsAYes() {
    ui_->NameEdit->setText("Sample");
    const std::string header = Path("Sample.h");
    const std::string source = Path("Sample.cpp");
    WriteFile(source, "// the user's own code\n");

    fx_->Services.SaveAnswers.push_back(header);
    fx_->Services.YesNoAnswers.push_back(false);
    ui_->Button1->click();
    QCOMPARE(fx_->Services.Questions.size(), std::size_t{1});
    QCOMPARE(fx_->Services.Questions[0].Text, ReplaceQuestion({source}));
    QCOMPARE(fx_->Services.Questions[0].Caption, std::string(ReplaceCaption));
    QVERIFY(!std::filesystem::exists(header));
    QCOMPARE(ReadFile(source), std::string("// the user's own code\n"));
    QCOMPARE(ui_->NameEdit->text(), QString("Sample"));

    fx_->Services.SaveAnswers.push_back(header);
    fx_->Services.YesNoAnswers.push_back(true);
    ui_->Button1->click();
    QCOMPARE(fx_->Services.Questions.size(), std::size_t{2});
    ClassDescription expected;
    expected.ClassName = "Sample";
    QCOMPARE(ReadFile(header), WriteCppHeader(expected));
    QCOMPARE(ReadFile(source), WriteCppSource(expected));

    QCOMPARE(fx_->Services.Questions.back().Owner, form_);

    // Files that hold what Build would write are left alone: nothing to ask.
    fx_->Services.SaveAnswers.push_back(header);
    ui_->Button1->click();
    QCOMPARE(fx_->Services.Questions.size(), std::size_t{2});
    QCOMPARE(ReadFile(source), WriteCppSource(expected));
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
    ui_->NameEdit->setText("Sample");
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
    ui_->Button1->click();

    if (sourceIsFifo) {
      QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
      QCOMPARE(fx_->Services.Messages[0].Owner, form_);
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
    ui_->NameEdit->setText("Sample");
    const std::string header = Path("missing/Sample.h");
    fx_->Services.SaveAnswers.push_back(header);
    ui_->Button1->click();
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{2});
    const std::string files[] = {Path("missing/Sample.h"), Path("missing/Sample.cpp")};
    for (int i = 0; i < 2; ++i) {
      QCOMPARE(fx_->Services.Messages[i].Caption, std::string("Error"));
      QVERIFY(fx_->Services.Messages[i].Text.find(files[i]) != std::string::npos);
      QVERIFY(fx_->Services.Messages[i].Text.size() > files[i].size() + 20);  // gives a reason
    }
  }

  void acceptEnumerationFillsFirstEmptyTypeCell() {
    SetCell(ui_->StringGrid1, 1, 0, "int");
    SetCell(ui_->StringGrid1, 2, 1, "name only");
    form_->hide();
    form_->AcceptEnumeration(
        testing::Collected(InsertionKind::LegacyCpp, "Color", "enum Color {};"));
    QVERIFY(form_->isVisible());
    QCOMPARE(Cell(ui_->StringGrid1, 2, 0), QString("Color"));
    QCOMPARE(Cell(ui_->StringGrid1, 2, 1), QString("name only"));
    QCOMPARE(form_->HeaderInsertions(), std::vector<std::string>{"enum Color {};"});

    for (int row = 1; row <= 19; ++row) SetCell(ui_->StringGrid1, row, 0, "T");
    form_->AcceptEnumeration(testing::Collected(InsertionKind::LegacyCpp, "Full", "enum Full {};"));
    QCOMPARE(form_->HeaderInsertions().size(), std::size_t{2});
    for (int row = 1; row <= 19; ++row) QCOMPARE(Cell(ui_->StringGrid1, row, 0), QString("T"));
    // With every Type cell taken, the name is placed nowhere.
    QCOMPARE(ui_->StringGrid1->rowCount(), MemberGridRows);
  }

  // An entry the dialog made opens there again, filled from its request; OK replaces that entry,
  // in one step to undo.
  void reopenedEnumerationReplacesItsEntry() {
    TGenEnumForm& dialog = fx_->GenEnumForm;
    TGenEnumFormUi& controls = testing::UiOf(dialog);
    form_->EnumGen2();
    controls.Edit1->setText("Light");
    SetCell(controls.NameGrid, 1, 0, "Red");
    controls.OKButton->click();
    form_->AcceptEnumeration(testing::Collected(InsertionKind::LegacyCpp, "Other", "enum Other;"));
    const std::string before = form_->HeaderInsertions()[0];
    form_->ShowEnumerations();
    ui_->EnumerationList->InsertionList->setCurrentRow(1);  // newest first
    ui_->EnumerationList->EditButton->click();
    QVERIFY(dialog.isVisible());
    QCOMPARE(controls.Edit1->text(), QString("Light"));
    QCOMPARE(Cell(controls.NameGrid, 1, 0), QString("Red"));
    SetCell(controls.NameGrid, 2, 0, "Green");
    const int steps = form_->History()->count();
    controls.OKButton->click();
    QCOMPARE(form_->History()->count(), steps + 1);
    QCOMPARE(form_->HeaderInsertions().size(), std::size_t{2});
    QVERIFY(
        form_->HeaderInsertions()[0].starts_with("enum Light_enum {\n   ZDFirstUnused, ZDRed, "
                                                 "ZDGreen, "));
    QCOMPARE(form_->HeaderInsertions().Record(0).Request->GridRows[1].Name, std::string("Green"));
    form_->History()->undo();
    QCOMPARE(form_->HeaderInsertions()[0], before);
    QCOMPARE(form_->HeaderInsertions()[1], std::string("enum Other;"));
  }

  void menuCommandsAreTheButtons() {
    struct Row {
      QAction* TForm1Ui::*action;
      QKeySequence key;
      QPushButton* TForm1Ui::*button;
    };
    const Row rows[] = {{&TForm1Ui::BuildAction, QKeySequence("Ctrl+B"), &TForm1Ui::Button1},
                        {&TForm1Ui::ClearAction, {}, &TForm1Ui::Button2},
                        {&TForm1Ui::ExitAction, QKeySequence("Ctrl+Q"), &TForm1Ui::Button3},
                        {&TForm1Ui::EnumerationAction, {}, &TForm1Ui::Button4},
                        {&TForm1Ui::LogAction, {}, &TForm1Ui::Button5},
                        {&TForm1Ui::EnumerationClassAction, {}, &TForm1Ui::EnumButton},
                        {&TForm1Ui::ConstantSequenceAction, {}, &TForm1Ui::Button6}};
    // What a command did, from a freshly made window with a class name too short to build.
    const auto outcome = [this](const std::function<void(TForm1&)>& press) {
      init();
      form_->show();
      ui_->NameEdit->setText("x");
      QSignalSpy closed(form_, &TForm1::Closed);
      press(*form_);
      const FakeServices& services = fx_->Services;
      return QString("messages %1 %2, main %3, enumeration %4 %5, log %6, name '%7', closed %8")
          .arg(services.Messages.size())
          .arg(services.Messages.empty() ? QString()
                                         : QString::fromStdString(services.Messages.back().Text))
          .arg(form_->isVisible())
          .arg(fx_->GenEnumForm.isVisible())
          .arg(fx_->GenEnumForm.windowTitle())
          .arg(fx_->UserLogWindow.isVisible())
          .arg(ui_->NameEdit->text())
          .arg(closed.count());
    };
    for (const Row& row : rows) {
      QCOMPARE((ui_->*row.action)->shortcut(), row.key);
      const QString byMenu = outcome([&](TForm1& form) { (UiOf(form).*row.action)->trigger(); });
      QCOMPARE(byMenu, outcome([&](TForm1& form) { (UiOf(form).*row.button)->click(); }));
    }
    QCOMPARE(ui_->HelpAction->shortcut(), QKeySequence(Qt::Key_F1));
    ui_->PreviewAction->trigger();
    QVERIFY(!ui_->PreviewCheck->isChecked());
  }

  void keysReachTheCommands() {
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    ui_->NameEdit->setFocus();
    QTest::keyClick(ui_->NameEdit, Qt::Key_B, Qt::ControlModifier);  // Build, not a "b"
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QVERIFY(ui_->NameEdit->text().isEmpty());
    QTest::keyClick(ui_->NameEdit, Qt::Key_F1);
    QVERIFY(ui_->Help != nullptr && ui_->Help->isVisible());
    ui_->Help->close();

    // Every caption has an Alt key and none is a menu's. There are more captions than letters:
    // two pairs of check boxes share theirs.
    const MnemonicCheck check = CheckMnemonics(form_);
    QCOMPARE(check.Clashes,
             QStringList({"&WX strings / Constructor &with all variables as parameters",
                          "&StdLib / &Show preview"}));
    for (const QAction* menu : form_->menuBar()->actions())
      for (QWidget* control : form_->findChildren<QWidget*>()) {
        const QString text = control->property("text").toString();
        QVERIFY2(
            text.isEmpty() || QKeySequence::mnemonic(text) != QKeySequence::mnemonic(menu->text()),
            qPrintable(text));
      }
    QTest::keyClick(form_, Qt::Key_C, Qt::AltModifier);
    QCOMPARE(QApplication::focusWidget(), ui_->NameEdit);
    QTest::keyClick(form_, Qt::Key_R, Qt::AltModifier);
    QWidget* focus = QApplication::focusWidget();
    QVERIFY(focus == ui_->SystemBox || focus->parentWidget() == ui_->SystemBox);
  }

  // Undo and Redo reach the description from every control, the boxes' text fields included, and
  // the row keys act in the table without a clash.
  void undoKeysWhereverTheFocusIs() {
    TForm1Ui& ui = UiOf(*form_);
    form_->show();
    QVERIFY(QTest::qWaitForWindowActive(form_));
    QWidget* const fields[] = {ui.SystemBox->lineEdit(), ui.FormBox->lineEdit(), ui.NameEdit,
                               ui.StringGrid1, ui.ToStringBox};
    for (QWidget* field : fields) {
      Pick(ui.SystemBox, "Java");
      field->setFocus();
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
      QCOMPARE(form_->SelectedSystem(), TargetSystem::DevCpp);
      QCOMPARE(ui.SystemBox->currentText(), QString("DevC++"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z,
                      Qt::ControlModifier | Qt::ShiftModifier);
      QCOMPARE(form_->SelectedSystem(), TargetSystem::Java);
      QCOMPARE(form_->History()->undoText(), QString("Target System"));
      QTest::keyClick(QApplication::focusWidget(), Qt::Key_Z, Qt::ControlModifier);
    }
    SetCell(ui.StringGrid1, 1, 0, "int");
    ui.StringGrid1->setFocus();
    ui.StringGrid1->setCurrentCell(0, 0);
    QTest::keyClick(ui.StringGrid1, Qt::Key_D, Qt::ControlModifier);
    QCOMPARE(Cell(ui.StringGrid1, 2, 0), QString("int"));
    QCOMPARE(form_->History()->undoText(), QString("Duplicate Rows"));
  }

  void everyControlReachableOnASmallScreen() {
    form_->resize(960, 540);  // 1920 x 1080 at 200 %
    form_->show();
    QVERIFY(QTest::qWaitForWindowExposed(form_));
    QVERIFY(form_->width() <= 960 && form_->height() <= 540);
    const QRect viewport(ui_->Scroller->viewport()->mapTo(form_, QPoint()),
                         ui_->Scroller->viewport()->size());
    for (QWidget* control : ui_->Splitter->findChildren<QWidget*>()) {
      if (!(control->focusPolicy() & Qt::TabFocus) || !control->isVisibleTo(form_) ||
          qobject_cast<QScrollBar*>(control) != nullptr)
        continue;
      ui_->Scroller->ensureWidgetVisible(control, 0, 0);
      const QRect shown(control->mapTo(form_, QPoint()), control->size());
      QVERIFY2(viewport.intersects(shown) && viewport.contains(shown.center()),
               qPrintable(control->metaObject()->className() +
                          (" " + control->property("text").toString())));
    }
    // A larger window gives the member table room too; Name takes the spare width.
    const int tableWidth = ui_->StringGrid1->width();
    const int nameWidth = ui_->StringGrid1->columnWidth(1);
    form_->resize(1600, 900);
    QTRY_VERIFY(ui_->StringGrid1->width() > tableWidth);
    QVERIFY(ui_->StringGrid1->columnWidth(1) > nameWidth);
    QCOMPARE(ui_->StringGrid1->horizontalHeader()->sectionResizeMode(0), QHeaderView::Interactive);
  }

  void exitClosesTheMainWindow() {
    QSignalSpy closed(form_, &TForm1::Closed);
    form_->show();
    ui_->Button3->click();
    QVERIFY(!form_->isVisible());
    QCOMPARE(closed.count(), 1);
  }

 private:
  std::string Path(const std::string& leaf) const { return fx_->Path(leaf); }

  std::unique_ptr<MainWindowFixture> fx_;
  TForm1* form_ = nullptr;
  TForm1Ui* ui_ = nullptr;
};

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
