#pragma once

// The undo history of the class description: each action that changes the description makes one
// step on a QUndoStack, named by that action ("Undo Target System", "Undo Paste"). Typing into
// one field (the class name or one cell) merges into one step.

#include <QString>
#include <QUndoStack>
#include <functional>
#include <memory>
#include <optional>

#include "classgen/class_description.h"

namespace zandrel {

class DescriptionModel;

// Which text a typing step types into, so that its keystrokes merge: the class name, or a cell.
inline constexpr int NameField = -1;
constexpr int CellField(int row, int column) { return row * MemberGridColumns + column; }

class DescriptionHistory {
 public:
  using Edit = std::function<void(ClassInput&)>;

  explicit DescriptionHistory(DescriptionModel& model);
  ~DescriptionHistory();

  QUndoStack* Stack() const { return stack_.get(); }

  // Applies edit to the description as one step named text; steps typing into the same field
  // merge. Nothing happens when the edit changes nothing, nor while a step is being undone or
  // redone (the controls following the model report what they already show).
  void Change(const QString& text, const Edit& edit, std::optional<int> typingField = {});
  // Starts anew from this description: no steps, nothing to save.
  void Reset(const ClassInput& input);

  // Used by the steps: puts a description into the model without recording it.
  void Apply(const ClassInput& input);

 private:
  DescriptionModel& model_;
  std::unique_ptr<QUndoStack> stack_;
  bool applying_ = false;
};

}  // namespace zandrel
