// The controls bound to the description model: each control's change is one undoable step on
// the model, and each change of the model, whoever made it, shows in the controls.

#include <QAction>
#include <QButtonGroup>
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
#include "shell/member_table.h"
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
  connect(ui.StringGrid1, &LiveEditGrid::Edited, this, &TForm1::GridEdited);
  connect(ui.RadioGroup1Items, &QButtonGroup::idToggled, this, [&history](int id, bool checked) {
    if (!checked) return;
    history.Change(tr("Comparisons"), [id](ClassInput& input) {
      input.Options.ComparisonLevel = static_cast<ComparisonLevel>(id);
    });
  });
  for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
    connect(ui.OptionChecks[row], &QCheckBox::toggled, this,
            [&history, &option = FlagOptions[row]](bool ticked) {
              history.Change(tr(option.UndoName),
                             [field = option.Field, ticked](ClassInput& input) {
                               input.Options.*field = ticked;
                             });
            });
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

  connect(model_, &DescriptionModel::NameTextChanged, this, &TForm1::ShowName);
  connect(model_, &DescriptionModel::CellsChanged, this, &TForm1::ShowCells);
  connect(model_, &DescriptionModel::OptionsChanged, this, &TForm1::ShowOptions);
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

  // The text fields' own undo would bypass the description's history.
  for (QWidget* field : QList<QWidget*>{ui.NameEdit, ui.SystemBox, ui.SystemBox->lineEdit(),
                                        ui.FormBox, ui.FormBox->lineEdit()})
    field->installEventFilter(this);

  ShowName();
  ShowCells();
  ShowOptions();
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

void TForm1::ShowCells() {
  LiveEditGrid* grid = ui_->StringGrid1;
  const auto shows = [&](int row, int column) {
    return grid->CellText(row, column) == Text(model_->Cell(row, column));
  };
  bool same = true;
  for (int row = 0; row < MemberGridRows && same; ++row)
    for (int column = 0; column < 3 && same; ++column) same = shows(row, column);
  // The cell being typed into already shows what the model took from it.
  if (same) return;
  // An open editor would go on showing the text from before.
  FinishCellEdit(false);
  const QSignalBlocker quiet(grid);
  for (int row = 0; row < MemberGridRows; ++row)
    for (int column = 0; column < 3; ++column)
      if (!shows(row, column)) grid->item(row, column)->setText(Text(model_->Cell(row, column)));
}

void TForm1::ShowOptions() {
  const GenerationOptions& options = model_->Options();
  if (QAbstractButton* item =
          ui_->RadioGroup1Items->button(static_cast<int>(options.ComparisonLevel)))
    item->setChecked(true);
  for (std::size_t row = 0; row < std::size(FlagOptions); ++row)
    ui_->OptionChecks[row]->setChecked(options.*FlagOptions[row].Field);
  ui_->FormBox->Accept(static_cast<int>(options.NameForm));
}

void TForm1::ShowTarget() {
  ui_->SystemBox->Accept(TargetRow(SelectedSystem()));
  SystemChosen();
}

void TForm1::GridEdited() {
  LiveEditGrid* grid = ui_->StringGrid1;
  const QModelIndex at = grid->currentIndex();
  if (at.isValid() && grid->indexWidget(at) != nullptr) {
    const std::string typed = grid->CellText(at.row(), at.column()).toStdString();
    // Text with a tab or line break typed or pasted into the open cell goes over the cells.
    if (SpansCells(typed)) {
      FinishCellEdit(false);
      PasteAt({at.row(), at.column()}, typed);
      return;
    }
  }
  std::vector<CellPosition> changed;
  for (int row = 0; row < MemberGridRows; ++row)
    for (int column = 0; column < 3; ++column)
      if (grid->CellText(row, column).toStdString() != model_->Cell(row, column))
        changed.push_back({row, column});
  if (changed.empty()) return;
  const auto edit = [grid, changed](ClassInput& input) {
    for (const CellPosition& cell : changed)
      input.Grid[cell.Row][cell.Column] = grid->CellText(cell.Row, cell.Column).toStdString();
  };
  if (changed.size() == 1)
    history_->Change(tr("Typing in Row %1").arg(changed[0].Row + 1), edit,
                     CellField(changed[0].Row, changed[0].Column));
  else
    history_->Change(tr("Changes"), edit);
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
