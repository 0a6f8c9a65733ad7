#include "shell/class_preview.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

#include "classgen/class_build.h"

namespace zandrel {

std::vector<PreviewPage> PreviewPages(const ClassInput& input) {
  const bool java = input.Options.TargetSystem == TargetSystem::Java;
  const std::vector<std::string> titles =
      java ? std::vector<std::string>{"Java"} : std::vector<std::string>{"Header", "Source"};
  std::vector<PreviewPage> pages;

  const std::optional<ClassDescription> description = ReadClassDescription(input);
  if (!description) {
    for (const std::string& title : titles)
      pages.push_back({title, std::string(), std::string(ShortClassNameMessage)});
    return pages;
  }
  // The file names the save dialog would propose.
  const std::string proposed = description->ClassName + (java ? ".java" : ".h");
  const std::vector<OutputFile> files = ClassOutputFiles(*description, proposed);
  for (std::size_t i = 0; i < files.size() && i < titles.size(); ++i)
    pages.push_back({titles[i], files[i].Path, files[i].Text});
  return pages;
}

ClassPreview::ClassPreview(QWidget* parent) : QWidget(parent) {
  Tabs = new QTabWidget(this);
  Tabs->setDocumentMode(true);
  // The tab bar alone takes the focus; the tab widget itself would be a second stop for it.
  Tabs->setFocusPolicy(Qt::NoFocus);
  Tabs->tabBar()->setFocusPolicy(Qt::TabFocus);
  CopyButton = new QPushButton(QStringLiteral("Copy"), this);
  CopyButton->setToolTip(QStringLiteral("Copy the shown file's text (Ctrl+Shift+C)"));
  Tabs->setCornerWidget(CopyButton, Qt::TopRightCorner);
  connect(CopyButton, &QPushButton::clicked, this, &ClassPreview::CopyShownText);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Tabs);
  // The C++ pages, put in their tabs now: a page that changes parent later would lose its place
  // in the window's tab order. Java reuses the first page.
  Tabs->addTab(PageView(0), QStringLiteral("Header"));
  Tabs->addTab(PageView(1), QStringLiteral("Source"));
  titles_ = {"Header", "Source"};
  texts_.assign(2, QString());
}

QPlainTextEdit* ClassPreview::PageView(std::size_t index) {
  while (views_.size() <= index) {
    auto* view = new QPlainTextEdit(Tabs);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setTabChangesFocus(true);
    // Keyboard users can still select and copy inside the page.
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    views_.push_back(view);
  }
  return views_[index];
}

void ClassPreview::ShowPages(const std::vector<PreviewPage>& pages) {
  std::vector<std::string> titles;
  for (const PreviewPage& page : pages) titles.push_back(page.Title);
  if (titles != titles_) {
    // Another set of files (C++ against Java): new tabs, the first one chosen.
    Tabs->clear();
    for (std::size_t i = 0; i < pages.size(); ++i)
      Tabs->addTab(PageView(i), QString::fromStdString(pages[i].Title));
    titles_ = titles;
    texts_.assign(pages.size(), QString());
    for (QPlainTextEdit* view : views_) view->clear();
  }
  for (std::size_t i = 0; i < pages.size(); ++i) {
    QPlainTextEdit* view = PageView(i);
    const QString text = QString::fromStdString(pages[i].Text);
    Tabs->setTabToolTip(static_cast<int>(i), QString::fromStdString(pages[i].FileName));
    if (texts_[i] == text) continue;
    texts_[i] = text;
    const int vertical = view->verticalScrollBar()->value();
    const int horizontal = view->horizontalScrollBar()->value();
    view->setPlainText(text);
    view->verticalScrollBar()->setValue(vertical);
    view->horizontalScrollBar()->setValue(horizontal);
  }
}

QPlainTextEdit* ClassPreview::ShownPage() const {
  return qobject_cast<QPlainTextEdit*>(Tabs->currentWidget());
}

QString ClassPreview::ShownText() const {
  // The text as generated, not as the view gives it back (which would alter some characters).
  const int index = Tabs->currentIndex();
  return index >= 0 && static_cast<std::size_t>(index) < texts_.size() ? texts_[index] : QString();
}

void ClassPreview::CopyShownText() { QGuiApplication::clipboard()->setText(ShownText()); }

}  // namespace zandrel
