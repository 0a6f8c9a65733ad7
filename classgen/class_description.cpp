#include "classgen/class_description.h"

#include <cstddef>

namespace zandrel {

namespace {

// 1-based position of the first c in text, 0 when absent.
std::size_t Position(std::string_view text, char c) {
  const std::size_t index = text.find(c);
  return index == std::string_view::npos ? 0 : index + 1;
}

}  // namespace

std::optional<ClassDescription> ReadClassDescription(const ClassInput& input) {
  if (CharacterCount(input.NameText) < 2) return std::nullopt;

  ClassDescription description;
  description.ClassName = Trim(input.NameText);
  for (char& c : description.ClassName)
    if (c == ' ') c = '_';

  for (int row = 1; row <= static_cast<int>(input.Grid.size()); ++row) {
    const MemberCells& cells = input.Grid[static_cast<std::size_t>(row - 1)];
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
  if (form == NameForm::LowerUnderscore) return (getter ? "get_" : "set_") + std::string(Name);

  std::string name(Name);
  // ASCII only: the result must not depend on the machine's locale.
  if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') name[0] = static_cast<char>(name[0] - 32);
  if (form == NameForm::LowerCamel) return (getter ? "get" : "set") + name;
  return (getter ? "Get" : "Set") + name;
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

}  // namespace zandrel
