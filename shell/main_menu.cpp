// The main window's Build, Generate, View and Help commands, the captions' Alt keys, the tool tips
// that tell what each control adds to the files, and the status bar that tells what Build wrote.

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStatusBar>
#include <QToolButton>

#include "classgen/targets.h"
#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/help_window.h"
#include "desktop/live_edit_grid.h"
#include "desktop/platform_services.h"
#include "shell/tform1.h"

namespace zandrel {

namespace {

QAction* Command(QWidget* window, const QString& text, const QList<QKeySequence>& keys,
                 const QString& tip) {
  auto* action = new QAction(text, window);
  action->setShortcuts(keys);
  action->setStatusTip(tip);
  return action;
}

}  // namespace

void TForm1::AddCommandMenus() {
  // File and Edit hold the document and row commands already; these join them.
  BuildAction = Command(this, QStringLiteral("&Build…"), {QKeySequence(Qt::CTRL | Qt::Key_B)},
                        QStringLiteral("Write the class's files"));
  FileMenu->insertAction(ExitAction, BuildAction);
  FileMenu->insertSeparator(ExitAction);
  ExitAction->setText(QStringLiteral("&Quit"));
  ExitAction->setShortcuts(QKeySequence::keyBindings(QKeySequence::Quit).isEmpty()
                               ? QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_Q)}
                               : QKeySequence::keyBindings(QKeySequence::Quit));
  ClearAction = Command(this, QStringLiteral("Cle&ar"), {},
                        QStringLiteral("Empty the class name and the member table"));
  EditMenu->addSeparator();
  EditMenu->addAction(ClearAction);

  GenerateMenu = MenuBar->addMenu(QStringLiteral("&Generate"));
  EnumerationAction = Command(this, QStringLiteral("Generate &Enumeration…"), {}, {});
  EnumerationClassAction =
      Command(this, QStringLiteral("Generate Enumeration as a &Class…"), {}, {});
  ConstantSequenceAction = Command(this, QStringLiteral("Generate Constant &Sequence"), {}, {});
  LogAction = Command(this, QStringLiteral("&Log an error or comment…"), {}, {});
  GenerateMenu->addActions({EnumerationAction, EnumerationClassAction, ConstantSequenceAction});
  GenerateMenu->addSeparator();
  GenerateMenu->addAction(LogAction);

  ViewMenu = MenuBar->addMenu(QStringLiteral("&View"));
  PreviewAction = Command(this, QStringLiteral("Show &Preview"), {}, {});
  PreviewAction->setCheckable(true);
  PreviewAction->setChecked(PreviewCheck->isChecked());
  ViewMenu->addAction(PreviewAction);

  HelpMenu = MenuBar->addMenu(QStringLiteral("&Help"));
  HelpAction = Command(this, QStringLiteral("Zandrel &Help"),
                       QKeySequence::keyBindings(QKeySequence::HelpContents), {});
  AboutAction = Command(this, QStringLiteral("&About Zandrel"), {}, {});
  AboutQtAction = Command(this, QStringLiteral("About &Qt"), {}, {});
  HelpMenu->addAction(HelpAction);
  HelpMenu->addSeparator();
  HelpMenu->addActions({AboutAction, AboutQtAction});

  // The menu commands are the buttons' own.
  connect(BuildAction, &QAction::triggered, this, &TForm1::DoIt);
  connect(ClearAction, &QAction::triggered, this, &TForm1::Clear);
  connect(EnumerationAction, &QAction::triggered, this, &TForm1::EnumGen);
  connect(EnumerationClassAction, &QAction::triggered, this, &TForm1::EnumGen2);
  connect(ConstantSequenceAction, &QAction::triggered, this, &TForm1::ConstSeq);
  connect(LogAction, &QAction::triggered, this, &TForm1::LogIt);
  connect(PreviewAction, &QAction::toggled, PreviewCheck, &QCheckBox::setChecked);
  connect(PreviewCheck, &QCheckBox::toggled, PreviewAction, &QAction::setChecked);
  connect(HelpAction, &QAction::triggered, this, &TForm1::ShowHelp);
  connect(AboutAction, &QAction::triggered, this, [this] { ShowAboutZandrel(this); });
  connect(AboutQtAction, &QAction::triggered, qApp, &QApplication::aboutQt);

  // Below the table, options and preview.
  StatusBar = new QStatusBar(this);
  StatusBar->setSizeGripEnabled(false);
  OpenFolderButton = new QToolButton(StatusBar);
  OpenFolderButton->setText(QStringLiteral("Open folder"));
  OpenFolderButton->setToolTip(QStringLiteral("Open the folder Build wrote to"));
  OpenFolderButton->setAutoRaise(true);
  OpenFolderButton->hide();
  StatusBar->addPermanentWidget(OpenFolderButton);
  connect(OpenFolderButton, &QToolButton::clicked, this,
          [this] { services_.OpenFolder(this, builtFolder_.toStdString()); });
  auto* box = qobject_cast<QBoxLayout*>(layout());
  box->setDirection(QBoxLayout::TopToBottom);
  box->addWidget(StatusBar);

  DescribeControls();
  FitAnyScreen();
  connect(SystemBox, &ChoiceBox::Accepted, this, &TForm1::UpdateLibraryBoxes);
  UpdateLibraryBoxes();
}

void TForm1::DescribeControls() {
  // Alt keys: none shared with another control, the preview's Copy (Y) or the menu bar (F, E, G,
  // V, H); Show preview is View's.
  const std::pair<QAbstractButton*, const char*> captions[] = {
      {Button1, "&Build"},
      {Button2, "C&lear"},
      {Button3, "E&xit"},
      {Button4, "Generate En&umeration"},
      {Button5, "L&og an error or comment"},
      {EnumButton, "Gener&ate Enumeration as a Class"},
      {Button6, "Generate Constant Se&quence"},
      {PrivateCheck, "Ma&ke copy constructor and = operator private"},
      {StdCheck, "&StdLib"},
      {MathCheck, "Ma&th"},
      {StringCheck, "C Style Str&ings"},
      {BigConstructorBox, "Constructor &with all variables as parameters"},
      {ToStringBox, "Generate a ToString &method"},
  };
  for (const auto& [control, caption] : captions) control->setText(QString::fromUtf8(caption));
  Label1->setText(QStringLiteral("&Class Name"));
  Label3->setText(QStringLiteral("Member &data and functions"));
  Label4->setText(QStringLiteral("Form of &names"));
  // The group's key goes to its ticked item; arrows move between the items.
  RadioGroup1->setTitle(QStringLiteral("Com&parisons"));

  SystemLabel = new QLabel(QStringLiteral("Ta&rget system"), this);
  SystemLabel->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
  SystemLabel->setBuddy(SystemBox);
  for (QGridLayout* grid : findChildren<QGridLayout*>())
    if (grid->indexOf(NameEdit) >= 0) grid->addWidget(SystemLabel, 0, 1);

  const std::pair<QWidget*, const char*> tips[] = {
      {Button1, "Write the header and source file, or the Java file, of this class (Ctrl+B)"},
      {Button2, "Empty the class name and the member table and untick the options"},
      {Button3, "Close Zandrel (Ctrl+Q)"},
      {Button4, "Write a C++ enumeration with a function that names its values"},
      {Button5, "Write a comment or an error report into your log file"},
      {EnumButton, "Write a C++ enumeration wrapped in a class"},
      {Button6, "Not available yet"},
      {NameEdit, "The class's name; it also names the files Build writes"},
      {StringGrid1,
       "One member a row: its type, its name (with a parameter list for a method) "
       "and an optional initial value"},
      {RadioGroup1, "Which comparison operators the class declares"},
      {PrivateCheck,
       "Declares the copy constructor and = operator private, so objects cannot be "
       "copied"},
      {StdCheck, "Adds #include <stdlib.h> to the header"},
      {MathCheck, "Adds #include <math.h> to the header"},
      {StringCheck, "Adds #include <string.h> to the header"},
      {BigConstructorBox, "Adds a constructor that takes every member variable as a parameter"},
      {ToStringBox, "Declares a ToString method for you to implement"},
      {FormBox, "How the accessors of each member are named"},
      {SystemBox, "The compiler or language the files are written for"},
      {PreviewCheck, "Show beside the table what Build would write now"}};
  for (const auto& [control, tip] : tips) control->setToolTip(QString::fromUtf8(tip));

  NameEdit->setAccessibleName(QStringLiteral("Class name"));
  StringGrid1->setAccessibleName(QStringLiteral("Member data and functions"));
  FormBox->setAccessibleName(QStringLiteral("Form of names"));
  SystemBox->setAccessibleName(QStringLiteral("Target system"));
  Preview->setAccessibleName(QStringLiteral("Preview"));
}

void TForm1::FitAnyScreen() {
  // The Name column takes the spare width; the others keep what the user drags them to.
  QHeaderView* header = StringGrid1->horizontalHeader();
  header->setSectionResizeMode(QHeaderView::Interactive);
  header->setSectionResizeMode(1, QHeaderView::Stretch);
  header->resizeSection(
      0, header->fontMetrics().horizontalAdvance(QStringLiteral("unsigned long int")));
  header->resizeSection(2,
                        header->fontMetrics().horizontalAdvance(QStringLiteral("Initial value  ")));
  // A wider window widens the table too, not only the preview.
  Splitter->setStretchFactor(0, 1);
  Splitter->setStretchFactor(1, 2);

  auto* box = qobject_cast<QBoxLayout*>(layout());
  box->removeWidget(Splitter);
  Scroller = new QScrollArea(this);
  Scroller->setFrameShape(QFrame::NoFrame);
  Scroller->setFocusPolicy(Qt::NoFocus);
  Scroller->setWidgetResizable(true);
  Scroller->setWidget(Splitter);
  box->insertWidget(0, Scroller, 1);
}

void TForm1::UpdateLibraryBoxes() {
  const bool used = SelectedSystem() != TargetSystem::Java;
  for (QCheckBox* box : {StdCheck, MathCheck, StringCheck}) box->setEnabled(used);
  Label2->setEnabled(used);
  // A target without a framework include ignores the framework box.
  const std::string_view include = TargetOf(SelectedSystem()).FrameworkInclude;
  VCLCheck->setEnabled(!include.empty());
  VCLCheck->setToolTip(include.empty()
                           ? QStringLiteral("Adds nothing for this target")
                           : QStringLiteral("Adds %1 to the header")
                                 .arg(QString::fromUtf8(include.data(), include.size()).trimmed()));
}

void TForm1::ShowHelp() {
  if (Help == nullptr) Help = new HelpWindow(this);
  Help->ShowAndRaise();
}

void TForm1::ReportBuild(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  QStringList names;
  for (const std::string& path : paths) names << QFileInfo(QString::fromStdString(path)).fileName();
  const QString last = names.takeLast();
  const QString files = names.isEmpty() ? last : names.join(QStringLiteral(", ")) + " and " + last;
  builtFolder_ = QFileInfo(QString::fromStdString(paths.front())).absolutePath();
  StatusBar->showMessage(
      QStringLiteral("Wrote %1 in %2").arg(files, QDir::toNativeSeparators(builtFolder_)));
  OpenFolderButton->show();
}

void TForm1::ReportEnumeration(const QString& message, const QString& folder) {
  builtFolder_ = folder;
  StatusBar->showMessage(message);
  // Nothing was written when the text was only collected: no folder to open.
  OpenFolderButton->setVisible(!folder.isEmpty());
}

}  // namespace zandrel
