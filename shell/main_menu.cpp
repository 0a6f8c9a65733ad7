// The main window's menus, their actions and keys, and the status bar that tells what a command
// did.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QUndoStack>

#include "classgen/targets.h"
#include "desktop/file_preview.h"
#include "desktop/help_window.h"
#include "desktop/live_edit_grid.h"
#include "desktop/platform_services.h"
#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

QKeySequence Keys(QKeyCombination key) { return {key}; }

QAction* Command(QWidget* window, const QString& text, const QList<QKeySequence>& keys,
                 const QString& tip = {}) {
  auto* action = new QAction(text, window);
  action->setShortcuts(keys);
  if (!tip.isEmpty()) action->setStatusTip(tip);
  return action;
}

}  // namespace

void TForm1::BuildMenus() {
  TForm1Ui& ui = *ui_;
  ui.NewAction = Command(this, tr("&New"), QKeySequence::keyBindings(QKeySequence::New));
  ui.OpenAction = Command(this, tr("&Open…"), QKeySequence::keyBindings(QKeySequence::Open));
  ui.SaveAction = Command(this, tr("&Save"), QKeySequence::keyBindings(QKeySequence::Save));
  ui.SaveAsAction = Command(this, tr("Save &As…"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
  ui.BuildAction =
      Command(this, tr("&Build…"), {Keys(Qt::CTRL | Qt::Key_B)}, tr("Write the class's files"));
  ui.RebuildAction = Command(this, tr("R&ebuild"), {Keys(Qt::CTRL | Qt::Key_R)},
                             tr("Write the class's files again where they were last built"));
  ui.ImportAction = Command(this, tr("Import &Header…"), {Keys(Qt::CTRL | Qt::Key_I)},
                            tr("Fill the window from a class of a C++ header"));
  ui.ExitAction = Command(this, tr("&Quit"), {Keys(Qt::CTRL | Qt::Key_Q)});
  ui.FileMenu = menuBar()->addMenu(tr("&File"));
  ui.FileMenu->addActions({ui.NewAction, ui.OpenAction});
  ui.RecentMenu = ui.FileMenu->addMenu(tr("Open &Recent"));
  ui.FileMenu->addActions({ui.SaveAction, ui.SaveAsAction});
  ui.FileMenu->addSeparator();
  ui.FileMenu->addAction(ui.ImportAction);
  ui.FileMenu->addSeparator();
  ui.FileMenu->addActions({ui.BuildAction, ui.RebuildAction});
  ui.FileMenu->addSeparator();
  ui.FileMenu->addAction(ui.ExitAction);

  ui.UndoAction = History()->createUndoAction(this, tr("&Undo"));
  ui.UndoAction->setShortcuts({Keys(Qt::CTRL | Qt::Key_Z)});
  ui.RedoAction = History()->createRedoAction(this, tr("&Redo"));
  ui.RedoAction->setShortcuts({Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Keys(Qt::CTRL | Qt::Key_Y)});
  // Each key one action's: the platform's lists for Copy and Delete also hold Ctrl+Insert and
  // Ctrl+D, which the row commands use.
  ui.CopyAction = Command(this, tr("&Copy"), {Keys(Qt::CTRL | Qt::Key_C)});
  ui.PasteAction =
      Command(this, tr("&Paste"), {Keys(Qt::CTRL | Qt::Key_V), Keys(Qt::SHIFT | Qt::Key_Insert)});
  ui.DeleteAction = Command(this, tr("&Delete"), {Keys(Qt::Key_Delete)});
  ui.InsertRowAction =
      Command(this, tr("&Insert Row"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert)});
  ui.DeleteRowsAction =
      Command(this, tr("Delete R&ows"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)});
  ui.MoveUpAction = Command(this, tr("Move Row &Up"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)});
  ui.MoveDownAction =
      Command(this, tr("Move Row Do&wn"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)});
  ui.DuplicateAction = Command(this, tr("Dup&licate Row"), {Keys(Qt::CTRL | Qt::Key_D)});
  ui.EnumerationsAction = Command(this, tr("Collected &Enumerations…"), {});
  ui.ClearAction = Command(this, tr("Cle&ar"), {}, tr("Empty the class name and the member table"));

  ui.EditMenu = menuBar()->addMenu(tr("&Edit"));
  ui.EditMenu->addActions({ui.UndoAction, ui.RedoAction});
  ui.EditMenu->addSeparator();
  ui.StringGrid1->setContextMenuPolicy(Qt::ActionsContextMenu);
  const QList<QAction*> tableActions{ui.CopyAction,   ui.PasteAction,     ui.DeleteAction,
                                     nullptr,         ui.InsertRowAction, ui.DeleteRowsAction,
                                     ui.MoveUpAction, ui.MoveDownAction,  ui.DuplicateAction};
  for (QAction* action : tableActions) {
    if (action == nullptr) {
      ui.EditMenu->addSeparator();
      auto* separator = new QAction(ui.StringGrid1);
      separator->setSeparator(true);
      ui.StringGrid1->addAction(separator);
      continue;
    }
    // Keys that the other controls use for themselves act on the table only where it has the
    // focus.
    action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    ui.EditMenu->addAction(action);
    ui.StringGrid1->addAction(action);
  }
  ui.EditMenu->addSeparator();
  ui.EditMenu->addAction(ui.EnumerationsAction);
  ui.EditMenu->addSeparator();
  ui.EditMenu->addAction(ui.ClearAction);

  ui.GenerateMenu = menuBar()->addMenu(tr("&Generate"));
  ui.EnumerationAction = Command(this, tr("Generate &Enumeration…"), {});
  ui.EnumerationClassAction = Command(this, tr("Generate Enumeration as a &Class…"), {});
  ui.ConstantSequenceAction = Command(this, tr("Generate Constant &Sequence"), {});
  ui.LogAction = Command(this, tr("&Log an error or comment…"), {});
  ui.GenerateMenu->addActions(
      {ui.EnumerationAction, ui.EnumerationClassAction, ui.ConstantSequenceAction});
  ui.GenerateMenu->addSeparator();
  ui.GenerateMenu->addAction(ui.LogAction);

  ui.ViewMenu = menuBar()->addMenu(tr("&View"));
  ui.PreviewAction = Command(this, tr("Show &Preview"), {});
  ui.PreviewAction->setCheckable(true);
  ui.PreviewAction->setChecked(ui.PreviewCheck->isChecked());
  ui.ViewMenu->addAction(ui.PreviewAction);

  ui.HelpMenu = menuBar()->addMenu(tr("&Help"));
  ui.HelpAction =
      Command(this, tr("Zandrel &Help"), QKeySequence::keyBindings(QKeySequence::HelpContents));
  ui.AboutAction = Command(this, tr("&About Zandrel"), {});
  ui.AboutQtAction = Command(this, tr("About &Qt"), {});
  ui.HelpMenu->addAction(ui.HelpAction);
  ui.HelpMenu->addSeparator();
  ui.HelpMenu->addActions({ui.AboutAction, ui.AboutQtAction});

  const std::pair<QAction*, void (TForm1::*)()> commands[] = {
      {ui.NewAction, &TForm1::NewDocument},
      {ui.ImportAction, &TForm1::ImportHeaderFile},
      {ui.ExitAction, &TForm1::Closer},
      {ui.CopyAction, &TForm1::CopyCells},
      {ui.PasteAction, &TForm1::PasteCells},
      {ui.DeleteAction, &TForm1::EmptyCells},
      {ui.InsertRowAction, &TForm1::InsertRow},
      {ui.DeleteRowsAction, &TForm1::DeleteRows},
      {ui.MoveUpAction, &TForm1::MoveRowsUp},
      {ui.MoveDownAction, &TForm1::MoveRowsDown},
      {ui.DuplicateAction, &TForm1::DuplicateRows},
      {ui.EnumerationsAction, &TForm1::ShowEnumerations},
      // The menu commands are the buttons' own.
      {ui.BuildAction, &TForm1::DoIt},
      {ui.RebuildAction, &TForm1::Rebuild},
      {ui.ClearAction, &TForm1::Clear},
      {ui.EnumerationAction, &TForm1::EnumGen},
      {ui.EnumerationClassAction, &TForm1::EnumGen2},
      {ui.ConstantSequenceAction, &TForm1::ConstSeq},
      {ui.LogAction, &TForm1::LogIt},
      {ui.HelpAction, &TForm1::ShowHelp}};
  for (const auto& [action, command] : commands)
    connect(action, &QAction::triggered, this, command);
  connect(ui.OpenAction, &QAction::triggered, this, &TForm1::OpenDocument);
  connect(ui.SaveAction, &QAction::triggered, this, &TForm1::SaveDocument);
  connect(ui.SaveAsAction, &QAction::triggered, this, &TForm1::SaveDocumentAs);
  connect(ui.PreviewAction, &QAction::toggled, ui.PreviewCheck, &QCheckBox::setChecked);
  connect(ui.PreviewCheck, &QCheckBox::toggled, ui.PreviewAction, &QAction::setChecked);
  connect(ui.AboutAction, &QAction::triggered, this, [this] { ShowAboutZandrel(this); });
  connect(ui.AboutQtAction, &QAction::triggered, qApp, &QApplication::aboutQt);
  // Read when the menu opens, not at start-up, and so also the files another window saved.
  connect(ui.FileMenu, &QMenu::aboutToShow, this, &TForm1::UpdateRecentMenu);
}

void TForm1::BuildStatusBar() {
  QStatusBar* bar = statusBar();
  bar->setSizeGripEnabled(false);
  ui_->OpenFolderButton = new QToolButton(bar);
  ui_->OpenFolderButton->setText(tr("Open folder"));
  ui_->OpenFolderButton->setToolTip(tr("Open the folder Build wrote to"));
  ui_->OpenFolderButton->setAutoRaise(true);
  ui_->OpenFolderButton->hide();
  bar->addPermanentWidget(ui_->OpenFolderButton);
  connect(ui_->OpenFolderButton, &QToolButton::clicked, this,
          [this] { services_.OpenFolder(this, builtFolder_.toStdString()); });
}

void TForm1::UpdateLibraryCaption() {
  // The caption tells what the box adds to the header; a target it adds nothing to leaves it.
  const ClassTarget& target = TargetOf(SelectedSystem());
  if (!target.LibraryCaption.empty()) {
    const QString caption = QString::fromUtf8(target.LibraryCaption.data(),
                                              static_cast<qsizetype>(target.LibraryCaption.size()));
    ui_->VCLCheck->setText(WithAltKey(caption));
  }
  ui_->VCLCheck->setVisible(target.LibraryShown);
}

QString TForm1::WithAltKey(const QString& caption) const {
  // A letter no other control takes if there is one, else one that is no menu's: a key two
  // controls share moves the focus between them, while one shared with a menu would do nothing.
  QString controls;
  for (const QWidget* control : findChildren<QWidget*>()) {
    if (control == ui_->VCLCheck) continue;
    const QString text = control->property("text").toString();
    const qsizetype at = text.indexOf(QLatin1Char('&'));
    if (at >= 0 && at + 1 < text.size()) controls += text[at + 1].toLower();
  }
  QString menus;
  for (const QAction* menu : menuBar()->actions()) {
    const qsizetype at = menu->text().indexOf(QLatin1Char('&'));
    if (at >= 0 && at + 1 < menu->text().size()) menus += menu->text()[at + 1].toLower();
  }
  qsizetype key = -1;
  for (const QString& avoided : {controls + menus, menus}) {
    for (qsizetype i = 0; i < caption.size() && key < 0; ++i)
      if (caption[i].isLetterOrNumber() && !avoided.contains(caption[i].toLower())) key = i;
    if (key >= 0) break;
  }
  QString marked = caption;
  if (key >= 0) marked.insert(key, QLatin1Char('&'));
  return marked;
}

void TForm1::UpdateLibraryBoxes() {
  const ClassTarget& target = TargetOf(SelectedSystem());
  // The library boxes follow the target table below; the other options say their own targets.
  for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
    if (FlagOptions[row].Targets != AllTargets)
      ui_->OptionChecks[row]->setEnabled((FlagOptions[row].Targets & TargetBit(SelectedSystem())) !=
                                         0);
  for (QCheckBox* box : {ui_->StdCheck, ui_->MathCheck, ui_->StringCheck})
    box->setEnabled(target.UsesCLibraryBoxes);
  ui_->Label2->setEnabled(target.UsesCLibraryBoxes);
  // A target without a framework include ignores the framework box.
  const std::string_view include = target.FrameworkInclude;
  ui_->VCLCheck->setEnabled(!include.empty());
  ui_->VCLCheck->setToolTip(
      include.empty()
          ? tr("Adds nothing for this target")
          : tr("Adds %1 to the header")
                .arg(QString::fromUtf8(include.data(), static_cast<qsizetype>(include.size()))
                         .trimmed()));
}

void TForm1::ShowHelp() {
  if (ui_->Help == nullptr) ui_->Help = new HelpWindow(this);
  CentreOnWindow(ui_->Help);
  ui_->Help->ShowAndRaise();
}

void TForm1::ReportBuild(const std::vector<std::string>& paths) {
  if (paths.empty()) return;
  QStringList names;
  for (const std::string& path : paths) names << QFileInfo(QString::fromStdString(path)).fileName();
  const QString last = names.takeLast();
  const QString files =
      names.isEmpty() ? last : tr("%1 and %2").arg(names.join(QStringLiteral(", ")), last);
  builtFolder_ = QFileInfo(QString::fromStdString(paths.front())).absolutePath();
  statusBar()->showMessage(tr("Wrote %1 in %2").arg(files, QDir::toNativeSeparators(builtFolder_)));
  ui_->OpenFolderButton->show();
}

void TForm1::ReportEnumeration(const QString& message, const QString& folder) {
  builtFolder_ = folder;
  statusBar()->showMessage(message);
  // Nothing was written when the text was only collected: no folder to open.
  ui_->OpenFolderButton->setVisible(!folder.isEmpty());
}

}  // namespace zandrel
