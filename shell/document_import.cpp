// File › Import Header: a class read from a C++ header fills the window. Reading goes to a worker
// thread, as clang may take seconds over a header with many includes.

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QShortcut>
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
#include "shell/document_actions.h"
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

void DocumentActions::ImportHeaderFile() {
  if (headerReader_ != nullptr || !MaybeSave()) return;
  importDialog_->FileName =
      lastFolder_.isEmpty() ? std::string() : (lastFolder_ + u'/').toStdString();
  if (!importDialog_->Execute()) return;
  lastFolder_ = QFileInfo(Text(importDialog_->FileName)).absolutePath();
  ImportRequest request;
  request.HeaderPath = importDialog_->FileName;
  request.Target = model_.Options().TargetSystem;
  ReadHeader(request);
}

void DocumentActions::ReadHeader(const ImportRequest& request) {
  auto reading = std::make_shared<std::optional<HeaderReading>>();
  headerReader_ = QThread::create([request, reading] { *reading = Read(request); });
  headerReader_->setParent(&window_);
  QObject::connect(headerReader_, &QThread::finished, &window_, [this, request, reading] {
    headerReader_->deleteLater();
    headerReader_ = nullptr;
    EndWaiting();
    TakeHeader(request, std::move(**reading));
  });
  ui_.ImportAction->setEnabled(false);
  QApplication::setOverrideCursor(Qt::BusyCursor);
  cancelReading_ = new QShortcut(QKeySequence(Qt::Key_Escape), &window_);
  QObject::connect(cancelReading_, &QShortcut::activated, &window_,
                   [this] { CancelHeaderReading(); });
  say_(tr("Reading %1… (Escape cancels)").arg(Text(FileNameOf(request.HeaderPath))));
  headerReader_->start();
}

void DocumentActions::EndWaiting() {
  QApplication::restoreOverrideCursor();
  ui_.ImportAction->setEnabled(true);
  delete cancelReading_;
  cancelReading_ = nullptr;
}

void DocumentActions::CancelHeaderReading() {
  if (headerReader_ == nullptr) return;
  QObject::disconnect(headerReader_, nullptr, &window_, nullptr);
  QObject::connect(headerReader_, &QThread::finished, headerReader_, &QObject::deleteLater);
  abandoned_ = std::exchange(headerReader_, nullptr);
  EndWaiting();
  say_(tr("Import cancelled"));
}

void DocumentActions::FinishHeaderReading() {
  if (abandoned_ != nullptr) abandoned_->wait();
  if (headerReader_ == nullptr) return;
  QObject::disconnect(headerReader_, nullptr, &window_, nullptr);
  headerReader_->wait();
  QApplication::restoreOverrideCursor();
}

void DocumentActions::TakeHeader(const ImportRequest& request, HeaderReading reading) {
  const QString header = Text(FileNameOf(request.HeaderPath));
  if (TakeFailure(header, reading)) return;
  bool cancelled = false;
  if (PickedAnother(request, reading, &cancelled) || cancelled) return;
  const auto& imported = std::get<ImportedHeader>(reading.Result);
  FillFrom(std::get<ClassDescription>(imported.Record), header);
}

bool DocumentActions::TakeFailure(const QString& header, const HeaderReading& reading) {
  const auto* failure = std::get_if<ImportFailure>(&reading.Result);
  if (failure == nullptr) return false;
  const bool enumerations = Classes(reading.Defined).empty() &&
                            std::any_of(reading.Defined.begin(), reading.Defined.end(),
                                        [](const DefinedType& type) { return type.IsEnumeration; });
  if (enumerations) {
    say_(tr("%1 holds only enumerations; Generate Enumeration makes them").arg(header));
    return true;
  }
  const QString where = failure->Line > 0 ? QStringLiteral(":%1").arg(failure->Line) : QString();
  say_(QString());
  services_.ShowMessage(
      &window_, (header + where + QStringLiteral(": ") + Text(failure->Reason)).toStdString(),
      tr("Import Header").toStdString());
  return true;
}

bool DocumentActions::PickedAnother(const ImportRequest& request, const HeaderReading& reading,
                                    bool* cancelled) {
  const auto& imported = std::get<ImportedHeader>(reading.Result);
  const QString header = Text(FileNameOf(request.HeaderPath));
  // Asked on the first reading only: the second one reads the class picked here.
  const std::vector<DefinedType> classes = Classes(imported.Defined);
  if (!request.Name.empty() || classes.size() <= 1) return false;
  std::vector<std::string> items;
  items.reserve(classes.size());
  for (const DefinedType& type : classes) items.push_back(DescribeDefinedType(type));
  const std::optional<int> picked = services_.ChooseItem(
      &window_, tr("%1 defines several classes. Import:").arg(header).toStdString(),
      tr("Import Header").toStdString(), items);
  if (!picked) {
    say_(tr("Nothing imported"));
    *cancelled = true;
    return false;
  }
  if (*picked == 0) return false;
  ImportRequest again = request;
  again.Kind = ImportKind::Class;
  again.Name = classes[static_cast<std::size_t>(*picked)].QualifiedName;
  ReadHeader(again);
  return true;
}

void DocumentActions::FillFrom(const ClassDescription& description, const QString& header) {
  ClassInput input;
  input.NameText = description.ClassName;
  input.Options = description.Options;
  // Every row, the table growing to the last of them.
  for (const MemberRow& row : description.Members) {
    const auto index = static_cast<std::size_t>(row.RowNumber - 1);
    if (index >= input.Grid.size()) input.Grid.resize(index + 1);
    input.Grid[index] = {row.Type, row.Name, row.InitialValue};
  }
  // A new untitled document, yet one step of its history, so that Undo gives the window back.
  history_.Change(tr("Import Header"), [&input](ClassInput& current) { current = input; });
  documentPath_.clear();
  outputPath_.clear();
  outputPathUnsaved_ = false;
  history_.Stack()->resetClean();
  UpdateTitle();
  say_(tr("Imported %1 from %2").arg(Text(description.ClassName), header));
}

}  // namespace zandrel
