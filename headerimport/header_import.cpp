#include "headerimport/header_import.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <sstream>

#include "core/output_text.h"
#include "core/text.h"
#include "headerimport/libclang.h"

namespace zandrel {

namespace {

// The macros of Qt and of export headers, for a header whose includes are not found: defined
// away, so a class using them still parses. When the real headers are found, their definitions
// take over (a redefinition is only a warning). Q_DISABLE_COPY keeps its meaning, since a class
// that uses it has its copies deleted.
constexpr std::string_view Prelude =
    "#define Q_OBJECT\n#define Q_GADGET\n#define Q_NAMESPACE\n"
    "#define Q_PROPERTY(...)\n#define Q_ENUM(...)\n#define Q_ENUMS(...)\n#define Q_FLAG(...)\n"
    "#define Q_FLAGS(...)\n#define Q_ENUM_NS(...)\n#define Q_INTERFACES(...)\n"
    "#define Q_CLASSINFO(...)\n#define Q_DECLARE_PRIVATE(...)\n#define Q_DECLARE_PUBLIC(...)\n"
    "#define Q_DECLARE_FLAGS(Flags, Enum)\n#define Q_INVOKABLE\n#define Q_SCRIPTABLE\n"
    "#define Q_SIGNALS public\n#define Q_SLOTS\n#define signals public\n#define slots\n"
    "#define emit\n#define Q_EMIT\n#define Q_DECL_EXPORT\n#define Q_DECL_IMPORT\n"
    "#define Q_DISABLE_COPY(C) C(const C&) = delete; C& operator=(const C&) = delete;\n"
    "#define Q_DISABLE_COPY_MOVE(C) Q_DISABLE_COPY(C) C(C&&) = delete; "
    "C& operator=(C&&) = delete;\n";
constexpr const char* PreludePath = "/zandrel-import/prelude.h";

std::string Text(CXString string) {
  const char* text = clang_getCString(string);
  std::string result = text ? text : "";
  clang_disposeString(string);
  return result;
}

std::string Spelling(CXCursor cursor) { return Text(clang_getCursorSpelling(cursor)); }

std::vector<CXCursor> Children(CXCursor cursor) {
  std::vector<CXCursor> children;
  clang_visitChildren(
      cursor,
      [](CXCursor child, CXCursor, CXClientData data) {
        static_cast<std::vector<CXCursor>*>(data)->push_back(child);
        return CXChildVisit_Continue;
      },
      &children);
  return children;
}

unsigned Offset(CXSourceLocation location) {
  unsigned offset = 0;
  clang_getExpansionLocation(location, nullptr, nullptr, nullptr, &offset);
  return offset;
}

int Line(CXCursor cursor) {
  unsigned line = 0;
  clang_getExpansionLocation(clang_getCursorLocation(cursor), nullptr, &line, nullptr, nullptr);
  return static_cast<int>(line);
}

std::string Squeeze(std::string_view text) {
  std::string result;
  for (char c : text)
    if (!std::isspace(static_cast<unsigned char>(c))) result += c;
  return result;
}

bool IsSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; }

std::size_t SkipSpace(std::string_view text, std::size_t at) {
  while (at < text.size() && IsSpace(text[at])) ++at;
  return at;
}

// Where the whole word starting at `at` ends, if the text there is that word.
std::optional<std::size_t> WordAt(std::string_view text, std::size_t at, std::string_view word) {
  if (text.substr(at, word.size()) != word) return std::nullopt;
  const std::size_t end = at + word.size();
  if (end < text.size() && IsWordChar(text[end])) return std::nullopt;
  return end;
}

// Leading [[attributes]] and the macros the prelude defines away, which are no part of a type.
// Scanned by hand: a header's text may be long, and std::regex recurses on each character.
std::string WithoutAttributes(std::string_view text) {
  std::string_view rest = text;
  for (bool removed = true; removed;) {
    removed = false;
    const std::size_t at = SkipSpace(rest, 0);
    std::optional<std::size_t> end;
    if (rest.substr(at, 2) == "[[") {
      const std::size_t close = rest.find("]]", at + 2);
      if (close != std::string_view::npos) end = close + 2;
    }
    for (std::string_view macro : {"Q_INVOKABLE", "Q_SCRIPTABLE", "Q_DECL_EXPORT"})
      if (!end) end = WordAt(rest, at, macro);
    if (end) {
      rest.remove_prefix(*end);
      removed = true;
    }
  }
  return Trim(std::string(rest));
}

// The words W of "class W name" and "struct W name" where W is in capitals: export macros.
std::vector<std::string> ExportMacroCandidates(std::string_view text) {
  std::vector<std::string> words;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if ((at > 0 && IsWordChar(text[at - 1])) || (text[at] != 'c' && text[at] != 's')) continue;
    auto end = WordAt(text, at, "class");
    if (!end) end = WordAt(text, at, "struct");
    if (!end || *end >= text.size() || !IsSpace(text[*end])) continue;
    const std::size_t start = SkipSpace(text, *end);
    std::size_t stop = start;
    while (stop < text.size() &&
           (std::isupper(static_cast<unsigned char>(text[stop])) ||
            std::isdigit(static_cast<unsigned char>(text[stop])) || text[stop] == '_'))
      ++stop;
    at = stop - 1;
    if (stop == start || !std::isupper(static_cast<unsigned char>(text[start])) ||
        stop >= text.size() || !IsSpace(text[stop]))
      continue;
    const std::size_t next = SkipSpace(text, stop);
    if (next < text.size() &&
        (std::isalpha(static_cast<unsigned char>(text[next])) || text[next] == '_'))
      words.emplace_back(text.substr(start, stop - start));
  }
  return words;
}

// Whether the text has an #include of the file named `name`, in any folder.
bool IncludesFileNamed(std::string_view text, std::string_view name) {
  for (std::size_t hash = text.find('#'); hash != std::string_view::npos;
       hash = text.find('#', hash + 1)) {
    auto end = WordAt(text, SkipSpace(text, hash + 1), "include");
    if (!end) continue;
    const std::size_t open = SkipSpace(text, *end);
    if (open >= text.size() || (text[open] != '"' && text[open] != '<')) continue;
    const std::size_t close = text.find_first_of("\">", open + 1);
    if (close == std::string_view::npos) return false;
    const std::string_view path = text.substr(open + 1, close - open - 1);
    if (path == name || (path.size() > name.size() && path.ends_with(name) &&
                         path[path.size() - name.size() - 1] == '/'))
      return true;
  }
  return false;
}

bool StartsWith(std::string_view text, std::string_view start) {
  return text.substr(0, start.size()) == start;
}

// A parsed header: the translation unit, its text, and where its own declarations lie.
class Parsed {
 public:
  Parsed(CXIndex index, CXTranslationUnit unit) : index_(index), unit_(unit) {}
  Parsed(const Parsed&) = delete;
  Parsed& operator=(const Parsed&) = delete;
  ~Parsed() {
    if (unit_) clang_disposeTranslationUnit(unit_);
    clang_disposeIndex(index_);
  }
  CXTranslationUnit Unit() const { return unit_; }

  std::string_view Source() const { return source_; }
  void SetSource(std::string source) { source_ = std::move(source); }

  // The header's own text from one offset to another.
  std::string Slice(unsigned from, unsigned to) const {
    if (from >= source_.size() || to <= from) return {};
    return source_.substr(from, std::min<std::size_t>(to, source_.size()) - from);
  }

  // Whether the cursor was written in the header itself, not brought by an include or a macro.
  bool Own(CXCursor cursor) const {
    CXFile file = nullptr;
    clang_getSpellingLocation(clang_getCursorLocation(cursor), &file, nullptr, nullptr, nullptr);
    CXFile expanded = nullptr;
    clang_getExpansionLocation(clang_getCursorLocation(cursor), &expanded, nullptr, nullptr,
                               nullptr);
    return file && expanded && clang_File_isEqual(file, main_) &&
           clang_File_isEqual(expanded, main_);
  }
  void SetMain(CXFile main) { main_ = main; }

  // The spellings of the tokens a cursor covers, with their offsets.
  struct Token {
    std::string Spelling;
    unsigned Begin;
    unsigned End;
  };
  std::vector<Token> Tokens(CXCursor cursor) const {
    CXToken* tokens = nullptr;
    unsigned count = 0;
    clang_tokenize(unit_, clang_getCursorExtent(cursor), &tokens, &count);
    std::vector<Token> result;
    for (unsigned i = 0; i < count; ++i) {
      const CXSourceRange range = clang_getTokenExtent(unit_, tokens[i]);
      result.push_back({Text(clang_getTokenSpelling(unit_, tokens[i])),
                        Offset(clang_getRangeStart(range)), Offset(clang_getRangeEnd(range))});
    }
    clang_disposeTokens(unit_, tokens, count);
    return result;
  }

 private:
  CXIndex index_;
  CXTranslationUnit unit_;
  CXFile main_ = nullptr;
  std::string source_;
};

std::string QualifiedName(CXCursor cursor) {
  std::string name = Spelling(cursor);
  for (CXCursor parent = clang_getCursorSemanticParent(cursor);
       !clang_Cursor_isNull(parent) && clang_getCursorKind(parent) != CXCursor_TranslationUnit;
       parent = clang_getCursorSemanticParent(parent)) {
    const std::string outer = Spelling(parent);
    if (!outer.empty()) name = outer + "::" + name;
  }
  return name;
}

bool IsRecordKind(CXCursorKind kind) {
  return kind == CXCursor_ClassDecl || kind == CXCursor_StructDecl || kind == CXCursor_UnionDecl ||
         kind == CXCursor_ClassTemplate || kind == CXCursor_ClassTemplatePartialSpecialization;
}

bool Nameless(CXCursor cursor) {
  return clang_Cursor_isAnonymous(cursor) || Spelling(cursor).empty() ||
         Spelling(cursor).find('(') != std::string::npos;
}

struct Definition {
  CXCursor Cursor{};
  DefinedType Type;
};

int RowCount(CXCursor cursor) {
  int rows = 0;
  for (CXCursor child : Children(cursor)) {
    const CXCursorKind kind = clang_getCursorKind(child);
    rows += kind == CXCursor_FieldDecl || kind == CXCursor_CXXMethod ||
            kind == CXCursor_EnumConstantDecl;
  }
  return rows;
}

void CollectDefinitions(const Parsed& parsed, CXCursor scope, std::vector<Definition>& found) {
  for (CXCursor child : Children(scope)) {
    const CXCursorKind kind = clang_getCursorKind(child);
    if (kind == CXCursor_Namespace || kind == CXCursor_LinkageSpec) {
      CollectDefinitions(parsed, child, found);
      continue;
    }
    const bool record = IsRecordKind(kind);
    if ((!record && kind != CXCursor_EnumDecl) || !clang_isCursorDefinition(child) ||
        !parsed.Own(child))
      continue;
    DefinedType type;
    type.QualifiedName = Nameless(child) ? "(nameless)" : QualifiedName(child);
    type.Line = Line(child);
    type.Size = RowCount(child);
    type.IsEnumeration = kind == CXCursor_EnumDecl;
    switch (kind) {
      case CXCursor_ClassDecl:
        type.Kind = "class";
        break;
      case CXCursor_StructDecl:
        type.Kind = "struct";
        break;
      case CXCursor_UnionDecl:
        type.Kind = "union";
        break;
      case CXCursor_EnumDecl:
        type.Kind = clang_EnumDecl_isScoped(child) ? "enum class" : "enum";
        break;
      default:
        type.Kind = "class template";
        break;
    }
    type.Describable =
        (kind == CXCursor_ClassDecl || kind == CXCursor_StructDecl || kind == CXCursor_EnumDecl) &&
        !Nameless(child);
    found.push_back({child, type});
    if (record) CollectDefinitions(parsed, child, found);
  }
}

std::variant<std::unique_ptr<Parsed>, ImportFailure> Parse(
    const std::string& headerPath, const std::vector<std::string>& compilerArguments) {
  auto source = ReadInputFile(headerPath, JsonFileLimit);
  if (auto* failure = std::get_if<FileFailure>(&source))
    return ImportFailure{ImportFault::Unreadable, 0, "could not be read: " + failure->Reason};

  std::vector<std::string> arguments{"-xc++-header"};
  const bool standardGiven =
      std::any_of(compilerArguments.begin(), compilerArguments.end(),
                  [](const std::string& a) { return StartsWith(a, "-std="); });
  if (!standardGiven) arguments.emplace_back("-std=c++20");
  arguments.insert(arguments.end(), compilerArguments.begin(), compilerArguments.end());
  // An export macro between "class" and the name, defined nowhere the header can reach, would make
  // the macro's name the class's: each such word is defined empty (a definition the header's own
  // includes give replaces it).
  for (const std::string& word : ExportMacroCandidates(std::get<std::string>(source)))
    arguments.push_back("-D" + word + "=");
  arguments.emplace_back("-include");
  arguments.emplace_back(PreludePath);
  arguments.emplace_back("-Wno-pragma-once-outside-header");

  std::vector<const char*> argv;
  argv.reserve(arguments.size());
  for (const std::string& argument : arguments) argv.push_back(argument.c_str());
  CXUnsavedFile prelude{PreludePath, Prelude.data(), static_cast<unsigned long>(Prelude.size())};
  if (auto missing = LibClangMissing()) return ImportFailure{ImportFault::Unreadable, 0, *missing};
  CXIndex index = clang_createIndex(0, 0);
  CXTranslationUnit unit = nullptr;
  const CXErrorCode code = clang_parseTranslationUnit2(
      index, headerPath.c_str(), argv.data(), static_cast<int>(argv.size()), &prelude, 1,
      CXTranslationUnit_KeepGoing | CXTranslationUnit_SkipFunctionBodies |
          CXTranslationUnit_Incomplete,
      &unit);
  auto parsed = std::make_unique<Parsed>(index, unit);
  if (code != CXError_Success || !unit)
    return ImportFailure{ImportFault::Unreadable, 0, "could not be parsed"};
  parsed->SetMain(clang_getFile(unit, headerPath.c_str()));
  parsed->SetSource(std::move(std::get<std::string>(source)));
  return parsed;
}

std::vector<std::pair<int, std::string>> MissingIncludes(const Parsed& parsed) {
  std::vector<std::pair<int, std::string>> missing;
  const unsigned count = clang_getNumDiagnostics(parsed.Unit());
  for (unsigned i = 0; i < count; ++i) {
    CXDiagnostic diagnostic = clang_getDiagnostic(parsed.Unit(), i);
    const std::string message = Text(clang_getDiagnosticSpelling(diagnostic));
    unsigned line = 0;
    clang_getExpansionLocation(clang_getDiagnosticLocation(diagnostic), nullptr, &line, nullptr,
                               nullptr);
    clang_disposeDiagnostic(diagnostic);
    // "'NAME' file not found"
    const std::size_t open = message.find('\'');
    const std::size_t close = message.rfind("' file not found");
    if (open != std::string::npos && close != std::string::npos && close > open)
      missing.emplace_back(static_cast<int>(line), message.substr(open + 1, close - open - 1));
  }
  return missing;
}

// --- Classes ----------------------------------------------------------------------------------

struct Member {
  CXCursor Cursor{};
  MemberRow Row;
};

struct Function {
  CXCursor Cursor{};
  std::string Name;
  std::string Type;       // the return type as written
  std::string Signature;  // name(parameters) qualifiers, as written
  int Parameters = 0;
  bool Defaulted = false;
  bool Deleted = false;
  bool Friend = false;
};

// The part of a function's declaration from its name to the end of its qualifiers, and whether it
// ends in "= delete".
void ReadDeclarator(const Parsed& parsed, CXCursor cursor, Function& function) {
  const std::vector<Parsed::Token> tokens = parsed.Tokens(cursor);
  const unsigned nameAt = Offset(clang_getCursorLocation(cursor));
  unsigned end = nameAt;
  int depth = 0;
  bool parametersSeen = false;
  for (std::size_t i = 0; i < tokens.size(); ++i) {
    const Parsed::Token& token = tokens[i];
    if (token.Begin < nameAt) continue;
    const std::string& s = token.Spelling;
    if (s == "(" || s == "[" || s == "<") ++depth;
    if (s == ")" || s == "]" || s == ">") --depth;
    if (depth == 0 && parametersSeen && (s == "{" || s == "=" || s == ";" || s == ":")) {
      if (s == "=" && i + 1 < tokens.size()) function.Deleted = tokens[i + 1].Spelling == "delete";
      break;
    }
    if (s == ")" && depth == 0) parametersSeen = true;
    end = token.End;
  }
  function.Signature = Trim(parsed.Slice(nameAt, end));
}

Function ReadFunction(const Parsed& parsed, CXCursor cursor) {
  Function function;
  function.Cursor = cursor;
  function.Name = Spelling(cursor);
  function.Parameters = std::max(0, clang_Cursor_getNumArguments(cursor));
  function.Defaulted = clang_CXXMethod_isDefaulted(cursor);
  const unsigned begin = Offset(clang_getRangeStart(clang_getCursorExtent(cursor)));
  function.Type = WithoutAttributes(parsed.Slice(begin, Offset(clang_getCursorLocation(cursor))));
  ReadDeclarator(parsed, cursor, function);
  return function;
}

// std::array<std::array<T, 2>, 3> back to T and [3][2], as the modern target writes an array row.
void UnwrapStdArray(MemberRow& row) {
  std::string dimensions;
  std::string type = row.Type;
  while (StartsWith(type, "std::array<") && type.back() == '>') {
    const std::string inner = type.substr(11, type.size() - 12);
    int depth = 0;
    std::size_t comma = std::string::npos;
    for (std::size_t i = 0; i < inner.size(); ++i) {
      if (inner[i] == '<' || inner[i] == '(') ++depth;
      if (inner[i] == '>' || inner[i] == ')') --depth;
      if (inner[i] == ',' && depth == 0) comma = i;
    }
    if (comma == std::string::npos) break;
    dimensions += "[" + Trim(inner.substr(comma + 1)) + "]";
    type = Trim(inner.substr(0, comma));
  }
  if (dimensions.empty()) return;
  row.Type = type;
  row.Name += dimensions;
}

// Where the declarator starting at from ends: the first ',' or ';' outside brackets and quotes.
unsigned DeclaratorEnd(std::string_view source, unsigned from) {
  int depth = 0;
  for (std::size_t i = from; i < source.size(); ++i) {
    const char c = source[i];
    if (c == '"' || c == '\'') {
      for (++i; i < source.size() && source[i] != c; ++i)
        if (source[i] == '\\') ++i;
    } else if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if (c == ')' || c == ']' || c == '}') {
      --depth;
    } else if (depth <= 0 && (c == ',' || c == ';')) {
      return static_cast<unsigned>(i);
    }
  }
  return static_cast<unsigned>(source.size());
}

Member ReadField(const Parsed& parsed, CXCursor cursor, const Member* previous, bool modern) {
  Member member;
  member.Cursor = cursor;
  const CXSourceRange extent = clang_getCursorExtent(cursor);
  const unsigned begin = Offset(clang_getRangeStart(extent));
  const unsigned nameAt = Offset(clang_getCursorLocation(cursor));
  std::string type = WithoutAttributes(parsed.Slice(begin, nameAt));
  // The second declarator of "int a, *b;" starts where the first does.
  const std::size_t comma = type.rfind(',');
  if (previous && comma != std::string::npos) {
    std::string base = previous->Row.Type;
    while (!base.empty() && (base.back() == '*' || base.back() == '&' || base.back() == ' '))
      base.pop_back();
    const std::string extra = Trim(type.substr(comma + 1));
    type = extra.empty() ? base : base + extra;
  }
  // A member declared with its type's definition ("struct Margin {...} margin;") has that type
  // by its name.
  if (const std::size_t brace = type.find('{'); brace != std::string::npos)
    type = Trim(type.substr(0, brace));
  member.Row.Type = type;
  member.Row.Name = Spelling(cursor);

  const std::vector<Parsed::Token> tokens = parsed.Tokens(cursor);
  std::size_t i = 0;
  while (i < tokens.size() && tokens[i].Begin <= nameAt) ++i;
  std::string dimensions;
  while (i < tokens.size() && tokens[i].Spelling == "[") {
    const unsigned from = tokens[i].Begin;
    int depth = 0;
    for (; i < tokens.size(); ++i) {
      depth += tokens[i].Spelling == "[" ? 1 : tokens[i].Spelling == "]" ? -1 : 0;
      if (depth == 0) break;
    }
    if (i == tokens.size()) break;
    dimensions += Squeeze(parsed.Slice(from, tokens[i].End));
    ++i;
  }
  member.Row.Name += dimensions;
  // The initialiser, read from the text: the extent of a member whose type clang did not know
  // ends at its name.
  const unsigned after = i < tokens.size() ? tokens[i].Begin : i > 0 ? tokens[i - 1].End : nameAt;
  const std::string initial = Trim(parsed.Slice(after, DeclaratorEnd(parsed.Source(), after)));
  if (!initial.empty() && initial.front() == '=')
    member.Row.InitialValue = Trim(initial.substr(1));
  else if (initial.size() >= 2 && initial.front() == '{' && initial.back() == '}')
    member.Row.InitialValue = Trim(initial.substr(1, initial.size() - 2));
  if (modern) UnwrapStdArray(member.Row);
  return member;
}

// The class named by a parameter's type, through references and const.
bool NamesClass(CXType type, CXCursor record) {
  if (type.kind == CXType_LValueReference || type.kind == CXType_RValueReference)
    type = clang_getPointeeType(type);
  const CXCursor declaration = clang_getTypeDeclaration(type);
  return !clang_Cursor_isNull(declaration) &&
         clang_equalCursors(clang_getCanonicalCursor(declaration),
                            clang_getCanonicalCursor(record));
}

bool IsCopyOrMove(const Function& function, CXCursor record) {
  if (function.Parameters != 1) return false;
  const CXCursor parameter = clang_Cursor_getArgument(function.Cursor, 0);
  const CXType type = clang_getCursorType(parameter);
  if (type.kind != CXType_LValueReference && type.kind != CXType_RValueReference) return false;
  if (NamesClass(type, record)) return true;
  // An invalid type (its class unknown to clang) is judged by its text.
  const std::string written = Squeeze(function.Signature);
  const std::string name = Spelling(record);
  return written.find("(const" + name + "&") != std::string::npos ||
         written.find("(" + name + "&&") != std::string::npos;
}

bool IsCopy(const Function& function, CXCursor record) {
  return IsCopyOrMove(function, record) &&
         clang_getCursorType(clang_Cursor_getArgument(function.Cursor, 0)).kind ==
             CXType_LValueReference;
}

struct ClassParts {
  std::vector<Member> Fields;
  std::vector<Function> Methods;
  std::vector<Function> Constructors;
  std::vector<Function> Friends;
  std::vector<Function> Specials;  // destructors, assignments and comparisons as options see them
};

void CollectClassParts(const Parsed& parsed, CXCursor record, bool modern, ClassParts& parts) {
  for (CXCursor child : Children(record)) {
    switch (clang_getCursorKind(child)) {
      case CXCursor_FieldDecl:
        if (parsed.Own(child))
          parts.Fields.push_back(ReadField(
              parsed, child, parts.Fields.empty() ? nullptr : &parts.Fields.back(), modern));
        break;
      case CXCursor_CXXMethod: {
        Function function = ReadFunction(parsed, child);
        if (parsed.Own(child) || function.Defaulted || function.Deleted)
          parts.Methods.push_back(std::move(function));
        break;
      }
      case CXCursor_Constructor:
        parts.Constructors.push_back(ReadFunction(parsed, child));
        break;
      case CXCursor_Destructor:
        parts.Specials.push_back(ReadFunction(parsed, child));
        break;
      case CXCursor_FriendDecl:
        for (CXCursor declaration : Children(child))
          if (clang_getCursorKind(declaration) == CXCursor_FunctionDecl) {
            Function function = ReadFunction(parsed, declaration);
            function.Friend = true;
            parts.Friends.push_back(std::move(function));
          }
        break;
      default:
        break;
    }
  }
}

bool TakesAccessors(const MemberRow& row) { return IsDataMember(row) && !IsArray(row.Name); }

// Accessors of the naming form the target writes become the NameForm option: the form most of
// them follow, and only its getters and setters leave the rows.
void ReadAccessors(ClassParts& parts, GenerationOptions& options) {
  std::vector<const MemberRow*> reached;
  for (const Member& field : parts.Fields)
    if (TakesAccessors(field.Row)) reached.push_back(&field.Row);
  auto isAccessor = [&](NameForm form, const Function& method) {
    for (const MemberRow* row : reached) {
      if (method.Parameters == 0 &&
          method.Name == AccessorName(form, AccessorKind::Getter, row->Name))
        return true;
      if (method.Parameters == 1 &&
          method.Name == AccessorName(form, AccessorKind::Setter, row->Name))
        return true;
    }
    return false;
  };
  int best = 0;
  for (NameForm form : {NameForm::LowerUnderscore, NameForm::LowerCamel, NameForm::UpperCamel}) {
    const auto count = std::count_if(parts.Methods.begin(), parts.Methods.end(),
                                     [&](const Function& m) { return isAccessor(form, m); });
    if (count > best) {
      best = static_cast<int>(count);
      options.NameForm = form;
    }
  }
  if (best == 0) return;
  std::erase_if(parts.Methods, [&](const Function& m) { return isAccessor(options.NameForm, m); });
}

bool SameType(const std::string& written, CXType parameter, const Member& field) {
  const CXType fieldType = clang_getCursorType(field.Cursor);
  if (!clang_isInvalidDeclaration(field.Cursor) && parameter.kind != CXType_Invalid &&
      clang_equalTypes(clang_getCanonicalType(parameter), clang_getCanonicalType(fieldType)))
    return true;
  return Squeeze(written) == Squeeze(field.Row.Type);
}

// A constructor taking every member an accessor reaches, in row order, is the all-members one.
bool IsBigConstructor(const Parsed& parsed, const Function& constructor, const ClassParts& parts) {
  std::vector<const Member*> members;
  for (const Member& field : parts.Fields)
    if (TakesAccessors(field.Row)) members.push_back(&field);
  if (members.empty() || constructor.Parameters != static_cast<int>(members.size())) return false;
  for (int i = 0; i < constructor.Parameters; ++i) {
    const CXCursor parameter =
        clang_Cursor_getArgument(constructor.Cursor, static_cast<unsigned>(i));
    const CXSourceRange extent = clang_getCursorExtent(parameter);
    const std::string written = parsed.Slice(Offset(clang_getRangeStart(extent)),
                                             Offset(clang_getCursorLocation(parameter)));
    if (!SameType(written, clang_getCursorType(parameter), *members[static_cast<std::size_t>(i)]))
      return false;
  }
  return true;
}

std::vector<std::string> ReadOptions(const Parsed& parsed, CXCursor record, ClassParts& parts,
                                     GenerationOptions& options) {
  std::vector<std::string> notes;
  ReadAccessors(parts, options);
  for (const Function& constructor : parts.Constructors) {
    const bool special = clang_CXXConstructor_isDefaultConstructor(constructor.Cursor) ||
                         IsCopyOrMove(constructor, record);
    if (special && constructor.Deleted && IsCopy(constructor, record)) options.PrivateCopy = true;
    if (!special && IsBigConstructor(parsed, constructor, parts)) {
      options.BigConstructor = true;
      continue;
    }
    if (!special && !constructor.Defaulted && !constructor.Deleted &&
        parsed.Own(constructor.Cursor))
      notes.push_back(std::to_string(Line(constructor.Cursor)) + ": constructor " +
                      constructor.Signature + " is not a row; left out");
  }
  for (const Function& special : parts.Specials)
    if (!special.Defaulted && !special.Deleted && parsed.Own(special.Cursor))
      notes.push_back(std::to_string(Line(special.Cursor)) + ": destructor " + special.Signature +
                      " is not a row; left out");
  auto comparison = [&](const Function& function) {
    if (!function.Defaulted) return false;
    if (function.Name == "operator<=>") {
      options.ComparisonLevel = ComparisonLevel::AllComparisons;
      return true;
    }
    if (function.Name == "operator==") {
      if (options.ComparisonLevel == ComparisonLevel::NoComparisons)
        options.ComparisonLevel = ComparisonLevel::EqualityOnly;
      return true;
    }
    return false;
  };
  std::erase_if(parts.Methods, [&](const Function& method) {
    if (comparison(method)) return true;
    if (method.Name == "operator=" && (method.Defaulted || method.Deleted)) {
      if (method.Deleted && IsCopy(method, record)) options.PrivateCopy = true;
      return true;
    }
    return !parsed.Own(method.Cursor);
  });
  for (const Function& function : parts.Friends) {
    comparison(function);
    if (function.Name == "operator<<" && function.Parameters == 2) options.ToStringMethod = true;
  }
  return notes;
}

// A free operator<< for the class, declared in the header after it.
bool HasFreeOutputOperator(const Parsed& parsed, CXCursor record) {
  bool found = false;
  std::vector<CXCursor> scopes{clang_getCursorSemanticParent(record)};
  for (CXCursor child : Children(scopes.front())) {
    if (clang_getCursorKind(child) != CXCursor_FunctionDecl || !parsed.Own(child)) continue;
    if (Spelling(child) != "operator<<" || clang_Cursor_getNumArguments(child) != 2) continue;
    const CXType type = clang_getCursorType(clang_Cursor_getArgument(child, 1));
    const std::string written = Text(clang_getTypeSpelling(type));
    found = found || NamesClass(type, record) ||
            Squeeze(written).find(Spelling(record)) != std::string::npos;
  }
  return found;
}

ClassDescription ReadClass(const Parsed& parsed, CXCursor record, TargetSystem target,
                           std::vector<std::string>& notes) {
  ClassDescription description;
  description.ClassName = Spelling(record);
  description.Options.TargetSystem = target;
  description.Options.FrameworkLibrary = false;
  ClassParts parts;
  CollectClassParts(parsed, record, target == TargetSystem::ModernCpp, parts);
  notes = ReadOptions(parsed, record, parts, description.Options);
  if (HasFreeOutputOperator(parsed, record)) description.Options.ToStringMethod = true;

  // Rows in declaration order: fields and the methods left, by where they stand.
  std::vector<std::pair<unsigned, MemberRow>> rows;
  for (const Member& field : parts.Fields)
    rows.emplace_back(Offset(clang_getCursorLocation(field.Cursor)), field.Row);
  for (const Function& method : parts.Methods)
    rows.emplace_back(Offset(clang_getCursorLocation(method.Cursor)),
                      MemberRow{method.Type, method.Signature, "", 0});
  std::stable_sort(rows.begin(), rows.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (auto& [offset, row] : rows) {
    row.RowNumber = static_cast<int>(description.Members.size()) + 1;
    description.Members.push_back(std::move(row));
  }
  return description;
}

EnumerationRequest ReadEnumeration(const Parsed& parsed, CXCursor enumeration,
                                   std::vector<std::string>& notes) {
  EnumerationRequest request;
  request.TypeName = Spelling(enumeration);
  request.Style = EnumerationStyle::ModernEnumeration;
  request.FirstAndLast = false;
  request.ApplyPrefix = false;
  request.PrefixText.clear();
  std::size_t row = 0;
  for (CXCursor child : Children(enumeration)) {
    if (clang_getCursorKind(child) != CXCursor_EnumConstantDecl) continue;
    if (row == request.GridRows.size()) {
      notes.push_back(std::to_string(Line(child)) + ": only the first " +
                      std::to_string(NameGridRows) + " enumerators fit the enumeration list");
      break;
    }
    GridRow& grid = request.GridRows[row++];
    grid.Name = Spelling(child);
    const std::vector<Parsed::Token> tokens = parsed.Tokens(child);
    const auto equals = std::find_if(tokens.begin(), tokens.end(),
                                     [](const Parsed::Token& t) { return t.Spelling == "="; });
    if (equals != tokens.end())
      grid.Value =
          Trim(parsed.Slice(equals->End, Offset(clang_getRangeEnd(clang_getCursorExtent(child)))));
  }
  return request;
}

// A parsed header with the types it defines itself.
struct ParsedHeader {
  std::unique_ptr<Parsed> Header;
  std::vector<Definition> Definitions;
};

std::variant<ParsedHeader, ImportFailure> ParseDefinitions(
    const std::string& headerPath, const std::vector<std::string>& compilerArguments) {
  auto parsed = Parse(headerPath, compilerArguments);
  if (auto* failure = std::get_if<ImportFailure>(&parsed)) return *failure;
  ParsedHeader header{std::move(std::get<std::unique_ptr<Parsed>>(parsed)), {}};
  CollectDefinitions(*header.Header, clang_getTranslationUnitCursor(header.Header->Unit()),
                     header.Definitions);
  return header;
}

// Why no helper outside could name the type (empty: one can), and the namespaces around it.
std::string Unreachable(CXCursor type, std::string& space) {
  std::string why;
  std::vector<std::string> namespaces;
  for (CXCursor scope = clang_getCursorSemanticParent(type);
       !clang_Cursor_isNull(scope) && clang_getCursorKind(scope) != CXCursor_TranslationUnit;
       scope = clang_getCursorSemanticParent(scope)) {
    const CXCursorKind kind = clang_getCursorKind(scope);
    if (kind == CXCursor_Namespace) {
      if (Spelling(scope).empty()) why = "it is in an unnamed namespace";
      namespaces.insert(namespaces.begin(), Spelling(scope));
    } else if (kind == CXCursor_ClassTemplate ||
               kind == CXCursor_ClassTemplatePartialSpecialization) {
      why = "it is in a class template";
    } else if (IsRecordKind(kind) && Nameless(scope)) {
      why = "it is in a nameless class";
    }
  }
  for (CXCursor scope = type;
       why.empty() && IsRecordKind(clang_getCursorKind(clang_getCursorSemanticParent(scope)));
       scope = clang_getCursorSemanticParent(scope)) {
    const CX_CXXAccessSpecifier access = clang_getCXXAccessSpecifier(scope);
    if (access == CX_CXXPrivate || access == CX_CXXProtected)
      why = Spelling(scope) + " is not public";
  }
  space.clear();
  for (const std::string& name : namespaces) space += (space.empty() ? "" : "::") + name;
  return why;
}

// Whether a function is defaulted: clang tells so of methods only, the text of friends too.
bool Defaulted(const Parsed& parsed, CXCursor function) {
  if (clang_CXXMethod_isDefaulted(function)) return true;
  const std::vector<Parsed::Token> tokens = parsed.Tokens(function);
  return tokens.size() >= 2 && tokens[tokens.size() - 2].Spelling == "=" &&
         tokens.back().Spelling == "default";
}

// Whether a function declared anywhere in the unit (the class's friends included) takes the
// class as its parameter at: an operator<< or to_json of its own; with custom, only one that is
// not defaulted.
bool HasFunctionFor(const Parsed& parsed, CXCursor record, const char* name, unsigned at,
                    bool custom = false) {
  struct Search {
    const Parsed& Header;
    CXCursor Record;
    const char* Name;
    unsigned At;
    bool Custom;
    bool Found = false;
  } search{parsed, record, name, at, custom};
  clang_visitChildren(
      clang_getTranslationUnitCursor(parsed.Unit()),
      [](CXCursor cursor, CXCursor, CXClientData data) {
        auto& s = *static_cast<Search*>(data);
        const CXCursorKind kind = clang_getCursorKind(cursor);
        if (kind == CXCursor_FunctionDecl && Spelling(cursor) == s.Name &&
            clang_Cursor_getNumArguments(cursor) > static_cast<int>(s.At) &&
            NamesClass(clang_getCursorType(clang_Cursor_getArgument(cursor, s.At)), s.Record) &&
            !(s.Custom && Defaulted(s.Header, cursor)))
          s.Found = true;
        const bool scope = kind == CXCursor_Namespace || kind == CXCursor_LinkageSpec ||
                           kind == CXCursor_FriendDecl || IsRecordKind(kind);
        return s.Found ? CXChildVisit_Break : scope ? CXChildVisit_Recurse : CXChildVisit_Continue;
      },
      &search);
  return search.Found;
}

// Whether std::hash is specialised for the class in the unit.
bool HasHashFor(CXTranslationUnit unit, CXCursor record) {
  const std::string wanted =
      "std::hash<" +
      Text(clang_getTypeSpelling(clang_getCanonicalType(clang_getCursorType(record)))) + ">";
  std::pair<std::string, bool> search{wanted, false};
  clang_visitChildren(
      clang_getTranslationUnitCursor(unit),
      [](CXCursor cursor, CXCursor, CXClientData data) {
        auto& s = *static_cast<std::pair<std::string, bool>*>(data);
        const CXCursorKind kind = clang_getCursorKind(cursor);
        if (kind == CXCursor_StructDecl && Spelling(cursor) == "hash" &&
            Text(clang_getTypeSpelling(clang_getCanonicalType(clang_getCursorType(cursor)))) ==
                s.first)
          s.second = true;
        const bool scope = kind == CXCursor_Namespace || kind == CXCursor_LinkageSpec;
        return s.second ? CXChildVisit_Break : scope ? CXChildVisit_Recurse : CXChildVisit_Continue;
      },
      &search);
  return search.second;
}

CompanionClass ReadCompanionClass(const Parsed& parsed, const Definition& definition,
                                  const std::string& space) {
  const CXCursor record = definition.Cursor;
  CompanionClass type;
  type.QualifiedName = definition.Type.QualifiedName;
  type.Namespace = space;
  type.Shown = Spelling(record);
  for (CXCursor child : Children(record)) {
    const CX_CXXAccessSpecifier access = clang_getCXXAccessSpecifier(child);
    switch (clang_getCursorKind(child)) {
      case CXCursor_CXXBaseSpecifier:
        if (type.Base.empty()) type.Base = Text(clang_getTypeSpelling(clang_getCursorType(child)));
        break;
      case CXCursor_FieldDecl: {
        const CXType fieldType = clang_getCursorType(child);
        const CXType canonical = clang_getCanonicalType(fieldType);
        const CXTypeKind element = canonical.kind == CXType_ConstantArray
                                       ? clang_getArrayElementType(canonical).kind
                                       : CXType_Invalid;
        type.Fields.push_back({Spelling(child), access == CX_CXXPublic,
                               clang_isConstQualifiedType(fieldType) != 0 ||
                                   fieldType.kind == CXType_LValueReference ||
                                   fieldType.kind == CXType_RValueReference,
                               canonical.kind != CXType_Pointer &&
                                   canonical.kind != CXType_MemberPointer &&
                                   element != CXType_ConstantArray,
                               element == CXType_Char_S || element == CXType_Char_U});
        break;
      }
      case CXCursor_CXXMethod:
        if (Spelling(child) == "operator==" && !Defaulted(parsed, child))
          type.CustomEquality = true;
        if (access == CX_CXXPublic && !clang_CXXMethod_isStatic(child))
          type.Methods.push_back({Spelling(child), clang_Cursor_getNumArguments(child),
                                  clang_CXXMethod_isConst(child) != 0});
        break;
      default:
        break;
    }
  }
  type.OutputOperator = HasFunctionFor(parsed, record, "operator<<", 1);
  type.Json = HasFunctionFor(parsed, record, "to_json", 1);
  type.Hash = HasHashFor(parsed.Unit(), record);
  type.CustomEquality =
      type.CustomEquality || HasFunctionFor(parsed, record, "operator==", 0, true);
  return type;
}

std::string Listing(const std::vector<Definition>& definitions) {
  if (definitions.empty()) return "it defines no class, struct or enumeration";
  std::string text = "it defines ";
  for (std::size_t i = 0; i < definitions.size(); ++i)
    text += (i ? ", " : "") + DescribeDefinedType(definitions[i].Type);
  return text;
}

bool Matches(const DefinedType& type, const std::string& wanted) {
  return NamesType(type.QualifiedName, wanted);
}

}  // namespace

bool NamesType(const std::string& qualifiedName, const std::string& wanted) {
  std::string name = StartsWith(wanted, "::") ? wanted.substr(2) : wanted;
  if (qualifiedName == name) return true;
  const std::string& qualified = qualifiedName;
  return qualified.size() > name.size() + 2 &&
         qualified.compare(qualified.size() - name.size(), name.size(), name) == 0 &&
         qualified.compare(qualified.size() - name.size() - 2, 2, "::") == 0;
}

std::string DescribeDefinedType(const DefinedType& type) {
  const char* unit = type.IsEnumeration ? " enumerator" : " row";
  return type.Kind + " " + type.QualifiedName + " (" + std::to_string(type.Size) + unit +
         (type.Size == 1 ? "" : "s") + ", line " + std::to_string(type.Line) + ")";
}

std::variant<std::vector<DefinedType>, ImportFailure> ListDefinedTypes(
    const std::string& headerPath, const std::vector<std::string>& compilerArguments) {
  auto parsed = ParseDefinitions(headerPath, compilerArguments);
  if (auto* failure = std::get_if<ImportFailure>(&parsed)) return *failure;
  const std::vector<Definition>& definitions = std::get<ParsedHeader>(parsed).Definitions;
  std::vector<DefinedType> types;
  types.reserve(definitions.size());
  for (const Definition& definition : definitions) types.push_back(definition.Type);
  return types;
}

std::variant<ImportedHeader, ImportFailure> ImportHeader(const ImportRequest& request) {
  auto parsed = ParseDefinitions(request.HeaderPath, request.CompilerArguments);
  if (auto* failure = std::get_if<ImportFailure>(&parsed)) return *failure;
  const Parsed& header = *std::get<ParsedHeader>(parsed).Header;
  const std::vector<Definition>& definitions = std::get<ParsedHeader>(parsed).Definitions;

  const Definition* chosen = nullptr;
  for (const Definition& definition : definitions) {
    const bool enumeration = definition.Type.IsEnumeration;
    if (request.Kind == ImportKind::Class && enumeration) continue;
    if (request.Kind == ImportKind::Enumeration && !enumeration) continue;
    if (request.Name.empty() ? definition.Type.Describable && !enumeration
                             : Matches(definition.Type, request.Name)) {
      chosen = &definition;
      break;
    }
  }
  const char* what = request.Kind == ImportKind::Enumeration ? "enumeration"
                     : request.Kind == ImportKind::Class     ? "class or struct"
                                                             : "class, struct or enumeration";
  if (!chosen)
    return ImportFailure{
        ImportFault::NotDescribable, 0,
        request.Name.empty()
            ? std::string("no class or struct defined here; ") + Listing(definitions)
            : "no " + std::string(what) + " named " + request.Name + " here; " +
                  Listing(definitions)};
  if (!chosen->Type.Describable) {
    const std::string why = chosen->Type.Kind == "union"            ? "a union"
                            : chosen->Type.Kind == "class template" ? "a template"
                                                                    : "a nameless type";
    return ImportFailure{ImportFault::NotDescribable, chosen->Type.Line,
                         chosen->Type.QualifiedName + " is " + why +
                             ", which a description cannot hold; " + Listing(definitions)};
  }

  ImportedHeader imported;
  std::vector<std::string> notes;
  if (chosen->Type.IsEnumeration)
    imported.Record = ReadEnumeration(header, chosen->Cursor, notes);
  else
    imported.Record = ReadClass(header, chosen->Cursor, request.Target, notes);
  for (const Definition& definition : definitions) imported.Defined.push_back(definition.Type);
  imported.MissingIncludes = MissingIncludes(header);
  imported.Notes = std::move(notes);
  return imported;
}

// An enumeration of the header with every enumerator and its value, read in its underlying
// type's sign.
CompanionEnumeration ReadCompanionEnumeration(const Parsed& header, const Definition& definition,
                                              const std::string& space) {
  CompanionEnumeration enumeration;
  enumeration.QualifiedName = definition.Type.QualifiedName;
  enumeration.Namespace = space;
  // A colon between the name and the brace gives the underlying type.
  enumeration.FixedType = clang_EnumDecl_isScoped(definition.Cursor) != 0;
  for (const Parsed::Token& token : header.Tokens(definition.Cursor)) {
    if (token.Spelling == "{") break;
    if (token.Spelling == ":") enumeration.FixedType = true;
  }
  const CXType underlying = clang_getCanonicalType(clang_getEnumDeclIntegerType(definition.Cursor));
  switch (underlying.kind) {
    case CXType_Bool:
    case CXType_Char_U:
    case CXType_UChar:
    case CXType_Char16:
    case CXType_Char32:
    case CXType_UShort:
    case CXType_UInt:
    case CXType_ULong:
    case CXType_ULongLong:
      enumeration.UnsignedValues = true;
      break;
    default:
      break;
  }
  for (CXCursor child : Children(definition.Cursor)) {
    if (clang_getCursorKind(child) != CXCursor_EnumConstantDecl) continue;
    enumeration.Enumerators.push_back(Spelling(child));
    enumeration.Values.push_back(
        enumeration.UnsignedValues
            ? static_cast<std::int64_t>(clang_getEnumConstantDeclUnsignedValue(child))
            : clang_getEnumConstantDeclValue(child));
  }
  return enumeration;
}

std::variant<ImportedCompanions, ImportFailure> ImportCompanionTypes(
    const std::string& headerPath, const std::vector<std::string>& compilerArguments) {
  auto parsed = ParseDefinitions(headerPath, compilerArguments);
  if (auto* failure = std::get_if<ImportFailure>(&parsed)) return *failure;
  const Parsed& header = *std::get<ParsedHeader>(parsed).Header;
  const std::vector<Definition>& definitions = std::get<ParsedHeader>(parsed).Definitions;
  ImportedCompanions imported;
  for (const Definition& definition : definitions) {
    if (!definition.Type.IsEnumeration && definition.Type.Kind == "union") continue;
    const std::string at = std::to_string(definition.Type.Line) + ": ";
    const char* kind = definition.Type.IsEnumeration ? "enumeration" : "class";
    if (!definition.Type.Describable) {
      imported.Notes.push_back(definition.Type.Kind == "class template"
                                   ? at + definition.Type.QualifiedName +
                                         " left out: it is a class template"
                                   : at + "a nameless " + kind + " has no type to name; left out");
      imported.LeftOut.push_back(definition.Type.QualifiedName);
      continue;
    }
    // The namespaces above the outermost class, and whether a helper outside can name the type.
    std::string space;
    if (const std::string why = Unreachable(definition.Cursor, space); !why.empty()) {
      imported.Notes.push_back(at + definition.Type.QualifiedName + " left out: " + why);
      imported.LeftOut.push_back(definition.Type.QualifiedName);
      continue;
    }
    if (!definition.Type.IsEnumeration) {
      imported.Classes.push_back(ReadCompanionClass(header, definition, space));
      continue;
    }
    imported.Enumerations.push_back(ReadCompanionEnumeration(header, definition, space));
  }
  imported.MissingIncludes = MissingIncludes(header);
  return imported;
}

namespace {

// The flags of a compile command that say where headers are and what is defined, with paths made
// absolute from its folder.
std::vector<std::string> CompileFlags(CXCompileCommand command) {
  namespace fs = std::filesystem;
  std::vector<std::string> flags;
  const fs::path directory = Text(clang_CompileCommand_getDirectory(command));
  const unsigned count = clang_CompileCommand_getNumArgs(command);
  std::vector<std::string> arguments;
  for (unsigned i = 1; i < count; ++i)
    arguments.push_back(Text(clang_CompileCommand_getArg(command, i)));
  auto absolute = [&](const std::string& path) {
    return fs::path(path).is_relative() ? (directory / path).string() : path;
  };
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string& a = arguments[i];
    for (std::string_view option : {"-isystem", "-iquote", "-idirafter", "-include"}) {
      if (a == option && i + 1 < arguments.size()) {
        flags.push_back(a);
        flags.push_back(absolute(arguments[++i]));
        break;
      }
    }
    if ((a == "-I" || a == "-D" || a == "-U") && i + 1 < arguments.size()) {
      flags.push_back(a);
      flags.push_back(a == "-I" ? absolute(arguments[++i]) : arguments[++i]);
    } else if (StartsWith(a, "-I") && a.size() > 2) {
      flags.push_back("-I" + absolute(a.substr(2)));
    } else if ((StartsWith(a, "-D") || StartsWith(a, "-U") || StartsWith(a, "-std=")) &&
               a.size() > 2) {
      flags.push_back(a);
    }
  }
  return flags;
}

}  // namespace

std::vector<std::string> FlagsFromBuildFolder(const std::string& buildDir,
                                              const std::string& headerPath) {
  if (LibClangMissing()) return {};
  CXCompilationDatabase_Error error = CXCompilationDatabase_NoError;
  CXCompilationDatabase database =
      clang_CompilationDatabase_fromDirectory(buildDir.c_str(), &error);
  if (error != CXCompilationDatabase_NoError || !database) return {};
  namespace fs = std::filesystem;
  std::error_code failed;
  const fs::path header = fs::weakly_canonical(fs::absolute(headerPath), failed);
  const std::string headerName = header.filename().string();

  // The header's own entry, else the first source whose text includes a file of its name, else
  // libclang's guess: for a file it has no entry for, it takes the command of a file of a like
  // name, which is why the entries are read here rather than asked for the header.
  CXCompileCommands all = clang_CompilationDatabase_getAllCompileCommands(database);
  const unsigned size = all ? clang_CompileCommands_getSize(all) : 0;
  const auto fileOf = [](CXCompileCommand candidate) {
    fs::path file = Text(clang_CompileCommand_getFilename(candidate));
    if (file.is_relative())
      file = fs::path(Text(clang_CompileCommand_getDirectory(candidate))) / file;
    std::error_code ignored;
    return fs::weakly_canonical(file, ignored);
  };
  std::vector<fs::path> files;
  files.reserve(size);
  for (unsigned i = 0; i < size; ++i)
    files.push_back(fileOf(clang_CompileCommands_getCommand(all, i)));
  const auto own = std::find(files.begin(), files.end(), header);
  CXCompileCommand command =
      own != files.end()
          ? clang_CompileCommands_getCommand(all, static_cast<unsigned>(own - files.begin()))
          : nullptr;
  for (unsigned i = 0; i < size && !command; ++i) {
    auto text = ReadInputFile(files[i].string(), JsonFileLimit);
    if (auto* source = std::get_if<std::string>(&text);
        source && IncludesFileNamed(*source, headerName))
      command = clang_CompileCommands_getCommand(all, i);
  }
  CXCompileCommands guessed = nullptr;
  if (!command) {
    guessed = clang_CompilationDatabase_getCompileCommands(database, header.string().c_str());
    if (guessed && clang_CompileCommands_getSize(guessed) > 0)
      command = clang_CompileCommands_getCommand(guessed, 0);
  }
  std::vector<std::string> flags = command ? CompileFlags(command) : std::vector<std::string>();
  if (all) clang_CompileCommands_dispose(all);
  if (guessed) clang_CompileCommands_dispose(guessed);
  clang_CompilationDatabase_dispose(database);
  return flags;
}

}  // namespace zandrel
