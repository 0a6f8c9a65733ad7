#include <QPalette>
#include <QStyleFactory>
#include <exception>
#include <memory>

#include "desktop/qt_platform_services.h"
#include "shell/tform1.h"
#include "shell/zandrel_application.h"

namespace {

// ZANDREL_DARK_PALETTE=1 shows the windows in a dark palette, to check them where no dark desktop
// theme is at hand.
void UseDarkPalette(QApplication& app) {
  app.setStyle(zandrel::WithIconsOnDemand(QStyleFactory::create(QStringLiteral("Fusion"))));
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
  app.setPalette(dark);
}

}  // namespace

int main(int argc, char** argv) {
  zandrel::ZandrelApplication app(argc, argv);
  if (qEnvironmentVariableIntValue("ZANDREL_DARK_PALETTE") != 0) UseDarkPalette(app);
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
