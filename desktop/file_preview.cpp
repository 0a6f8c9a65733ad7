#include "desktop/file_preview.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScrollBar>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>
#include <cstring>
#include <exception>
#include <mutex>
#include <unordered_map>

#include <sys/resource.h>
#include <unistd.h>

namespace zandrel {

namespace {

// Every target writes one or two files: views for them are made at once, so that each has its
// place in the window's tab order from the start.
constexpr std::size_t ViewsAtStart = 2;

// Pieces this long are indexed once and the index kept while the piece lives; shorter ones (a
// class's own text) cost less to index again than to look up.
constexpr std::size_t KeptIndexSize = 64 * 1024;

// A line is painted up to this many bytes; Copy gives all of it.
constexpr std::size_t PaintedLineBytes = 64 * 1024;

constexpr int Margin = 4;

const QEvent::Type RefreshEvent = static_cast<QEvent::Type>(QEvent::registerEventType());

// Lines read above the first one shown to learn whether it begins inside a block comment: a
// comment opened further up is not seen, which only costs it its colour.
constexpr std::size_t CommentLookBack = 2000;

}  // namespace

struct IndexedText::PieceLines {
  std::vector<std::uint32_t> Starts;  // just after each line feed
  std::size_t First = 0;              // bytes before the first line feed; all without one
  std::size_t Last = 0;               // bytes after the last line feed
  std::size_t Longest = 0;            // the longest line between two line feeds
};

namespace {

IndexedText::PieceLines IndexPiece(const std::string& text) {
  IndexedText::PieceLines lines;
  const char* const data = text.data();
  std::size_t lineStart = 0;
  bool first = true;
  // Offsets are kept in 32 bits; a piece of 4 GiB or more shows its rest as one line.
  const std::size_t indexed = std::min<std::size_t>(text.size(), UINT32_MAX);
  while (lineStart < indexed) {
    const void* found = std::memchr(data + lineStart, '\n', indexed - lineStart);
    if (found == nullptr) break;
    const std::size_t at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    if (first)
      lines.First = at;
    else
      lines.Longest = std::max(lines.Longest, at - lineStart);
    first = false;
    lineStart = at + 1;
    lines.Starts.push_back(static_cast<std::uint32_t>(lineStart));
  }
  if (first) lines.First = text.size();
  lines.Last = text.size() - lineStart;
  return lines;
}

}  // namespace

// The indexes of long pieces, by the piece they index, for as long as the piece lives. Shared by
// the worker thread and the GUI thread.
class LineIndexCache {
 public:
  std::shared_ptr<const IndexedText::PieceLines> Find(const SharedText& piece) {
    const std::lock_guard lock(mutex_);
    const auto found = entries_.find(piece.get());
    if (found == entries_.end() || found->second.Text.lock() != piece) return nullptr;
    return found->second.Lines;
  }
  void Keep(const SharedText& piece, std::shared_ptr<const IndexedText::PieceLines> lines) {
    const std::lock_guard lock(mutex_);
    std::erase_if(entries_, [](const auto& entry) { return entry.second.Text.expired(); });
    entries_[piece.get()] = {piece, std::move(lines)};
  }

 private:
  struct Entry {
    std::weak_ptr<const std::string> Text;
    std::shared_ptr<const IndexedText::PieceLines> Lines;
  };
  std::mutex mutex_;
  std::unordered_map<const std::string*, Entry> entries_;
};

IndexedText::IndexedText(TextPieces pieces, LineIndexCache* cache) : pieces_(std::move(pieces)) {
  std::size_t breaks = 0;
  std::size_t run = 0;  // bytes of the line still open at the end of the pieces so far
  for (const SharedText& piece : pieces_) {
    const bool kept = cache != nullptr && piece->size() >= KeptIndexSize;
    std::shared_ptr<const PieceLines> lines = kept ? cache->Find(piece) : nullptr;
    if (lines == nullptr) {
      lines = std::make_shared<const PieceLines>(IndexPiece(*piece));
      if (kept) cache->Keep(piece, lines);
    }
    breaksBefore_.push_back(breaks);
    if (lines->Starts.empty()) {
      run += lines->First;
    } else {
      longest_ = std::max({longest_, run + lines->First, lines->Longest});
      run = lines->Last;
    }
    breaks += lines->Starts.size();
    lines_.push_back(std::move(lines));
  }
  longest_ = std::max(longest_, run);
  lineCount_ = breaks + 1;
}

IndexedText::~IndexedText() = default;

std::string IndexedText::Line(std::size_t line, std::size_t limit) const {
  if (line >= lineCount_) return {};
  std::size_t piece = 0;
  std::size_t offset = 0;
  if (line > 0) {
    // The piece holding the line feed before the line: the last one with fewer line feeds before
    // it than the line's number.
    const auto after = std::upper_bound(breaksBefore_.begin(), breaksBefore_.end(), line - 1);
    piece = static_cast<std::size_t>(after - breaksBefore_.begin()) - 1;
    offset = lines_[piece]->Starts[line - breaksBefore_[piece] - 1];
  }
  std::string text;
  for (; piece < pieces_.size() && text.size() < limit; ++piece, offset = 0) {
    const std::string& from = *pieces_[piece];
    const std::size_t span = std::min(limit - text.size(), from.size() - offset);
    const void* end = std::memchr(from.data() + offset, '\n', span);
    const std::size_t length =
        end == nullptr
            ? span
            : static_cast<std::size_t>(static_cast<const char*>(end) - from.data()) - offset;
    text.append(from, offset, length);
    if (end != nullptr) break;
  }
  return text;
}

TextPageView::TextPageView(QWidget* parent) : QAbstractScrollArea(parent), formats_(palette()) {
  setFont(FixedPitchFont(QFontDatabase::systemFont(QFontDatabase::FixedFont)));
  setFocusPolicy(Qt::StrongFocus);
  viewport()->setCursor(Qt::IBeamCursor);
  UpdateMetrics();
}

void TextPageView::SetText(std::shared_ptr<const IndexedText> text) {
  text_ = std::move(text);
  knownLine_ = 0;
  knownState_ = LineState::Code;
  // A selection stays where it was, within the new text.
  for (Place* place : {&anchor_, &cursor_}) {
    place->Line = std::min(place->Line, LineCount() - 1);
    place->Column = std::min(place->Column, LineText(place->Line).size());
  }
  UpdateScrollBars();
  viewport()->update();
}

void TextPageView::SetLanguage(std::optional<CodeLanguage> language) {
  if (language == language_) return;
  language_ = language;
  knownLine_ = 0;
  knownState_ = LineState::Code;
  viewport()->update();
}

LineState TextPageView::StateBefore(std::size_t line) const {
  if (!text_ || !language_) return LineState::Code;
  const bool known = line >= knownLine_ && line - knownLine_ <= CommentLookBack;
  std::size_t from = known ? knownLine_ : (line > CommentLookBack ? line - CommentLookBack : 0);
  LineState state = known ? knownState_ : LineState::Code;
  for (; from < line; ++from)
    state =
        StateAfterLine(std::string_view(text_->Line(from, PaintedLineBytes)), *language_, state);
  knownLine_ = line;
  knownState_ = state;
  return state;
}

QString TextPageView::LineText(std::size_t line) const {
  if (!text_) return {};
  return QString::fromStdString(text_->Line(line, PaintedLineBytes));
}

QString TextPageView::Text() const {
  if (!text_) return {};
  std::string text;
  for (std::size_t line = 0; line < text_->LineCount(); ++line) {
    if (line > 0) text += '\n';
    text += text_->Line(line, SIZE_MAX);
  }
  return QString::fromStdString(text);
}

std::size_t TextPageView::FirstShownLine() const {
  return static_cast<std::size_t>(verticalScrollBar()->value());
}

QString TextPageView::SelectedText() const {
  const auto [from, to] = std::minmax(anchor_, cursor_);
  QString text;
  for (std::size_t line = from.Line; line <= to.Line; ++line) {
    const QString whole = LineText(line);
    const qsizetype start = line == from.Line ? from.Column : 0;
    const qsizetype end = line == to.Line ? to.Column : whole.size();
    text += whole.mid(start, end - start);
    if (line != to.Line) text += '\n';
  }
  return text;
}

void TextPageView::SelectAll() {
  anchor_ = {};
  cursor_ = {LineCount() - 1, LineText(LineCount() - 1).size()};
  viewport()->update();
}

void TextPageView::UpdateMetrics() {
  const QFontMetrics metrics(font());
  lineHeight_ = std::max(1, metrics.lineSpacing());
  charWidth_ = std::max(1, metrics.horizontalAdvance(QLatin1Char('0')));
  UpdateScrollBars();
}

void TextPageView::UpdateScrollBars() {
  const int rows = std::max(1, viewport()->height() / lineHeight_);
  const std::size_t lines = LineCount();
  const std::size_t lastFirst = lines > static_cast<std::size_t>(rows) ? lines - rows : 0;
  verticalScrollBar()->setRange(0, static_cast<int>(std::min<std::size_t>(lastFirst, INT_MAX)));
  verticalScrollBar()->setPageStep(rows);
  verticalScrollBar()->setSingleStep(1);
  const std::size_t longest = text_ ? std::min(text_->Longest(), PaintedLineBytes) : 0;
  const long long width = static_cast<long long>(longest) * charWidth_ + 2 * Margin;
  horizontalScrollBar()->setRange(
      0, static_cast<int>(std::clamp<long long>(width - viewport()->width(), 0, INT_MAX)));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(charWidth_);
}

TextPageView::Place TextPageView::PlaceAt(QPoint point) const {
  const long long row = std::max(0, point.y()) / lineHeight_;
  Place place;
  place.Line = std::min(FirstShownLine() + static_cast<std::size_t>(row), LineCount() - 1);
  const int x = point.x() - Margin + horizontalScrollBar()->value();
  const qsizetype column = std::max(0, (x + charWidth_ / 2) / charWidth_);
  place.Column = std::min(column, LineText(place.Line).size());
  return place;
}

void TextPageView::paintEvent(QPaintEvent* event) {
  QPainter painter(viewport());
  const QRect area = event->rect();
  painter.fillRect(area, palette().brush(QPalette::Base));
  const QFontMetrics metrics(font());
  const int left = Margin - horizontalScrollBar()->value();
  // Only the columns in sight are laid out, however long the line.
  const qsizetype firstColumn = std::max(0, -left / charWidth_);
  const qsizetype columns = viewport()->width() / charWidth_ + 2;
  const auto [from, to] = std::minmax(anchor_, cursor_);
  const std::size_t first = FirstShownLine();
  // A note is quiet beside the files; code takes the colours of its tokens.
  const QColor plain = palette().color(language_ ? QPalette::Text : QPalette::PlaceholderText);
  const int firstRow = area.top() / lineHeight_;
  LineState state = StateBefore(first + static_cast<std::size_t>(firstRow));
  for (int row = firstRow; row * lineHeight_ <= area.bottom(); ++row) {
    const std::size_t line = first + static_cast<std::size_t>(row);
    if (line >= LineCount()) break;
    const QString whole = LineText(line);
    QString shown = whole.mid(firstColumn, columns);
    // Control characters would break the columns: they show as blanks.
    for (QChar& c : shown)
      if (c.unicode() < 0x20) c = QLatin1Char(' ');
    const int top = row * lineHeight_;
    const QPoint baseline(left + static_cast<int>(firstColumn) * charWidth_,
                          top + metrics.ascent());
    // The shown columns in runs of one format, each at its own column.
    const std::vector<CodeRange> tokens =
        language_ ? TokenizeLine(whole, *language_, state) : std::vector<CodeRange>();
    qsizetype column = firstColumn;
    const qsizetype shownEnd = firstColumn + shown.size();
    auto drawRun = [&](qsizetype end, const QTextCharFormat* format) {
      end = std::min(end, shownEnd);
      if (end <= column) return;
      QFont runFont = font();
      if (format != nullptr) {
        runFont.setBold(format->fontWeight() == QFont::Bold);
        runFont.setItalic(format->fontItalic());
      }
      painter.setFont(runFont);
      painter.setPen(format != nullptr ? format->foreground().color() : plain);
      painter.drawText(QPoint(left + static_cast<int>(column) * charWidth_, baseline.y()),
                       shown.mid(column - firstColumn, end - column));
      column = end;
    };
    for (const CodeRange& token : tokens) {
      if (token.Start + token.Length <= column) continue;
      drawRun(token.Start, nullptr);
      drawRun(token.Start + token.Length, &formats_.For(token.Token));
    }
    drawRun(shownEnd, nullptr);
    painter.setFont(font());
    if (from == to || line < from.Line || line > to.Line) continue;
    // The selection, and its line feed, in the highlight colours.
    const qsizetype start = line == from.Line ? from.Column : 0;
    const qsizetype end = line == to.Line ? to.Column : LineText(line).size() + 1;
    const QRect selected(left + static_cast<int>(start) * charWidth_, top,
                         static_cast<int>(end - start) * charWidth_, lineHeight_);
    painter.save();
    painter.setClipRect(selected);
    painter.fillRect(selected, palette().brush(QPalette::Highlight));
    painter.setPen(palette().color(QPalette::HighlightedText));
    painter.drawText(baseline, shown);
    painter.restore();
  }
}

void TextPageView::resizeEvent(QResizeEvent* event) {
  QAbstractScrollArea::resizeEvent(event);
  UpdateScrollBars();
}

void TextPageView::keyPressEvent(QKeyEvent* event) {
  if (event == QKeySequence::SelectAll) {
    SelectAll();
  } else if (event == QKeySequence::Copy) {
    if (anchor_ != cursor_) QGuiApplication::clipboard()->setText(SelectedText());
  } else if (event == QKeySequence::MoveToStartOfDocument) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  } else if (event == QKeySequence::MoveToEndOfDocument) {
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  } else if (event == QKeySequence::MoveToStartOfLine) {
    horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
  } else if (event == QKeySequence::MoveToEndOfLine) {
    horizontalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
  } else {
    QAbstractScrollArea::keyPressEvent(event);
  }
}

void TextPageView::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QAbstractScrollArea::mousePressEvent(event);
  cursor_ = PlaceAt(event->position().toPoint());
  if (!(event->modifiers() & Qt::ShiftModifier)) anchor_ = cursor_;
  viewport()->update();
}

void TextPageView::mouseMoveEvent(QMouseEvent* event) {
  if (!(event->buttons() & Qt::LeftButton)) return QAbstractScrollArea::mouseMoveEvent(event);
  const QPoint point = event->position().toPoint();
  // Dragging past an edge scrolls on.
  if (point.y() < 0) verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
  if (point.y() > viewport()->height())
    verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
  cursor_ = PlaceAt(point);
  viewport()->update();
}

void TextPageView::changeEvent(QEvent* event) {
  QAbstractScrollArea::changeEvent(event);
  if (event->type() == QEvent::FontChange) UpdateMetrics();
  // A dark theme chosen while the program runs recolours the code.
  if (event->type() == QEvent::PaletteChange) formats_ = CodeFormats(palette());
}

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
    return {{"Preview", {}, {ShareText(std::string("The preview failed: ") + error.what())}}};
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
  CopyButton = new QPushButton(QStringLiteral("Cop&y"), this);
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

int FilePreview::ShownPage() const { return tabs_->currentIndex(); }

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
