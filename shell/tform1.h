#pragma once

#include <QWidget>
#include <memory>
#include <string>
#include <vector>

#include "classgen/class_description.h"
#include "core/file_dialog.h"
#include "desktop/enumeration_receiver.h"

class QButtonGroup;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSplitter;

namespace zandrel {

class ChoiceBox;
class FilePreview;
class LiveEditGrid;
class PlatformServices;
class TGenEnumForm;
class TUserLogWindow;
enum class EnumerationStyle;

// The main window: the class description, the target and naming choices, and the buttons that
// build the class, open the enumeration dialog and the log window.
class TForm1 : public QWidget, public EnumerationReceiver {
  Q_OBJECT

 public:
  explicit TForm1(PlatformServices& services, QWidget* parent = nullptr);
  ~TForm1() override;

  // The companion windows are created after the main window; until then their buttons do nothing.
  void SetCompanions(TGenEnumForm* genEnumForm, TUserLogWindow* userLogWindow);

  // Everything Build reads, as the user sees it now (a cell being typed into included).
  ClassInput CurrentInput() const;
  // The choices last accepted from SystemBox and FormBox.
  TargetSystem SelectedSystem() const;
  NameForm SelectedNameForm() const;
  // The texts handed over by the enumeration dialog, oldest first; nothing empties them.
  const std::vector<std::string>& HeaderInsertions() const { return headerInsertions_; }

  // The comparison level picked in RadioGroup1 (0 to 2).
  int ComparisonIndex() const;
  void SetComparisonIndex(int index);

  void AcceptEnumeration(const std::string& typeName, const std::string& text) override;
  void ShowMainWindow() override;

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
  QCheckBox* PreviewCheck = nullptr;
  FilePreview* Preview = nullptr;

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

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void ArrangeControls();
  void SetTabOrder();
  void ConnectControls();
  void SizeForScreen();
  void OpenEnumerationDialog(EnumerationStyle style);

  PlatformServices& services_;
  TGenEnumForm* genEnumForm_ = nullptr;
  TUserLogWindow* userLogWindow_ = nullptr;
  std::vector<std::string> headerInsertions_;
  QWidget* previewPane_ = nullptr;
  int previewWidth_ = 0;  // the room the preview took when it was hidden
};

}  // namespace zandrel
