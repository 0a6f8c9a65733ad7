#include "document/description_model.h"

#include <utility>

namespace zandrel {

namespace {

bool InTable(int row, int column) {
  return row >= 0 && row < MemberGridRows && column >= 0 && column < 3;
}

}  // namespace

DescriptionModel::DescriptionModel(QObject* parent) : QObject(parent) {}

const std::string& DescriptionModel::Cell(int row, int column) const {
  static const std::string none;
  return InTable(row, column) ? input_.Grid[row][column] : none;
}

bool DescriptionModel::HoldsInsertion(const std::string& text) const {
  for (const std::string& held : input_.HeaderInsertions)
    if (held.size() == text.size() && held == text) return true;
  return false;
}

void DescriptionModel::SetNameText(std::string text) {
  ClassInput changed = input_;
  changed.NameText = std::move(text);
  SetInput(changed);
}

void DescriptionModel::SetCell(int row, int column, std::string text) {
  if (!InTable(row, column)) return;
  ClassInput changed = input_;
  changed.Grid[row][column] = std::move(text);
  SetInput(changed);
}

void DescriptionModel::SetOption(bool GenerationOptions::*option, bool ticked) {
  ClassInput changed = input_;
  changed.Options.*option = ticked;
  SetInput(changed);
}

void DescriptionModel::SetComparisonLevel(ComparisonLevel level) {
  ClassInput changed = input_;
  changed.Options.ComparisonLevel = level;
  SetInput(changed);
}

void DescriptionModel::SetNameForm(NameForm form) {
  ClassInput changed = input_;
  changed.Options.NameForm = form;
  SetInput(changed);
}

void DescriptionModel::SetTargetSystem(TargetSystem system) {
  ClassInput changed = input_;
  changed.Options.TargetSystem = system;
  SetInput(changed);
}

void DescriptionModel::SetHeaderInsertions(InsertionList insertions) {
  ClassInput changed = input_;
  changed.HeaderInsertions = std::move(insertions);
  SetInput(changed);
}

void DescriptionModel::SetInput(const ClassInput& input) {
  // Copying the description copies no collected text: the list shares them.
  const bool name = input.NameText != input_.NameText;
  const bool cells = input.Grid != input_.Grid;
  GenerationOptions otherOptions = input.Options;
  otherOptions.TargetSystem = input_.Options.TargetSystem;
  const bool options = otherOptions != input_.Options;
  const bool target = input.Options.TargetSystem != input_.Options.TargetSystem;
  const bool insertions = !(input.HeaderInsertions == input_.HeaderInsertions);
  if (!name && !cells && !options && !target && !insertions) return;
  input_ = input;
  if (name) emit NameTextChanged();
  if (cells) emit CellsChanged();
  if (options) emit OptionsChanged();
  if (target) emit TargetSystemChanged();
  if (insertions) emit HeaderInsertionsChanged();
  emit Changed();
}

}  // namespace zandrel
