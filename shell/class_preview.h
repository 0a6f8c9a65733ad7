#pragma once

#include <QWidget>
#include <string>
#include <vector>

#include "classgen/class_description.h"

class QPlainTextEdit;
class QPushButton;
class QTabWidget;

namespace zandrel {

// One file Build would write: its tab title, file name and whole text.
struct PreviewPage {
  std::string Title;
  std::string FileName;  // empty when the description is refused
  std::string Text;
};

// The files Build would write for this input ("Header" and "Source", or "Java"), or the refusal
// message of Build in their place.
std::vector<PreviewPage> PreviewPages(const ClassInput& input);

// Read-only view of what Build would write, one tab per file, and a copy button.
class ClassPreview : public QWidget {
  Q_OBJECT

 public:
  explicit ClassPreview(QWidget* parent = nullptr);

  // Shows the pages; the chosen tab and each page's scroll position stay where they were.
  void ShowPages(const std::vector<PreviewPage>& pages);
  // The page of the chosen tab, and its text.
  QPlainTextEdit* ShownPage() const;
  QString ShownText() const;
  // Every page view, shown in a tab or not, in tab order.
  const std::vector<QPlainTextEdit*>& PageViews() const { return views_; }

  QTabWidget* Tabs = nullptr;
  QPushButton* CopyButton = nullptr;

 public slots:
  // Puts the shown page's text on the clipboard.
  void CopyShownText();

 private:
  QPlainTextEdit* PageView(std::size_t index);

  std::vector<QPlainTextEdit*> views_;
  std::vector<std::string> titles_;
  std::vector<QString> texts_;  // the shown text of each tab
};

}  // namespace zandrel
