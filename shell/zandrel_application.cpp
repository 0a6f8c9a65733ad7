#include "shell/zandrel_application.h"

#include <QMessageBox>
#include <exception>

namespace zandrel {

void ShowException(const char* what, QWidget* owner) {
  QMessageBox::critical(owner, QStringLiteral("Zandrel"), QString::fromUtf8(what));
}

ZandrelApplication::ZandrelApplication(int& argc, char** argv) : QApplication(argc, argv) {
  setQuitOnLastWindowClosed(false);
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
