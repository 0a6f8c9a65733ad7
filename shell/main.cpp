#include <exception>
#include <memory>

#include "desktop/dark_palette.h"
#include "desktop/qt_platform_services.h"
#include "shell/tform1.h"
#include "shell/zandrel_application.h"

int main(int argc, char** argv) {
  zandrel::ZandrelApplication app(argc, argv);
  // ZANDREL_DARK_PALETTE=1 shows the windows in a dark palette.
  if (qEnvironmentVariableIntValue("ZANDREL_DARK_PALETTE") != 0)
    zandrel::UseDarkPalette(app, zandrel::WithIconsOnDemand);
  try {
    zandrel::QtPlatformServices services;
    // The enumeration dialog and the log window are made when first opened.
    auto Form1 = std::make_unique<zandrel::TForm1>(services);
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
