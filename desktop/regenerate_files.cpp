#include "desktop/regenerate_files.h"

#include <QCoreApplication>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>
#include <variant>

#include "core/generated_records.h"
#include "core/regeneration_step.h"
#include "core/text.h"

namespace zandrel {

namespace {

// Moves to the trash those of the files about to be replaced that are among these paths (a link
// is replaced through, so its target is what is compared).
BeforeReplace TrashOnly(PlatformServices& services, std::vector<std::string> paths) {
  return [&services, paths = std::move(paths)](const std::vector<std::string>& existingTargets) {
    for (const std::string& target : existingTargets)
      for (const std::string& path : paths) {
        std::error_code error;
        if (std::filesystem::equivalent(target, path, error)) {
          services.MoveToTrash(target);
          break;
        }
      }
  };
}

// The texts the Build and enumeration windows show, translated with the merge dialog's.
std::string ErrorCaption() {
  return QCoreApplication::translate("zandrel::MergeDialog", "Error").toStdString();
}

std::optional<GeneratedRecords> Records() {
  if (auto folder = GeneratedRecords::DefaultFolder()) return GeneratedRecords(std::move(*folder));
  return std::nullopt;
}

}  // namespace

std::vector<std::string> FilesWithoutBase(const std::vector<std::string>& paths) {
  const std::optional<GeneratedRecords> records = Records();
  std::vector<std::string> unrecorded;
  for (const std::string& path : ExistingFiles(paths))
    if (!records || !records->Read(path)) unrecorded.push_back(path);
  return unrecorded;
}

RegenerationOutcome RegenerateFiles(QWidget* owner, PlatformServices& services,
                                    const std::vector<OutputFile>& files, const AskMerge& askMerge,
                                    bool unmergedConfirmed) {
  const std::optional<GeneratedRecords> records = Records();
  std::vector<PlannedFile> plan;
  try {
    auto planned = PlanRegeneration(files, {}, records ? &*records : nullptr);
    if (auto* failure = std::get_if<FileFailure>(&planned)) {
      services.ShowMessage(owner, DescribeReadFailure(*failure), ErrorCaption());
      return {RegenerationEnd::Failed, {}};
    }
    plan = std::get<std::vector<PlannedFile>>(std::move(planned));
  } catch (const std::runtime_error& error) {
    services.ShowMessage(owner, error.what(), ErrorCaption());
    return {RegenerationEnd::Failed, {}};
  }

  std::vector<ConflictingFile> conflicting;
  std::vector<std::string> unmerged, merged, trashed;
  for (std::size_t i = 0; i < files.size(); ++i) {
    FileRegeneration& decision = plan[i].Decision;
    if (decision.Action == Regeneration::Conflict)
      conflicting.push_back({files[i].Path, decision.Merged.Text, decision.Merged.ConflictLines});
    if (decision.Action == Regeneration::NoBase) unmerged.push_back(files[i].Path);
    if (decision.Action == Regeneration::Merge) merged.push_back(files[i].Path);
  }

  // The files the user's text is about to leave go to the trash, so each step can be undone.
  trashed = merged;
  Settle conflicts = Settle::Keep;
  if (!conflicting.empty()) {
    for (const ConflictingFile& file : conflicting) trashed.push_back(file.Path);
    switch (askMerge(owner, std::move(conflicting))) {
      case MergeChoice::WriteWithMarkers:
        conflicts = Settle::Markers;
        break;
      case MergeChoice::Replace:
        conflicts = Settle::Replace;
        break;
      case MergeChoice::KeepMine:
        return {RegenerationEnd::KeptFiles, {}};
      case MergeChoice::Cancel:
        return {RegenerationEnd::Cancelled, {}};
    }
  }
  Settle noBase = Settle::Keep;
  if (!unmerged.empty()) {
    if (!unmergedConfirmed &&
        !services.AskYesNo(owner, ReplaceQuestion(unmerged), std::string(ReplaceCaption)))
      return {RegenerationEnd::Cancelled, {}};
    noBase = Settle::Replace;
    trashed.insert(trashed.end(), unmerged.begin(), unmerged.end());
  }

  const std::vector<FileFailure> failures =
      WriteRegeneration(files, std::move(plan), conflicts, noBase, records ? &*records : nullptr,
                        TrashOnly(services, std::move(trashed)));
  for (const FileFailure& failure : failures)
    services.ShowMessage(owner, DescribeFailure(failure), ErrorCaption());
  if (!failures.empty()) return {RegenerationEnd::Failed, {}};
  return {RegenerationEnd::Written, std::move(merged)};
}

QString MergedMessage(const std::vector<std::string>& merged) {
  if (merged.empty()) return {};
  QStringList names;
  for (const std::string& path : merged)
    names << QString::fromStdString(std::string(FileNamePart(path)));
  const QString last = names.takeLast();
  const QString files = names.isEmpty()
                            ? last
                            : QCoreApplication::translate("zandrel::MergeDialog", "%1 and %2")
                                  .arg(names.join(QStringLiteral(", ")), last);
  return QCoreApplication::translate("zandrel::MergeDialog", "Merged your changes into %1")
      .arg(files);
}

}  // namespace zandrel
