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

RegenerationOutcome Ended(RegenerationEnd end) {
  RegenerationOutcome outcome;
  outcome.End = end;
  return outcome;
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

namespace {

// The plan for the files, or nothing after saying why it could not be made.
std::optional<std::vector<PlannedFile>> Plan(QWidget* owner, PlatformServices& services,
                                             const std::vector<OutputFile>& files,
                                             const GeneratedRecords* records) {
  try {
    auto planned = PlanRegeneration(files, {}, records);
    if (auto* failure = std::get_if<FileFailure>(&planned)) {
      services.ShowMessage(owner, DescribeReadFailure(*failure), ErrorCaption());
      return std::nullopt;
    }
    return std::get<std::vector<PlannedFile>>(std::move(planned));
  } catch (const std::runtime_error& error) {
    services.ShowMessage(owner, error.what(), ErrorCaption());
    return std::nullopt;
  }
}

// How conflicting files are settled by the user's choice; nothing for Cancel.
std::optional<Settle> SettleOf(MergeChoice choice) {
  switch (choice) {
    case MergeChoice::WriteWithMarkers:
      return Settle::Markers;
    case MergeChoice::Replace:
      return Settle::Replace;
    case MergeChoice::KeepMine:
      return Settle::Skip;
    case MergeChoice::Cancel:
      break;
  }
  return std::nullopt;
}

// Each file's path under what will become of it.
RegenerationOutcome OutcomeOf(const std::vector<OutputFile>& files,
                              const std::vector<PlannedFile>& plan, Settle conflicts,
                              Settle noBase) {
  RegenerationOutcome outcome;
  for (std::size_t i = 0; i < files.size(); ++i) {
    switch (OutcomeOf(plan[i], conflicts, noBase)) {
      case FileOutcome::Written:
        outcome.Written.push_back(files[i].Path);
        break;
      case FileOutcome::Merged:
        outcome.Merged.push_back(files[i].Path);
        break;
      case FileOutcome::WithMarkers:
        outcome.WithMarkers.push_back(files[i].Path);
        break;
      case FileOutcome::Unchanged:
        outcome.Unchanged.push_back(files[i].Path);
        break;
    }
  }
  return outcome;
}

}  // namespace

RegenerationOutcome RegenerateFiles(QWidget* owner, PlatformServices& services,
                                    const std::vector<OutputFile>& files, const AskMerge& askMerge,
                                    bool unmergedConfirmed) {
  const std::optional<GeneratedRecords> records = Records();
  std::optional<std::vector<PlannedFile>> planned =
      Plan(owner, services, files, records ? &*records : nullptr);
  if (!planned) return Ended(RegenerationEnd::Failed);
  std::vector<PlannedFile> plan = std::move(*planned);

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
    const std::optional<Settle> chosen = SettleOf(askMerge(owner, std::move(conflicting)));
    if (!chosen) return Ended(RegenerationEnd::Cancelled);
    conflicts = *chosen;
  }
  Settle noBase = Settle::Keep;
  if (!unmerged.empty()) {
    if (!unmergedConfirmed &&
        !services.AskYesNo(owner, ReplaceQuestion(unmerged), std::string(ReplaceCaption)))
      return Ended(RegenerationEnd::Cancelled);
    noBase = Settle::Replace;
    trashed.insert(trashed.end(), unmerged.begin(), unmerged.end());
  }

  RegenerationOutcome outcome = OutcomeOf(files, plan, conflicts, noBase);
  const std::vector<FileFailure> failures =
      WriteRegeneration(files, std::move(plan), conflicts, noBase, records ? &*records : nullptr,
                        TrashOnly(services, std::move(trashed)));
  for (const FileFailure& failure : failures)
    services.ShowMessage(owner, DescribeFailure(failure), ErrorCaption());
  if (!failures.empty()) return Ended(RegenerationEnd::Failed);
  const bool kept = conflicts == Settle::Skip && outcome.Written.empty() &&
                    outcome.Merged.empty() && outcome.WithMarkers.empty();
  outcome.End = kept ? RegenerationEnd::KeptFiles : RegenerationEnd::Written;
  return outcome;
}

namespace {

QString Names(const std::vector<std::string>& paths) {
  QStringList names;
  for (const std::string& path : paths)
    names << QString::fromStdString(std::string(FileNamePart(path)));
  const QString last = names.takeLast();
  return names.isEmpty() ? last
                         : QCoreApplication::translate("zandrel::MergeDialog", "%1 and %2")
                               .arg(names.join(QStringLiteral(", ")), last);
}

}  // namespace

QString MergedMessage(const std::vector<std::string>& merged) {
  if (merged.empty()) return {};
  return QCoreApplication::translate("zandrel::MergeDialog", "Merged your changes into %1")
      .arg(Names(merged));
}

QString OutcomeMessage(const RegenerationOutcome& outcome) {
  if (outcome.Merged.empty() && outcome.WithMarkers.empty() && outcome.Unchanged.empty()) return {};
  const auto tr = [](const char* text) {
    return QCoreApplication::translate("zandrel::MergeDialog", text);
  };
  QStringList parts;
  if (!outcome.Written.empty()) parts << tr("Wrote %1").arg(Names(outcome.Written));
  if (!outcome.Merged.empty())
    parts << tr("merged your changes into %1").arg(Names(outcome.Merged));
  if (!outcome.WithMarkers.empty())
    parts << tr("wrote %1 with conflict markers").arg(Names(outcome.WithMarkers));
  if (!outcome.Unchanged.empty()) parts << tr("left %1 unchanged").arg(Names(outcome.Unchanged));
  QString message = parts.join(QStringLiteral("; "));
  message[0] = message[0].toUpper();
  return message;
}

}  // namespace zandrel
