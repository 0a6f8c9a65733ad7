// zandrel-gen batch MANIFEST.json: many classes and enumerations, all checked before any file is
// written, and all their files written as one step.
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "classgen/name_checks.h"
#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/regeneration_delivery.h"
#include "core/output_text.h"
#include "document/batch_manifest.h"
#include "document/class_document.h"
#include "document/enumeration_request_document.h"
#include "enumgen/enumeration_output.h"

namespace zandrel::cli {

namespace {

// Paths in a manifest are read as if zandrel-gen ran in the manifest's folder.
class ManifestFolder {
 public:
  explicit ManifestFolder(const std::string& manifest) {
    const std::size_t slash = manifest == "-" ? std::string::npos : manifest.rfind('/');
    if (slash != std::string::npos) folder_ = manifest.substr(0, slash + 1);
  }
  std::string Resolve(const std::string& path) const {
    return path.starts_with("/") ? path : folder_ + path;
  }

 private:
  std::string folder_;  // empty, or ending in "/"
};

struct Entry {
  std::string Label;  // "entries[N] (PATH)"
  std::vector<OutputFile> Files;
  std::vector<std::optional<std::string>> Bases;  // from "base", paired with Files
};

// The files and the bases of a whole manifest, in the same order.
struct Step {
  std::vector<OutputFile> Files;
  std::vector<std::optional<std::string>> Bases;
};

// A fault in an entry's own file: that file first, then which entry named it.
[[noreturn]] void EntryFault(const std::string& message, std::size_t index, bool refused) {
  const std::string text = message + " (entries[" + std::to_string(index) + "])";
  if (refused) throw RefusedInput(text);
  throw UsageError(text);
}

std::string ReadEntryFile(const std::string& path, std::size_t index) {
  auto read = ReadInputFile(path, JsonFileLimit);
  if (const auto* failure = std::get_if<FileFailure>(&read))
    throw UnreadableInput(DescribeReadFailure(*failure) + " (entries[" + std::to_string(index) +
                          "])");
  return std::get<std::string>(std::move(read));
}

std::vector<OutputFile> ClassEntry(const std::string& path, const std::string& output,
                                   std::size_t index) {
  const auto read = ReadClassDocument(ReadEntryFile(path, index), path);
  if (const auto* message = std::get_if<std::string>(&read)) EntryFault(*message, index, false);
  const auto description = ReadClassDescription(std::get<ClassInput>(read));
  if (!description) EntryFault(path + ": " + std::string(ShortClassNameMessage), index, true);
  const std::string where = "entries[" + std::to_string(index) + "] (" + path + ")";
  const NameVerdict names = CheckTargetNames(*description);
  if (names.Refused)
    EntryFault(path + ": " + DescribeNameProblem(names.Problems.front()), index, true);
  for (const NameProblem& problem : names.Problems)
    PrintFileError("warning: " + where + ": " + DescribeNameProblem(problem));
  WarnOfMismatches(*description, where);
  return ClassOutputFiles(*description, output);
}

std::vector<OutputFile> EnumEntry(const std::string& path, const ManifestFolder& folder,
                                  std::size_t index) {
  auto read = ReadEnumerationRequest(ReadEntryFile(path, index), path);
  if (const auto* message = std::get_if<std::string>(&read)) EntryFault(*message, index, false);
  auto& request = std::get<EnumerationRequest>(read);
  if (!request.SeparateFile)
    EntryFault(path + ": a request in a manifest needs an OutputPath", index, false);
  request.OutputPath = folder.Resolve(request.OutputPath);
  if (const auto refused = CheckChosenPath(request.OutputPath))
    throw UnreadableInput(DescribeFailure(*refused) + " (entries[" + std::to_string(index) + "])");
  std::optional<ListFile> listFile;
  if (request.FromFile) {
    request.ListPath = folder.Resolve(request.ListPath);
    auto list = ReadListFile(request.ListPath);
    if (const auto* failure = std::get_if<FileFailure>(&list))
      throw UnreadableInput(DescribeReadFailure(*failure) + " (entries[" + std::to_string(index) +
                            "])");
    listFile = std::get<ListFile>(std::move(list));
  }
  auto composed = ComposeEnumeration(request, listFile ? &*listFile : nullptr);
  if (const auto* refusal = std::get_if<Refusal>(&composed))
    EntryFault(path + ": " + refusal->Message, index, true);
  for (const Refusal& problem : NameWarnings(request, listFile ? &*listFile : nullptr))
    PrintFileError("warning: entries[" + std::to_string(index) + "] (" + path +
                   "): " + problem.Message);
  return std::get<EnumerationOutput>(std::move(composed)).Files;
}

Entry ComposeEntry(const ManifestEntry& item, std::size_t index, const ManifestFolder& folder) {
  const std::string where = "entries[" + std::to_string(index) + "]";
  const std::string path = folder.Resolve(item.Path);
  Entry entry{where + " (" + path + ")", {}, {}};
  // An older description or request: the base its files are merged from.
  const std::optional<std::string> base =
      item.Base ? std::optional(folder.Resolve(*item.Base)) : std::nullopt;
  if (item.IsClass) {
    const std::string output = folder.Resolve(item.Output);
    if (const auto refused = CheckChosenPath(output))
      throw UnreadableInput(DescribeFailure(*refused) + " (" + where + ")");
    entry.Files = ClassEntry(path, output, index);
    if (base) entry.Bases = BasesFrom(ClassEntry(*base, output, index));
  } else {
    entry.Files = EnumEntry(path, folder, index);
    if (base) entry.Bases = BasesFrom(EnumEntry(*base, folder, index));
  }
  entry.Bases.resize(entry.Files.size());
  return entry;
}

// Every file of every entry, in manifest order; a file that two entries write is refused, as
// one of them would be lost (the output step refuses the same file reached by other names).
Step ComposeManifest(const std::string& manifestPath) {
  const std::string name = DocumentName(manifestPath);
  const auto read = ReadBatchManifest(LoadJsonFile(manifestPath), name);
  if (const auto* message = std::get_if<std::string>(&read)) throw UsageError(*message);
  const ManifestFolder folder(manifestPath);
  Step step;
  std::map<std::filesystem::path, std::string> writers;
  const auto& items = std::get<std::vector<ManifestEntry>>(read);
  for (std::size_t i = 0; i < items.size(); ++i) {
    Entry entry = ComposeEntry(items[i], i, folder);
    for (OutputFile& file : entry.Files) {
      const auto [other, added] =
          writers.emplace(std::filesystem::path(file.Path).lexically_normal(), entry.Label);
      // Exit 3 as for the same file reached through a link: a file that cannot be written.
      if (!added)
        throw UnreadableInput(name + ": " + entry.Label + ": " + file.Path + " is written by " +
                              other->second + " too");
      step.Files.push_back(std::move(file));
    }
    for (auto& base : entry.Bases) step.Bases.push_back(std::move(base));
  }
  return step;
}

}  // namespace

int RunBatchCommand(const Arguments& given) {
  Arguments arguments = given;
  const RegenerationOptions options = TakeRegenerationOptions(arguments, false);
  const CommandLine line = ParseCommandLine(arguments, false);
  if (line.Help) return PrintOutput(CommandUsage("batch")) ? Written : NotWritten;
  if (line.Operands.size() != 1) throw UsageError("batch takes one argument: MANIFEST.json");
  const Step step = ComposeManifest(line.Operands[0]);
  return DeliverRegeneration(step.Files, step.Bases, line.Mode, options);
}

}  // namespace zandrel::cli
