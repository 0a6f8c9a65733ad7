#include "shell/zandrel_application.h"

#include <QGroupBox>
#include <QIconEngine>
#include <QMessageBox>
#include <QPainter>
#include <QPointer>
#include <QProxyStyle>
#include <QStyleOption>
#include <algorithm>
#include <exception>

namespace zandrel {

namespace {

// A style's standard icon made when it is first drawn. The styles read these icons from image
// files, and reading the first file loads every image-format plugin: at start-up the menu bar
// asks for the icon of its overflow button, which only shows in a window too narrow for its menus.
class IconOnDemand : public QIconEngine {
 public:
  IconOnDemand(QStyle* style, QStyle::StandardPixmap which) : style_(style), which_(which) {}

  QIconEngine* clone() const override { return new IconOnDemand(style_, which_); }
  void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override {
    Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
  }
  QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
    return Icon().pixmap(size, mode, state);
  }
  QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State state,
                       qreal scale) override {
    return Icon().pixmap(size, scale, mode, state);
  }
  // Laying out the hidden button asks for the size: the icons are as large as asked, up to 16.
  QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
    return size.boundedTo(QSize(16, 16));
  }
  QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
    return Icon().availableSizes(mode, state);
  }

 private:
  const QIcon& Icon() {
    if (!made_) {
      made_ = true;
      QStyle* style = style_ != nullptr ? style_.data() : QApplication::style();
      icon_ = style->standardIcon(which_);
    }
    return icon_;
  }

  QPointer<QStyle> style_;
  QStyle::StandardPixmap which_;
  bool made_ = false;
  QIcon icon_;
};

// Fusion draws a group box's frame from an image file, loading every image-format plugin the
// first time a window paints one: the same rounded frame is drawn here without one.
void DrawGroupBoxFrame(const QStyle& style, const QStyleOption& option, QPainter& painter,
                       const QWidget* widget) {
  // Below the title as Fusion places it: the title's height and 3 pixels.
  const auto* box = qobject_cast<const QGroupBox*>(widget);
  const bool titled = box == nullptr || box->isCheckable() || !box->title().isEmpty();
  const int top = (titled ? std::max(style.pixelMetric(QStyle::PM_ExclusiveIndicatorHeight),
                                     option.fontMetrics.height())
                          : 0) +
                  3;
  const QRectF frame = QRectF(option.rect.adjusted(0, top, 0, 0)).adjusted(0.5, 0.5, -0.5, -0.5);
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setBrush(Qt::NoBrush);
  QColor line = option.palette.color(QPalette::Window).darker(140);
  painter.setPen(line);
  painter.drawRoundedRect(frame, 2, 2);
  // A light inner edge, as Fusion's frame has.
  line = option.palette.color(QPalette::Window).lighter(108);
  painter.setPen(line);
  painter.drawRoundedRect(frame.adjusted(1, 1, -1, -1), 1.5, 1.5);
  painter.restore();
}

class IconsOnDemand : public QProxyStyle {
 public:
  using QProxyStyle::QProxyStyle;

  void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget) const override {
    if (element == PE_FrameGroupBox && option != nullptr &&
        baseStyle()->name().compare(QLatin1String("fusion"), Qt::CaseInsensitive) == 0) {
      DrawGroupBoxFrame(*baseStyle(), *option, *painter, widget);
      return;
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
  }

  QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                     const QWidget* widget) const override {
    if (which == SP_ToolBarHorizontalExtensionButton || which == SP_ToolBarVerticalExtensionButton)
      return QIcon(new IconOnDemand(baseStyle(), which));
    return QProxyStyle::standardIcon(which, option, widget);
  }
};

}  // namespace

QStyle* WithIconsOnDemand(QStyle* style) { return new IconsOnDemand(style); }

void ShowException(const char* what, QWidget* owner) {
  QMessageBox::critical(owner, QStringLiteral("Zandrel"), QString::fromUtf8(what));
}

ZandrelApplication::ZandrelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setQuitOnLastWindowClosed(false);
  setStyle(WithIconsOnDemand(nullptr));
}

QWidget* ZandrelApplication::ErrorBoxOwner() const {
  if (QWidget* active = activeWindow()) return active;
  return mainWindow_.data();
}

bool ZandrelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error.what(), ErrorBoxOwner());
  } catch (...) {
    ShowException("An unknown error occurred.", ErrorBoxOwner());
  }
  return false;
}

}  // namespace zandrel
