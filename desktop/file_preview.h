#pragma once

#include <QList>
#include <QString>
#include <QWidget>
#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QStackedWidget;
class QTabBar;

namespace zandrel {

// One generated file as a preview shows it.
struct PreviewPage {
  std::string Title;     // the tab's caption
  std::string FileName;  // shown as the tab's tool tip; empty when there is no file
  std::string Text;
};

// Read-only, monospaced view of generated files, one tab per file, with a Copy button
// (Ctrl+Shift+C) for the shown one. Both windows show what they would write through it.
class FilePreview : public QWidget {
  Q_OBJECT

 public:
  explicit FilePreview(QWidget* parent = nullptr);

  // Shows these pages. With the same titles as before, the chosen tab and each page's scroll
  // position stay where they were; other titles start again on the first tab.
  void SetPages(const std::vector<PreviewPage>& pages);
  std::vector<std::string> Titles() const { return titles_; }
  int ShownPage() const;
  void ShowPage(int index);
  // The shown page's text as generated, not as the view gives it back (which would alter some
  // characters).
  QString ShownText() const;
  QWidget* ShownView() const;
  // The controls Tab walks inside the preview, in order, for the window's tab order.
  QList<QWidget*> FocusOrder() const;

  QPushButton* CopyButton = nullptr;

 public slots:
  // Puts the shown page's text on the clipboard.
  void CopyShownText();

 private:
  void MakeViews(std::size_t count);

  QTabBar* tabs_ = nullptr;
  QStackedWidget* pages_ = nullptr;  // one view per tab, by index
  std::vector<QPlainTextEdit*> views_;
  std::vector<std::string> titles_;
  std::vector<QString> texts_;  // the text of each tab as generated
};

}  // namespace zandrel
