#include "enumgen/genenum.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QFileSystemWatcher>
#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QStringList>
#include <QVBoxLayout>
#include <utility>
#include <variant>

#include <sys/stat.h>

#include "core/output_text.h"
#include "core/text.h"
#include "desktop/enumeration_receiver.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "desktop/platform_services.h"
#include "desktop/regenerate_files.h"
#include "enumgen/enumeration_output.h"
#include "enumgen/enumeration_styles.h"

namespace zandrel {

namespace {

constexpr int NameColumn = 0;
constexpr int ValueColumn = 1;

// The dialog's texts in the user's language, as the core takes them. Some are asked for on the
// preview's worker thread, where translating is safe too.
std::string Translated(const char* text) { return TGenEnumForm::tr(text).toStdString(); }

// When the file was last changed, and which file it is: a list file whose stamp changed is read
// again.
FileStamp StampOf(const std::string& path) {
  struct stat status {};
  if (::stat(path.c_str(), &status) != 0) return {};
  return {status.st_dev, status.st_ino, status.st_size, status.st_mtim.tv_sec,
          status.st_mtim.tv_nsec};
}

QString FolderOf(const std::string& path) {
  return QFileInfo(QString::fromStdString(path)).absolutePath();
}

// "Wrote Color.h and Color.cpp in /folder", for the files of one OK.
QString WroteFilesMessage(const std::vector<OutputFile>& files) {
  QStringList names;
  for (const OutputFile& file : files)
    names << QFileInfo(QString::fromStdString(file.Path)).fileName();
  const QString last = names.takeLast();
  const QString written =
      names.isEmpty() ? last : TGenEnumForm::tr("%1 and %2").arg(names.join(", "), last);
  return TGenEnumForm::tr("Wrote %1 in %2")
      .arg(written, QDir::toNativeSeparators(FolderOf(files.front().Path)));
}

// What OK makes of the request, or why it refuses it: besides the core's refusals, a list without
// names, which would hand the main window a type with nothing in it.
std::variant<EnumerationOutput, Refusal> Compose(const EnumerationRequest& request,
                                                 const ListFile* listFile) {
  auto composed = ComposeEnumeration(request, listFile);
  const auto* output = std::get_if<EnumerationOutput>(&composed);
  const std::size_t sentinels = HasSentinels(request) ? 2 : 0;
  if (output != nullptr && output->Texts.Count <= sentinels)
    return Refusal{TGenEnumForm::tr("The enumeration has no names.").toStdString()};
  return composed;
}

// The one page of a preview without files of its own: a note, or the code handed over.
std::vector<PreviewPage> TextPage(std::string text, bool code = false) {
  return {{TGenEnumForm::tr("Text").toStdString(), {}, {ShareText(std::move(text))}, code}};
}

// What OK would produce for the request, composed as OK would from the list file read last, never
// written; the files are named after the type until the save dialog names them.
std::vector<PreviewPage> PreviewPages(EnumerationRequest request, const ListFile* listFile) {
  if (request.FromFile && listFile == nullptr)
    return TextPage(
        TGenEnumForm::tr("The names will come from a list file, chosen when you press OK.")
            .toStdString());
  request.OutputPath = request.TypeName + ".h";
  auto composed = Compose(request, listFile);
  if (const auto* refusal = std::get_if<Refusal>(&composed)) return TextPage(refusal->Message);
  auto& output = std::get<EnumerationOutput>(composed);
  if (!request.SeparateFile) return TextPage(std::move(output.Texts.Text), true);
  const char* const titles[] = {QT_TRANSLATE_NOOP("zandrel::TGenEnumForm", "Header"),
                                QT_TRANSLATE_NOOP("zandrel::TGenEnumForm", "Source")};
  std::vector<PreviewPage> pages;
  for (std::size_t i = 0; i < output.Files.size() && i < std::size(titles); ++i)
    pages.push_back({Translated(titles[i]),
                     output.Files[i].Path,
                     {ShareText(std::move(output.Files[i].Text))}});
  return pages;
}

}  // namespace

TGenEnumForm::TGenEnumForm(PlatformServices& services, EnumerationReceiver& mainWindow,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), mainWindow_(mainWindow) {
  setWindowTitle(tr("Generate Enumeration"));
  // Only the main window decides when the program ends.
  setAttribute(Qt::WA_QuitOnClose, false);
  BuildControls();
  ArrangeControls();
  ConnectControls();

  // The headings are set again on every activation; set them now so no column shows a number.
  Activator();
  Preview->SetSource([this] {
    return PreviewJob([request = ReadControls(), listFile = KeptListFile()] {
      return PreviewPages(request, listFile.get());
    });
  });
  // Roomy where the screen allows, never larger than the screen.
  QSize size = sizeHint().expandedTo(QSize(1040, 460));
  if (const QScreen* shown = screen())
    size = size.boundedTo(shown->availableGeometry().size() - QSize(16, 40));
  resize(size.expandedTo(minimumSizeHint()));
}

void TGenEnumForm::BuildControls() {
  // Each "&" marks the letter that Alt takes to the control; it shows as an underline only.
  Label2 = new QLabel(tr("The &value is optional."), this);
  Label1 = new QLabel(tr("&Type Name"), this);
  Edit1 = new QLineEdit(this);
  Outside = new QCheckBox(tr("Generate &first and last enumerations"), this);
  Outside->setChecked(true);
  Prefix = new QCheckBox(tr("&Apply prefix to all enumation names when saving"), this);
  Prefix->setChecked(true);
  Label3 = new QLabel(tr("&Prefix"), this);
  Edit2 = new QLineEdit("ZD", this);
  SeparateBox = new QCheckBox(tr("&Save in separate file"), this);
  FileBox = new QCheckBox(tr("&Enter from file"), this);
  // Either opening style becomes the enum class style while this is ticked; the dialog keeps it.
  ModernBox = new QCheckBox(tr("&Modern C++ (enum class)"), this);
  ModernBox->setToolTip(
      tr("Writes an enum class with constexpr to_string, TYPE_from_string and TYPE_values, for the "
         "Modern C++ (C++20) target; with a separate file, a header alone"));
  FlagsBox = new QCheckBox(tr("Bit f&lags"), this);
  CaseBox = new QCheckBox(tr("&Ignore case"), this);
  FormatterBox = new QCheckBox(tr("Fo&rmatters"), this);
  JsonBox = new QCheckBox(tr("&JSON"), this);
  OKButton = new QPushButton(tr("&OK"), this);
  Button1 = new QPushButton(tr("&Cancel"), this);

  NameGrid = new LiveEditGrid(NameGridRows, 2, this);
  // Row numbers, so that a message naming a row can be followed.
  NameGrid->verticalHeader()->setDefaultAlignment(Qt::AlignRight | Qt::AlignVCenter);
  NameGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  NameGrid->setTabKeyNavigation(true);
  NameGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  NameGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
  NameGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
  NameGrid->verticalHeader()->setDefaultSectionSize(NameGrid->fontMetrics().height() + 8);
  NameGrid->setMinimumWidth(220);

  PreviewLabel = new QLabel(tr("Preview"), this);
  Preview = new FilePreview(this);
  // Narrow enough that the dialog fits a screen of 960 logical pixels (1920 at 200 %).
  Preview->setMinimumWidth(240);

  Label1->setBuddy(Edit1);
  Label3->setBuddy(Edit2);
  Label2->setBuddy(NameGrid);
  NameGrid->setAccessibleName(tr("Names and values"));
  Preview->setAccessibleName(PreviewLabel->text());
  // Enter presses the focused button; elsewhere it presses OK, drawn as the default.
  for (QPushButton* button : {OKButton, Button1, Preview->CopyButton}) button->setAutoDefault(true);
  OKButton->setDefault(true);
  DescribeControls();
  Edit2->setMaximumWidth(80);
}

void TGenEnumForm::ArrangeControls() {
  auto* gridColumn = new QVBoxLayout;
  gridColumn->addWidget(Label2);
  gridColumn->addWidget(NameGrid, 1);

  auto* prefixRow = new QHBoxLayout;
  prefixRow->addWidget(Label3);
  prefixRow->addWidget(Edit2);
  prefixRow->addStretch(1);

  auto* buttonRow = new QHBoxLayout;
  buttonRow->addWidget(OKButton);
  buttonRow->addWidget(Button1);
  buttonRow->addStretch(1);

  auto* optionColumn = new QVBoxLayout;
  optionColumn->addWidget(Label1);
  optionColumn->addWidget(Edit1);
  optionColumn->addSpacing(6);
  optionColumn->addWidget(Outside);
  optionColumn->addWidget(Prefix);
  optionColumn->addLayout(prefixRow);
  optionColumn->addSpacing(6);
  optionColumn->addWidget(SeparateBox);
  optionColumn->addWidget(FileBox);
  optionColumn->addWidget(ModernBox);
  // Under the box that enables them, two to a row, so the dialog still fits a small screen.
  auto* keyGrid = new QGridLayout;
  keyGrid->setContentsMargins(20, 0, 0, 0);
  keyGrid->addWidget(FlagsBox, 0, 0);
  keyGrid->addWidget(CaseBox, 0, 1);
  keyGrid->addWidget(FormatterBox, 1, 0);
  keyGrid->addWidget(JsonBox, 1, 1);
  for (QCheckBox* box : {FlagsBox, CaseBox, FormatterBox, JsonBox}) box->setEnabled(false);
  optionColumn->addLayout(keyGrid);
  optionColumn->addStretch(1);
  optionColumn->addLayout(buttonRow);

  auto* previewColumn = new QVBoxLayout;
  previewColumn->addWidget(PreviewLabel);
  previewColumn->addWidget(Preview, 1);

  auto* main = new QHBoxLayout(this);
  main->addLayout(gridColumn, 0);
  main->addLayout(optionColumn, 0);
  main->addLayout(previewColumn, 1);

  QList<QWidget*> order{Edit1,   Outside,     Prefix,    Edit2,    NameGrid, OKButton,     Button1,
                        FileBox, SeparateBox, ModernBox, FlagsBox, CaseBox,  FormatterBox, JsonBox};
  order.append(Preview->FocusOrder());
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TGenEnumForm::ConnectControls() {
  SaveDialog1 = services_.CreateSaveDialog(this);
  SaveDialog1->Filter = std::string(EnumSaveDialogFilter);
  OpenDialog1 = services_.CreateOpenDialog(this);
  OpenDialog1->Filter = std::string(OpenDialogFilter);

  Edit1->installEventFilter(this);
  connect(OKButton, &QPushButton::clicked, this, &TGenEnumForm::OKDone);
  connect(Button1, &QPushButton::clicked, this, &TGenEnumForm::CancelDone);
  connect(Edit1, &QLineEdit::textChanged, this, &TGenEnumForm::UpdatePreview);
  connect(Edit2, &QLineEdit::textChanged, this, &TGenEnumForm::UpdatePreview);
  // Before the preview's connection, so the preview shows the swapped ticks.
  connect(ModernBox, &QCheckBox::toggled, this, [this] {
    const bool outside = Outside->isChecked();
    const bool prefix = Prefix->isChecked();
    Outside->setChecked(otherOutside_);
    Prefix->setChecked(otherPrefix_);
    otherOutside_ = outside;
    otherPrefix_ = prefix;
    for (QCheckBox* box : {FlagsBox, CaseBox, FormatterBox, JsonBox})
      box->setEnabled(ModernBox->isChecked());
  });
  for (QCheckBox* box :
       {Outside, Prefix, SeparateBox, FileBox, ModernBox, FlagsBox, CaseBox, FormatterBox, JsonBox})
    connect(box, &QCheckBox::toggled, this, &TGenEnumForm::UpdatePreview);
  connect(NameGrid, &LiveEditGrid::Edited, this, &TGenEnumForm::UpdatePreview);
}

TGenEnumForm::~TGenEnumForm() {
  // The grid's editors closing while the dialog goes must not call back into it.
  disconnect(NameGrid, nullptr, this, nullptr);
}

void TGenEnumForm::DescribeControls() {
  Edit1->setToolTip(
      tr("The enumeration's type name; the files are named after it, and OK puts it into the first "
         "empty Type cell of the member table"));
  Outside->setToolTip(
      tr("Adds the enumerators FirstUnused before the names and LastUnused after them, so that "
         "code can loop from the first name to the last"));
  Prefix->setToolTip(
      tr("Puts the prefix in front of every enumerator name, FirstUnused and "
         "LastUnused included"));
  Edit2->setToolTip(
      tr("The text put in front of every enumerator name; proposed from the type name when you "
         "leave Type Name"));
  NameGrid->setToolTip(
      tr("One enumerator a row: its name and, if you like, its value (decimal, or hex as $1F or "
         "0x10). Tab moves between cells; Ctrl+Tab leaves the grid"));
  SeparateBox->setToolTip(
      tr("Writes the enumeration to a header and source file of its own, which later class headers "
         "include; unticked, its text goes into every later class header and Java file"));
  FileBox->setToolTip(
      tr("Takes the names from a text file chosen when you press OK, instead of the grid: names "
         "separated by blanks or lines; lines starting with # or / are comments"));
  FlagsBox->setToolTip(
      tr("A bit-flag set: names without a value take 1, 2, 4, ..., a zero named None is added "
         "unless a name is 0, with the operators | & ^ ~; to_string joins names by |. No first "
         "and last names"));
  CaseBox->setToolTip(
      tr("TYPE_from_string takes the names in any ASCII letter case too; an exact match wins"));
  FormatterBox->setToolTip(
      tr("fmt::formatter and std::formatter, each where its header is there, printing to_string"));
  JsonBox->setToolTip(
      tr("to_json and from_json for nlohmann/json by name; from_json throws "
         "std::invalid_argument for a name the type does not have"));
  OKButton->setToolTip(tr("Generates the enumeration and hands it to the main window (Enter)"));
  Button1->setToolTip(tr("Back to the main window; everything typed here is kept (Escape)"));
}

void TGenEnumForm::SetStyle(EnumerationStyle style) {
  style_ = style;
  reopened_.reset();
  SeparateBox->setVisible(true);
  SeparateBox->setChecked(false);
  UpdatePreview();
}

bool TGenEnumForm::ChooseOutputPath(EnumerationRequest& request, bool* replaceConfirmed) {
  SaveDialog1->FileName = request.TypeName + ".h";
  SaveDialog1->FilterIndex = 1;
  if (!request.SeparateFile) return true;
  if (!SaveDialog1->Execute()) return false;
  request.OutputPath = SaveDialog1->FileName;
  // Ask before anything is read, so a No leaves no trace (not even a list file dialog). Files
  // with a record of what was generated into them are merged instead, once composed.
  const std::vector<std::string> existing = FilesWithoutBase(EnumerationOutputPaths(request));
  if (!existing.empty()) {
    if (!services_.AskYesNo(this, ReplaceQuestion(existing), std::string(ReplaceCaption)))
      return false;
    *replaceConfirmed = true;
  }
  return true;
}

namespace {

// Names C++ cannot take: the enum class style refused them before, the classic styles warn.
QString WarningText(const EnumerationRequest& request, const ListFile* listFile) {
  QString warning;
  for (const Refusal& problem : NameWarnings(request, listFile))
    warning += TGenEnumForm::tr(". Warning: %1").arg(QString::fromStdString(problem.Message));
  return warning;
}

}  // namespace

bool TGenEnumForm::GenerateEnumeration() {
  // The preview would compose the same list again beside this, for a dialog about to close.
  const FilePreview::Hold quiet(*Preview);
  EnumerationRequest request = ReadControls();
  bool replaceConfirmed = false;
  if (!ChooseOutputPath(request, &replaceConfirmed)) return false;

  std::shared_ptr<const ListFile> listFile;
  if (request.FromFile && ChooseListFile()) {
    listFile = listFile_;
    request.ListPath = OpenDialog1->FileName;
  }
  auto composed = Compose(request, listFile.get());
  if (const auto* refusal = std::get_if<Refusal>(&composed)) {
    services_.ShowMessage(this, refusal->Message, tr("Error").toStdString());
    if (refusal->Row > 0) ShowCell(refusal->Row, ValueColumn);
    if (refusal->NameRow > 0) ShowCell(refusal->NameRow, NameColumn);
    return false;
  }
  auto& output = std::get<EnumerationOutput>(composed);
  // The same text twice puts the same declarations twice into every later file.
  if (!reopened_ && mainWindow_.HoldsInsertion(output.HandOver()) &&
      !services_.AskYesNo(
          this,
          TGenEnumForm::tr("This enumeration is already collected. Collect it again?")
              .toStdString(),
          TGenEnumForm::tr("Collect Again").toStdString()))
    return false;
  RegenerationOutcome written;
  if (request.SeparateFile) {
    // The old files go to the trash, so a replace or a merge can be undone. The include line
    // would name a file that is not there (or is incomplete): on a failure or Cancel keep the
    // input so the user can choose another place; kept files are included as they are.
    written = RegenerateFiles(this, services_, output.Files, AskMergeChoice, replaceConfirmed);
    if (written.End == RegenerationEnd::Failed || written.End == RegenerationEnd::Cancelled)
      return false;
  }

  const QString warning = WarningText(request, listFile.get());
  HeaderInsertion collected = CollectedInsertion(
      request, request.SeparateFile ? output.IncludeLine : std::move(output.Texts.Text));
  if (reopened_)
    mainWindow_.ReplaceEnumeration(*std::exchange(reopened_, std::nullopt), std::move(collected));
  else
    mainWindow_.AcceptEnumeration(std::move(collected));
  Edit1->clear();
  Edit2->clear();
  NameGrid->ClearCells();
  hide();
  if (request.SeparateFile)
    emit Finished((OutcomeMessage(written).isEmpty() ? WroteFilesMessage(output.Files)
                                                     : OutcomeMessage(written)) +
                      warning,
                  FolderOf(output.Files.front().Path));
  else
    emit Finished(tr("%1 collected: Build writes it into every later class header and Java file")
                          .arg(QString::fromStdString(request.TypeName)) +
                      warning,
                  QString());
  return true;
}

bool TGenEnumForm::ChooseListFile() {
  listFile_ = nullptr;
  OpenDialog1->Title = ListFileTitle;
  OpenDialog1->FilterIndex = 1;
  // Cancel ends the choosing at any showing: the file then contributes nothing.
  while (OpenDialog1->Execute()) {
    const std::string path = OpenDialog1->FileName;
    const FileStamp stamp = StampOf(path);
    auto read = ReadListFile(path);
    if (auto* file = std::get_if<ListFile>(&read)) {
      listFile_ = std::make_shared<const ListFile>(std::move(*file));
      listPath_ = path;
      listStamp_ = stamp;
      WatchListFile();
      UpdatePreview();
      return true;
    }
    services_.ShowMessage(this, DescribeReadFailure(std::get<FileFailure>(read)),
                          tr("Error").toStdString());
    OpenDialog1->Title = CommittedListFileTitle;
  }
  UpdatePreview();
  return false;
}

EnumerationRequest TGenEnumForm::ReadControls() const {
  EnumerationRequest request;
  request.TypeName = Trim(Edit1->text().toStdString());
  request.Style = DialogStyle(style_, ModernBox->isChecked());
  request.FirstAndLast = Outside->isChecked();
  request.ApplyPrefix = Prefix->isChecked();
  request.PrefixText = Edit2->text().toStdString();
  request.FromFile = FileBox->isChecked();
  request.SeparateFile = SeparateBox->isChecked();
  const bool modern = StyleRow(request.Style).TakesKeys;
  request.Flags = modern && FlagsBox->isChecked();
  request.CaseInsensitive = modern && CaseBox->isChecked();
  request.Formatter = modern && FormatterBox->isChecked();
  request.Json = modern && JsonBox->isChecked();
  for (int row = 0; row < NameGridRows; ++row) {
    request.GridRows[static_cast<std::size_t>(row)] = {
        NameGrid->CellText(row, NameColumn).toStdString(),
        NameGrid->CellText(row, ValueColumn).toStdString()};
  }
  return request;
}

void TGenEnumForm::ShowCell(int row, int column) {
  NameGrid->setCurrentCell(row - 1, column);
  NameGrid->scrollToItem(NameGrid->item(row - 1, column));
  NameGrid->setFocus(Qt::OtherFocusReason);
  // Open for editing, so the user types the correction at once instead of meeting the message
  // again with Enter.
  NameGrid->edit(NameGrid->model()->index(row - 1, column));
}

void TGenEnumForm::Activator() {
  NameGrid->setHorizontalHeaderItem(NameColumn, new QTableWidgetItem(tr("Name")));
  NameGrid->setHorizontalHeaderItem(ValueColumn, new QTableWidgetItem(tr("Value")));
}

void TGenEnumForm::Exited() {
  if (const auto proposal = SuggestPrefix(Edit1->text().toStdString()))
    Edit2->setText(QString::fromStdString(*proposal));
}

void TGenEnumForm::OKDone() { GenerateEnumeration(); }

void TGenEnumForm::Reopen(const EnumerationRequest& request, std::size_t entry) {
  const bool box = StyleRow(request.Style).Choice == DialogChoice::Box;
  SetStyle(box ? style_ : request.Style);
  // The box first: ticking it swaps the sentinel and prefix ticks.
  ModernBox->setChecked(box);
  Edit1->setText(QString::fromStdString(request.TypeName));
  Outside->setChecked(request.FirstAndLast);
  Prefix->setChecked(request.ApplyPrefix);
  Edit2->setText(QString::fromStdString(request.PrefixText));
  FileBox->setChecked(request.FromFile);
  SeparateBox->setChecked(request.SeparateFile);
  FlagsBox->setChecked(request.Flags);
  CaseBox->setChecked(request.CaseInsensitive);
  FormatterBox->setChecked(request.Formatter);
  JsonBox->setChecked(request.Json);
  for (int row = 0; row < NameGridRows; ++row) {
    const GridRow& cells = request.GridRows[static_cast<std::size_t>(row)];
    NameGrid->setItem(row, NameColumn, new QTableWidgetItem(QString::fromStdString(cells.Name)));
    NameGrid->setItem(row, ValueColumn, new QTableWidgetItem(QString::fromStdString(cells.Value)));
  }
  reopened_ = entry;
  UpdatePreview();
}

void TGenEnumForm::CancelDone() {
  reopened_.reset();
  mainWindow_.ShowMainWindow();
  hide();
}

bool TGenEnumForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Activator();
  return QWidget::event(event);
}

void TGenEnumForm::keyPressEvent(QKeyEvent* event) {
  // Keys that no control took: Escape cancels, Enter presses OK, as in any dialog. Enter in the
  // grid only ends a cell's edit, so that a list of names can be typed row by row.
  const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
  const QWidget* focus = focusWidget();
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    CancelDone();
  } else if (enter && !(focus != nullptr && NameGrid->isAncestorOf(focus)) &&
             (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
    // As a click would, the focus moves to OK first, so leaving the type name counts.
    OKButton->setFocus(Qt::OtherFocusReason);
    OKButton->click();
  } else {
    QWidget::keyPressEvent(event);
  }
}

void TGenEnumForm::showEvent(QShowEvent* event) {
  // Every opening starts in the type name, where the user types first.
  if (!event->spontaneous()) Edit1->setFocus(Qt::OtherFocusReason);
  QWidget::showEvent(event);
}

void TGenEnumForm::closeEvent(QCloseEvent* event) {
  // Closing by the frame is a Cancel; otherwise nothing would bring the main window back.
  if (isVisible()) mainWindow_.ShowMainWindow();
  event->accept();
}

bool TGenEnumForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Edit1 && event->type() == QEvent::FocusOut) {
    // Only a move to another control counts, not the window losing the focus.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) Exited();
  }
  return QWidget::eventFilter(watched, event);
}

void TGenEnumForm::UpdatePreview() {
  if (Preview != nullptr) Preview->Invalidate();
}

void TGenEnumForm::WatchListFile() {
  if (listWatcher_ == nullptr) {
    listWatcher_ = new QFileSystemWatcher(this);
    connect(listWatcher_, &QFileSystemWatcher::fileChanged, this, [this] {
      // A file saved by renaming a new one over it is no longer watched: watch the new one.
      WatchListFile();
      UpdatePreview();
    });
  }
  const QStringList watched = listWatcher_->files();
  if (!watched.isEmpty()) listWatcher_->removePaths(watched);
  listWatcher_->addPath(QString::fromStdString(listPath_));
}

std::shared_ptr<const ListFile> TGenEnumForm::KeptListFile() {
  // Read again only when the file changed on disk; a file gone or unreadable keeps the list read
  // last, and the preview never asks or reports anything.
  if (listFile_ != nullptr && listStamp_ != StampOf(listPath_)) {
    if (auto read = ReadListFile(listPath_); auto* file = std::get_if<ListFile>(&read)) {
      listFile_ = std::make_shared<const ListFile>(std::move(*file));
      listStamp_ = StampOf(listPath_);
    }
  }
  return listFile_;
}

}  // namespace zandrel
