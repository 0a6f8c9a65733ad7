#include <QApplication>
#include <QMessageBox>
#include <exception>
#include <memory>

#include "enumgen/genenum.h"
#include "feedback/userlog.h"
#include "shell/qt_platform_services.h"
#include "shell/tform1.h"

namespace {

void ShowException(const char* what) {
  QMessageBox::critical(QApplication::activeWindow(), QStringLiteral("Zandrel"),
                        QString::fromUtf8(what));
}

// An exception that escapes an event handler is shown, and the user goes on working.
class ZandrelApplication : public QApplication {
 public:
  ZandrelApplication(int& argc, char** argv) : QApplication(argc, argv) {}

  bool notify(QObject* receiver, QEvent* event) override {
    try {
      return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
      ShowException(error.what());
    } catch (...) {
      ShowException("An unknown error occurred.");
    }
    return false;
  }
};

}  // namespace

int main(int argc, char** argv) {
  ZandrelApplication app(argc, argv);
  try {
    zandrel::QtPlatformServices services;
    auto Form1 = std::make_unique<zandrel::TForm1>(services);
    auto GenEnumForm = std::make_unique<zandrel::TGenEnumForm>(services, *Form1);
    auto UserLogWindow = std::make_unique<zandrel::TUserLogWindow>(services);
    Form1->SetCompanions(GenEnumForm.get(), UserLogWindow.get());
    QObject::connect(Form1.get(), &zandrel::TForm1::Closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    Form1->show();
    return app.exec();
  } catch (const std::exception& error) {
    ShowException(error.what());
  } catch (...) {
    ShowException("An unknown error occurred.");
  }
  return 1;
}
