// File › Import Header: a header read on a worker fills the window as one undoable step; one that
// cannot be read is refused with the import's reason.

#include <QAction>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>
#include <variant>

#include "headerimport/header_import.h"
#include "shell/tform1_ui.h"
#include "tests/shell/shell_test_support.h"

using namespace zandrel;
using zandrel::testing::MainWindowFixture;
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
