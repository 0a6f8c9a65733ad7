// The main window's controls as the user sees them: captions with their Alt keys, tool tips,
// their arrangement in two columns (or one, in a narrow window), the tab order and the size.

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "classgen/targets.h"
#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

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

// The preview keeps this many lines whatever the window's size.
constexpr int PreviewLines = 12;

}  // namespace

void TForm1::BuildControls() {
  // Alt keys: each control's own, apart from the menu bar's (F, E, G, V, H) and the preview's Copy
  // (Y). There are more captions than letters: the framework box shares its letter with
  // Constructor with all variables (W) or Clear (L), and Show preview with StdLib (S); a shared
  // key moves the focus between the two.
  TForm1Ui& ui = *ui_;
  ui.Button1 = LargeButton(tr("&Build"), this);
  ui.Label1 = new QLabel(tr("&Class Name"), this);
  ui.Label1->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  ui.NameEdit = new QLineEdit(this);
  ui.Label1->setBuddy(ui.NameEdit);

  ui.Label3 = new QLabel(tr("Member &data and functions"), this);
  ui.StringGrid1 = new LiveEditGrid(MemberGridRows, 3, this);
  LiveEditGrid* grid = ui.StringGrid1;
  grid->setHorizontalHeaderLabels({tr("Type"), tr("Name"), tr("Initial value")});
  grid->horizontalHeader()->setHighlightSections(false);
  grid->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
  // Tab leaves the grid for the next control; arrows move between cells.
  grid->setTabKeyNavigation(false);
  grid->setSelectionMode(QAbstractItemView::ExtendedSelection);
  ui.Label3->setBuddy(grid);
  // The Name column takes the spare width; the others keep what the user drags them to.
  QHeaderView* header = grid->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(1, QHeaderView::Stretch);
  header->resizeSection(0, header->fontMetrics().horizontalAdvance(Text("unsigned long int")));
  header->resizeSection(
      2, header->fontMetrics().horizontalAdvance(tr("Initial value") + QStringLiteral("  ")));

  // The group's key goes to its ticked item; arrows move between the items.
  ui.RadioGroup1 = new QGroupBox(tr("Com&parisons"), this);
  ui.RadioGroup1Items = new QButtonGroup(ui.RadioGroup1);
  auto* radioLayout = new QVBoxLayout(ui.RadioGroup1);
  const char* const comparisonItems[] = {
      QT_TR_NOOP("No comparison operators"),
      QT_TR_NOOP("Equal and not equal only (you implement = and <)"),
      QT_TR_NOOP("All comparisons (you implement = and <)")};
  for (int index = 0; index < 3; ++index) {
    auto* item = new QRadioButton(tr(comparisonItems[index]), ui.RadioGroup1);
    ui.RadioGroup1Items->addButton(item, index);
    radioLayout->addWidget(item);
  }
  ui.RadioGroup1Items->button(0)->setChecked(true);

  for (std::size_t row = 0; row < std::size(FlagOptions); ++row) {
    const FlagOption& option = FlagOptions[row];
    auto* box = new QCheckBox(tr(option.Caption), this);
    box->setChecked(option.Default);
    if (option.ToolTip != nullptr) box->setToolTip(tr(option.ToolTip));
    box->setObjectName(Text(option.ControlName));
    ui.OptionChecks[row] = box;
  }
  ui.PrivateCheck = ui.OptionCheck(&GenerationOptions::PrivateCopy);
  ui.VCLCheck = ui.OptionCheck(&GenerationOptions::FrameworkLibrary);
  ui.StdCheck = ui.OptionCheck(&GenerationOptions::StdLib);
  ui.MathCheck = ui.OptionCheck(&GenerationOptions::MathLib);
  ui.StringCheck = ui.OptionCheck(&GenerationOptions::CStrings);
  ui.BigConstructorBox = ui.OptionCheck(&GenerationOptions::BigConstructor);
  ui.ToStringBox = ui.OptionCheck(&GenerationOptions::ToStringMethod);
  ui.Label2 = new QLabel(tr("Libraries"), this);
  // Hidden for Java; its place is kept so the controls below do not jump.
  QSizePolicy keepPlace = ui.VCLCheck->sizePolicy();
  keepPlace.setRetainSizeWhenHidden(true);
  ui.VCLCheck->setSizePolicy(keepPlace);
  ui.Button2 = LargeButton(tr("C&lear"), this);
  ui.Button3 = LargeButton(tr("E&xit"), this);
  ui.Button4 = new QPushButton(tr("Generate En&umeration"), this);
  ui.Button5 = new QPushButton(tr("L&og an error or comment"), this);
  ui.EnumButton = new QPushButton(tr("Gener&ate Enumeration as a Class"), this);
  ui.Button6 = new QPushButton(tr("Generate Constant Se&quence"), this);

  ui.Label4 = new QLabel(tr("Form of &names"), this);
  ui.FormBox = new ChoiceBox(services_,
                             {tr("get_variable and set_variable"),
                              tr("getVariable and setVariable"), tr("GetVariable and SetVariable")},
                             static_cast<int>(NameForm::LowerUnderscore), this);
  ui.Label4->setBuddy(ui.FormBox);
  QStringList systems;
  for (const ClassTarget& target : ClassTargets()) systems.append(Text(target.ItemText));
  ui.SystemBox =
      new ChoiceBox(services_, systems, TargetRow(GenerationOptions().TargetSystem), this);
  ui.SystemLabel = new QLabel(tr("Ta&rget system"), this);
  ui.SystemLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  ui.SystemLabel->setBuddy(ui.SystemBox);

  ui.PreviewCheck = new QCheckBox(tr("&Show preview"), this);
  ui.PreviewCheck->setChecked(true);
  ui.Preview = new FilePreview(this);

  const std::pair<QWidget*, const char*> tips[] = {
      {ui.Button1,
       QT_TR_NOOP("Write the header and source file, or the Java file, of this class (Ctrl+B)")},
      {ui.Button2, QT_TR_NOOP("Empty the class name and the member table and untick the options")},
      {ui.Button3, QT_TR_NOOP("Close Zandrel (Ctrl+Q)")},
      {ui.Button4, QT_TR_NOOP("Write a C++ enumeration with a function that names its values")},
      {ui.Button5, QT_TR_NOOP("Write a comment or an error report into your log file")},
      {ui.EnumButton, QT_TR_NOOP("Write a C++ enumeration wrapped in a class")},
      {ui.Button6, QT_TR_NOOP("Not available yet")},
      {ui.NameEdit, QT_TR_NOOP("The class's name; it also names the files Build writes")},
      {grid, QT_TR_NOOP("One member a row: its type, its name (with a parameter list for a method) "
                        "and an optional initial value")},
      {ui.RadioGroup1, QT_TR_NOOP("Which comparison operators the class declares")},
      {ui.FormBox, QT_TR_NOOP("How the accessors of each member are named")},
      {ui.SystemBox, QT_TR_NOOP("The compiler or language the files are written for")},
      {ui.PreviewCheck, QT_TR_NOOP("Show beside the table what Build would write now")},
      {ui.Preview, QT_TR_NOOP("What Build would write now")}};
  for (const auto& [control, tip] : tips) control->setToolTip(tr(tip));
  ui.NameEdit->setAccessibleName(tr("Class name"));
  grid->setAccessibleName(tr("Member data and functions"));
  ui.FormBox->setAccessibleName(tr("Form of names"));
  ui.SystemBox->setAccessibleName(tr("Target system"));
  ui.Preview->setAccessibleName(tr("Preview"));
  // Tests and accessibility tools find the controls by the window's names for them.
  const std::pair<QObject*, const char*> names[] = {
      {ui.Button1, "Button1"},           {ui.NameEdit, "NameEdit"}, {grid, "StringGrid1"},
      {ui.RadioGroup1, "RadioGroup1"},   {ui.Button2, "Button2"},   {ui.Button3, "Button3"},
      {ui.Button4, "Button4"},           {ui.Button5, "Button5"},   {ui.EnumButton, "EnumButton"},
      {ui.Button6, "Button6"},           {ui.FormBox, "FormBox"},   {ui.SystemBox, "SystemBox"},
      {ui.PreviewCheck, "PreviewCheck"}, {ui.Preview, "Preview"}};
  for (const auto& [control, name] : names) control->setObjectName(Text(name));
}

void TForm1::ArrangeControls() {
  TForm1Ui& ui = *ui_;
  auto* nameRow = new QGridLayout;
  nameRow->addWidget(ui.Label1, 0, 0);
  nameRow->addWidget(ui.SystemLabel, 0, 1);
  nameRow->addWidget(ui.NameEdit, 1, 0);
  nameRow->addWidget(ui.SystemBox, 1, 1);
  nameRow->setColumnStretch(0, 3);
  nameRow->setColumnStretch(1, 2);

  auto* libraries = new QVBoxLayout;
  libraries->addWidget(ui.Label2);
  for (QCheckBox* box : {ui.VCLCheck, ui.StdCheck, ui.MathCheck, ui.StringCheck})
    libraries->addWidget(box);
  libraries->addStretch();

  auto* generators = new QVBoxLayout;
  for (QPushButton* button : {ui.Button4, ui.EnumButton, ui.Button6}) generators->addWidget(button);
  generators->addStretch();

  auto* mainButtons = new QHBoxLayout;
  for (QPushButton* button : {ui.Button1, ui.Button2, ui.Button3}) mainButtons->addWidget(button);
  auto* actions = new QVBoxLayout;
  actions->addLayout(mainButtons);
  actions->addWidget(ui.Button5);
  actions->addStretch();

  auto* bottomRow = new QHBoxLayout;
  bottomRow->addLayout(libraries);
  bottomRow->addSpacing(12);
  bottomRow->addLayout(generators);
  bottomRow->addSpacing(12);
  bottomRow->addLayout(actions);

  ui.LeftPane = new QWidget(this);
  auto* left = new QVBoxLayout(ui.LeftPane);
  left->setContentsMargins(0, 0, 6, 0);
  left->addLayout(nameRow);
  left->addSpacing(6);
  left->addWidget(ui.Label3);
  left->addWidget(ui.StringGrid1, 100);
  left->addSpacing(6);
  left->addLayout(bottomRow);
  left->addStretch();
  // The grid grows until every member row shows, and no further.
  LiveEditGrid* grid = ui.StringGrid1;
  grid->setMaximumHeight(grid->horizontalHeader()->sizeHint().height() +
                         grid->verticalHeader()->length() + 2 * grid->frameWidth());

  ui.OptionsPane = new QWidget(this);
  auto* options = new QVBoxLayout(ui.OptionsPane);
  options->setContentsMargins(0, 0, 0, 0);
  options->addWidget(ui.RadioGroup1);
  options->addSpacing(10);
  options->addWidget(ui.Label4);
  options->addWidget(ui.FormBox);
  options->addSpacing(10);
  for (QCheckBox* box : {ui.ToStringBox, ui.PrivateCheck, ui.BigConstructorBox})
    options->addWidget(box);
  // What only the modern C++ target writes.
  for (QCheckBox* box : {ui.OptionCheck(&GenerationOptions::JsonFunctions),
                         ui.OptionCheck(&GenerationOptions::HashFunction),
                         ui.OptionCheck(&GenerationOptions::Formatter)})
    options->addWidget(box);
  options->addSpacing(10);
  options->addWidget(ui.PreviewCheck);
  // The options keep a readable width however wide the preview below them grows.
  ui.OptionsPane->setSizePolicy(QSizePolicy::Maximum, QSizePolicy::Maximum);

  ui.RightPane = new QWidget(this);
  auto* right = new QVBoxLayout(ui.RightPane);
  right->setContentsMargins(6, 0, 0, 0);
  right->addWidget(ui.OptionsPane, 0, Qt::AlignLeft);
  right->addWidget(ui.Preview, 1);
  // With the preview hidden the options stay at the top.
  right->addStretch(0);

  ui.Splitter = new QSplitter(Qt::Horizontal, this);
  ui.Splitter->setChildrenCollapsible(false);
  ui.Splitter->addWidget(ui.LeftPane);
  ui.Splitter->addWidget(ui.RightPane);
  // A wider window widens the table too, not only the preview.
  ui.Splitter->setStretchFactor(0, 1);
  ui.Splitter->setStretchFactor(1, 2);

  ui.Scroller = new QScrollArea(this);
  ui.Scroller->setFrameShape(QFrame::NoFrame);
  ui.Scroller->setFocusPolicy(Qt::NoFocus);
  ui.Scroller->setWidgetResizable(true);
  ui.Scroller->setWidget(ui.Splitter);
  setCentralWidget(ui.Scroller);
  // A control the focus moves to, by Tab or an Alt key, scrolls into view; the window's own
  // activation leaves the view as it is.
  connect(qApp, &QApplication::focusChanged, ui.Scroller,
          [scroller = ui.Scroller](QWidget* before, QWidget* now) {
            if (before != nullptr && now != nullptr && scroller->widget()->isAncestorOf(now))
              scroller->ensureWidgetVisible(now);
          });
}

void TForm1::SetTabOrder() {
  const TForm1Ui& ui = *ui_;
  QList<QWidget*> order{ui.Button1, ui.NameEdit, ui.StringGrid1};
  for (QAbstractButton* item : ui.RadioGroup1Items->buttons()) order.append(item);
  order.append({ui.PrivateCheck, ui.VCLCheck, ui.StdCheck, ui.MathCheck, ui.StringCheck, ui.Button2,
                ui.Button3, ui.Button4, ui.Button5, ui.EnumButton, ui.Button6, ui.BigConstructorBox,
                ui.ToStringBox, ui.FormBox, ui.SystemBox,
                ui.OptionCheck(&GenerationOptions::JsonFunctions),
                ui.OptionCheck(&GenerationOptions::HashFunction),
                ui.OptionCheck(&GenerationOptions::Formatter), ui.PreviewCheck});
  order.append(ui.Preview->FocusOrder());
  for (qsizetype i = 0; i + 1 < order.size(); ++i) setTabOrder(order[i], order[i + 1]);
}

void TForm1::SizeForScreen() {
  // Table, options and preview side by side, within the screen's free area.
  QSize size(1340, 700);
  if (const QScreen* shown = screen()) {
    const QRect free = shown->availableGeometry();
    size = size.boundedTo(QSize(free.width() - 16, free.height() - 40));
  }
  resize(size);
  ui_->Splitter->setSizes({660, std::max(0, width() - 660)});
  FlowOptions();
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  FlowOptions();
}

// Side by side while the window is wide enough for the table and the options; narrower, the
// options flow under the table and the preview under them, keeping its lines.
void TForm1::FlowOptions() {
  TForm1Ui& ui = *ui_;
  const int wide = ui.LeftPane->minimumSizeHint().width() +
                   ui.OptionsPane->minimumSizeHint().width() + ui.Splitter->handleWidth() + 40;
  const bool narrow = width() < wide;
  if (narrow == narrow_) return;
  narrow_ = narrow;
  auto* left = static_cast<QVBoxLayout*>(ui.LeftPane->layout());
  auto* right = static_cast<QVBoxLayout*>(ui.RightPane->layout());
  if (narrow) {
    right->removeWidget(ui.OptionsPane);
    left->insertWidget(left->count() - 1, ui.OptionsPane, 0, Qt::AlignLeft);
  } else {
    left->removeWidget(ui.OptionsPane);
    right->insertWidget(0, ui.OptionsPane, 0, Qt::AlignLeft);
  }
  ui.Splitter->setOrientation(narrow ? Qt::Vertical : Qt::Horizontal);
  // One above the other, the window scrolls: the table shows every row, the preview its lines.
  const int line = ui.Preview->fontMetrics().lineSpacing();
  ui.Preview->setMinimumHeight(narrow ? PreviewLines * line + 4 * line : 0);
  ui.StringGrid1->setMinimumHeight(narrow ? ui.StringGrid1->maximumHeight() : 0);
}

void TForm1::ShowPreview(bool shown) {
  QWidget* pane = ui_->Preview;
  if (shown == !pane->isHidden()) return;
  if (!shown) {
    const int before = width();
    pane->hide();
    // Narrow enough for the table and the options side by side, no narrower.
    const int compact = ui_->LeftPane->minimumSizeHint().width() +
                        ui_->OptionsPane->minimumSizeHint().width() + ui_->Splitter->handleWidth() +
                        60;
    previewWidth_ = std::max(0, before - compact);
    if (before > compact) resize(compact, height());
    return;
  }
  pane->show();
  int wider = width() + (previewWidth_ > 0 ? previewWidth_ : 360);
  if (const QScreen* onScreen = screen())
    wider = std::min(wider, onScreen->availableGeometry().width() - 16);
  if (wider > width()) resize(wider, height());
}

}  // namespace zandrel
