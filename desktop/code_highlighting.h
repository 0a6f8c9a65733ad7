#pragma once

#include <QFont>
#include <QStringView>
#include <QTextCharFormat>
#include <array>
#include <string_view>
#include <vector>

class QPalette;

namespace zandrel {

enum class CodeLanguage { Cpp, Java };

// The language of a generated file, by its name: Java for ".java", C++ for anything else (the
// enumeration texts handed to the main window are C++ too).
CodeLanguage LanguageForFile(std::string_view fileName);

// What a stretch of a line is, for colouring; anything else keeps the plain text format.
enum class CodeToken { Keyword, Type, Comment, String, Preprocessor };

struct CodeRange {
  int Start = 0;  // in UTF-16 units of the line
  int Length = 0;
  CodeToken Token = CodeToken::Keyword;
  bool operator==(const CodeRange&) const = default;
};

// Whether a line begins inside a block comment. Lines are taken one at a time, so a view can
// colour only the lines it shows: the state after one line is the state before the next.
enum class LineState { Code, InBlockComment };

// The coloured stretches of one line, in order and not overlapping. state is the state before the
// line on entry and the state after it on return.
std::vector<CodeRange> TokenizeLine(QStringView line, CodeLanguage language, LineState& state);
// The state after a line, without collecting its stretches: for walking to the first shown line.
LineState StateAfterLine(QStringView line, CodeLanguage language, LineState before);
LineState StateAfterLine(std::string_view utf8Line, CodeLanguage language, LineState before);

// The wanted font when its characters are all one width, else a monospace font like it: some
// platform themes name no fixed-pitch font, and code in a proportional one loses its columns.
QFont FixedPitchFont(const QFont& wanted);

// A text format for each token, made from a palette so that it stays readable on the palette's
// base colour, light or dark.
class CodeFormats {
 public:
  explicit CodeFormats(const QPalette& palette);
  const QTextCharFormat& For(CodeToken token) const {
    return formats_[static_cast<std::size_t>(token)];
  }

 private:
  std::array<QTextCharFormat, 5> formats_;
};

}  // namespace zandrel
