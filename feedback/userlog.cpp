#include "feedback/userlog.h"

#include <QDir>
#include <QFileInfo>
#include <QFont>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextDocumentLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QResizeEvent>
#include <QShowEvent>
#include <QStyle>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <algorithm>
#include <tuple>

#include "core/output_text.h"
#include "desktop/platform_services.h"

namespace zandrel {

namespace {

constexpr int MemoLeft = 2;
constexpr int MemoTop = 56;
constexpr int ButtonHeight = 57;
// Room kept free around the buttons when the frame metrics would push them off the window.
constexpr int BottomMargin = 6;
constexpr int MemoButtonGap = 7;

QString Q(const std::string& text) { return QString::fromStdString(text); }

}  // namespace

std::string UserLogFileName() {
  const std::string home = QDir::homePath().toStdString();
  std::string path =
      UserLogFilePath(home, qEnvironmentVariable("XDG_STATE_HOME").toStdString(),
                      QFileInfo::exists(QDir::homePath() + QStringLiteral("/Zandrel_Log.log")));
  // Missing folders are made for the user alone, as the XDG rules ask. One that cannot be made is
  // reported with the first entry that cannot be written.
  const QString folder = QFileInfo(Q(path)).absolutePath();
  if (!QFileInfo::exists(folder)) {
    QStringList missing;
    for (QDir up(folder); !up.exists() && !up.isRoot(); up.setPath(QFileInfo(up.path()).path()))
      missing.prepend(up.path());
    for (const QString& each : missing)
      QDir().mkdir(each, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  }
  return path;
}

TUserLogWindow::TUserLogWindow(PlatformServices& services, QWidget* parent)
    : QWidget(parent, Qt::Window), services_(services) {
  setWindowTitle(tr("Log  Errors and User Comments"));
  // Only the main window decides when the program ends.
  setAttribute(Qt::WA_QuitOnClose, false);
  BuildControls();
  PlaceControls();

  setTabOrder(Memo1, Button1);
  setTabOrder(Button1, Button2);
  setTabOrder(Button2, Button3);

  connect(Button1, &QPushButton::clicked, this, &TUserLogWindow::JustLog);
  connect(Button3, &QPushButton::clicked, this, &TUserLogWindow::LogExit);
  connect(Button2, &QPushButton::clicked, this, &TUserLogWindow::Closer);

  // Below this the fixed-position buttons would overlap each other or the labels.
  setMinimumSize(Button2->geometry().right() + 8,
                 MemoTop + 40 + MemoButtonGap + ButtonHeight + BottomMargin);
  resize(std::max(510, minimumWidth()), 300);
  move(194, 115);
}

void TUserLogWindow::BuildControls() {
  // Created in tab order, so the focus starts in the comment box.
  Label1 = new QLabel(tr("Time and Date is automatically saved."), this);
  OptionalLabel = new QLabel(this);
  Memo1 = new QPlainTextEdit(this);
  // Each "&" marks the letter that Alt takes to the button; it shows as an underline only.
  Button1 = new QPushButton(tr("&Log"), this);
  Button2 = new QPushButton(tr("Close &without a Log"), this);
  Button3 = new QPushButton(tr("Log and &Close"), this);
  Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  // Tab leaves the box, as in any form, instead of typing a tab character.
  Memo1->setTabChangesFocus(true);
  Memo1->setAccessibleName(tr("Comment"));
  Memo1->setToolTip(
      tr("Your comment or error report; it is written below the date and time, line by line as "
         "shown here"));
  Button2->setToolTip(
      tr("Closes the window without writing; the comment is kept for next time (Escape)"));
  DescribeLogFile();
}

void TUserLogWindow::PlaceControls() {
  QFont buttonFont = font();
  buttonFont.setPixelSize(16);
  // The buttons keep their designed places, widened only where the font needs more room.
  const QFontMetrics buttonMetrics(buttonFont);
  int left = 8;
  for (const auto& [button, designWidth, gap] :
       {std::tuple{Button1, 145, 23}, std::tuple{Button3, 137, 15}, std::tuple{Button2, 161, 0}}) {
    button->setFont(buttonFont);
    // Enter presses the focused button, as Space does.
    button->setAutoDefault(true);
    const int width =
        std::max(designWidth, buttonMetrics.horizontalAdvance(button->text().remove('&')) + 24);
    button->setGeometry(left, 224, width, ButtonHeight);
    left += width + gap;
  }
  const int labelWidth = std::max(481, Button2->geometry().right() - 8);

  const int lineHeight = fontMetrics().height();
  Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  Label1->setGeometry(8, 2, labelWidth, lineHeight + 2);

  OptionalLabel->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  OptionalLabel->setWordWrap(true);
  OptionalLabel->setGeometry(8, Label1->geometry().bottom() + 2, labelWidth,
                             MemoTop - 2 - (Label1->geometry().bottom() + 2));
  OptionalLabel->hide();
  Memo1->setGeometry(MemoLeft, MemoTop, labelWidth, 161);
}

void TUserLogWindow::HandOver(const UserLogParms& parms) { handedOver_ = parms; }

void TUserLogWindow::ShowAndRaise() {
  if (isVisible()) {
    // Already showing: the window keeps what it was shown with.
    handedOver_.reset();
  } else {
    show();
  }
  raise();
  activateWindow();
}

void TUserLogWindow::DescribeLogFile() {
  const QString file = Q(logFileName_);
  Button1->setToolTip(
      tr("Appends the comment, stamped with the date and time, to %1; the window stays open for "
         "the next one")
          .arg(file));
  Button3->setToolTip(
      tr("Appends the comment, stamped with the date and time, to %1 and closes the window")
          .arg(file));
  Label1->setToolTip(tr("Each entry is appended to %1").arg(file));
}

void TUserLogWindow::JustLog() {
  WriteEntry();
  // Back to the comment box, so that what is typed next is the next comment.
  Memo1->setFocus(Qt::OtherFocusReason);
}

void TUserLogWindow::LogExit() {
  if (WriteEntry()) hide();
}

void TUserLogWindow::Closer() { hide(); }

void TUserLogWindow::showEvent(QShowEvent* event) {
  // A restore from the task bar is spontaneous and is not a new showing. Every showing starts in
  // the comment box.
  if (!event->spontaneous()) {
    ShowMe();
    Memo1->setFocus(Qt::OtherFocusReason);
  }
  QWidget::showEvent(event);
}

void TUserLogWindow::keyPressEvent(QKeyEvent* event) {
  // Escape closes the window as "Close without a Log" does, keeping the comment.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
    Closer();
  else
    QWidget::keyPressEvent(event);
}

void TUserLogWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  Sizing();
}

void TUserLogWindow::ShowMe() {
  if (!handedOver_) return;
  logFileName_ = handedOver_->LogFileName;
  OptionalLabel->setText(Q(handedOver_->Prompt));
  OptionalLabel->setVisible(true);
  contextLine_ = handedOver_->ContextLine;
  handedOver_.reset();
  DescribeLogFile();
}

void TUserLogWindow::Sizing() {
  // Outer size and frame metrics: the window manager's frame when it gives one, the style's
  // otherwise (before the first showing, or on a platform without decorations).
  const QRect outer = frameGeometry();
  const QRect inner = geometry();
  int frameWidth = 0;
  int frameHeight = 0;
  int caption = 0;
  int outerWidth = 0;
  int outerHeight = 0;
  if (outer.width() > inner.width() || outer.height() > inner.height()) {
    frameWidth = std::max(0, inner.left() - outer.left());
    frameHeight = std::max(0, outer.bottom() - inner.bottom());
    caption = std::max(0, inner.top() - outer.top() - frameHeight);
    outerWidth = outer.width();
    outerHeight = outer.height();
  } else {
    frameWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    frameHeight = frameWidth;
    caption = style()->pixelMetric(QStyle::PM_TitleBarHeight, nullptr, this);
    outerWidth = width() + 2 * frameWidth;
    outerHeight = height() + caption + 2 * frameHeight;
  }

  // The metrics of a window manager can differ from those the layout was drawn for; keep the
  // buttons inside the window and the comment box above them.
  int buttonTop = outerHeight - 2 * frameHeight - ButtonHeight - 25;
  buttonTop = std::min(buttonTop, height() - ButtonHeight - BottomMargin);
  buttonTop = std::max(buttonTop, MemoTop + MemoButtonGap);
  int memoWidth = outerWidth - 2 * frameWidth - 4;
  memoWidth = std::clamp(memoWidth, 0, std::max(0, width() - MemoLeft));
  int memoHeight = outerHeight - caption - 2 * frameHeight - 120;
  memoHeight = std::clamp(memoHeight, 0, std::max(0, buttonTop - MemoButtonGap - MemoTop));

  Memo1->setGeometry(MemoLeft, MemoTop, memoWidth, memoHeight);
  for (QPushButton* button : {Button1, Button2, Button3}) button->move(button->x(), buttonTop);
}

std::vector<std::string> TUserLogWindow::CommentLines() const {
  // The lines as the box shows them: a wrapped paragraph gives one line per shown line.
  std::vector<std::string> lines;
  QTextDocument* document = Memo1->document();
  auto* layout = qobject_cast<QPlainTextDocumentLayout*>(document->documentLayout());
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    const QString text = block.text();
    // The empty line after a final line break is not a line of the comment.
    if (text.isEmpty() && block == document->lastBlock()) break;
    if (layout != nullptr) layout->ensureBlockLayout(block);
    const QTextLayout* blockLayout = block.layout();
    const int count = blockLayout != nullptr ? blockLayout->lineCount() : 0;
    if (count <= 1) {
      lines.push_back(text.toStdString());
      continue;
    }
    for (int i = 0; i < count; ++i) {
      const QTextLine line = blockLayout->lineAt(i);
      lines.push_back(text.mid(line.textStart(), line.textLength()).toStdString());
    }
  }
  return lines;
}

bool TUserLogWindow::WriteEntry() {
  if (const auto failure = WriteLogEntry(logFileName_, contextLine_, CommentLines())) {
    // Keep the comment: it would otherwise be lost without a trace.
    services_.ShowMessage(this, DescribeFailure(*failure), tr("Error").toStdString());
    return false;
  }
  Memo1->clear();
  emit Logged(QStringLiteral("Logged to %1").arg(QString::fromStdString(logFileName_)));
  return true;
}

}  // namespace zandrel
