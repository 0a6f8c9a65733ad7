// The main window's collected enumerations: each command one undoable step on the description.

#include <algorithm>
#include <memory>

#include "document/description_model.h"
#include "enumgen/genenum.h"
#include "shell/collected_enumerations.h"
#include "shell/description_history.h"
#include "shell/tform1.h"
#include "shell/tform1_ui.h"

namespace zandrel {

void TForm1::ChangeInsertions(const QString& text, InsertionList insertions, int selected) {
  history_->Change(
      text, [&insertions](ClassInput& input) { input.HeaderInsertions = std::move(insertions); });
  if (ui_->EnumerationList != nullptr)
    ui_->EnumerationList->ShowInsertions(HeaderInsertions(), selected);
}

void TForm1::ReopenEnumeration(int insertion) {
  if (insertion < 0 || insertion >= static_cast<int>(HeaderInsertions().size())) return;
  const auto entry = static_cast<std::size_t>(insertion);
  const std::shared_ptr<const EnumerationRequest> request =
      HeaderInsertions().Record(entry).Request;
  if (request == nullptr) return;
  // Only the dialog shows while it is open, so the entry stays where the dialog will put it back.
  ui_->EnumerationList->hide();
  // The dialog keeps the style it was opened in; the request may choose the box's style over it.
  OpenEnumerationDialog(GenEnumForm()->Style());
  GenEnumForm()->Reopen(*request, entry);
}

void TForm1::ShowEnumerations() {
  if (ui_->EnumerationList == nullptr) {
    ui_->EnumerationList = new CollectedEnumerations(this);
    // Undo and redo answer there too.
    ui_->EnumerationList->addActions({ui_->UndoAction, ui_->RedoAction});
    connect(ui_->EnumerationList, &CollectedEnumerations::RemoveRequested, this,
            [this](int insertion) {
              InsertionList insertions = HeaderInsertions();
              if (insertion < 0 || insertion >= static_cast<int>(insertions.size())) return;
              insertions.RemoveAt(static_cast<std::size_t>(insertion));
              const int next = std::min(insertion, static_cast<int>(insertions.size()) - 1);
              ChangeInsertions(tr("Remove Enumeration"), std::move(insertions), next);
            });
    connect(ui_->EnumerationList, &CollectedEnumerations::ReopenRequested, this,
            &TForm1::ReopenEnumeration);
    connect(ui_->EnumerationList, &CollectedEnumerations::MoveRequested, this,
            [this](int insertion, int step) {
              const int to = insertion + step;
              InsertionList insertions = HeaderInsertions();
              if (insertion < 0 || to < 0 || to >= static_cast<int>(insertions.size())) return;
              insertions.SwapAt(static_cast<std::size_t>(insertion), static_cast<std::size_t>(to));
              ChangeInsertions(tr("Move Enumeration"), std::move(insertions), to);
            });
  }
  ui_->EnumerationList->ShowInsertions(HeaderInsertions(),
                                       static_cast<int>(HeaderInsertions().size()) - 1);
  ui_->EnumerationList->show();
  ui_->EnumerationList->raise();
  ui_->EnumerationList->activateWindow();
}

}  // namespace zandrel
