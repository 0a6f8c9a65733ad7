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

}  // namespace zandrel
