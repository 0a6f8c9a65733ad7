// File › Import Header: a header read on a worker fills the window as one undoable step; one that
// cannot be read is refused with the import's reason.

#include <QAction>
#include <QCheckBox>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <variant>

#include "desktop/live_edit_grid.h"
#include "headerimport/header_import.h"
#include "shell/tform1_ui.h"
#include "tests/shell/shell_test_support.h"

using namespace zandrel;
using zandrel::testing::MainWindowFixture;
using zandrel::testing::ReadFile;
using zandrel::testing::UiOf;
using zandrel::testing::WriteFile;

namespace {

// The worker is done when the command can be given again.
bool Read(TForm1& form) { return UiOf(form).ImportAction->isEnabled(); }

}  // namespace

class ImportTest : public QObject {
  Q_OBJECT

 private slots:
  void ImportedClassIsOneUndoableStep() {
    MainWindowFixture f;
    UiOf(f.Form1).NameEdit->setText(QStringLiteral("Before"));
    const ClassInput before = f.Form1.CurrentInput();
    const std::string header = f.Path("point.h");
    WriteFile(header, "class Point {\n  int x = 1;\n  double y;\n};\n");
    f.Services.OpenAnswers.push_back(header);

    UiOf(f.Form1).ImportAction->trigger();
    QTRY_VERIFY(Read(f.Form1));

    QVERIFY(f.Services.Messages.empty());
    QCOMPARE(f.Form1.CurrentInput().NameText, std::string("Point"));
    const std::array<std::string, 3> first{"int", "x", "1"};
    QCOMPARE(f.Form1.CurrentInput().Grid[0], first);
    QVERIFY(f.Form1.DocumentPath().empty());
    f.Form1.History()->undo();
    QVERIFY(f.Form1.CurrentInput() == before);
  }

  // A class of more rows than the table starts with grows it, builds whole and opens again.
  void LongClassGrowsTheTable() {
    MainWindowFixture f;
    std::string members;
    for (int row = 1; row <= 30; ++row) members += "  int m" + std::to_string(row) + ";\n";
    const std::string header = f.Path("wide.h");
    WriteFile(header, "struct Wide {\n" + members + "};\n");
    f.Services.OpenAnswers.push_back(header);
    UiOf(f.Form1).ImportAction->trigger();
    QTRY_VERIFY(Read(f.Form1));
    QCOMPARE(UiOf(f.Form1).StringGrid1->rowCount(), 30);

    UiOf(f.Form1).BigConstructorBox->setChecked(true);
    f.Services.SaveAnswers.push_back(f.Path("Wide.h"));
    f.Form1.DoIt();
    QVERIFY(ReadFile(f.Path("Wide.cpp")).find("int parm30") != std::string::npos);

    f.Services.SaveAnswers.push_back(f.Path("wide.zandrel.json"));
    QVERIFY(f.Form1.SaveDocumentAs());
    f.Form1.NewDocument();
    QCOMPARE(UiOf(f.Form1).StringGrid1->rowCount(), MemberGridRows);
    QVERIFY(f.Form1.OpenFile(f.Path("wide.zandrel.json")));
    QCOMPARE(UiOf(f.Form1).StringGrid1->rowCount(), 30);
    QCOMPARE(UiOf(f.Form1).StringGrid1->item(29, 1)->text(), QString("m30"));
  }

  void UnreadableHeaderShowsTheReason() {
    MainWindowFixture f;
    const ClassInput before = f.Form1.CurrentInput();
    const std::string header = f.Path("missing.h");
    f.Services.OpenAnswers.push_back(header);

    UiOf(f.Form1).ImportAction->trigger();
    QTRY_VERIFY(Read(f.Form1));

    ImportRequest request;
    request.HeaderPath = header;
    const auto failure = std::get<ImportFailure>(ImportHeader(request));
    QCOMPARE(f.Services.Messages.size(), std::size_t{1});
    QVERIFY(f.Services.Messages.front().Text.find(failure.Reason) != std::string::npos);
    QVERIFY(f.Form1.CurrentInput() == before);
    QCOMPARE(f.Form1.History()->count(), 0);
  }
};

QTEST_MAIN(ImportTest)
#include "import_test.moc"
