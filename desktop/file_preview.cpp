#include "desktop/file_preview.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace zandrel {

namespace {

// Every target writes one or two files: views for them are made at once, so that each has its
// place in the window's tab order from the start.
constexpr std::size_t ViewsAtStart = 2;

}  // namespace

FilePreview::FilePreview(QWidget* parent) : QWidget(parent) {
  tabs_ = new QTabBar(this);
  tabs_->setDocumentMode(true);
  tabs_->setExpanding(false);
  // However narrow the preview, the tabs stay one stop for Tab: no scroll buttons beside them.
  tabs_->setUsesScrollButtons(false);
  tabs_->setFocusPolicy(Qt::TabFocus);
  CopyButton = new QPushButton(QStringLiteral("Copy"), this);
  CopyButton->setToolTip(QStringLiteral("Copy the shown file's text (Ctrl+Shift+C)"));
  connect(CopyButton, &QPushButton::clicked, this, &FilePreview::CopyShownText);
  // Copies at once wherever the focus is in the window, without moving it to the button.
  auto* copyKey = new QShortcut(QKeySequence(QStringLiteral("Ctrl+Shift+C")), this);
  connect(copyKey, &QShortcut::activated, this, &FilePreview::CopyShownText);

  pages_ = new QStackedWidget(this);
  MakeViews(ViewsAtStart);
  connect(tabs_, &QTabBar::currentChanged, pages_, &QStackedWidget::setCurrentIndex);

  auto* head = new QHBoxLayout;
  head->addWidget(tabs_, 1);
  head->addWidget(CopyButton);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addLayout(head);
  layout->addWidget(pages_, 1);
}

void FilePreview::MakeViews(std::size_t count) {
  while (views_.size() < count) {
    auto* view = new QPlainTextEdit(pages_);
    view->setReadOnly(true);
    view->setLineWrapMode(QPlainTextEdit::NoWrap);
    view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    view->setTabChangesFocus(true);
    // Keyboard users can still select and copy inside the page.
    view->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    pages_->addWidget(view);
    views_.push_back(view);
  }
}

void FilePreview::SetPages(const std::vector<PreviewPage>& pages) {
  MakeViews(pages.size());
  std::vector<std::string> titles;
  for (const PreviewPage& page : pages) titles.push_back(page.Title);
  if (titles != titles_ || tabs_->count() == 0) {
    // Another set of files: new tabs, the first one chosen.
    while (tabs_->count() > 0) tabs_->removeTab(tabs_->count() - 1);
    for (QPlainTextEdit* view : views_) view->clear();
    titles_ = titles;
    texts_.assign(titles.size(), QString());
    for (const std::string& title : titles) tabs_->addTab(QString::fromStdString(title));
    tabs_->setCurrentIndex(0);
    // A hidden tab bar does not tell the layout that its size changed with its tabs.
    tabs_->updateGeometry();
  }
  for (std::size_t i = 0; i < titles.size(); ++i) {
    tabs_->setTabToolTip(static_cast<int>(i), QString::fromStdString(pages[i].FileName));
    const QString text = QString::fromStdString(pages[i].Text);
    if (texts_[i] == text) continue;
    texts_[i] = text;
    // Keep the reader's place while the text changes under it.
    QPlainTextEdit* view = views_[i];
    const int vertical = view->verticalScrollBar()->value();
    const int horizontal = view->horizontalScrollBar()->value();
    view->setPlainText(text);
    view->verticalScrollBar()->setValue(vertical);
    view->horizontalScrollBar()->setValue(horizontal);
  }
}

int FilePreview::ShownPage() const { return tabs_->currentIndex(); }

void FilePreview::ShowPage(int index) { tabs_->setCurrentIndex(index); }

QString FilePreview::ShownText() const {
  const int index = tabs_->currentIndex();
  return index >= 0 && static_cast<std::size_t>(index) < texts_.size() ? texts_[index] : QString();
}

QWidget* FilePreview::ShownView() const { return pages_->currentWidget(); }

QList<QWidget*> FilePreview::FocusOrder() const {
  QList<QWidget*> order{tabs_};
  for (QPlainTextEdit* view : views_) order.append(view);
  order.append(CopyButton);
  return order;
}

void FilePreview::CopyShownText() { QGuiApplication::clipboard()->setText(ShownText()); }

}  // namespace zandrel
