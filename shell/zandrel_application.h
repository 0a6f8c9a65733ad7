#pragma once

#include <QApplication>
#include <QPointer>

namespace zandrel {

// Shows an exception's message in the error box, above owner.
void ShowException(const char* what, QWidget* owner);

// The style, or with nullptr the desktop's, with the standard icons that no window shows at
// start-up made only when they are drawn, so that start-up loads no image-format plugin.
QStyle* WithIconsOnDemand(QStyle* style);

// The application object. It never ends on its own: only the main window's closing ends the
// program (a message box closed while the main window is hidden must not). An exception that
// escapes an event handler is shown in the error box, and the user goes on working.
class ZandrelApplication : public QApplication {
 public:
  ZandrelApplication(int& argc, char** argv);

  // The window the error box belongs to when no window is active.
  void SetMainWindow(QWidget* window) { mainWindow_ = window; }

  bool notify(QObject* receiver, QEvent* event) override;

 private:
  QWidget* ErrorBoxOwner() const;

  QPointer<QWidget> mainWindow_;
};

}  // namespace zandrel
