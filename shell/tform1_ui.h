#pragma once

// The main window's controls, menus and actions under the names the window gives them. Only the
// window and its parts use them; other code goes through TForm1's operations. The options' own
// controls are made by the options panel, the grid by the member table's editor.

#include <array>
#include <iterator>
#include <memory>

#include "classgen/class_description.h"
#include "core/file_dialog.h"

class QAction;
class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMainWindow;
class QMenu;
class QPushButton;
class QScrollArea;
class QSplitter;
class QToolButton;
class QUndoStack;
class QWidget;

namespace zandrel {

class ChoiceBox;
class CollectedEnumerations;
class FilePreview;
class HelpWindow;
class LiveEditGrid;

struct TForm1Ui {
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
  // One box for each row of FlagOptions, in its order; the named ones above are among them.
  std::array<QCheckBox*, std::size(FlagOptions)> OptionChecks{};
  QLabel* Label4 = nullptr;
  ChoiceBox* FormBox = nullptr;
  QLabel* SystemLabel = nullptr;
  ChoiceBox* SystemBox = nullptr;
  std::unique_ptr<FileDialog> SaveDialog1;

  // The member table with the libraries and buttons below it, and the options with the preview;
  // side by side, or the options under the table in a narrow window.
  QWidget* LeftPane = nullptr;
  QWidget* RightPane = nullptr;
  QWidget* OptionsPane = nullptr;
  QSplitter* Splitter = nullptr;
  // Holds the splitter, so that on a small screen every control stays reachable by scrolling.
  QScrollArea* Scroller = nullptr;
  QCheckBox* PreviewCheck = nullptr;
  FilePreview* Preview = nullptr;

  QMenu* FileMenu = nullptr;
  QMenu* RecentMenu = nullptr;
  QMenu* EditMenu = nullptr;
  QMenu* GenerateMenu = nullptr;
  QMenu* ViewMenu = nullptr;
  QMenu* HelpMenu = nullptr;
  QAction* NewAction = nullptr;
  QAction* OpenAction = nullptr;
  QAction* SaveAction = nullptr;
  QAction* SaveAsAction = nullptr;
  QAction* BuildAction = nullptr;
  QAction* RebuildAction = nullptr;
  QAction* ImportAction = nullptr;
  QAction* ExitAction = nullptr;
  QAction* UndoAction = nullptr;
  QAction* RedoAction = nullptr;
  // Row and cell actions work on the member table and take their keys there; the table's
  // context menu offers them too.
  QAction* CopyAction = nullptr;
  QAction* PasteAction = nullptr;
  QAction* DeleteAction = nullptr;
  QAction* InsertRowAction = nullptr;
  QAction* DeleteRowsAction = nullptr;
  QAction* MoveUpAction = nullptr;
  QAction* MoveDownAction = nullptr;
  QAction* DuplicateAction = nullptr;
  QAction* EnumerationsAction = nullptr;
  QAction* ClearAction = nullptr;
  QAction* EnumerationAction = nullptr;
  QAction* EnumerationClassAction = nullptr;
  QAction* ConstantSequenceAction = nullptr;
  QAction* LogAction = nullptr;
  QAction* PreviewAction = nullptr;
  QAction* HelpAction = nullptr;
  QAction* AboutAction = nullptr;
  QAction* AboutQtAction = nullptr;

  // What the last Build wrote is said in the status bar, with the button that opens its folder.
  QToolButton* OpenFolderButton = nullptr;
  // Made when first asked for.
  HelpWindow* Help = nullptr;
  CollectedEnumerations* EnumerationList = nullptr;

  QCheckBox* OptionCheck(bool GenerationOptions::*field) const {
    for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
      if (FlagOptions[row].Field == field) return OptionChecks[row];
    return nullptr;
  }
};

// tform1_controls.cpp: the buttons, labels, grid and preview with their captions; then, with the
// options made too, every control's tip, name and place, and the order Tab walks them in.
void BuildControls(TForm1Ui& ui, QWidget* window);
void ArrangeControls(TForm1Ui& ui, QMainWindow* window);
void SetTabOrder(const TForm1Ui& ui);
// The window's size within the screen; the options side by side with the table or, in a narrow
// window, under it (the layout it now has returned); the preview shown or hidden, the window
// widened or narrowed by its room (the room it took returned).
void SizeToScreen(TForm1Ui& ui, QWidget& window);
bool FlowOptions(TForm1Ui& ui, const QWidget& window, bool wasNarrow);
int ShowPreviewPane(TForm1Ui& ui, QWidget& window, bool shown, int previewWidth);
// tform1.cpp: opens a companion window over the middle of the main window, within the screen.
void CentreOn(QWidget* companion, const QWidget& window);
// main_menu.cpp: the menus and their actions with their keys.
void BuildMenus(TForm1Ui& ui, QMainWindow* window, QUndoStack* history);

}  // namespace zandrel
