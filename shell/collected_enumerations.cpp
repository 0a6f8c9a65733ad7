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

}  // namespace

std::string InsertionCaption(const HeaderInsertion& insertion) {
  std::string line = FirstLine(*insertion.Text);
  if (line.starts_with("#include") || insertion.TypeName.empty()) return line;
  return insertion.TypeName + ": " + line;
}

CollectedEnumerations::CollectedEnumerations(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("Collected Enumerations"));
  Label = new QLabel(tr("Written into every class header and Java file, in this order:"), this);
  InsertionList = new QListWidget(this);
  Label->setBuddy(InsertionList);
  RemoveButton = new QPushButton(tr("&Remove"), this);
  UpButton = new QPushButton(tr("Move &Up"), this);
  DownButton = new QPushButton(tr("Move &Down"), this);
  EditButton = new QPushButton(tr("&Edit..."), this);
  EditButton->setToolTip(tr("Opens the enumeration dialog on this entry; its OK replaces it"));
  CloseButton = new QPushButton(tr("Close"), this);
  for (QPushButton* button : {EditButton, RemoveButton, UpButton, DownButton, CloseButton})
    button->setAutoDefault(false);

  auto* buttons = new QVBoxLayout;
  for (QPushButton* button : {EditButton, RemoveButton, UpButton, DownButton})
    buttons->addWidget(button);
  buttons->addStretch();
  buttons->addWidget(CloseButton);
  auto* row = new QHBoxLayout;
  row->addWidget(InsertionList, 1);
  row->addLayout(buttons);
  auto* column = new QVBoxLayout(this);
  column->addWidget(Label);
  column->addLayout(row);
  resize(560, 300);

  connect(EditButton, &QPushButton::clicked, this, [this] {
    if (SelectedInsertion() >= 0) emit ReopenRequested(SelectedInsertion());
  });
  // A disabled button ignores the click.
  connect(InsertionList, &QListWidget::itemActivated, EditButton, &QPushButton::click);
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
  reopenable_.clear();
  InsertionList->clear();
  // Newest first, as the writers put them into the files.
  for (std::size_t i = insertions.size(); i-- > 0;) {
    const HeaderInsertion& record = insertions.Record(i);
    InsertionList->addItem(QString::fromStdString(InsertionCaption(record)));
    reopenable_.push_back(record.Request != nullptr);
  }
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
  EditButton->setEnabled(row >= 0 && row < count_ && reopenable_[static_cast<std::size_t>(row)]);
  UpButton->setEnabled(row > 0);
  DownButton->setEnabled(row >= 0 && row + 1 < count_);
}

}  // namespace zandrel
