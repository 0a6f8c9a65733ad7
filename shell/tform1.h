#pragma once

#include <QString>
#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "classgen/class_description.h"
#include "core/file_dialog.h"
#include "desktop/enumeration_receiver.h"
#include "shell/member_table.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QScrollArea;
class QSplitter;
class QStatusBar;
class QToolButton;
class QUndoStack;

namespace zandrel {

class ChoiceBox;
class CollectedEnumerations;
class DescriptionHistory;
class FilePreview;
class HelpWindow;
class LiveEditGrid;
class PlatformServices;
class TGenEnumForm;
class TUserLogWindow;
enum class EnumerationStyle;
struct CellPosition;
struct DescriptionState;

// The main window: the class description, the target and naming choices, and the buttons that
// build the class, open the enumeration dialog and the log window.
class TForm1 : public QWidget, public EnumerationReceiver {
  Q_OBJECT

 public:
  explicit TForm1(PlatformServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // The enumeration dialog and the log window. Those not handed in here are made when first
  // opened, one each, and kept until the main window goes: start-up shows the main window sooner.
  void SetCompanions(TGenEnumForm* genEnumForm, TUserLogWindow* userLogWindow);

  // Everything Build reads, as the user sees it now (a cell being typed into included).
  ClassInput CurrentInput() const;
  // The choices last accepted from SystemBox and FormBox.
  TargetSystem SelectedSystem() const;
  NameForm SelectedNameForm() const;
  // The texts handed over by the enumeration dialog, oldest first. Build and Clear keep them;
  // they change only with the document (New, Open) and in the collected enumerations list.
  const InsertionList& HeaderInsertions() const { return headerInsertions_; }

  // The file the description was opened from or saved to; empty for one never saved.
  const std::string& DocumentPath() const { return documentPath_; }
  // Every change to the description, one step per user action; clean when nothing is unsaved.
  QUndoStack* History() const;

  // The comparison level picked in RadioGroup1 (0 to 2).
  int ComparisonIndex() const;
  void SetComparisonIndex(int index);

  void AcceptEnumeration(const std::string& typeName, std::string text) override;
  void ShowMainWindow() override;
  bool HoldsInsertion(const std::string& text) const override;

  QPushButton* Button1 = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* NameEdit = nullptr;
  QLabel* Label3 = nullptr;
  LiveEditGrid* StringGrid1 = nullptr;
  QGroupBox* RadioGroup1 = nullptr;
  QButtonGroup* RadioGroup1Items = nullptr;
  QCheckBox* PrivateCheck = nullptr;
  QLabel* Label2 = nullptr;
  QCheckBox* VCLCheck = nullptr;
  QCheckBox* StdCheck = nullptr;
  QCheckBox* MathCheck = nullptr;
  QCheckBox* StringCheck = nullptr;
  QPushButton* Button2 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button4 = nullptr;
  QPushButton* Button5 = nullptr;
  QPushButton* EnumButton = nullptr;
  QPushButton* Button6 = nullptr;
  QCheckBox* BigConstructorBox = nullptr;
  QCheckBox* ToStringBox = nullptr;
  QLabel* Label4 = nullptr;
  ChoiceBox* FormBox = nullptr;
  ChoiceBox* SystemBox = nullptr;
  std::unique_ptr<FileDialog> SaveDialog1;

  // Beside the member table: what Build would write now, and the switch that hides it.
  QSplitter* Splitter = nullptr;
  // Holds the splitter, so that on a small screen every control stays reachable by scrolling.
  QScrollArea* Scroller = nullptr;
  QCheckBox* PreviewCheck = nullptr;
  FilePreview* Preview = nullptr;

  // The menus and their actions. Row and cell actions work on the member table and take their
  // keys there; the table's context menu offers them too.
  QMenuBar* MenuBar = nullptr;
  QMenu* FileMenu = nullptr;
  QMenu* RecentMenu = nullptr;
  QMenu* EditMenu = nullptr;
  QAction* NewAction = nullptr;
  QAction* OpenAction = nullptr;
  QAction* SaveAction = nullptr;
  QAction* SaveAsAction = nullptr;
  QAction* ExitAction = nullptr;
  QAction* UndoAction = nullptr;
  QAction* RedoAction = nullptr;
  QAction* CopyAction = nullptr;
  QAction* PasteAction = nullptr;
  QAction* DeleteAction = nullptr;
  QAction* InsertRowAction = nullptr;
  QAction* DeleteRowsAction = nullptr;
  QAction* MoveUpAction = nullptr;
  QAction* MoveDownAction = nullptr;
  QAction* DuplicateAction = nullptr;
  QAction* EnumerationsAction = nullptr;
  QAction* BuildAction = nullptr;
  QAction* ClearAction = nullptr;
  QMenu* GenerateMenu = nullptr;
  QAction* EnumerationAction = nullptr;
  QAction* EnumerationClassAction = nullptr;
  QAction* ConstantSequenceAction = nullptr;
  QAction* LogAction = nullptr;
  QMenu* ViewMenu = nullptr;
  QAction* PreviewAction = nullptr;
  QMenu* HelpMenu = nullptr;
  QAction* HelpAction = nullptr;
  QAction* AboutAction = nullptr;
  QAction* AboutQtAction = nullptr;
  // Made when first asked for.
  HelpWindow* Help = nullptr;

  // The target system's caption, and below everything what the last Build wrote, with the button
  // that opens its folder.
  QLabel* SystemLabel = nullptr;
  QStatusBar* StatusBar = nullptr;
  QToolButton* OpenFolderButton = nullptr;
  // Made when first shown.
  CollectedEnumerations* EnumerationList = nullptr;

 signals:
  // The main window was closed: the application ends.
  void Closed();

 public slots:
  void DoIt();
  void Clear();
  void Closer();
  void EnumGen();
  void EnumGen2();
  void LogIt();
  void ConstSeq();
  void SystemChanged();
  void FormChange();
  void SystemChosen();
  void UpdateLibraryCaption();
  // Shows what Build would write for the current state.
  void UpdatePreview();
  // Shows or hides the preview, widening or narrowing the window by its room.
  void ShowPreview(bool shown);

  // File: each asks first whether to save changes that would be lost; false when nothing
  // happened (cancelled or refused).
  void NewDocument();
  bool OpenDocument();
  bool OpenFile(const std::string& path);
  bool SaveDocument();
  bool SaveDocumentAs();
  // Edit: each one undoable step on the member table's selected rows or cells.
  void InsertRow();
  void DeleteRows();
  void MoveRowsUp();
  void MoveRowsDown();
  void DuplicateRows();
  void CopyCells();
  void PasteCells();
  void EmptyCells();
  void ShowEnumerations();
  void ShowHelp();
  // Says in the status bar which files Build wrote and where.
  void ReportBuild(const std::vector<std::string>& paths);
  // Says in the status bar what an enumeration's OK wrote or collected.
  void ReportEnumeration(const QString& message, const QString& folder);
  // Library boxes the target ignores are shown disabled; their ticks stay as they were.
  void UpdateLibraryBoxes();

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildControls();
  void ArrangeControls();
  void SetTabOrder();
  void ConnectControls();
  void SizeForScreen();
  void OpenEnumerationDialog(EnumerationStyle style);

  void BuildMenus();
  // The commands beyond documents and rows, the captions' mnemonics, tool tips and the status bar.
  void AddCommandMenus();
  void DescribeControls();
  void FitAnyScreen();
  void ConnectHistory();
  DescriptionState CurrentState() const;
  void ShowState(const DescriptionState& state);
  void ChangeTable(const QString& text, const MemberTable& table);
  void ChangeInsertions(const QString& text, InsertionList insertions, int selected);
  // Puts a state opened or started into the window, with nothing to save.
  void StartDocument(const ClassInput& input, const std::string& path);
  bool MaybeSave();
  bool WriteDocument(const std::string& path);
  void UpdateTitle();
  void UpdateRecentMenu();
  // Ends an edit in a cell, keeping or dropping what was typed.
  void FinishCellEdit(bool keep);
  // Text with a tab or line break typed or pasted into the open cell goes over the cells.
  void GridEdited();
  void PasteAt(CellPosition at, const std::string& text);
  std::vector<int> SelectedRows() const;
  std::vector<CellPosition> SelectedCells() const;
  void SelectRows(const std::vector<int>& rows);
  void SelectBlock(CellPosition first, int rows, int columns);

  PlatformServices& services_;
  TGenEnumForm* GenEnumForm();
  TUserLogWindow* UserLogWindow();

  TGenEnumForm* genEnumForm_ = nullptr;
  TUserLogWindow* userLogWindow_ = nullptr;
  std::unique_ptr<TGenEnumForm> ownGenEnumForm_;  // when made here
  std::unique_ptr<TUserLogWindow> ownUserLogWindow_;
  InsertionList headerInsertions_;  // each text shared with the undo steps, never copied
  std::unique_ptr<DescriptionHistory> history_;
  std::string documentPath_;
  std::unique_ptr<FileDialog> openDialog_;
  std::unique_ptr<FileDialog> saveAsDialog_;
  QWidget* previewPane_ = nullptr;
  int previewWidth_ = 0;  // the room the preview took when it was hidden
  QString builtFolder_;   // where the last Build wrote
};

}  // namespace zandrel
