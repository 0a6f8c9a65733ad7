#include "desktop/file_preview.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <exception>

#include <sys/resource.h>
#include <unistd.h>

namespace zandrel {

namespace {

// Every target writes one or two files: views for them are made at once, so that each has its
// place in the window's tab order from the start.
constexpr std::size_t ViewsAtStart = 2;

const QEvent::Type RefreshEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

}  // namespace

struct FilePreview::Made {
  std::vector<PreviewPage> Pages;
  std::vector<std::shared_ptr<const IndexedText>> Texts;
};

namespace {

// The pages of a job, indexed; a text equal to the one shown keeps the shown index, so its view
// is left alone. A job that fails shows why instead of ending the program.
std::vector<PreviewPage> RunJob(const PreviewJob& job) {
  try {
    return job();
  } catch (const std::exception& error) {
    return {{FilePreview::tr("Preview").toStdString(),
             {},
             {ShareText(FilePreview::tr("The preview failed: %1")
                            .arg(QString::fromUtf8(error.what()))
                            .toStdString())}}};
  }
}

}  // namespace

FilePreview::FilePreview(QWidget* parent)
    : QWidget(parent), cache_(std::make_shared<LineIndexCache>()) {
  tabs_ = new QTabBar(this);
  tabs_->setDocumentMode(true);
  tabs_->setExpanding(false);
  // However narrow the preview, the tabs stay one stop for Tab: no scroll buttons beside them.
  tabs_->setUsesScrollButtons(false);
  tabs_->setFocusPolicy(Qt::TabFocus);
  // Alt+Y: the letter no window's other controls take.
  //: Its Alt letter must be one that no other control or menu of the main window and of the
  //: enumeration dialog takes
  CopyButton = new QPushButton(tr("Cop&y"), this);
  CopyButton->setToolTip(tr("Copy the shown file's text (Ctrl+Shift+C)"));
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

  worker_.setMaxThreadCount(1);
}

FilePreview::~FilePreview() {
  // A job still running posts its result to this preview: it must end first.
  worker_.clear();
  worker_.waitForDone();
}

void FilePreview::MakeViews(std::size_t count) {
  while (views_.size() < count) {
    auto* view = new TextPageView(pages_);
    pages_->addWidget(view);
    views_.push_back(view);
  }
}

void FilePreview::SetSource(std::function<PreviewJob()> source) {
  source_ = std::move(source);
  Invalidate();
}

void FilePreview::Invalidate() { Invalidate(true); }

void FilePreview::Invalidate(bool stale) {
  stale_ = stale;
  if (stale_ && isVisible()) ScheduleRefresh();
}

void FilePreview::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  // Nothing shown yet: the first pages are made at once, so the window never shows without them.
  if (tabs_->count() == 0)
    UpdateNow();
  else if (stale_)
    ScheduleRefresh();
}

std::shared_ptr<FilePreview::Made> FilePreview::Make(
    const PreviewJob& job, const std::vector<std::shared_ptr<const IndexedText>>& shown,
    LineIndexCache* cache) {
  auto made = std::make_shared<Made>();
  made->Pages = RunJob(job);
  for (std::size_t i = 0; i < made->Pages.size(); ++i) {
    const TextPieces& text = made->Pages[i].Text;
    if (i < shown.size() && shown[i] != nullptr && SamePieces(shown[i]->Pieces(), text))
      made->Texts.push_back(shown[i]);
    else
      made->Texts.push_back(std::make_shared<const IndexedText>(text, cache));
  }
  return made;
}

void FilePreview::ScheduleRefresh() {
  if (refreshPosted_) return;
  refreshPosted_ = true;
  // Below the repaints the change asked for, which wait at low priority too: what was typed
  // shows before the worker starts, and the keys already waiting make one update.
  QCoreApplication::postEvent(this, new QEvent(RefreshEvent), Qt::LowEventPriority - 1);
}

bool FilePreview::event(QEvent* event) {
  if (event->type() != RefreshEvent) return QWidget::event(event);
  refreshPosted_ = false;
  Refresh();
  return true;
}

void FilePreview::Refresh() {
  // A running update is followed by this one when it ends; a preview hidden since it was asked
  // for waits until it shows again.
  if (!stale_ || !source_ || running_ || held_ > 0 || !isVisible()) return;
  stale_ = false;
  running_ = true;
  const std::uint64_t generation = ++generation_;
  ++generations_;
  worker_.start([this, generation, job = source_(), shown = texts_, cache = cache_] {
    // Typing comes first: the worker gives way to the GUI thread whenever both want a processor.
    setpriority(PRIO_PROCESS, static_cast<id_t>(gettid()), 10);
    std::shared_ptr<Made> made = Make(job, shown, cache.get());
    QMetaObject::invokeMethod(
        this, [this, generation, made] { Finished(generation, made); }, Qt::QueuedConnection);
  });
}

void FilePreview::Finished(std::uint64_t generation, const std::shared_ptr<Made>& made) {
  running_ = false;
  if (generation == generation_) Show(*made);
  if (stale_ && isVisible()) ScheduleRefresh();
}

void FilePreview::UpdateNow() {
  if (!source_ || !Pending()) return;
  stale_ = false;
  ++generation_;  // a result still being made is dropped
  ++generations_;
  Show(*Make(source_(), texts_, cache_.get()));
}

void FilePreview::SetPages(std::vector<PreviewPage> pages) {
  source_ = nullptr;
  stale_ = false;
  ++generation_;
  Show(*Make([&pages] { return pages; }, texts_, cache_.get()));
}

void FilePreview::Show(const Made& made) {
  MakeViews(made.Pages.size());
  std::vector<std::string> titles;
  for (const PreviewPage& page : made.Pages) titles.push_back(page.Title);
  if (titles != titles_ || tabs_->count() == 0) {
    // Another set of files: new tabs, the first one chosen.
    while (tabs_->count() > 0) tabs_->removeTab(tabs_->count() - 1);
    for (TextPageView* view : views_) view->SetText(nullptr);
    titles_ = titles;
    texts_.assign(titles.size(), nullptr);
    for (const std::string& title : titles) tabs_->addTab(QString::fromStdString(title));
    tabs_->setCurrentIndex(0);
    // A hidden tab bar does not tell the layout that its size changed with its tabs.
    tabs_->updateGeometry();
  }
  for (std::size_t i = 0; i < titles.size(); ++i) {
    const PreviewPage& page = made.Pages[i];
    tabs_->setTabToolTip(static_cast<int>(i), QString::fromStdString(page.FileName));
    views_[i]->SetLanguage(page.Code || !page.FileName.empty()
                               ? std::optional(LanguageForFile(page.FileName))
                               : std::nullopt);
    if (texts_[i] == made.Texts[i]) continue;
    texts_[i] = made.Texts[i];
    views_[i]->SetText(texts_[i]);
  }
  emit Updated();
}

std::vector<std::string> FilePreview::Titles() {
  UpdateNow();
  return titles_;
}

void FilePreview::ShowPage(int index) {
  UpdateNow();
  tabs_->setCurrentIndex(index);
}

QString FilePreview::ShownText() {
  UpdateNow();
  const int index = tabs_->currentIndex();
  if (index < 0 || static_cast<std::size_t>(index) >= texts_.size() || !texts_[index]) return {};
  return QString::fromStdString(Join(texts_[index]->Pieces()));
}

TextPageView* FilePreview::ShownView() const {
  return static_cast<TextPageView*>(pages_->currentWidget());
}

QList<QWidget*> FilePreview::FocusOrder() const {
  QList<QWidget*> order{tabs_};
  for (TextPageView* view : views_) order.append(view);
  order.append(CopyButton);
  return order;
}

void FilePreview::CopyShownText() { QGuiApplication::clipboard()->setText(ShownText()); }

}  // namespace zandrel
