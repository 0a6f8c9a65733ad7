#include "shell/tform1.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDir>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "classgen/class_build.h"
#include "classgen/targets.h"
#include "core/output_text.h"
#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "desktop/platform_services.h"
#include "enumgen/genenum.h"
#include "feedback/log_entry.h"
#include "feedback/userlog.h"
#include "shell/description_history.h"

namespace zandrel {

namespace {

const char* const LogPrompt = "Please note precisely what the error is or what should be improved.";

QString Text(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QPushButton* LargeButton(const QString& caption, QWidget* parent) {
  auto* button = new QPushButton(caption, parent);
  QFont font = button->font();
  font.setPointSizeF(font.pointSizeF() * 1.25);
  font.setBold(true);
  button->setFont(font);
  button->setMinimumSize(84, 44);
  return button;
}

// The files Build would write for this input, named as the save dialog would propose, or Build's
// refusal in their place; before a class name is typed, a quiet note.
std::vector<PreviewPage> PreviewPages(const ClassInput& input) {
  std::vector<PreviewPage> pages;
  const std::optional<ClassDescription> description = ReadClassDescription(input);
  if (!description) {
    const SharedText note =
        ShareText(input.NameText.empty() ? "Type a class name to see the files Build will write."
                                         : std::string(ShortClassNameMessage));
    for (const TargetFile& file : TargetOf(input.Options.TargetSystem).Files)
      pages.push_back({std::string(file.TabName), {}, {note}});
    return pages;
  }
  for (ClassFileText& file : ClassFileTexts(*description, ProposedFileName(*description)))
    pages.push_back({std::move(file.TabName), std::move(file.Path), std::move(file.Text)});
  return pages;
}

}  // namespace

TForm1::TForm1(PlatformServices& services, QWidget* parent) : QWidget(parent), services_(services) {
  BuildControls();
  ArrangeControls();

  SaveDialog1 = services_.CreateSaveDialog(this);
  SaveDialog1->Filter = std::string(SaveDialogFilter);
  SaveDialog1->FilterIndex = 1;

  NameEdit->clear();
  UpdateLibraryCaption();
  ConnectControls();
  ConnectHistory();
  BuildMenus();
  UpdateTitle();
  UpdatePreview();
  SetTabOrder();
  Button1->setFocus();
  SizeForScreen();
}

TForm1::~TForm1() {
  // Controls going with the window must not call back into it, nor record anything.
  history_.reset();
  for (QObject* sender : {static_cast<QObject*>(StringGrid1), static_cast<QObject*>(SystemBox),
                          static_cast<QObject*>(FormBox)})
    disconnect(sender, nullptr, this, nullptr);
}

void TForm1::BuildControls() {
  Button1 = LargeButton(Text("Build"), this);
  Label1 = new QLabel(Text("Class Name"), this);
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
  NameEdit = new QLineEdit(this);
  Label1->setBuddy(NameEdit);

  Label3 = new QLabel(Text("Member data and functions"), this);
  StringGrid1 = new LiveEditGrid(MemberGridRows, 3, this);
  StringGrid1->setHorizontalHeaderLabels({Text("Type"), Text("Name"), Text("Initial value")});
  StringGrid1->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
  StringGrid1->horizontalHeader()->setHighlightSections(false);
  StringGrid1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  StringGrid1->verticalHeader()->setDefaultSectionSize(StringGrid1->fontMetrics().height() + 6);
  // Tab leaves the grid for the next control; arrows move between cells.
  StringGrid1->setTabKeyNavigation(false);
  StringGrid1->setSelectionMode(QAbstractItemView::ExtendedSelection);
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
  FormBox =
      new ChoiceBox(services_,
                    {Text("get_variable and set_variable"), Text("getVariable and setVariable"),
                     Text("GetVariable and SetVariable")},
                    static_cast<int>(NameForm::LowerUnderscore), this);
  Label4->setBuddy(FormBox);
  QStringList systems;
  for (const ClassTarget& target : ClassTargets()) systems.append(Text(target.ItemText));
  SystemBox = new ChoiceBox(services_, systems, static_cast<int>(TargetSystem::DevCpp), this);
  SystemBox->setToolTip(Text("Target system"));

  PreviewCheck = new QCheckBox(Text("Show preview"), this);
  PreviewCheck->setChecked(true);
  Preview = new FilePreview(this);
  Preview->setToolTip(Text("What Build would write now"));
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

void TForm1::ConnectControls() {
  connect(Button1, &QPushButton::clicked, this, &TForm1::DoIt);
  connect(Button2, &QPushButton::clicked, this, &TForm1::Clear);
  connect(Button3, &QPushButton::clicked, this, &TForm1::Closer);
  connect(Button4, &QPushButton::clicked, this, &TForm1::EnumGen);
  connect(Button5, &QPushButton::clicked, this, &TForm1::LogIt);
  connect(EnumButton, &QPushButton::clicked, this, &TForm1::EnumGen2);
  connect(Button6, &QPushButton::clicked, this, &TForm1::ConstSeq);
  // Enter presses the focused button, as Space does.
  for (QPushButton* button :
       {Button1, Button2, Button3, Button4, Button5, EnumButton, Button6, Preview->CopyButton})
    button->setAutoDefault(true);
  connect(SystemBox, &ChoiceBox::Accepted, this, &TForm1::SystemChanged);
  connect(FormBox, &ChoiceBox::Accepted, this, &TForm1::FormChange);
  connect(PreviewCheck, &QCheckBox::toggled, this, &TForm1::ShowPreview);
  Preview->SetSource(
      [this] { return PreviewJob([input = CurrentInput()] { return PreviewPages(input); }); });

  // The preview follows every keystroke and tick.
  connect(NameEdit, &QLineEdit::textChanged, this, &TForm1::UpdatePreview);
  connect(StringGrid1, &LiveEditGrid::Edited, this, &TForm1::UpdatePreview);
  connect(RadioGroup1Items, &QButtonGroup::idToggled, this, &TForm1::UpdatePreview);
  for (QCheckBox* box :
       {PrivateCheck, VCLCheck, StdCheck, MathCheck, StringCheck, BigConstructorBox, ToStringBox})
    connect(box, &QCheckBox::toggled, this, &TForm1::UpdatePreview);
}

// The preview is made from a copy of the input, on the preview's worker, once per burst of changes
// and only while it shows.
void TForm1::UpdatePreview() { Preview->Invalidate(); }

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
                PreviewCheck});
  order.append(Preview->FocusOrder());
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm1::SetCompanions(TGenEnumForm* genEnumForm, TUserLogWindow* userLogWindow) {
  genEnumForm_ = genEnumForm;
  userLogWindow_ = userLogWindow;
  if (genEnumForm_ != nullptr)
    connect(genEnumForm_, &TGenEnumForm::Finished, this, &TForm1::ReportEnumeration);
}

TGenEnumForm* TForm1::GenEnumForm() {
  if (genEnumForm_ == nullptr) {
    ownGenEnumForm_ = std::make_unique<TGenEnumForm>(services_, *this);
    genEnumForm_ = ownGenEnumForm_.get();
    connect(genEnumForm_, &TGenEnumForm::Finished, this, &TForm1::ReportEnumeration);
  }
  return genEnumForm_;
}

TUserLogWindow* TForm1::UserLogWindow() {
  if (userLogWindow_ == nullptr) {
    ownUserLogWindow_ = std::make_unique<TUserLogWindow>(services_);
    userLogWindow_ = ownUserLogWindow_.get();
  }
  return userLogWindow_;
}

TargetSystem TForm1::SelectedSystem() const {
  return static_cast<TargetSystem>(SystemBox->AcceptedIndex());
}

NameForm TForm1::SelectedNameForm() const {
  return static_cast<NameForm>(FormBox->AcceptedIndex());
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
      input.Grid[row][column] = StringGrid1->CellText(row, column).toStdString();

  GenerationOptions& options = input.Options;
  options.ComparisonLevel = static_cast<ComparisonLevel>(ComparisonIndex());
  options.PrivateCopy = PrivateCheck->isChecked();
  options.FrameworkLibrary = VCLCheck->isChecked();
  options.StdLib = StdCheck->isChecked();
  options.MathLib = MathCheck->isChecked();
  options.CStrings = StringCheck->isChecked();
  options.BigConstructor = BigConstructorBox->isChecked();
  options.ToStringMethod = ToStringBox->isChecked();
  options.NameForm = SelectedNameForm();
  options.TargetSystem = SelectedSystem();
  input.HeaderInsertions = headerInsertions_;
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

  const std::vector<FileFailure> failures = WriteClassFiles(*description, *path, beforeReplace);
  for (const FileFailure& failure : failures)
    services_.ShowMessage(this, DescribeFailure(failure), "Error");
  if (failures.empty()) ReportBuild(paths);
}

void TForm1::Clear() {
  DescriptionState cleared = CurrentState();
  cleared.NameText.clear();
  cleared.Table = {};
  GenerationOptions& options = cleared.Options;
  options.FrameworkLibrary = true;
  options.StdLib = options.MathLib = options.CStrings = options.PrivateCopy = false;
  options.ComparisonLevel = ComparisonLevel::NoComparisons;
  history_->Change(Text("Clear"), cleared);
}

void TForm1::Closer() { close(); }

void TForm1::closeEvent(QCloseEvent* event) {
  if (!MaybeSave()) {
    event->ignore();
    return;
  }
  // The application ends with the main window, whatever else is open.
  if (genEnumForm_ != nullptr) genEnumForm_->hide();
  if (userLogWindow_ != nullptr) userLogWindow_->hide();
  event->accept();
  emit Closed();
}

void TForm1::EnumGen() { OpenEnumerationDialog(EnumerationStyle::PlainEnumeration); }

void TForm1::EnumGen2() { OpenEnumerationDialog(EnumerationStyle::EnumerationClass); }

void TForm1::OpenEnumerationDialog(EnumerationStyle style) {
  TGenEnumForm* dialog = GenEnumForm();
  hide();
  dialog->SetStyle(style);
  dialog->show();
  dialog->raise();
  dialog->activateWindow();
}

void TForm1::LogIt() {
  TUserLogWindow* window = UserLogWindow();
  window->HandOver({LogPrompt, UserLogFileName(), std::string()});
  window->ShowAndRaise();
}

void TForm1::ConstSeq() {
  services_.ShowMessage(this, "This function has not yet been implemented.",
                        "Oops, unavailable feature.");
}

void TForm1::SystemChanged() {
  SystemChosen();
  UpdatePreview();
}

void TForm1::FormChange() { UpdatePreview(); }

void TForm1::SystemChosen() { UpdateLibraryCaption(); }

void TForm1::UpdateLibraryCaption() {
  // The caption tells what the box adds to the header; a target it adds nothing to leaves it.
  const ClassTarget& target = TargetOf(SelectedSystem());
  if (!target.LibraryCaption.empty()) VCLCheck->setText(Text(target.LibraryCaption));
  VCLCheck->setVisible(target.LibraryShown);
}

void TForm1::AcceptEnumeration(const std::string& typeName, std::string text) {
  ShowMainWindow();
  DescriptionState accepted = CurrentState();
  accepted.HeaderInsertions.push_back(std::move(text));
  for (MemberCells& row : accepted.Table) {
    if (row[0].empty()) {
      row[0] = typeName;
      break;
    }
  }
  history_->Change(Text("Enumeration"), accepted);
}

void TForm1::ShowMainWindow() {
  show();
  raise();
  activateWindow();
}

bool TForm1::HoldsInsertion(const std::string& text) const {
  return std::find(headerInsertions_.begin(), headerInsertions_.end(), text) !=
         headerInsertions_.end();
}

}  // namespace zandrel
