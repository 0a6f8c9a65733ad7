#include "cli/cli_common.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>
#include <variant>

#include "classgen/insertion_fit.h"
#include "core/output_text.h"
#include "headerimport/header_import.h"

namespace zandrel::cli {

namespace {

bool outputFailed = false;
bool printedAny = false;  // closing an output nothing was written to cannot lose anything

bool OutputFailure(int error) {
  if (!outputFailed)
    PrintFileError(DescribeFailure({"standard output", std::strerror(error != 0 ? error : EIO)}));
  outputFailed = true;
  return false;
}

// Standard input is read up to one byte past the limit, so that a larger input is refused
// without waiting for all of it.
std::string ReadStandardInput() {
  std::string text;
  char buffer[65536];
  for (;;) {
    const ssize_t got = ::read(STDIN_FILENO, buffer, sizeof buffer);
    if (got == 0) return text;
    if (got < 0 && errno == EINTR) continue;
    if (got < 0)
      throw UnreadableInput(DescribeReadFailure({"standard input", std::strerror(errno)}));
    text.append(buffer, static_cast<std::size_t>(got));
    if (text.size() > JsonFileLimit)
      throw UnreadableInput(DescribeReadFailure(
          {"standard input",
           "larger than the " + std::to_string(JsonFileLimit >> 20) + " MiB limit"}));
  }
}

}  // namespace

std::string DocumentName(const std::string& path) { return path == "-" ? "standard input" : path; }

std::string LoadJsonFile(const std::string& path) {
  if (path == "-") return ReadStandardInput();
  auto read = ReadInputFile(path, JsonFileLimit);
  if (const auto* failure = std::get_if<FileFailure>(&read))
    throw UnreadableInput(DescribeReadFailure(*failure));
  return std::get<std::string>(std::move(read));
}

void PrintError(const std::string& line) {
  std::fputs(line.c_str(), stderr);
  std::fputc('\n', stderr);
}

void PrintFileError(const std::string& message) { PrintError("zandrel-gen: " + message); }

bool PrintOutput(std::string_view text) {
  if (text.empty()) return !outputFailed;
  printedAny = true;
  errno = 0;
  if (std::fwrite(text.data(), 1, text.size(), stdout) != text.size()) return OutputFailure(errno);
  if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) return OutputFailure(errno);
  return true;
}

bool CloseOutput() {
  errno = 0;
  const bool clean = std::ferror(stdout) == 0;
  if ((std::fclose(stdout) != 0 && printedAny) || !clean) return OutputFailure(errno);
  return true;
}

CommandLine ParseCommandLine(const Arguments& arguments, bool withStdout) {
  CommandLine line;
  std::string chosen;
  bool optionsEnd = false;
  for (const std::string& argument : arguments) {
    if (optionsEnd || argument == "-" || !argument.starts_with("-")) {
      line.Operands.push_back(argument);
      continue;
    }
    Delivery delivery = Delivery::Write;
    if (argument == "--") {
      optionsEnd = true;
      continue;
    }
    if (argument == "-h" || argument == "--help") {
      line.Help = true;
      continue;
    }
    if (argument == "--check") {
      delivery = Delivery::Check;
    } else if (argument == "--dry-run") {
      delivery = Delivery::DryRun;
    } else if (argument == "--stdout" && withStdout) {
      delivery = Delivery::Stdout;
    } else {
      throw UsageError("unknown option \"" + argument + "\" (try --help)");
    }
    if (!chosen.empty() && chosen != argument)
      throw UsageError(chosen + " and " + argument + " cannot be used together");
    chosen = argument;
    line.Mode = delivery;
  }
  return line;
}

bool TakeClangFlag(const Arguments& arguments, std::size_t& i, ClangFlags& flags,
                   std::string_view command) {
  const std::string& a = arguments[i];
  const bool apart = a == "-I" || a == "-D" || a == "-p";
  if (apart && (i + 1 >= arguments.size() || arguments[i + 1].empty()))
    throw UsageError(std::string(command) + ": " + a + " needs a value");
  if (a == "-p")
    flags.BuildDir = arguments[++i];
  else if (apart)
    flags.CompilerArguments.push_back(a + arguments[++i]);
  else if ((a.starts_with("-I") || a.starts_with("-D")) && a.size() > 2)
    flags.CompilerArguments.push_back(a);
  else
    return false;
  return true;
}

std::vector<std::string> ClangArguments(const ClangFlags& flags, const std::string& headerPath) {
  if (flags.BuildDir.empty()) return flags.CompilerArguments;
  std::vector<std::string> arguments = FlagsFromBuildFolder(flags.BuildDir, headerPath);
  arguments.insert(arguments.end(), flags.CompilerArguments.begin(), flags.CompilerArguments.end());
  return arguments;
}

void WarnOfMismatches(const ClassDescription& description, const std::string& where) {
  for (const InsertionMismatch& mismatch : InsertionMismatches(description))
    PrintError("zandrel-gen: warning: " + (where.empty() ? "" : where + ": ") + mismatch.Message);
}

}  // namespace zandrel::cli
