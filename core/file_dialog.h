#pragma once

#include <string>

namespace zandrel {

// A save or open file dialog as the generators see it: what is set before it is shown and what is
// read afterwards. The windows hand in a real one; tests hand in one that answers by script.
class FileDialog {
 public:
  virtual ~FileDialog() = default;

  std::string Title;
  std::string FileName;  // proposed before Execute, the chosen path after a confirmed one
  std::string Filter;    // "Caption|pattern|Caption|pattern…"
  int FilterIndex = 1;   // 1-based entry of Filter

  // Shows the dialog modally; true when the user confirmed a file.
  virtual bool Execute() = 0;
};

}  // namespace zandrel
