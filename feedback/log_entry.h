#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/output_text.h"
#include "feedback/timedate.h"

namespace zandrel {

// The record a caller hands to the log window for one showing.
struct UserLogParms {
  std::string Prompt;
  std::string LogFileName;
  std::string ContextLine;
};

// One log entry: stamp line, optional context line, "User comments:", the lines, two empty lines.
std::string FormatLogEntry(const DateTimeStamp& stamp, const std::string& ContextLine,
                           const std::vector<std::string>& commentLines);

// Appends one entry stamped now; the file is created when absent and never truncated.
std::optional<FileFailure> WriteLogEntry(const std::string& LogFileName,
                                         const std::string& ContextLine,
                                         const std::vector<std::string>& commentLines);

// The log file of "Log an error or comment": a Zandrel_Log.log in the home folder that exists
// already keeps being used, so that no one's log is split; otherwise the one in stateHome/zandrel/,
// stateHome being $XDG_STATE_HOME, or home/.local/state when that is unset, empty or relative (as
// the XDG base directory rules say).
std::string UserLogFilePath(const std::string& home, const std::string& stateHome,
                            bool homeLogExists);

}  // namespace zandrel
