#pragma once

// The main window's controls, for tests only: other code talks to TForm1 through its operations.

#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel::testing {

struct TForm1Access {
  static TForm1Ui& Ui(TForm1& form) { return *form.ui_; }
};

inline TForm1Ui& UiOf(TForm1& form) { return TForm1Access::Ui(form); }

}  // namespace zandrel::testing
