#include "desktop/choice_box.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFocusEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>

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

void ChoiceBox::Accept(int index) {
  if (index < 0 || index >= count()) return;
  accepted_ = index;
  if (currentIndex() != index) setCurrentIndex(index);
  if (currentText() != itemText(index)) setEditText(itemText(index));
}

void ChoiceBox::focusOutEvent(QFocusEvent* event) {
  QComboBox::focusOutEvent(event);
  // Switching to another window or opening the drop-down list does not finish the entry.
  if (event->reason() == Qt::ActiveWindowFocusReason || event->reason() == Qt::PopupFocusReason)
    return;
  // A box shown between a button's press and release would take the click away from it.
  if (event->reason() == Qt::MouseFocusReason && QGuiApplication::mouseButtons() != Qt::NoButton) {
    if (!awaitingRelease_) qApp->installEventFilter(this);
    awaitingRelease_ = true;
    return;
  }
  FinishEntry();
}

bool ChoiceBox::eventFilter(QObject* watched, QEvent* event) {
  if (awaitingRelease_ && event->type() == QEvent::MouseButtonRelease && watched->isWidgetType()) {
    qApp->removeEventFilter(this);
    awaitingRelease_ = false;
    QPointer<QAbstractButton> button = qobject_cast<QAbstractButton*>(watched);
    const QPoint at = static_cast<QMouseEvent*>(event)->position().toPoint();
    FinishEntry();
    // A message box makes the button let go of its press; the click it was given still counts.
    if (button != nullptr && !button->isDown() && button->isEnabled() &&
        button->rect().contains(at))
      button->click();
  }
  return QComboBox::eventFilter(watched, event);
}

void ChoiceBox::FinishEntry() {
  if (checking_) return;
  checking_ = true;
  // Items that differ only in letter case: the one spelled exactly as typed wins over one that
  // matches only when case is ignored.
  int index = findText(currentText(), Qt::MatchFixedString | Qt::MatchCaseSensitive);
  if (index < 0) index = findText(currentText(), Qt::MatchFixedString);
  if (index < 0) {
    // The refused text, selected, shows which box the message is about.
    lineEdit()->selectAll();
    services_.ShowMessage(window(), tr("Invalid selection - try again").toStdString(),
                          tr("Error").toStdString());
  }
  const int shown = index >= 0 ? index : accepted_;
  setCurrentIndex(shown);
  setEditText(itemText(shown));
  checking_ = false;
  if (index < 0) return;
  accepted_ = index;
  emit Accepted(index);
}

}  // namespace zandrel
