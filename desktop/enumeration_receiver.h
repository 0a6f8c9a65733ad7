#pragma once

#include <cstddef>
#include <string>

#include "core/header_insertion.h"

namespace zandrel {

// What the enumeration dialog needs of the main window.
class EnumerationReceiver {
 public:
  virtual ~EnumerationReceiver() = default;
  // Shows the main window, appends the record to HeaderInsertions, puts its type name in the
  // first empty Type cell. The text is taken over, not copied: it may be an enumeration of a
  // million names.
  virtual void AcceptEnumeration(HeaderInsertion insertion) = 0;
  // The same for an entry opened again: the record takes the place of HeaderInsertions[index].
  virtual void ReplaceEnumeration(std::size_t index, HeaderInsertion insertion) = 0;
  // Whether HeaderInsertions already holds exactly this text.
  virtual bool HoldsInsertion(const std::string& text) const = 0;
  // Shows the main window again (Cancel, or the dialog closed by its frame).
  virtual void ShowMainWindow() = 0;
};

}  // namespace zandrel
