// File › Import Header: a class read from a C++ header fills the window. Reading goes to a worker
// thread, as clang may take seconds over a header with many includes.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QThread>
#include <QUndoStack>
#include <algorithm>
#include <memory>
#include <optional>
#include <utility>
#include <variant>

#include "desktop/platform_services.h"
#include "document/description_model.h"
#include "headerimport/header_import.h"
#include "shell/description_file.h"
#include "shell/description_history.h"
#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel {

// What the worker hands back: the import, and where it found no class, what the header defines,
// so that a header of enumerations only is told apart from one that failed.
struct HeaderReading {
  std::variant<ImportedHeader, ImportFailure> Result;
  std::vector<DefinedType> Defined;
};

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

HeaderReading Read(const ImportRequest& request) {
  HeaderReading reading{ImportHeader(request), {}};
  const auto* failure = std::get_if<ImportFailure>(&reading.Result);
  if (failure != nullptr && failure->Fault == ImportFault::NotDescribable && request.Name.empty())
    if (auto listed = ListDefinedTypes(request.HeaderPath, request.CompilerArguments);
        auto* types = std::get_if<std::vector<DefinedType>>(&listed))
      reading.Defined = std::move(*types);
  return reading;
}

std::vector<DefinedType> Classes(const std::vector<DefinedType>& defined) {
  std::vector<DefinedType> classes;
  for (const DefinedType& type : defined)
    if (type.Describable && !type.IsEnumeration) classes.push_back(type);
  return classes;
}

}  // namespace

void TForm1::ImportHeaderFile() {
  if (headerReader_ != nullptr || !MaybeSave()) return;
  importDialog_->FileName =
      lastFolder_.isEmpty() ? std::string() : (lastFolder_ + u'/').toStdString();
  if (!importDialog_->Execute()) return;
  lastFolder_ = QFileInfo(Text(importDialog_->FileName)).absolutePath();
  ImportRequest request;
  request.HeaderPath = importDialog_->FileName;
  request.Target = SelectedSystem();
  ReadHeader(request);
}

void TForm1::ReadHeader(const ImportRequest& request) {
  auto reading = std::make_shared<std::optional<HeaderReading>>();
  headerReader_ = QThread::create([request, reading] { *reading = Read(request); });
  headerReader_->setParent(this);
  connect(headerReader_, &QThread::finished, this, [this, request, reading] {
    headerReader_->deleteLater();
    headerReader_ = nullptr;
    QApplication::restoreOverrideCursor();
    ui_->ImportAction->setEnabled(true);
    TakeHeader(request, std::move(**reading));
  });
  ui_->ImportAction->setEnabled(false);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  Say(tr("Reading %1…").arg(Text(FileNameOf(request.HeaderPath))));
  headerReader_->start();
}

void TForm1::FinishHeaderReading() {
  if (headerReader_ == nullptr) return;
  disconnect(headerReader_, nullptr, this, nullptr);
  headerReader_->wait();
  QApplication::restoreOverrideCursor();
}

void TForm1::TakeHeader(const ImportRequest& request, HeaderReading reading) {
  const QString header = Text(FileNameOf(request.HeaderPath));
  if (const auto* failure = std::get_if<ImportFailure>(&reading.Result)) {
    const bool enumerations =
        Classes(reading.Defined).empty() &&
        std::any_of(reading.Defined.begin(), reading.Defined.end(),
                    [](const DefinedType& type) { return type.IsEnumeration; });
    if (enumerations) {
      Say(tr("%1 holds only enumerations; Generate Enumeration makes them").arg(header));
      return;
    }
    const QString where = failure->Line > 0 ? QStringLiteral(":%1").arg(failure->Line) : QString();
    Say(QString());
    services_.ShowMessage(
        this, (header + where + QStringLiteral(": ") + Text(failure->Reason)).toStdString(),
        tr("Import Header").toStdString());
    return;
  }
  auto& imported = std::get<ImportedHeader>(reading.Result);
  // Asked on the first reading only: the second one reads the class picked here.
  if (const std::vector<DefinedType> classes = Classes(imported.Defined);
      request.Name.empty() && classes.size() > 1) {
    std::vector<std::string> items;
    items.reserve(classes.size());
    for (const DefinedType& type : classes) items.push_back(DescribeDefinedType(type));
    const std::optional<int> picked = services_.ChooseItem(
        this, tr("%1 defines several classes. Import:").arg(header).toStdString(),
        tr("Import Header").toStdString(), items);
    if (!picked) {
      Say(tr("Nothing imported"));
      return;
    }
    if (*picked > 0) {
      ImportRequest again = request;
      again.Kind = ImportKind::Class;
      again.Name = classes[static_cast<std::size_t>(*picked)].QualifiedName;
      ReadHeader(again);
      return;
    }
  }
  const ClassDescription& description = std::get<ClassDescription>(imported.Record);
  ClassInput input;
  input.NameText = description.ClassName;
  input.Options = description.Options;
  int leftOut = 0;
  for (const MemberRow& row : description.Members) {
    if (row.RowNumber > MemberGridRows) {
      ++leftOut;
      continue;
    }
    input.Grid[static_cast<std::size_t>(row.RowNumber - 1)] = {row.Type, row.Name,
                                                               row.InitialValue};
  }
  // A new untitled document, yet one step of its history, so that Undo gives the window back.
  history_->Change(tr("Import Header"), [&input](ClassInput& current) { current = input; });
  documentPath_.clear();
  outputPath_.clear();
  outputPathUnsaved_ = false;
  History()->resetClean();
  UpdateTitle();
  QString message = tr("Imported %1 from %2").arg(Text(description.ClassName), header);
  if (leftOut > 0)
    message += tr("; %1 of its %2 rows left out: the member table holds %3")
                   .arg(leftOut)
                   .arg(static_cast<int>(description.Members.size()))
                   .arg(static_cast<int>(MemberGridRows));
  Say(message);
}

}  // namespace zandrel
