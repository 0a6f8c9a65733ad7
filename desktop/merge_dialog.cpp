#include "desktop/merge_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>
#include <QVBoxLayout>
#include <utility>

namespace zandrel {

namespace {

QString Name(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return QString::fromStdString(slash == std::string::npos ? path : path.substr(slash + 1));
}

// The user's side and the generated side of a conflict, in colours that read on light and dark
// themes alike.
QTextEdit::ExtraSelection Shade(const QTextBlock& block, const QColor& colour) {
  QTextEdit::ExtraSelection selection;
  selection.cursor = QTextCursor(block);
  selection.format.setBackground(colour);
  selection.format.setProperty(QTextFormat::FullWidthSelection, true);
  return selection;
}

}  // namespace

MergeDialog::MergeDialog(std::vector<ConflictingFile> files, QWidget* parent)
    : QDialog(parent), files_(std::move(files)) {
  setWindowTitle(tr("Merge Conflicts"));
  auto* layout = new QVBoxLayout(this);
  auto* intro = new QLabel(
      tr("Your changes and the new text change the same lines. Nothing has been written yet. "
         "Choose which lines to keep for each conflict and write your choices, or keep your "
         "files as they are: Keep my files leaves these files unchanged and writes the others."),
      this);
  intro->setWordWrap(true);
  layout->addWidget(intro);
  layout->addLayout(BuildNavigation());
  layout->addLayout(BuildSideChoice());
  for (const ConflictingFile& file : files_)
    sides_.emplace_back(file.ConflictLines.size(), ConflictSide::Yours);

  view_ = new QPlainTextEdit(this);
  view_->setReadOnly(true);
  view_->setLineWrapMode(QPlainTextEdit::NoWrap);
  view_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view_->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
  layout->addWidget(view_, 1);
  layout->addWidget(BuildButtons());

  resize(820, 560);
  if (!files_.empty()) ShowFile(0);
  ShowConflict();
  view_->setFocus();
}

QHBoxLayout* MergeDialog::BuildNavigation() {
  auto* navigation = new QHBoxLayout;
  auto* fileLabel = new QLabel(tr("&File:"), this);
  fileBox_ = new QComboBox(this);
  for (const ConflictingFile& file : files_) {
    fileBox_->addItem(Name(file.Path));
    fileBox_->setItemData(fileBox_->count() - 1, QString::fromStdString(file.Path),
                          Qt::ToolTipRole);
  }
  fileLabel->setBuddy(fileBox_);
  position_ = new QLabel(this);
  auto* previous = new QPushButton(tr("&Previous conflict"), this);
  auto* next = new QPushButton(tr("&Next conflict"), this);
  previous->setAutoDefault(false);
  next->setAutoDefault(false);
  navigation->addWidget(fileLabel);
  navigation->addWidget(fileBox_, 1);
  navigation->addWidget(position_);
  navigation->addWidget(previous);
  navigation->addWidget(next);
  connect(next, &QPushButton::clicked, this, &MergeDialog::NextConflict);
  connect(previous, &QPushButton::clicked, this, &MergeDialog::PreviousConflict);
  connect(fileBox_, &QComboBox::activated, this, [this](int index) {
    ShowFile(static_cast<std::size_t>(index));
    conflict_ = 0;
    ShowConflict();
  });
  return navigation;
}

QHBoxLayout* MergeDialog::BuildSideChoice() {
  auto* sideRow = new QHBoxLayout;
  auto* sideLabel = new QLabel(tr("&This conflict:"), this);
  sideBox_ = new QComboBox(this);
  // Each item carries the side it takes.
  for (const auto& [caption, side] :
       {std::pair{tr("Keep my lines"), ConflictSide::Yours},
        std::pair{tr("Take the generated lines"), ConflictSide::Generated},
        std::pair{tr("Keep both (my lines first)"), ConflictSide::Both}})
    sideBox_->addItem(caption, static_cast<int>(side));
  sideLabel->setBuddy(sideBox_);
  sideRow->addWidget(sideLabel);
  sideRow->addWidget(sideBox_, 1);
  connect(sideBox_, &QComboBox::activated, this, [this](int index) {
    ChooseSide(static_cast<ConflictSide>(sideBox_->itemData(index).toInt()));
  });
  return sideRow;
}

QDialogButtonBox* MergeDialog::BuildButtons() {
  auto* buttons = new QDialogButtonBox(this);
  const auto add = [&](const QString& caption, QDialogButtonBox::ButtonRole role,
                       MergeChoice choice) {
    QPushButton* button = buttons->addButton(caption, role);
    button->setAutoDefault(false);
    connect(button, &QPushButton::clicked, this, [this, choice] { Choose(choice); });
    return button;
  };
  add(tr("&Write my choices"), QDialogButtonBox::AcceptRole, MergeChoice::WriteChosen);
  add(tr("&Replace (old file to the trash)"), QDialogButtonBox::AcceptRole, MergeChoice::Replace);
  // Enter keeps what the user wrote: a replacement is a deliberate choice.
  QPushButton* keep =
      add(tr("&Keep my files"), QDialogButtonBox::RejectRole, MergeChoice::KeepMine);
  keep->setAutoDefault(true);
  keep->setDefault(true);
  add(tr("Cancel"), QDialogButtonBox::RejectRole, MergeChoice::Cancel);
  return buttons;
}

void MergeDialog::ShowFile(std::size_t file) {
  file_ = file;
  fileBox_->setCurrentIndex(static_cast<int>(file));
  view_->setPlainText(QString::fromUtf8(files_[file].Text.data(),
                                        static_cast<qsizetype>(files_[file].Text.size())));
  // Yours from "<<<<<<< yours" to "=======", generated from there to ">>>>>>> generated".
  const QColor yours(64, 128, 255, 56);
  const QColor generated(64, 200, 96, 56);
  QList<QTextEdit::ExtraSelection> shades;
  enum { Outside, Yours, Generated } side = Outside;
  for (QTextBlock block = view_->document()->begin(); block.isValid(); block = block.next()) {
    const QString line = block.text();
    if (side == Outside && line == QLatin1String("<<<<<<< yours")) side = Yours;
    if (side != Outside) shades.append(Shade(block, side == Yours ? yours : generated));
    if (side == Yours && line == QLatin1String("=======")) side = Generated;
    if (side == Generated && line == QLatin1String(">>>>>>> generated")) side = Outside;
  }
  view_->setExtraSelections(shades);
}

void MergeDialog::ChooseSide(ConflictSide side) {
  if (files_.empty() || conflict_ >= sides_[file_].size()) return;
  sides_[file_][conflict_] = side;
  sideBox_->setCurrentIndex(sideBox_->findData(static_cast<int>(side)));
}

void MergeDialog::ShowConflict() {
  position_->setText(PositionText());
  const bool any = !files_.empty() && !files_[file_].ConflictLines.empty();
  sideBox_->setEnabled(any);
  if (!any) return;
  sideBox_->setCurrentIndex(sideBox_->findData(static_cast<int>(sides_[file_][conflict_])));
  const std::size_t line = files_[file_].ConflictLines[conflict_];
  const QTextBlock block = view_->document()->findBlockByNumber(static_cast<int>(line) - 1);
  QTextCursor cursor(block);
  view_->setTextCursor(cursor);
  view_->centerCursor();
}

QString MergeDialog::PositionText() const {
  if (files_.empty()) return {};
  const std::size_t count = files_[file_].ConflictLines.size();
  if (count == 0) return {};
  return tr("Conflict %1 of %2, line %3")
      .arg(conflict_ + 1)
      .arg(count)
      .arg(files_[file_].ConflictLines[conflict_]);
}

QString MergeDialog::ShownText() const { return view_->toPlainText(); }

// Next and Previous go on into the next or previous file, and round.
void MergeDialog::NextConflict() {
  if (files_.empty()) return;
  if (conflict_ + 1 < files_[file_].ConflictLines.size()) {
    ++conflict_;
  } else {
    ShowFile((file_ + 1) % files_.size());
    conflict_ = 0;
  }
  ShowConflict();
}

void MergeDialog::PreviousConflict() {
  if (files_.empty()) return;
  if (conflict_ > 0) {
    --conflict_;
  } else {
    ShowFile((file_ + files_.size() - 1) % files_.size());
    const std::size_t count = files_[file_].ConflictLines.size();
    conflict_ = count == 0 ? 0 : count - 1;
  }
  ShowConflict();
}

void MergeDialog::Choose(MergeChoice choice) {
  choice_ = choice;
  if (choice == MergeChoice::WriteChosen || choice == MergeChoice::Replace)
    accept();
  else
    reject();
}

MergeAnswer AskMergeChoice(QWidget* owner, std::vector<ConflictingFile> files) {
  MergeDialog dialog(std::move(files), owner);
  dialog.exec();
  return dialog.Answer();
}

}  // namespace zandrel
