#pragma once

// The undo history of the class description: every change the user makes to it is one step on a
// QUndoStack, holding the description before and after. Typing into one field (the class name or
// one cell) merges into one step.

#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "classgen/class_description.h"
#include "shell/member_table.h"

namespace zandrel {

// Everything the description holds, as the main window shows it. The texts handed over by the
// enumeration dialog are shared between states, not copied with every keystroke.
struct DescriptionState {
  std::string NameText;
  MemberTable Table{};
  GenerationOptions Options;
  InsertionList HeaderInsertions;
};

bool SameDescription(const DescriptionState& a, const DescriptionState& b);
DescriptionState StateOf(const ClassInput& input);

// What a step changed, in the words of its Undo and Redo actions; field tells which text was
// typed into (-1 the class name, 0 to 56 a cell by row * 3 + column) when the step is typing.
struct ChangeKind {
  QString Text;
  std::optional<int> Field;
};
ChangeKind KindOfChange(const DescriptionState& before, const DescriptionState& after);

class DescriptionHistory {
 public:
  using Read = std::function<DescriptionState()>;
  using Show = std::function<void(const DescriptionState&)>;

  // read gives the description as the controls hold it; show puts a state into the controls.
  DescriptionHistory(Read read, Show show);
  ~DescriptionHistory();

  QUndoStack* Stack() const { return stack_.get(); }

  // Takes whatever the user changed since the last step as a new step. Does nothing while a
  // state is being shown, so showing one never records itself.
  void Record();
  // Shows the state and makes it one step named text.
  void Change(const QString& text, const DescriptionState& after);
  // Starts anew from the state the controls hold: no steps, nothing to save.
  void Reset();
  // Shows a step's state; the state recorded last becomes that one.
  void ShowState(const DescriptionState& state);

 private:
  void Push(const QString& text, std::optional<int> field, DescriptionState before,
            const DescriptionState& after);

  Read read_;
  Show show_;
  std::unique_ptr<QUndoStack> stack_;
  DescriptionState recorded_;
  bool showing_ = false;
};

}  // namespace zandrel
