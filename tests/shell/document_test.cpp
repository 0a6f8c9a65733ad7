// The description as a document: saved and opened as zandrel-gen reads it, every change undone and
// redone, rows and cells edited, and unsaved changes asked about before they would be lost.

#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QClipboard>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <filesystem>
#include <functional>
#include <memory>

#include <sys/stat.h>

#include "document/class_document.h"
#include "shell/collected_enumerations.h"
#include "shell/member_table.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/run_program.h"
#include "tests/support/sample_classes.h"

using namespace zandrel;
using zandrel::testing::EnterDescription;
using zandrel::testing::MainWindowFixture;
using zandrel::testing::Pick;
using zandrel::testing::PreviewText;
using zandrel::testing::PreviewTitles;
using zandrel::testing::ReadFile;
using zandrel::testing::RunProgram;
using zandrel::testing::UiOf;
using zandrel::testing::WriteFile;

namespace {

std::string Document(const TForm1& form) {
  return WriteClassDocument(form.CurrentInput()).toStdString();
}

// Every tab of the preview with its text.
QStringList Previews(TForm1& form) {
  QStringList shown;
  for (const QString& title : PreviewTitles(*UiOf(form).Preview))
    shown << title + ":\n" + QString::fromStdString(PreviewText(*UiOf(form).Preview, title));
  return shown;
}

// Every field away from its start-up value, and two enumerations handed over.
ClassDescription Everything() {
  ClassDescription d = zandrel::testing::SampleClass();
  d.Members.push_back({"std::string", "label", "\"a\\tb\"", 7});
  d.Options.PrivateCopy = d.Options.MathLib = d.Options.CStrings = true;
  d.Options.FrameworkLibrary = false;
  d.Options.TargetSystem = TargetSystem::CBuilder;
  d.Options.NameForm = NameForm::UpperCamel;
  d.HeaderInsertions = {"#include \"Color.h\" ",
                        "typedef enum {\n   A, B}\n    Many;\n\n\nAnsiString __fastcall "
                        "ToString(const Many & val){\n}\n"};
  return d;
}

QLineEdit* OpenCell(TForm1& form, int row, int column) {
  UiOf(form).StringGrid1->setCurrentCell(row - 1, column);
  UiOf(form).StringGrid1->editItem(UiOf(form).StringGrid1->item(row - 1, column));
  return UiOf(form).StringGrid1->viewport()->findChild<QLineEdit*>();
}

void SelectCells(TForm1& form, int top, int left, int bottom, int right) {
  UiOf(form).StringGrid1->setCurrentCell(top - 1, left);
  UiOf(form).StringGrid1->setRangeSelected({top - 1, left, bottom - 1, right}, true);
}

// A table written as rows "Type|Name|Initial value" separated by ";", from row 1; rows left out
// at the end are empty, and there are at least the rows the window starts with.
MemberTable Table(const QString& rows) {
  MemberTable table(MemberGridRows);
  const QStringList lines = rows.split(';');
  for (qsizetype row = 0; row < lines.size(); ++row) {
    if (row >= static_cast<qsizetype>(table.size()))
      table.resize(static_cast<std::size_t>(row) + 1);
    const QStringList cells = lines[row].split('|');
    for (qsizetype column = 0; column < cells.size() && column < 3; ++column)
      table[row][column] = cells[column].toStdString();
  }
  return table;
}

QString Rows(const MemberTable& table) {
  QStringList lines;
  for (const MemberCells& row : table)
    lines << QString::fromStdString(row[0] + "|" + row[1] + "|" + row[2]);
  while (!lines.isEmpty() && lines.last() == "||") lines.removeLast();
  return lines.join(';');
}

// One user action on the window, and whether it leaves a step to undo.
struct Action {
  const char* Name;
  std::function<void(TForm1&)> Run;
};

// Selects the cells of the table (rows from 1) and triggers one of its actions.
std::function<void(TForm1&)> OnCells(int top, int left, int bottom, int right,
                                     QAction* TForm1Ui::*action) {
  return [=](TForm1& f) {
    SelectCells(f, top, left, bottom, right);
    (UiOf(f).*action)->trigger();
  };
}

// Picks the entry second in the collected enumerations' list and presses a button there.
std::function<void(TForm1&)> OnSecondEnumeration(QPushButton* CollectedEnumerations::*button) {
  return [=](TForm1& f) {
    f.ShowEnumerations();
    UiOf(f).EnumerationList->InsertionList->setCurrentRow(1);
    (UiOf(f).EnumerationList->*button)->click();
  };
}

const Action Changes[] = {
    {"class name typed", [](TForm1& f) { QTest::keyClicks(UiOf(f).NameEdit, "Box"); }},
    {"cell typed", [](TForm1& f) { QTest::keyClicks(OpenCell(f, 5, 1), "total"); }},
    {"cell typed and entered", [](TForm1& f) { QTest::keyClicks(OpenCell(f, 1, 2), "7\r"); }},
    {"tab pasted into an open cell",
     [](TForm1& f) {
       QGuiApplication::clipboard()->setText("long\tsize\t0\nshort\tstep");
       OpenCell(f, 5, 0)->paste();
     }},
    {"row inserted", OnCells(2, 0, 2, 0, &TForm1Ui::InsertRowAction)},
    {"rows deleted", OnCells(1, 0, 2, 2, &TForm1Ui::DeleteRowsAction)},
    {"row moved up", OnCells(3, 1, 3, 1, &TForm1Ui::MoveUpAction)},
    {"row moved down", OnCells(1, 0, 1, 0, &TForm1Ui::MoveDownAction)},
    {"row duplicated", OnCells(2, 0, 2, 0, &TForm1Ui::DuplicateAction)},
    {"cells emptied", OnCells(1, 1, 3, 1, &TForm1Ui::DeleteAction)},
    {"cells pasted",
     [](TForm1& f) {
       QGuiApplication::clipboard()->setText("float\tw\nfloat\th\n");
       OnCells(8, 0, 8, 0, &TForm1Ui::PasteAction)(f);
     }},
    {"Clear", [](TForm1& f) { UiOf(f).Button2->click(); }},
    {"option ticked", [](TForm1& f) { UiOf(f).ToStringBox->click(); }},
    {"library unticked", [](TForm1& f) { UiOf(f).StdCheck->click(); }},
    {"comparison level", [](TForm1& f) { UiOf(f).RadioGroup1Items->button(1)->click(); }},
    {"target", [](TForm1& f) { Pick(UiOf(f).SystemBox, "Java"); }},
    {"naming form", [](TForm1& f) { Pick(UiOf(f).FormBox, "get_variable and set_variable"); }},
    {"enumeration handed over",
     [](TForm1& f) {
       f.AcceptEnumeration(testing::Collected(InsertionKind::LegacyCpp, "Size", "enum Size {};"));
     }},
    {"enumeration removed", OnSecondEnumeration(&CollectedEnumerations::RemoveButton)},
    {"enumeration moved", OnSecondEnumeration(&CollectedEnumerations::UpButton)},
};

}  // namespace

class DocumentTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fx_ = std::make_unique<MainWindowFixture>();
    form_ = &fx_->Form1;
    ui_ = &UiOf(*form_);
  }
  void cleanup() { fx_.reset(); }

  // A saved description opens as it was, and zandrel-gen writes from it what Build writes.
  void saveThenOpenRoundTrips() {
    EnterDescription(*form_, Everything());
    const std::string entered = Document(*form_);
    fx_->Services.SaveAnswers.push_back(Path("sample"));  // the suffix is added
    QVERIFY(ui_->SaveAsAction->isEnabled());
    ui_->SaveAsAction->trigger();
    QCOMPARE(fx_->Services.Showings.back().FileName, std::string("Sample.zandrel.json"));
    const std::string saved = Path("sample.zandrel.json");
    QCOMPARE(ReadFile(saved), entered);
    QCOMPARE(form_->windowTitle(), QString("sample.zandrel.json[*] - Zandrel"));
    QVERIFY(!form_->isWindowModified());
    QCOMPARE(form_->statusBar()->currentMessage(), QString("Saved sample.zandrel.json"));

    ui_->NewAction->trigger();
    QCOMPARE(Document(*form_), WriteClassDocument(ClassInput()).toStdString());
    QVERIFY(form_->DocumentPath().empty());
    QVERIFY(form_->statusBar()->currentMessage().isEmpty());
    // The file dialogs start in the folder used last.
    fx_->Services.SaveAnswers.push_back(std::nullopt);
    ui_->SaveAsAction->trigger();
    QCOMPARE(fx_->Services.Showings.back().FileName, Path("Untitled.zandrel.json"));
    QVERIFY(form_->OpenFile(saved));
    QCOMPARE(Document(*form_), entered);
    QCOMPARE(form_->DocumentPath(), saved);
    QCOMPARE(ui_->RecentMenu->actions().size(), 1);  // saved, then opened: one entry
    QVERIFY(ui_->RecentMenu->actions()[0]->text().endsWith(QString::fromStdString(saved)));
    QVERIFY(!form_->isWindowModified() && !ui_->UndoAction->isEnabled());
    QVERIFY(fx_->Services.Questions.empty());  // nothing was unsaved

    std::filesystem::create_directory(Path("gen"));
    std::filesystem::create_directory(Path("build"));
    const auto run = RunProgram({ZANDREL_GEN, "class", saved, Path("gen/Sample.h")});
    QCOMPARE(run.exitCode, 0);
    fx_->Services.SaveAnswers.push_back(Path("build/Sample.h"));
    ui_->Button1->click();
    for (const char* leaf : {"Sample.h", "Sample.cpp"}) {
      QVERIFY(!ReadFile(Path(std::string("gen/") + leaf)).empty());
      QCOMPARE(ReadFile(Path(std::string("gen/") + leaf)),
               ReadFile(Path(std::string("build/") + leaf)));
    }
  }

  // Build remembers where it wrote: the document keeps it beside itself, Build's dialog proposes
  // it, and Rebuild writes there without asking.
  void theOutputPathTravelsWithTheDocument() {
    std::filesystem::create_directories(Path("model/src"));
    EnterDescription(*form_, zandrel::testing::SampleClass());
    const std::string saved = Path("model/sample.zandrel.json");
    fx_->Services.SaveAnswers.push_back(saved);
    ui_->SaveAsAction->trigger();
    fx_->Services.SaveAnswers.push_back(Path("model/src/Sample.h"));
    ui_->Button1->click();
    QCOMPARE(fx_->Services.Showings.back().FileName, Path("model/Sample.h"));  // beside it
    QVERIFY(form_->isWindowModified());
    ui_->SaveAction->trigger();
    QVERIFY(ReadFile(saved).find("\"OutputPath\": \"src/Sample.h\"") != std::string::npos);

    ui_->NewAction->trigger();
    QVERIFY(form_->OpenFile(saved));
    QCOMPARE(form_->OutputPath(), Path("model/src/Sample.h"));
    QVERIFY(!form_->isWindowModified());
    std::filesystem::remove(Path("model/src/Sample.cpp"));
    const std::size_t showings = fx_->Services.Showings.size();
    ui_->RebuildAction->trigger();
    QCOMPARE(fx_->Services.Showings.size(), showings);
    QVERIFY(!ReadFile(Path("model/src/Sample.cpp")).empty());
    fx_->Services.SaveAnswers.push_back(std::nullopt);
    ui_->BuildAction->trigger();
    QCOMPARE(fx_->Services.Showings.back().FileName, Path("model/src/Sample.h"));
  }

  // What zandrel-gen class refuses, Open refuses with the same message, changing nothing.
  void openRefusesWhatTheCommandLineRefuses_data() {
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("content");
    QTest::newRow("no JSON") << "file"
                             << "{\"ClassName\": ";
    QTest::newRow("unknown key") << "file"
                                 << "{\"Colour\": 1}";
    QTest::newRow("later format") << "file"
                                  << "{\"Format\": 2}";
    QTest::newRow("row past the last") << "file"
                                       << "{\"Rows\": [{\"Row\": 100001, \"Type\": \"int\"}]}";
    QTest::newRow("missing") << "missing"
                             << "";
    QTest::newRow("folder") << "folder"
                            << "";
    QTest::newRow("FIFO") << "fifo"
                          << "";
  }
  void openRefusesWhatTheCommandLineRefuses() {
    QFETCH(QString, kind);
    QFETCH(QString, content);
    const std::string path = Path("refused.zandrel.json");
    if (kind == "file") WriteFile(path, content.toStdString());
    if (kind == "folder") std::filesystem::create_directory(path);
    if (kind == "fifo") QCOMPARE(mkfifo(path.c_str(), 0600), 0);
    EnterDescription(*form_, Everything());
    const std::string before = Document(*form_);
    const QStringList preview = Previews(*form_);

    fx_->Services.OpenAnswers.push_back(path);
    fx_->Services.SaveChoices.push_back(SaveChoice::Discard);
    QVERIFY(!form_->OpenDocument());
    const auto run = RunProgram({ZANDREL_GEN, "class", path, Path("Out.h")});
    QVERIFY(run.exitCode == 2 || run.exitCode == 3);
    QCOMPARE(fx_->Services.Messages.size(), std::size_t{1});
    QCOMPARE("zandrel-gen: " + fx_->Services.Messages[0].Text + "\n", run.err);
    QCOMPARE(fx_->Services.Messages[0].Owner, form_);
    QCOMPARE(Document(*form_), before);
    QCOMPARE(Previews(*form_), preview);
    QVERIFY(form_->isWindowModified() && form_->DocumentPath().empty());
  }

  // Each user action is one step; undo gives back the description and the preview from before,
  // redo those from after.
  void undoAndRedoEachChange_data() {
    QTest::addColumn<int>("change");
    for (int i = 0; i < static_cast<int>(std::size(Changes)); ++i)
      QTest::newRow(Changes[i].Name) << i;
  }
  void undoAndRedoEachChange() {
    QFETCH(int, change);
    ClassDescription start = Everything();
    start.Options.StdLib = true;
    EnterDescription(*form_, start);
    form_->History()->clear();
    const std::string before = Document(*form_);
    const QStringList previewBefore = Previews(*form_);

    Changes[change].Run(*form_);
    const std::string after = Document(*form_);
    const QStringList previewAfter = Previews(*form_);
    QVERIFY(after != before);
    QCOMPARE(form_->History()->count(), 1);
    QVERIFY(form_->isWindowModified());

    ui_->UndoAction->trigger();
    QCOMPARE(Document(*form_), before);
    QCOMPARE(Previews(*form_), previewBefore);
    ui_->RedoAction->trigger();
    QCOMPARE(Document(*form_), after);
    QCOMPARE(Previews(*form_), previewAfter);
  }

  // Moving a row renumbers its big-constructor parameter.
  void movedRowRenumbersItsParameter() {
    EnterDescription(*form_, zandrel::testing::SampleClass());
    SelectCells(*form_, 1, 0, 1, 0);
    ui_->MoveDownAction->trigger();
    const QString header = QString::fromStdString(PreviewText(*ui_->Preview, "Header"));
    QVERIFY2(header.contains("Sample(char parm1, int parm2, double parm3)"), qPrintable(header));
  }

  void rowOperations_data() {
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QString>("table");
    QTest::addColumn<QString>("expected");  // "refused": the table stays
    const QString full = "a;b;c;d;e;f;g;h;i;j;k;l;m;n;o;p;q;r;s";
    QTest::newRow("insert") << "insert" << QList<int>{1} << "a;b|n|0"
                            << "a;;b|n|0";
    const QString gap = QString(";").repeated(17);
    QTest::newRow("insert, last row empty") << "insert" << QList<int>{0} << "a" + gap + "s"
                                            << ";a" + gap + "s";
    QTest::newRow("insert, last row full grows") << "insert" << QList<int>{0} << full << ";" + full;
    QTest::newRow("delete") << "delete" << QList<int>{2, 0} << "a;b;c;d"
                            << "b||;d||";
    QTest::newRow("up, a block") << "up" << QList<int>{1, 2} << "a;b;c"
                                 << "b||;c||;a||";
    QTest::newRow("up, at the top") << "up" << QList<int>{0, 2} << "a;b;c"
                                    << "refused";
    QTest::newRow("down, apart") << "down" << QList<int>{0, 2} << "a;b;c;d"
                                 << "b||;a||;d||;c||";
    QTest::newRow("down, at the end") << "down" << QList<int>{18} << full << "refused";
    QTest::newRow("duplicate") << "duplicate" << QList<int>{1, 0} << "a|x|1;b;c"
                               << "a|x|1;b||;a|x|1;b||;c||";
    QTest::newRow("duplicate, last row grows")
        << "duplicate" << QList<int>{18} << full << full + ";s";
  }
  void rowOperations() {
    QFETCH(QString, operation);
    QFETCH(QList<int>, rows);
    QFETCH(QString, table);
    QFETCH(QString, expected);
    const MemberTable before = Table(table);
    const std::vector<int> selected(rows.begin(), rows.end());
    std::optional<MemberTable> after;
    if (operation == "insert") after = InsertRows(before, selected[0], std::vector<MemberCells>(1));
    if (operation == "delete") after = DeleteRows(before, selected);
    if (operation == "up") after = MoveRows(before, selected, -1);
    if (operation == "down") after = MoveRows(before, selected, 1);
    if (operation == "duplicate") after = zandrel::DuplicateRows(before, selected);
    QCOMPARE(after ? Rows(*after) : QString("refused"),
             expected == "refused" ? expected : Rows(Table(expected)));
  }

  void pasteSpreadsOverCells_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("leftOut");
    QTest::newRow("one row") << "int\tcount\t0" << 0 << 0 << "int|count|0" << false;
    QTest::newRow("block, line end last") << "a\tb\nc\td\n" << 1 << 1 << "||;|a|b;|c|d" << false;
    QTest::newRow("Windows line ends") << "a\r\nb" << 0 << 2 << "||a;||b" << false;
    QTest::newRow("empty line empties") << "a\n\nb" << 0 << 0 << "a||;||;b||" << false;
    QTest::newRow("column too many") << "a\tb\tc" << 0 << 1 << "|a|b" << true;
    QTest::newRow("empty columns beyond") << "a\t\t" << 0 << 2 << "||a" << false;
    QTest::newRow("rows beyond grow") << "x\ny" << 18 << 0 << ";;;;;;;;;;;;;;;;;;x||;y" << false;
  }
  void pasteSpreadsOverCells() {
    QFETCH(QString, text);
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(QString, expected);
    QFETCH(bool, leftOut);
    const PastedCells pasted =
        zandrel::PasteCells(MemberTable(MemberGridRows), {row, column}, text.toStdString());
    QCOMPARE(Rows(pasted.Table), Rows(Table(expected)));
    QCOMPARE(pasted.LeftOut, leftOut);
  }

  // Copy gives what Paste takes; rows pasted past the last one grow the table.
  void copyThenPasteInTheWindow() {
    EnterDescription(*form_, zandrel::testing::SampleClass());
    SelectCells(*form_, 1, 0, 2, 2);
    ui_->CopyAction->trigger();
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("int\tcount\t\nchar\tname[32]\t\n"));
    SelectCells(*form_, 19, 1, 19, 1);
    ui_->PasteAction->trigger();
    // The second row grows the table.
    QCOMPARE(Rows(form_->CurrentInput().Grid).section(';', 18),
             QString("|int|count;|char|name[32]"));
    QCOMPARE(ui_->StringGrid1->rowCount(), 20);
    QVERIFY(fx_->Services.Messages.empty());
  }

  // The close box, Exit, New and Open ask exactly when there are unsaved changes.
  void unsavedChangesAreAskedAbout_data() {
    QTest::addColumn<QString>("before");  // what the user did first
    QTest::addColumn<QString>("ask");     // close, new or open
    QTest::addColumn<int>("answer");      // -1: no question expected
    QTest::addColumn<bool>("kept");       // the typed name still in the window
    QTest::newRow("untouched, close") << ""
                                      << "close" << -1 << false;
    QTest::newRow("typed and undone") << "undone"
                                      << "close" << -1 << false;
    QTest::newRow("typed and saved") << "saved"
                                     << "close" << -1 << true;
    QTest::newRow("typed, Discard") << "typed"
                                    << "close" << int(SaveChoice::Discard) << true;
    QTest::newRow("typed, Cancel") << "typed"
                                   << "close" << int(SaveChoice::Cancel) << true;
    QTest::newRow("typed, Save") << "typed"
                                 << "close" << int(SaveChoice::Save) << true;
    QTest::newRow("typed, New, Cancel") << "typed"
                                        << "new" << int(SaveChoice::Cancel) << true;
    QTest::newRow("typed, New, Discard") << "typed"
                                         << "new" << int(SaveChoice::Discard) << false;
    QTest::newRow("typed, Open, Cancel") << "typed"
                                         << "open" << int(SaveChoice::Cancel) << true;
    QTest::newRow("saved, typed, Exit") << "saved typed"
                                        << "exit" << int(SaveChoice::Save) << true;
  }
  void unsavedChangesAreAskedAbout() {
    QFETCH(QString, before);
    QFETCH(QString, ask);
    QFETCH(int, answer);
    QFETCH(bool, kept);
    QSignalSpy closed(form_, &TForm1::Closed);
    form_->show();
    const std::string path = Path("Box.zandrel.json");
    if (before.contains("typed") || before == "undone" || before == "saved")
      QTest::keyClicks(ui_->NameEdit, "Box");
    if (before == "undone") ui_->UndoAction->trigger();
    if (before.startsWith("saved")) {
      fx_->Services.SaveAnswers.push_back(path);
      QVERIFY(form_->SaveDocument());
    }
    if (before == "saved typed") QTest::keyClicks(ui_->NameEdit, "es");
    if (answer >= 0) fx_->Services.SaveChoices.push_back(static_cast<SaveChoice>(answer));
    if (answer == int(SaveChoice::Save) && !before.startsWith("saved"))
      fx_->Services.SaveAnswers.push_back(path);
    const std::size_t showings = fx_->Services.Showings.size();

    if (ask == "close") form_->close();
    if (ask == "exit") ui_->ExitAction->trigger();
    if (ask == "new") ui_->NewAction->trigger();
    if (ask == "open") ui_->OpenAction->trigger();

    QCOMPARE(fx_->Services.Questions.size(), std::size_t(answer >= 0 ? 1 : 0));
    if (answer >= 0) QCOMPARE(fx_->Services.Questions[0].Caption, std::string("Save Changes"));
    const bool cancelled = answer == int(SaveChoice::Cancel);
    QCOMPARE(closed.count(), (ask == "close" || ask == "exit") && !cancelled ? 1 : 0);
    QCOMPARE(ui_->NameEdit->text().startsWith("Box"), kept);
    if (cancelled) QCOMPARE(fx_->Services.Showings.size(), showings);  // no open dialog either
    if (answer == int(SaveChoice::Save)) QCOMPARE(ReadFile(path), Document(*form_));
  }

  void insertionCaptions() {
    using testing::Collected;
    const std::pair<HeaderInsertion, QString> cases[] = {
        {Collected(InsertionKind::LegacyCpp, "Color", "#include \"Color.h\" "),
         "#include \"Color.h\""},
        {Collected(InsertionKind::LegacyCpp, "Many", "typedef enum {\n   A}\n    Many;\n"),
         "Many: typedef enum {"},
        {HeaderInsertion::TextOnly(ShareText("// mine\nint x;")), "// mine"},
    };
    for (const auto& [insertion, caption] : cases)
      QCOMPARE(QString::fromStdString(InsertionCaption(insertion)), caption);
  }

 private:
  std::string Path(const std::string& leaf) const { return fx_->Path(leaf); }

  std::unique_ptr<MainWindowFixture> fx_;
  TForm1* form_ = nullptr;
  TForm1Ui* ui_ = nullptr;
};

QTEST_MAIN(DocumentTest)
#include "document_test.moc"
