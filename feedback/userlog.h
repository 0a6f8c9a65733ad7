#pragma once

#include <QWidget>
#include <optional>
#include <string>
#include <vector>

#include "feedback/log_entry.h"

class QKeyEvent;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace zandrel {

class PlatformServices;

// The log file of "Log an error or comment" for this user (UserLogFilePath); its folder is made
// when missing.
std::string UserLogFileName();

namespace testing {
struct TUserLogWindowAccess;
}

// The log window's controls under the names the window gives them; only the window uses them.
struct TUserLogWindowUi {
  QLabel* Label1 = nullptr;
  QLabel* OptionalLabel = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* Button1 = nullptr;
  QPushButton* Button3 = nullptr;
  QPushButton* Button2 = nullptr;
};

// The log window: the user's comment is appended, stamped, to the log file. Not modal.
class TUserLogWindow : public QWidget, private TUserLogWindowUi {
  Q_OBJECT

 public:
  explicit TUserLogWindow(PlatformServices& services, QWidget* parent = nullptr);

  // Hands the record over for the next showing; the window copies it when it becomes visible.
  void HandOver(const UserLogParms& parms);
  // Shows the window (or only brings it to the front when it is already visible).
  void ShowAndRaise();

  const std::string& LogFileName() const { return logFileName_; }
  const std::string& ContextLine() const { return contextLine_; }

 signals:
  // An entry was appended; the message names the log file.
  void Logged(const QString& message);

 public slots:
  void JustLog();
  void LogExit();
  void Closer();

 protected:
  void showEvent(QShowEvent* event) override;      // ShowMe
  void resizeEvent(QResizeEvent* event) override;  // Sizing
  void keyPressEvent(QKeyEvent* event) override;

 private:
  friend struct testing::TUserLogWindowAccess;

  void BuildControls();
  // The buttons at their designed places; the labels and the comment box above them.
  void PlaceControls();
  void ShowMe();
  void Sizing();
  // Tool tips of the buttons that write, naming the file they write to.
  void DescribeLogFile();
  // Appends the entry; false (with a message, the comment kept) when the file cannot be written.
  bool WriteEntry();
  std::vector<std::string> CommentLines() const;

  PlatformServices& services_;
  std::optional<UserLogParms> handedOver_;
  std::string logFileName_ = "userlog.log";
  std::string contextLine_;
};

}  // namespace zandrel
