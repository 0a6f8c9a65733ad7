#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QCoreApplication;
class QGuiApplication;
class QLocale;

namespace zandrel {

class TForm1;

// What the program's command line asks for: zandrel [OPTION]... [FILE].
struct CommandLine {
  enum class Request { OpenWindows, Help, Version, Refused };
  Request What = Request::OpenWindows;
  // The class description to open at start, or empty.
  QString File;
  // The help or version text to print, or why the line was refused.
  QString Message;
};

// Reads the arguments, the program's name first. --help and --version win over anything else on
// the line, as in GNU programs.
CommandLine ReadCommandLine(const QStringList& arguments);

// Answers --help and --version before the windows' application is made, so that they need no
// display: the exit status, or nothing when the windows are to open. Qt's own options (-platform,
// -style…) are still on the line here; a refusal waits until Qt has taken them off.
std::optional<int> AnswerWithoutWindows(int argc, char** argv);

// Prints a refused command line's message, GNU style; the exit status.
int RefuseCommandLine(const CommandLine& line);

// Installs the translations of the windows' texts for locale, and Qt's own for its dialogs, where
// there are any. The translators belong to app.
void InstallTranslations(QCoreApplication& app, const QLocale& locale);

// Ties the windows to the menu entry (the application id) and gives them the program's icon: the
// icon theme's, else the one built in.
void PresentAsZandrel(QGuiApplication& app);

// Opens the class description named on the command line as File › Open does, with the same
// message when it is refused; the window then stays as it started.
bool OpenFromCommandLine(TForm1& form, const QString& file);

}  // namespace zandrel
