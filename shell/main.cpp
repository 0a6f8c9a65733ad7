#include <QLocale>
#include <QTimer>
#include <exception>
#include <memory>
#include <optional>

#include "desktop/dark_palette.h"
#include "desktop/qt_platform_services.h"
#include "shell/start_up.h"
#include "shell/tform1.h"
#include "shell/zandrel_application.h"

int main(int argc, char** argv) {
  if (const std::optional<int> answered = zandrel::AnswerWithoutWindows(argc, argv))
    return *answered;
  zandrel::ZandrelApplication app(argc, argv);
  // Read again without the options Qt took.
  const zandrel::CommandLine line = zandrel::ReadCommandLine(QApplication::arguments());
  if (line.What == zandrel::CommandLine::Request::Refused) return zandrel::RefuseCommandLine(line);
  zandrel::InstallTranslations(app, QLocale::system());
  zandrel::PresentAsZandrel(app);
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
    // Once the window is up, so that a refusal's message box stands in front of it.
    if (!line.File.isEmpty())
      QTimer::singleShot(0, Form1.get(),
                         [&Form1, &line] { OpenFromCommandLine(*Form1, line.File); });
    return app.exec();
  } catch (const std::exception& error) {
    zandrel::ShowException(error.what(), nullptr);
  } catch (...) {
    zandrel::ShowException("An unknown error occurred.", nullptr);
  }
  // Start-up failed: the program did not do its work.
  return 1;
}
