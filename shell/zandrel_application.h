#pragma once

#include <QApplication>

namespace zandrel {

// Shows an exception's message in the error box.
void ShowException(const char* what);

// The application object: an exception that escapes an event handler is shown in the error box,
// and the user goes on working.
class ZandrelApplication : public QApplication {
 public:
  ZandrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* receiver, QEvent* event) override;
};

}  // namespace zandrel
