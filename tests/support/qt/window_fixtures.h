#pragma once

// Set-up and helpers shared by the window tests: the enumeration receiver, the controls as a user
// works them, and the folders and files of the core tests' support.

#include <QList>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <string>
#include <vector>

#include "desktop/enumeration_receiver.h"
#include "tests/support/temp_folder.h"

class QColor;
class QComboBox;
class QTableWidget;
class QWidget;

namespace zandrel {
class FilePreview;
}

namespace zandrel::testing {

// The names of what the folder holds, sorted.
QStringList Entries(const TempFolder& folder);

// What the enumeration dialog hands to the main window.
struct RecordingReceiver : EnumerationReceiver {
  struct Accepted {
    std::string TypeName;
    std::string Text;
    HeaderInsertion Record;
    int Replaced = -1;  // the index given to ReplaceEnumeration
  };
  std::vector<Accepted> Calls;
  int MainWindowShown = 0;

  void AcceptEnumeration(HeaderInsertion insertion) override {
    Calls.push_back({insertion.TypeName, *insertion.Text, insertion});
  }
  void ReplaceEnumeration(std::size_t index, HeaderInsertion insertion) override {
    Calls.push_back({insertion.TypeName, *insertion.Text, insertion, static_cast<int>(index)});
  }
  void ShowMainWindow() override { ++MainWindowShown; }
  bool HoldsInsertion(const std::string& text) const override {
    return std::any_of(Calls.begin(), Calls.end(),
                       [&text](const Accepted& call) { return call.Text == text; });
  }
};

// Row is the grid row as the user counts it, from 1.
void SetCell(QTableWidget* grid, int row, int column, const QString& text);
QString Cell(const QTableWidget* grid, int row, int column);
bool GridEmpty(const QTableWidget* grid);

// The user picks an item from the drop-down list.
void Pick(QComboBox* box, const QString& itemText);
// The user types into the box's text field and presses Enter.
void TypeAndEnter(QComboBox* box, const QString& text);

QStringList PreviewTitles(FilePreview& preview);
// Shows the tab with this title and gives its text, checking that the view shows that text.
std::string PreviewText(FilePreview& preview, const QString& title);

// The widgets among these in the order Tab walks them from the window, and the first widget Tab
// stops at, where the focus starts.
struct FocusWalk {
  QList<QWidget*> Order;
  QWidget* FirstStop = nullptr;
};
FocusWalk WalkFocusChain(QWidget* window, const QList<QWidget*>& among);

// The contrast ratio of two colours as the web's accessibility guidelines define it, 1 to 21.
double Contrast(const QColor& a, const QColor& b);

// A caption as the user reads it: without the "&" that marks its mnemonic.
QString Shown(const QString& caption);

// The window's mnemonics (of buttons, check boxes, radio buttons and labels with a buddy): texts
// that share their Alt key with another, and buttons that have none.
struct MnemonicCheck {
  QStringList Clashes;
  QStringList Missing;
};
MnemonicCheck CheckMnemonics(QWidget* window);

}  // namespace zandrel::testing
