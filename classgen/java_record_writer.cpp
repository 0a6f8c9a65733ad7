#include "classgen/java_record_writer.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "classgen/class_text_pieces.h"

namespace zandrel {

namespace {

// A data member as a record component: an array Name gives its Type one "[]" per dimension.
struct Component {
  std::string Type;
  std::string Name;
  int Dimensions = 0;
};

std::string Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return std::string(text.substr(first, text.find_last_not_of(' ') - first + 1));
}

std::string_view PrimitiveBox(std::string_view type);

std::string JavaType(std::string_view written, bool boxed = false);

// The Java spelling of the arguments of type's template, which open begins: split at the commas
// outside nested brackets.
std::string JavaArguments(const std::string& type, std::size_t open) {
  std::string arguments;
  int depth = 0;
  std::size_t start = open + 1;
  for (std::size_t i = open + 1; i < type.size(); ++i) {
    const char c = type[i];
    if (c == '<') ++depth;
    if (c == '>' && depth-- > 0) continue;
    if ((c == ',' && depth == 0) || i + 1 == type.size()) {
      arguments += (arguments.empty() ? "" : ", ") +
                   JavaType(std::string_view(type).substr(start, i - start), true);
      start = i + 1;
    }
  }
  return arguments;
}

// The Java spelling of a common C++ type; boxed where it stands for a generic argument.
std::string JavaType(std::string_view written, bool boxed) {
  const std::string type = Trimmed(written);
  constexpr std::pair<std::string_view, std::string_view> scalars[] = {
      {"bool", "boolean"},
      {"long long", "long"},
      {"unsigned", "int"},
      {"unsigned int", "int"},
      {"unsigned long long", "long"},
      {"unsigned char", "byte"},
      {"signed char", "byte"},
      {"long double", "double"},
      {"int8_t", "byte"},
      {"uint8_t", "byte"},
      {"int16_t", "short"},
      {"uint16_t", "short"},
      {"int32_t", "int"},
      {"uint32_t", "int"},
      {"int64_t", "long"},
      {"uint64_t", "long"},
      {"size_t", "long"},
      {"std::string", "String"},
      {"std::string_view", "String"}};
  std::string java = type;
  const std::string bare = type.rfind("std::", 0) == 0 && type.find('<') == std::string::npos &&
                                   type != "std::string" && type != "std::string_view"
                               ? type.substr(5)
                               : type;
  for (const auto& [cpp, target] : scalars)
    if (bare == cpp) java = target;
  const std::size_t open = type.find('<');
  if (open != std::string::npos && type.back() == '>') {
    const std::string name = type.substr(0, open);
    constexpr std::pair<std::string_view, std::string_view> generics[] = {
        {"std::vector", "java.util.List"},       {"std::list", "java.util.List"},
        {"std::deque", "java.util.List"},        {"std::map", "java.util.Map"},
        {"std::unordered_map", "java.util.Map"}, {"std::set", "java.util.Set"},
        {"std::unordered_set", "java.util.Set"}, {"std::optional", "java.util.Optional"}};
    for (const auto& [cpp, target] : generics) {
      if (name != cpp) continue;
      java = std::string(target) + "<" + JavaArguments(type, open) + ">";
    }
  }
  if (boxed) {
    const std::string_view box = PrimitiveBox(java);
    if (!box.empty())
      return java == "int" ? "Integer" : java == "char" ? "Character" : std::string(box);
  }
  return java;
}

std::vector<Component> Components(const ClassDescription& description) {
  std::vector<Component> components;
  for (const MemberRow& member : description.Members) {
    if (!IsDataMember(member)) continue;
    if (!IsArray(member.Name)) {
      components.push_back({JavaType(member.Type), member.Name, 0});
      continue;
    }
    const auto dimensions =
        static_cast<int>(std::count(member.Name.begin(), member.Name.end(), '['));
    std::string type = JavaType(member.Type);
    for (int i = 0; i < dimensions; ++i) type += "[]";
    components.push_back({type, BaseName(member.Name), dimensions});
  }
  return components;
}

// The static compare method of the primitive's box, or nothing for a reference type.
std::string_view PrimitiveBox(std::string_view type) {
  constexpr std::pair<std::string_view, std::string_view> boxes[] = {
      {"boolean", "Boolean"}, {"byte", "Byte"}, {"char", "Character"}, {"short", "Short"},
      {"int", "Integer"},     {"long", "Long"}, {"float", "Float"},    {"double", "Double"}};
  for (const auto& [primitive, box] : boxes)
    if (primitive == type) return box;
  return {};
}

// Arrays.compare of two arrays of the given depth: nested arrays through a comparator each.
std::string ArrayCompare(const std::string& a, const std::string& b, int depth, int level = 1) {
  if (depth <= 1) return "Arrays.compare(" + a + ", " + b + ")";
  const std::string p = "p" + std::to_string(level);
  const std::string q = "q" + std::to_string(level);
  return "Arrays.compare(" + a + ", " + b + ", (" + p + ", " + q + ") -> " +
         ArrayCompare(p, q, depth - 1, level + 1) + ")";
}

std::string CompareExpression(const Component& component) {
  const std::string& name = component.Name;
  if (component.Dimensions > 0) return ArrayCompare(name, "that." + name, component.Dimensions);
  const std::string_view box = PrimitiveBox(component.Type);
  if (!box.empty()) return std::string(box) + ".compare(" + name + ", that." + name + ")";
  return name + ".compareTo(that." + name + ")";
}

// Collections and Optional have no natural order; a type of the user's own is taken to have one.
bool Ordered(const Component& component) {
  const std::string& type = component.Type;
  return type.rfind("java.util.", 0) != 0 && type.rfind("Object", 0) != 0;
}

std::string CompareTo(const std::string& X, const std::vector<Component>& all) {
  std::string text = "\n  @Override\n  public int compareTo(" + X + " that) {\n";
  std::vector<Component> components;
  std::string left;
  for (const Component& component : all) {
    if (Ordered(component))
      components.push_back(component);
    else
      left += (left.empty() ? "" : ", ") + component.Name;
  }
  if (!left.empty()) text += "    // Not ordered by " + left + ": they have no natural order.\n";
  if (components.empty()) return text + "    return 0;\n  }\n";
  text += "    int order = " + CompareExpression(components.front()) + ";\n";
  for (std::size_t i = 1; i < components.size(); ++i)
    text +=
        "    if (order == 0) {\n      order = " + CompareExpression(components[i]) + ";\n    }\n";
  return text + "    return order;\n  }\n";
}

// A record compares array components by identity; these three look at their contents instead.
std::string ContentMethods(const std::string& X, const std::vector<Component>& components) {
  std::string equal;
  std::string hashed;
  std::string shown;
  for (const Component& component : components) {
    const std::string& name = component.Name;
    const std::string_view box = PrimitiveBox(component.Type);
    std::string same;
    std::string hash = name;
    std::string show = name;
    if (component.Dimensions > 1) {
      same = "Arrays.deepEquals(" + name + ", that." + name + ")";
      hash = "Arrays.deepHashCode(" + name + ")";
      show = "Arrays.deepToString(" + name + ")";
    } else if (component.Dimensions == 1) {
      same = "Arrays.equals(" + name + ", that." + name + ")";
      hash = "Arrays.hashCode(" + name + ")";
      show = "Arrays.toString(" + name + ")";
    } else if (box == "Float" || box == "Double") {
      // As a record does: NaN equals itself.
      same = std::string(box) + ".compare(" + name + ", that." + name + ") == 0";
    } else if (!box.empty()) {
      same = name + " == that." + name;
    } else {
      same = "Objects.equals(" + name + ", that." + name + ")";
    }
    equal += "\n        && " + same;
    hashed += (hashed.empty() ? "" : ", ") + hash;
    shown += std::string(shown.empty() ? "\"" : " + \", ") + name + "=\" + " + show;
  }
  return "\n  @Override\n  public boolean equals(Object other) {\n    return other instanceof " +
         X + " that" + equal +
         ";\n  }\n\n  @Override\n  public int hashCode() {\n    return Objects.hash(" + hashed +
         ");\n  }\n\n  @Override\n  public String toString() {\n    return \"" + X + "[\" + " +
         shown + " + \"]\";\n  }\n";
}

std::string WithMethods(const std::string& X, const std::vector<Component>& components) {
  std::string text;
  for (const Component& changed : components) {
    // "getName" less "get": Name with its first letter upper-cased.
    const std::string suffix =
        AccessorName(NameForm::LowerCamel, AccessorKind::Getter, changed.Name).substr(3);
    std::string arguments;
    for (const Component& component : components)
      arguments += (arguments.empty() ? "" : ", ") + component.Name;
    text += "\n  public " + X + " with" + suffix + "(" + changed.Type + " " + changed.Name +
            ") {\n    return new " + X + "(" + arguments + ");\n  }\n";
  }
  return text;
}

std::string Methods(const ClassDescription& description) {
  std::string text;
  for (const MemberRow& member : description.Members) {
    if (!IsMethod(member)) continue;
    // A C++ habit such as "const" after the parameters has no place in Java.
    const std::size_t close = member.Name.rfind(')');
    const std::string head =
        close == std::string::npos ? member.Name : member.Name.substr(0, close + 1);
    text += "\n  public " + member.Type + " " + head + " {\n";
    text += "    throw new UnsupportedOperationException(\"" + description.ClassName + "." +
            MethodName(member) + " is not written yet\");\n  }\n";
  }
  return text;
}

}  // namespace

TextPieces JavaRecordPieces(const ClassDescription& description) {
  const std::string& X = description.ClassName;
  const std::vector<Component> components = Components(description);
  const bool ordered = description.Options.ComparisonLevel == ComparisonLevel::AllComparisons;
  const bool arrays = std::any_of(components.begin(), components.end(),
                                  [](const Component& c) { return c.Dimensions > 0; });

  std::string text = "// " + X + "\n";
  if (arrays) text += "\nimport java.util.Arrays;\nimport java.util.Objects;\n";
  TextPieces pieces;
  AddInsertionLines(pieces, text, description);
  text += "\npublic record " + X + "(";
  for (std::size_t i = 0; i < components.size(); ++i)
    text += (i == 0 ? "" : ", ") + components[i].Type + " " + components[i].Name;
  text += ")";
  if (ordered) text += " implements Comparable<" + X + ">";
  text += " {\n";
  text += WithMethods(X, components);
  if (arrays) text += ContentMethods(X, components);
  if (ordered) text += CompareTo(X, components);
  text += Methods(description);
  text += "}\n";
  pieces.push_back(ShareText(std::move(text)));
  return pieces;
}

std::string WriteJavaRecord(const ClassDescription& description) {
  return Join(JavaRecordPieces(description));
}

}  // namespace zandrel
