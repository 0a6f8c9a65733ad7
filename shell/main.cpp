#include <exception>
#include <memory>

#include "desktop/qt_platform_services.h"
#include "enumgen/genenum.h"
#include "feedback/userlog.h"
#include "shell/tform1.h"
#include "shell/zandrel_application.h"

int main(int argc, char** argv) {
  zandrel::ZandrelApplication app(argc, argv);
  try {
    zandrel::QtPlatformServices services;
    auto Form1 = std::make_unique<zandrel::TForm1>(services);
    auto GenEnumForm = std::make_unique<zandrel::TGenEnumForm>(services, *Form1);
    auto UserLogWindow = std::make_unique<zandrel::TUserLogWindow>(services);
    Form1->SetCompanions(GenEnumForm.get(), UserLogWindow.get());
    app.SetMainWindow(Form1.get());
    // The program ends with the main window and with nothing else.
    QObject::connect(Form1.get(), &zandrel::TForm1::Closed, &app, &QApplication::quit,
                     Qt::QueuedConnection);

    Form1->show();
    return app.exec();
  } catch (const std::exception& error) {
    zandrel::ShowException(error.what(), nullptr);
  } catch (...) {
    zandrel::ShowException("An unknown error occurred.", nullptr);
  }
  // Start-up failed: the program did not do its work.
  return 1;
}
