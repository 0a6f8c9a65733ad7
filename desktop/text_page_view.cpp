#include "desktop/text_page_view.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <algorithm>
#include <climits>
#include <cmath>

namespace zandrel {

namespace {

// A line is painted up to this many bytes; Copy gives all of it.
constexpr std::size_t PaintedLineBytes = std::size_t{64} * 1024;

constexpr int Margin = 4;

// Lines read above the first one shown to learn whether it begins inside a block comment: a
// comment opened further up is not seen, which only costs it its colour.
constexpr std::size_t CommentLookBack = 2000;

}  // namespace

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
  // The width as the glyphs are laid out, not rounded: rounded, the columns would drift from the
  // text drawn along a line.
  lineHeight_ = std::max(1, QFontMetrics(font()).lineSpacing());
  charWidth_ = std::max<qreal>(1, QFontMetricsF(font()).horizontalAdvance(QLatin1Char('0')));
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
  const auto width =
      static_cast<long long>(std::ceil(static_cast<qreal>(longest) * charWidth_)) + 2LL * Margin;
  horizontalScrollBar()->setRange(
      0, static_cast<int>(std::clamp<long long>(width - viewport()->width(), 0, INT_MAX)));
  horizontalScrollBar()->setPageStep(viewport()->width());
  horizontalScrollBar()->setSingleStep(std::max(1, qRound(charWidth_)));
}

TextPageView::Place TextPageView::PlaceAt(QPoint point) const {
  const long long row = std::max(0, point.y()) / lineHeight_;
  Place place;
  place.Line = std::min(FirstShownLine() + static_cast<std::size_t>(row), LineCount() - 1);
  const int x = point.x() - Margin + horizontalScrollBar()->value();
  const auto column = static_cast<qsizetype>(std::max(0.0, std::floor(x / charWidth_ + 0.5)));
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
  const auto firstColumn = static_cast<qsizetype>(std::max(0.0, std::floor(-left / charWidth_)));
  const auto columns = static_cast<qsizetype>(viewport()->width() / charWidth_) + 2;
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
    const QPointF baseline(left + static_cast<qreal>(firstColumn) * charWidth_,
                           top + metrics.ascent());
    // The shown columns in runs of one format, each measured in its own font and drawn where the
    // one before it ends: a bold run placed by the plain font's columns would cover its neighbour.
    const std::vector<CodeRange> tokens =
        language_ ? TokenizeLine(whole, *language_, state) : std::vector<CodeRange>();
    qsizetype column = firstColumn;
    qreal x = baseline.x();
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
      const QString run = shown.mid(column - firstColumn, end - column);
      painter.drawText(QPointF(x, baseline.y()), run);
      x += QFontMetricsF(runFont).horizontalAdvance(run);
      column = end;
    };
    for (const CodeRange& token : tokens) {
      if (token.Start + token.Length <= column) continue;
      drawRun(token.Start, nullptr);
      drawRun(token.Start + token.Length, &formats_.For(token.Token));
    }
    drawRun(shownEnd, nullptr);
    painter.setFont(font());
    PaintSelection(painter, line, left, baseline, shown);
  }
}

void TextPageView::PaintSelection(QPainter& painter, std::size_t line, int left, QPointF baseline,
                                  const QString& shown) const {
  const auto [from, to] = std::minmax(anchor_, cursor_);
  if (from == to || line < from.Line || line > to.Line) return;
  // The selection, and its line feed, in the highlight colours.
  const qsizetype start = line == from.Line ? from.Column : 0;
  const qsizetype end = line == to.Line ? to.Column : LineText(line).size() + 1;
  const int top = static_cast<int>(line - FirstShownLine()) * lineHeight_;
  const QRectF selected(left + static_cast<qreal>(start) * charWidth_, top,
                        static_cast<qreal>(end - start) * charWidth_, lineHeight_);
  painter.save();
  painter.setClipRect(selected);
  painter.fillRect(selected, palette().brush(QPalette::Highlight));
  painter.setPen(palette().color(QPalette::HighlightedText));
  painter.drawText(baseline, shown);
  painter.restore();
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

}  // namespace zandrel
