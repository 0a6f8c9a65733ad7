#pragma once

#include <QAbstractButton>
#include <QButtonGroup>
#include <QCheckBox>
#include <QLineEdit>
#include <QSettings>
#include <string>
#include <utility>

#include "classgen/targets.h"
#include "desktop/choice_box.h"
#include "desktop/live_edit_grid.h"
#include "enumgen/genenum.h"
#include "feedback/userlog.h"
#include "shell/tform1.h"
#include "tests/support/qt/fake_services.h"
#include "tests/support/qt/main_window_access.h"
#include "tests/support/qt/window_fixtures.h"

namespace zandrel::testing {

// Points the settings (the recent files) into the test's folder, never the user's.
struct TestSettings {
  explicit TestSettings(const TempFolder& folder) {
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       QString::fromStdString(folder.Path("settings")));
  }
};

// The three windows as start-up makes them, on scripted services, with a folder for their files;
// made afresh for each test function.
struct MainWindowFixture {
  FakeServices Services;
  TempFolder Folder;
  TestSettings Settings{Folder};
  TForm1 Form1{Services};
  TGenEnumForm GenEnumForm{Services, Form1};
  TUserLogWindow UserLogWindow{Services};

  MainWindowFixture() { Form1.SetCompanions(&GenEnumForm, &UserLogWindow); }
  std::string Path(const std::string& leaf) const { return Folder.Path(leaf); }
};

// Enters the description into the main window as a user would: the name, each member in its row,
// the options, the naming form and the system picked from their boxes, and the header insertions
// handed over.
inline void EnterDescription(TForm1& form, const ClassDescription& description) {
  TForm1Ui& ui = UiOf(form);
  const auto text = [](const std::string& typed) { return QString::fromStdString(typed); };
  ui.NameEdit->setText(text(description.ClassName));
  for (const MemberRow& row : description.Members) {
    SetCell(ui.StringGrid1, row.RowNumber, 0, text(row.Type));
    SetCell(ui.StringGrid1, row.RowNumber, 1, text(row.Name));
    SetCell(ui.StringGrid1, row.RowNumber, 2, text(row.InitialValue));
  }
  const GenerationOptions& options = description.Options;
  for (QAbstractButton* item : ui.RadioGroup1Items->buttons())
    if (item->property("Value").value<ComparisonLevel>() == options.ComparisonLevel) item->click();
  for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
    ui.OptionChecks[row]->setChecked(options.*FlagOptions[row].Field);
  Pick(ui.FormBox, ui.FormBox->itemText(static_cast<int>(options.NameForm)));
  Pick(ui.SystemBox, ui.SystemBox->itemText(TargetRow(options.TargetSystem)));
  // Each hand-over put its type name into the first empty Type cell; the rows hold only what
  // the description holds.
  for (const HeaderInsertion& insertion : description.HeaderInsertions.Records())
    form.AcceptEnumeration(insertion);
  for (int row = 1; row <= MemberGridRows; ++row)
    if (!Cell(ui.StringGrid1, row, 0).isEmpty()) SetCell(ui.StringGrid1, row, 0, QString());
  for (const MemberRow& row : description.Members)
    SetCell(ui.StringGrid1, row.RowNumber, 0, text(row.Type));
}

}  // namespace zandrel::testing
