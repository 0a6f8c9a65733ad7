#pragma once

#include <string>

#include "enumgen/genenum.h"
#include "feedback/userlog.h"
#include "shell/tform1.h"
#include "tests/support/qt/fake_services.h"
#include "tests/support/qt/window_fixtures.h"

namespace zandrel::testing {

// The three windows as start-up makes them, on scripted services, with a folder for their files;
// made afresh for each test function.
struct MainWindowFixture {
  FakeServices Services;
  TempFolder Folder;
  TForm1 Form1{Services};
  TGenEnumForm GenEnumForm{Services, Form1};
  TUserLogWindow UserLogWindow{Services};

  MainWindowFixture() { Form1.SetCompanions(&GenEnumForm, &UserLogWindow); }
  std::string Path(const std::string& leaf) const { return Folder.Path(leaf); }
};

}  // namespace zandrel::testing
