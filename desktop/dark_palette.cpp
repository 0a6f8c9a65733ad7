#include "desktop/dark_palette.h"

#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <algorithm>

namespace zandrel {

namespace {

// Fusion draws the outline of a check box or radio button a shade darker than the window colour,
// which on a dark window vanishes into the base colour inside it. The indicators are handed a
// light window colour instead, so that their outline comes out a mid grey; the rest of the
// indicator (base, text, highlight) keeps the palette's colours.
class ReadableIndicators : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if ((element != PE_IndicatorCheckBox && element != PE_IndicatorRadioButton) ||
        option == nullptr)
      return QProxyStyle::drawPrimitive(element, option, painter, widget);
    // Fusion reads a check box's option as a button's: the copy keeps the option's own type.
    if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option))
      return DrawOutlined(element, QStyleOptionButton(*button), painter, widget);
    if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option))
      return DrawOutlined(element, QStyleOptionViewItem(*item), painter, widget);
    DrawOutlined(element, QStyleOption(*option), painter, widget);
  }

 private:
  template <class Option>
  void DrawOutlined(PrimitiveElement element, Option option, QPainter* painter,
                    const QWidget* widget) const {
    option.palette.setColor(QPalette::Window, QColor(190, 190, 190));
    QProxyStyle::drawPrimitive(element, &option, painter, widget);
    if (element != PE_IndicatorRadioButton || !(option.state & State_On)) return;
    // Fusion's dot is a dimmed text colour, grey on the dark base: drawn again in the text colour.
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(option.palette.color(QPalette::Text));
    const QRectF area(option.rect);
    const qreal radius = std::min(area.width(), area.height()) / 4 + 0.5;
    painter->drawEllipse(area.center(), radius, radius);
    painter->restore();
  }
};

}  // namespace

QPalette DarkPalette() {
  QPalette dark;
  dark.setColor(QPalette::Window, QColor(45, 45, 48));
  dark.setColor(QPalette::WindowText, QColor(220, 220, 220));
  dark.setColor(QPalette::Base, QColor(30, 30, 30));
  dark.setColor(QPalette::AlternateBase, QColor(45, 45, 48));
  dark.setColor(QPalette::Text, QColor(220, 220, 220));
  dark.setColor(QPalette::Button, QColor(55, 55, 58));
  dark.setColor(QPalette::ButtonText, QColor(220, 220, 220));
  dark.setColor(QPalette::ToolTipBase, QColor(60, 60, 60));
  dark.setColor(QPalette::ToolTipText, QColor(220, 220, 220));
  dark.setColor(QPalette::Highlight, QColor(38, 79, 120));
  dark.setColor(QPalette::HighlightedText, Qt::white);
  dark.setColor(QPalette::PlaceholderText, QColor(140, 140, 140));
  dark.setColor(QPalette::Disabled, QPalette::Text, QColor(120, 120, 120));
  dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
  dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(120, 120, 120));
  return dark;
}

QStyle* DarkStyle() {
  return new ReadableIndicators(QStyleFactory::create(QStringLiteral("Fusion")));
}

void UseDarkPalette(QApplication& app, QStyle* (*wrap)(QStyle*)) {
  app.setStyle(wrap != nullptr ? wrap(DarkStyle()) : DarkStyle());
  app.setPalette(DarkPalette());
}

}  // namespace zandrel
