#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classgen/class_description.h"
#include "desktop/enumeration_receiver.h"

class QThread;
class QUndoStack;

namespace zandrel {

class DescriptionHistory;
class DescriptionModel;
class FileDialog;
class PlatformServices;
class TGenEnumForm;
class TUserLogWindow;
enum class EnumerationStyle;
struct CellPosition;
struct HeaderReading;
struct ImportRequest;
struct TForm1Ui;

namespace testing {
struct TForm1Access;
}

// The main window: the class description, the target and naming choices, and the buttons that
// build the class, open the enumeration dialog and the log window. The description itself lives
// in its model; the controls show it and change it through the undo history.
class TForm1 : public QMainWindow, public EnumerationReceiver {
  Q_OBJECT

 public:
  explicit TForm1(PlatformServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // The enumeration dialog and the log window. Those not handed in here are made when first
  // opened, one each, and kept until the main window goes: start-up shows the main window sooner.
  void SetCompanions(TGenEnumForm* genEnumForm, TUserLogWindow* userLogWindow);

  // The description being edited; every change goes through History() to be undoable.
  const DescriptionModel& Model() const { return *model_; }
  // Everything Build reads (a cell being typed into included).
  const ClassInput& CurrentInput() const;
  // The choices last accepted from SystemBox and FormBox.
  TargetSystem SelectedSystem() const;
  NameForm SelectedNameForm() const;
  // The texts handed over by the enumeration dialog, oldest first. Build and Clear keep them;
  // they change only with the document (New, Open) and in the collected enumerations list.
  const InsertionList& HeaderInsertions() const;

  // The file the description was opened from or saved to; empty for one never saved.
  const std::string& DocumentPath() const { return documentPath_; }
  // Where the description was last built (the path chosen in Build's dialog); empty before then.
  const std::string& OutputPath() const { return outputPath_; }
  // Every change to the description, one step per user action; clean when nothing is unsaved.
  QUndoStack* History() const;

  void AcceptEnumeration(HeaderInsertion insertion) override;
  void ReplaceEnumeration(std::size_t index, HeaderInsertion insertion) override;
  void ShowMainWindow() override;
  bool HoldsInsertion(const std::string& text) const override;

 signals:
  // The main window was closed: the application ends.
  void Closed();

 public slots:
  void DoIt();
  // Builds again where the description was last built, without asking; as Build before then.
  void Rebuild();
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
  // Shows or hides the preview, widening or narrowing the window by its room.
  void ShowPreview(bool shown);

  // File: each asks first whether to save changes that would be lost; false when nothing
  // happened (cancelled or refused).
  void NewDocument();
  bool OpenDocument();
  bool OpenFile(const std::string& path);
  bool SaveDocument();
  bool SaveDocumentAs();
  // Reads a class from a C++ header on a worker thread and fills the window from it as one
  // undoable step, in a new untitled document.
  void ImportHeaderFile();
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
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  friend struct testing::TForm1Access;

  // tform1_controls.cpp
  void BuildControls();
  void ArrangeControls();
  void SetTabOrder();
  void SizeForScreen();
  void FlowOptions();
  // main_menu.cpp
  void BuildMenus();
  void BuildStatusBar();
  // The caption with an Alt key that clashes with no menu's.
  QString WithAltKey(const QString& caption) const;
  // tform1_bindings.cpp
  void BindControls();
  void ShowName();
  void ShowCells();
  void ShowOptions();
  void ShowTarget();
  void GridEdited();
  void SayCopied();
  // tform1_document.cpp
  void StartDocument(const ClassInput& input, const std::string& path,
                     const std::string& outputPath);
  bool MaybeSave();
  // Unsaved changes: a step of the history, or a new output path.
  bool IsModified() const;
  bool WriteDocument(const std::string& path);
  void UpdateTitle();
  void UpdateRecentMenu();
  void RestoreSettings();
  void KeepSettings();
  // tform1_import.cpp
  void ReadHeader(const ImportRequest& request);
  void TakeHeader(const ImportRequest& request, HeaderReading reading);
  // Waits for a header being read, dropping what it gives.
  void FinishHeaderReading();
  // tform1_editing.cpp
  void ChangeTable(const QString& text, const std::function<void(ClassInput&)>& edit);
  void ChangeInsertions(const QString& text, InsertionList insertions, int selected);
  // Opens the enumeration dialog on the request that made HeaderInsertions[insertion].
  void ReopenEnumeration(int insertion);
  // Ends an edit in a cell, keeping or dropping what was typed.
  void FinishCellEdit(bool keep);
  void PasteAt(CellPosition at, const std::string& text);
  std::vector<int> SelectedRows() const;
  std::vector<CellPosition> SelectedCells() const;
  void SelectRows(const std::vector<int>& rows);
  void SelectBlock(CellPosition first, int rows, int columns);

  // tform1.cpp
  void BuildTo(const ClassDescription& description, const std::string& path);
  // What Build's dialog proposes: the last output path, else the class's file in the document's
  // folder, else in the folder used last.
  std::string ProposedOutputPath(const ClassDescription& description) const;
  void OpenEnumerationDialog(EnumerationStyle style);
  TGenEnumForm* GenEnumForm();
  TUserLogWindow* UserLogWindow();
  // Says in the status bar what a command did; no folder to open.
  void Say(const QString& message);
  // Opens a companion window over the middle of this one, within the screen.
  void CentreOnWindow(QWidget* companion) const;

  PlatformServices& services_;
  std::unique_ptr<TForm1Ui> ui_;
  DescriptionModel* model_ = nullptr;
  std::unique_ptr<DescriptionHistory> history_;
  TGenEnumForm* genEnumForm_ = nullptr;
  TUserLogWindow* userLogWindow_ = nullptr;
  std::unique_ptr<TGenEnumForm> ownGenEnumForm_;  // when made here
  std::unique_ptr<TUserLogWindow> ownUserLogWindow_;
  std::string documentPath_;
  std::string outputPath_;          // as chosen, so a later Save As can store it anew
  bool outputPathUnsaved_ = false;  // changed by a Build since the document was read or saved
  std::unique_ptr<FileDialog> openDialog_;
  std::unique_ptr<FileDialog> saveAsDialog_;
  std::unique_ptr<FileDialog> importDialog_;
  QThread* headerReader_ = nullptr;  // while a header is being read
  int previewWidth_ = 0;             // the room the preview took when it was hidden
  QString builtFolder_;              // where the last Build wrote
  QString lastFolder_;               // where the user last chose a file
  bool narrow_ = false;              // the options flow under the member table
  std::optional<QPoint> hiddenAt_;   // where the window was when the dialog hid it
};

}  // namespace zandrel
