#include "desktop/code_highlighting.h"

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QPalette>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string_view>
#include <type_traits>
#include <unordered_set>

namespace zandrel {

namespace {

using Words = std::unordered_set<std::u16string_view>;

// The C++ words a generated file can hold, with the extensions the CBuilder target writes.
constexpr std::u16string_view CppKeywordList[] = {u"alignas",
                                                  u"alignof",
                                                  u"asm",
                                                  u"auto",
                                                  u"break",
                                                  u"case",
                                                  u"catch",
                                                  u"class",
                                                  u"const",
                                                  u"constexpr",
                                                  u"const_cast",
                                                  u"continue",
                                                  u"decltype",
                                                  u"default",
                                                  u"delete",
                                                  u"do",
                                                  u"dynamic_cast",
                                                  u"else",
                                                  u"enum",
                                                  u"explicit",
                                                  u"export",
                                                  u"extern",
                                                  u"false",
                                                  u"for",
                                                  u"friend",
                                                  u"goto",
                                                  u"if",
                                                  u"inline",
                                                  u"mutable",
                                                  u"namespace",
                                                  u"new",
                                                  u"noexcept",
                                                  u"nullptr",
                                                  u"operator",
                                                  u"private",
                                                  u"protected",
                                                  u"public",
                                                  u"register",
                                                  u"reinterpret_cast",
                                                  u"return",
                                                  u"sizeof",
                                                  u"static",
                                                  u"static_assert",
                                                  u"static_cast",
                                                  u"struct",
                                                  u"switch",
                                                  u"template",
                                                  u"this",
                                                  u"throw",
                                                  u"true",
                                                  u"try",
                                                  u"typedef",
                                                  u"typeid",
                                                  u"typename",
                                                  u"union",
                                                  u"using",
                                                  u"virtual",
                                                  u"volatile",
                                                  u"while",
                                                  u"__fastcall",
                                                  u"__property",
                                                  u"__published",
                                                  u"__closure"};

const Words& CppKeywords() {
  static const Words words(std::begin(CppKeywordList), std::end(CppKeywordList));
  return words;
}

const Words& CppTypes() {
  static const Words words{u"bool",   u"char",     u"char8_t",    u"char16_t", u"char32_t",
                           u"double", u"float",    u"int",        u"long",     u"short",
                           u"signed", u"unsigned", u"void",       u"wchar_t",  u"size_t",
                           u"string", u"wstring",  u"AnsiString", u"String",   u"wxString"};
  return words;
}

const Words& JavaKeywords() {
  static const Words words{
      u"abstract",     u"assert",    u"break",  u"case",   u"catch",     u"class",      u"const",
      u"continue",     u"default",   u"do",     u"else",   u"enum",      u"extends",    u"false",
      u"final",        u"finally",   u"for",    u"goto",   u"if",        u"implements", u"import",
      u"instanceof",   u"interface", u"native", u"new",    u"null",      u"package",    u"private",
      u"protected",    u"public",    u"return", u"static", u"strictfp",  u"super",      u"switch",
      u"synchronized", u"this",      u"throw",  u"throws", u"transient", u"true",       u"try",
      u"var",          u"volatile",  u"while"};
  return words;
}

const Words& JavaTypes() {
  static const Words words{u"boolean", u"byte",    u"char",    u"double", u"float",
                           u"int",     u"long",    u"short",   u"void",   u"String",
                           u"Object",  u"Integer", u"Boolean", u"Double"};
  return words;
}

std::u16string_view View(QStringView text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// One unit of a line: a UTF-16 unit, or a byte of UTF-8. Every character that matters here is
// ASCII, and no unit of a longer character is, so both walk alike.
char32_t At(QStringView line, qsizetype i) { return line[i].unicode(); }
char32_t At(std::string_view line, qsizetype i) { return static_cast<unsigned char>(line[i]); }

bool IsBlank(char32_t c) { return c <= u' '; }
bool IsDigit(char32_t c) { return c >= u'0' && c <= u'9'; }

// Letters beyond ASCII count as letters of a name.
bool StartsIdentifier(char32_t c, CodeLanguage language) {
  return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') || c == u'_' || c >= 0x80 ||
         (language == CodeLanguage::Java && c == u'$');
}

bool InIdentifier(char32_t c, CodeLanguage language) {
  return StartsIdentifier(c, language) || IsDigit(c);
}

// Past the "*/" that ends a block comment, or the line's end when the comment goes on.
template <typename Text>
qsizetype CommentEnd(Text line, qsizetype from, LineState& state) {
  const auto size = static_cast<qsizetype>(line.size());
  for (qsizetype i = from; i + 1 < size; ++i)
    if (At(line, i) == u'*' && At(line, i + 1) == u'/') {
      state = LineState::Code;
      return i + 2;
    }
  state = LineState::InBlockComment;
  return size;
}

// Past the quote that closes a literal opened at from, or the line's end.
template <typename Text>
qsizetype LiteralEnd(Text line, qsizetype from) {
  const auto size = static_cast<qsizetype>(line.size());
  const char32_t quote = At(line, from);
  qsizetype i = from + 1;
  while (i < size && At(line, i) != quote) i += At(line, i) == u'\\' ? 2 : 1;
  return std::min(i + 1, size);
}

// Where a C++ directive's "#" stands on the line, or -1.
template <typename Text>
qsizetype DirectiveStart(Text line, CodeLanguage language) {
  if (language != CodeLanguage::Cpp) return -1;
  const auto size = static_cast<qsizetype>(line.size());
  qsizetype first = 0;
  while (first < size && IsBlank(At(line, first))) ++first;
  return first < size && At(line, first) == u'#' ? first : -1;
}

// Past a name, or past a number with its suffix or hex digits, so that "0x1F" holds no name; C++
// digit separators are no character literals.
template <typename Text>
qsizetype WordEnd(Text line, qsizetype from, CodeLanguage language) {
  const auto size = static_cast<qsizetype>(line.size());
  const bool number = IsDigit(At(line, from));
  qsizetype end = from + 1;
  while (end < size && (InIdentifier(At(line, end), language) ||
                        (number && (At(line, end) == u'.' ||
                                    (language == CodeLanguage::Cpp && At(line, end) == u'\'')))))
    ++end;
  return end;
}

std::optional<CodeToken> WordToken(std::u16string_view word, CodeLanguage language) {
  const bool java = language == CodeLanguage::Java;
  if ((java ? JavaKeywords() : CppKeywords()).contains(word)) return CodeToken::Keyword;
  if ((java ? JavaTypes() : CppTypes()).contains(word)) return CodeToken::Type;
  return std::nullopt;
}

// Walks one line; collects its stretches only when ranges is given (for UTF-16 lines).
template <typename Text>
void Scan(Text line, CodeLanguage language, LineState& state, std::vector<CodeRange>* ranges) {
  const auto size = static_cast<qsizetype>(line.size());
  auto add = [ranges](qsizetype start, qsizetype end, CodeToken token) {
    if (ranges != nullptr && end > start)
      ranges->push_back({static_cast<int>(start), static_cast<int>(end - start), token});
  };
  qsizetype i = 0;
  if (state == LineState::InBlockComment) {
    i = CommentEnd(line, 0, state);
    add(0, i, CodeToken::Comment);
  }
  // A C++ directive runs to the line's end or to a comment; its own literals are part of it.
  qsizetype directive = i == 0 ? DirectiveStart(line, language) : -1;
  auto endDirective = [&](qsizetype end) {
    if (directive < 0) return;
    while (directive < end && IsBlank(At(line, directive))) ++directive;
    while (end > directive && IsBlank(At(line, end - 1))) --end;
    add(directive, end, CodeToken::Preprocessor);
    directive = -1;
  };
  while (i < size) {
    const char32_t c = At(line, i);
    const char32_t next = i + 1 < size ? At(line, i + 1) : 0;
    if (c == u'/' && next == u'/') {
      endDirective(i);
      add(i, size, CodeToken::Comment);
      return;
    }
    if (c == u'/' && next == u'*') {
      const bool inDirective = directive >= 0;
      endDirective(i);
      const qsizetype end = CommentEnd(line, i + 2, state);
      add(i, end, CodeToken::Comment);
      // A directive goes on after a comment that ends on its line.
      if (inDirective && end < size) directive = end;
      i = end;
    } else if (c == u'"' || c == u'\'') {
      const qsizetype end = LiteralEnd(line, i);
      if (directive < 0) add(i, end, CodeToken::String);
      i = end;
    } else if (directive < 0 && (StartsIdentifier(c, language) || IsDigit(c))) {
      const qsizetype end = WordEnd(line, i, language);
      if constexpr (std::is_same_v<Text, QStringView>) {
        if (ranges != nullptr && !IsDigit(c))
          if (const auto token = WordToken(View(line.mid(i, end - i)), language))
            add(i, end, *token);
      }
      i = end;
    } else {
      ++i;
    }
  }
  endDirective(size);
}

double Luminance(const QColor& colour) {
  auto channel = [](double value) {
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.redF()) + 0.7152 * channel(colour.greenF()) +
         0.0722 * channel(colour.blueF());
}

double Contrast(const QColor& a, const QColor& b) {
  const double la = Luminance(a);
  const double lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The contrast that ordinary body text needs to be read comfortably.
constexpr double ReadableContrast = 4.5;

// The wanted colour, made lighter or darker (towards the text colour) until it reads well on the
// base colour.
QColor Readable(const QColor& wanted, const QColor& base, const QColor& text) {
  const int step = Luminance(text) > Luminance(base) ? 6 : -6;
  QColor colour = wanted.toHsl();
  while (Contrast(colour, base) < ReadableContrast) {
    const int lightness = colour.lightness() + step;
    if (lightness < 0 || lightness > 255) break;
    colour.setHsl(colour.hslHue(), colour.hslSaturation(), lightness);
  }
  return colour.toRgb();
}

}  // namespace

CodeLanguage LanguageForFile(std::string_view fileName) {
  constexpr std::string_view java = ".java";
  if (fileName.size() < java.size()) return CodeLanguage::Cpp;
  const std::string_view end = fileName.substr(fileName.size() - java.size());
  const bool isJava = std::equal(end.begin(), end.end(), java.begin(), [](char a, char b) {
    return (a >= 'A' && a <= 'Z' ? a - 'A' + 'a' : a) == b;
  });
  return isJava ? CodeLanguage::Java : CodeLanguage::Cpp;
}

std::vector<CodeRange> TokenizeLine(QStringView line, CodeLanguage language, LineState& state) {
  std::vector<CodeRange> ranges;
  Scan(line, language, state, &ranges);
  return ranges;
}

LineState StateAfterLine(QStringView line, CodeLanguage language, LineState before) {
  Scan(line, language, before, nullptr);
  return before;
}

LineState StateAfterLine(std::string_view utf8Line, CodeLanguage language, LineState before) {
  Scan(utf8Line, language, before, nullptr);
  return before;
}

QFont FixedPitchFont(const QFont& wanted) {
  if (QFontInfo(wanted).fixedPitch()) return wanted;
  // The theme gave no fixed-pitch font: ask the font system for its monospace one, then for
  // families found almost everywhere.
  QFont font = wanted;
  font.setStyleHint(QFont::Monospace);
  font.setFixedPitch(true);
  for (const char* family : {"monospace", "DejaVu Sans Mono", "Liberation Mono", "Noto Mono",
                             "Courier New", "Courier"}) {
    font.setFamilies({QString::fromLatin1(family)});
    if (QFontInfo(font).fixedPitch()) return font;
  }
  return font;
}

CodeFormats::CodeFormats(const QPalette& palette) {
  const QColor base = palette.color(QPalette::Base);
  const QColor text = palette.color(QPalette::Text);
  // Hues that tell the tokens apart, at a lightness meant for the base; Readable corrects it.
  const int lightness = Luminance(text) > Luminance(base) ? 185 : 80;
  auto hued = [&](int hue) { return Readable(QColor::fromHsl(hue, 170, lightness), base, text); };
  QColor comment = text;
  comment.setRgbF(0.55f * text.redF() + 0.45f * base.redF(),
                  0.55f * text.greenF() + 0.45f * base.greenF(),
                  0.55f * text.blueF() + 0.45f * base.blueF());

  auto& keyword = formats_[static_cast<std::size_t>(CodeToken::Keyword)];
  keyword.setForeground(hued(220));
  keyword.setFontWeight(QFont::Bold);
  formats_[static_cast<std::size_t>(CodeToken::Type)].setForeground(hued(285));
  auto& commentFormat = formats_[static_cast<std::size_t>(CodeToken::Comment)];
  commentFormat.setForeground(Readable(comment, base, text));
  commentFormat.setFontItalic(true);
  formats_[static_cast<std::size_t>(CodeToken::String)].setForeground(hued(125));
  formats_[static_cast<std::size_t>(CodeToken::Preprocessor)].setForeground(hued(25));
}

}  // namespace zandrel
