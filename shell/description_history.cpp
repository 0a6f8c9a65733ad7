#include "shell/description_history.h"

#include <QScopeGuard>
#include <QUndoCommand>
#include <utility>

#include "document/description_model.h"

namespace zandrel {

namespace {

// One step: the description before and after one user action.
class DescriptionCommand : public QUndoCommand {
 public:
  DescriptionCommand(DescriptionHistory& history, const QString& text, std::optional<int> field,
                     ClassInput before, ClassInput after)
      : QUndoCommand(text),
        history_(history),
        field_(field),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void undo() override { history_.Apply(before_); }
  void redo() override { history_.Apply(after_); }

  int id() const override { return field_ ? 1 : -1; }

  bool mergeWith(const QUndoCommand* other) override {
    const auto* typing = static_cast<const DescriptionCommand*>(other);
    if (typing->field_ != field_) return false;
    after_ = typing->after_;
    // Typing that ends where it began leaves no step behind.
    setObsolete(before_ == after_);
    return true;
  }

 private:
  DescriptionHistory& history_;
  std::optional<int> field_;
  ClassInput before_;
  ClassInput after_;
};

}  // namespace

DescriptionHistory::DescriptionHistory(DescriptionModel& model)
    : model_(model), stack_(std::make_unique<QUndoStack>()) {}

DescriptionHistory::~DescriptionHistory() {
  // The window going with the history must hear nothing of the steps going with it.
  stack_->blockSignals(true);
}

void DescriptionHistory::Change(const QString& text, const Edit& edit,
                                std::optional<int> typingField) {
  if (applying_) return;
  ClassInput after = model_.Input();
  edit(after);
  if (after == model_.Input()) return;
  // The push applies the new description through the step's redo.
  stack_->push(new DescriptionCommand(*this, text, typingField, model_.Input(), std::move(after)));
}

void DescriptionHistory::Reset(const ClassInput& input) {
  stack_->clear();
  Apply(input);
  stack_->setClean();
}

void DescriptionHistory::Apply(const ClassInput& input) {
  applying_ = true;
  const auto applied = qScopeGuard([this] { applying_ = false; });
  model_.SetInput(input);
}

}  // namespace zandrel
