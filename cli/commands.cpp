#include "cli/commands.h"

#include <algorithm>
#include <cstddef>

#include "classgen/targets.h"
#include "version_notice.h"

namespace zandrel::cli {
int RunClassCommand(const Arguments& arguments);
int RunEnumCommand(const Arguments& arguments);
int RunBatchCommand(const Arguments& arguments);
int RunImportCommand(const Arguments& arguments);
int RunCompanionCommand(const Arguments& arguments);

namespace {

// The options every writing command takes, spelled and explained once.
const OptionRow Base{"", "--base", "OLD.json", Completion::JsonFile,
                     "merge from the files an older description or request gives, not from "
                     "the texts recorded when the files were last written"};
const OptionRow Markers{"", "--conflicts=markers", "", Completion::Nothing,
                        "write conflicting files with the markers \"<<<<<<< yours\", "
                        "\"=======\" and \">>>>>>> generated\""};
const OptionRow Force{"", "--force", "", Completion::Nothing,
                      "replace edited files that cannot be merged"};
const OptionRow BuildOutput{"", "--build-output", "", Completion::Nothing,
                            "the files belong to a build tree (as zandrel_generate in CMake "
                            "writes them): replaced when their text changes, never recorded "
                            "or merged"};
const OptionRow Check{"", "--check", "", Completion::Nothing,
                      "write nothing; list each file that would change (one path a line on "
                      "standard output) and exit with status 4 if any would"};
const OptionRow DryRun{"", "--dry-run", "", Completion::Nothing,
                       "write nothing; list each file that would change"};
const OptionRow Help{"-h", "--help", "", Completion::Nothing, "display this help and exit"};
const OptionRow Include{"-I", "", "DIR", Completion::Folder, "given to clang as it is"};
const OptionRow Define{"-D", "", "NAME[=VALUE]", Completion::Nothing, "given to clang as it is"};
const OptionRow BuildDir{"-p", "", "BUILD_DIR", Completion::Folder,
                         "take the flags from BUILD_DIR/compile_commands.json, for HEADER or "
                         "the first source that includes it"};

CommandRow ClassRow() {
  return {
      "class",
      "[OPTION]... DESCRIPTION.json [OUTPUT_PATH]",
      "DESCRIPTION.json OUTPUT_PATH",
      "write the class files as Build does when the save dialog returns OUTPUT_PATH (header and "
      "source, or the Java file)",
      "Write the class files as Build does when the save dialog returns OUTPUT_PATH:\n"
      "the header and the source beside it, or the Java file. Without OUTPUT_PATH,\n"
      "the description's OutputPath (where the window last built it, relative to the\n"
      "description's folder). DESCRIPTION.json may be -, standard input. Files whose\n"
      "text would not change are left alone; the others are replaced whole, both or\n"
      "neither. A file edited since Zandrel wrote it gets the new text merged into\n"
      "it; one that conflicts is not written. TargetSystem ModernCpp writes C++20,\n"
      "JavaRecord a Java 17 record. An enumeration text of HeaderInsertions that the\n"
      "target cannot use is written as it is, with a warning on standard error.\n",
      {Base,
       Markers,
       Force,
       BuildOutput,
       Check,
       DryRun,
       {"", "--stdout", "", Completion::Nothing,
        "print the files instead, each after a line \"// ==> PATH\""},
       Help},
      {Completion::JsonFile, Completion::AnyFile},
      "0 done, 1 class name refused, 2 unusable invocation or JSON, 3 the description not "
      "read, a file not written or standard output not written, 4 with --check: a file would "
      "change, 5 a conflict, or an edited file with no base.",
      RunClassCommand};
}

CommandRow EnumRow() {
  return {"enum",
          "[OPTION]... REQUEST.json",
          "REQUEST.json",
          "build an enumeration as the dialog's OK does, write its files when OutputPath is given, "
          "and print the text the main window would receive",
          "Build an enumeration as the dialog's OK does. With OutputPath, write the header\n"
          "and source there (both or neither; files whose text would not change are left\n"
          "alone) and print the include line; without, print the enumeration text the\n"
          "main window would receive. ListFile reads the names from a file of at most\n"
          "256 MiB. REQUEST.json may be -, standard input. Style ModernEnumeration makes\n"
          "an enum class with constexpr to_string, TYPE_from_string and TYPE_values, and\n"
          "writes a header alone. With --check, --dry-run or --build-output nothing is\n"
          "printed but the list of files.\n"
          "\n"
          "A file edited since Zandrel wrote it gets the new text merged into it; one\n"
          "that conflicts is not written.\n",
          {Base,
           Markers,
           Force,
           {"-o", "--output", "PATH", Completion::AnyFile,
            "write the header (and source) to PATH, not to OutputPath"},
           BuildOutput,
           Check,
           DryRun,
           Help},
          {Completion::JsonFile},
          "0 done, 1 request refused, 2 unusable invocation or JSON, 3 the request or list file "
          "not read, a file not written or standard output not written, 4 with --check: a file "
          "would change, 5 a conflict, or an edited file with no base.",
          RunEnumCommand};
}

CommandRow BatchRow() {
  return {"batch",
          "[OPTION]... MANIFEST.json",
          "MANIFEST.json",
          "run every class and enumeration the manifest lists, all checked first, their files "
          "written as one step",
          "Run every class description and enumeration request the manifest lists:\n"
          "  {\"entries\": [{\"class\": \"point.json\", \"output\": \"src/Point.h\"},\n"
          "               {\"enum\": \"colour.json\"}]}\n"
          "Relative paths, in the manifest and in the enumeration requests it names, are\n"
          "taken from the manifest's folder. Every entry is read and composed before\n"
          "anything is written; one bad entry stops the run with its name and nothing\n"
          "written. Files whose text would not change are left alone; the others are\n"
          "replaced whole, all of them or none. MANIFEST.json may be -, standard input\n"
          "(paths are then taken from the current folder). An entry's \"base\", an older\n"
          "description or request, is what its files are merged from; without it, the\n"
          "texts recorded when they were last written are. A file edited since Zandrel\n"
          "wrote it gets the new text merged into it; one that conflicts is not written.\n",
          {Markers, Force, BuildOutput, Check, DryRun, Help},
          {Completion::JsonFile},
          "0 done, 1 an entry refused, 2 unusable invocation or JSON, 3 a file not read or not "
          "written, or standard output not written, 4 with --check: a file would change, 5 a "
          "conflict, or an edited file with no base.",
          RunBatchCommand};
}

CommandRow ImportRow() {
  return {"import",
          "[--class NAME | --enum NAME] [--target TARGET]\n"
          "         [-I DIR]... [-D NAME[=VALUE]]... [-p BUILD_DIR] [-o OUT.json] HEADER",
          "HEADER",
          "read a class or enumeration from a C++ header and print the description or request that "
          "makes it",
          "Read a class or struct of HEADER into a class description (Format 1), or with\n"
          "--enum an enumeration into an enumeration request, and print it, or write it\n"
          "to OUT.json. Without --class, the first class or struct HEADER itself defines.\n"
          "NAME may be qualified (ns::Outer::Inner). Accessors of a naming form, the\n"
          "constructor taking every member, defaulted or deleted copies, defaulted == and\n"
          "<=>, and operator<< become options, not rows. Includes that are not found are\n"
          "noted and the types they would bring kept as written.\n",
          {{"", "--class", "NAME", Completion::Nothing, "the class or struct to read"},
           {"", "--enum", "NAME", Completion::Nothing, "the enumeration to read"},
           {"", "--target", "TARGET", Completion::Target,
            "the description's TargetSystem (default ModernCpp)"},
           Include,
           Define,
           BuildDir,
           {"-o", "", "OUT.json", Completion::JsonFile,
            "write the document to OUT.json instead of printing it"},
           Help},
          {Completion::HeaderFile},
          "0 done, 1 no such class or enumeration, or one a description cannot hold (a template, "
          "a union, a nameless type), 2 unusable invocation, 3 HEADER not read or the document not "
          "written.",
          RunImportCommand};
}

CommandRow CompanionRow() {
  return {
      "companion",
      "[--class NAME]... [--enum NAME]... [--all]\n"
      "         [--flags NAME]... [--case-insensitive] [--formatter] [--json] [--hash]\n"
      "         [-I DIR]... [-D NAME[=VALUE]]... [-p BUILD_DIR] [-o OUT.h] [OPTION]... HEADER",
      "HEADER",
      "write a header that includes HEADER and gives its enumerations the enum class helpers "
      "(to_string, TYPE_from_string, TYPE_values, operator<<) and its classes operator<<, JSON, "
      "hash and formatters",
      "Write a header that includes HEADER and gives its types helpers as free functions\n"
      "in each type's namespace. HEADER is left as it is. An enumeration gets those of\n"
      "the enum class style: to_string (the first name of a value), TYPE_from_string\n"
      "(every name, aliases included), TYPE_values and operator<<; types nested in\n"
      "classes are named Outer_TYPE_from_string and Outer_TYPE_values. A class or\n"
      "struct gets operator<< (\"Point{x=1, y=2}\") unless it has one, and the helpers\n"
      "of the keys below, reaching private members through accessors of a naming form\n"
      "(getX/setX, get_x/set_x, GetX/SetX, or x() for x_ and m_x). Print the header,\n"
      "or write it to OUT.h, which then includes HEADER relative to its own folder\n"
      "(an absolute HEADER outside that folder as given).\n",
      {{"", "--class", "NAME", Completion::Nothing,
        "a class or struct to cover (may be qualified; may be repeated)"},
       {"", "--enum", "NAME", Completion::Nothing,
        "an enumeration to cover (may be qualified; may be repeated)"},
       {"", "--all", "", Completion::Nothing, "every type HEADER defines (the default)"},
       {"", "--flags", "NAME", Completion::Nothing,
        "treat the enumeration NAME as a bit-flag set: the operators | & ^ ~ |= &= ^=, "
        "to_string of combinations (\"A|B|0x40\") and their parsing"},
       {"", "--case-insensitive", "", Completion::Nothing,
        "TYPE_from_string accepts a name in any letter case"},
       {"", "--formatter", "", Completion::Nothing,
        "fmt and std::format formatters, where their headers are"},
       {"", "--json", "", Completion::Nothing,
        "nlohmann/json conversions, where its header is: enumerations by name, classes member "
        "by member"},
       {"", "--hash", "", Completion::Nothing,
        "std::hash for classes, over every member (none for a class whose operator== is its "
        "own)"},
       Include,
       Define,
       BuildDir,
       {"-o", "--output", "OUT.h", Completion::HeaderFile,
        "write the header to OUT.h instead of printing it"},
       Markers,
       Force,
       BuildOutput,
       Check,
       DryRun,
       Help},
      {Completion::HeaderFile},
      "0 done (a header with no type to cover gets one that only includes it, with a warning), "
      "1 no such type, or one no helper outside can name (nameless, in a template or unnamed "
      "namespace, not public) or reach (a private member without accessors, a base class), 2 "
      "unusable invocation, 3 HEADER not read or OUT.h not written, 4 with --check: OUT.h would "
      "change, 5 a conflict, or an edited file with no base.",
      RunCompanionCommand};
}

std::vector<CommandRow> MakeCommands() {
  return {ClassRow(), EnumRow(), BatchRow(), ImportRow(), CompanionRow()};
}

constexpr std::size_t Width = 80;
constexpr std::size_t HelpColumn = 17;

// Words of text after `line`, broken before Width, continued at `indent`.
void AppendWrapped(std::string& out, std::string line, std::string_view text,
                   std::size_t indent = HelpColumn) {
  std::size_t at = 0;
  while (at < text.size()) {
    // A quoted text ("<<<<<<< yours") is one word.
    const std::size_t quoteEnd = text[at] == '"' ? text.find('"', at + 1) : at;
    std::size_t end = text.find(' ', quoteEnd == std::string_view::npos ? at : quoteEnd);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view word = text.substr(at, end - at);
    const bool fresh = line.find_first_not_of(' ') == std::string::npos;
    if (!fresh && line.size() + 1 + word.size() > Width) {
      out.append(line).push_back('\n');
      line.assign(indent, ' ');
    } else if (!fresh && line.back() != ' ') {
      line.push_back(' ');
    }
    line.append(word);
    at = end + 1;
  }
  out.append(line).push_back('\n');
}

std::string Spelling(const OptionRow& option) {
  std::string names = option.Long.empty() ? "  " : "      ";
  if (!option.Short.empty()) names.replace(2, option.Short.size(), option.Short);
  if (!option.Short.empty() && !option.Long.empty()) names.replace(4, 2, ", ");
  names.append(option.Long.empty() ? std::string_view() : option.Long);
  if (!option.Value.empty()) names.append(" ").append(option.Value);
  names.resize(std::max(names.size() + 2, HelpColumn), ' ');
  return names;
}

void AppendOptions(std::string& out, const std::vector<const OptionRow*>& options) {
  for (const OptionRow* option : options) AppendWrapped(out, Spelling(*option), option->Help);
}

// The word the completion offers for an option: its long spelling, else its short one.
std::string_view Word(const OptionRow& option) {
  return option.Long.empty() ? option.Short : option.Long;
}

std::string Joined(const std::vector<std::string_view>& words) {
  std::string text;
  for (const std::string_view word : words) text.append(text.empty() ? "" : " ").append(word);
  return text;
}

// The bash lines that complete a value of the given kind.
std::string Completing(Completion kind) {
  switch (kind) {
    case Completion::JsonFile:
      return "_zandrel_gen_files json";
    case Completion::HeaderFile:
      return "_zandrel_gen_files h";
    case Completion::AnyFile:
      return "_zandrel_gen_files";
    case Completion::Folder:
      return "COMPREPLY=($(compgen -d -- \"$cur\"))\n        compopt -o filenames 2>/dev/null";
    case Completion::Target: {
      std::vector<std::string_view> names;
      for (const ClassTarget& target : ClassTargets()) names.push_back(target.CommandName);
      return "COMPREPLY=($(compgen -W '" + Joined(names) + "' -- \"$cur\"))";
    }
    case Completion::Nothing:
      break;
  }
  return ":";
}

constexpr std::string_view CompletionHead =
    R"(# bash completion for zandrel-gen                             -*- shell-script -*-
# Made by the build from zandrel-gen's table of commands.

# Completes file names; with a pattern, folders and matching files only. Uses bash-completion's
# _filedir when it is loaded (quoting, tilde), plain compgen otherwise.
_zandrel_gen_files() {
  if declare -F _filedir >/dev/null; then
    _filedir "$@"
    return
  fi
  local IFS=$'\n' cur=${COMP_WORDS[COMP_CWORD]}
  if [[ -n ${1-} ]]; then
    COMPREPLY=($(compgen -d -- "$cur") $(compgen -f -X "!*.$1" -- "$cur"))
  else
    COMPREPLY=($(compgen -f -- "$cur"))
  fi
  compopt -o filenames 2>/dev/null
}

_zandrel_gen() {
  local cur=${COMP_WORDS[COMP_CWORD]}
  COMPREPLY=()
)";

constexpr std::string_view CompletionTail =
    R"(  # Options may stand anywhere after the command; arguments are counted without them.
  local position=1 word i
  for ((i = 2; i < COMP_CWORD; i++)); do
    word=${COMP_WORDS[i]}
    if [[ " $valued " == *" $word "* ]]; then
      ((i++))
    elif [[ $word != -?* ]]; then
      ((position++))
    fi
  done
  if [[ $cur == -* ]]; then
    COMPREPLY=($(compgen -W "$options" -- "$cur"))
    return
  fi
  case $command:$position in
)";

}  // namespace

const std::vector<CommandRow>& Commands() {
  static const std::vector<CommandRow> rows = MakeCommands();
  return rows;
}

const CommandRow* FindCommand(std::string_view name) {
  for (const CommandRow& row : Commands())
    if (row.Name == name) return &row;
  return nullptr;
}

std::string OverallUsage() {
  std::string out =
      "Usage: zandrel-gen COMMAND [OPTION]... ARGUMENT...\n"
      "  or:  zandrel-gen --help | --version\n"
      "Generate the files that Zandrel's windows would, from JSON descriptions.\n"
      "\nCommands:\n";
  // The options two or more commands share; each command's own are on its page.
  std::vector<const OptionRow*> shared;
  for (const CommandRow& row : Commands()) {
    out.append("  ").append(row.Name).append(" ").append(row.Listed).push_back('\n');
    AppendWrapped(out, std::string(HelpColumn, ' '), row.Summary);
    for (const OptionRow& option : row.Options) {
      const bool listed = std::any_of(shared.begin(), shared.end(), [&](const OptionRow* known) {
        return known->Long == option.Long && known->Short == option.Short;
      });
      const auto users =
          std::count_if(Commands().begin(), Commands().end(), [&](const CommandRow& other) {
            return std::any_of(other.Options.begin(), other.Options.end(), [&](const auto& o) {
              return o.Long == option.Long && o.Short == option.Short && o.Help == option.Help;
            });
          });
      if (!listed && users > 1) shared.push_back(&option);
    }
  }
  out.append(
      "A JSON argument given as - is read from standard input. Besides the four\n"
      "classic targets, TargetSystem ModernCpp writes C++20 and JavaRecord a Java 17\n"
      "record; Style ModernEnumeration makes an enum class.\n"
      "\nOptions of the commands (COMMAND --help lists each command's own):\n");
  const OptionRow version{"-v", "--version", "", Completion::Nothing,
                          "output version information and exit"};
  shared.push_back(&version);
  AppendOptions(out, shared);
  out.append(
      "\n"
      "Files whose text would not change are left alone, time stamps and all; the\n"
      "others are replaced whole, all of a command's files or none. A path that is a\n"
      "folder, FIFO or device is refused. A file edited since Zandrel last wrote it\n"
      "(the texts written are recorded in $XDG_STATE_HOME/zandrel/generated) gets the\n"
      "new text merged into it, keeping the lines written by hand; where both\n"
      "changed the same lines, nothing is written and each conflict is reported as\n"
      "\"zandrel-gen: FILE:LINE: conflict\". An edited file with no recorded text\n"
      "and no --base is not replaced without --force.\n"
      "\n"
      "Exit status:\n"
      "  0  done (with --check: every file up to date)\n"
      "  1  input refused\n"
      "  2  unusable invocation or JSON\n"
      "  3  a file not read or not written, or standard output not written\n"
      "  4  with --check: a file would change\n"
      "  5  a conflict, or an edited file with no base (with --conflicts=markers the\n"
      "     files are written all the same)\n"
      "\n"
      "Report bugs to: " ZANDREL_BUG_ADDRESS "\n");
  return out;
}

std::string CommandUsage(std::string_view name) {
  const CommandRow* row = FindCommand(name);
  if (row == nullptr) return {};
  std::string out = "Usage: zandrel-gen ";
  out.append(row->Name).append(" ").append(row->Synopsis).push_back('\n');
  out.append(row->Description).push_back('\n');
  std::vector<const OptionRow*> options;
  for (const OptionRow& option : row->Options) options.push_back(&option);
  AppendOptions(out, options);
  out.push_back('\n');
  AppendWrapped(out, "Exit status:", row->ExitStatus, 0);
  return out;
}

std::string BashCompletion() {
  std::string out(CompletionHead);
  std::vector<std::string_view> names;
  for (const CommandRow& row : Commands()) names.push_back(row.Name);
  out.append("  if ((COMP_CWORD == 1)); then\n    COMPREPLY=($(compgen -W '")
      .append(Joined(names))
      .append(" --help --version' -- \"$cur\"))\n    return\n  fi\n\n");

  out.append("  local command=${COMP_WORDS[1]} options valued\n  case $command in\n");
  for (const CommandRow& row : Commands()) {
    std::vector<std::string_view> words;
    std::vector<std::string_view> valued;
    for (const OptionRow& option : row.Options) {
      words.push_back(Word(option));
      if (option.Value.empty()) continue;
      for (const std::string_view spelling : {option.Short, option.Long})
        if (!spelling.empty()) valued.push_back(spelling);
    }
    out.append("    ").append(row.Name).append(")\n      options='").append(Joined(words));
    out.append("'\n      valued='").append(Joined(valued)).append("'\n      ;;\n");
  }
  out.append("    *) return ;;\n  esac\n\n");

  // A value after an option that takes one.
  out.append("  case $command:${COMP_WORDS[COMP_CWORD - 1]} in\n");
  for (const CommandRow& row : Commands())
    for (const OptionRow& option : row.Options) {
      if (option.Value.empty()) continue;
      std::vector<std::string> patterns;
      for (const std::string_view spelling : {option.Short, option.Long})
        if (!spelling.empty())
          patterns.push_back(std::string(row.Name) + ":" + std::string(spelling));
      out.append("    ").append(patterns[0]);
      if (patterns.size() > 1) out.append(" | ").append(patterns[1]);
      out.append(")\n        ").append(Completing(option.Completes)).append("\n        return\n");
      out.append("        ;;\n");
    }
  out.append("  esac\n\n").append(CompletionTail);
  for (const CommandRow& row : Commands())
    for (std::size_t i = 0; i < row.OperandKinds.size(); ++i) {
      if (row.OperandKinds[i] == Completion::Nothing) continue;
      out.append("    ").append(row.Name).append(":").append(std::to_string(i + 1));
      out.append(") ").append(Completing(row.OperandKinds[i])).append(" ;;\n");
    }
  out.append("  esac\n}\n\ncomplete -F _zandrel_gen zandrel-gen\n");
  return out;
}

}  // namespace zandrel::cli
