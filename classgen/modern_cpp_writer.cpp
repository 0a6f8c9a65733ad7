#include "classgen/modern_cpp_writer.h"

#include <algorithm>
#include <set>
#include <string_view>
#include <utility>
#include <vector>

#include "classgen/class_text_pieces.h"
#include "classgen/modern_rules.h"
#include "classgen/value_helpers.h"
#include "core/name_rules.h"

namespace zandrel {

namespace {

// What the writers need to know of a class beyond its description.
struct ModernClass {
  const ClassDescription& Description;
  std::vector<std::string> Enumerations;  // enum class types the insertions bring

  bool IsScalar(const MemberRow& member) const { return IsScalarType(member.Type, Enumerations); }
};

// The member's type as declared: an array Name becomes nested std::arrays of its Type.
std::string DeclaredType(const MemberRow& member) {
  const auto shape = ArrayShapeOf(member.Name);
  if (!shape || !IsDataMember(member)) return member.Type;
  std::string type = member.Type;
  // The last bound is the innermost array.
  for (std::size_t i = shape->Dimensions.size(); i-- > 0;)
    type = "std::array<" + type + ", " + shape->Dimensions[i] + ">";
  return type;
}

std::string DeclaredName(const MemberRow& member) {
  const auto shape = ArrayShapeOf(member.Name);
  return shape && IsDataMember(member) ? shape->Base : member.Name;
}

// The formatters print what operator<< prints, so either option writes it.
bool WritesStream(const GenerationOptions& options) {
  return options.ToStringMethod || options.Formatter;
}

// The data members that JSON and the hash go through, under their declared names; a Name that is
// no plain name (a pointer declarator, say) has no key to go by and is left out.
std::vector<ValueMember> ValueMembers(const ClassDescription& description) {
  std::vector<ValueMember> members;
  for (const MemberRow& member : description.Members)
    if (IsDataMember(member) && IsIdentifier(DeclaredName(member)))
      members.push_back({DeclaredName(member), DeclaredName(member), ""});
  return members;
}

bool TakesAccessors(const MemberRow& member) {
  return IsDataMember(member) && !IsArray(member.Name);
}

// The members the constructor with all variables takes, in row order.
std::vector<const MemberRow*> ConstructorMembers(const ClassDescription& description) {
  std::vector<const MemberRow*> members;
  for (const MemberRow& member : description.Members)
    if (TakesAccessors(member)) members.push_back(&member);
  return members;
}

std::string Includes(const ModernClass& modern) {
  const ClassDescription& description = modern.Description;
  const GenerationOptions& options = description.Options;
  std::set<std::string> headers;
  for (const MemberRow& member : description.Members) {
    AddStandardHeaders(member.Type, headers);
    if (IsMethod(member)) AddStandardHeaders(member.Name, headers);
    if (IsDataMember(member) && ArrayShapeOf(member.Name)) headers.emplace("<array>");
    if (!TakesAccessors(member) || modern.IsScalar(member)) continue;
    headers.emplace("<utility>");  // std::move in the setter
  }
  if (options.ComparisonLevel == ComparisonLevel::AllComparisons) headers.emplace("<compare>");
  if (WritesStream(options)) headers.emplace("<ostream>");
  if (options.HashFunction) headers.insert({"<cstddef>", "<functional>"});
  if (options.Formatter) headers.insert({"<sstream>", "<string_view>"});
  if (options.StdLib) headers.emplace("<cstdlib>");
  if (options.MathLib) headers.emplace("<cmath>");
  if (options.CStrings) headers.emplace("<cstring>");
  // An enumeration held inline brings its own includes, in the block it opens with; a second
  // line for one would be a duplicate include. Those guarded further on do not count.
  for (const std::string& insertion : description.HeaderInsertions) {
    const std::string_view opening =
        std::string_view(insertion).substr(0, insertion.find("\n\n") + 1);
    std::erase_if(headers, [opening](const std::string& header) {
      return opening.find("#include " + header + "\n") != std::string_view::npos;
    });
  }
  std::string text;
  for (const std::string& header : headers) text += "#include " + header + "\n";
  return text + OptionalLibraryIncludes(options.JsonFunctions, options.Formatter);
}

// The lines are at most LineLimit columns, laid out as the documented clang-format style lays
// them out: on one line where it fits; else the parameters filled into lines under the first and
// the initialisers on a line of their own, or one a line.
constexpr std::size_t LineLimit = 100;

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) text += (text.empty() ? "" : ", ") + item;
  return text;
}

std::string ConstructorText(const std::string& head, const std::vector<std::string>& parameters,
                            const std::vector<std::string>& initialisers) {
  const std::string signature = head + Joined(parameters) + ")";
  std::string oneLine = signature + " : " + Joined(initialisers) + " {}\n";
  if (oneLine.size() - 1 <= LineLimit) return oneLine;
  std::string text;
  if (signature.size() <= LineLimit) {
    text = signature + "\n";
  } else {
    std::string line = head + parameters.front();
    for (std::size_t k = 1; k < parameters.size(); ++k) {
      if (line.size() + 2 + parameters[k].size() + 1 <= LineLimit) {
        line += ", " + parameters[k];
      } else {
        text += line + ",\n";
        line = std::string(head.size(), ' ') + parameters[k];
      }
    }
    text += line + ")\n";
  }
  const std::string nextLine = "      : " + Joined(initialisers) + " {}";
  if (nextLine.size() <= LineLimit) return text + nextLine + "\n";
  for (std::size_t k = 0; k < initialisers.size(); ++k)
    text += (k == 0 ? "      : " : "        ") + initialisers[k] +
            (k + 1 < initialisers.size() ? ",\n" : " {}\n");
  return text;
}

std::string Constructors(const ModernClass& modern) {
  const ClassDescription& description = modern.Description;
  const std::string& X = description.ClassName;
  std::string text = "  " + X + "() = default;\n";
  const std::vector<const MemberRow*> members = ConstructorMembers(description);
  if (description.Options.BigConstructor && !members.empty()) {
    std::vector<std::string> parameters;
    std::vector<std::string> initialisers;
    for (const MemberRow* member : members) {
      // Parameters named apart from the members, so that none shadows one.
      const std::string parameter = member->Name + "_";
      parameters.push_back(member->Type + " " + parameter);
      initialisers.push_back(
          member->Name + "(" +
          (modern.IsScalar(*member) ? parameter : "std::move(" + parameter + ")") + ")");
    }
    text += ConstructorText(std::string(members.size() == 1 ? "  explicit " : "  ") + X + "(",
                            parameters, initialisers);
  }
  if (description.Options.PrivateCopy) {
    text += "  " + X + "(const " + X + "&) = delete;\n";
    text += "  " + X + "& operator=(const " + X + "&) = delete;\n";
    text += "  " + X + "(" + X + "&&) noexcept = default;\n";
    text += "  " + X + "& operator=(" + X + "&&) noexcept = default;\n";
    text += "  ~" + X + "() = default;\n";
  }
  return text;
}

std::string Accessors(const ModernClass& modern) {
  const NameForm form = modern.Description.Options.NameForm;
  std::string text;
  for (const MemberRow& member : modern.Description.Members) {
    if (!TakesAccessors(member)) continue;
    const std::string getter = AccessorName(form, AccessorKind::Getter, member.Name);
    const std::string setter = AccessorName(form, AccessorKind::Setter, member.Name);
    const std::string& name = member.Name;
    if (modern.IsScalar(member)) {
      text += "  [[nodiscard]] " + member.Type + " " + getter + "() const noexcept { return " +
              name + "; }\n";
      text += "  void " + setter + "(" + member.Type + " " + name + "_) noexcept { " + name +
              " = " + name + "_; }\n";
    } else {
      text += "  [[nodiscard]] const " + member.Type + "& " + getter +
              "() const noexcept { return " + name + "; }\n";
      text += "  void " + setter + "(" + member.Type + " " + name + "_) { " + name +
              " = std::move(" + name + "_); }\n";
    }
  }
  return text;
}

std::string MethodDeclarations(const ClassDescription& description) {
  std::string text;
  for (const MemberRow& member : description.Members) {
    if (!IsMethod(member)) continue;
    const bool keep = IsConstMethod(member.Name) && !ReturnsVoid(member.Type);
    text += std::string(keep ? "  [[nodiscard]] " : "  ") + member.Type + " " + member.Name + ";\n";
  }
  return text;
}

std::string Comparisons(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  switch (description.Options.ComparisonLevel) {
    case ComparisonLevel::AllComparisons:
      return "  bool operator==(const " + X + "&) const = default;\n" +  //
             "  auto operator<=>(const " + X + "&) const = default;\n";
    case ComparisonLevel::EqualityOnly:
      return "  bool operator==(const " + X + "&) const = default;\n";
    case ComparisonLevel::NoComparisons:
      break;
  }
  return {};
}

// The members no accessor reaches, and those whose Name is no plain name, declared as typed.
std::string DataMembers(const ClassDescription& description) {
  std::string text;
  for (const MemberRow& member : description.Members) {
    if (IsMethod(member)) continue;
    const std::string initial = HasInitialValue(member) ? member.InitialValue : std::string();
    text += "  " + DeclaredType(member) + " " + DeclaredName(member);
    text += IsDataMember(member) ? "{" + initial + "};\n" : ";\n";
  }
  return text;
}

// The public part in groups, each group after an empty line.
void AddGroup(std::string& text, const std::string& group) {
  if (group.empty()) return;
  text += "\n";
  text += group;
}

std::string OutputOperator(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::vector<ValueMember> members;
  for (const MemberRow& member : description.Members)
    if (IsDataMember(member)) members.push_back({DeclaredName(member), DeclaredName(member), ""});
  return OutputOperatorText("\nstd::ostream& operator<<(std::ostream& out, const " + X + "& value)",
                            X, members, "write_member");
}

std::string WriteMember() {
  return "\nnamespace {\n"
         "\n"
         "// Writes a member that has an operator<<, a container element by element, and \"?\" "
         "for\n"
         "// anything else; a null pointer (which a stream must not be given as a C string) as\n"
         "// \"nullptr\".\n" +
         std::string(MemberWriterFunction()) +
         "\n"
         "}  // namespace\n";
}

std::string MethodStubs(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::string text;
  for (const MemberRow& member : description.Members) {
    if (!IsMethod(member)) continue;
    const std::string name = MethodName(member);
    // Appended piece by piece: "\n" + a temporary sets off a false -Wrestrict in GCC 12.
    text += '\n';
    text += DefinitionType(member.Type) + " " + X + "::" + DefinitionName(member.Name) + " {\n";
    // The parameters keep their names for whoever writes the body; until then they are unused.
    for (const std::string& parameter : ParameterNames(member.Name))
      text += "  static_cast<void>(" + parameter + ");\n";
    const std::string message = X + "::" + name + " is not written yet";
    if (IsNoexceptMethod(member.Name))  // a throw there would end the program without a word
      text += "  std::fputs(\"" + message + "\\n\", stderr);\n  std::abort();\n}\n";
    else
      text += "  throw std::logic_error(\"" + message + "\");\n}\n";
  }
  return text;
}

// The insertions, the last first as in the other targets, as clang-format keeps them: one blank
// line apart, so that no two include lines make a block it would sort, and the mark of an include
// line two blanks after it.
void AddModernInsertions(TextPieces& pieces, std::string& text, const InsertionList& insertions) {
  for (std::size_t i = insertions.size(); i-- > 0;) {
    if (i + 1 < insertions.size()) text += "\n";
    std::string_view insertion = *insertions.Shared(i);
    if (insertion.starts_with("#include ") && insertion.find('\n') == std::string_view::npos) {
      std::string line(insertion);
      if (const std::size_t mark = line.find(" //");
          mark != std::string::npos && mark > 0 && line[mark - 1] != ' ')
        line.insert(line.begin() + static_cast<std::ptrdiff_t>(mark), ' ');
      text.append(line).append("\n");
      continue;
    }
    pieces.push_back(ShareText(std::exchange(text, std::string())));
    pieces.push_back(insertions.Shared(i));
    if (!insertion.ends_with('\n')) text += "\n";
  }
}

}  // namespace

TextPieces ModernCppHeaderPieces(const ClassDescription& description) {
  const ModernClass modern{description, InsertedEnumerations(description)};
  const std::string& X = description.ClassName;
  std::string text = "// " + X + "\n";
  text += "#pragma once\n";
  const std::string includes = Includes(modern);
  if (!includes.empty()) text += "\n" + includes;
  text += "\n";
  TextPieces pieces;
  AddModernInsertions(pieces, text, description.HeaderInsertions);
  if (!description.HeaderInsertions.empty()) text += "\n";
  text += "class " + X + " {\n public:\n";
  text += Constructors(modern);
  AddGroup(text, Accessors(modern));
  AddGroup(text, MethodDeclarations(description));
  AddGroup(text, Comparisons(description));
  const GenerationOptions& options = description.Options;
  if (WritesStream(options))
    AddGroup(text,
             "  friend std::ostream& operator<<(std::ostream& out, const " + X + "& value);\n");
  if (options.JsonFunctions) AddGroup(text, JsonFunctionsText(X, ValueMembers(description), true));
  if (options.HashFunction) AddGroup(text, "  friend struct std::hash<" + X + ">;\n");
  const std::string members = DataMembers(description);
  if (!members.empty()) text += "\n private:\n" + members;
  text += "};\n";
  if (options.HashFunction) text += HashSpecialisationText(X, ValueMembers(description));
  if (options.Formatter) text += FormattersText(X);
  pieces.push_back(ShareText(std::move(text)));
  return pieces;
}

TextPieces ModernCppSourcePieces(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  std::string text = "// " + X + "\n#include \"" + X + ".h\"\n";
  const std::string stubs = MethodStubs(description);
  const bool toString = WritesStream(description.Options);
  if (toString || !stubs.empty()) text += "\n";
  if (stubs.find("std::abort") != std::string::npos)
    text += "#include <cstdio>\n#include <cstdlib>\n";
  if (stubs.find("std::logic_error") != std::string::npos) text += "#include <stdexcept>\n";
  if (toString) text += "#include <type_traits>\n#include <utility>\n";
  if (toString) text += WriteMember() + OutputOperator(description);
  text += stubs;
  return {ShareText(std::move(text))};
}

std::string WriteModernCppHeader(const ClassDescription& description) {
  return Join(ModernCppHeaderPieces(description));
}

std::string WriteModernCppSource(const ClassDescription& description) {
  return Join(ModernCppSourcePieces(description));
}

}  // namespace zandrel
