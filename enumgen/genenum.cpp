#include "enumgen/genenum.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <variant>

#include "classgen/class_description.h"
#include "classgen/output_text.h"
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

  auto* main = new QHBoxLayout(this);
  main->addLayout(gridColumn, 0);
  main->addLayout(optionColumn, 1);

  setTabOrder(Edit1, Outside);
  setTabOrder(Outside, Prefix);
  setTabOrder(Prefix, Edit2);
  setTabOrder(Edit2, NameGrid);
  setTabOrder(NameGrid, OKButton);
  setTabOrder(OKButton, Button1);
  setTabOrder(Button1, FileBox);
  setTabOrder(FileBox, SeparateBox);

  SaveDialog1 = services_.CreateSaveDialog(this);
  SaveDialog1->Filter = std::string(EnumSaveDialogFilter);
  OpenDialog1 = services_.CreateOpenDialog(this);
  OpenDialog1->Filter = std::string(OpenDialogFilter);

  Edit1->installEventFilter(this);
  connect(OKButton, &QPushButton::clicked, this, &TGenEnumForm::OKDone);
  connect(Button1, &QPushButton::clicked, this, &TGenEnumForm::CancelDone);

  // The headings are set again on every activation; set them now so the grid never shows numbers.
  Activator();
  resize(sizeHint().expandedTo(QSize(520, 330)));
}

TGenEnumForm::~TGenEnumForm() = default;

void TGenEnumForm::SetStyle(EnumerationStyle style) {
  style_ = style;
  SeparateBox->setVisible(true);
  SeparateBox->setChecked(false);
}

bool TGenEnumForm::GenerateEnumeration() {
  EnumerationRequest request;
  request.TypeName = Trim(Edit1->text().toStdString());
  SaveDialog1->FileName = request.TypeName + ".h";
  SaveDialog1->FilterIndex = 1;

  request.SeparateFile = SeparateBox->isChecked();
  if (request.SeparateFile) {
    if (!SaveDialog1->Execute()) return false;
    request.OutputPath = SaveDialog1->FileName;
    // Ask before anything is read, so a No leaves no trace (not even a list file dialog).
    const std::vector<std::string> existing =
        ExistingFiles(EnumerationOutputPaths(request.OutputPath));
    if (!existing.empty() &&
        !services_.AskYesNo(ReplaceQuestion(existing), std::string(ReplaceCaption)))
      return false;
  }

  ReadControls(request);
  const auto outcome = GenerateEnumerationOutput(request, *OpenDialog1);
  if (const auto* refusal = std::get_if<Refusal>(&outcome)) {
    services_.ShowMessage(refusal->Message, ErrorCaption);
    return false;
  }
  const auto& generated = std::get<GeneratedEnumeration>(outcome);
  for (const FileFailure& failure : generated.Failures)
    services_.ShowMessage(DescribeFailure(failure), ErrorCaption);
  // The include line would name a file that is not there (or is incomplete): keep the input so
  // the user can choose another place.
  if (!generated.Failures.empty()) return false;

  mainWindow_.AcceptEnumeration(request.TypeName, generated.HandOver);
  Edit1->clear();
  Edit2->clear();
  NameGrid->clearContents();
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

void TGenEnumForm::OKDone() { GenerateEnumeration(); }

void TGenEnumForm::CancelDone() {
  mainWindow_.ShowMainWindow();
  hide();
}

bool TGenEnumForm::event(QEvent* event) {
  if (event->type() == QEvent::WindowActivate) Activator();
  return QWidget::event(event);
}

void TGenEnumForm::closeEvent(QCloseEvent* event) {
  // Closing by the frame is a Cancel; otherwise nothing would bring the main window back.
  mainWindow_.ShowMainWindow();
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

}  // namespace zandrel
