#pragma once

#include <QString>
#include <QWidget>

class QKeyEvent;
class QPushButton;
class QShowEvent;
class QTextBrowser;

namespace zandrel {

// The help page in a window of its own, beside the windows it describes: how to use them, their
// menus and keys. Not modal; closing it only hides it.
class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  explicit HelpWindow(QWidget* parent = nullptr);

  // Shows the window, or brings it to the front when it is showing already.
  void ShowAndRaise();

  QTextBrowser* Page = nullptr;
  QPushButton* CloseButton = nullptr;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void showEvent(QShowEvent* event) override;
};

// The About box's text: the program, its version and what it is for.
QString AboutZandrelText();
// Shows it in the About box that belongs to parent.
void ShowAboutZandrel(QWidget* parent);

}  // namespace zandrel
