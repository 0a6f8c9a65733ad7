#pragma once

#include <QDialog>
#include <string>
#include <vector>

#include "classgen/header_insertions.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace zandrel {

// How the list names an enumeration handed over: an include line as it is, an enumeration's text
// as its type name and its first line ("Color: typedef enum {").
std::string InsertionCaption(const HeaderInsertion& insertion);

// The texts the enumeration dialog handed to the main window, in the order each class header and
// Java file gets them (newest first), with Edit (for those the dialog made), Remove, Move Up and
// Move Down. The dialog only asks; the main window changes its list, as one undoable step, and
// shows the result here.
class CollectedEnumerations : public QDialog {
  Q_OBJECT

 public:
  explicit CollectedEnumerations(QWidget* parent);

  // insertions oldest first, as HeaderInsertions holds them; selected is an index into them.
  void ShowInsertions(const zandrel::InsertionList& insertions, int selected);
  // The index in HeaderInsertions of the entry chosen in the list, or -1.
  int SelectedInsertion() const;

  QLabel* Label = nullptr;
  QListWidget* InsertionList = nullptr;
  QPushButton* EditButton = nullptr;
  QPushButton* RemoveButton = nullptr;
  QPushButton* UpButton = nullptr;
  QPushButton* DownButton = nullptr;
  QPushButton* CloseButton = nullptr;

 signals:
  void RemoveRequested(int insertion);
  // Open the enumeration dialog on the entry's request.
  void ReopenRequested(int insertion);
  // step 1 moves the entry up the list, toward the top of the files; -1 down.
  void MoveRequested(int insertion, int step);

 private:
  void UpdateButtons();

  int count_ = 0;
  std::vector<bool> reopenable_;  // by list row: whether the entry has its request
};

}  // namespace zandrel
