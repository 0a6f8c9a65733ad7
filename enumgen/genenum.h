#pragma once

#include <QWidget>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "core/file_dialog.h"
#include "enumgen/enumeration_list.h"

class QCheckBox;
class QFileSystemWatcher;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QShowEvent;

namespace zandrel {

class EnumerationReceiver;
class FilePreview;
class LiveEditGrid;
class PlatformServices;

// Which file a path named, and when it was last changed.
struct FileStamp {
  std::uint64_t Device = 0;
  std::uint64_t Inode = 0;
  std::int64_t Size = -1;
  std::int64_t Seconds = 0;
  std::int64_t Nanoseconds = 0;
  bool operator==(const FileStamp&) const = default;
};

namespace testing {
struct TGenEnumFormAccess;
}

// The enumeration dialog's controls under the names the dialog gives them; only the dialog uses
// them.
struct TGenEnumFormUi {
  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QCheckBox* Outside = nullptr;
  QCheckBox* Prefix = nullptr;
  QLineEdit* Edit2 = nullptr;
  LiveEditGrid* NameGrid = nullptr;
  QCheckBox* SeparateBox = nullptr;
  QCheckBox* FileBox = nullptr;
  QCheckBox* ModernBox = nullptr;  // the enum class style, whichever style opened the dialog
  // The enum class style's keys, enabled only with ModernBox.
  QCheckBox* FlagsBox = nullptr;
  QCheckBox* CaseBox = nullptr;
  QCheckBox* FormatterBox = nullptr;
  QCheckBox* JsonBox = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* Button1 = nullptr;
  std::unique_ptr<FileDialog> SaveDialog1;
  std::unique_ptr<FileDialog> OpenDialog1;
  // What OK would produce now; never shows a dialog and never writes.
  FilePreview* Preview = nullptr;
  QLabel* PreviewLabel = nullptr;
};

// The enumeration dialog: type name, names and values or a list file, OK hands the result to the
// main window. Not modal.
class TGenEnumForm : public QWidget, private TGenEnumFormUi {
  Q_OBJECT

 public:
  TGenEnumForm(PlatformServices& services, EnumerationReceiver& mainWindow,
               QWidget* parent = nullptr);
  ~TGenEnumForm() override;

  // Records the style, shows "Save in separate file" and clears it.
  void SetStyle(EnumerationStyle style);
  EnumerationStyle Style() const { return style_; }
  // Fills the dialog from the request that made HeaderInsertions[entry]; OK then replaces that
  // entry instead of adding one. Any other opening (SetStyle) or Cancel forgets the entry.
  void Reopen(const EnumerationRequest& request, std::size_t entry);

  // The OK action; false when it stopped early (cancelled save dialog, refused request, or
  // "replace existing files?" answered No) and the dialog stays open with its input.
  bool GenerateEnumeration();

  // Asks for the list file, and again under the committed title, after saying why, while a chosen
  // file cannot be read. The file read is kept for OK and the preview; false when the user
  // cancelled, and then no file is kept.
  bool ChooseListFile();

 signals:
  // A completed OK, told in a sentence for the main window's status line: the files written and
  // their folder, or the text collected (folder empty).
  void Finished(const QString& message, const QString& folder);

 public slots:
  void Activator();
  void Exited();
  void OKDone();
  void CancelDone();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  friend struct testing::TGenEnumFormAccess;

  // The controls with their captions and keys, then in their places and tab order, then
  // connected.
  void BuildControls();
  void ArrangeControls();
  void ConnectControls();
  // OK's save dialog, for a separate file, and the question whether to replace files that are
  // there; false when the user cancelled or said No.
  bool ChooseOutputPath(EnumerationRequest& request, bool* replaceConfirmed);
  // Everything of the request but the output and list paths, as the user sees the controls now.
  EnumerationRequest ReadControls() const;
  // Tool tips: what each control adds to the generated text.
  void DescribeControls();
  void UpdatePreview();
  // Puts the focus into a cell of the grid row (from 1), for the user to correct it.
  void ShowCell(int row, int column);

  // The list file read at the last choosing, read again if it changed on disk since.
  std::shared_ptr<const ListFile> KeptListFile();
  // Brings the preview up to date when the list file changes on disk.
  void WatchListFile();

  PlatformServices& services_;
  EnumerationReceiver& mainWindow_;
  EnumerationStyle style_ = EnumerationStyle::PlainEnumeration;
  std::optional<std::size_t> reopened_;  // the entry OK replaces
  // The "Generate first and last" and "Apply prefix" ticks of the style not shown now: each
  // style keeps its own, and the enum class style starts without sentinels or prefix.
  bool otherOutside_ = false;
  bool otherPrefix_ = false;
  std::shared_ptr<const ListFile> listFile_;  // shared with the preview being made
  std::string listPath_;
  FileStamp listStamp_;
  QFileSystemWatcher* listWatcher_ = nullptr;  // made at the first choosing
};

}  // namespace zandrel
