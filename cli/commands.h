#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "cli/cli_common.h"

namespace zandrel::cli {

// What the shell completes for an argument or an option's value.
enum class Completion { Nothing, JsonFile, HeaderFile, AnyFile, Folder, Target };

struct OptionRow {
  std::string_view Short;  // "-o", or empty
  std::string_view Long;   // "--output", or empty
  std::string_view Value;  // what follows it ("PATH"), empty for a flag
  Completion Completes = Completion::Nothing;
  std::string_view Help;
};

// One command of zandrel-gen: its help pages, the dispatch and the bash completion come from here.
struct CommandRow {
  std::string_view Name;
  std::string_view Synopsis;  // after "Usage: zandrel-gen NAME "
  std::string_view Listed;    // its arguments, as the overall help lists them
  std::string_view Summary;   // a sentence for the overall help
  std::string_view Description;
  std::vector<OptionRow> Options;
  std::vector<Completion> OperandKinds;  // in order
  std::string_view ExitStatus;
  int (*Run)(const Arguments&) = nullptr;
};

const std::vector<CommandRow>& Commands();
const CommandRow* FindCommand(std::string_view name);

// The --help page of zandrel-gen, and that of one command.
std::string OverallUsage();
std::string CommandUsage(std::string_view name);

// A bash completion script for zandrel-gen.
std::string BashCompletion();

}  // namespace zandrel::cli
