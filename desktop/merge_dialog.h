#pragma once

#include <QDialog>
#include <cstddef>
#include <string>
#include <vector>

class QComboBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;

class QDialogButtonBox;

namespace zandrel {

// A file whose merge conflicts: its merged text, markers included, and where each conflict starts.
struct ConflictingFile {
  std::string Path;
  std::string Text;
  std::vector<std::size_t> ConflictLines;  // 1-based
};

// What the user chose for the conflicting files.
enum class MergeChoice {
  WriteWithMarkers,  // write every file, the conflicting ones with their markers
  Replace,           // write the new texts over the conflicting files (they go to the trash)
  KeepMine,          // the conflicting files stay as the user left them; the others are written
  Cancel,            // write nothing and go back
};

// Shows each conflicting file's merged text with its conflicts highlighted (the user's lines and
// the generated ones in two colours), steps through the conflicts with Next and Previous, and
// asks what to do. Enter keeps the user's files; Escape cancels.
class MergeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MergeDialog(std::vector<ConflictingFile> files, QWidget* parent = nullptr);

  MergeChoice Choice() const { return choice_; }
  // The conflict shown: the file's index and the conflict's index in it.
  std::size_t CurrentFile() const { return file_; }
  std::size_t CurrentConflict() const { return conflict_; }
  QString PositionText() const;
  QString ShownText() const;

 public slots:
  void NextConflict();
  void PreviousConflict();

 private:
  // The four answers, Keep my files the default.
  QDialogButtonBox* MakeButtons();
  void ShowFile(std::size_t file);
  void ShowConflict();
  void Choose(MergeChoice choice);

  std::vector<ConflictingFile> files_;
  std::size_t file_ = 0;
  std::size_t conflict_ = 0;
  MergeChoice choice_ = MergeChoice::Cancel;
  QComboBox* fileBox_ = nullptr;
  QPlainTextEdit* view_ = nullptr;
  QLabel* position_ = nullptr;
};

// Shows the dialog modally above owner and returns the choice.
MergeChoice AskMergeChoice(QWidget* owner, std::vector<ConflictingFile> files);

}  // namespace zandrel
