#pragma once

#include <QComboBox>
#include <QStringList>

class QFocusEvent;

namespace zandrel {

class PlatformServices;

// A combo box whose text must name one of its items. An entry is finished when the user picks an
// item, presses Enter or moves to another control (not when another window takes the focus). A
// text that names an item, in any letter case, is accepted; any other is refused with the message
// box "Invalid selection - try again", shown while the refused text stands selected in the box,
// and the choice accepted before stays. Either way the box then shows an item's own text. Typed
// text never becomes an item. When a click on another control finished the entry, the box comes
// as the mouse button is released, and the click still reaches that control.
class ChoiceBox : public QComboBox {
  Q_OBJECT

 public:
  ChoiceBox(PlatformServices& services, const QStringList& items, int accepted,
            QWidget* parent = nullptr);

  // The item accepted last; the one given at creation until the user names another.
  int AcceptedIndex() const { return accepted_; }
  // Shows the item as accepted, as when the choice was made elsewhere (undo, a file opened);
  // says nothing.
  void Accept(int index);

 signals:
  // The user finished an entry that names this item.
  void Accepted(int index);

 protected:
  void focusOutEvent(QFocusEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void FinishEntry();

  PlatformServices& services_;
  int accepted_;
  bool checking_ = false;         // the refusal's box takes the focus while the entry is checked
  bool awaitingRelease_ = false;  // a click elsewhere finished the entry; checked on its release
};

}  // namespace zandrel
