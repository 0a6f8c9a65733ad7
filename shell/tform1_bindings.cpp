// The controls bound to the description model: each control's change is one undoable step on
// the model, and each change of the model, whoever made it, shows in the controls.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QSignalBlocker>
#include <QTabBar>
#include <QUndoStack>
#include <algorithm>

#include "classgen/class_build.h"
#include "classgen/insertion_fit.h"
#include "classgen/name_checks.h"
#include "classgen/targets.h"
#include "desktop/choice_box.h"
#include "desktop/file_preview.h"
#include "desktop/live_edit_grid.h"
#include "document/description_model.h"
#include "shell/collected_enumerations.h"
#include "shell/description_history.h"
#include "shell/member_table_editor.h"
#include "shell/options_panel.h"
#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel {

namespace {

QString Text(const std::string& text) { return QString::fromStdString(text); }

// The target table names its files' tabs in English; the enumeration dialog's translations of
// "Header" and "Source" serve here too, and "Java" stays as it is.
std::string TabTitle(std::string_view name) {
  return QCoreApplication::translate("zandrel::TGenEnumForm", std::string(name).c_str())
      .toStdString();
}

// The files Build would write for this input, named as the save dialog would propose, or Build's
// refusal in their place; before a class name is typed, a quiet note.
std::vector<PreviewPage> PreviewPages(const ClassInput& input) {
  std::vector<PreviewPage> pages;
  const std::optional<ClassDescription> description = ReadClassDescription(input);
  if (!description) {
    const SharedText note = ShareText(
        input.NameText.empty()
            ? TForm1::tr("Type a class name to see the files Build will write.").toStdString()
            : std::string(ShortClassNameMessage));
    for (const TargetFile& file : TargetOf(input.Options.TargetSystem).Files)
      pages.push_back({TabTitle(file.TabName), {}, {note}});
    return pages;
  }
  for (ClassFileText& file : ClassFileTexts(*description, ProposedFileName(*description)))
    pages.push_back({TabTitle(file.TabName), std::move(file.Path), std::move(file.Text)});
  // Enumerations the target cannot use and names its language cannot take: a note after the
  // files, which stay where they were.
  const std::string mismatches = MismatchSummary(InsertionMismatches(*description));
  QString note;
  if (!mismatches.empty()) note = TForm1::tr("Note: %1.").arg(Text(mismatches));
  if (const NameVerdict names = CheckTargetNames(*description); !names.Problems.empty())
    note +=
        (note.isEmpty() ? QString() : QStringLiteral("\n")) +
        (names.Refused ? TForm1::tr("Build refuses these names: %1.") : TForm1::tr("Warning: %1."))
            .arg(Text(DescribeNameProblems(names.Problems)));
  if (!note.isEmpty())
    pages.push_back({TForm1::tr("Note").toStdString(), {}, {ShareText(note.toStdString())}});
  return pages;
}

}  // namespace

void TForm1::BindControls() {
  TForm1Ui& ui = *ui_;
  DescriptionHistory& history = *history_;
  connect(ui.NameEdit, &QLineEdit::textChanged, this, [&history](const QString& text) {
    history.Change(
        tr("Typing in Class Name"),
        [typed = text.toStdString()](ClassInput& input) { input.NameText = typed; }, NameField);
  });
  connect(ui.StringGrid1, &LiveEditGrid::Edited, this, [this] { table_->Edited(); });
  options_->Bind();
  const std::pair<QPushButton*, void (TForm1::*)()> buttons[] = {
      {ui.Button1, &TForm1::DoIt},    {ui.Button2, &TForm1::Clear},
      {ui.Button3, &TForm1::Closer},  {ui.Button4, &TForm1::EnumGen},
      {ui.Button5, &TForm1::LogIt},   {ui.EnumButton, &TForm1::EnumGen2},
      {ui.Button6, &TForm1::ConstSeq}};
  for (const auto& [button, handler] : buttons) {
    connect(button, &QPushButton::clicked, this, handler);
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
  }
  ui.Preview->CopyButton->setAutoDefault(true);
  // Copy by its button or its key says what it copied.
  connect(ui.Preview->CopyButton, &QPushButton::clicked, this, &TForm1::SayCopied);
  for (QShortcut* key : ui.Preview->findChildren<QShortcut*>())
    connect(key, &QShortcut::activated, this, &TForm1::SayCopied);
  connect(ui.SystemBox, &ChoiceBox::Accepted, this, &TForm1::SystemChanged);
  connect(ui.FormBox, &ChoiceBox::Accepted, this, &TForm1::FormChange);
  connect(ui.PreviewCheck, &QCheckBox::toggled, this, &TForm1::ShowPreview);
  // The text fields' own undo would bypass the description's history.
  for (QWidget* field : QList<QWidget*>{ui.NameEdit, ui.SystemBox, ui.SystemBox->lineEdit(),
                                        ui.FormBox, ui.FormBox->lineEdit()})
    field->installEventFilter(this);
  BindModel();
}

void TForm1::BindModel() {
  TForm1Ui& ui = *ui_;
  connect(model_, &DescriptionModel::NameTextChanged, this, &TForm1::ShowName);
  connect(model_, &DescriptionModel::CellsChanged, this, [this] { table_->Show(); });
  connect(model_, &DescriptionModel::OptionsChanged, this, [this] { options_->Show(); });
  connect(model_, &DescriptionModel::TargetSystemChanged, this, &TForm1::ShowTarget);
  connect(model_, &DescriptionModel::HeaderInsertionsChanged, this, [this] {
    if (ui_->EnumerationList != nullptr)
      ui_->EnumerationList->ShowInsertions(HeaderInsertions(),
                                           ui_->EnumerationList->SelectedInsertion());
  });
  // The preview is made from a copy of the description, on the preview's worker, once per burst
  // of changes and only while it shows.
  connect(model_, &DescriptionModel::Changed, ui.Preview,
          [preview = ui.Preview] { preview->Invalidate(); });
  ui.Preview->SetSource(
      [this] { return PreviewJob([input = model_->Input()] { return PreviewPages(input); }); });
  connect(History(), &QUndoStack::cleanChanged, this,
          [this](bool clean) { setWindowModified(!clean); });

  ShowName();
  table_->Show();
  options_->Show();
  ShowTarget();
}

void TForm1::SayCopied() {
  const QTabBar* tabs = ui_->Preview->findChild<QTabBar*>();
  const int page = tabs == nullptr ? 0 : std::max(tabs->currentIndex(), 0);
  QString copied = tabs == nullptr ? QString() : tabs->tabText(page);
  if (const auto description = ReadClassDescription(model_->Input())) {
    const std::vector<OutputFile> files =
        ClassOutputFiles(*description, ProposedFileName(*description));
    if (page < static_cast<int>(files.size()))
      copied =
          QFileInfo(QString::fromStdString(files[static_cast<std::size_t>(page)].Path)).fileName();
  }
  Say(tr("Copied %1").arg(copied));
}

void TForm1::ShowName() {
  const QString name = Text(model_->NameText());
  if (ui_->NameEdit->text() != name) ui_->NameEdit->setText(name);
}

void TForm1::ShowTarget() {
  options_->ShowTarget();
  SystemChosen();
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ShortcutOverride) {
    const auto* key = static_cast<QKeyEvent*>(event);
    for (const QAction* action : {ui_->UndoAction, ui_->RedoAction})
      if (action != nullptr && action->shortcuts().contains(QKeySequence(key->keyCombination())))
        return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

}  // namespace zandrel
