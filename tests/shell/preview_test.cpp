#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTest>
#include <algorithm>
#include <memory>
#include <stdexcept>

#include "classgen/targets.h"
#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/qt/dialog_access.h"
#include "tests/support/sample_classes.h"

using namespace zandrel;
using zandrel::testing::Entries;
using zandrel::testing::MainWindowFixture;
using zandrel::testing::Pick;
using zandrel::testing::PreviewText;
using zandrel::testing::PreviewTitles;
using zandrel::testing::ReadFile;
using zandrel::testing::SetCell;
using zandrel::testing::UiOf;

class PreviewTest : public QObject {
  Q_OBJECT

 private slots:
  void init() { fx_ = std::make_unique<MainWindowFixture>(); }
  void cleanup() { fx_.reset(); }

  // For every target the preview shows byte for byte the files Build then writes, and no others.
  void previewEqualsWrittenFiles_data() {
    QTest::addColumn<QString>("system");
    QTest::addColumn<QStringList>("tabs");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<bool>("note");  // the enumerations below do not fit the target
    for (const ClassTarget& target : ClassTargets()) {
      QStringList tabs;
      QStringList files;
      for (const TargetFile& file : target.Files) {
        tabs << QString::fromUtf8(file.TabName.data(), file.TabName.size());
        files << "Sample." + QString::fromUtf8(file.Suffix.data(), file.Suffix.size());
      }
      const QString system = QString::fromUtf8(target.ItemText.data(), target.ItemText.size());
      const bool note = target.Fits != InsertionFit::LegacyCpp;
      QTest::newRow(qPrintable(system)) << system << tabs << files << note;
    }
  }
  void previewEqualsWrittenFiles() {
    QFETCH(QString, system);
    QFETCH(QStringList, tabs);
    QFETCH(QStringList, files);
    QFETCH(bool, note);
    TForm1& form = Form();
    ClassDescription sample = zandrel::testing::SampleClass();
    using zandrel::testing::Collected;
    sample.HeaderInsertions = InsertionList(std::vector<HeaderInsertion>{
        Collected(InsertionKind::LegacyCpp, "Old", "enum Old { A };"),
        Collected(InsertionKind::LegacyCpp, "New", "enum New { B };")});
    zandrel::testing::EnterDescription(form, sample);
    UiOf(form).NameEdit->setText(" Sample ");
    Pick(UiOf(form).SystemBox, system);

    QCOMPARE(PreviewTitles(*UiOf(form).Preview), note ? tabs + QStringList{"Note"} : tabs);
    if (note)
      QVERIFY(QString::fromStdString(PreviewText(*UiOf(form).Preview, "Note"))
                  .startsWith("Note: enumeration \"Old\""));
    std::vector<std::string> previews;
    for (const QString& tab : tabs) previews.push_back(PreviewText(*UiOf(form).Preview, tab));

    fx_->Services.SaveAnswers.push_back(fx_->Path("Sample.h"));
    UiOf(form).Button1->click();
    QVERIFY(fx_->Services.Messages.empty());
    QStringList written = files;
    written.sort();
    QCOMPARE(Entries(fx_->Folder), written);
    for (qsizetype i = 0; i < files.size(); ++i)
      QCOMPARE(previews[i], ReadFile(fx_->Path(files[i].toStdString())));
  }

  void previewFollowsEdits() {
    TForm1& form = Form();
    UiOf(form).NameEdit->setText("Car");
    const auto header = [&] { return PreviewText(*UiOf(form).Preview, "Header"); };
    QVERIFY(header().find("wheels") == std::string::npos);

    SetCell(UiOf(form).StringGrid1, 2, 0, "int");
    SetCell(UiOf(form).StringGrid1, 2, 1, "wheels");
    QVERIFY(header().find("int wheels;") != std::string::npos);

    UiOf(form).MathCheck->setChecked(true);
    QVERIFY(header().find("#include <math.h>") != std::string::npos);

    Pick(UiOf(form).SystemBox, "Java");
    QCOMPARE(PreviewTitles(*UiOf(form).Preview), QStringList{"Java"});
    QVERIFY(PreviewText(*UiOf(form).Preview, "Java").find("public class Car {") !=
            std::string::npos);
    Pick(UiOf(form).SystemBox, "CBuilder");
    QCOMPARE(PreviewTitles(*UiOf(form).Preview), (QStringList{"Header", "Source"}));
    QVERIFY(header().find("#include <vcl.h>") != std::string::npos);

    form.AcceptEnumeration(
        testing::Collected(InsertionKind::LegacyCpp, "Color", "enum Color { Red };"));
    QVERIFY(header().find("enum Color { Red };") != std::string::npos);

    // A rejected choice leaves the preview on the accepted one.
    zandrel::testing::TypeAndEnter(UiOf(form).SystemBox, "Jav");
    QCOMPARE(PreviewTitles(*UiOf(form).Preview), (QStringList{"Header", "Source"}));
  }

  // In both grids the previews follow the typing in a cell before the cell is committed, and
  // Escape gives the cell back its text from before the edit.
  void previewFollowsCellBeingTyped_data() {
    QTest::addColumn<bool>("enumeration");
    QTest::newRow("member table") << false;
    QTest::newRow("enumeration names") << true;
  }
  void previewFollowsCellBeingTyped() {
    QFETCH(bool, enumeration);
    TForm1& form = Form();
    TGenEnumForm& dialog = fx_->GenEnumForm;
    UiOf(form).NameEdit->setText("Car");
    SetCell(UiOf(form).StringGrid1, 1, 0, "int");
    UiOf(dialog).Edit1->setText("Car");
    QWidget* window = enumeration ? static_cast<QWidget*>(&dialog) : &form;
    LiveEditGrid* grid = enumeration ? UiOf(dialog).NameGrid : UiOf(form).StringGrid1;
    FilePreview& preview = enumeration ? *UiOf(dialog).Preview : *UiOf(form).Preview;
    const QString page = enumeration ? "Text" : "Header";
    const int column = enumeration ? 0 : 1;
    SetCell(grid, 1, column, "was");
    window->show();
    QVERIFY(QTest::qWaitForWindowActive(window));
    grid->setFocus();
    grid->setCurrentCell(0, column);
    // The names grid opens its editor as soon as a cell becomes current.
    if (qobject_cast<QLineEdit*>(QApplication::focusWidget()) == nullptr)
      grid->editItem(grid->item(0, column));
    auto* editor = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    QVERIFY(editor != nullptr);
    editor->selectAll();
    QTest::keyClicks(editor, "speed");
    QVERIFY(PreviewText(preview, page).find("speed") != std::string::npos);
    QCOMPARE(zandrel::testing::Cell(grid, 1, column), QString("was"));

    QTest::keyClick(editor, Qt::Key_Escape);
    QTRY_VERIFY(PreviewText(preview, page).find("speed") == std::string::npos);
    QVERIFY(PreviewText(preview, page).find("was") != std::string::npos);
    QCOMPARE(zandrel::testing::Cell(grid, 1, column), QString("was"));
  }

  void shortNameShowsBuildMessage() {
    TForm1& form = Form();
    UiOf(form).NameEdit->setText("A");
    QCOMPARE(PreviewText(*UiOf(form).Preview, "Header"), std::string(ShortClassNameMessage));
    QCOMPARE(PreviewText(*UiOf(form).Preview, "Source"), std::string(ShortClassNameMessage));
    QVERIFY(fx_->Services.Messages.empty());  // the preview shows no message box
  }

  void copyPutsShownTabOnClipboard() {
    TForm1& form = Form();
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    UiOf(form).NameEdit->setText("Car");
    const std::string source = PreviewText(*UiOf(form).Preview, "Source");
    QGuiApplication::clipboard()->clear();
    UiOf(form).Preview->CopyButton->click();
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), source);

    const std::string header = PreviewText(*UiOf(form).Preview, "Header");
    QVERIFY(header != source);
    UiOf(form).NameEdit->setFocus();
    QTest::keyClick(UiOf(form).NameEdit, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), header);
    QCOMPARE(UiOf(form).NameEdit->text(), QString("Car"));
    QCOMPARE(QApplication::focusWidget(), UiOf(form).NameEdit);
  }

  // A hidden preview makes nothing; shown again, it makes its pages once for all typed meanwhile.
  // Keystrokes that arrive together make one update too.
  void previewIsMadeOncePerBurstAndOnlyWhenShown() {
    TForm1& form = Form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QTRY_VERIFY(!UiOf(form).Preview->Pending());
    const int made = UiOf(form).Preview->Generations();
    UiOf(form).PreviewCheck->setChecked(false);
    QTest::keyClicks(UiOf(form).NameEdit, "Car");
    QTest::qWait(20);
    QCOMPARE(UiOf(form).Preview->Generations(), made);
    UiOf(form).PreviewCheck->setChecked(true);
    QTRY_VERIFY(!UiOf(form).Preview->Pending());
    QCOMPARE(UiOf(form).Preview->Generations(), made + 1);
    QVERIFY(PreviewText(*UiOf(form).Preview, "Header").find("class Car {") != std::string::npos);

    QTest::keyClicks(UiOf(form).NameEdit, "Wheel");
    QTRY_VERIFY(!UiOf(form).Preview->Pending());
    QCOMPARE(UiOf(form).Preview->Generations(), made + 2);
  }

  // Lines run across the pieces a text is made of; the view gives back exactly the text.
  void viewIndexesLinesAcrossPieces_data() {
    QTest::addColumn<QStringList>("pieces");
    const QString longPiece = QString("y\n").repeated(40000);
    QTest::newRow("one line") << QStringList{"abc"};
    QTest::newRow("empty") << QStringList{""};
    QTest::newRow("line feeds only") << QStringList{"\n\n"};
    QTest::newRow("line over pieces") << QStringList{"ab", "c\nd", "", "e\n"};
    QTest::newRow("line feed ending a piece") << QStringList{"a\n", "\nb"};
    QTest::newRow("long piece") << QStringList{"x", longPiece, "z"};
  }
  void viewIndexesLinesAcrossPieces() {
    QFETCH(QStringList, pieces);
    TextPieces text;
    for (const QString& piece : pieces) text.push_back(ShareText(piece.toStdString()));
    QString whole = pieces.join("");
    FilePreview preview;
    // Twice: the second time a long piece's index is the one kept from the first.
    for (int time = 0; time < 2; ++time) {
      preview.SetPages({{"Text", {}, text}});
      QCOMPARE(preview.ShownView()->LineCount(), std::size_t(whole.count('\n') + 1));
      QCOMPARE(preview.ShownView()->Text(), whole);
      text.insert(text.begin(), ShareText("first\n"));
      whole.prepend("first\n");
    }
  }

  // Wherever a text is cut into three pieces, its lines are the same.
  void viewIndexesEveryCutAlike() {
    FilePreview preview;
    for (const std::string text : {"ab\n\ncd\n", "\nx\ny", "one line"}) {
      for (std::size_t i = 0; i <= text.size(); ++i) {
        for (std::size_t j = i; j <= text.size(); ++j) {
          preview.SetPages({{"Text",
                             {},
                             {ShareText(text.substr(0, i)), ShareText(text.substr(i, j - i)),
                              ShareText(text.substr(j))}}});
          const TextPageView& view = *preview.ShownView();
          QCOMPARE(view.Text().toStdString(), text);
          QCOMPARE(view.LineCount(), std::size_t(std::count(text.begin(), text.end(), '\n') + 1));
          const std::size_t lastBreak = text.rfind('\n');
          const std::string last =
              lastBreak == std::string::npos ? text : text.substr(lastBreak + 1);
          QCOMPARE(view.LineText(view.LineCount() - 1).toStdString(), last);
        }
      }
    }
  }

  // A text far longer than the view is painted only where it is scrolled to; Copy gives all of it.
  void longPreviewIsCopiedWhole() {
    TForm1& form = Form();
    std::string names = "typedef enum {\n";
    for (int i = 0; i < 100000; ++i) names += "   ZDName" + std::to_string(i) + ",\n";
    form.AcceptEnumeration(
        testing::Collected(InsertionKind::LegacyCpp, "Many", names + "}\n    Many;\n"));
    UiOf(form).NameEdit->setText("Car");
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    const std::string header = PreviewText(*UiOf(form).Preview, "Header");
    QVERIFY(header.find(names) != std::string::npos);
    TextPageView* view = UiOf(form).Preview->ShownView();
    QVERIFY(view->LineCount() > 100000);
    view->verticalScrollBar()->setValue(view->verticalScrollBar()->maximum());
    QVERIFY(view->FirstShownLine() > 100000);
    QCOMPARE(view->LineText(view->LineCount() - 1), QString("#endif"));

    QGuiApplication::clipboard()->clear();
    UiOf(form).Preview->CopyButton->click();
    QCOMPARE(QGuiApplication::clipboard()->text().toStdString(), header);
  }

  // An enumeration handed over is held once: later hand-overs, the undo steps and the description
  // Build and the preview read share it.
  void handedOverTextIsSharedNotCopied() {
    TForm1& form = Form();
    form.AcceptEnumeration(
        testing::Collected(InsertionKind::LegacyCpp, "A", std::string(100000, 'a')));
    const std::string* held = form.HeaderInsertions().Shared(0).get();
    form.AcceptEnumeration(testing::Collected(InsertionKind::LegacyCpp, "B", "enum B {};"));
    UiOf(form).UndoAction->trigger();
    UiOf(form).RedoAction->trigger();
    QCOMPARE(form.HeaderInsertions().size(), std::size_t(2));
    QCOMPARE(form.HeaderInsertions().Shared(0).get(), held);
    QCOMPARE(form.CurrentInput().HeaderInsertions.Shared(0).get(), held);
  }

  // A job that fails on the worker shows why in the preview; the program goes on.
  void failedJobShowsWhy() {
    FilePreview preview;
    preview.SetSource([] {
      return PreviewJob([]() -> std::vector<PreviewPage> { throw std::runtime_error("no room"); });
    });
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    QTRY_VERIFY(!preview.Pending());
    QCOMPARE(PreviewTitles(preview), QStringList{"Preview"});
    QCOMPARE(preview.ShownText(), QString("The preview failed: no room"));
    preview.Invalidate();  // made on the worker this time
    QTRY_VERIFY(!preview.Pending());
    QCOMPARE(preview.Generations(), 2);
    QCOMPARE(preview.ShownText(), QString("The preview failed: no room"));
  }

  // Text can be selected in a page and copied: all of it, or a stretch dragged over.
  void selectionIsCopied() {
    FilePreview preview;
    preview.SetPages({{"Text", {}, {ShareText("first line\nsecond line\nthird")}}});
    preview.resize(400, 300);
    preview.show();
    QVERIFY(QTest::qWaitForWindowExposed(&preview));
    TextPageView* view = preview.ShownView();
    view->setFocus();
    QTest::keyClick(view, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(view, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QString("first line\nsecond line\nthird"));

    const QFontMetrics metrics(view->font());
    const int column = metrics.horizontalAdvance(QLatin1Char('0'));
    const int line = metrics.lineSpacing();
    // From "line" on the first line to the end of "second".
    const QPoint from(4 + 6 * column, line / 2);
    const QPoint to(4 + 6 * column, line + line / 2);
    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, from);
    QTest::mouseMove(view->viewport(), to);
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, to);
    QCOMPARE(view->SelectedText(), QString("line\nsecond"));
  }

  void previewCanBeHidden() {
    TForm1& form = Form();
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QVERIFY(UiOf(form).Preview->findChild<QTabBar*>()->height() > 0);  // the tabs show
    QCOMPARE(zandrel::testing::Shown(UiOf(form).PreviewCheck->text()), QString("Show preview"));
    QVERIFY(UiOf(form).PreviewCheck->isChecked());
    const int wide = form.width();
    UiOf(form).PreviewCheck->setChecked(false);
    QVERIFY(UiOf(form).Preview->isHidden());
    QVERIFY(form.width() <= wide);
    UiOf(form).PreviewCheck->setChecked(true);
    QVERIFY(!UiOf(form).Preview->isHidden());
    QVERIFY(form.width() >= wide - 1 ||
            form.width() >= form.screen()->availableGeometry().width() - 16);
  }

 private:
  TForm1& Form() { return fx_->Form1; }

  std::unique_ptr<MainWindowFixture> fx_;
};

QTEST_MAIN(PreviewTest)
#include "preview_test.moc"
