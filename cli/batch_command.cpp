// zandrel-gen batch MANIFEST.json: many classes and enumerations, all checked before any file is
// written, and all their files written as one step.
#include <QJsonArray>
#include <QJsonObject>
#include <QJsonValue>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "classgen/class_build.h"
#include "cli/cli_common.h"
#include "cli/delivery.h"
#include "core/output_text.h"
#include "document/class_document.h"
#include "document/enumeration_request_document.h"
#include "document/json_members.h"
#include "enumgen/enumeration_output.h"

namespace zandrel::cli {

namespace {

constexpr std::string_view BatchUsage =
    "Usage: zandrel-gen batch [OPTION]... MANIFEST.json\n"
    "Run every class description and enumeration request the manifest lists:\n"
    "  {\"entries\": [{\"class\": \"point.json\", \"output\": \"src/Point.h\"},\n"
    "               {\"enum\": \"colour.json\"}]}\n"
    "Relative paths, in the manifest and in the enumeration requests it names, are\n"
    "taken from the manifest's folder. Every entry is read and composed before\n"
    "anything is written; one bad entry stops the run with its name and nothing\n"
    "written. Files whose text would not change are left alone; the others are\n"
    "replaced whole, all of them or none. MANIFEST.json may be -, standard input\n"
    "(paths are then taken from the current folder).\n"
    "\n"
    "      --check    write nothing; list each file that would change, and exit\n"
    "                 with status 4 if any would\n"
    "      --dry-run  write nothing; list each file that would change\n"
    "  -h, --help     display this help and exit\n"
    "\n"
    "Exit status: 0 done, 1 an entry refused, 2 unusable invocation or JSON, 3 a\n"
    "file not read or not written, or standard output not written, 4 with --check:\n"
    "a file would change.\n";

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
};

std::string ReadEntryFile(const std::string& path, const std::string& label) {
  auto read = ReadInputFile(path, JsonFileLimit);
  if (const auto* failure = std::get_if<FileFailure>(&read))
    throw UnreadableInput(label + ": " + DescribeReadFailure(*failure));
  return std::get<std::string>(std::move(read));
}

std::vector<OutputFile> ClassEntry(const std::string& path, const std::string& output,
                                   const std::string& label) {
  const auto read = ReadClassDocument(ReadEntryFile(path, label), path);
  if (const auto* message = std::get_if<std::string>(&read))
    throw UsageError(label + ": " + *message);
  const auto description = ReadClassDescription(std::get<ClassInput>(read));
  if (!description) throw RefusedInput(label + ": " + std::string(ShortClassNameMessage));
  WarnOfMismatches(*description, label);
  return ClassOutputFiles(*description, output);
}

std::vector<OutputFile> EnumEntry(const std::string& path, const ManifestFolder& folder,
                                  const std::string& label) {
  auto read = ReadEnumerationRequest(ReadEntryFile(path, label), path);
  if (const auto* message = std::get_if<std::string>(&read))
    throw UsageError(label + ": " + *message);
  EnumerationRequest& request = std::get<EnumerationRequest>(read);
  if (!request.SeparateFile)
    throw UsageError(label + ": a request in a manifest needs an OutputPath");
  request.OutputPath = folder.Resolve(request.OutputPath);
  std::optional<ListFile> listFile;
  if (request.FromFile) {
    request.ListPath = folder.Resolve(request.ListPath);
    auto list = ReadListFile(request.ListPath);
    if (const auto* failure = std::get_if<FileFailure>(&list))
      throw UnreadableInput(label + ": " + DescribeReadFailure(*failure));
    listFile = std::get<ListFile>(std::move(list));
  }
  auto composed = ComposeEnumeration(request, listFile ? &*listFile : nullptr);
  if (const auto* refusal = std::get_if<Refusal>(&composed))
    throw RefusedInput(label + ": " + refusal->Message);
  return std::get<EnumerationOutput>(std::move(composed)).Files;
}

Entry ReadEntry(const QJsonValue& value, std::size_t index, const ManifestFolder& folder) {
  const std::string where = "entries[" + std::to_string(index) + "]";
  if (!value.isObject()) throw UsageError(where + " must be an object");
  const QJsonObject object = value.toObject();
  const bool isClass = object.contains(QLatin1String("class"));
  if (isClass == object.contains(QLatin1String("enum")))
    throw UsageError(where + " needs either \"class\" or \"enum\"");
  if (isClass)
    RejectUnknownKeys(object, {"class", "output"}, where);
  else
    RejectUnknownKeys(object, {"enum"}, where);
  const std::string path =
      folder.Resolve(TextMember(object, isClass ? "class" : "enum", "", where));
  Entry entry{where + " (" + path + ")", {}};
  if (isClass) {
    if (!object.contains(QLatin1String("output"))) throw UsageError(where + ".output is missing");
    entry.Files =
        ClassEntry(path, folder.Resolve(TextMember(object, "output", "", where)), entry.Label);
  } else {
    entry.Files = EnumEntry(path, folder, entry.Label);
  }
  return entry;
}

// Every file of every entry, in manifest order; a file that two entries write is refused, as
// one of them would be lost.
std::vector<OutputFile> ComposeManifest(const std::string& manifestPath) {
  const QJsonObject manifest =
      ParseJsonObject(LoadJsonFile(manifestPath), DocumentName(manifestPath));
  RejectUnknownKeys(manifest, {"$schema", "Format", "entries"}, "manifest");
  CheckDocumentHeader(manifest, "manifest");
  if (!manifest.value(QLatin1String("entries")).isArray())
    throw UsageError("manifest.entries must be an array");
  const QJsonArray entries = manifest.value(QLatin1String("entries")).toArray();
  const ManifestFolder folder(manifestPath);
  std::vector<OutputFile> files;
  std::map<std::filesystem::path, std::string> writers;
  for (qsizetype i = 0; i < entries.size(); ++i) {
    Entry entry = ReadEntry(entries[i], static_cast<std::size_t>(i), folder);
    for (OutputFile& file : entry.Files) {
      const auto [other, added] =
          writers.emplace(std::filesystem::path(file.Path).lexically_normal(), entry.Label);
      if (!added)
        throw UsageError(entry.Label + ": " + file.Path + " is written by " + other->second +
                         " too");
      files.push_back(std::move(file));
    }
  }
  return files;
}

}  // namespace

int RunBatchCommand(const Arguments& arguments) {
  const CommandLine line = ParseCommandLine(arguments, false);
  if (line.Help) return PrintOutput(BatchUsage) ? Written : NotWritten;
  if (line.Operands.size() != 1) throw UsageError("batch takes one argument: MANIFEST.json");
  try {
    return Deliver(ComposeManifest(line.Operands[0]), line.Mode);
  } catch (const DocumentError& error) {
    throw UsageError(error.what());
  }
}

}  // namespace zandrel::cli
