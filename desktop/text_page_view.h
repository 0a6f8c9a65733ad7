#pragma once

#include <QAbstractScrollArea>
#include <QString>
#include <cstddef>
#include <memory>
#include <optional>

#include "desktop/code_highlighting.h"
#include "desktop/indexed_text.h"

class QPainter;

namespace zandrel {

// A read-only, monospaced view of one page that lays out and paints only the lines it shows, so
// what it costs does not grow with the text. Text can be selected with the mouse (Ctrl+A selects
// all) and copied with Ctrl+C.
class TextPageView : public QAbstractScrollArea {
  Q_OBJECT

 public:
  explicit TextPageView(QWidget* parent = nullptr);

  void SetText(std::shared_ptr<const IndexedText> text);
  // The language the text is coloured in; none for a note.
  void SetLanguage(std::optional<CodeLanguage> language);
  std::optional<CodeLanguage> Language() const { return language_; }
  std::size_t LineCount() const { return text_ ? text_->LineCount() : 1; }
  // One line as the view paints it, and every line joined by line feeds: the whole text as the
  // view holds it, for checking it against the text generated.
  QString LineText(std::size_t line) const;
  QString Text() const;
  std::size_t FirstShownLine() const;
  QString SelectedText() const;
  void SelectAll();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // The line's selected stretch, over the text drawn at baseline.
  void PaintSelection(QPainter& painter, std::size_t line, int left, QPointF baseline,
                      const QString& shown) const;
  // A place in the text: a line, and a character (UTF-16 unit) in it.
  struct Place {
    std::size_t Line = 0;
    qsizetype Column = 0;
    bool operator==(const Place&) const = default;
    auto operator<=>(const Place&) const = default;
  };
  Place PlaceAt(QPoint point) const;
  void UpdateMetrics();
  void UpdateScrollBars();
  // Whether the line begins inside a block comment.
  LineState StateBefore(std::size_t line) const;

  std::shared_ptr<const IndexedText> text_;
  int lineHeight_ = 1;
  qreal charWidth_ = 1;  // the advance of one column
  Place anchor_;
  Place cursor_;
  std::optional<CodeLanguage> language_;
  CodeFormats formats_;
  // The state found last, before that line: scrolling on reads only the lines in between.
  mutable std::size_t knownLine_ = 0;
  mutable LineState knownState_ = LineState::Code;
};

}  // namespace zandrel
