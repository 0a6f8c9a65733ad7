#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cli/cli_common.h"
#include "core/output_text.h"

namespace zandrel::cli {

// Conflicts in a file the user edited, or an edited file with no base known: nothing written
// (with --conflicts=markers, written with markers all the same).
inline constexpr int Conflicts = 5;

// How files the user has edited are treated.
struct RegenerationOptions {
  std::optional<std::string> Base;  // --base OLD.json: the base from an older description
  bool Force = false;               // --force: replace what cannot be merged
  bool Markers = false;             // --conflicts=markers: write conflicts with their markers
  // --build-output: the files belong to a build tree and are never edited, so nothing is recorded
  // or merged; each is replaced when its text changes.
  bool BuildOutput = false;
};

// Takes --base (when withBase), --force, --conflicts=markers and --build-output out of a command's
// arguments, up to a "--"; the rest is left for ParseCommandLine.
RegenerationOptions TakeRegenerationOptions(Arguments& arguments, bool withBase);

// Takes -o PATH / --output PATH out of a command's arguments, up to a "--".
std::optional<std::string> TakeOutputOption(Arguments& arguments);

// The base texts for a step's files from the files an older description gives, paired by
// position (header with header, source with source).
std::vector<std::optional<std::string>> BasesFrom(std::vector<OutputFile> older);

// Writes, checks or lists a run's files as Deliver does, merging the new texts into files the
// user has edited since they were generated (base: the one given, else the record). The exit
// code; conflicts and refusals are reported on standard error, "zandrel-gen: FILE:LINE: conflict".
int DeliverRegeneration(const std::vector<OutputFile>& files,
                        const std::vector<std::optional<std::string>>& bases, Delivery mode,
                        const RegenerationOptions& options);

}  // namespace zandrel::cli
