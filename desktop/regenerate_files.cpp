#include "desktop/regenerate_files.h"

#include <QCoreApplication>
#include <QStringList>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <utility>
#include <variant>

#include "core/generated_records.h"
#include "core/regeneration_session.h"
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

// The user's answer to the merge dialog, as the session settles the conflicting files (at their
// places in the plan); false when the user cancelled.
bool SettleConflicts(const MergeAnswer& answer, const std::vector<std::size_t>& conflictingAt,
                     const std::vector<PlannedFile>& plan, Settlement& settlement,
                     bool& keptConflicts) {
  switch (answer.Choice) {
    case MergeChoice::WriteChosen:
      settlement.Chosen.resize(plan.size());
      for (std::size_t k = 0; k < conflictingAt.size(); ++k)
        settlement.Chosen[conflictingAt[k]] = ResolveConflicts(
            plan[conflictingAt[k]].Decision.Merged.Text,
            k < answer.Sides.size() ? answer.Sides[k] : std::vector<ConflictSide>());
      return true;
    case MergeChoice::Replace:
      settlement.Conflicts = Settle::Replace;
      return true;
    case MergeChoice::KeepMine:
      settlement.Conflicts = Settle::Skip;
      keptConflicts = true;
      return true;
    case MergeChoice::Cancel:
      break;
  }
  settlement.Write = false;
  return false;
}

void ShowFailures(QWidget* owner, PlatformServices& services, const SessionResult& result) {
  for (const FileFailure& failure : result.Failures)
    services.ShowMessage(owner, DescribeSessionFailure(failure, result.Settled), ErrorCaption());
}

RegenerationOutcome OutcomeOf(const std::vector<OutputFile>& files, const SessionResult& result) {
  RegenerationOutcome outcome;
  for (std::size_t i = 0; i < files.size(); ++i) {
    switch (result.Outcomes[i]) {
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
  bool cancelled = false;
  bool keptConflicts = false;
  // The session holds the folders' locks while the user answers: what is shown is what is written
  // over.
  const SessionResult result = RunRegenerationSession(
      files, {}, records ? &*records : nullptr,
      [&](const std::vector<OutputFile>& planned, std::vector<PlannedFile>& plan) {
        Settlement settlement;
        cancelled = keptConflicts = false;
        std::vector<ConflictingFile> conflicting;
        std::vector<std::size_t> conflictingAt;
        std::vector<std::string> unmerged, trashed;
        for (std::size_t i = 0; i < planned.size(); ++i) {
          const FileRegeneration& decision = plan[i].Decision;
          if (decision.Action == Regeneration::Conflict) {
            conflicting.push_back(
                {planned[i].Path, decision.Merged.Text, decision.Merged.ConflictLines});
            conflictingAt.push_back(i);
          }
          if (decision.Action == Regeneration::NoBase) unmerged.push_back(planned[i].Path);
          // The files the user's text is about to leave go to the trash, so each step can be
          // undone.
          if (decision.Action == Regeneration::Merge || decision.Action == Regeneration::Conflict)
            trashed.push_back(planned[i].Path);
        }
        if (!conflicting.empty() &&
            !SettleConflicts(askMerge(owner, std::move(conflicting)), conflictingAt, plan,
                             settlement, keptConflicts)) {
          cancelled = true;
          return settlement;
        }
        if (!unmerged.empty()) {
          if (!unmergedConfirmed &&
              !services.AskYesNo(owner, ReplaceQuestion(unmerged), std::string(ReplaceCaption))) {
            cancelled = true;
            settlement.Write = false;
            return settlement;
          }
          settlement.NoBase = Settle::Replace;
          trashed.insert(trashed.end(), unmerged.begin(), unmerged.end());
        }
        settlement.OnReplace = TrashOnly(services, std::move(trashed));
        return settlement;
      });

  if (!result.Settled || !result.Failures.empty()) {
    ShowFailures(owner, services, result);
    return Ended(RegenerationEnd::Failed);
  }
  if (cancelled) return Ended(RegenerationEnd::Cancelled);
  RegenerationOutcome outcome = OutcomeOf(files, result);
  const bool kept = keptConflicts && outcome.Written.empty() && outcome.Merged.empty() &&
                    outcome.WithMarkers.empty();
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
  // Spelt out, so that the translation tools find each text in the dialog's context.
  QStringList parts;
  if (!outcome.Written.empty())
    parts << QCoreApplication::translate("zandrel::MergeDialog", "Wrote %1")
                 .arg(Names(outcome.Written));
  if (!outcome.Merged.empty())
    parts << QCoreApplication::translate("zandrel::MergeDialog", "merged your changes into %1")
                 .arg(Names(outcome.Merged));
  if (!outcome.WithMarkers.empty())
    parts << QCoreApplication::translate("zandrel::MergeDialog", "wrote %1 with conflict markers")
                 .arg(Names(outcome.WithMarkers));
  if (!outcome.Unchanged.empty())
    parts << QCoreApplication::translate("zandrel::MergeDialog", "left %1 unchanged")
                 .arg(Names(outcome.Unchanged));
  QString message = parts.join(QStringLiteral("; "));
  message[0] = message[0].toUpper();
  return message;
}

}  // namespace zandrel
