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

class QUndoStack;

namespace zandrel {

class DescriptionHistory;
class DescriptionModel;
class DocumentActions;
class MemberTableEditor;
class OptionsPanel;
class PlatformServices;
class TGenEnumForm;
class TUserLogWindow;
enum class EnumerationStyle;
struct TForm1Ui;

namespace testing {
struct TForm1Access;
}

// The main window: the class description, the target and naming choices, and the buttons that
// build the class, open the enumeration dialog and the log window. The description itself lives
// in its model; the controls show it and change it through the undo history. The member table,
// the options and the document's files are parts of their own; the handlers hand on to them.
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
  const std::string& DocumentPath() const;
  // Where the description was last built (the path chosen in Build's dialog); empty before then.
  const std::string& OutputPath() const;
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

  // main_menu.cpp
  void ConnectMenus();
  void BuildStatusBar();
  // tform1_controls.cpp
  void SizeForScreen();
  // tform1_bindings.cpp
  void BindControls();
  void BindModel();
  void ShowName();
  void ShowTarget();
  void SayCopied();
  // tform1_editing.cpp
  void ChangeInsertions(const QString& text, InsertionList insertions, int selected);
  // Opens the enumeration dialog on the request that made HeaderInsertions[insertion].
  void ReopenEnumeration(int insertion);

  // tform1.cpp
  void OpenEnumerationDialog(EnumerationStyle style);
  TGenEnumForm* GenEnumForm();
  TUserLogWindow* UserLogWindow();
  // Says in the status bar what a command did; no folder to open.
  void Say(const QString& message);

  PlatformServices& services_;
  std::unique_ptr<TForm1Ui> ui_;
  DescriptionModel* model_ = nullptr;
  std::unique_ptr<DescriptionHistory> history_;
  TGenEnumForm* genEnumForm_ = nullptr;
  TUserLogWindow* userLogWindow_ = nullptr;
  std::unique_ptr<TGenEnumForm> ownGenEnumForm_;  // when made here
  std::unique_ptr<TUserLogWindow> ownUserLogWindow_;
  std::unique_ptr<OptionsPanel> options_;
  std::unique_ptr<MemberTableEditor> table_;
  std::unique_ptr<DocumentActions> files_;
  int previewWidth_ = 0;            // the room the preview took when it was hidden
  QString builtFolder_;             // where the last Build wrote
  bool narrow_ = false;             // the options flow under the member table
  std::optional<QPoint> hiddenAt_;  // where the window was when the dialog hid it
};

}  // namespace zandrel
