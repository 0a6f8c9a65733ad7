#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <variant>

#include <sys/stat.h>

#include "core/output_text.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_texts.h"
#include "enumgen/genenum.h"
#include "tests/support/qt/dialog_access.h"
#include "tests/support/qt/fake_services.h"

using namespace zandrel;
using namespace zandrel::testing;

namespace {

// The dialog on scripted services, handing over to a recording main window.
struct DialogFixture {
  FakeServices Services;
  RecordingReceiver Receiver;
  TempFolder Folder;
  TGenEnumForm Form{Services, Receiver};
};

// The request the dialog is expected to read for the input TypeColor types.
EnumerationRequest ColorRequest(EnumerationStyle style) {
  EnumerationRequest request;
  request.TypeName = "Color";
  request.Style = style;
  request.GridRows[0] = {"Red", ""};
  request.GridRows[1] = {"Green", "5"};
  request.GridRows[3] = {"Blue", ""};
  return request;
}

void TypeColor(TGenEnumForm& form) {
  UiOf(form).Edit1->setText("  Color ");
  SetCell(UiOf(form).NameGrid, 1, 0, "Red");
  SetCell(UiOf(form).NameGrid, 2, 0, "Green");
  SetCell(UiOf(form).NameGrid, 2, 1, "5");
  SetCell(UiOf(form).NameGrid, 4, 0, "Blue");
}

// What the core composes for a request, with the list file at listPath when one is given.
std::variant<EnumerationOutput, Refusal> Composed(const EnumerationRequest& request,
                                                  const std::string& listPath = {}) {
  if (listPath.empty()) return ComposeEnumeration(request, nullptr);
  const ListFile file = std::get<ListFile>(ReadListFile(listPath));
  return ComposeEnumeration(request, &file);
}

EnumerationOutput Output(const EnumerationRequest& request, const std::string& listPath = {}) {
  return std::get<EnumerationOutput>(Composed(request, listPath));
}

QString Page(TGenEnumForm& form, const char* title) {
  return QString::fromStdString(PreviewText(*UiOf(form).Preview, title));
}

QString ShownTabs(const TGenEnumForm& form) { return PreviewTitles(*UiOf(form).Preview).join(","); }

}  // namespace

class GenEnumDialogTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    fx_ = std::make_unique<DialogFixture>();
    form_ = &fx_->Form;
    ui_ = &UiOf(*form_);
    services_ = &fx_->Services;
    receiver_ = &fx_->Receiver;
  }
  void cleanup() { fx_.reset(); }

  void controlsDefaultsAndTabOrder();
  void setStyleShowsAndClearsSeparateBox();
  void activatorSetsHeadings();
  void exitedSuggestsPrefix_data();
  void exitedSuggestsPrefix();
  void okWithoutFileHandsOverTheText_data();
  void okWithoutFileHandsOverTheText();
  void okWithFileWritesAndHandsOverInclude_data();
  void okWithFileWritesAndHandsOverInclude();
  void cancelledSaveDialogChangesNothing();
  void replaceAnsweredNoWritesNothing();
  void refusedRequestShowsMessageAndKeepsInput_data();
  void refusedRequestShowsMessageAndKeepsInput();
  void collectingTwiceAsks_data();
  void collectingTwiceAsks();
  void failedWriteKeepsInputAndHandsNothingOver();
  void listFileWithCommittedRetry();
  void unreadableListFileIsReported_data();
  void unreadableListFileIsReported();
  void cancelAndFrameCloseShowMainWindow_data();
  void cancelAndFrameCloseShowMainWindow();
  void previewIsTheHandOverText_data();
  void previewIsTheHandOverText();
  void previewFollowsGridTyping();
  void previewShowsBothFilesWhenSeparate();
  void previewOfListFileAndRefusal();
  void copyButtonCopiesShownText();
  void keyboardWalk_data();
  void keyboardWalk();
  void escapeAndEnter_data();
  void escapeAndEnter();
  void everyShowingStartsInTypeName();
  void finishedTellsWhatWasDone();
  void previewColoursCodeNotNotes();

 private:
  std::string Path(const char* name) const { return fx_->Folder.Path(name); }

  std::unique_ptr<DialogFixture> fx_;
  TGenEnumForm* form_ = nullptr;
  TGenEnumFormUi* ui_ = nullptr;
  FakeServices* services_ = nullptr;
  RecordingReceiver* receiver_ = nullptr;
};

void GenEnumDialogTest::controlsDefaultsAndTabOrder() {
  QCOMPARE(form_->windowTitle(), QString("Generate Enumeration"));
  QVERIFY(form_->isWindow());
  QCOMPARE(ui_->Edit1->text(), QString());
  QCOMPARE(ui_->Edit2->text(), QString("ZD"));
  QVERIFY(ui_->Outside->isChecked());
  QVERIFY(ui_->Prefix->isChecked());
  QVERIFY(!ui_->SeparateBox->isChecked());
  QVERIFY(!ui_->FileBox->isChecked());

  QCOMPARE(ui_->NameGrid->rowCount(), NameGridRows);
  QCOMPARE(ui_->NameGrid->columnCount(), 2);
  QVERIFY(ui_->NameGrid->tabKeyNavigation());
  QVERIFY(ui_->NameGrid->selectionMode() != QAbstractItemView::SingleSelection);
  QVERIFY(ui_->NameGrid->editTriggers() != QAbstractItemView::NoEditTriggers);

  QCOMPARE(ui_->SaveDialog1->Filter, std::string(EnumSaveDialogFilter));
  QCOMPARE(ui_->OpenDialog1->Filter, std::string(OpenDialogFilter));

  // The preview's own controls come last.
  const QList<QWidget*> expected =
      QList<QWidget*>{ui_->Edit1,    ui_->Outside, ui_->Prefix,  ui_->Edit2,       ui_->NameGrid,
                      ui_->OKButton, ui_->Button1, ui_->FileBox, ui_->SeparateBox, ui_->ModernBox} +
      ui_->Preview->FocusOrder();
  const FocusWalk walk = WalkFocusChain(form_, expected);
  QCOMPARE(walk.Order, expected);
  QCOMPARE(walk.FirstStop, ui_->Edit1);
  // It fits a screen of 960 by 540 logical pixels (1920 by 1080 at 200 %), frame included.
  QVERIFY(form_->minimumSizeHint().width() <= 940);
  QVERIFY(form_->minimumSizeHint().height() <= 500);
  const MnemonicCheck mnemonics = CheckMnemonics(form_);
  QCOMPARE(mnemonics.Clashes, QStringList());
  QCOMPARE(mnemonics.Missing, QStringList());
}

void GenEnumDialogTest::setStyleShowsAndClearsSeparateBox() {
  ui_->Edit1->setText("Kept");
  for (const EnumerationStyle style :
       {EnumerationStyle::EnumerationClass, EnumerationStyle::PlainEnumeration}) {
    ui_->SeparateBox->setChecked(true);
    ui_->SeparateBox->hide();
    form_->SetStyle(style);
    QCOMPARE(form_->Style(), style);
    QVERIFY(ui_->SeparateBox->isVisibleTo(form_));
    QVERIFY(!ui_->SeparateBox->isChecked());
    QCOMPARE(ui_->Edit1->text(), QString("Kept"));
  }
}

void GenEnumDialogTest::activatorSetsHeadings() {
  ui_->NameGrid->setHorizontalHeaderItem(0, new QTableWidgetItem("x"));
  ui_->NameGrid->setHorizontalHeaderItem(1, new QTableWidgetItem("y"));
  form_->show();
  form_->activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(form_));
  QCOMPARE(ui_->NameGrid->horizontalHeaderItem(0)->text(), QString("Name"));
  QCOMPARE(ui_->NameGrid->horizontalHeaderItem(1)->text(), QString("Value"));
}

void GenEnumDialogTest::exitedSuggestsPrefix_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("prefix");
  QTest::newRow("capitals") << "TrafficLight"
                            << "TL";
  QTest::newRow("empty keeps prefix") << ""
                                      << "ZD";
  QTest::newRow("short word") << "car"
                              << "CAR";
  QTest::newRow("raw text, blanks kept") << "  car"
                                         << "  CAR";
}

void GenEnumDialogTest::exitedSuggestsPrefix() {
  QFETCH(QString, typed);
  QFETCH(QString, prefix);
  ui_->Edit1->setText(typed);
  // Leaving the window does not count as leaving the box.
  QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(ui_->Edit1, &deactivated);
  QCOMPARE(ui_->Edit2->text(), QString("ZD"));
  QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(ui_->Edit1, &left);
  QCOMPARE(ui_->Edit2->text(), prefix);
}

void GenEnumDialogTest::okWithoutFileHandsOverTheText_data() {
  QTest::addColumn<int>("style");
  QTest::newRow("plain") << int(EnumerationStyle::PlainEnumeration);
  QTest::newRow("class") << int(EnumerationStyle::EnumerationClass);
  // The dialog's own choice, whichever style opened it.
  QTest::newRow("enum class") << int(EnumerationStyle::ModernEnumeration);
}

// Opens the dialog in the style, ticking "Modern C++ (enum class)" for the enum class style.
void OpenInStyle(TGenEnumForm& form, EnumerationStyle style) {
  const bool modern = style == EnumerationStyle::ModernEnumeration;
  form.SetStyle(modern ? EnumerationStyle::EnumerationClass : style);
  UiOf(form).ModernBox->setChecked(modern);
  if (!modern) return;
  // The enum class style starts without sentinels and prefix; the other style keeps its ticks.
  QVERIFY(!UiOf(form).Outside->isChecked() && !UiOf(form).Prefix->isChecked());
  UiOf(form).ModernBox->setChecked(false);
  QVERIFY(UiOf(form).Outside->isChecked() && UiOf(form).Prefix->isChecked());
  // The enum class keys are there for that style only.
  for (const QCheckBox* box :
       {UiOf(form).FlagsBox, UiOf(form).CaseBox, UiOf(form).FormatterBox, UiOf(form).JsonBox})
    QVERIFY(!box->isEnabled());
  UiOf(form).ModernBox->setChecked(true);
  for (const QCheckBox* box :
       {UiOf(form).FlagsBox, UiOf(form).CaseBox, UiOf(form).FormatterBox, UiOf(form).JsonBox})
    QVERIFY(box->isEnabled());
  UiOf(form).Outside->setChecked(true);
  UiOf(form).Prefix->setChecked(true);  // the requests of these tests have both
}

void GenEnumDialogTest::okWithoutFileHandsOverTheText() {
  QFETCH(int, style);
  OpenInStyle(*form_, EnumerationStyle(style));
  form_->show();
  TypeColor(*form_);
  ui_->FileBox->setChecked(false);
  ui_->Outside->setChecked(false);

  ui_->OKButton->click();

  EnumerationRequest request = ColorRequest(EnumerationStyle(style));
  request.FirstAndLast = false;
  const EnumerationOutput expected = Output(request);
  QCOMPARE(receiver_->Calls.size(), std::size_t(1));
  QCOMPARE(receiver_->Calls[0].TypeName, std::string("Color"));
  QCOMPARE(receiver_->Calls[0].Text, expected.Texts.Text);
  QVERIFY(services_->Showings.empty());
  QVERIFY(services_->Messages.empty());

  // Reset: texts and grid emptied, check boxes as they were, dialog hidden.
  QVERIFY(!form_->isVisible());
  QCOMPARE(ui_->Edit1->text(), QString());
  QCOMPARE(ui_->Edit2->text(), QString());
  QVERIFY(GridEmpty(ui_->NameGrid));
  QVERIFY(!ui_->Outside->isChecked());
  QVERIFY(ui_->Prefix->isChecked());
  QCOMPARE(ui_->NameGrid->rowCount(), NameGridRows);
  QCOMPARE(ui_->NameGrid->horizontalHeaderItem(0)->text(), QString("Name"));

  // A second OK hands over a second text (the empty prefix now applies).
  form_->show();
  ui_->Edit1->setText("Size");
  SetCell(ui_->NameGrid, 1, 0, "Small");
  QVERIFY(form_->GenerateEnumeration());
  QCOMPARE(receiver_->Calls.size(), std::size_t(2));
  QCOMPARE(receiver_->Calls[1].TypeName, std::string("Size"));
  QVERIFY(QString::fromStdString(receiver_->Calls[1].Text).contains("Small"));
  QVERIFY(!QString::fromStdString(receiver_->Calls[1].Text).contains("ZDSmall"));
}

void GenEnumDialogTest::okWithFileWritesAndHandsOverInclude_data() {
  okWithoutFileHandsOverTheText_data();
}

void GenEnumDialogTest::okWithFileWritesAndHandsOverInclude() {
  QFETCH(int, style);
  OpenInStyle(*form_, EnumerationStyle(style));
  form_->show();
  TypeColor(*form_);
  ui_->SeparateBox->setChecked(true);
  const std::string chosen = Path(style == 0 ? "PlainColor.h" : "ClassColor.h");
  const bool modern = EnumerationStyle(style) == EnumerationStyle::ModernEnumeration;
  services_->SaveAnswers.push_back(chosen);

  QVERIFY(form_->GenerateEnumeration());

  QCOMPARE(services_->Showings.size(), std::size_t(1));
  QCOMPARE(services_->Showings[0].Kind, std::string("save"));
  QCOMPARE(services_->Showings[0].FileName, std::string("Color.h"));
  QCOMPARE(services_->Showings[0].FilterIndex, 1);
  QVERIFY(services_->Questions.empty());

  EnumerationRequest request = ColorRequest(EnumerationStyle(style));
  request.SeparateFile = true;
  request.OutputPath = chosen;
  const EnumerationOutput expected = Output(request);
  QCOMPARE(expected.Files.size(), std::size_t(modern ? 1 : 2));
  for (const OutputFile& file : expected.Files) QCOMPARE(ReadFile(file.Path), file.Text);
  QCOMPARE(receiver_->Calls.size(), std::size_t(1));
  QCOMPARE(receiver_->Calls[0].TypeName, std::string("Color"));
  QCOMPARE(receiver_->Calls[0].Text, expected.HandOver());
  QCOMPARE(receiver_->Calls[0].Text == IncludeLine(chosen), !modern);
  QVERIFY(!form_->isVisible());
  QCOMPARE(ui_->Edit1->text(), QString());
  QVERIFY(ui_->SeparateBox->isChecked());
}

void GenEnumDialogTest::cancelledSaveDialogChangesNothing() {
  form_->show();
  TypeColor(*form_);
  ui_->SeparateBox->setChecked(true);
  ui_->FileBox->setChecked(true);
  services_->SaveAnswers.push_back(std::nullopt);

  QVERIFY(!form_->GenerateEnumeration());

  // The list file is not asked for after a cancelled save dialog.
  QCOMPARE(services_->Showings.size(), std::size_t(1));
  QVERIFY(receiver_->Calls.empty());
  QCOMPARE(receiver_->MainWindowShown, 0);
  QVERIFY(form_->isVisible());
  QCOMPARE(ui_->Edit1->text(), QString("  Color "));
  QCOMPARE(ui_->Edit2->text(), QString("ZD"));
  QCOMPARE(Cell(ui_->NameGrid, 2, 1), QString("5"));
}

void GenEnumDialogTest::replaceAnsweredNoWritesNothing() {
  form_->show();
  TypeColor(*form_);
  ui_->SeparateBox->setChecked(true);
  ui_->FileBox->setChecked(true);
  const std::string header = Path("Existing.h");
  const std::string source = Path("Existing.cpp");
  WriteFile(header, "old header");
  services_->SaveAnswers.push_back(header);
  services_->YesNoAnswers.push_back(false);

  QVERIFY(!form_->GenerateEnumeration());

  QCOMPARE(services_->Questions.size(), std::size_t(1));
  QCOMPARE(services_->Questions[0].Text, ReplaceQuestion({header}));
  QCOMPARE(services_->Questions[0].Caption, std::string(ReplaceCaption));
  QCOMPARE(ReadFile(header), std::string("old header"));
  QCOMPARE(Entries(fx_->Folder), QStringList{"Existing.h"});
  QCOMPARE(services_->Showings.size(), std::size_t(1));  // no list file dialog
  QVERIFY(receiver_->Calls.empty());
  QVERIFY(form_->isVisible());
  QCOMPARE(ui_->Edit1->text(), QString("  Color "));

  // Yes replaces both files.
  ui_->FileBox->setChecked(false);
  WriteFile(source, "old source");
  services_->SaveAnswers.push_back(header);
  services_->YesNoAnswers.push_back(true);
  QVERIFY(form_->GenerateEnumeration());
  QCOMPARE(services_->Questions[1].Text, ReplaceQuestion({header, source}));
  QCOMPARE(services_->Questions[1].Owner, form_);
  QVERIFY(ReadFile(header) != "old header");
  QVERIFY(ReadFile(source) != "old source");
  // The replaced files went to the trash first, so the replace can be undone.
  QCOMPARE(services_->Trashed.size(), std::size_t(2));
  QCOMPARE(services_->Trashed[0].Path, header);
  QCOMPARE(services_->Trashed[0].Text, std::string("old header"));
  QCOMPARE(services_->Trashed[1].Path, source);
  QCOMPARE(services_->Trashed[1].Text, std::string("old source"));
}

void GenEnumDialogTest::refusedRequestShowsMessageAndKeepsInput_data() {
  QTest::addColumn<int>("style");
  QTest::addColumn<bool>("sentinels");
  QTest::addColumn<QString>("name");   // in row 4; none without a value
  QTest::addColumn<QString>("value");  // of the name in row 4
  QTest::addColumn<int>("column");     // of the refused cell
  QTest::addColumn<QString>("message");
  const int plain = int(EnumerationStyle::PlainEnumeration);
  const int enumClass = int(EnumerationStyle::EnumerationClass);
  const int modern = int(EnumerationStyle::ModernEnumeration);
  QTest::newRow("value 12a") << plain << false << "Red"
                             << "12a" << 1 << "The value \"12a\" in row 4 is not a whole number.";
  QTest::newRow("no name") << modern << false << "a-b"
                           << "" << 0 << "row 4: \"ZDa-b\" is not a name";
  QTest::newRow("empty class") << enumClass << false << QString() << QString() << 0
                               << "An enumeration class needs at least one name.";
  QTest::newRow("empty plain") << plain << false << QString() << QString() << 0
                               << "The enumeration has no names.";
  QTest::newRow("only sentinels") << enumClass << true << QString() << QString() << 0
                                  << "The enumeration has no names.";
}

void GenEnumDialogTest::refusedRequestShowsMessageAndKeepsInput() {
  QFETCH(int, style);
  QFETCH(bool, sentinels);
  QFETCH(QString, name);
  QFETCH(QString, value);
  QFETCH(int, column);
  QFETCH(QString, message);
  form_->SetStyle(EnumerationStyle(style));
  form_->show();
  ui_->Edit1->setText("Color");
  ui_->Outside->setChecked(sentinels);
  if (!name.isNull()) {
    SetCell(ui_->NameGrid, 4, 0, name);
    SetCell(ui_->NameGrid, 4, 1, value);
  }
  ui_->OKButton->setFocus();

  QVERIFY(!form_->GenerateEnumeration());

  QCOMPARE(services_->Messages.size(), std::size_t(1));
  QCOMPARE(QString::fromStdString(services_->Messages[0].Text), message);
  QCOMPARE(services_->Messages[0].Caption, std::string("Error"));
  QVERIFY(receiver_->Calls.empty());
  QVERIFY(form_->isVisible());
  QCOMPARE(ui_->Edit1->text(), QString("Color"));
  QCOMPARE(Page(*form_, "Text"), message);
  if (name.isNull()) return;
  // The refused cell takes the focus, in the row the message names.
  QCOMPARE(Cell(ui_->NameGrid, 4, column), column == 0 ? name : value);
  QCOMPARE(form_->focusWidget(), ui_->NameGrid);
  QCOMPARE(ui_->NameGrid->currentRow(), 3);
  QCOMPARE(ui_->NameGrid->currentColumn(), column);
  QVERIFY(ui_->NameGrid->verticalHeader()->isVisible());
  QCOMPARE(ui_->NameGrid->model()->headerData(3, Qt::Vertical).toString(), QString("4"));
}

void GenEnumDialogTest::collectingTwiceAsks_data() {
  QTest::addColumn<bool>("separate");
  QTest::addColumn<bool>("again");
  QTest::newRow("text, No") << false << false;
  QTest::newRow("text, Yes") << false << true;
  QTest::newRow("include line, No") << true << false;
  QTest::newRow("include line, Yes") << true << true;
}

// The same text a second time is handed over only when the user says so; No leaves the dialog as
// it was.
void GenEnumDialogTest::collectingTwiceAsks() {
  QFETCH(bool, separate);
  QFETCH(bool, again);
  ui_->SeparateBox->setChecked(separate);
  form_->show();
  TypeColor(*form_);
  if (separate) services_->SaveAnswers.push_back(Path("Color.h"));
  QVERIFY(form_->GenerateEnumeration());
  QVERIFY(services_->Questions.empty());

  form_->show();
  TypeColor(*form_);
  ui_->Edit2->setText("ZD");  // OK emptied it
  // The files written first are the text generated now: nothing asks about replacing them.
  if (separate) services_->SaveAnswers.push_back(Path("Color.h"));
  services_->YesNoAnswers.push_back(again);
  QCOMPARE(form_->GenerateEnumeration(), again);

  QCOMPARE(QString::fromStdString(services_->Questions.back().Text),
           QString("This enumeration is already collected. Collect it again?"));
  QCOMPARE(services_->Questions.back().Owner, form_);
  QCOMPARE(receiver_->Calls.size(), std::size_t(again ? 2 : 1));
  QCOMPARE(receiver_->Calls.back().Text, receiver_->Calls.front().Text);
  QCOMPARE(form_->isVisible(), !again);
  QCOMPARE(ui_->Edit1->text(), QString(again ? "" : "  Color "));
}

void GenEnumDialogTest::failedWriteKeepsInputAndHandsNothingOver() {
  form_->show();
  TypeColor(*form_);
  ui_->SeparateBox->setChecked(true);
  services_->SaveAnswers.push_back(Path("no-such-folder/Color.h"));

  QVERIFY(!form_->GenerateEnumeration());

  QCOMPARE(services_->Messages.size(), std::size_t(2));  // header and source
  for (const auto& message : services_->Messages) {
    QCOMPARE(message.Caption, std::string("Error"));
    QCOMPARE(message.Owner, form_);
    QVERIFY(QString::fromStdString(message.Text).contains("no-such-folder/Color."));
  }
  QVERIFY(receiver_->Calls.empty());
  QVERIFY(form_->isVisible());
  QCOMPARE(ui_->Edit1->text(), QString("  Color "));
}

void GenEnumDialogTest::listFileWithCommittedRetry() {
  form_->show();
  ui_->Edit1->setText("Color");
  SetCell(ui_->NameGrid, 1, 0, "NotRead");
  ui_->FileBox->setChecked(true);
  const std::string listPath = Path("colors.txt");
  WriteFile(listPath, "Red Green\n# a comment Grey\nBlue\n/ Yellow\n");
  services_->OpenAnswers.push_back(Path("missing.txt"));
  services_->OpenAnswers.push_back(listPath);

  QVERIFY(form_->GenerateEnumeration());

  QCOMPARE(services_->Showings.size(), std::size_t(2));
  QCOMPARE(services_->Showings[0].Kind, std::string("open"));
  QCOMPARE(services_->Showings[0].Title, std::string(ListFileTitle));
  QCOMPARE(services_->Showings[0].FilterIndex, 1);
  QCOMPARE(services_->Showings[1].Title, std::string(CommittedListFileTitle));
  EnumerationRequest request;
  request.TypeName = "Color";
  request.FromFile = true;
  request.GridRows[0] = {"NotRead", ""};
  const EnumerationOutput expected = Output(request, listPath);
  QCOMPARE(expected.Texts.Count, std::size_t(5));  // sentinels, Red, Green, Blue
  QCOMPARE(receiver_->Calls.size(), std::size_t(1));
  QCOMPARE(receiver_->Calls[0].Text, expected.Texts.Text);
  QVERIFY(!QString::fromStdString(receiver_->Calls[0].Text).contains("NotRead"));
}

void GenEnumDialogTest::unreadableListFileIsReported_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("FIFO") << "fifo";
  QTest::newRow("folder") << "folder";
  QTest::newRow("device") << "device";
}

// OK never waits on a list file that cannot be read: it names it and why in a box of the dialog
// and asks again. The preview never asks for a file: it shows the list read last, read again once
// it changed on disk, and kept when it is gone.
void GenEnumDialogTest::unreadableListFileIsReported() {
  QFETCH(QString, kind);
  std::string unreadable = "/dev/zero";
  if (kind == "fifo") {
    unreadable = Path("names.txt");
    QCOMPARE(mkfifo(unreadable.c_str(), 0600), 0);
  } else if (kind == "folder") {
    unreadable = Path("");
  }
  const std::string listPath = Path("colors.txt");
  WriteFile(listPath, "Red Green\n");
  form_->show();
  ui_->Edit1->setText("Color");
  ui_->FileBox->setChecked(true);
  services_->OpenAnswers = {unreadable, listPath};

  QVERIFY(form_->GenerateEnumeration());

  QCOMPARE(services_->Messages.size(), std::size_t(1));
  QCOMPARE(services_->Messages[0].Owner, form_);
  QCOMPARE(services_->Messages[0].Caption, std::string("Error"));
  const QString message = QString::fromStdString(services_->Messages[0].Text);
  QVERIFY2(message.startsWith(QString::fromStdString(unreadable) + ": could not be read: "),
           qPrintable(message));
  QCOMPARE(services_->Showings.size(), std::size_t(2));
  QCOMPARE(services_->Showings[1].Title, std::string(CommittedListFileTitle));
  QCOMPARE(receiver_->Calls.size(), std::size_t(1));
  QVERIFY(QString::fromStdString(receiver_->Calls[0].Text).contains("ZDGreen"));

  form_->show();
  ui_->Edit2->setText("ZD");
  QVERIFY(Page(*form_, "Text").contains("ZDGreen"));
  WriteFile(listPath, "Cyan\n");
  QTRY_VERIFY(Page(*form_, "Text").contains("ZDCyan"));
  QVERIFY(!Page(*form_, "Text").contains("Green"));
  QVERIFY(QFile::remove(QString::fromStdString(listPath)));
  QVERIFY(Page(*form_, "Text").contains("ZDCyan"));
  QCOMPARE(services_->Showings.size(), std::size_t(2));
  QCOMPARE(services_->Messages.size(), std::size_t(1));
}

void GenEnumDialogTest::cancelAndFrameCloseShowMainWindow_data() {
  QTest::addColumn<bool>("byFrame");
  QTest::newRow("Cancel button") << false;
  QTest::newRow("window frame") << true;
}

void GenEnumDialogTest::cancelAndFrameCloseShowMainWindow() {
  QFETCH(bool, byFrame);
  form_->show();
  TypeColor(*form_);
  ui_->Edit2->setText("CL");

  if (byFrame)
    QVERIFY(form_->close());
  else
    ui_->Button1->click();

  QCOMPARE(receiver_->MainWindowShown, 1);
  QVERIFY(receiver_->Calls.empty());
  QVERIFY(!form_->isVisible());
  QCOMPARE(ui_->Edit1->text(), QString("  Color "));
  QCOMPARE(ui_->Edit2->text(), QString("CL"));
  QCOMPARE(Cell(ui_->NameGrid, 4, 0), QString("Blue"));
}

void GenEnumDialogTest::previewIsTheHandOverText_data() {
  QTest::addColumn<int>("style");
  QTest::addColumn<bool>("firstAndLast");
  QTest::addColumn<QString>("prefix");
  QTest::newRow("plain, sentinels") << int(EnumerationStyle::PlainEnumeration) << true << "ZD";
  QTest::newRow("plain, no prefix") << int(EnumerationStyle::PlainEnumeration) << false << "";
  QTest::newRow("class, sentinels") << int(EnumerationStyle::EnumerationClass) << true << "CL";
  QTest::newRow("class, no sentinels") << int(EnumerationStyle::EnumerationClass) << false << "X";
}

void GenEnumDialogTest::previewIsTheHandOverText() {
  QFETCH(int, style);
  QFETCH(bool, firstAndLast);
  QFETCH(QString, prefix);
  form_->SetStyle(EnumerationStyle(style));
  form_->show();
  TypeColor(*form_);
  ui_->Outside->setChecked(firstAndLast);
  ui_->Edit2->setText(prefix);
  const QString preview = Page(*form_, "Text");
  QCOMPARE(ShownTabs(*form_), QString("Text"));
  const int made = ui_->Preview->Generations();

  ui_->OKButton->click();

  QCOMPARE(receiver_->Calls.size(), std::size_t(1));
  QCOMPARE(preview, QString::fromStdString(receiver_->Calls[0].Text));
  QVERIFY(services_->Showings.empty());
  // Nothing is previewed for the dialog now closed until it shows again.
  QTest::qWait(20);
  QCOMPARE(ui_->Preview->Generations(), made);
  // The emptied dialog previews an empty list, not the one just handed over.
  QVERIFY(!Page(*form_, "Text").contains("Green"));
}

void GenEnumDialogTest::previewFollowsGridTyping() {
  form_->show();
  QVERIFY(QTest::qWaitForWindowExposed(form_));
  ui_->Edit1->setText("Color");
  SetCell(ui_->NameGrid, 1, 0, "Red");
  QVERIFY(Page(*form_, "Text").contains("ZDRed"));

  // Typing into a cell shows at once, before the editor is closed, and keeps the cursor.
  ui_->NameGrid->setCurrentCell(1, 0);
  ui_->NameGrid->editItem(ui_->NameGrid->item(1, 0));
  auto* editor = ui_->NameGrid->viewport()->findChild<QLineEdit*>();
  QVERIFY(editor != nullptr);
  QTest::keyClicks(editor, "Bu");
  QTest::keyClick(editor, Qt::Key_Left);
  QTest::keyClicks(editor, "l");
  QCOMPARE(editor->text(), QString("Blu"));
  // The editor took the focus from the type name, whose prefix proposal is now in Edit2.
  const QString prefixed = ui_->Edit2->text() + "Blu";
  QVERIFY(Page(*form_, "Text").contains(prefixed));

  // The value cell and the check boxes count too.
  SetCell(ui_->NameGrid, 2, 1, "7");
  QVERIFY(Page(*form_, "Text").contains(prefixed + " = 7"));
  ui_->Prefix->setChecked(false);
  QVERIFY(!Page(*form_, "Text").contains(prefixed));
}

void GenEnumDialogTest::previewShowsBothFilesWhenSeparate() {
  for (const EnumerationStyle style :
       {EnumerationStyle::PlainEnumeration, EnumerationStyle::EnumerationClass}) {
    form_->SetStyle(style);
    TypeColor(*form_);
    ui_->SeparateBox->setChecked(true);
    QCOMPARE(ShownTabs(*form_), QString("Header,Source"));

    EnumerationRequest request = ColorRequest(style);
    request.SeparateFile = true;
    request.OutputPath = "Color.h";
    const EnumerationOutput expected = Output(request);
    QCOMPARE(Page(*form_, "Header"), QString::fromStdString(expected.Files[0].Text));
    QCOMPARE(Page(*form_, "Source"), QString::fromStdString(expected.Files[1].Text));
    QVERIFY(!QFile::exists("Color.h") && !QFile::exists("Color.cpp"));
  }
  QVERIFY(services_->Showings.empty());
  ui_->SeparateBox->setChecked(false);
  QCOMPARE(ShownTabs(*form_), QString("Text"));
}

void GenEnumDialogTest::previewOfListFileAndRefusal() {
  ui_->Edit1->setText("Color");
  SetCell(ui_->NameGrid, 1, 0, "Red");
  SetCell(ui_->NameGrid, 1, 1, "12a");
  EnumerationRequest request;
  request.TypeName = "Color";
  request.GridRows[0] = {"Red", "12a"};
  QCOMPARE(Page(*form_, "Text"),
           QString::fromStdString(std::get<Refusal>(Composed(request)).Message));

  // No list file chosen yet: a note, and no dialog is shown for the preview.
  ui_->FileBox->setChecked(true);
  const QString note = Page(*form_, "Text");
  QVERIFY(note.contains("list file"));
  QVERIFY(!note.contains("enum"));
  QVERIFY(services_->Showings.empty());

  const std::string listPath = Path("preview.txt");
  WriteFile(listPath, "Cyan Magenta\n# skipped\n");
  services_->OpenAnswers.push_back(listPath);
  QVERIFY(form_->ChooseListFile());
  ui_->Outside->setChecked(false);
  request.FromFile = true;
  request.FirstAndLast = false;
  QCOMPARE(Page(*form_, "Text"), QString::fromStdString(Output(request, listPath).HandOver()));
  QCOMPARE(services_->Showings.size(), std::size_t(1));

  // A cancelled choosing keeps no file.
  QVERIFY(!form_->ChooseListFile());
  QCOMPARE(Page(*form_, "Text"), note);
}

void GenEnumDialogTest::copyButtonCopiesShownText() {
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_));
  TypeColor(*form_);
  ui_->Preview->CopyButton->click();
  QCOMPARE(QGuiApplication::clipboard()->text(), Page(*form_, "Text"));

  ui_->SeparateBox->setChecked(true);
  ui_->Edit1->setFocus();
  QGuiApplication::clipboard()->clear();
  ui_->Preview->ShowPage(1);
  QTest::keyClick(ui_->Edit1, Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
  QCOMPARE(QGuiApplication::clipboard()->text(), Page(*form_, "Source"));
}

namespace {

void Press(int key, int modifiers = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
}

// The control that has the focus, counting a cell's editor as the grid and the preview's parts as
// the preview.
QWidget* FocusedControl(const TGenEnumForm& form) {
  QWidget* focus = QApplication::focusWidget();
  for (QWidget* part :
       {static_cast<QWidget*>(UiOf(form).NameGrid), static_cast<QWidget*>(UiOf(form).Preview)})
    if (focus != nullptr && part->isAncestorOf(focus)) return part;
  return focus;
}

}  // namespace

// From the type name, where every showing starts, round the window and back, forwards and
// backwards; Tab moves between the grid's cells, Ctrl+Tab leaves the grid.
void GenEnumDialogTest::keyboardWalk_data() {
  QTest::addColumn<bool>("forward");
  QTest::newRow("Tab") << true;
  QTest::newRow("Shift+Tab") << false;
}

void GenEnumDialogTest::keyboardWalk() {
  QFETCH(bool, forward);
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_));
  QCOMPARE(QApplication::focusWidget(), ui_->Edit1);
  QList<QWidget*> round{ui_->Outside,   ui_->Prefix,  ui_->Edit2,   ui_->NameGrid,
                        ui_->OKButton,  ui_->Button1, ui_->FileBox, ui_->SeparateBox,
                        ui_->ModernBox, ui_->Preview, ui_->Edit1};
  if (!forward) {
    std::reverse(round.begin(), round.end());
    round.removeFirst();
    round.append(ui_->Edit1);
  }
  const int tab = forward ? int(Qt::Key_Tab) : int(Qt::Key_Backtab);
  const int shift = forward ? int(Qt::NoModifier) : int(Qt::ShiftModifier);
  for (QWidget* next : round) {
    QWidget* from = FocusedControl(*form_);
    if (from == ui_->NameGrid) {
      // Tab stays among the cells.
      const int cell = ui_->NameGrid->currentRow() * 2 + ui_->NameGrid->currentColumn();
      Press(tab, shift);
      QCOMPARE(FocusedControl(*form_), ui_->NameGrid);
      QVERIFY(ui_->NameGrid->currentRow() * 2 + ui_->NameGrid->currentColumn() != cell);
      Press(tab, shift | Qt::ControlModifier);
    } else {
      Press(tab, shift);
      // The preview's own stops come one after the other.
      while (FocusedControl(*form_) == ui_->Preview && next != ui_->Preview) Press(tab, shift);
    }
    QVERIFY2(FocusedControl(*form_) == next,
             qPrintable(QString("after %1").arg(from ? from->metaObject()->className() : "none")));
  }
}

// Escape cancels unless a cell is open, where it gives the cell back its text; Enter presses the
// focused button, and OK from any other control but the grid, where it ends a cell's edit.
void GenEnumDialogTest::escapeAndEnter_data() {
  QTest::addColumn<QString>("where");
  QTest::addColumn<int>("key");
  QTest::addColumn<QString>("outcome");  // "ok", "cancel" or "stays"
  const int escape = Qt::Key_Escape;
  const int enter = Qt::Key_Return;
  QTest::newRow("Escape in Type Name") << "type name" << escape << "cancel";
  QTest::newRow("Escape on a check box") << "check box" << escape << "cancel";
  QTest::newRow("Escape in an open cell") << "open cell" << escape << "stays";
  QTest::newRow("Escape in the grid") << "grid" << escape << "cancel";
  QTest::newRow("Enter in Type Name") << "type name" << enter << "ok";
  QTest::newRow("keypad Enter on a check box") << "check box" << int(Qt::Key_Enter) << "ok";
  QTest::newRow("Enter on Cancel") << "Cancel" << enter << "cancel";
  QTest::newRow("Enter on OK") << "OK" << enter << "ok";
  QTest::newRow("Enter in an open cell") << "open cell" << enter << "stays";
}

void GenEnumDialogTest::escapeAndEnter() {
  QFETCH(QString, where);
  QFETCH(int, key);
  QFETCH(QString, outcome);
  form_->show();
  QVERIFY(QTest::qWaitForWindowActive(form_));
  ui_->Edit1->setText("Color");
  SetCell(ui_->NameGrid, 1, 0, "Red");
  if (where == "check box") ui_->Outside->setFocus();
  if (where == "Cancel") ui_->Button1->setFocus();
  if (where == "OK") ui_->OKButton->setFocus();
  if (where == "grid" || where == "open cell") {
    ui_->NameGrid->setFocus();
    ui_->NameGrid->setCurrentCell(0, 0);
    if (where == "grid") Press(Qt::Key_Escape);  // a cell opened by moving into it closes
    if (where == "open cell") Press(Qt::Key_B);
  }

  Press(key);

  QCOMPARE(receiver_->Calls.size(), std::size_t(outcome == "ok" ? 1 : 0));
  QCOMPARE(receiver_->MainWindowShown, outcome == "cancel" ? 1 : 0);
  QCOMPARE(form_->isVisible(), outcome == "stays");
  if (where == "open cell")
    QTRY_COMPARE(Cell(ui_->NameGrid, 1, 0), QString(key == Qt::Key_Escape ? "Red" : "b"));
}

void GenEnumDialogTest::everyShowingStartsInTypeName() {
  // The main window takes turns with the dialog, as OK and Cancel show it again.
  QWidget mainWindow;
  auto bringToFront = [](QWidget* window) {
    window->show();
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
  };
  for (const char* closing : {"Cancel", "OK", "frame", "none"}) {
    QVERIFY(bringToFront(form_));
    QVERIFY2(QApplication::focusWidget() == ui_->Edit1, closing);
    if (QString(closing) == "none") break;
    ui_->Edit1->setText("Color");
    SetCell(ui_->NameGrid, 1, 0, "Red");
    ui_->FileBox->setFocus();
    if (QString(closing) == "Cancel") ui_->Button1->click();
    if (QString(closing) == "OK") ui_->OKButton->click();
    if (QString(closing) == "frame") form_->close();
    QVERIFY(!form_->isVisible());
    QVERIFY(bringToFront(&mainWindow));
  }
}

void GenEnumDialogTest::finishedTellsWhatWasDone() {
  QSignalSpy finished(form_, &TGenEnumForm::Finished);
  TypeColor(*form_);
  QVERIFY(form_->GenerateEnumeration());
  TypeColor(*form_);
  ui_->SeparateBox->setChecked(true);
  services_->SaveAnswers.push_back(Path("Color.h"));
  QVERIFY(form_->GenerateEnumeration());
  services_->SaveAnswers.push_back(std::nullopt);
  QVERIFY(!form_->GenerateEnumeration());

  QCOMPARE(finished.size(), 2);
  QCOMPARE(finished[0][0].toString(),
           QString("Color collected: Build writes it into every later class header and Java file"));
  QCOMPARE(finished[0][1].toString(), QString());
  const QString folder = QString::fromStdString(Path(""));
  QCOMPARE(finished[1][0].toString(),
           "Wrote Color.h and Color.cpp in " + QDir(folder).absolutePath());
  QCOMPARE(finished[1][1].toString(), QDir(folder).absolutePath());
}

// The text handed over is code; what the preview says instead of code is a note.
void GenEnumDialogTest::previewColoursCodeNotNotes() {
  auto shownLanguage = [this](int page) {
    ui_->Preview->ShowPage(page);
    return ui_->Preview->ShownView()->Language();
  };
  TypeColor(*form_);
  QCOMPARE(shownLanguage(0), CodeLanguage::Cpp);
  ui_->FileBox->setChecked(true);
  QCOMPARE(shownLanguage(0), std::nullopt);
}

QTEST_MAIN(GenEnumDialogTest)
#include "genenum_dialog_test.moc"
