#include "shell/description_history.h"

#include <QScopeGuard>
#include <QUndoCommand>
#include <tuple>
#include <utility>

namespace zandrel {

namespace {

auto Fields(const GenerationOptions& o) {
  return std::tie(o.ComparisonLevel, o.PrivateCopy, o.FrameworkLibrary, o.StdLib, o.MathLib,
                  o.CStrings, o.BigConstructor, o.ToStringMethod, o.NameForm, o.TargetSystem);
}

bool SameInsertions(const DescriptionState& a, const DescriptionState& b) {
  return a.HeaderInsertions == b.HeaderInsertions;
}

// One step: the description before and after one user action.
class DescriptionCommand : public QUndoCommand {
 public:
  DescriptionCommand(DescriptionHistory& history, const QString& text, std::optional<int> field,
                     DescriptionState before, DescriptionState after)
      : QUndoCommand(text),
        history_(history),
        field_(field),
        before_(std::move(before)),
        after_(std::move(after)) {}

  void undo() override { history_.ShowState(before_); }
  void redo() override {
    // The controls already hold the new state when the step is pushed.
    if (pushed_) history_.ShowState(after_);
    pushed_ = true;
  }

  int id() const override { return field_ ? 1 : -1; }

  bool mergeWith(const QUndoCommand* other) override {
    const auto* typing = static_cast<const DescriptionCommand*>(other);
    if (typing->field_ != field_) return false;
    after_ = typing->after_;
    // Typing that ends where it began leaves no step behind.
    setObsolete(SameDescription(before_, after_));
    return true;
  }

 private:
  DescriptionHistory& history_;
  std::optional<int> field_;
  DescriptionState before_;
  DescriptionState after_;
  bool pushed_ = false;
};

}  // namespace

bool SameDescription(const DescriptionState& a, const DescriptionState& b) {
  return a.NameText == b.NameText && a.Table == b.Table && Fields(a.Options) == Fields(b.Options) &&
         SameInsertions(a, b);
}

DescriptionState StateOf(const ClassInput& input) {
  return {input.NameText, input.Grid, input.Options, input.HeaderInsertions};
}

ChangeKind KindOfChange(const DescriptionState& before, const DescriptionState& after) {
  const GenerationOptions& was = before.Options;
  const GenerationOptions& is = after.Options;
  const bool sameOptions = Fields(was) == Fields(is);
  const bool sameInsertions = SameInsertions(before, after);
  std::vector<int> cells;
  for (int row = 0; row < MemberGridRows; ++row)
    for (int column = 0; column < 3; ++column)
      if (before.Table[row][column] != after.Table[row][column]) cells.push_back(row * 3 + column);
  const bool sameName = before.NameText == after.NameText;

  if (!sameName && cells.empty() && sameOptions && sameInsertions)
    return {QStringLiteral("Typing in Class Name"), -1};
  if (sameName && cells.size() == 1 && sameOptions && sameInsertions)
    return {QStringLiteral("Typing in Row %1").arg(cells.front() / 3 + 1), cells.front()};
  if (sameName && cells.empty() && sameInsertions) {
    if (was.TargetSystem != is.TargetSystem) return {QStringLiteral("Target System"), {}};
    if (was.NameForm != is.NameForm) return {QStringLiteral("Form of Names"), {}};
    if (was.ComparisonLevel != is.ComparisonLevel) return {QStringLiteral("Comparisons"), {}};
    return {QStringLiteral("Option"), {}};
  }
  if (sameName && cells.empty() && sameOptions)
    return {QStringLiteral("Collected Enumerations"), {}};
  return {QStringLiteral("Changes"), {}};
}

DescriptionHistory::DescriptionHistory(Read read, Show show)
    : read_(std::move(read)), show_(std::move(show)), stack_(std::make_unique<QUndoStack>()) {
  recorded_ = read_();
}

DescriptionHistory::~DescriptionHistory() {
  // The window going with the history must hear nothing of the steps going with it.
  stack_->blockSignals(true);
}

void DescriptionHistory::Record() {
  if (showing_) return;
  DescriptionState now = read_();
  if (SameDescription(now, recorded_)) return;
  const ChangeKind kind = KindOfChange(recorded_, now);
  Push(kind.Text, kind.Field, recorded_, now);
}

void DescriptionHistory::Change(const QString& text, const DescriptionState& after) {
  // Whatever was typed before this action is a step of its own.
  Record();
  if (SameDescription(after, recorded_)) return;
  DescriptionState before = recorded_;
  ShowState(after);
  Push(text, std::nullopt, std::move(before), recorded_);
}

void DescriptionHistory::Reset() {
  stack_->clear();
  recorded_ = read_();
  stack_->setClean();
}

void DescriptionHistory::ShowState(const DescriptionState& state) {
  {
    showing_ = true;
    const auto shown = qScopeGuard([this] { showing_ = false; });
    show_(state);
  }
  // As the controls hold it, which is what the next change starts from.
  recorded_ = read_();
}

void DescriptionHistory::Push(const QString& text, std::optional<int> field,
                              DescriptionState before, const DescriptionState& after) {
  recorded_ = after;
  stack_->push(new DescriptionCommand(*this, text, field, std::move(before), after));
}

}  // namespace zandrel
