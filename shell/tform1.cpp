#include "shell/tform1.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QShortcut>
#include <QSplitter>
#include <QStyledItemDelegate>
#include <QTabBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <functional>

#include "classgen/class_build.h"
#include "core/output_text.h"
#include "enumgen/genenum.h"
#include "feedback/log_entry.h"
#include "feedback/userlog.h"
#include "shell/class_preview.h"
#include "shell/platform_services.h"

namespace zandrel {

namespace {

const char* const InvalidSelectionMessage = "Invalid selection - try again";
const char* const LogPrompt = "Please note precisely what the error is or what should be improved.";
const char* const LogFileLeaf = "/Zandrel_Log.log";

QString Text(const char* text) { return QString::fromUtf8(text); }

QPushButton* LargeButton(const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  QFont font = button->font();
  font.setPointSizeF(font.pointSizeF() * 1.25);
  font.setBold(true);
  button->setFont(font);
  button->setMinimumSize(84, 44);
  return button;
}

// Reports every keystroke in a cell editor, so the preview follows the typing before the cell
// is committed (Escape still reverts the cell).
class LiveCellDelegate : public QStyledItemDelegate {
 public:
  using EditSeen = std::function<void(int row, int column, const QString& text)>;
  LiveCellDelegate(EditSeen seen, QObject* parent)
      : QStyledItemDelegate(parent), seen_(std::move(seen)) {}

  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override {
    QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
    if (auto* line = qobject_cast<QLineEdit*>(editor)) {
      const int row = index.row();
      const int column = index.column();
      connect(line, &QLineEdit::textEdited, this,
              [this, row, column](const QString& text) { seen_(row, column, text); });
    }
    return editor;
  }

 private:
  EditSeen seen_;
};

}  // namespace

TForm1::TForm1(PlatformServices& services, QWidget* parent) : QWidget(parent), services_(services) {
  setWindowTitle(Text("Zandrel"));
  BuildControls();
  ArrangeControls();
  SetTabOrder();

  SaveDialog1 = services_.CreateSaveDialog(this);
  SaveDialog1->Filter = std::string(SaveDialogFilter);
  SaveDialog1->FilterIndex = 1;

  NameEdit->clear();
  HeaderInsertions.clear();
  SelectedSystem = TargetSystem::DevCpp;
  SelectedNameForm = NameForm::LowerUnderscore;
  UpdateLibraryCaption();
  ConnectPreview();
  UpdatePreview();
  Button1->setFocus();
  SizeForScreen();
}

TForm1::~TForm1() {
  // Editors closing while the window goes must not regenerate anything.
  disconnect(StringGrid1->itemDelegate(), nullptr, this, nullptr);
  Preview = nullptr;
}

void TForm1::BuildControls() {
  Button1 = LargeButton(Text("Build"), this);
  Label1 = new QLabel(Text("Class Name"), this);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  NameEdit = new QLineEdit(this);
  Label1->setBuddy(NameEdit);

  Label3 = new QLabel(Text("Member data and functions"), this);
  StringGrid1 = new QTableWidget(MemberGridRows, 3, this);
  StringGrid1->setHorizontalHeaderLabels({Text("Type"), Text("Name"), Text("Initial value")});
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  // Tab leaves the grid for the next control; arrows move between cells.
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  for (int row = 0; row < MemberGridRows; ++row)
    for (int column = 0; column < 3; ++column)
      StringGrid1->setItem(row, column, new QTableWidgetItem());
  Label3->setBuddy(StringGrid1);

  RadioGroup1 = new QGroupBox(Text("Comparisons"), this);
  RadioGroup1Items = new QButtonGroup(RadioGroup1);
  auto* radioLayout = new QVBoxLayout(RadioGroup1);
  const char* const comparisonItems[] = {"No comparison operators",
                                         "Equal and not equal only (you implement = and <)",
                                         "All comparisons (you implement = and <)"};
  for (int index = 0; index < 3; ++index) {
    auto* item = new QRadioButton(Text(comparisonItems[index]), RadioGroup1);
    RadioGroup1Items->addButton(item, index);
    radioLayout->addWidget(item);
  }
  SetComparisonIndex(0);

  PrivateCheck = new QCheckBox(Text("Make copy constructor and = operator private"), this);
  Label2 = new QLabel(Text("Libraries"), this);
  VCLCheck = new QCheckBox(Text("VCL"), this);
  VCLCheck->setChecked(true);
  // Hidden for Java; its place is kept so the controls below do not jump.
  QSizePolicy keepPlace = VCLCheck->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  VCLCheck->setSizePolicy(keepPlace);
  StdCheck = new QCheckBox(Text("StdLib"), this);
  MathCheck = new QCheckBox(Text("Math"), this);
  StringCheck = new QCheckBox(Text("C Style Strings"), this);
  Button2 = LargeButton(Text("Clear"), this);
  Button3 = LargeButton(Text("Exit"), this);
  Button4 = new QPushButton(Text("Generate Enumeration"), this);
  Button5 = new QPushButton(Text("Log an error or comment"), this);
  EnumButton = new QPushButton(Text("Generate Enumeration as a Class"), this);
  Button6 = new QPushButton(Text("Generate Constant Sequence"), this);
  BigConstructorBox = new QCheckBox(Text("Constructor with all variables as parameters"), this);
  ToStringBox = new QCheckBox(Text("Generate a ToString method"), this);

  Label4 = new QLabel(Text("Form of names"), this);
  FormBox = new QComboBox(this);
  FormBox->addItems({Text("get_variable and set_variable"), Text("getVariable and setVariable"),
                     Text("GetVariable and SetVariable")});
  SystemBox = new QComboBox(this);
  SystemBox->addItems({Text("CBuilder"), Text("DevC++"), Text("Visual C++"), Text("Java")});
  for (QComboBox* box : {FormBox, SystemBox}) {
    box->setEditable(true);
    // Typed text is checked against the items, never added to them, and never completed
    // behind the user's back.
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setCompleter(nullptr);
  }
  FormBox->setCurrentIndex(0);
  SystemBox->setCurrentIndex(1);
  Label4->setBuddy(FormBox);
  SystemBox->setToolTip(Text("Target system"));

  PreviewCheck = new QCheckBox(Text("Show preview"), this);
  PreviewCheck->setChecked(true);
  Preview = new ClassPreview(this);
  Preview->Tabs->setToolTip(Text("What Build would write now"));
  auto* copyShortcut = new QShortcut(QKeySequence(Text("Ctrl+Shift+C")), this);
  connect(copyShortcut, &QShortcut::activated, Preview, &ClassPreview::CopyShownText);
  connect(PreviewCheck, &QCheckBox::toggled, this, &TForm1::ShowPreview);

  connect(Button1, &QPushButton::clicked, this, &TForm1::DoIt);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Clear);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Closer);
  connect(Button4, &QPushButton::clicked, this, &TForm1::EnumGen);
  connect(Button5, &QPushButton::clicked, this, &TForm1::LogIt);
  connect(EnumButton, &QPushButton::clicked, this, &TForm1::EnumGen2);
  connect(Button6, &QPushButton::clicked, this, &TForm1::ConstSeq);
  // The choice is checked when the user picks an item or finishes typing, not on every keystroke.
  // Enter presses the focused button, as Space does.
  for (QPushButton* button :
       {Button1, Button2, Button3, Button4, Button5, EnumButton, Button6, Preview->CopyButton})
    button->setAutoDefault(true);

  // Enter is seen here; the focus moving to another control, in eventFilter.
  connect(SystemBox, &QComboBox::activated, this, &TForm1::SystemChanged);
  connect(SystemBox->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::SystemChanged);
  connect(FormBox, &QComboBox::activated, this, &TForm1::FormChange);
  connect(FormBox->lineEdit(), &QLineEdit::returnPressed, this, &TForm1::FormChange);
  // The box keeps the focus itself and hands focus events on to its text field directly.
  SystemBox->installEventFilter(this);
  FormBox->installEventFilter(this);
}

void TForm1::ArrangeControls() {
  auto* nameRow = new QGridLayout;
  nameRow->addWidget(Label1, 0, 0);
  nameRow->addWidget(NameEdit, 1, 0);
  nameRow->addWidget(SystemBox, 1, 1);
  nameRow->setColumnStretch(0, 3);
  nameRow->setColumnStretch(1, 2);

  auto* libraries = new QVBoxLayout;
  libraries->addWidget(Label2);
  for (QCheckBox* box : {VCLCheck, StdCheck, MathCheck, StringCheck}) libraries->addWidget(box);
  libraries->addStretch();

  auto* generators = new QVBoxLayout;
  for (QPushButton* button : {Button4, EnumButton, Button6}) generators->addWidget(button);
  generators->addStretch();

  auto* mainButtons = new QHBoxLayout;
  for (QPushButton* button : {Button1, Button2, Button3}) mainButtons->addWidget(button);
  auto* actions = new QVBoxLayout;
  actions->addLayout(mainButtons);
  actions->addWidget(Button5);
  actions->addStretch();

  auto* bottomRow = new QHBoxLayout;
  bottomRow->addLayout(libraries);
  bottomRow->addSpacing(12);
  bottomRow->addLayout(generators);
  bottomRow->addSpacing(12);
  bottomRow->addLayout(actions);

  auto* left = new QVBoxLayout;
  left->addLayout(nameRow);
  left->addSpacing(6);
  left->addWidget(Label3);
  left->addWidget(StringGrid1, 100);
  left->addSpacing(6);
  left->addLayout(bottomRow);
  left->addStretch();
  // The grid grows until every member row shows, and no further.
  StringGrid1->setMaximumHeight(StringGrid1->horizontalHeader()->sizeHint().height() +
                                StringGrid1->verticalHeader()->length() +
                                2 * StringGrid1->frameWidth());

  auto* options = new QVBoxLayout;
  options->addWidget(RadioGroup1);
  options->addSpacing(10);
  options->addWidget(Label4);
  options->addWidget(FormBox);
  options->addSpacing(10);
  for (QCheckBox* box : {ToStringBox, PrivateCheck, BigConstructorBox}) options->addWidget(box);
  options->addSpacing(10);
  options->addWidget(PreviewCheck);
  // The options keep a readable width however wide the preview below them grows.
  auto* optionsRow = new QHBoxLayout;
  optionsRow->addLayout(options);
  optionsRow->addStretch();

  previewPane_ = Preview;
  auto* rightPane = new QWidget(this);
  auto* right = new QVBoxLayout(rightPane);
  right->setContentsMargins(6, 0, 0, 0);
  right->addLayout(optionsRow);
  right->addWidget(Preview, 1);
  right->addStretch(0);

  auto* leftPane = new QWidget(this);
  left->setContentsMargins(0, 0, 6, 0);
  leftPane->setLayout(left);

  Splitter = new QSplitter(Qt::Horizontal, this);
  Splitter->setChildrenCollapsible(false);
  Splitter->addWidget(leftPane);
  Splitter->addWidget(rightPane);
  Splitter->setStretchFactor(0, 0);
  Splitter->setStretchFactor(1, 1);

  auto* columns = new QHBoxLayout(this);
  columns->addWidget(Splitter);
}

void TForm1::ConnectPreview() {
  const auto update = [this] { UpdatePreview(); };
  connect(NameEdit, &QLineEdit::textChanged, this, update);
  connect(StringGrid1, &QTableWidget::itemChanged, this, update);
  connect(RadioGroup1Items, &QButtonGroup::idToggled, this, update);
  for (QCheckBox* box :
       {PrivateCheck, VCLCheck, StdCheck, MathCheck, StringCheck, BigConstructorBox, ToStringBox})
    connect(box, &QCheckBox::toggled, this, update);

  auto* delegate = new LiveCellDelegate(
      [this](int row, int column, const QString& text) {
        liveEdit_ = LiveEdit{row, column, text};
        UpdatePreview();
      },
      StringGrid1);
  StringGrid1->setItemDelegate(delegate);
  // Committed or reverted, the cell itself holds the text again.
  connect(delegate, &QAbstractItemDelegate::closeEditor, this, [this] {
    liveEdit_.reset();
    UpdatePreview();
  });
}

void TForm1::UpdatePreview() {
  if (Preview == nullptr) return;
  ClassInput input = CurrentInput();
  if (liveEdit_ && liveEdit_->Row >= 0 && liveEdit_->Row < MemberGridRows &&
      liveEdit_->Column >= 0 && liveEdit_->Column < 3)
    input.Grid[liveEdit_->Row][liveEdit_->Column] = liveEdit_->Text.toStdString();
  Preview->ShowPages(PreviewPages(input));
}

void TForm1::SizeForScreen() {
  // Table, options and preview side by side, within the screen's free area.
  QSize size(1340, 700);
  if (const QScreen* shown = screen()) {
    const QRect free = shown->availableGeometry();
    size = size.boundedTo(QSize(free.width() - 16, free.height() - 40));
  }
  resize(size.expandedTo(minimumSizeHint()));
  Splitter->setSizes({660, std::max(0, width() - 660)});
}

void TForm1::ShowPreview(bool shown) {
  if (shown == !previewPane_->isHidden()) return;
  if (!shown) {
    const int before = width();
    previewPane_->hide();
    layout()->activate();
    const int compact = std::max(minimumSizeHint().width(), 980);
    previewWidth_ = std::max(0, before - compact);
    if (before > compact) resize(compact, height());
    return;
  }
  previewPane_->show();
  int wider = width() + (previewWidth_ > 0 ? previewWidth_ : 360);
  if (const QScreen* onScreen = screen())
    wider = std::min(wider, onScreen->availableGeometry().width() - 16);
  if (wider > width()) resize(wider, height());
}

void TForm1::SetTabOrder() {
  QList<QWidget*> order{Button1, NameEdit, StringGrid1};
  for (QAbstractButton* item : RadioGroup1Items->buttons()) order.append(item);
  order.append({PrivateCheck, VCLCheck, StdCheck, MathCheck, StringCheck, Button2, Button3, Button4,
                Button5, EnumButton, Button6, BigConstructorBox, ToStringBox, FormBox, SystemBox,
                PreviewCheck, Preview->Tabs->tabBar()});
  for (QPlainTextEdit* page : Preview->PageViews()) order.append(page);
  order.append(Preview->CopyButton);
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm1::SetCompanions(TGenEnumForm* genEnumForm, TUserLogWindow* userLogWindow) {
  genEnumForm_ = genEnumForm;
  userLogWindow_ = userLogWindow;
}

int TForm1::ComparisonIndex() const { return std::max(0, RadioGroup1Items->checkedId()); }

void TForm1::SetComparisonIndex(int index) {
  if (QAbstractButton* item = RadioGroup1Items->button(index)) item->setChecked(true);
}

ClassInput TForm1::CurrentInput() const {
  ClassInput input;
  input.NameText = NameEdit->text().toStdString();
  for (int row = 0; row < MemberGridRows; ++row)
    for (int column = 0; column < 3; ++column)
      if (const QTableWidgetItem* cell = StringGrid1->item(row, column))
        input.Grid[row][column] = cell->text().toStdString();

  GenerationOptions& options = input.Options;
  options.ComparisonLevel = static_cast<ComparisonLevel>(ComparisonIndex());
  options.PrivateCopy = PrivateCheck->isChecked();
  options.FrameworkLibrary = VCLCheck->isChecked();
  options.StdLib = StdCheck->isChecked();
  options.MathLib = MathCheck->isChecked();
  options.CStrings = StringCheck->isChecked();
  options.BigConstructor = BigConstructorBox->isChecked();
  options.ToStringMethod = ToStringBox->isChecked();
  options.NameForm = SelectedNameForm;
  options.TargetSystem = SelectedSystem;
  input.HeaderInsertions = HeaderInsertions;
  return input;
}

void TForm1::DoIt() {
  const std::optional<ClassDescription> description = ReadClassDescription(CurrentInput());
  if (!description) {
    services_.ShowMessage(this, std::string(ShortClassNameMessage),
                          std::string(ShortClassNameCaption));
    return;
  }
  const std::optional<std::string> path = ChooseOutputPath(*description, *SaveDialog1);
  if (!path) return;

  // The source file may already hold the user's code: replacing needs a yes, and the old files
  // go to the trash so the replace can be undone.
  std::vector<std::string> paths;
  for (const OutputFile& file : ClassOutputFiles(*description, *path)) paths.push_back(file.Path);
  const std::vector<std::string> existing = ExistingFiles(paths);
  BeforeReplace beforeReplace;
  if (!existing.empty()) {
    if (!services_.AskYesNo(this, ReplaceQuestion(existing), std::string(ReplaceCaption))) return;
    beforeReplace = TrashReplacedFiles(services_);
  }

  for (const FileFailure& failure : WriteClassFiles(*description, *path, beforeReplace))
    services_.ShowMessage(this, DescribeFailure(failure), "Error");
}

void TForm1::Clear() {
  for (int row = 0; row < MemberGridRows; ++row)
    for (int column = 0; column < 3; ++column) {
      if (QTableWidgetItem* cell = StringGrid1->item(row, column))
        cell->setText(QString());
      else
        StringGrid1->setItem(row, column, new QTableWidgetItem());
    }
  NameEdit->clear();
  VCLCheck->setChecked(true);
  for (QCheckBox* box : {StdCheck, MathCheck, StringCheck, PrivateCheck}) box->setChecked(false);
  SetComparisonIndex(0);
}

void TForm1::Closer() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  // The application ends with the main window, whatever else is open.
  if (genEnumForm_ != nullptr) genEnumForm_->hide();
  if (userLogWindow_ != nullptr) userLogWindow_->hide();
  event->accept();
  emit Closed();
}

void TForm1::EnumGen() { OpenEnumerationDialog(EnumerationStyle::PlainEnumeration); }

void TForm1::EnumGen2() { OpenEnumerationDialog(EnumerationStyle::EnumerationClass); }

void TForm1::OpenEnumerationDialog(EnumerationStyle style) {
  if (genEnumForm_ == nullptr) return;
  hide();
  genEnumForm_->SetStyle(style);
  genEnumForm_->show();
  genEnumForm_->raise();
  genEnumForm_->activateWindow();
}

void TForm1::LogIt() {
  if (userLogWindow_ == nullptr) return;
  userLogWindow_->HandOver(
      {LogPrompt, QDir::homePath().toStdString() + LogFileLeaf, std::string()});
  userLogWindow_->ShowAndRaise();
}

void TForm1::ConstSeq() {
  services_.ShowMessage(this, "This function has not yet been implemented.",
                        "Oops, unavailable feature.");
}

int TForm1::CheckChoice(QComboBox* box, int accepted) {
  // The naming forms differ only in letter case, so an item spelled exactly as typed wins over
  // one that matches only when case is ignored.
  int index = box->findText(box->currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (index < 0) index = box->findText(box->currentText(), Qt::MatchFixedString);
  // Whatever the outcome, the box shows an item's own text afterwards: the match in its own
  // spelling, or the choice that still holds.
  const int shown = index >= 0 ? index : accepted;
  box->setCurrentIndex(shown);
  box->setEditText(box->itemText(shown));
  if (index < 0) services_.ShowMessage(this, InvalidSelectionMessage, "Error");
  return index;
}

void TForm1::SystemChanged() {
  if (checkingChoice_) return;
  checkingChoice_ = true;
  const int index = CheckChoice(SystemBox, static_cast<int>(SelectedSystem));
  checkingChoice_ = false;
  if (index < 0) return;
  SelectedSystem = static_cast<TargetSystem>(index);
  SystemChosen();
  UpdatePreview();
}

void TForm1::FormChange() {
  if (checkingChoice_) return;
  checkingChoice_ = true;
  const int index = CheckChoice(FormBox, static_cast<int>(SelectedNameForm));
  checkingChoice_ = false;
  if (index < 0) return;
  SelectedNameForm = static_cast<NameForm>(index);
  UpdatePreview();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::FocusOut) {
    // Only a move to another control finishes the entry; switching to another window or opening
    // the drop-down list does not.
    const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
    if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason) {
      if (watched == SystemBox) SystemChanged();
      if (watched == FormBox) FormChange();
    }
  }
  return QWidget::eventFilter(watched, event);
}

void TForm1::SystemChosen() { UpdateLibraryCaption(); }

void TForm1::UpdateLibraryCaption() {
  switch (SelectedSystem) {
    case TargetSystem::CBuilder:
      VCLCheck->setText(Text("VCL"));
      VCLCheck->setVisible(true);
      break;
    case TargetSystem::DevCpp:
      VCLCheck->setText(Text("WX strings"));
      VCLCheck->setVisible(true);
      break;
    case TargetSystem::VisualCpp:
      // The box adds nothing here; its caption stays as it was.
      VCLCheck->setVisible(true);
      break;
    case TargetSystem::Java:
      VCLCheck->setVisible(false);
      break;
  }
}

void TForm1::AcceptEnumeration(const std::string& typeName, const std::string& text) {
  ShowMainWindow();
  HeaderInsertions.push_back(text);
  for (int row = 0; row < MemberGridRows; ++row) {
    QTableWidgetItem* cell = StringGrid1->item(row, 0);
    if (cell == nullptr) {
      StringGrid1->setItem(row, 0, new QTableWidgetItem(QString::fromStdString(typeName)));
      break;
    }
    if (cell->text().isEmpty()) {
      cell->setText(QString::fromStdString(typeName));
      break;
    }
  }
  UpdatePreview();
}

void TForm1::ShowMainWindow() {
  show();
  raise();
  activateWindow();
}

}  // namespace zandrel
