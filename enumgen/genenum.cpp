#include "enumgen/genenum.h"

#include <QCheckBox>
#include <QClipboard>
#include <QCloseEvent>
#include <QEvent>
#include <QFileInfo>
#include <QFocusEvent>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <optional>
#include <variant>

#include "classgen/class_description.h"
#include "core/output_text.h"
#include "enumgen/enumeration_writers.h"
#include "shell/enumeration_receiver.h"
#include "shell/platform_services.h"

namespace zandrel {

namespace {

constexpr int NameColumn = 0;
constexpr int ValueColumn = 1;
const std::string ErrorCaption = "Error";

QString Q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// Hands each keystroke of a cell editor to the grid at once, so the preview follows the typing
// (and OK reads the cell even while its editor is still open).
class LiveCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      connect(line, &QLineEdit::textEdited, this,
              [this, line] { emit const_cast<LiveCellDelegate*>(this)->commitData(line); });
    }
    return editor;
  }

  void setEditorData(QWidget* editor, const QModelIndex& index) const override {
    // Writing back the text just committed would move the cursor to the end.
    if (auto* line = qobject_cast<QLineEdit*>(editor);
        line != nullptr && line->text() == index.data(Qt::EditRole).toString())
      return;
    QStyledItemDelegate::setEditorData(editor, index);
  }
};

QPlainTextEdit* PreviewPage(const QString& name, QWidget* parent) {
  auto* page = new QPlainTextEdit(parent);
  page->setObjectName(name);
  page->setReadOnly(true);
  page->setTabChangesFocus(true);
  page->setLineWrapMode(QPlainTextEdit::NoWrap);
  page->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return page;
}

void ShowText(QPlainTextEdit* page, const QString& text) {
  if (page->toPlainText() == text) return;
  // Keep the reader's place while the text changes under it.
  const int vertical = page->verticalScrollBar()->value();
  const int horizontal = page->horizontalScrollBar()->value();
  page->setPlainText(text);
  page->verticalScrollBar()->setValue(vertical);
  page->horizontalScrollBar()->setValue(horizontal);
}

}  // namespace

TGenEnumForm::TGenEnumForm(PlatformServices& services, EnumerationReceiver& mainWindow,
                           QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services), mainWindow_(mainWindow) {
  setWindowTitle("Generate Enumeration");
  // Only the main window decides when the program ends.
  setAttribute(Qt::WA_QuitOnClose, false);

  Label2 = new QLabel("The value is optional.", this);
  Label1 = new QLabel("Type Name", this);
  Edit1 = new QLineEdit(this);
  Outside = new QCheckBox("Generate first and last enumerations", this);
  Outside->setChecked(true);
  Prefix = new QCheckBox("Apply prefix to all enumation names when saving", this);
  Prefix->setChecked(true);
  Label3 = new QLabel("Prefix", this);
  Edit2 = new QLineEdit("ZD", this);
  SeparateBox = new QCheckBox("Save in separate file", this);
  FileBox = new QCheckBox("Enter from file", this);
  OKButton = new QPushButton("OK", this);
  Button1 = new QPushButton("Cancel", this);

  NameGrid = new QTableWidget(NameGridRows, 2, this);
  NameGrid->verticalHeader()->hide();
  NameGrid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  NameGrid->setTabKeyNavigation(true);
  NameGrid->setSelectionMode(QAbstractItemView::ContiguousSelection);
  NameGrid->setSelectionBehavior(QAbstractItemView::SelectItems);
  NameGrid->setEditTriggers(QAbstractItemView::AllEditTriggers);
  NameGrid->verticalHeader()->setDefaultSectionSize(NameGrid->fontMetrics().height() + 8);
  NameGrid->setMinimumWidth(220);
  NameGrid->setItemDelegate(new LiveCellDelegate(NameGrid));

  Label1->setBuddy(Edit1);
  Label3->setBuddy(Edit2);
  Edit2->setMaximumWidth(80);

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
  optionColumn->addStretch(1);
  optionColumn->addLayout(buttonRow);

  BuildPreview();
  auto* previewHead = new QHBoxLayout;
  previewHead->addWidget(previewLabel_);
  previewHead->addStretch(1);
  previewHead->addWidget(copyButton_);
  auto* previewColumn = new QVBoxLayout;
  previewColumn->addLayout(previewHead);
  previewColumn->addWidget(previewTabs_, 1);

  auto* main = new QHBoxLayout(this);
  main->addLayout(gridColumn, 0);
  main->addLayout(optionColumn, 0);
  main->addLayout(previewColumn, 1);

  setTabOrder(Edit1, Outside);
  setTabOrder(Outside, Prefix);
  setTabOrder(Prefix, Edit2);
  setTabOrder(Edit2, NameGrid);
  setTabOrder(NameGrid, OKButton);
  setTabOrder(OKButton, Button1);
  setTabOrder(Button1, FileBox);
  setTabOrder(FileBox, SeparateBox);
  setTabOrder(SeparateBox, previewTabs_);
  setTabOrder(previewTabs_, copyButton_);

  SaveDialog1 = services_.CreateSaveDialog(this);
  SaveDialog1->Filter = std::string(EnumSaveDialogFilter);
  OpenDialog1 = services_.CreateOpenDialog(this);
  OpenDialog1->Filter = std::string(OpenDialogFilter);

  Edit1->installEventFilter(this);
  connect(OKButton, &QPushButton::clicked, this, &TGenEnumForm::OKDone);
  connect(Button1, &QPushButton::clicked, this, &TGenEnumForm::CancelDone);
  connect(copyButton_, &QPushButton::clicked, this, &TGenEnumForm::CopyPreview);
  connect(Edit1, &QLineEdit::textChanged, this, &TGenEnumForm::UpdatePreview);
  connect(Edit2, &QLineEdit::textChanged, this, &TGenEnumForm::UpdatePreview);
  for (QCheckBox* box : {Outside, Prefix, SeparateBox, FileBox})
    connect(box, &QCheckBox::toggled, this, &TGenEnumForm::UpdatePreview);
  connect(NameGrid, &QTableWidget::itemChanged, this, &TGenEnumForm::UpdatePreview);

  // The headings are set again on every activation; set them now so the grid never shows numbers.
  Activator();
  UpdatePreview();
  resize(sizeHint().expandedTo(QSize(1040, 460)));
}

TGenEnumForm::~TGenEnumForm() = default;

void TGenEnumForm::SetStyle(EnumerationStyle style) {
  style_ = style;
  SeparateBox->setVisible(true);
  SeparateBox->setChecked(false);
  UpdatePreview();
}

bool TGenEnumForm::GenerateEnumeration() {
  EnumerationRequest request;
  request.TypeName = Trim(Edit1->text().toStdString());
  SaveDialog1->FileName = request.TypeName + ".h";
  SaveDialog1->FilterIndex = 1;

  request.SeparateFile = SeparateBox->isChecked();
  BeforeReplace beforeReplace;
  if (request.SeparateFile) {
    if (!SaveDialog1->Execute()) return false;
    request.OutputPath = SaveDialog1->FileName;
    // Ask before anything is read, so a No leaves no trace (not even a list file dialog).
    const std::vector<std::string> existing =
        ExistingFiles(EnumerationOutputPaths(request.OutputPath));
    if (!existing.empty()) {
      if (!services_.AskYesNo(this, ReplaceQuestion(existing), std::string(ReplaceCaption)))
        return false;
      // The old files go to the trash, so the replace can be undone.
      beforeReplace = TrashReplacedFiles(services_);
    }
  }

  ReadControls(request);
  // A list file that cannot be read is reported before the list file is asked for again.
  const ListReadFailure listUnreadable = [this](const FileFailure& failure) {
    services_.ShowMessage(this, DescribeReadFailure(failure), ErrorCaption);
  };
  const auto outcome =
      GenerateEnumerationOutput(request, *OpenDialog1, listUnreadable, beforeReplace);
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    services_.ShowMessage(this, refusal->Message, ErrorCaption);
    return false;
  }
  const auto& generated = std::get<GeneratedEnumeration>(outcome);
  for (const FileFailure& failure : generated.Failures)
    services_.ShowMessage(this, DescribeFailure(failure), ErrorCaption);
  // The include line would name a file that is not there (or is incomplete): keep the input so
  // the user can choose another place.
  if (!generated.Failures.empty()) return false;

  mainWindow_.AcceptEnumeration(request.TypeName, generated.HandOver);
  Edit1->clear();
  Edit2->clear();
  NameGrid->clearContents();
  UpdatePreview();
  hide();
  return true;
}

void TGenEnumForm::ReadControls(EnumerationRequest& request) const {
  request.TypeName = Trim(Edit1->text().toStdString());
  request.Style = style_;
  request.FirstAndLast = Outside->isChecked();
  request.ApplyPrefix = Prefix->isChecked();
  request.PrefixText = Edit2->text().toStdString();
  request.FromFile = FileBox->isChecked();
  request.SeparateFile = SeparateBox->isChecked();
  for (int row = 0; row < NameGridRows; ++row) {
    request.GridRows[static_cast<std::size_t>(row)] = {CellText(row, NameColumn),
                                                       CellText(row, ValueColumn)};
  }
}

std::string TGenEnumForm::CellText(int row, int column) const {
  const QTableWidgetItem* item = NameGrid->item(row, column);
  return item != nullptr ? item->text().toStdString() : std::string();
}

void TGenEnumForm::Activator() {
  NameGrid->setHorizontalHeaderItem(NameColumn, new QTableWidgetItem("Name"));
  NameGrid->setHorizontalHeaderItem(ValueColumn, new QTableWidgetItem("Value"));
}

void TGenEnumForm::Exited() {
  if (const auto proposal = SuggestPrefix(Edit1->text().toStdString()))
    Edit2->setText(Q(*proposal));
}

void TGenEnumForm::OKDone() {
  GenerateEnumeration();
  // A list file may have been chosen, or the input emptied.
  UpdatePreview();
}

void TGenEnumForm::CancelDone() {
  mainWindow_.ShowMainWindow();
  hide();
}

bool TGenEnumForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) {
    Activator();
    UpdatePreview();
  }
  return QWidget::event(event);
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

void TGenEnumForm::BuildPreview() {
  previewLabel_ = new QLabel("Preview", this);
  copyButton_ = new QPushButton("Copy", this);
  copyButton_->setObjectName("CopyButton");
  copyButton_->setShortcut(QKeySequence("Ctrl+Shift+C"));
  copyButton_->setToolTip("Copy the text shown in the preview (Ctrl+Shift+C)");
  previewTabs_ = new QTabWidget(this);
  previewTabs_->setObjectName("PreviewTabs");
  previewTabs_->setMinimumWidth(380);
  previewText_ = PreviewPage("PreviewText", this);
  previewHeader_ = PreviewPage("PreviewHeader", this);
  previewSource_ = PreviewPage("PreviewSource", this);
  ShowPreviewPages(false);
}

void TGenEnumForm::ShowPreviewPages(bool separate) {
  const bool showingFiles = previewTabs_->count() == 2;
  if (previewTabs_->count() > 0 && showingFiles == separate) return;
  previewTabs_->clear();
  for (QPlainTextEdit* page : {previewText_, previewHeader_, previewSource_}) page->hide();
  if (separate) {
    previewTabs_->addTab(previewHeader_, "Header");
    previewTabs_->addTab(previewSource_, "Source");
  } else {
    previewTabs_->addTab(previewText_, "Text");
  }
  previewTabs_->tabBar()->setVisible(separate);
}

void TGenEnumForm::UpdatePreview() {
  if (previewTabs_ == nullptr) return;  // still being built
  EnumerationRequest request;
  ReadControls(request);

  const std::string listPath = OpenDialog1 != nullptr ? OpenDialog1->FileName : std::string();
  if (request.FromFile && listPath.empty()) {
    ShowPreviewPages(false);
    ShowText(previewText_, Q("The names will come from a list file, chosen when you press OK."));
    return;
  }

  // Composed as OK would, never written; the files are named after the type until the save
  // dialog names them. The list file goes through the same reader, which never blocks (a FIFO,
  // a device) and refuses what it cannot read.
  request.OutputPath = request.TypeName + ".h";
  ChosenListFile list(listPath);
  std::optional<FileFailure> unreadable;
  const auto composed = ComposeEnumeration(
      request, list, [&unreadable](const FileFailure& failure) { unreadable = failure; });
  if (unreadable) {
    ShowPreviewPages(false);
    ShowText(previewText_, Q(DescribeReadFailure(*unreadable) + "\nOK will ask for a list file."));
    return;
  }
  if (const auto* refusal = std::get_if<Refusal>(&composed)) {
    ShowPreviewPages(false);
    ShowText(previewText_, Q(refusal->Message));
    return;
  }
  const auto& texts = std::get<ComposedEnumeration>(composed);
  ShowPreviewPages(request.SeparateFile);
  if (!request.SeparateFile) {
    ShowText(previewText_, Q(texts.EnumText + texts.ToStringText));
    return;
  }
  ShowText(previewHeader_, Q(texts.Files.at(0).Text));
  ShowText(previewSource_, Q(texts.Files.at(1).Text));
}

void TGenEnumForm::CopyPreview() {
  if (auto* page = qobject_cast<QPlainTextEdit*>(previewTabs_->currentWidget()))
    QGuiApplication::clipboard()->setText(page->toPlainText());
}

}  // namespace zandrel
