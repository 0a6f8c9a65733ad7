#include <QCheckBox>
#include <QClipboard>
#include <QFocusEvent>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>
#include <fstream>
#include <sstream>
#include <variant>

#include <sys/stat.h>

#include "core/output_text.h"
#include "enumgen/enumeration_writers.h"
#include "enumgen/genenum.h"
#include "shell/enumeration_receiver.h"
#include "tests/support/fake_services.h"

using namespace zandrel;
using zandrel::testing::FakeServices;

namespace {

struct RecordingReceiver : EnumerationReceiver {
  struct Accepted {
    std::string TypeName;
    std::string Text;
  };
  std::vector<Accepted> Calls;
  int MainWindowShown = 0;

  void AcceptEnumeration(const std::string& typeName, const std::string& text) override {
    Calls.push_back({typeName, text});
  }
  void ShowMainWindow() override { ++MainWindowShown; }
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

void WriteFile(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

void SetCell(TGenEnumForm& form, int row, int column, const QString& text) {
  form.NameGrid->setItem(row, column, new QTableWidgetItem(text));
}

bool GridEmpty(const TGenEnumForm& form) {
  for (int row = 0; row < form.NameGrid->rowCount(); ++row)
    for (int column = 0; column < 2; ++column)
      if (const auto* item = form.NameGrid->item(row, column); item && !item->text().isEmpty())
        return false;
  return true;
}

// A dialog the expected texts are computed with; it answers the list file with a fixed path.
class FixedDialog : public FileDialog {
 public:
  explicit FixedDialog(std::string answer) : answer_(std::move(answer)) {}
  bool Execute() override {
    if (answer_.empty()) return false;
    FileName = answer_;
    return true;
  }

 private:
  std::string answer_;
};

// The request the dialog is expected to read for the input the tests type.
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
  form.Edit1->setText("  Color ");
  SetCell(form, 0, 0, "Red");
  SetCell(form, 1, 0, "Green");
  SetCell(form, 1, 1, "5");
  SetCell(form, 3, 0, "Blue");
}

EnumerationList ListOf(const EnumerationRequest& request, const std::string& listPath = {}) {
  FixedDialog dialog(listPath);
  return std::get<EnumerationList>(BuildEnumerationList(request, dialog));
}

QString Page(const TGenEnumForm& form, const char* name) {
  return form.findChild<QPlainTextEdit*>(name)->toPlainText();
}

QString ShownTabs(const TGenEnumForm& form) {
  const auto* tabs = form.findChild<QTabWidget*>("PreviewTabs");
  QStringList names;
  for (int i = 0; i < tabs->count(); ++i) names << tabs->tabText(i);
  return names.join(",");
}

}  // namespace

class GenEnumDialogTest : public QObject {
  Q_OBJECT

 private slots:
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

 private:
  QTemporaryDir dir_;
  std::string Path(const char* name) const { return dir_.filePath(name).toStdString(); }
};

void GenEnumDialogTest::controlsDefaultsAndTabOrder() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);

  QCOMPARE(form.windowTitle(), QString("Generate Enumeration"));
  QVERIFY(form.isWindow());
  QCOMPARE(form.Label2->text(), QString("The value is optional."));
  QCOMPARE(form.Label1->text(), QString("Type Name"));
  QCOMPARE(form.Label3->text(), QString("Prefix"));
  QCOMPARE(form.Edit1->text(), QString());
  QCOMPARE(form.Edit2->text(), QString("ZD"));
  QCOMPARE(form.Outside->text(), QString("Generate first and last enumerations"));
  QCOMPARE(form.Prefix->text(), QString("Apply prefix to all enumation names when saving"));
  QCOMPARE(form.SeparateBox->text(), QString("Save in separate file"));
  QCOMPARE(form.FileBox->text(), QString("Enter from file"));
  QCOMPARE(form.OKButton->text(), QString("OK"));
  QCOMPARE(form.Button1->text(), QString("Cancel"));
  QVERIFY(form.Outside->isChecked());
  QVERIFY(form.Prefix->isChecked());
  QVERIFY(!form.SeparateBox->isChecked());
  QVERIFY(!form.FileBox->isChecked());

  QCOMPARE(form.NameGrid->rowCount(), NameGridRows);
  QCOMPARE(form.NameGrid->columnCount(), 2);
  QVERIFY(form.NameGrid->tabKeyNavigation());
  QVERIFY(form.NameGrid->selectionMode() != QAbstractItemView::SingleSelection);
  QVERIFY(form.NameGrid->editTriggers() != QAbstractItemView::NoEditTriggers);

  QCOMPARE(form.SaveDialog1->Filter, std::string(EnumSaveDialogFilter));
  QCOMPARE(form.OpenDialog1->Filter, std::string(OpenDialogFilter));

  const QList<QWidget*> expected = {form.Edit1,   form.Outside,  form.Prefix,
                                    form.Edit2,   form.NameGrid, form.OKButton,
                                    form.Button1, form.FileBox,  form.SeparateBox};
  // The chain as Tab walks it from the window: the first stop is where the focus starts.
  QList<QWidget*> order;
  QWidget* firstStop = nullptr;
  for (QWidget* widget = form.nextInFocusChain(); widget != &form;
       widget = widget->nextInFocusChain()) {
    if (expected.contains(widget)) order.append(widget);
    if (!firstStop && (widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&form))
      firstStop = widget;
  }
  QCOMPARE(order, expected);
  QCOMPARE(firstStop, form.Edit1);
}

void GenEnumDialogTest::setStyleShowsAndClearsSeparateBox() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.Edit1->setText("Kept");
  for (const EnumerationStyle style :
       {EnumerationStyle::EnumerationClass, EnumerationStyle::PlainEnumeration}) {
    form.SeparateBox->setChecked(true);
    form.SeparateBox->hide();
    form.SetStyle(style);
    QCOMPARE(form.Style(), style);
    QVERIFY(form.SeparateBox->isVisibleTo(&form));
    QVERIFY(!form.SeparateBox->isChecked());
    QCOMPARE(form.Edit1->text(), QString("Kept"));
  }
}

void GenEnumDialogTest::activatorSetsHeadings() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.NameGrid->setHorizontalHeaderItem(0, new QTableWidgetItem("x"));
  form.NameGrid->setHorizontalHeaderItem(1, new QTableWidgetItem("y"));
  form.show();
  form.activateWindow();
  QVERIFY(QTest::qWaitForWindowActive(&form));
  QCOMPARE(form.NameGrid->horizontalHeaderItem(0)->text(), QString("Name"));
  QCOMPARE(form.NameGrid->horizontalHeaderItem(1)->text(), QString("Value"));
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
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.Edit1->setText(typed);
  // Leaving the window does not count as leaving the box.
  QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(form.Edit1, &deactivated);
  QCOMPARE(form.Edit2->text(), QString("ZD"));
  QFocusEvent left(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(form.Edit1, &left);
  QCOMPARE(form.Edit2->text(), prefix);
}

void GenEnumDialogTest::okWithoutFileHandsOverTheText_data() {
  QTest::addColumn<int>("style");
  QTest::newRow("plain") << int(EnumerationStyle::PlainEnumeration);
  QTest::newRow("class") << int(EnumerationStyle::EnumerationClass);
}

void GenEnumDialogTest::okWithoutFileHandsOverTheText() {
  QFETCH(int, style);
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.SetStyle(EnumerationStyle(style));
  form.show();
  TypeColor(form);
  form.FileBox->setChecked(false);
  form.Outside->setChecked(false);

  form.OKButton->click();

  EnumerationRequest request = ColorRequest(EnumerationStyle(style));
  request.FirstAndLast = false;
  const EnumerationList list = ListOf(request);
  QCOMPARE(receiver.Calls.size(), std::size_t(1));
  QCOMPARE(receiver.Calls[0].TypeName, std::string("Color"));
  QCOMPARE(receiver.Calls[0].Text, BuildEnumText(request, list) + BuildToStringText(request, list));
  QVERIFY(services.Showings.empty());
  QVERIFY(services.Messages.empty());

  // Reset: texts and grid emptied, check boxes as they were, dialog hidden.
  QVERIFY(!form.isVisible());
  QCOMPARE(form.Edit1->text(), QString());
  QCOMPARE(form.Edit2->text(), QString());
  QVERIFY(GridEmpty(form));
  QVERIFY(!form.Outside->isChecked());
  QVERIFY(form.Prefix->isChecked());
  QCOMPARE(form.NameGrid->rowCount(), NameGridRows);
  QCOMPARE(form.NameGrid->horizontalHeaderItem(0)->text(), QString("Name"));

  // A second OK hands over a second text (the empty prefix now applies).
  form.show();
  form.Edit1->setText("Size");
  SetCell(form, 0, 0, "Small");
  QVERIFY(form.GenerateEnumeration());
  QCOMPARE(receiver.Calls.size(), std::size_t(2));
  QCOMPARE(receiver.Calls[1].TypeName, std::string("Size"));
  QVERIFY(QString::fromStdString(receiver.Calls[1].Text).contains("Small"));
  QVERIFY(!QString::fromStdString(receiver.Calls[1].Text).contains("ZDSmall"));
}

void GenEnumDialogTest::okWithFileWritesAndHandsOverInclude_data() {
  okWithoutFileHandsOverTheText_data();
}

void GenEnumDialogTest::okWithFileWritesAndHandsOverInclude() {
  QFETCH(int, style);
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.SetStyle(EnumerationStyle(style));
  form.show();
  TypeColor(form);
  form.SeparateBox->setChecked(true);
  const std::string chosen = Path(style == 0 ? "PlainColor.h" : "ClassColor.h");
  services.SaveAnswers.push_back(chosen);

  QVERIFY(form.GenerateEnumeration());

  QCOMPARE(services.Showings.size(), std::size_t(1));
  QCOMPARE(services.Showings[0].Kind, std::string("save"));
  QCOMPARE(services.Showings[0].FileName, std::string("Color.h"));
  QCOMPARE(services.Showings[0].FilterIndex, 1);
  QVERIFY(services.Questions.empty());

  EnumerationRequest request = ColorRequest(EnumerationStyle(style));
  request.SeparateFile = true;
  request.OutputPath = chosen;
  const EnumerationList list = ListOf(request);
  const std::string enumText = BuildEnumText(request, list);
  const std::string toStringText = BuildToStringText(request, list);
  const auto files = style == 0 ? PlainEnumerationFiles(request, list, enumText, toStringText)
                                : EnumerationClassFiles(request, list, enumText, toStringText);
  QCOMPARE(files.size(), std::size_t(2));
  for (const EnumerationFile& file : files) QCOMPARE(ReadFile(file.Path), file.Text);
  QCOMPARE(receiver.Calls.size(), std::size_t(1));
  QCOMPARE(receiver.Calls[0].TypeName, std::string("Color"));
  QCOMPARE(receiver.Calls[0].Text, IncludeLine(chosen));
  QVERIFY(!form.isVisible());
  QCOMPARE(form.Edit1->text(), QString());
  QVERIFY(form.SeparateBox->isChecked());
}

void GenEnumDialogTest::cancelledSaveDialogChangesNothing() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.show();
  TypeColor(form);
  form.SeparateBox->setChecked(true);
  form.FileBox->setChecked(true);
  services.SaveAnswers.push_back(std::nullopt);

  QVERIFY(!form.GenerateEnumeration());

  // The list file is not asked for after a cancelled save dialog.
  QCOMPARE(services.Showings.size(), std::size_t(1));
  QVERIFY(receiver.Calls.empty());
  QCOMPARE(receiver.MainWindowShown, 0);
  QVERIFY(form.isVisible());
  QCOMPARE(form.Edit1->text(), QString("  Color "));
  QCOMPARE(form.Edit2->text(), QString("ZD"));
  QCOMPARE(form.NameGrid->item(1, 1)->text(), QString("5"));
}

void GenEnumDialogTest::replaceAnsweredNoWritesNothing() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.show();
  TypeColor(form);
  form.SeparateBox->setChecked(true);
  form.FileBox->setChecked(true);
  const std::string header = Path("Existing.h");
  const std::string source = Path("Existing.cpp");
  WriteFile(header, "old header");
  services.SaveAnswers.push_back(header);
  services.YesNoAnswers.push_back(false);

  QVERIFY(!form.GenerateEnumeration());

  QCOMPARE(services.Questions.size(), std::size_t(1));
  QCOMPARE(services.Questions[0].Text, ReplaceQuestion({header}));
  QCOMPARE(services.Questions[0].Caption, std::string(ReplaceCaption));
  QCOMPARE(ReadFile(header), std::string("old header"));
  QVERIFY(!Exists(source));
  QCOMPARE(services.Showings.size(), std::size_t(1));  // no list file dialog
  QVERIFY(receiver.Calls.empty());
  QVERIFY(form.isVisible());
  QCOMPARE(form.Edit1->text(), QString("  Color "));

  // Yes replaces both files.
  form.FileBox->setChecked(false);
  WriteFile(source, "old source");
  services.SaveAnswers.push_back(header);
  services.YesNoAnswers.push_back(true);
  QVERIFY(form.GenerateEnumeration());
  QCOMPARE(services.Questions[1].Text, ReplaceQuestion({header, source}));
  QCOMPARE(services.Questions[1].Owner, &form);
  QVERIFY(ReadFile(header) != "old header");
  QVERIFY(ReadFile(source) != "old source");
  // The replaced files went to the trash first, so the replace can be undone.
  QCOMPARE(services.Trashed.size(), std::size_t(2));
  QCOMPARE(services.Trashed[0].Path, header);
  QCOMPARE(services.Trashed[0].Text, std::string("old header"));
  QCOMPARE(services.Trashed[1].Path, source);
  QCOMPARE(services.Trashed[1].Text, std::string("old source"));
}

void GenEnumDialogTest::refusedRequestShowsMessageAndKeepsInput_data() {
  QTest::addColumn<int>("style");
  QTest::addColumn<QString>("value");
  QTest::newRow("value 12a") << int(EnumerationStyle::PlainEnumeration) << "12a";
  QTest::newRow("empty class") << int(EnumerationStyle::EnumerationClass) << "";
}

void GenEnumDialogTest::refusedRequestShowsMessageAndKeepsInput() {
  QFETCH(int, style);
  QFETCH(QString, value);
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.SetStyle(EnumerationStyle(style));
  form.show();
  form.Edit1->setText("Color");
  form.Outside->setChecked(false);
  if (!value.isEmpty()) {
    SetCell(form, 0, 0, "Red");
    SetCell(form, 0, 1, value);
  }

  QVERIFY(!form.GenerateEnumeration());

  EnumerationRequest request;
  request.TypeName = "Color";
  request.Style = EnumerationStyle(style);
  request.FirstAndLast = false;
  if (!value.isEmpty()) request.GridRows[0] = {"Red", value.toStdString()};
  FixedDialog dialog("");
  const auto expected = GenerateEnumerationOutput(request, dialog);
  QVERIFY(std::holds_alternative<Refusal>(expected));
  QCOMPARE(services.Messages.size(), std::size_t(1));
  QCOMPARE(services.Messages[0].Text, std::get<Refusal>(expected).Message);
  QCOMPARE(services.Messages[0].Caption, std::string("Error"));
  QVERIFY(receiver.Calls.empty());
  QVERIFY(form.isVisible());
  QCOMPARE(form.Edit1->text(), QString("Color"));
  if (!value.isEmpty()) QCOMPARE(form.NameGrid->item(0, 1)->text(), value);
}

void GenEnumDialogTest::failedWriteKeepsInputAndHandsNothingOver() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.show();
  TypeColor(form);
  form.SeparateBox->setChecked(true);
  services.SaveAnswers.push_back(Path("no-such-folder/Color.h"));

  QVERIFY(!form.GenerateEnumeration());

  QCOMPARE(services.Messages.size(), std::size_t(2));  // header and source
  for (const auto& message : services.Messages) {
    QCOMPARE(message.Caption, std::string("Error"));
    QCOMPARE(message.Owner, &form);
    QVERIFY(QString::fromStdString(message.Text).contains("no-such-folder/Color."));
  }
  QVERIFY(receiver.Calls.empty());
  QVERIFY(form.isVisible());
  QCOMPARE(form.Edit1->text(), QString("  Color "));
}

void GenEnumDialogTest::listFileWithCommittedRetry() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.show();
  form.Edit1->setText("Color");
  SetCell(form, 0, 0, "NotRead");
  form.FileBox->setChecked(true);
  const std::string listPath = Path("colors.txt");
  WriteFile(listPath, "Red Green\n# a comment Grey\nBlue\n/ Yellow\n");
  services.OpenAnswers.push_back(Path("missing.txt"));
  services.OpenAnswers.push_back(listPath);

  QVERIFY(form.GenerateEnumeration());

  QCOMPARE(services.Showings.size(), std::size_t(2));
  QCOMPARE(services.Showings[0].Kind, std::string("open"));
  QCOMPARE(services.Showings[0].Title, std::string(ListFileTitle));
  QCOMPARE(services.Showings[0].FilterIndex, 1);
  QCOMPARE(services.Showings[1].Title, std::string(CommittedListFileTitle));
  EnumerationRequest request;
  request.TypeName = "Color";
  request.FromFile = true;
  request.GridRows[0] = {"NotRead", ""};
  const EnumerationList list = ListOf(request, listPath);
  QCOMPARE(list.Entries.size(), std::size_t(5));  // sentinels, Red, Green, Blue
  QCOMPARE(receiver.Calls.size(), std::size_t(1));
  QCOMPARE(receiver.Calls[0].Text, BuildEnumText(request, list) + BuildToStringText(request, list));
  QVERIFY(!QString::fromStdString(receiver.Calls[0].Text).contains("NotRead"));
}

void GenEnumDialogTest::unreadableListFileIsReported_data() {
  QTest::addColumn<QString>("kind");
  QTest::newRow("FIFO") << "fifo";
  QTest::newRow("folder") << "folder";
  QTest::newRow("device") << "device";
}

// Neither OK nor the preview waits on a list file that cannot be read: OK names it and why in a
// box of the dialog and asks again; the preview says so.
void GenEnumDialogTest::unreadableListFileIsReported() {
  QFETCH(QString, kind);
  QTemporaryDir dir;
  std::string unreadable = "/dev/zero";
  if (kind == "fifo") {
    unreadable = dir.filePath("names.txt").toStdString();
    QCOMPARE(mkfifo(unreadable.c_str(), 0600), 0);
  } else if (kind == "folder") {
    unreadable = dir.path().toStdString();
  }
  const std::string listPath = dir.filePath("colors.txt").toStdString();
  WriteFile(listPath, "Red Green\n");
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.show();
  form.Edit1->setText("Color");
  form.FileBox->setChecked(true);
  services.OpenAnswers = {unreadable, listPath};

  QVERIFY(form.GenerateEnumeration());

  QCOMPARE(services.Messages.size(), std::size_t(1));
  QCOMPARE(services.Messages[0].Owner, &form);
  QCOMPARE(services.Messages[0].Caption, std::string("Error"));
  const QString message = QString::fromStdString(services.Messages[0].Text);
  QVERIFY2(message.startsWith("The file \"" + QString::fromStdString(unreadable) +
                              "\" could not be read: "),
           qPrintable(message));
  QCOMPARE(services.Showings.size(), std::size_t(2));
  QCOMPARE(services.Showings[1].Title, std::string(CommittedListFileTitle));
  QCOMPARE(receiver.Calls.size(), std::size_t(1));
  QVERIFY(QString::fromStdString(receiver.Calls[0].Text).contains("ZDGreen"));

  form.show();
  form.FileBox->setChecked(false);
  form.OpenDialog1->FileName = unreadable;
  form.FileBox->setChecked(true);
  QVERIFY(Page(form, "PreviewText").startsWith(message));
  QCOMPARE(services.Showings.size(), std::size_t(2));
  QCOMPARE(services.Messages.size(), std::size_t(1));
}

void GenEnumDialogTest::cancelAndFrameCloseShowMainWindow_data() {
  QTest::addColumn<bool>("byFrame");
  QTest::newRow("Cancel button") << false;
  QTest::newRow("window frame") << true;
}

void GenEnumDialogTest::cancelAndFrameCloseShowMainWindow() {
  QFETCH(bool, byFrame);
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.show();
  TypeColor(form);
  form.Edit2->setText("CL");

  if (byFrame)
    QVERIFY(form.close());
  else
    form.Button1->click();

  QCOMPARE(receiver.MainWindowShown, 1);
  QVERIFY(receiver.Calls.empty());
  QVERIFY(!form.isVisible());
  QCOMPARE(form.Edit1->text(), QString("  Color "));
  QCOMPARE(form.Edit2->text(), QString("CL"));
  QCOMPARE(form.NameGrid->item(3, 0)->text(), QString("Blue"));
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
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.SetStyle(EnumerationStyle(style));
  form.show();
  TypeColor(form);
  form.Outside->setChecked(firstAndLast);
  form.Edit2->setText(prefix);
  const QString preview = Page(form, "PreviewText");
  QCOMPARE(ShownTabs(form), QString("Text"));

  form.OKButton->click();

  QCOMPARE(receiver.Calls.size(), std::size_t(1));
  QCOMPARE(preview, QString::fromStdString(receiver.Calls[0].Text));
  QVERIFY(services.Showings.empty());
  // The emptied dialog previews an empty list, not the one just handed over.
  QVERIFY(!Page(form, "PreviewText").contains("Green"));
}

void GenEnumDialogTest::previewFollowsGridTyping() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.show();
  QVERIFY(QTest::qWaitForWindowExposed(&form));
  form.Edit1->setText("Color");
  SetCell(form, 0, 0, "Red");
  QVERIFY(Page(form, "PreviewText").contains("ZDRed"));

  // Typing into a cell shows at once, before the editor is closed, and keeps the cursor.
  SetCell(form, 1, 0, "");
  form.NameGrid->setCurrentCell(1, 0);
  form.NameGrid->editItem(form.NameGrid->item(1, 0));
  auto* editor = form.NameGrid->viewport()->findChild<QLineEdit*>();
  QVERIFY(editor != nullptr);
  QTest::keyClicks(editor, "Bu");
  QTest::keyClick(editor, Qt::Key_Left);
  QTest::keyClicks(editor, "l");
  QCOMPARE(editor->text(), QString("Blu"));
  // The editor took the focus from the type name, whose prefix proposal is now in Edit2.
  const QString prefixed = form.Edit2->text() + "Blu";
  QVERIFY(Page(form, "PreviewText").contains(prefixed));

  // The value cell and the check boxes count too.
  SetCell(form, 1, 1, "7");
  QVERIFY(Page(form, "PreviewText").contains(prefixed + " = 7"));
  form.Prefix->setChecked(false);
  QVERIFY(!Page(form, "PreviewText").contains(prefixed));
}

void GenEnumDialogTest::previewShowsBothFilesWhenSeparate() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  for (const EnumerationStyle style :
       {EnumerationStyle::PlainEnumeration, EnumerationStyle::EnumerationClass}) {
    form.SetStyle(style);
    TypeColor(form);
    form.SeparateBox->setChecked(true);
    QCOMPARE(ShownTabs(form), QString("Header,Source"));

    EnumerationRequest request = ColorRequest(style);
    request.SeparateFile = true;
    request.OutputPath = "Color.h";
    const EnumerationList list = ListOf(request);
    const std::string enumText = BuildEnumText(request, list);
    const std::string toStringText = BuildToStringText(request, list);
    const auto files = style == EnumerationStyle::PlainEnumeration
                           ? PlainEnumerationFiles(request, list, enumText, toStringText)
                           : EnumerationClassFiles(request, list, enumText, toStringText);
    QCOMPARE(Page(form, "PreviewHeader"), QString::fromStdString(files[0].Text));
    QCOMPARE(Page(form, "PreviewSource"), QString::fromStdString(files[1].Text));
    QVERIFY(!Exists("Color.h") && !Exists("Color.cpp"));
  }
  QVERIFY(services.Showings.empty());
  form.SeparateBox->setChecked(false);
  QCOMPARE(ShownTabs(form), QString("Text"));
}

void GenEnumDialogTest::previewOfListFileAndRefusal() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  form.Edit1->setText("Color");
  SetCell(form, 0, 0, "Red");
  SetCell(form, 0, 1, "12a");
  EnumerationRequest request;
  request.TypeName = "Color";
  request.GridRows[0] = {"Red", "12a"};
  FixedDialog none("");
  QCOMPARE(
      Page(form, "PreviewText"),
      QString::fromStdString(std::get<Refusal>(GenerateEnumerationOutput(request, none)).Message));

  // No list file chosen yet: a note, and no dialog is shown for the preview.
  form.FileBox->setChecked(true);
  const QString note = Page(form, "PreviewText");
  QVERIFY(note.contains("list file"));
  QVERIFY(!note.contains("enum"));
  QVERIFY(services.Showings.empty());

  const std::string listPath = Path("preview.txt");
  WriteFile(listPath, "Cyan Magenta\n# skipped\n");
  form.OpenDialog1->FileName = listPath;
  form.Outside->setChecked(false);
  request.FromFile = true;
  request.FirstAndLast = false;
  const EnumerationList list = ListOf(request, listPath);
  QCOMPARE(Page(form, "PreviewText"),
           QString::fromStdString(BuildEnumText(request, list) + BuildToStringText(request, list)));
  QVERIFY(services.Showings.empty());
}

void GenEnumDialogTest::copyButtonCopiesShownText() {
  FakeServices services;
  RecordingReceiver receiver;
  TGenEnumForm form(services, receiver);
  TypeColor(form);
  form.findChild<QPushButton*>("CopyButton")->click();
  QCOMPARE(QGuiApplication::clipboard()->text(), Page(form, "PreviewText"));
  QCOMPARE(form.findChild<QPushButton*>("CopyButton")->shortcut(), QKeySequence("Ctrl+Shift+C"));

  form.SeparateBox->setChecked(true);
  form.findChild<QTabWidget*>("PreviewTabs")->setCurrentIndex(1);
  form.findChild<QPushButton*>("CopyButton")->click();
  QCOMPARE(QGuiApplication::clipboard()->text(), Page(form, "PreviewSource"));
}

QTEST_MAIN(GenEnumDialogTest)
#include "genenum_dialog_test.moc"
