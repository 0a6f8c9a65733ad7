#include "shell/start_up.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QIcon>
#include <QLibraryInfo>
#include <QLocale>
#include <QTimer>
#include <QTranslator>
#include <cstdio>
#include <utility>

#include "shell/tform1.h"
#include "version_notice.h"

namespace zandrel {

namespace {

const char* const HelpText =
    "Usage: zandrel [OPTION]... [FILE]\n"
    "Open the Zandrel windows, with the class description FILE when one is given.\n"
    "\n"
    "  -h, --help     display this help and exit\n"
    "  -v, --version  output version information and exit\n"
    "\n"
    "FILE is a class description as File > Save writes it (NAME.zandrel.json). One\n"
    "that cannot be read is reported and the windows open without it. Qt's own\n"
    "options, such as -platform NAME and -style NAME, are taken too.\n";

const char* const VersionText = "zandrel " ZANDREL_VERSION "\n" ZANDREL_VERSION_NOTICE;

const char* const AppId = "org.example.zandrel";

// Where the windows' translations are built in, as zandrel_LANGUAGE.qm.
const char* const TranslationsFolder = ":/zandrel/translations";

bool Print(std::FILE* stream, const QString& text) {
  const QByteArray bytes = text.toLocal8Bit();
  const bool written = std::fwrite(bytes.constData(), 1, static_cast<std::size_t>(bytes.size()),
                                   stream) == static_cast<std::size_t>(bytes.size());
  return std::fflush(stream) == 0 && written;
}

}  // namespace

CommandLine ReadCommandLine(const QStringList& arguments) {
  QCommandLineParser parser;
  // "-platform" is one option of Qt's, not -p -l -a…
  parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
  const QCommandLineOption help(QStringList{"h", "help"});
  const QCommandLineOption version(QStringList{"v", "version"});
  parser.addOptions({help, version});
  const bool parsed = parser.parse(arguments);

  CommandLine line;
  if (parser.isSet(help)) {
    line.What = CommandLine::Request::Help;
    line.Message = QString::fromUtf8(HelpText);
  } else if (parser.isSet(version)) {
    line.What = CommandLine::Request::Version;
    line.Message = QString::fromUtf8(VersionText);
  } else if (!parsed) {
    line.What = CommandLine::Request::Refused;
    line.Message = parser.errorText();
  } else if (parser.positionalArguments().size() > 1) {
    line.What = CommandLine::Request::Refused;
    line.Message = QStringLiteral("only one FILE can be opened");
  } else if (!parser.positionalArguments().isEmpty()) {
    line.File = parser.positionalArguments().constFirst();
  }
  return line;
}

std::optional<int> AnswerWithoutWindows(int argc, char** argv) {
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  const CommandLine line = ReadCommandLine(arguments);
  if (line.What != CommandLine::Request::Help && line.What != CommandLine::Request::Version)
    return std::nullopt;
  if (Print(stdout, line.Message)) return 0;
  std::fputs("zandrel: standard output could not be written\n", stderr);
  return 1;
}

int RefuseCommandLine(const CommandLine& line) {
  Print(stderr, QStringLiteral("zandrel: %1\nTry 'zandrel --help' for more information.\n")
                    .arg(line.Message));
  return 2;
}

void InstallTranslations(QCoreApplication& app, const QLocale& locale) {
  // Qt's own first: a text of ours wins over Qt's, as the last translator installed is asked
  // first.
  const QString qtFolder = QLibraryInfo::path(QLibraryInfo::TranslationsPath);
  for (const auto& [name, folder] :
       {std::pair{QStringLiteral("qtbase"), qtFolder},
        std::pair{QStringLiteral("zandrel"), QString::fromLatin1(TranslationsFolder)}}) {
    auto* translator = new QTranslator(&app);
    if (translator->load(locale, name, QStringLiteral("_"), folder))
      QCoreApplication::installTranslator(translator);
    else
      delete translator;
  }
}

void PresentAsZandrel(QGuiApplication& app) {
  app.setDesktopFileName(QString::fromLatin1(AppId));
  // The bitmaps installed beside the program, named directly: looking the icon up in the theme
  // reads the whole hicolor index first. Each file is read only when a size is asked for.
  const QString folder =
      QCoreApplication::applicationDirPath() + QStringLiteral("/../share/icons/hicolor/");
  QIcon icon;
  for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
    const QString file = folder + QStringLiteral("%1x%1/apps/zandrel.png").arg(size);
    if (QFileInfo::exists(file)) icon.addFile(file, QSize(size, size));
  }
  if (!icon.isNull()) {
    QGuiApplication::setWindowIcon(icon);
    return;
  }
  // The built-in one needs the SVG plugin, which loads every image plugin: once the window is
  // up, not before its first paint.
  QTimer::singleShot(0, &app, [] {
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/zandrel/zandrel.svg")));
  });
}

bool OpenFromCommandLine(TForm1& form, const QString& file) {
  // A path the file dialog would give: absolute, so Open Recent finds it from anywhere.
  return form.OpenFile(QFileInfo(file).absoluteFilePath().toStdString());
}

}  // namespace zandrel
