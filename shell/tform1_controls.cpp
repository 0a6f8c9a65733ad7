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
#include <QMainWindow>
#include <QPushButton>
#include <QResizeEvent>
#include <QScreen>
#include <QScrollArea>
#include <QSplitter>
#include <QVBoxLayout>
#include <algorithm>

#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "shell/member_table_editor.h"
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

void DescribeControls(TForm1Ui& ui) {
  const std::pair<QWidget*, const char*> tips[] = {
      {ui.Button1,
       QT_TRANSLATE_NOOP(
           "zandrel::TForm1",
           "Write the header and source file, or the Java file, of this class (Ctrl+B)")},
      {ui.Button2,
       QT_TRANSLATE_NOOP("zandrel::TForm1",
                         "Empty the class name and the member table and untick the options")},
      {ui.Button3, QT_TRANSLATE_NOOP("zandrel::TForm1", "Close Zandrel (Ctrl+Q)")},
      {ui.Button4,
       QT_TRANSLATE_NOOP("zandrel::TForm1",
                         "Write a C++ enumeration with a function that names its values")},
      {ui.Button5, QT_TRANSLATE_NOOP("zandrel::TForm1",
                                     "Write a comment or an error report into your log file")},
      {ui.EnumButton,
       QT_TRANSLATE_NOOP("zandrel::TForm1", "Write a C++ enumeration wrapped in a class")},
      {ui.Button6, QT_TRANSLATE_NOOP("zandrel::TForm1", "Not available yet")},
      {ui.NameEdit, QT_TRANSLATE_NOOP("zandrel::TForm1",
                                      "The class's name; it also names the files Build writes")},
      {ui.StringGrid1,
       QT_TRANSLATE_NOOP(
           "zandrel::TForm1",
           "One member a row: its type, its name (with a parameter list for a method) "
           "and an optional initial value")},
      {ui.RadioGroup1,
       QT_TRANSLATE_NOOP("zandrel::TForm1", "Which comparison operators the class declares")},
      {ui.FormBox,
       QT_TRANSLATE_NOOP("zandrel::TForm1", "How the accessors of each member are named")},
      {ui.SystemBox,
       QT_TRANSLATE_NOOP("zandrel::TForm1", "The compiler or language the files are written for")},
      {ui.PreviewCheck,
       QT_TRANSLATE_NOOP("zandrel::TForm1", "Show beside the table what Build would write now")},
      {ui.Preview, QT_TRANSLATE_NOOP("zandrel::TForm1", "What Build would write now")}};
  for (const auto& [control, tip] : tips) control->setToolTip(TForm1::tr(tip));
  ui.NameEdit->setAccessibleName(TForm1::tr("Class name"));
  ui.StringGrid1->setAccessibleName(TForm1::tr("Member data and functions"));
  ui.FormBox->setAccessibleName(TForm1::tr("Form of names"));
  ui.SystemBox->setAccessibleName(TForm1::tr("Target system"));
  ui.Preview->setAccessibleName(TForm1::tr("Preview"));
  // Tests and accessibility tools find the controls by the window's names for them.
  const std::pair<QObject*, const char*> names[] = {
      {ui.Button1, "Button1"},           {ui.NameEdit, "NameEdit"}, {ui.StringGrid1, "StringGrid1"},
      {ui.RadioGroup1, "RadioGroup1"},   {ui.Button2, "Button2"},   {ui.Button3, "Button3"},
      {ui.Button4, "Button4"},           {ui.Button5, "Button5"},   {ui.EnumButton, "EnumButton"},
      {ui.Button6, "Button6"},           {ui.FormBox, "FormBox"},   {ui.SystemBox, "SystemBox"},
      {ui.PreviewCheck, "PreviewCheck"}, {ui.Preview, "Preview"}};
  for (const auto& [control, name] : names) control->setObjectName(Text(name));
}

// The name row, the member table, and under it the libraries, the generators and the buttons.
QWidget* LeftPane(TForm1Ui& ui, QWidget* window) {
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

  auto* pane = new QWidget(window);
  auto* left = new QVBoxLayout(pane);
  left->setContentsMargins(0, 0, 6, 0);
  left->addLayout(nameRow);
  left->addSpacing(6);
  left->addWidget(ui.Label3);
  left->addWidget(ui.StringGrid1, 100);
  left->addSpacing(6);
  left->addLayout(bottomRow);
  left->addStretch();
  return pane;
}

// The options above the preview.
QWidget* RightPane(TForm1Ui& ui, QWidget* window) {
  ui.OptionsPane = new QWidget(window);
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

  auto* pane = new QWidget(window);
  auto* right = new QVBoxLayout(pane);
  right->setContentsMargins(6, 0, 0, 0);
  right->addWidget(ui.OptionsPane, 0, Qt::AlignLeft);
  right->addWidget(ui.Preview, 1);
  // With the preview hidden the options stay at the top.
  right->addStretch(0);
  return pane;
}

}  // namespace

void BuildControls(TForm1Ui& ui, QWidget* window) {
  // Alt keys: each control's own, apart from the menu bar's (F, E, G, V, H) and the preview's Copy
  // (Y). There are more captions than letters: the framework box shares its letter with
  // Constructor with all variables (W) or Clear (L), and Show preview with StdLib (S); a shared
  // key moves the focus between the two.
  ui.Button1 = LargeButton(TForm1::tr("&Build"), window);
  ui.Label1 = new QLabel(TForm1::tr("&Class Name"), window);
  ui.Label1->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  ui.NameEdit = new QLineEdit(window);
  ui.Label1->setBuddy(ui.NameEdit);

  ui.Label3 = new QLabel(TForm1::tr("Member &data and functions"), window);
  ui.StringGrid1 = MemberTableEditor::MakeGrid(window);
  ui.Label3->setBuddy(ui.StringGrid1);

  ui.Button2 = LargeButton(TForm1::tr("C&lear"), window);
  ui.Button3 = LargeButton(TForm1::tr("E&xit"), window);
  ui.Button4 = new QPushButton(TForm1::tr("Generate En&umeration"), window);
  ui.Button5 = new QPushButton(TForm1::tr("L&og an error or comment"), window);
  ui.EnumButton = new QPushButton(TForm1::tr("Gener&ate Enumeration as a Class"), window);
  ui.Button6 = new QPushButton(TForm1::tr("Generate Constant Se&quence"), window);

  ui.PreviewCheck = new QCheckBox(TForm1::tr("&Show preview"), window);
  ui.PreviewCheck->setChecked(true);
  ui.Preview = new FilePreview(window);
}

void ArrangeControls(TForm1Ui& ui, QMainWindow* window) {
  DescribeControls(ui);
  ui.LeftPane = LeftPane(ui, window);
  ui.RightPane = RightPane(ui, window);
  ui.Splitter = new QSplitter(Qt::Horizontal, window);
  ui.Splitter->setChildrenCollapsible(false);
  ui.Splitter->addWidget(ui.LeftPane);
  ui.Splitter->addWidget(ui.RightPane);
  // A wider window widens the table too, not only the preview.
  ui.Splitter->setStretchFactor(0, 1);
  ui.Splitter->setStretchFactor(1, 2);

  ui.Scroller = new QScrollArea(window);
  ui.Scroller->setFrameShape(QFrame::NoFrame);
  ui.Scroller->setFocusPolicy(Qt::NoFocus);
  ui.Scroller->setWidgetResizable(true);
  ui.Scroller->setWidget(ui.Splitter);
  window->setCentralWidget(ui.Scroller);
  // A control the focus moves to, by Tab or an Alt key, scrolls into view; the window's own
  // activation leaves the view as it is.
  QObject::connect(
      qApp, &QApplication::focusChanged, ui.Scroller,
      [scroller = ui.Scroller](QWidget* before, QWidget* now) {
        if (before != nullptr && now != nullptr && scroller->widget()->isAncestorOf(now))
          scroller->ensureWidgetVisible(now);
      });
  MemberTableEditor::FitHeight(*ui.StringGrid1);
}

void SetTabOrder(const TForm1Ui& ui) {
  QList<QWidget*> order{ui.Button1, ui.NameEdit, ui.StringGrid1};
  for (QAbstractButton* item : ui.RadioGroup1Items->buttons()) order.append(item);
  order.append({ui.PrivateCheck, ui.VCLCheck, ui.StdCheck, ui.MathCheck, ui.StringCheck, ui.Button2,
                ui.Button3, ui.Button4, ui.Button5, ui.EnumButton, ui.Button6, ui.BigConstructorBox,
                ui.ToStringBox, ui.FormBox, ui.SystemBox,
                ui.OptionCheck(&GenerationOptions::JsonFunctions),
                ui.OptionCheck(&GenerationOptions::HashFunction),
                ui.OptionCheck(&GenerationOptions::Formatter), ui.PreviewCheck});
  order.append(ui.Preview->FocusOrder());
  for (qsizetype i = 0; i + 1 < order.size(); ++i) QWidget::setTabOrder(order[i], order[i + 1]);
}

void TForm1::SizeForScreen() {
  SizeToScreen(*ui_, *this);
  narrow_ = FlowOptions(*ui_, *this, narrow_);
}

void TForm1::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  narrow_ = FlowOptions(*ui_, *this, narrow_);
}

void TForm1::ShowPreview(bool shown) {
  previewWidth_ = ShowPreviewPane(*ui_, *this, shown, previewWidth_);
}

void SizeToScreen(TForm1Ui& ui, QWidget& window) {
  // Table, options and preview side by side, within the screen's free area.
  QSize size(1340, 700);
  if (const QScreen* shown = window.screen()) {
    const QRect free = shown->availableGeometry();
    size = size.boundedTo(QSize(free.width() - 16, free.height() - 40));
  }
  window.resize(size);
  ui.Splitter->setSizes({660, std::max(0, window.width() - 660)});
}

// Side by side while the window is wide enough for the table and the options; narrower, the
// options flow under the table and the preview under them, keeping its lines.
bool FlowOptions(TForm1Ui& ui, const QWidget& window, bool wasNarrow) {
  const int wide = ui.LeftPane->minimumSizeHint().width() +
                   ui.OptionsPane->minimumSizeHint().width() + ui.Splitter->handleWidth() + 40;
  const bool narrow = window.width() < wide;
  if (narrow == wasNarrow) return narrow;
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
  return narrow;
}

int ShowPreviewPane(TForm1Ui& ui, QWidget& window, bool shown, int previewWidth) {
  QWidget* pane = ui.Preview;
  if (shown == !pane->isHidden()) return previewWidth;
  if (!shown) {
    const int before = window.width();
    pane->hide();
    // Narrow enough for the table and the options side by side, no narrower.
    const int compact = ui.LeftPane->minimumSizeHint().width() +
                        ui.OptionsPane->minimumSizeHint().width() + ui.Splitter->handleWidth() + 60;
    if (before > compact) window.resize(compact, window.height());
    return std::max(0, before - compact);
  }
  pane->show();
  int wider = window.width() + (previewWidth > 0 ? previewWidth : 360);
  if (const QScreen* onScreen = window.screen())
    wider = std::min(wider, onScreen->availableGeometry().width() - 16);
  if (wider > window.width()) window.resize(wider, window.height());
  return previewWidth;
}

}  // namespace zandrel
