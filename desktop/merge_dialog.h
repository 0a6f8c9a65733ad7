#pragma once

#include <QDialog>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "core/regeneration.h"

class QComboBox;
class QDialogButtonBox;
class QHBoxLayout;
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
  WriteChosen,  // write every file, each conflict settled by the side chosen for it
  Replace,      // write the new texts over the conflicting files (they go to the trash)
  KeepMine,     // the conflicting files stay as the user left them; the others are written
  Cancel,       // write nothing and go back
};

// The choice, and for WriteChosen the side kept of each conflict of each file.
struct MergeAnswer {
  MergeAnswer(MergeChoice choice = MergeChoice::Cancel,
              std::vector<std::vector<ConflictSide>> sides = {})
      : Choice(choice), Sides(std::move(sides)) {}
  MergeChoice Choice;
  std::vector<std::vector<ConflictSide>> Sides;  // by file, by conflict
};

// Shows each conflicting file's merged text with its conflicts highlighted (the user's lines and
// the generated ones in two colours), steps through the conflicts with Next and Previous, lets
// the user keep their lines, the generated ones or both for each, and asks what to do. Enter
// keeps the user's files as they are (no markers are ever written); Escape cancels.
class MergeDialog : public QDialog {
  Q_OBJECT

 public:
  explicit MergeDialog(std::vector<ConflictingFile> files, QWidget* parent = nullptr);

  MergeAnswer Answer() const { return {choice_, sides_}; }
  MergeChoice Choice() const { return choice_; }
  // The conflict shown: the file's index and the conflict's index in it.
  std::size_t CurrentFile() const { return file_; }
  std::size_t CurrentConflict() const { return conflict_; }
  QString PositionText() const;
  QString ShownText() const;

 public slots:
  void NextConflict();
  void PreviousConflict();
  // Keeps this side of the conflict shown.
  void ChooseSide(ConflictSide side);

 private:
  QHBoxLayout* BuildNavigation();
  QHBoxLayout* BuildSideChoice();
  // The four answers, Keep my files the default.
  QDialogButtonBox* BuildButtons();
  void ShowFile(std::size_t file);
  void ShowConflict();
  void Choose(MergeChoice choice);

  std::vector<ConflictingFile> files_;
  std::vector<std::vector<ConflictSide>> sides_;
  std::size_t file_ = 0;
  std::size_t conflict_ = 0;
  MergeChoice choice_ = MergeChoice::Cancel;
  QComboBox* fileBox_ = nullptr;
  QComboBox* sideBox_ = nullptr;
  QPlainTextEdit* view_ = nullptr;
  QLabel* position_ = nullptr;
};

// Shows the dialog modally above owner and returns the answer.
MergeAnswer AskMergeChoice(QWidget* owner, std::vector<ConflictingFile> files);

}  // namespace zandrel
