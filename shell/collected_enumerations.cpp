#include "shell/collected_enumerations.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace zandrel {

namespace {

std::string FirstLine(const std::string& text) {
  std::string line = text.substr(0, text.find('\n'));
  while (!line.empty() && static_cast<unsigned char>(line.back()) < 33) line.pop_back();
  return line;
}

// The type name as the enumeration writers put it into their ToString head: "ToString(const T &
// val)" for a plain enumeration, "T::ToString(" for an enumeration class.
std::string TypeNameIn(const std::string& text) {
  const std::string plain = "ToString(const ";
  if (const std::size_t at = text.find(plain); at != std::string::npos) {
    const std::size_t begin = at + plain.size();
    const std::size_t end = text.find(" & val)", begin);
    if (end != std::string::npos) return text.substr(begin, end - begin);
  }
  const std::string head = "__fastcall ";
  if (const std::size_t at = text.find("::ToString("); at != std::string::npos) {
    const std::size_t begin = text.rfind(head, at);
    if (begin != std::string::npos)
      return text.substr(begin + head.size(), at - begin - head.size());
  }
  return {};
}

}  // namespace

std::string InsertionCaption(const std::string& text) {
  std::string line = FirstLine(text);
  if (line.starts_with("#include")) return line;
  const std::string typeName = TypeNameIn(text);
  return typeName.empty() ? line : typeName + ": " + line;
}

CollectedEnumerations::CollectedEnumerations(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Collected Enumerations"));
  Label = new QLabel(tr("Written into every class header and Java file, in this order:"), this);
  InsertionList = new QListWidget(this);
  Label->setBuddy(InsertionList);
  RemoveButton = new QPushButton(tr("&Remove"), this);
  UpButton = new QPushButton(tr("Move &Up"), this);
  DownButton = new QPushButton(tr("Move &Down"), this);
  CloseButton = new QPushButton(tr("Close"), this);
  for (QPushButton* button : {RemoveButton, UpButton, DownButton, CloseButton})
    button->setAutoDefault(false);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {RemoveButton, UpButton, DownButton}) buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(CloseButton);
  auto* row = new QHBoxLayout;
  row->addWidget(InsertionList, 1);
  row->addLayout(buttons);
  auto* column = new QVBoxLayout(this);
  column->addWidget(Label);
  column->addLayout(row);
  resize(560, 300);

  connect(RemoveButton, &QPushButton::clicked, this, [this] {
    if (SelectedInsertion() >= 0) emit RemoveRequested(SelectedInsertion());
  });
  connect(UpButton, &QPushButton::clicked, this, [this] {
    if (SelectedInsertion() >= 0) emit MoveRequested(SelectedInsertion(), 1);
  });
  connect(DownButton, &QPushButton::clicked, this, [this] {
    if (SelectedInsertion() >= 0) emit MoveRequested(SelectedInsertion(), -1);
  });
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::close);
  connect(InsertionList, &QListWidget::currentRowChanged, this,
          &CollectedEnumerations::UpdateButtons);
  auto* remove = new QShortcut(QKeySequence::Delete, InsertionList);
  remove->setContext(Qt::WidgetShortcut);
  connect(remove, &QShortcut::activated, RemoveButton, &QPushButton::click);
  UpdateButtons();
}

void CollectedEnumerations::ShowInsertions(const zandrel::InsertionList& insertions, int selected) {
  count_ = static_cast<int>(insertions.size());
  InsertionList->clear();
  // Newest first, as the writers put them into the files.
  for (std::size_t i = insertions.size(); i-- > 0;)
    InsertionList->addItem(QString::fromStdString(InsertionCaption(insertions[i])));
  if (selected >= 0 && selected < count_) InsertionList->setCurrentRow(count_ - 1 - selected);
  UpdateButtons();
}

int CollectedEnumerations::SelectedInsertion() const {
  const int row = InsertionList->currentRow();
  return row < 0 || row >= count_ ? -1 : count_ - 1 - row;
}

void CollectedEnumerations::UpdateButtons() {
  const int row = InsertionList->currentRow();
  RemoveButton->setEnabled(row >= 0);
  UpButton->setEnabled(row > 0);
  DownButton->setEnabled(row >= 0 && row + 1 < count_);
}

}  // namespace zandrel
