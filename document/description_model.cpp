#include "document/description_model.h"

#include <utility>

namespace zandrel {

namespace {

bool InTable(const ClassInput& input, int row, int column) {
  return row >= 0 && row < static_cast<int>(input.Grid.size()) && column >= 0 &&
         column < MemberGridColumns;
}

// The description with one edit made; copying it copies no collected text, the list shares them.
template <typename Edit>
ClassInput With(const ClassInput& input, Edit edit) {
  ClassInput changed = input;
  edit(changed);
  return changed;
}

}  // namespace

DescriptionModel::DescriptionModel(QObject* parent) : QObject(parent) {}

const std::string& DescriptionModel::Cell(int row, int column) const {
  static const std::string none;
  return InTable(input_, row, column) ? input_.Grid[row][column] : none;
}

bool DescriptionModel::HoldsInsertion(const std::string& text) const {
  for (const std::string& held : input_.HeaderInsertions)
    if (held.size() == text.size() && held == text) return true;
  return false;
}

void DescriptionModel::SetNameText(std::string text) {
  SetInput(With(input_, [&](ClassInput& input) { input.NameText = std::move(text); }));
}

void DescriptionModel::SetCell(int row, int column, std::string text) {
  if (InTable(input_, row, column))
    SetInput(With(input_, [&](ClassInput& input) { input.Grid[row][column] = std::move(text); }));
}

void DescriptionModel::SetOption(bool GenerationOptions::*option, bool ticked) {
  SetInput(With(input_, [&](ClassInput& input) { input.Options.*option = ticked; }));
}

void DescriptionModel::SetComparisonLevel(ComparisonLevel level) {
  SetInput(With(input_, [&](ClassInput& input) { input.Options.ComparisonLevel = level; }));
}

void DescriptionModel::SetNameForm(NameForm form) {
  SetInput(With(input_, [&](ClassInput& input) { input.Options.NameForm = form; }));
}

void DescriptionModel::SetTargetSystem(TargetSystem system) {
  SetInput(With(input_, [&](ClassInput& input) { input.Options.TargetSystem = system; }));
}

void DescriptionModel::SetHeaderInsertions(InsertionList insertions) {
  SetInput(
      With(input_, [&](ClassInput& input) { input.HeaderInsertions = std::move(insertions); }));
}

void DescriptionModel::SetInput(const ClassInput& given) {
  // The table never has fewer rows than it starts with.
  ClassInput input = given;
  if (input.Grid.size() < static_cast<std::size_t>(MemberGridRows))
    input.Grid.resize(MemberGridRows);
  const bool name = input.NameText != input_.NameText;
  const bool cells = input.Grid != input_.Grid;
  GenerationOptions otherOptions = input.Options;
  otherOptions.TargetSystem = input_.Options.TargetSystem;
  const bool options = otherOptions != input_.Options;
  const bool target = input.Options.TargetSystem != input_.Options.TargetSystem;
  const bool insertions = !(input.HeaderInsertions == input_.HeaderInsertions);
  if (!name && !cells && !options && !target && !insertions) return;
  input_ = std::move(input);
  if (name) emit NameTextChanged();
  if (cells) emit CellsChanged();
  if (options) emit OptionsChanged();
  if (target) emit TargetSystemChanged();
  if (insertions) emit HeaderInsertionsChanged();
  emit Changed();
}

}  // namespace zandrel
