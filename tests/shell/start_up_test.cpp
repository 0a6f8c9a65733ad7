// Start-up: the command line, the document named on it, and the windows' language.

#include <QAction>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTranslator>
#include <memory>

#include "desktop/file_preview.h"
#include "desktop/help_window.h"
#include "desktop/regenerate_files.h"
#include "shell/description_file.h"
#include "shell/start_up.h"
#include "shell/tform1_ui.h"
#include "tests/shell/shell_test_support.h"
#include "tests/support/qt/dialog_access.h"
#include "tests/support/qt/main_window_access.h"
#include "tests/support/run_program.h"

using namespace zandrel;
using Request = CommandLine::Request;
using zandrel::testing::UiOf;

Q_DECLARE_METATYPE(CommandLine::Request)

namespace {

// Takes out the translators InstallTranslations gave the application.
void RemoveTranslations() {
  for (QTranslator* translator : qApp->findChildren<QTranslator*>()) {
    QCoreApplication::removeTranslator(translator);
    delete translator;
  }
}

}  // namespace

class StartUpTest : public QObject {
  Q_OBJECT

 private slots:
  void readsCommandLine_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<Request>("request");
    QTest::addColumn<QString>("file");
    QTest::newRow("nothing") << QStringList{} << Request::OpenWindows << "";
    QTest::newRow("a file") << QStringList{"Point.zandrel.json"} << Request::OpenWindows
                            << "Point.zandrel.json";
    QTest::newRow("a file like an option")
        << QStringList{"--", "-p.json"} << Request::OpenWindows << "-p.json";
    QTest::newRow("help") << QStringList{"--help"} << Request::Help << "";
    QTest::newRow("help wins") << QStringList{"x", "--bogus", "-h", "-v"} << Request::Help << "";
    QTest::newRow("version") << QStringList{"--version"} << Request::Version << "";
    QTest::newRow("version, short") << QStringList{"a", "b", "-v"} << Request::Version << "";
    QTest::newRow("Qt's option, not -p -l -a…")
        << QStringList{"-platform", "offscreen", "--version"} << Request::Version << "";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << Request::Refused << "";
    QTest::newRow("two files") << QStringList{"a.json", "b.json"} << Request::Refused << "";
  }
  void readsCommandLine() {
    QFETCH(QStringList, arguments);
    QFETCH(Request, request);
    QFETCH(QString, file);
    arguments.prepend("zandrel");
    const CommandLine line = ReadCommandLine(arguments);
    QCOMPARE(line.What, request);
    QCOMPARE(line.File, file);
    QCOMPARE(line.Message.isEmpty(), request == Request::OpenWindows);
  }

  // --help and --version print and end at once, where there is no display at all; a refused
  // line is told on standard error.
  void answersWithoutDisplay() {
    const QByteArray display = qgetenv("DISPLAY");
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    qunsetenv("DISPLAY");
    qunsetenv("WAYLAND_DISPLAY");
    qunsetenv("QT_QPA_PLATFORM");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"--help", "Usage: zandrel [OPTION]... [FILE]\n"},
        {"--version", "zandrel " ZANDREL_VERSION "\nCopyright (c) 2026 The Zandrel developers\n"},
    };
    for (const auto& [option, start] : cases) {
      const testing::ProgramRun run = testing::RunProgram({ZANDREL_PROGRAM, option});
      QCOMPARE(run.exitCode, 0);
      QVERIFY2(run.out.starts_with(start), run.out.c_str());
      QCOMPARE(run.err, std::string());
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const testing::ProgramRun refused = testing::RunProgram({ZANDREL_PROGRAM, "--bogus"});
    QCOMPARE(refused.exitCode, 2);
    QCOMPARE(refused.out, std::string());
    // After whatever Qt says of the machine (a missing runtime folder…).
    QVERIFY2(refused.err.ends_with(
                 "zandrel: Unknown option 'bogus'.\nTry 'zandrel --help' for more information.\n"),
             refused.err.c_str());
    qputenv("QT_QPA_PLATFORM", platform);
    if (!display.isEmpty()) qputenv("DISPLAY", display);
  }

  // The file named on the command line opens as File › Open opens it: its name in the title, or
  // Open's message and the window as it started.
  void opensFileFromCommandLine() {
    testing::MainWindowFixture fx;
    const std::string saved = fx.Path("Point.zandrel.json");
    ClassInput input;
    input.NameText = "Point";
    QVERIFY(!WriteDescriptionFile(saved, input));
    const std::string refused = fx.Path("Broken.zandrel.json");
    testing::WriteFile(refused, "{");

    const QString folder = QDir::currentPath();
    QDir::setCurrent(QString::fromStdString(fx.Folder.Path("")));
    const bool openedBroken = OpenFromCommandLine(fx.Form1, "Broken.zandrel.json");
    const bool opened = OpenFromCommandLine(fx.Form1, "Point.zandrel.json");
    QDir::setCurrent(folder);

    QVERIFY(!openedBroken);
    QCOMPARE(fx.Services.Messages.size(), std::size_t{1});
    QCOMPARE(fx.Services.Messages[0].Text, std::get<std::string>(ReadDescriptionFile(refused)));
    QVERIFY(opened);
    QCOMPARE(fx.Form1.windowTitle(), QString("Point.zandrel.json[*] - Zandrel"));
    QCOMPARE(testing::UiOf(fx.Form1).NameEdit->text(), QString("Point"));
  }

  // The windows speak the user's language where a translation ships, and today's English
  // elsewhere.
  void windowsFollowUserLanguage_data() {
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QStringList>("texts");
    const QStringList english = {"&Log",
                                 "Log and &Close",
                                 "Close &without a Log",
                                 "Log  Errors and User Comments",
                                 "&Close",
                                 "Zandrel Help",
                                 "Zandrel Help",
                                 "&OK",
                                 "&Cancel",
                                 "Generate Enumeration",
                                 "Value",
                                 "Cop&y",
                                 "&File",
                                 "&Build",
                                 "Ma&ke copy constructor and = operator private",
                                 "&Undo Clear",
                                 "Merged your changes into Shape.h and Shape.cpp"};
    QTest::newRow("C") << QLocale::c() << english;
    QTest::newRow("English") << QLocale(QLocale::English, QLocale::UnitedStates) << english;
    QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany)
                            << QStringList{"&Eintragen",
                                           "Eintragen und &schließen",
                                           "Schließen &ohne Eintrag",
                                           "Protokoll  Fehler und Anmerkungen",
                                           "&Schließen",
                                           "Zandrel-Hilfe",
                                           "Zandrel-Hilfe",
                                           "&OK",
                                           "&Abbrechen",
                                           "Aufzählung erzeugen",
                                           "Wert",
                                           "In &Zwischenablage",
                                           "&Datei",
                                           "&Erstellen",
                                           "Kopierkonstruktor und =-Operator &privat machen",
                                           "&Rückgängig Leeren",
                                           "Ihre Änderungen in Shape.h und Shape.cpp übernommen"};
  }
  void windowsFollowUserLanguage() {
    QFETCH(QLocale, locale);
    QFETCH(QStringList, texts);
    InstallTranslations(*QCoreApplication::instance(), locale);
    testing::MainWindowFixture fx;
    TUserLogWindow& log = fx.UserLogWindow;
    TGenEnumForm& enumeration = fx.GenEnumForm;
    HelpWindow help;
    // An undo step is named in the language of the moment it was made.
    TForm1Ui& main = testing::UiOf(fx.Form1);
    main.NameEdit->setText("Point");
    main.Button2->click();
    const QString merged = MergedMessage({"/a/Shape.h", "/a/Shape.cpp"});
    RemoveTranslations();
    QCOMPARE((QStringList{
                 UiOf(log).Button1->text(), UiOf(log).Button3->text(), UiOf(log).Button2->text(),
                 log.windowTitle(), help.CloseButton->text(), help.windowTitle(),
                 help.Page->documentTitle(), UiOf(enumeration).OKButton->text(),
                 UiOf(enumeration).Button1->text(), enumeration.windowTitle(),
                 UiOf(enumeration).NameGrid->horizontalHeaderItem(1)->text(),
                 UiOf(enumeration).Preview->CopyButton->text(), main.FileMenu->title(),
                 main.Button1->text(), main.PrivateCheck->text(), main.UndoAction->text(), merged}),
             texts);
    // Every language keeps each Alt key to one control of the window (the main window has more
    // captions than letters: its shared pairs are checked with its keys).
    for (QWidget* window : {static_cast<QWidget*>(&enumeration), static_cast<QWidget*>(&log)})
      QCOMPARE(testing::CheckMnemonics(window).Clashes, QStringList());
  }
};

QTEST_MAIN(StartUpTest)
#include "start_up_test.moc"
