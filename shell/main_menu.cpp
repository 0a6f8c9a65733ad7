// The main window's menus, their actions and keys, and the status bar that tells what a command
// did.

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QMainWindow>
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
#include "shell/document_actions.h"
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

namespace {

void BuildFileMenu(TForm1Ui& ui, QMainWindow* window) {
  ui.NewAction = Command(window, TForm1::tr("&New"), QKeySequence::keyBindings(QKeySequence::New));
  ui.OpenAction =
      Command(window, TForm1::tr("&Open…"), QKeySequence::keyBindings(QKeySequence::Open));
  ui.SaveAction =
      Command(window, TForm1::tr("&Save"), QKeySequence::keyBindings(QKeySequence::Save));
  ui.SaveAsAction =
      Command(window, TForm1::tr("Save &As…"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_S)});
  ui.BuildAction = Command(window, TForm1::tr("&Build…"), {Keys(Qt::CTRL | Qt::Key_B)},
                           TForm1::tr("Write the class's files"));
  ui.RebuildAction =
      Command(window, TForm1::tr("R&ebuild"), {Keys(Qt::CTRL | Qt::Key_R)},
              TForm1::tr("Write the class's files again where they were last built"));
  ui.ImportAction = Command(window, TForm1::tr("Import &Header…"), {Keys(Qt::CTRL | Qt::Key_I)},
                            TForm1::tr("Fill the window from a class of a C++ header"));
  ui.ExitAction = Command(window, TForm1::tr("&Quit"), {Keys(Qt::CTRL | Qt::Key_Q)});
  ui.FileMenu = window->menuBar()->addMenu(TForm1::tr("&File"));
  ui.FileMenu->addActions({ui.NewAction, ui.OpenAction});
  ui.RecentMenu = ui.FileMenu->addMenu(TForm1::tr("Open &Recent"));
  ui.FileMenu->addActions({ui.SaveAction, ui.SaveAsAction});
  ui.FileMenu->addSeparator();
  ui.FileMenu->addAction(ui.ImportAction);
  ui.FileMenu->addSeparator();
  ui.FileMenu->addActions({ui.BuildAction, ui.RebuildAction});
  ui.FileMenu->addSeparator();
  ui.FileMenu->addAction(ui.ExitAction);
}

void BuildEditActions(TForm1Ui& ui, QMainWindow* window, QUndoStack* history) {
  ui.UndoAction = history->createUndoAction(window, TForm1::tr("&Undo"));
  ui.UndoAction->setShortcuts({Keys(Qt::CTRL | Qt::Key_Z)});
  ui.RedoAction = history->createRedoAction(window, TForm1::tr("&Redo"));
  ui.RedoAction->setShortcuts({Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), Keys(Qt::CTRL | Qt::Key_Y)});
  // Each key one action's: the platform's lists for Copy and Delete also hold Ctrl+Insert and
  // Ctrl+D, which the row commands use.
  ui.CopyAction = Command(window, TForm1::tr("&Copy"), {Keys(Qt::CTRL | Qt::Key_C)});
  ui.PasteAction = Command(window, TForm1::tr("&Paste"),
                           {Keys(Qt::CTRL | Qt::Key_V), Keys(Qt::SHIFT | Qt::Key_Insert)});
  ui.DeleteAction = Command(window, TForm1::tr("&Delete"), {Keys(Qt::Key_Delete)});
  ui.InsertRowAction =
      Command(window, TForm1::tr("&Insert Row"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Insert)});
  ui.DeleteRowsAction =
      Command(window, TForm1::tr("Delete R&ows"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete)});
  ui.MoveUpAction =
      Command(window, TForm1::tr("Move Row &Up"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Up)});
  ui.MoveDownAction =
      Command(window, TForm1::tr("Move Row Do&wn"), {Keys(Qt::CTRL | Qt::SHIFT | Qt::Key_Down)});
  ui.DuplicateAction = Command(window, TForm1::tr("Dup&licate Row"), {Keys(Qt::CTRL | Qt::Key_D)});
  ui.EnumerationsAction = Command(window, TForm1::tr("Collected &Enumerations…"), {});
  ui.ClearAction = Command(window, TForm1::tr("Cle&ar"), {},
                           TForm1::tr("Empty the class name and the member table"));
}

void BuildEditMenu(TForm1Ui& ui, QMainWindow* window, QUndoStack* history) {
  BuildEditActions(ui, window, history);
  ui.EditMenu = window->menuBar()->addMenu(TForm1::tr("&Edit"));
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
}

void BuildOtherMenus(TForm1Ui& ui, QMainWindow* window) {
  ui.GenerateMenu = window->menuBar()->addMenu(TForm1::tr("&Generate"));
  ui.EnumerationAction = Command(window, TForm1::tr("Generate &Enumeration…"), {});
  ui.EnumerationClassAction = Command(window, TForm1::tr("Generate Enumeration as a &Class…"), {});
  ui.ConstantSequenceAction = Command(window, TForm1::tr("Generate Constant &Sequence"), {});
  ui.LogAction = Command(window, TForm1::tr("&Log an error or comment…"), {});
  ui.GenerateMenu->addActions(
      {ui.EnumerationAction, ui.EnumerationClassAction, ui.ConstantSequenceAction});
  ui.GenerateMenu->addSeparator();
  ui.GenerateMenu->addAction(ui.LogAction);

  ui.ViewMenu = window->menuBar()->addMenu(TForm1::tr("&View"));
  ui.PreviewAction = Command(window, TForm1::tr("Show &Preview"), {});
  ui.PreviewAction->setCheckable(true);
  ui.PreviewAction->setChecked(ui.PreviewCheck->isChecked());
  ui.ViewMenu->addAction(ui.PreviewAction);

  ui.HelpMenu = window->menuBar()->addMenu(TForm1::tr("&Help"));
  ui.HelpAction = Command(window, TForm1::tr("Zandrel &Help"),
                          QKeySequence::keyBindings(QKeySequence::HelpContents));
  ui.AboutAction = Command(window, TForm1::tr("&About Zandrel"), {});
  ui.AboutQtAction = Command(window, TForm1::tr("About &Qt"), {});
  ui.HelpMenu->addAction(ui.HelpAction);
  ui.HelpMenu->addSeparator();
  ui.HelpMenu->addActions({ui.AboutAction, ui.AboutQtAction});
}

}  // namespace

void BuildMenus(TForm1Ui& ui, QMainWindow* window, QUndoStack* history) {
  BuildFileMenu(ui, window);
  BuildEditMenu(ui, window, history);
  BuildOtherMenus(ui, window);
}

void TForm1::ConnectMenus() {
  TForm1Ui& ui = *ui_;
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
  connect(ui.FileMenu, &QMenu::aboutToShow, this, [this] { files_->UpdateRecentMenu(); });
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

void TForm1::ShowHelp() {
  if (ui_->Help == nullptr) ui_->Help = new HelpWindow(this);
  CentreOn(ui_->Help, *this);
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
