#include "classgen/class_description.h"

#include <cstddef>

namespace zandrel {

namespace {

bool IsTrimmed(char c) { return static_cast<unsigned char>(c) < 33; }

// Characters, not bytes: continuation bytes of a multi-byte UTF-8 sequence are not counted, so a
// single accented letter is still one character.
std::size_t CharacterCount(std::string_view text) {
  std::size_t count = 0;
  for (char c : text)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
  return count;
}

// 1-based position of the first c in text, 0 when absent.
std::size_t Position(std::string_view text, char c) {
  const std::size_t index = text.find(c);
  return index == std::string_view::npos ? 0 : index + 1;
}

}  // namespace

std::string Trim(std::string_view text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsTrimmed(text[begin])) ++begin;
  while (end > begin && IsTrimmed(text[end - 1])) --end;
  return std::string(text.substr(begin, end - begin));
}

std::optional<ClassDescription> ReadClassDescription(const ClassInput& input) {
  if (CharacterCount(input.NameText) < 2) return std::nullopt;

  ClassDescription description;
  description.ClassName = Trim(input.NameText);
  for (char& c : description.ClassName)
    if (c == ' ') c = '_';

  for (int row = 1; row <= MemberGridRows; ++row) {
    const auto& cells = input.Grid[static_cast<std::size_t>(row - 1)];
    if (!IsMemberRow(cells[0], cells[1])) continue;
    description.Members.push_back({cells[0], cells[1], cells[2], row});
  }
  description.Options = input.Options;
  description.HeaderInsertions = input.HeaderInsertions;
  return description;
}

bool IsMemberRow(std::string_view Type, std::string_view Name) {
  return CharacterCount(Type) >= 2 && !Name.empty();
}

bool IsDataMember(const MemberRow& row) { return Position(row.Name, '(') == 0; }

bool IsMethod(const MemberRow& row) { return Position(row.Name, '(') >= 2; }

std::string MethodName(const MemberRow& row) {
  return std::string(std::string_view(row.Name).substr(0, row.Name.find('(')));
}

bool IsArray(std::string_view Name) { return Position(Name, '[') >= 2; }

std::string BaseName(std::string_view Name) { return std::string(Name.substr(0, Name.find('['))); }

std::string ArrayDimension(std::string_view Name) {
  const std::size_t open = Position(Name, '[');
  const std::size_t close = Position(Name, ']');
  if (open == 0 || close <= open) return {};
  return std::string(Name.substr(open, close - open - 1));
}

bool IsCString(const MemberRow& row) { return IsArray(row.Name) && Trim(row.Type) == "char"; }

CopyKind CopyForm(const MemberRow& row) {
  if (IsCString(row)) return CopyKind::StringCopy;
  if (IsArray(row.Name)) return CopyKind::ElementCopy;
  return CopyKind::PlainCopy;
}

bool HasInitialValue(const MemberRow& row) {
  return IsDataMember(row) && !row.InitialValue.empty();
}

std::string AccessorName(NameForm form, AccessorKind kind, std::string_view Name) {
  const bool getter = kind == AccessorKind::Getter;
  if (form == NameForm::LowerUnderscore) return (getter ? " get_" : " set_") + std::string(Name);

  std::string name(Name);
  // ASCII only: the result must not depend on the machine's locale.
  if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 32);
  if (form == NameForm::LowerCamel) return (getter ? " get" : " set") + name;
  return (getter ? " Get" : " Set") + name;
}

std::string BigConstructorHead(const ClassDescription& description) {
  std::string parameters;
  const char* separator = "";
  for (const MemberRow& member : description.Members) {
    parameters += separator + member.Type + " parm" + std::to_string(member.RowNumber);
    separator = ", ";
  }
  return " " + description.ClassName + "(" + parameters + ")";
}

std::string FileStem(std::string_view path) {
  // Only the file-name part is searched, so a "." in a folder name does not cut the path there.
  const std::size_t slash = path.rfind('/');
  const std::size_t dot = path.rfind('.');
  if (dot == std::string_view::npos || (slash != std::string_view::npos && dot < slash))
    return std::string(path) + ".";
  return std::string(path.substr(0, dot + 1));
}

}  // namespace zandrel
