#pragma once

#include <QWidget>
#include <memory>
#include <string>

#include "core/file_dialog.h"
#include "enumgen/enumeration_list.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableWidget;

namespace zandrel {

class PlatformServices;
class EnumerationReceiver;

// The enumeration dialog: type name, names and values or a list file, OK hands the result to the
// main window. Not modal.
class TGenEnumForm : public QWidget {
  Q_OBJECT

 public:
  TGenEnumForm(PlatformServices& services, EnumerationReceiver& mainWindow,
               QWidget* parent = nullptr);
  ~TGenEnumForm() override;

  // Records the style, shows "Save in separate file" and clears it.
  void SetStyle(EnumerationStyle style);
  EnumerationStyle Style() const { return style_; }

  // The OK action; false when it stopped early (cancelled save dialog, refused request, or
  // "replace existing files?" answered No) and the dialog stays open with its input.
  bool GenerateEnumeration();

  QLabel* Label1 = nullptr;
  QLabel* Label2 = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QCheckBox* Outside = nullptr;
  QCheckBox* Prefix = nullptr;
  QLineEdit* Edit2 = nullptr;
  QTableWidget* NameGrid = nullptr;
  QCheckBox* SeparateBox = nullptr;
  QCheckBox* FileBox = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* Button1 = nullptr;
  std::unique_ptr<FileDialog> SaveDialog1;
  std::unique_ptr<FileDialog> OpenDialog1;

 public slots:
  void Activator();
  void Exited();
  void OKDone();
  void CancelDone();

 protected:
  bool event(QEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // Everything of the request but the output path, as the controls hold it now.
  void ReadControls(EnumerationRequest& request) const;
  std::string CellText(int row, int column) const;

  // The live preview of what OK would produce; never shows a dialog and never writes.
  void BuildPreview();
  void UpdatePreview();
  void ShowPreviewPages(bool separate);
  void CopyPreview();

  QLabel* previewLabel_ = nullptr;
  QTabWidget* previewTabs_ = nullptr;
  QPlainTextEdit* previewText_ = nullptr;
  QPlainTextEdit* previewHeader_ = nullptr;
  QPlainTextEdit* previewSource_ = nullptr;
  QPushButton* copyButton_ = nullptr;

  PlatformServices& services_;
  EnumerationReceiver& mainWindow_;
  EnumerationStyle style_ = EnumerationStyle::PlainEnumeration;
};

}  // namespace zandrel
