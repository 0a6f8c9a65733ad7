#include "feedback/log_entry.h"

namespace zandrel {

std::string FormatLogEntry(const DateTimeStamp& stamp, const std::string& ContextLine,
                           const std::vector<std::string>& commentLines) {
  std::string text = stamp.DateText() + " " + stamp.TimeText() + "\n";
  if (!ContextLine.empty()) text += ContextLine + "\n";
  text += "User comments:\n";
  for (const std::string& line : commentLines) text += line + "\n";
  text += "\n\n";
  return text;
}

std::optional<FileFailure> WriteLogEntry(const std::string& LogFileName,
                                         const std::string& ContextLine,
                                         const std::vector<std::string>& commentLines) {
  DateTimeStamp stamp;
  stamp.Capture();
  return AppendOutputText(LogFileName, FormatLogEntry(stamp, ContextLine, commentLines));
}

std::string UserLogFilePath(const std::string& home, const std::string& stateHome,
                            bool homeLogExists) {
  const std::string leaf = "Zandrel_Log.log";
  if (homeLogExists) return home + "/" + leaf;
  const std::string state = stateHome.starts_with('/') ? stateHome : home + "/.local/state";
  return state + "/zandrel/" + leaf;
}

}  // namespace zandrel
