#include "cli/regeneration_delivery.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <utility>

#include "cli/delivery.h"
#include "core/generated_records.h"
#include "core/regeneration_session.h"

namespace zandrel::cli {

namespace {

// Calls take with each argument before a "--" and the index of the next one; take returns the
// index it read up to (past a value it used), or nothing to leave the argument in place.
template <typename Take>
void TakeOptions(Arguments& arguments, const Take& take) {
  Arguments rest;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--") {
      rest.insert(rest.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i), arguments.end());
      break;
    }
    if (const std::optional<std::size_t> last = take(i))
      i = *last;
    else
      rest.push_back(arguments[i]);
  }
  arguments = std::move(rest);
}

}  // namespace

RegenerationOptions TakeRegenerationOptions(Arguments& arguments, bool withBase) {
  RegenerationOptions options;
  TakeOptions(arguments, [&](std::size_t i) -> std::optional<std::size_t> {
    const std::string& argument = arguments[i];
    if (withBase && (argument == "--base" || argument.starts_with("--base="))) {
      if (options.Base) throw UsageError("--base is given twice");
      if (argument != "--base") {
        options.Base = argument.substr(7);
        return i;
      }
      if (i + 1 >= arguments.size()) throw UsageError("--base needs a file: --base OLD.json");
      options.Base = arguments[i + 1];
      return i + 1;
    }
    if (argument == "--force") {
      options.Force = true;
    } else if (argument == "--build-output") {
      options.BuildOutput = true;
    } else if (argument.starts_with("--conflicts=")) {
      if (argument != "--conflicts=markers")
        throw UsageError("unknown value in \"" + argument + "\" (only --conflicts=markers)");
      options.Markers = true;
    } else {
      return std::nullopt;
    }
    return i;
  });
  if (options.Force && options.Markers)
    throw UsageError("--force and --conflicts=markers cannot be used together");
  if (options.BuildOutput && (options.Base || options.Markers))
    throw UsageError("--build-output merges nothing: it takes neither --base nor --conflicts");
  if (options.BuildOutput) options.Force = true;
  return options;
}

std::optional<std::string> TakeOutputOption(Arguments& arguments) {
  std::optional<std::string> path;
  TakeOptions(arguments, [&](std::size_t i) -> std::optional<std::size_t> {
    const std::string& argument = arguments[i];
    if (argument != "-o" && argument != "--output") return std::nullopt;
    if (path) throw UsageError(argument + " is given twice");
    if (i + 1 >= arguments.size() || arguments[i + 1].empty())
      throw UsageError(argument + " needs a path: " + argument + " PATH");
    path = arguments[i + 1];
    return i + 1;
  });
  return path;
}

std::vector<std::optional<std::string>> BasesFrom(std::vector<OutputFile> older) {
  std::vector<std::optional<std::string>> bases;
  bases.reserve(older.size());
  for (OutputFile& file : older) bases.emplace_back(std::move(file.Text));
  return bases;
}

namespace {

// A path as one line of a list: one holding a control character (a newline would split the
// line) or a quote is given in double quotes with C escapes.
std::string ListedPath(const std::string& path) {
  const bool plain = std::none_of(path.begin(), path.end(), [](char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == 0x7F || c == '"';
  });
  if (plain) return path;
  std::string quoted = "\"";
  for (const char c : path) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quoted += '\\';
      quoted += c;
    } else if (c == '\n') {
      quoted += "\\n";
    } else if (c == '\t') {
      quoted += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      char octal[5];
      std::snprintf(octal, sizeof octal, "\\%03o", byte);
      quoted += octal;
    } else {
      quoted += c;
    }
  }
  return quoted + "\"";
}

// The output folders a run makes where they are missing, taken away again (those it made, deepest
// first, while still empty) when the run does not succeed.
class MadeFolders {
 public:
  explicit MadeFolders(const std::vector<OutputFile>& files) {
    namespace fs = std::filesystem;
    for (const OutputFile& file : files) {
      std::vector<fs::path> missing;
      std::error_code error;
      for (fs::path folder = fs::path(file.Path).parent_path();
           !folder.empty() && !fs::exists(folder, error) && !error; folder = folder.parent_path())
        missing.push_back(folder);
      std::reverse(missing.begin(), missing.end());  // outermost first
      for (const fs::path& folder : missing)
        if (::mkdir(folder.c_str(), 0777) == 0) made_.push_back(folder);
    }
  }
  MadeFolders(const MadeFolders&) = delete;
  MadeFolders& operator=(const MadeFolders&) = delete;
  ~MadeFolders() {
    if (kept_) return;
    for (; !made_.empty(); made_.pop_back()) ::rmdir(made_.back().c_str());
  }
  void Keep() { kept_ = true; }

 private:
  std::vector<std::filesystem::path> made_;
  bool kept_ = false;
};

// Whether each record's folder is there or can be made, the reason printed for one that cannot.
bool RecordFoldersUsable(const std::vector<OutputFile>& files, const GeneratedRecords& records) {
  for (const OutputFile& file : files) {
    std::filesystem::path folder = std::filesystem::path(records.RecordPath(file.Path));
    std::error_code error;
    do folder = folder.parent_path();
    while (!folder.empty() && folder != folder.root_path() &&
           !std::filesystem::exists(folder, error));
    const bool usable = std::filesystem::is_directory(folder, error) || folder.empty();
    if (!usable || ::access(folder.c_str(), W_OK | X_OK) != 0) {
      PrintFileError(DescribeFailure({folder.string(), std::strerror(usable ? errno : ENOTDIR)}));
      return false;
    }
  }
  return true;
}

// What zandrel-gen says of a file the session left unsettled (a conflict, no base); false for a
// settled one.
bool TellUnsettled(const FileRegeneration& decision, const std::string& path, Settle conflicts,
                   Settle noBase, std::vector<std::string>& told) {
  if (decision.Action == Regeneration::Conflict && conflicts != Settle::Replace) {
    if (!decision.Merged.Unmergeable.empty())
      told.push_back("zandrel-gen: " + path + ": cannot be merged: " + decision.Merged.Unmergeable +
                     " (use --force to replace it)");
    else
      for (std::size_t line : decision.Merged.ConflictLines)
        told.push_back("zandrel-gen: " + path + ":" + std::to_string(line) + ": conflict");
    return true;
  }
  if (decision.Action == Regeneration::NoBase && noBase != Settle::Replace) {
    told.push_back("zandrel-gen: " + path +
                   ": differs from the text generated now, and no base is known to merge "
                   "it from (use --base OLD.json, or --force to replace it)");
    return true;
  }
  return false;
}

// A step that stopped before it was settled: nothing was written, and what was not read is said.
void TellUnread(const std::vector<FileFailure>& failures, std::vector<std::string>& told) {
  for (const FileFailure& failure : failures)
    told.push_back("zandrel-gen: " + DescribeSessionFailure(failure, false));
}

}  // namespace

int DeliverRegeneration(const std::vector<OutputFile>& files,
                        const std::vector<std::optional<std::string>>& bases, Delivery mode,
                        const RegenerationOptions& options) {
  if (mode == Delivery::Stdout) return PrintFiles(files);
  // --check and --dry-run refuse what a real run refuses (a FIFO, a folder, one file twice).
  if (mode != Delivery::Write) {
    const std::vector<FileFailure> refused = CheckOutputFiles(files);
    for (const FileFailure& failure : refused) PrintFileError(DescribeFailure(failure));
    if (!refused.empty()) return NotWritten;
  }
  std::optional<GeneratedRecords> records;
  if (auto folder = GeneratedRecords::DefaultFolder(); folder && !options.BuildOutput)
    records.emplace(std::move(*folder));
  // A run fails (exit 3) where it cannot make a record's folder: a look says so too.
  if (mode != Delivery::Write && records && !RecordFoldersUsable(files, *records))
    return NotWritten;

  // A path into folders not made yet makes them, as part of the step.
  std::optional<MadeFolders> folders;
  if (mode == Delivery::Write) folders.emplace(files);
  const Settle conflicts =
      options.Markers ? Settle::Markers : (options.Force ? Settle::Replace : Settle::Keep);
  const Settle noBase = options.Force ? Settle::Replace : Settle::Keep;
  // What the session decides is told once it ends: a run started over tells only its last try.
  std::vector<std::string> told;
  bool unsettled = false;  // a conflict or a refusal: exit 5 whatever is written
  std::string list;
  const SessionResult result = RunRegenerationSession(
      files, bases, records ? &*records : nullptr,
      [&](const std::vector<OutputFile>& planned, std::vector<PlannedFile>& plan) {
        told.clear();
        list.clear();
        unsettled = false;
        for (std::size_t i = 0; i < planned.size(); ++i) {
          const FileRegeneration& decision = plan[i].Decision;
          const std::string& path = planned[i].Path;
          // A file that still holds the markers of an earlier conflict is not up to date either.
          const bool marked = decision.Action == Regeneration::Leave && decision.KeepsEdits &&
                              HoldsConflictMarkers(decision.Merged.Text);
          if (decision.Action != Regeneration::Leave || marked) list += ListedPath(path) + "\n";
          if (TellUnsettled(decision, path, conflicts, noBase, told)) unsettled = true;
        }
        return Settlement{mode == Delivery::Write, conflicts, noBase, {}, {}};
      });
  int exitCode = Written;
  if (!result.Settled) {
    TellUnread(result.Failures, told);
    exitCode = NotWritten;
  } else if (mode != Delivery::Write) {
    exitCode = !PrintOutput(list)                         ? NotWritten
               : mode == Delivery::Check && !list.empty() ? Differs
                                                          : Written;
  } else if (!result.Failures.empty()) {
    for (const FileFailure& failure : result.Failures)
      told.push_back("zandrel-gen: " + DescribeFailure(failure));
    exitCode = NotWritten;
  } else if (unsettled) {
    exitCode = Conflicts;
  }
  for (const std::string& message : told) PrintError(message);
  if (exitCode == Written && folders) folders->Keep();
  return exitCode;
}

}  // namespace zandrel::cli
