#pragma once

// The class description being edited, as one object the windows bind to: the name, the member
// table, the options, the target and naming form, and the collected enumerations. Build, the
// preview, Save and undo read it here, never from the controls.

#include <QObject>
#include <string>

#include "classgen/class_description.h"

namespace zandrel {

class DescriptionModel : public QObject {
  Q_OBJECT

 public:
  explicit DescriptionModel(QObject* parent = nullptr);

  // The whole description, as Build, the preview and Save read it.
  const ClassInput& Input() const { return input_; }
  const std::string& NameText() const { return input_.NameText; }
  // row and column from 0.
  const std::string& Cell(int row, int column) const;
  const GenerationOptions& Options() const { return input_.Options; }
  const InsertionList& HeaderInsertions() const { return input_.HeaderInsertions; }
  // True when the collected enumerations already hold exactly this text.
  bool HoldsInsertion(const std::string& text) const;

  void SetNameText(std::string text);
  void SetCell(int row, int column, std::string text);
  void SetOption(bool GenerationOptions::*option, bool ticked);
  void SetComparisonLevel(ComparisonLevel level);
  void SetNameForm(NameForm form);
  void SetTargetSystem(TargetSystem system);
  void SetHeaderInsertions(InsertionList insertions);
  // The whole description at once; each part that changed says so.
  void SetInput(const ClassInput& input);

 signals:
  void NameTextChanged();
  void CellsChanged();
  // A tick, the comparison level or the naming form.
  void OptionsChanged();
  void TargetSystemChanged();
  void HeaderInsertionsChanged();
  // After any of the above.
  void Changed();

 private:
  ClassInput input_;
};

}  // namespace zandrel
