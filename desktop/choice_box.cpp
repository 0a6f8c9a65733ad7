#include "desktop/choice_box.h"

#include <QFocusEvent>
#include <QLineEdit>

#include "desktop/platform_services.h"

namespace zandrel {

ChoiceBox::ChoiceBox(PlatformServices& services, const QStringList& items, int accepted,
                     QWidget* parent)
    : QComboBox(parent), services_(services), accepted_(accepted) {
  addItems(items);
  setEditable(true);
  // Typed text is checked against the items, never added to them, and never completed behind the
  // user's back.
  setInsertPolicy(QComboBox::NoInsert);
  setCompleter(nullptr);
  setCurrentIndex(accepted_);
  connect(this, &QComboBox::activated, this, &ChoiceBox::FinishEntry);
  connect(lineEdit(), &QLineEdit::returnPressed, this, &ChoiceBox::FinishEntry);
}

void ChoiceBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // Switching to another window or opening the drop-down list does not finish the entry.
  if (event->reason() != Qt::ActiveWindowFocusReason && event->reason() != Qt::PopupFocusReason)
    FinishEntry();
}

void ChoiceBox::FinishEntry() {
  if (checking_) return;
  checking_ = true;
  // Items that differ only in letter case: the one spelled exactly as typed wins over one that
  // matches only when case is ignored.
  int index = findText(currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (index < 0) index = findText(currentText(), Qt::MatchFixedString);
  const int shown = index >= 0 ? index : accepted_;
  setCurrentIndex(shown);
  setEditText(itemText(shown));
  if (index < 0) services_.ShowMessage(window(), "Invalid selection - try again", "Error");
  checking_ = false;
  if (index < 0) return;
  accepted_ = index;
  emit Accepted(index);
}

}  // namespace zandrel
