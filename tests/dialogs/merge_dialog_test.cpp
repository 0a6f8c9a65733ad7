// The windows' regeneration step over a header and its source, and the merge dialog it shows.
#include <QPushButton>
#include <QtTest>
#include <string>
#include <vector>

#include "core/generated_records.h"
#include "desktop/merge_dialog.h"
#include "desktop/regenerate_files.h"
#include "tests/support/qt/fake_services.h"

using namespace zandrel;
using testing::ReadFile;

namespace {

const std::string Header = "// Shape\nclass Shape {};\n";
const std::string Source = "// Shape\n#include \"Shape.h\"\n\n\nvoid f(){\n}\n\n\nvoid g(){\n}\n";
const std::string Added = Source + "\n\nvoid h(){\n}\n";     // a method added
const std::string Renamed = "// Figure" + Source.substr(8);  // against an edited first line

std::string Edited(const std::string& text) {
  std::string edited = text;
  return edited.insert(edited.find("void f(){\n") + 10, "  work();\n");
}

}  // namespace

class MergeDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void EachFileAsTheUserChooses() {
    struct Case {
      const char* name;
      std::string yours;      // Shape.cpp on disk before the second write
      bool recorded;          // the first write's records kept
      std::string generated;  // the new source
      MergeAnswer choice;     // the dialog's answer, when it is shown
      bool replace;           // the Replace question's answer, when it is asked
      RegenerationEnd end;
      std::string result;                // Shape.cpp afterwards
      std::vector<std::string> trashed;  // texts the trash took
      int merges, questions;
    };
    const std::string mine = "// Shape: mine" + Source.substr(8);
    const Case cases[] = {
        {"unedited",
         Source,
         true,
         Added,
         MergeChoice::Cancel,
         true,
         RegenerationEnd::Written,
         Added,
         {},
         0,
         0},
        {"clean merge",
         Edited(Source),
         true,
         Added,
         MergeChoice::Cancel,
         true,
         RegenerationEnd::Written,
         Edited(Added),
         {Edited(Source)},
         0,
         0},
        {"conflict, both sides chosen",
         mine,
         true,
         Renamed,
         {MergeChoice::WriteChosen, {{ConflictSide::Both}}},
         true,
         RegenerationEnd::Written,
         "// Shape: mine\n// Figure\n" + Source.substr(9),
         {mine},
         1,
         0},
        {"conflict, replace",
         mine,
         true,
         Renamed,
         MergeChoice::Replace,
         true,
         RegenerationEnd::Written,
         Renamed,
         {mine},
         1,
         0},
        {"conflict, keep",
         mine,
         true,
         Renamed,
         MergeChoice::KeepMine,
         true,
         RegenerationEnd::KeptFiles,
         mine,
         {},
         1,
         0},
        {"conflict, cancel",
         mine,
         true,
         Renamed,
         MergeChoice::Cancel,
         true,
         RegenerationEnd::Cancelled,
         mine,
         {},
         1,
         0},
        {"no base, replace",
         Edited(Source),
         false,
         Added,
         MergeChoice::Cancel,
         true,
         RegenerationEnd::Written,
         Added,
         {Edited(Source)},
         0,
         1},
        {"no base, keep",
         Edited(Source),
         false,
         Added,
         MergeChoice::Cancel,
         false,
         RegenerationEnd::Cancelled,
         Edited(Source),
         {},
         0,
         1},
    };
    for (const Case& c : cases) {
      testing::TempFolder folder;
      testing::FakeServices services;
      std::vector<OutputFile> files{{folder.Path("Shape.h"), Header},
                                    {folder.Path("Shape.cpp"), Source}};
      const auto never = [](QWidget*, std::vector<ConflictingFile>) {
        QTest::qFail("no merge dialog expected", __FILE__, __LINE__);
        return MergeChoice::Cancel;
      };
      QCOMPARE(RegenerateFiles(nullptr, services, files, never).End, RegenerationEnd::Written);
      folder.Write("Shape.cpp", c.yours);
      if (!c.recorded) {
        // As for files written before records were kept.
        const GeneratedRecords records(*GeneratedRecords::DefaultFolder());
        QFile::remove(QString::fromStdString(records.RecordPath(files[0].Path)));
        QFile::remove(QString::fromStdString(records.RecordPath(files[1].Path)));
      }
      files[1].Text = c.generated;
      services.YesNoAnswers = {c.replace};
      int merges = 0;
      const RegenerationOutcome outcome = RegenerateFiles(
          nullptr, services, files, [&](QWidget*, std::vector<ConflictingFile> conflicting) {
            ++merges;
            [&] {
              QCOMPARE(conflicting.size(), std::size_t{1});
              QCOMPARE(conflicting[0].ConflictLines, std::vector<std::size_t>{1});
            }();
            return c.choice;
          });
      QVERIFY2(outcome.End == c.end, c.name);
      QVERIFY2(ReadFile(files[1].Path) == c.result, c.name);
      QVERIFY2(ReadFile(files[0].Path) == Header, c.name);
      std::vector<std::string> trashed;
      for (const auto& file : services.Trashed) trashed.push_back(file.Text);
      QVERIFY2(trashed == c.trashed, c.name);
      QCOMPARE(merges, c.merges);
      QCOMPARE(static_cast<int>(services.Questions.size()), c.questions);
      const bool merged = c.result == Edited(Added) || c.choice.Choice == MergeChoice::WriteChosen;
      QCOMPARE(MergedMessage(outcome.Merged),
               merged ? QStringLiteral("Merged your changes into Shape.cpp") : QString());
    }
    QCOMPARE(MergedMessage({"/a/Shape.h", "/a/Shape.cpp"}),
             QStringLiteral("Merged your changes into Shape.h and Shape.cpp"));
  }

  // Keeping the conflicting file still writes the one that merged cleanly, and the status bar
  // says which is which.
  void KeepMineWritesTheCleanMerges() {
    testing::TempFolder folder;
    testing::FakeServices services;
    std::vector<OutputFile> files{{folder.Path("Shape.h"), Header},
                                  {folder.Path("Shape.cpp"), Source}};
    QCOMPARE(RegenerateFiles(nullptr, services, files).End, RegenerationEnd::Written);
    const std::string mine = "// Shape: mine" + Source.substr(8);
    folder.Write("Shape.h", "// Shape\n// mine\nclass Shape {};\n");
    folder.Write("Shape.cpp", mine);
    files[0].Text = "// Shape\nclass Shape {};\nint x;\n";
    files[1].Text = Renamed;
    const RegenerationOutcome outcome = RegenerateFiles(
        nullptr, services, files,
        [](QWidget*, std::vector<ConflictingFile>) { return MergeChoice::KeepMine; });
    QCOMPARE(outcome.End, RegenerationEnd::Written);
    QCOMPARE(ReadFile(files[0].Path), std::string("// Shape\n// mine\nclass Shape {};\nint x;\n"));
    QCOMPARE(ReadFile(files[1].Path), mine);
    QCOMPARE(OutcomeMessage(outcome),
             QStringLiteral("Merged your changes into Shape.h; left Shape.cpp unchanged"));
  }

  void NextAndPreviousGoThroughEveryFile() {
    MergeDialog dialog(
        {{"/src/Shape.h", "<<<<<<< yours\na\n=======\nb\n>>>>>>> generated\n", {1, 9}},
         {"/src/Shape.cpp", "x\n<<<<<<< yours\n", {2}}});
    using Place = std::pair<std::size_t, std::size_t>;
    const auto place = [&] { return Place{dialog.CurrentFile(), dialog.CurrentConflict()}; };
    QCOMPARE(place(), Place(0, 0));
    QCOMPARE(dialog.PositionText(), QStringLiteral("Conflict 1 of 2, line 1"));
    dialog.NextConflict();
    QCOMPARE(place(), Place(0, 1));
    dialog.NextConflict();
    QCOMPARE(place(), Place(1, 0));
    QCOMPARE(dialog.ShownText(), QStringLiteral("x\n<<<<<<< yours\n"));
    dialog.NextConflict();
    QCOMPARE(place(), Place(0, 0));
    dialog.PreviousConflict();
    QCOMPARE(place(), Place(1, 0));
    dialog.PreviousConflict();
    QCOMPARE(place(), Place(0, 1));

    // Each button gives its choice; Escape cancels.
    const std::pair<QString, MergeChoice> buttons[] = {
        {"&Write my choices", MergeChoice::WriteChosen},
        {"&Replace (old file to the trash)", MergeChoice::Replace},
        {"&Keep my files", MergeChoice::KeepMine},
        {"Cancel", MergeChoice::Cancel}};
    for (const auto& [caption, choice] : buttons) {
      MergeDialog shown({{"/src/Shape.h", "<<<<<<< yours\n", {1}}});
      shown.show();
      for (QPushButton* button : shown.findChildren<QPushButton*>())
        if (button->text() == caption) button->click();
      QCOMPARE(shown.Choice(), choice);
      QVERIFY(!shown.isVisible());
    }
    // A side for each conflict, the user's lines unless chosen otherwise.
    dialog.ChooseSide(ConflictSide::Generated);
    dialog.NextConflict();
    dialog.ChooseSide(ConflictSide::Both);
    using enum ConflictSide;
    QVERIFY((dialog.Answer().Sides ==
             std::vector<std::vector<ConflictSide>>{{Yours, Generated}, {Both}}));

    // Enter keeps the user's files: markers are never written by default.
    MergeDialog entered({{"/src/Shape.h", "<<<<<<< yours\n", {1}}});
    entered.show();
    QTest::keyClick(&entered, Qt::Key_Return);
    QCOMPARE(entered.Choice(), MergeChoice::KeepMine);
    MergeDialog escaped({{"/src/Shape.h", "<<<<<<< yours\n", {1}}});
    escaped.show();
    QTest::keyClick(&escaped, Qt::Key_Escape);
    QCOMPARE(escaped.Choice(), MergeChoice::Cancel);
  }
};

QTEST_MAIN(MergeDialogTest)
#include "merge_dialog_test.moc"
