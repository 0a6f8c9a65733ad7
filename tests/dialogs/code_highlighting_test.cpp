#include <QFontInfo>
#include <QPalette>
#include <QtTest>

#include "desktop/code_highlighting.h"
#include "tests/support/qt/window_fixtures.h"

using namespace zandrel;

namespace {

// The stretches of a line as "K:word|C:// note": K keyword, T type, C comment, S string or
// character literal, P preprocessor directive.
QString Described(const QString& line, const std::vector<CodeRange>& ranges) {
  QStringList parts;
  for (const CodeRange& range : ranges)
    parts << QString("KTCSP"[static_cast<int>(range.Token)]) + ':' +
                 line.mid(range.Start, range.Length);
  return parts.join('|');
}

}  // namespace

class CodeHighlightingTest : public QObject {
  Q_OBJECT

 private slots:
  void tokenizeLine_data() {
    QTest::addColumn<bool>("java");
    QTest::addColumn<bool>("inComment");  // the line starts inside a block comment
    QTest::addColumn<QString>("line");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<bool>("commentGoesOn");

    auto row = [](const char* name, bool java, bool in, const char* line, const char* expected,
                  bool after = false) {
      QTest::newRow(name) << java << in << QString(line) << QString(expected) << after;
    };
    row("class head", false, false, "class Point {", "K:class");
    row("accessor", false, false, "   int get_x() const {return x;}", "T:int|K:const|K:return");
    row("include", false, false, "#include <vcl.h>", "P:#include <vcl.h>");
    row("indented directive, comment", false, false, "  #define X \"a//b\" // note",
        "P:#define X \"a//b\"|C:// note");
    row("directive, block comment", false, false, "#if A /* c */ B", "P:#if A|C:/* c */|P:B");
    row("CBuilder words", false, false, "AnsiString __fastcall ToString();",
        "T:AnsiString|K:__fastcall");
    row("operator", false, false, "bool operator == (const Meter & that)const;",
        "T:bool|K:operator|K:const|K:const");
    row("string with escapes", false, false, "s = \"a \\\" // b\"; // c",
        "S:\"a \\\" // b\"|C:// c");
    row("character literal", false, false, "c = '\\'';", "S:'\\''");
    row("unterminated string", false, false, "\"abc", "S:\"abc");
    row("comment opens", false, false, "int a; /* b", "T:int|C:/* b", true);
    row("comment closes", false, true, "c */ int", "C:c */|T:int");
    row("whole line in comment", false, true, "still # not a directive",
        "C:still # not a directive", true);
    row("empty comment", false, false, "/**/int", "C:/**/|T:int");
    row("line comment hides opener", false, false, "// a /* b", "C:// a /* b");
    row("words inside words", false, false, "interval classy int_ x1 0x1F 1'000", "");
    row("names beyond ASCII", false, false, "\u00e9int int\u00e9 // \u00e0", "C:// \u00e0");
    row("division", false, false, "a/b", "");
    row("java class", true, false, "public class Meter {", "K:public|K:class");
    row("java types", true, false, "  String note; boolean b;", "T:String|T:boolean");
    row("java has no directives", true, false, "#include <x>", "");
    row("java dollar names", true, false, "int $int;", "T:int");
    row("java comment", true, true, "*/ return null;", "C:*/|K:return|K:null");
  }

  void tokenizeLine() {
    QFETCH(bool, java);
    QFETCH(bool, inComment);
    QFETCH(QString, line);
    QFETCH(QString, expected);
    QFETCH(bool, commentGoesOn);
    const CodeLanguage language = java ? CodeLanguage::Java : CodeLanguage::Cpp;
    const LineState before = inComment ? LineState::InBlockComment : LineState::Code;
    LineState state = before;
    QCOMPARE(Described(line, TokenizeLine(line, language, state)), expected);
    const LineState after = commentGoesOn ? LineState::InBlockComment : LineState::Code;
    QCOMPARE(state, after);
    QCOMPARE(StateAfterLine(line, language, before), after);
    const std::string utf8 = line.toStdString();
    QCOMPARE(StateAfterLine(std::string_view(utf8), language, before), after);
  }

  void languageForFile_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("java");
    QTest::newRow("java file") << "Meter.java" << true;
    QTest::newRow("upper case") << "dir/METER.JAVA" << true;
    QTest::newRow("header") << "out/Point.h" << false;
    QTest::newRow("no file") << "" << false;
    QTest::newRow("java folder") << "x.java/Point.h" << false;
  }

  void languageForFile() {
    QFETCH(QString, name);
    QFETCH(bool, java);
    QCOMPARE(LanguageForFile(name.toStdString()) == CodeLanguage::Java, java);
  }

  // Every token reads well on the palette's base, light or dark, and differs from plain text.
  void formatsFollowThePalette_data() {
    QTest::addColumn<QColor>("base");
    QTest::addColumn<QColor>("text");
    QTest::newRow("light") << QColor(Qt::white) << QColor(Qt::black);
    QTest::newRow("dark") << QColor(0x1e, 0x1e, 0x1e) << QColor(0xe0, 0xe0, 0xe0);
    QTest::newRow("warm light") << QColor(0xfd, 0xf6, 0xe3) << QColor(0x58, 0x6e, 0x75);
    QTest::newRow("blue dark") << QColor(0x00, 0x2b, 0x36) << QColor(0x93, 0xa1, 0xa1);
  }

  void formatsFollowThePalette() {
    QFETCH(QColor, base);
    QFETCH(QColor, text);
    QPalette palette;
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::Text, text);
    const CodeFormats formats(palette);
    QList<QColor> seen;
    for (const CodeToken token : {CodeToken::Keyword, CodeToken::Type, CodeToken::Comment,
                                  CodeToken::String, CodeToken::Preprocessor}) {
      const QColor colour = formats.For(token).foreground().color();
      const double contrast = testing::Contrast(colour, base);
      QVERIFY2(contrast >= 4.5, qPrintable(QString("token %1: %2").arg(int(token)).arg(contrast)));
      QVERIFY(colour != text);
      QVERIFY(!seen.contains(colour));
      seen << colour;
    }
    QCOMPARE(formats.For(CodeToken::Keyword).fontWeight(), int(QFont::Bold));
    QVERIFY(formats.For(CodeToken::Comment).fontItalic());
  }

  // Code keeps its columns whatever font the theme names.
  void fixedPitchFont() {
    QFont proportional("DejaVu Sans");
    proportional.setStyleHint(QFont::SansSerif);
    QVERIFY(!QFontInfo(proportional).fixedPitch());
    const QFont font = FixedPitchFont(proportional);
    QVERIFY(QFontInfo(font).fixedPitch());
    QCOMPARE(font.pointSizeF(), proportional.pointSizeF());
    QCOMPARE(FixedPitchFont(font), font);
  }

  // Line by line, as the page view colours what it shows, a block comment carries its colour on;
  // the state walked without collecting stretches is the same.
  void commentsCarryFromLineToLine() {
    const QStringList lines{"int a; /* one", "two", "three */ int b;", "#include <x>"};
    const QStringList expected{"T:int|C:/* one", "C:two", "C:three */|T:int", "P:#include <x>"};
    LineState state = LineState::Code;
    for (qsizetype i = 0; i < lines.size(); ++i) {
      const LineState before = state;
      QCOMPARE(Described(lines[i], TokenizeLine(lines[i], CodeLanguage::Cpp, state)), expected[i]);
      QCOMPARE(StateAfterLine(lines[i], CodeLanguage::Cpp, before), state);
    }
  }
};

QTEST_MAIN(CodeHighlightingTest)
#include "code_highlighting_test.moc"
