#pragma once

// The enumeration dialog's and the log window's controls, for tests only: other code talks to
// them through their operations.

#include "enumgen/genenum.h"
#include "feedback/userlog.h"

namespace zandrel::testing {

struct TGenEnumFormAccess {
  static TGenEnumFormUi& Ui(TGenEnumForm& form) { return form; }
};

struct TUserLogWindowAccess {
  static TUserLogWindowUi& Ui(TUserLogWindow& window) { return window; }
};

inline TGenEnumFormUi& UiOf(TGenEnumForm& form) { return TGenEnumFormAccess::Ui(form); }
inline const TGenEnumFormUi& UiOf(const TGenEnumForm& form) {
  return TGenEnumFormAccess::Ui(const_cast<TGenEnumForm&>(form));
}
inline TUserLogWindowUi& UiOf(TUserLogWindow& window) { return TUserLogWindowAccess::Ui(window); }
inline const TUserLogWindowUi& UiOf(const TUserLogWindow& window) {
  return TUserLogWindowAccess::Ui(const_cast<TUserLogWindow&>(window));
}

}  // namespace zandrel::testing
