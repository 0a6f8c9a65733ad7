#include "desktop/help_window.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QShowEvent>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace zandrel {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setWindowTitle(tr("Zandrel Help"));
  // Only the main window decides when the program ends.
  setAttribute(Qt::WA_QuitOnClose, false);

  Page = new QTextBrowser(this);
  Page->setOpenExternalLinks(true);
  // Tab goes on to the button instead of walking the page's links.
  Page->setTabChangesFocus(true);
  Page->setAccessibleName(tr("Help"));
  // A translation names the page written in its language; the English one otherwise.
  //: The help page in this language, shipped beside the English one
  Page->setSource(QUrl(tr("qrc:/zandrel/help/zandrel-help.html")));
  CloseButton = new QPushButton(tr("&Close"), this);
  CloseButton->setAutoDefault(true);
  CloseButton->setToolTip(tr("Closes the help (Escape)"));
  connect(CloseButton, &QPushButton::clicked, this, &QWidget::hide);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(CloseButton);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Page, 1);
  layout->addLayout(buttons);
  // Lines of a comfortable length, in the reader's font, whatever the screen's scale.
  const QFontMetrics metrics(Page->font());
  QSize size(metrics.averageCharWidth() * 84, metrics.lineSpacing() * 36);
  if (const QScreen* shown = screen())
    size = size.boundedTo(shown->availableGeometry().size() - QSize(16, 40));
  resize(size);
}

void HelpWindow::ShowAndRaise() {
  show();
  raise();
  activateWindow();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
    hide();
  else
    QWidget::keyPressEvent(event);
}

void HelpWindow::showEvent(QShowEvent* event) {
  // The page takes the keys, so that the arrows and Page Down scroll it at once.
  if (!event->spontaneous()) Page->setFocus(Qt::OtherFocusReason);
  QWidget::showEvent(event);
}

QString AboutZandrelText() {
  return HelpWindow::tr(
             "<h3>Zandrel %1</h3>"
             "<p>Writes the skeletons of C++ and Java classes (for CBuilder, DevC++, Visual C++ "
             "and Java) and enumerations, plain or wrapped in a class, from what you type.</p>"
             "<p>The same generators run from the command line as <code>zandrel-gen</code>.</p>"
             "<p>Built with Qt %2. Press F1 for help.</p>"
             "<p>Copyright (c) %3. Free software under the MIT License.</p>")
      .arg(QStringLiteral(ZANDREL_VERSION), QString::fromLatin1(qVersion()),
           QStringLiteral(ZANDREL_COPYRIGHT));
}

void ShowAboutZandrel(QWidget* parent) {
  QMessageBox::about(parent, HelpWindow::tr("About Zandrel"), AboutZandrelText());
}

}  // namespace zandrel
