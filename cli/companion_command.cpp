// zandrel-gen companion: the enum class helpers for enumerations an existing header defines.
#include <algorithm>
#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "cli/cli_common.h"
#include "cli/commands.h"
#include "cli/regeneration_delivery.h"
#include "core/output_text.h"
#include "enumgen/companion_writer.h"
#include "headerimport/header_import.h"

namespace zandrel::cli {

namespace {

struct CompanionLine {
  std::string HeaderPath;
  ClangFlags Clang;
  std::vector<std::string> Wanted;  // enumerations; both empty: all
  std::vector<std::string> WantedClasses;
  bool All = false;
  std::vector<std::string> Flags;
  CompanionKeys Keys;
  std::string OutputPath;
  Delivery Mode = Delivery::Write;
  bool Help = false;
};

CompanionLine ParseCompanionLine(const Arguments& arguments) {
  CompanionLine line;
  std::vector<std::string> operands;
  bool options = true;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= arguments.size() || arguments[i + 1].empty())
        throw UsageError("companion: " + a + " needs a value");
      return arguments[++i];
    };
    if (!options || a == "-" || a.empty() || a[0] != '-') {
      operands.push_back(a);
    } else if (a == "--") {
      options = false;
    } else if (a == "-h" || a == "--help") {
      line.Help = true;
    } else if (a == "--enum") {
      line.Wanted.push_back(value());
    } else if (a == "--class") {
      line.WantedClasses.push_back(value());
    } else if (a == "--all") {
      line.All = true;
    } else if (a == "--flags") {
      line.Flags.push_back(value());
    } else if (a == "--case-insensitive") {
      line.Keys.CaseInsensitive = true;
    } else if (a == "--formatter") {
      line.Keys.Formatter = true;
    } else if (a == "--json") {
      line.Keys.Json = true;
    } else if (a == "--hash") {
      line.Keys.Hash = true;
    } else if (a == "--check") {
      line.Mode = Delivery::Check;
    } else if (a == "--dry-run") {
      line.Mode = Delivery::DryRun;
    } else if (!TakeClangFlag(arguments, i, line.Clang, "companion")) {
      throw UsageError("companion: unknown option \"" + a + "\" (try --help)");
    }
  }
  if (line.Help) return line;
  if (operands.size() != 1) throw UsageError("companion needs one argument: HEADER");
  if (line.All && !(line.Wanted.empty() && line.WantedClasses.empty()))
    throw UsageError("companion: give --class or --enum, or --all, not both");
  line.HeaderPath = operands.front();
  return line;
}

// HEADER as OUT.h includes it: relative to OUT.h's folder, which a quoted include searches first,
// unless HEADER was given from the root and lies outside that folder.
std::string IncludePath(const std::string& header, const std::string& output) {
  if (output.empty()) return header;
  namespace fs = std::filesystem;
  std::error_code failed;
  const fs::path from = fs::weakly_canonical(fs::absolute(output, failed), failed).parent_path();
  const fs::path to = fs::weakly_canonical(fs::absolute(header, failed), failed);
  if (failed) return header;
  const fs::path relative = to.lexically_relative(from);
  if (relative.empty() || (fs::path(header).is_absolute() && *relative.begin() == ".."))
    return header;
  return relative.generic_string();
}

void WarnOfNotes(const std::string& header, const std::vector<std::string>& notes) {
  for (const std::string& note : notes) PrintFileError("warning: " + header + ":" + note);
}

void WarnOfNothingCovered(const std::string& header) {
  PrintFileError("warning: " + header +
                 ": it defines no enumeration or class a companion can cover; the companion "
                 "only includes it");
}

void WarnOfMissingIncludes(const std::string& header, const ImportedCompanions& result) {
  for (const auto& [includeLine, include] : result.MissingIncludes)
    PrintFileError("warning: " + header + ":" + std::to_string(includeLine) + ": include \"" +
                   include + "\" not found; the types it would bring are unknown");
}

// The enumerations --flags names, marked as flag sets; false (said) for a name none covers.
bool MarkFlags(const std::vector<std::string>& flags, const std::string& header,
               std::vector<CompanionEnumeration>& chosen) {
  for (const std::string& flag : flags) {
    const auto found = std::find_if(chosen.begin(), chosen.end(), [&](const auto& e) {
      return NamesType(e.QualifiedName, flag);
    });
    if (found == chosen.end()) {
      PrintFileError(header + ": --flags " + flag + " names none of the enumerations covered");
      return false;
    }
    found->Flags = true;
  }
  return true;
}

// A class whose members cannot all be reached is refused when named (false, said), left out
// under all.
bool CoverClasses(std::vector<CompanionClass>& classes, const CompanionKeys& keys, bool all,
                  const std::string& header, std::vector<CoveredClass>& covered) {
  for (CompanionClass& type : classes) {
    ReachedClass reached = ReachMembers(type, {keys.Json, keys.Hash, keys.Formatter});
    if (reached.Refusal.empty()) {
      covered.push_back({std::move(type), std::move(reached.Members)});
      continue;
    }
    if (!all) {
      PrintFileError(header + ": " + reached.Refusal);
      return false;
    }
    PrintFileError("warning: " + header + ": " + reached.Refusal + "; left out");
  }
  return true;
}

}  // namespace

int RunCompanionCommand(const Arguments& given) {
  Arguments arguments = given;
  const RegenerationOptions options = TakeRegenerationOptions(arguments, false);
  const std::optional<std::string> outputPath = TakeOutputOption(arguments);
  CompanionLine line = ParseCompanionLine(arguments);
  line.OutputPath = outputPath.value_or("");
  if (line.Mode != Delivery::Write && line.OutputPath.empty())
    throw UsageError("companion: --check and --dry-run need -o OUT.h");
  if (line.Help) return PrintOutput(CommandUsage("companion")) ? Written : NotWritten;
  const std::string& header = line.HeaderPath;
  auto imported = ImportCompanionTypes(header, ClangArguments(line.Clang, header));
  if (const auto* failure = std::get_if<ImportFailure>(&imported)) {
    PrintFileError(header + ": " + failure->Reason);
    return failure->Fault == ImportFault::Unreadable ? NotWritten : Refused;
  }
  auto& result = std::get<ImportedCompanions>(imported);
  WarnOfMissingIncludes(header, result);
  // A name asked for that is left out is refused with its note; with all, the notes are warnings.
  const auto noteOf = [&](const std::string& wanted) -> const std::string* {
    for (std::size_t k = 0; k < result.LeftOut.size(); ++k)
      if (NamesType(result.LeftOut[k], wanted)) return &result.Notes[k];
    return nullptr;
  };
  const bool all = line.Wanted.empty() && line.WantedClasses.empty();
  // The types asked for, in the header's order, each once; a name not found is refused.
  const auto choose = [&](const auto& defined, const std::vector<std::string>& wanted,
                          const char* kind, auto& chosen) {
    std::set<std::size_t> taken;
    for (const std::string& name : wanted) {
      const auto found = std::find_if(defined.begin(), defined.end(), [&](const auto& type) {
        return NamesType(type.QualifiedName, name);
      });
      if (found == defined.end()) {
        const std::string* note = noteOf(name);
        PrintFileError(header + ":" +
                       (note ? *note : " no " + std::string(kind) + " named " + name + " here"));
        return false;
      }
      taken.insert(static_cast<std::size_t>(found - defined.begin()));
    }
    for (std::size_t k = 0; k < defined.size(); ++k)
      if (all || taken.count(k) > 0) chosen.push_back(defined[k]);
    return true;
  };
  std::vector<CompanionEnumeration> chosen;
  std::vector<CompanionClass> classes;
  if (!choose(result.Enumerations, line.Wanted, "enumeration", chosen) ||
      !choose(result.Classes, line.WantedClasses, "class or struct", classes))
    return Refused;
  if (all) WarnOfNotes(header, result.Notes);
  if (!MarkFlags(line.Flags, header, chosen)) return Refused;
  std::vector<CoveredClass> covered;
  if (!CoverClasses(classes, line.Keys, all, header, covered)) return Refused;
  if (chosen.empty() && covered.empty()) WarnOfNothingCovered(header);
  std::vector<std::string> notes;
  const std::string text =
      CompanionHeader(IncludePath(header, line.OutputPath), chosen, covered, line.Keys, notes);
  for (const std::string& note : notes) PrintFileError("warning: " + header + ": " + note);
  if (line.OutputPath.empty()) return PrintOutput(text) ? Written : NotWritten;
  return DeliverRegeneration({OutputFile{line.OutputPath, text}}, {}, line.Mode, options);
}

}  // namespace zandrel::cli
