#include "shell/zandrel_application.h"

#include <QMessageBox>
#include <exception>

namespace zandrel {

void ShowException(const char* what) {
  QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Zandrel"),
                        QString::fromUtf8(what));
}

bool ZandrelApplication::notify(QObject* receiver, QEvent* event) {
  try {
    return QApplication::notify(receiver, event);
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    ShowException("An unknown error occurred.");
  }
  return false;
}

}  // namespace zandrel
