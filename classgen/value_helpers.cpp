#include "classgen/value_helpers.h"

#include <algorithm>
#include <array>

#include "classgen/class_description.h"

namespace zandrel {

std::string JsonFunctionsText(const std::string& type, const std::vector<ValueMember>& members,
                              bool inClass) {
  // Member by member, so that a missing key keeps the member's value, an unknown key is ignored
  // and a value of the wrong type throws nlohmann's type_error.
  const std::string in = inClass ? "  " : "";
  const std::string lead = in + (inClass ? "friend " : "inline ");
  const bool named = !members.empty();
  std::string text = "#if __has_include(<nlohmann/json.hpp>)\n";
  text += lead + "void to_json(nlohmann::json& json, const " + type +
          (named ? "& value) {\n" : "& /*value*/) {\n");
  text += in + "  json = nlohmann::json::object();\n";
  for (const ValueMember& member : members)
    text += in + "  json[\"" + member.Name + "\"] = value." + member.Read + ";\n";
  text += in + "}\n";
  text +=
      named ? lead + "void from_json(const nlohmann::json& json, " + type + "& value) {\n"
            : lead + "void from_json(const nlohmann::json& /*json*/, " + type + "& /*value*/) {\n";
  // One reader for every key read in place, so that the function stays one step deep however
  // many there are.
  if (std::any_of(members.begin(), members.end(), [](const ValueMember& member) {
        return member.Setter.empty() && !member.Text;
      })) {
    text += in + "  const auto read_member = [&json](const char* key, auto& member) {\n";
    text += in + "    if (json.contains(key)) {\n" + in + "      json.at(key).get_to(member);\n";
    text += in + "    }\n" + in + "  };\n";
  }
  for (const ValueMember& member : members) {
    const std::string key = "\"" + member.Name + "\"";
    if (member.Text)
      // nlohmann/json writes a char array as a string, and reads none back into one.
      text += in + "  if (json.contains(" + key + ")) {\n" + in + "    const std::size_t size =\n" +
              in + "        json.at(" + key + ").get_ref<const std::string&>().copy(value." +
              member.Name + ", sizeof value." + member.Name + " - 1);\n" + in + "    value." +
              member.Name + "[size] = '\\0';\n" + in + "  }\n";
    else if (member.Setter.empty())
      text += in + "  read_member(" + key + ", value." + member.Name + ");\n";
    else
      text += in + "  if (json.contains(" + key + ")) {\n" + in + "    value." + member.Setter +
              "(json.at(" + key + ").get<std::remove_cvref_t<decltype(value." + member.Read +
              ")>>());\n" + in + "  }\n";
  }
  text += in + "}\n#endif\n";
  return text;
}

std::string HashSpecialisationText(const std::string& type,
                                   const std::vector<ValueMember>& members) {
  // A member without a std::hash of its own (a container) is mixed element by element, so equal
  // objects hash equal.
  std::string text = "\ntemplate <>\nstruct std::hash<" + type + "> {\n";
  text += "  std::size_t operator()(const " + type + (members.empty() ? "&" : "& value") +
          ") const noexcept {\n";
  text += "    std::size_t seed = 0;\n";
  for (const ValueMember& member : members)
    text += "    combine(seed, value." + member.Read + ");\n";
  text += "    return seed;\n  }\n\n private:\n";
  text +=
      "  template <class T>\n"
      "  static void combine(std::size_t& seed, const T& member) noexcept {\n"
      "    if constexpr (requires { std::hash<T>{}(member); }) {\n"
      "      seed ^= std::hash<T>{}(member) + 0x9e3779b9U + (seed << 6U) + (seed >> 2U);\n"
      "    } else {\n"
      "      for (const auto& element : member) {\n"
      "        combine(seed, element);\n"
      "      }\n"
      "    }\n"
      "  }\n"
      "};\n";
  return text;
}

std::string FormattersText(const std::string& type) {
  // Both take the width and fill of a string.
  const auto formatter = [&type](const std::string& space) {
    return "template <>\nstruct " + space + "::formatter<" + type + "> : " + space +
           "::formatter<std::string_view> {\n" +
           "  template <class FormatContext>\n"
           "  auto format(const " +
           type + "& value, FormatContext& context) const {\n" +
           "    std::ostringstream out;\n"
           "    out << value;\n"
           "    return " +
           space + "::formatter<std::string_view>::format(out.str(), context);\n" +
           "  }\n"
           "};\n";
  };
  return "\n#if __has_include(<fmt/format.h>)\n" + formatter("fmt") + "#endif\n" +
         "\n#if defined(__cpp_lib_format)\n" + formatter("std") + "#endif\n";
}

std::string OutputOperatorText(const std::string& head, const std::string& shown,
                               const std::vector<ValueMember>& members, std::string_view writer) {
  std::string text = head + " {\n";
  text += "  out << \"" + shown + "{";
  const char* separator = "";
  for (const ValueMember& member : members) {
    text += separator + member.Name + "=\";\n";
    text += "  ";
    text += writer;
    text += "(out, value." + member.Read + ");\n";
    text += "  out << \"";
    separator = ", ";
  }
  text += "}\";\n  return out;\n}\n";
  return text;
}

namespace {

const CompanionMethod* FindMethod(const CompanionClass& type, const std::string& name,
                                  int parameters, bool needsConst) {
  const auto found = std::find_if(type.Methods.begin(), type.Methods.end(), [&](const auto& m) {
    return m.Name == name && m.Parameters == parameters && (m.Const || !needsConst);
  });
  return found == type.Methods.end() ? nullptr : &*found;
}

// The names a member's accessors are formed from: its own, and without "m_" or a trailing "_".
std::vector<std::string> AccessorStems(const std::string& name) {
  std::vector<std::string> stems{name};
  if (name.size() > 2 && name.starts_with("m_")) stems.push_back(name.substr(2));
  if (name.size() > 1 && name.ends_with("_")) stems.push_back(name.substr(0, name.size() - 1));
  return stems;
}

constexpr std::array<NameForm, 3> Forms{NameForm::LowerUnderscore, NameForm::LowerCamel,
                                        NameForm::UpperCamel};

std::string Getter(const CompanionClass& type, const std::string& name) {
  for (const std::string& stem : AccessorStems(name)) {
    if (stem != name && FindMethod(type, stem, 0, true)) return stem;
    for (const NameForm form : Forms)
      if (std::string getter = AccessorName(form, AccessorKind::Getter, stem);
          FindMethod(type, getter, 0, true))
        return getter;
  }
  return {};
}

std::string Setter(const CompanionClass& type, const std::string& name) {
  for (const std::string& stem : AccessorStems(name))
    for (const NameForm form : Forms)
      if (std::string setter = AccessorName(form, AccessorKind::Setter, stem);
          FindMethod(type, setter, 1, false))
        return setter;
  return {};
}

}  // namespace

ReachedClass ReachMembers(const CompanionClass& type, const ClassCompanionKeys& keys) {
  ReachedClass reached;
  if (!type.Base.empty()) {
    reached.Refusal = type.QualifiedName + " has the base " + type.Base +
                      ", whose members the helpers would leave out";
    return reached;
  }
  for (const CompanionField& field : type.Fields) {
    const std::string where = type.QualifiedName + "::" + field.Name;
    if (field.Name.empty()) {
      reached.Refusal = type.QualifiedName + " has a nameless member, which no helper can name";
      return reached;
    }
    ValueMember member{field.Name, field.Name, ""};
    if (!field.Public) {
      member.Read = Getter(type, field.Name);
      if (member.Read.empty()) {
        reached.Refusal = where + " is private and no accessor of a naming form gives it";
        return reached;
      }
      member.Read += "()";
    }
    if (keys.Json && !field.JsonFit) {
      reached.Refusal = where + " is a pointer or an array of arrays, which from_json cannot fill";
      return reached;
    }
    if (keys.Json && field.Text && (!field.Public || field.Fixed)) {
      reached.Refusal = where + " is a char array that from_json cannot reach to fill";
      return reached;
    }
    member.Text = field.Text;
    if (keys.Json && (!field.Public || field.Fixed)) {
      member.Setter = Setter(type, field.Name);
      if (member.Setter.empty()) {
        reached.Refusal = where + (field.Public ? " is const or a reference" : " is private") +
                          " and no setter of a naming form sets it";
        return reached;
      }
    }
    reached.Members.push_back(std::move(member));
  }
  return reached;
}

std::string ClassCompanionIncludes(const ClassCompanionKeys& keys) {
  std::string text;
  if (keys.Hash) text += "#include <cstddef>\n#include <functional>\n";
  text += "#include <ostream>\n";
  if (keys.Formatter) text += "#include <sstream>\n#include <string_view>\n";
  text += "#include <type_traits>\n";
  return text + OptionalLibraryIncludes(keys.Json, keys.Formatter);
}

std::string OptionalLibraryIncludes(bool json, bool formatter) {
  // The libraries a project may lack: what needs them is left out where they are missing.
  std::string text;
  const auto optional = [&text](const char* header) {
    text += std::string("#if __has_include(") + header + ")\n#include " + header + "\n#endif\n";
  };
  if (json) optional("<nlohmann/json.hpp>");
  if (formatter) {
    optional("<fmt/format.h>");
    optional("<format>");
  }
  return text;
}

std::string_view MemberWriterFunction() {
  return "template <class T>\n"
         "void write_member(std::ostream& out, const T& member) {\n"
         "  if constexpr (std::is_pointer_v<T>) {\n"
         "    if (member == nullptr) {\n"
         "      out << \"nullptr\";\n"
         "      return;\n"
         "    }\n"
         "  }\n"
         "  // An array is written element by element, not as the address it decays to (a char\n"
         "  // array is a string), and so is a container without an operator<<; a pair as both.\n"
         "  using Element = std::remove_cv_t<std::remove_extent_t<T>>;\n"
         "  constexpr bool shown = requires {\n"
         "    std::declval<std::ostream&>() << member;\n"
         "  };\n"
         "  constexpr bool elements = (std::is_array_v<T> && !std::is_same_v<Element, char>) ||\n"
         "                            (!shown && requires { member.begin() != member.end(); });\n"
         "  if constexpr (elements) {\n"
         "    out << '{';\n"
         "    const char* separator = \"\";\n"
         "    for (const auto& element : member) {\n"
         "      out << separator;\n"
         "      write_member(out, element);\n"
         "      separator = \", \";\n"
         "    }\n"
         "    out << '}';\n"
         "  } else if constexpr (shown) {\n"
         "    out << member;\n"
         "  } else if constexpr (requires {\n"
         "                         member.first;\n"
         "                         member.second;\n"
         "                       }) {\n"
         "    out << '{';\n"
         "    write_member(out, member.first);\n"
         "    out << \", \";\n"
         "    write_member(out, member.second);\n"
         "    out << '}';\n"
         "  } else {\n"
         "    out << '?';\n"
         "  }\n"
         "}\n";
}

// Behind a guard, since several companion headers may define it.
std::string CompanionMemberWriter() {
  return "\n#ifndef ZANDREL_COMPANION_WRITE_MEMBER\n"
         "#define ZANDREL_COMPANION_WRITE_MEMBER\n"
         "namespace zandrel_companion {\n" +
         std::string(MemberWriterFunction()) +
         "}  // namespace zandrel_companion\n"
         "#endif\n";
}

std::string ClassCompanionText(const CompanionClass& type, const std::vector<ValueMember>& members,
                               const ClassCompanionKeys& keys, std::vector<std::string>& notes) {
  const std::string T = "::" + type.QualifiedName;
  const bool inNamespace = !type.Namespace.empty();
  std::string text;
  if (inNamespace) text += "\nnamespace " + type.Namespace + " {\n";
  if (!type.OutputOperator)
    text += OutputOperatorText("\ninline std::ostream& operator<<(std::ostream& out, const " + T +
                                   (members.empty() ? "& /*value*/)" : "& value)"),
                               type.Shown, members, "::zandrel_companion::write_member");
  if (keys.Json && type.Json)
    notes.push_back(type.QualifiedName + " has a to_json of its own; no JSON functions written");
  else if (keys.Json)
    text.append("\n").append(JsonFunctionsText(T, members, false));
  if (inNamespace) text += "\n}  // namespace " + type.Namespace + "\n";
  if (keys.Hash && type.Hash)
    notes.push_back(type.QualifiedName + " has a std::hash of its own; none written");
  else if (keys.Hash && type.CustomEquality)
    notes.push_back(type.QualifiedName +
                    " has an operator== of its own, which a hash of every member might not "
                    "agree with; no std::hash written");
  else if (keys.Hash)
    text += HashSpecialisationText(T, members);
  if (keys.Formatter) text += FormattersText(T);
  return text;
}

}  // namespace zandrel
