#pragma once

#include <string>

namespace zandrel {

// What the enumeration dialog needs of the main window.
class EnumerationReceiver {
 public:
  virtual ~EnumerationReceiver() = default;
  // Shows the main window, appends text to HeaderInsertions, puts typeName in the first empty
  // Type cell. The text is taken over, not copied: it may be an enumeration of a million names.
  virtual void AcceptEnumeration(const std::string& typeName, std::string text) = 0;
  // Shows the main window again (Cancel, or the dialog closed by its frame).
  virtual void ShowMainWindow() = 0;
  virtual bool HoldsInsertion(const std::string& text) const = 0;
};

}  // namespace zandrel
