#include "desktop/qt_platform_services.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScopeGuard>
#include <QStandardPaths>
#include <QUrl>

namespace zandrel {

namespace {

QString FromStd(const std::string& text) { return QString::fromStdString(text); }

// Qt's warning that no program opens a folder: the user is told in a message box instead.
QtMessageHandler passOn = nullptr;
void DropLauncherWarning(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
  if (type == QtWarningMsg && message.startsWith(QStringLiteral("Unable to detect a launcher")))
    return;
  if (passOn != nullptr) passOn(type, context, message);
}

// The window a box or dialog belongs to: its owner when given, else whatever the user works in.
QWidget* OwnerOr(QWidget* owner) { return owner != nullptr ? owner : QApplication::activeWindow(); }

// A QFileDialog for each showing, deleted when it closes: its file-system model watches the
// folders it showed and re-reads them on every change, for as long as it lives. The folder the
// user last chose is offered again.
class QtFileDialog : public FileDialog {
 public:
  QtFileDialog(QWidget* owner, QFileDialog::AcceptMode mode) : owner_(owner), mode_(mode) {}

  bool Execute() override {
    QPointer<QFileDialog> shown = new QFileDialog(OwnerOr(owner_));
    const auto deleted = qScopeGuard([&] {
      if (shown.isNull()) return;  // gone with its owner window
      folder_ = shown->directory().absolutePath();
      delete shown.data();
    });
    QFileDialog& dialog = *shown;
    if (!folder_.isEmpty()) dialog.setDirectory(folder_);
    dialog.setAcceptMode(mode_);
    dialog.setFileMode(mode_ == QFileDialog::AcceptSave ? QFileDialog::AnyFile
                                                        : QFileDialog::ExistingFile);
    // The main window asks before replacing files itself, for the whole set it writes.
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setDefaultSuffix(QString());
    if (!Title.empty()) dialog.setWindowTitle(FromStd(Title));

    const QStringList filters = NameFilters(Filter);
    dialog.setNameFilters(filters);
    if (FilterIndex >= 1 && FilterIndex <= filters.size())
      dialog.selectNameFilter(filters[FilterIndex - 1]);
    dialog.selectFile(FromStd(FileName));

    if (dialog.exec() != QDialog::Accepted || shown.isNull() || dialog.selectedFiles().isEmpty())
      return false;
    FileName = dialog.selectedFiles().first().toStdString();
    const qsizetype chosen = filters.indexOf(dialog.selectedNameFilter());
    if (chosen >= 0) FilterIndex = static_cast<int>(chosen) + 1;
    return true;
  }

 private:
  QWidget* owner_;
  QFileDialog::AcceptMode mode_;
  QString folder_;
};

}  // namespace

QStringList NameFilters(const std::string& filter) {
  const QStringList parts = FromStd(filter).split(u'|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(u';', u' ');
    filters.append(parts[i] + QStringLiteral(" (") + patterns + u')');
  }
  return filters;
}

namespace {

void Prepare(QMessageBox& box, QMessageBox::Icon icon, const std::string& text,
             const std::string& caption) {
  box.setIcon(icon);
  box.setWindowTitle(FromStd(caption));
  box.setTextFormat(Qt::PlainText);  // file names and user text are shown as typed
  box.setText(FromStd(text));
}

}  // namespace

void QtPlatformServices::ShowMessage(QWidget* owner, const std::string& text,
                                     const std::string& caption) {
  QMessageBox box(OwnerOr(owner));
  Prepare(box, QMessageBox::NoIcon, text, caption);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

bool QtPlatformServices::AskYesNo(QWidget* owner, const std::string& text,
                                  const std::string& caption) {
  QMessageBox box(OwnerOr(owner));
  Prepare(box, QMessageBox::Question, text, caption);
  box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes;
}

SaveChoice QtPlatformServices::AskSaveChanges(QWidget* owner, const std::string& text,
                                              const std::string& caption) {
  QMessageBox box(OwnerOr(owner));
  Prepare(box, QMessageBox::Question, text, caption);
  box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  // The same letters whatever the desktop calls these buttons.
  box.button(QMessageBox::Save)->setText(QtPlatformServices::tr("&Save"));
  box.button(QMessageBox::Discard)->setText(QtPlatformServices::tr("&Discard"));
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return SaveChoice::Save;
    case QMessageBox::Discard:
      return SaveChoice::Discard;
    default:
      return SaveChoice::Cancel;
  }
}

std::optional<int> QtPlatformServices::ChooseItem(QWidget* owner, const std::string& text,
                                                  const std::string& caption,
                                                  const std::vector<std::string>& items) {
  QStringList shown;
  for (const std::string& item : items) shown << FromStd(item);
  bool chosen = false;
  const QString item = QInputDialog::getItem(OwnerOr(owner), FromStd(caption), FromStd(text), shown,
                                             0, false, &chosen);
  if (!chosen) return std::nullopt;
  return static_cast<int>(shown.indexOf(item));
}

std::unique_ptr<FileDialog> QtPlatformServices::CreateSaveDialog(QWidget* owner) {
  return std::make_unique<QtFileDialog>(owner, QFileDialog::AcceptSave);
}

std::unique_ptr<FileDialog> QtPlatformServices::CreateOpenDialog(QWidget* owner) {
  return std::make_unique<QtFileDialog>(owner, QFileDialog::AcceptOpen);
}

bool QtPlatformServices::MoveToTrash(const std::string& path) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
  // The home trash lives in the data folder; when that folder is missing, Qt would put the file
  // into "files/" under the current folder instead.
  const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
  if (data.isEmpty() || !QDir().mkpath(data)) return false;
#endif
  return QFile::moveToTrash(FromStd(path));
}

void QtPlatformServices::OpenFolder(QWidget* owner, const std::string& folder) {
  passOn = qInstallMessageHandler(DropLauncherWarning);
  const bool opened = QDesktopServices::openUrl(QUrl::fromLocalFile(FromStd(folder)));
  qInstallMessageHandler(passOn);
  if (!opened)
    ShowMessage(owner,
                tr("No program was found to open the folder %1.")
                    .arg(QString::fromStdString(folder))
                    .toStdString(),
                tr("Open Folder").toStdString());
}

}  // namespace zandrel
