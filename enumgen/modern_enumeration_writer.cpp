#include "enumgen/modern_enumeration_writer.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <numeric>

#include "core/insertion_style.h"

namespace zandrel {

namespace {

// The standard headers the text needs, in order; a flag set builds strings and reads hex.
std::string Includes(const EnumerationRequest& request) {
  std::string includes = "#include <algorithm>\n#include <array>\n#include <cstddef>\n";
  if (request.Flags) includes += "#include <limits>\n";
  includes += "#include <optional>\n#include <ostream>\n";
  if (request.Flags) includes += "#include <string>\n";
  return includes + "#include <string_view>\n";
}

// Up to this many names the tables list the enumerators by name; beyond, by value: a compiler
// looks up a scoped enumerator in time that grows with the enumeration, and a table of 100,000
// such names would take minutes to compile.
constexpr std::size_t NamedValuesLimit = 1000;

// A value as a literal of its underlying type: unsigned bits with their suffix, and the lowest
// long long as an expression, since its digits alone are no long long.
std::string ValueLiteral(std::int64_t value, bool unsignedValues) {
  if (unsignedValues) return std::to_string(static_cast<std::uint64_t>(value)) + "U";
  if (value == INT64_MIN) return "-9223372036854775807 - 1";
  return std::to_string(value);
}

std::string CastTo(const std::string& T, std::int64_t value, bool unsignedValues) {
  return "static_cast<" + T + ">(" + ValueLiteral(value, unsignedValues) + ")";
}

// A function's first line, broken after "(" where it would pass 100 columns, as clang-format
// breaks it.
std::string Signature(const std::string& head, const std::string& parameters,
                      std::string_view tail) {
  if (head.size() + parameters.size() + tail.size() <= 100)
    return head + parameters + std::string(tail) + "\n";
  return head + "\n    " + parameters + std::string(tail) + "\n";
}

// "inline constexpr std::array<TYPE, N> NAME{{" and one element a line.
void AppendArray(std::string& text, std::string_view type, std::string_view name,
                 const std::vector<std::string>& elements) {
  text += "inline constexpr std::array<";
  text += type;
  text += ", " + std::to_string(elements.size()) + "> ";
  text += name;
  if (elements.empty()) {
    text += "{};\n";
    return;
  }
  text += "{{\n";
  for (const std::string& element : elements) text += "    " + element + ",\n";
  text += "}};\n";
}

// T_from_string's binary search over the names, its argument called wanted; with
// CaseInsensitive, when no name matches exactly, the first in name order that matches ignoring
// case.
void AppendNameSearch(std::string& text, bool caseInsensitive, const std::string& table,
                      std::string_view wanted) {
  const std::string w(wanted);
  text += "  std::size_t low = 0;\n";
  text += "  std::size_t high = " + table + "::by_name.size();\n";
  text += "  while (low < high) {\n";
  text += "    const std::size_t middle = low + (high - low) / 2;\n";
  text += "    if (" + table + "::name(middle) < " + w + ") {\n";
  text += "      low = middle + 1;\n";
  text += "    } else {\n";
  text += "      high = middle;\n";
  text += "    }\n";
  text += "  }\n";
  text += "  if (low < " + table + "::by_name.size() && " + table + "::name(low) == " + w + ") {\n";
  text += "    return " + table + "::by_name.at(low);\n  }\n";
  if (caseInsensitive) {
    text += "  for (std::size_t k = 0; k < " + table + "::by_name.size(); ++k) {\n";
    text += "    if (" + table + "::same_ignoring_case(" + table + "::name(k), " + w + ")) {\n";
    text += "      return " + table + "::by_name.at(k);\n    }\n  }\n";
  }
  text += "  return std::nullopt;\n}\n";
}

// The bit operators of a flag set, on the underlying type U.
void AppendFlagOperators(std::string& text, const std::string& T, const std::string& U,
                         const std::string& mask) {
  const auto cast = [&](const char* operand) {
    return "static_cast<" + U + ">(" + std::string(operand) + ")";
  };
  text += "\n";
  for (const char* op : {"|", "&", "^"}) {
    text += "[[nodiscard]] constexpr " + T + " operator" + op + "(" + T + " a, " + T +
            " b) noexcept {\n";
    text += "  return static_cast<" + T + ">(" + cast("a") + " " + op + " " + cast("b") + ");\n}\n";
  }
  text += "[[nodiscard]] constexpr " + T + " operator~(" + T + " a) noexcept {\n";
  if (mask.empty())
    text += "  return static_cast<" + T + ">(~" + cast("a") + ");\n}\n";
  else
    text += "  return static_cast<" + T + ">(~" + cast("a") + " & " + mask + ");\n}\n";
  for (const char* op : {"|", "&", "^"})
    text += "constexpr " + T + "& operator" + op + "=(" + T + "& a, " + T + " b) noexcept {\n" +
            "  return a = a " + op + " b;\n}\n";
}

// Inside the names' namespace: what a flag set's to_string and T_from_string build on, and the
// comparison CaseInsensitive needs.
void AppendNamespaceHelpers(std::string& text, const EnumerationHelpers& helpers,
                            const std::string& table) {
  const std::string& T = helpers.Type;
  const std::string& U = helpers.Underlying;
  const std::string& UU = helpers.UnsignedUnderlying;
  if (helpers.CaseInsensitive) {
    text += "\n// ASCII letters compared without their case.\n";
    text +=
        "constexpr bool same_ignoring_case(std::string_view a, std::string_view b) noexcept {\n";
    text += "  if (a.size() != b.size()) {\n    return false;\n  }\n";
    text += "  for (std::size_t k = 0; k < a.size(); ++k) {\n";
    text +=
        "    const char x = a[k] >= 'A' && a[k] <= 'Z' ? static_cast<char>(a[k] - 'A' + 'a') "
        ": a[k];\n";
    text +=
        "    const char y = b[k] >= 'A' && b[k] <= 'Z' ? static_cast<char>(b[k] - 'A' + 'a') "
        ": b[k];\n";
    text += "    if (x != y) {\n      return false;\n    }\n  }\n  return true;\n}\n";
  }
  if (!helpers.Flags) return;
  text += "\n// The first name of the value, or nothing.\n";
  text += "constexpr std::string_view of(" + T + " value) noexcept {\n";
  text += "  const auto found = static_cast<std::size_t>(\n";
  text += "      std::lower_bound(values.begin(), values.end(), value) - values.begin());\n";
  text += "  if (found == values.size() || values.at(found) != value) {\n    return {};\n  }\n";
  text += "  return name(value_names.at(found));\n}\n";
  text += "\n// The value of one name.\n";
  text += "constexpr std::optional<" + T + "> find(std::string_view wanted) noexcept {\n";
  AppendNameSearch(text, helpers.CaseInsensitive, table, "wanted");
  text += "\n// \"0x\" and hex digits, as to_string writes the bits that no name covers.\n";
  text += "constexpr std::optional<" + U + "> hex_bits(std::string_view part) noexcept {\n";
  text += "  if (part.size() < 3 || part[0] != '0' || (part[1] != 'x' && part[1] != 'X')) {\n";
  text += "    return std::nullopt;\n  }\n";
  text += "  " + UU + " bits = 0;\n";
  text += "  for (const char c : part.substr(2)) {\n";
  text += "    " + UU + " digit = 0;\n";
  text += "    if (c >= '0' && c <= '9') {\n";
  text += "      digit = static_cast<" + UU + ">(c - '0');\n";
  text += "    } else if (c >= 'a' && c <= 'f') {\n";
  text += "      digit = static_cast<" + UU + ">(c - 'a' + 10);\n";
  text += "    } else if (c >= 'A' && c <= 'F') {\n";
  text += "      digit = static_cast<" + UU + ">(c - 'A' + 10);\n";
  text += "    } else {\n      return std::nullopt;\n    }\n";
  text += "    if (bits > std::numeric_limits<" + UU + ">::max() / 16u) {\n";
  text += "      return std::nullopt;\n    }\n";
  text += "    bits = bits * 16u + digit;\n  }\n";
  text += "  return static_cast<" + U + ">(bits);\n}\n";
}

// A flag set's to_string and T_from_string, which build and read combinations.
void AppendFlagConversions(std::string& text, const EnumerationHelpers& helpers,
                           const std::string& table) {
  const std::string& T = helpers.Type;
  const std::string& U = helpers.Underlying;
  const std::string& UU = helpers.UnsignedUnderlying;
  text +=
      "\n// A value's first name; otherwise the names whose bits it holds, in value order, joined "
      "by \"|\",\n";
  text += "// then the bits that no name covers in hex (\"0x0\" for a zero without a name).\n";
  text += Signature("[[nodiscard]] inline std::string to_string(", T + " value", ") {");
  text += "  if (const std::string_view single = " + table + "::of(value); !single.empty()) {\n";
  text += "    return std::string(single);\n  }\n";
  text += "  const auto bits = static_cast<" + U + ">(value);\n";
  text += "  " + U + " covered = 0;\n";
  text += "  std::string text;\n";
  text += "  for (std::size_t k = 0; k < " + table + "::values.size(); ++k) {\n";
  text += "    const auto one = static_cast<" + U + ">(" + table + "::values.at(k));\n";
  text += "    if (one != 0 && (bits & one) == one && (one & ~covered) != 0) {\n";
  text += "      if (!text.empty()) {\n        text += '|';\n      }\n";
  text += "      text += " + table + "::name(" + table + "::value_names.at(k));\n";
  text += "      covered |= one;\n    }\n  }\n";
  text += "  auto rest = static_cast<" + UU + ">(bits & ~covered);\n";
  text += "  if (rest != 0 || text.empty()) {\n";
  text += "    if (!text.empty()) {\n      text += '|';\n    }\n";
  text += "    std::string digits;\n";
  text += "    do {\n";
  text +=
      "      digits.insert(digits.begin(), std::string_view(\"0123456789abcdef\")[rest % 16u]);\n";
  text += "      rest /= 16u;\n";
  text += "    } while (rest != 0);\n";
  text += "    text += \"0x\" + digits;\n  }\n";
  text += "  return text;\n}\n";

  text += "\n// What to_string writes: names and hex parts joined by \"|\", blanks around each.\n";
  text += Signature(
      "[[nodiscard]] constexpr std::optional<" + T + "> " + helpers.Stem + "_from_string(",
      "std::string_view text", ") noexcept {");
  text += "  " + U + " bits = 0;\n";
  text += "  while (true) {\n";
  text += "    const std::size_t bar = text.find('|');\n";
  text += "    std::string_view part = text.substr(0, bar);\n";
  text += "    while (!part.empty() && (part.front() == ' ' || part.front() == '\\t')) {\n";
  text += "      part.remove_prefix(1);\n    }\n";
  text += "    while (!part.empty() && (part.back() == ' ' || part.back() == '\\t')) {\n";
  text += "      part.remove_suffix(1);\n    }\n";
  text += "    if (const auto one = " + table + "::find(part)) {\n";
  text += "      bits |= static_cast<" + U + ">(*one);\n";
  text += "    } else if (const auto hex = " + table + "::hex_bits(part)) {\n";
  text += "      bits |= *hex;\n";
  text += "    } else {\n      return std::nullopt;\n    }\n";
  text += "    if (bar == std::string_view::npos) {\n";
  text += "      return static_cast<" + T + ">(bits);\n    }\n";
  text += "    text.remove_prefix(bar + 1);\n  }\n}\n";
}

// fmt's and the standard library's formatters, each where its header is there; both print what
// to_string gives, called by its global name so that neither library's to_string is taken.
void AppendFormatters(std::string& text, const std::string& T, const std::string& scope) {
  text += "\n#if __has_include(<fmt/format.h>)\n#include <fmt/format.h>\n\n";
  text += "template <>\nstruct fmt::formatter<" + T + "> : fmt::formatter<std::string_view> {\n";
  text += "  auto format(" + T + " value, fmt::format_context& context) const {\n";
  text += "    return fmt::formatter<std::string_view>::format(" + scope +
          "to_string(value), context);\n";
  text += "  }\n};\n#endif\n";
  text += "\n#if __has_include(<format>)\n#include <format>\n#endif\n";
  text += "#if defined(__cpp_lib_format)\n";
  text += "template <>\nstruct std::formatter<" + T + "> : std::formatter<std::string_view> {\n";
  text += "  auto format(" + T + " value, std::format_context& context) const {\n";
  text += "    return std::formatter<std::string_view>::format(" + scope +
          "to_string(value), context);\n";
  text += "  }\n};\n#endif\n";
}

// nlohmann/json conversions by name. A name the type does not have is never taken for a value:
// from_json throws std::invalid_argument for it, as for a JSON value that is not a string.
void AppendJson(std::string& text, const std::string& T, const EnumerationHelpers& helpers) {
  text += "\n#if __has_include(<nlohmann/json.hpp>)\n#include <nlohmann/json.hpp>\n";
  // A flag set has <string> among its first includes already.
  text +=
      helpers.Flags ? "#include <stdexcept>\n\n" : "#include <stdexcept>\n#include <string>\n\n";
  if (!helpers.Namespace.empty()) text += "namespace " + helpers.Namespace + " {\n\n";
  text += "inline void to_json(nlohmann::json& out, " + T + " value) {\n";
  text += "  out = std::string(to_string(value));\n}\n\n";
  text += "inline void from_json(const nlohmann::json& in, " + T + "& value) {\n";
  text += "  if (!in.is_string()) {\n";
  text += "    throw std::invalid_argument(\"" + T + ": not a string\");\n  }\n";
  text += "  const auto& name = in.get_ref<const std::string&>();\n";
  text += "  const std::optional<" + T + "> found = " + helpers.Stem + "_from_string(name);\n";
  text += "  if (!found) {\n    throw std::invalid_argument(\"" + T +
          ": no name \\\"\" + name + \"\\\"\");\n  }\n";
  text += "  value = *found;\n}\n";
  if (!helpers.Namespace.empty()) text += "\n}  // namespace " + helpers.Namespace + "\n";
  text += "#endif\n";
}

// A flag set's list: a zero named None (behind the prefix) first, unless a name has the value 0
// or the name is taken.
EnumerationList WithZeroName(const EnumerationRequest& request, const EnumerationList& list,
                             std::vector<std::int64_t>& values) {
  EnumerationList flagged = list;
  std::string zero = request.ApplyPrefix ? request.PrefixText + "None" : "None";
  const bool named =
      std::find(values.begin(), values.end(), 0) != values.end() ||
      std::any_of(list.Entries.begin(), list.Entries.end(),
                  [&](const Enumerator& entry) { return entry.EnumeratorName == zero; });
  if (named) return flagged;
  flagged.Entries.insert(flagged.Entries.begin(), {std::move(zero), 0});
  values.insert(values.begin(), 0);
  return flagged;
}

}  // namespace

std::optional<std::vector<std::int64_t>> FlagValues(const EnumerationList& list) {
  std::vector<std::int64_t> values;
  values.reserve(list.Entries.size());
  std::int64_t highest = 0;
  for (const Enumerator& entry : list.Entries) {
    std::int64_t value = 0;
    if (list.ValuesGiven && entry.EnumeratorValue) {
      value = *entry.EnumeratorValue;
    } else {
      // The lowest power of two above every value so far; bit 63 would not fit.
      if (highest >= (std::int64_t{1} << 62)) return std::nullopt;
      value = 1;
      while (value <= highest) value <<= 1;
    }
    highest = std::max(highest, value);
    values.push_back(value);
  }
  return values;
}

std::vector<std::int64_t> EnumeratorValues(const EnumerationList& list) {
  std::vector<std::int64_t> values;
  values.reserve(list.Entries.size());
  std::int64_t next = 0;
  for (const Enumerator& entry : list.Entries) {
    const std::int64_t value =
        list.ValuesGiven && entry.EnumeratorValue ? *entry.EnumeratorValue : next;
    values.push_back(value);
    next = value + 1;
  }
  return values;
}

std::string_view UnderlyingType(const std::vector<std::int64_t>& values, bool unsignedValues) {
  if (unsignedValues) return "unsigned long long";
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  if (low == values.end() || (*low >= INT_MIN && *high <= INT_MAX)) return "int";
  return "long long";
}

void AppendEnumerationHelpers(std::string& text, const EnumerationHelpers& helpers) {
  const std::string& T = helpers.Type;
  const std::string& U = helpers.Underlying;
  const std::vector<std::string>& names = helpers.Names;
  const std::vector<std::int64_t>& values = helpers.Values;
  const std::size_t n = names.size();
  const bool inNamespace = !helpers.Namespace.empty();
  if (inNamespace) text += "\nnamespace " + helpers.Namespace + " {\n";
  if (helpers.Flags) AppendFlagOperators(text, T, U, helpers.ComplementMask);

  // The names sorted (as std::string_view compares them) for the binary search of
  // T_from_string, and the values sorted for to_string, where the first name of a value wins;
  // the values as the type compares them.
  const auto less = [&](std::size_t a, std::size_t b) {
    return helpers.UnsignedValues
               ? static_cast<std::uint64_t>(values[a]) < static_cast<std::uint64_t>(values[b])
               : values[a] < values[b];
  };
  std::vector<std::size_t> byName(n);
  std::iota(byName.begin(), byName.end(), std::size_t{0});
  std::vector<std::size_t> byValue = byName;
  std::stable_sort(byName.begin(), byName.end(), [&](std::size_t a, std::size_t b) {
    return std::string_view(names[a]) < std::string_view(names[b]);
  });
  byName.erase(std::unique(byName.begin(), byName.end(),
                           [&](std::size_t a, std::size_t b) { return names[a] == names[b]; }),
               byName.end());
  std::stable_sort(byValue.begin(), byValue.end(), less);
  byValue.erase(std::unique(byValue.begin(), byValue.end(),
                            [&](std::size_t a, std::size_t b) { return values[a] == values[b]; }),
                byValue.end());

  const std::vector<std::string>& element = helpers.Elements;
  const std::string table = helpers.Stem + "_names";
  text +=
      "\n// The names sorted, one after another (name k runs from at[k] to at[k + 1]), with "
      "their\n";
  text += "// values; and the values sorted, each with the first name it has.\n";
  text += "namespace " + table + " {\n";
  std::size_t length = 0;
  std::vector<std::string> at{"0"};
  std::vector<std::string> byNameValues;
  std::string literals;
  for (const std::size_t k : byName) {
    literals += "    \"" + names[k] + "\"\n";
    length += names[k].size();
    at.push_back(std::to_string(length));
    byNameValues.push_back(element[k]);
  }
  // The length is given, so that no compiler counts the characters of a long text.
  if (literals.empty())
    text += "inline constexpr std::string_view text{};\n";
  else
    text += "inline constexpr std::string_view text{\n" +
            literals.insert(literals.size() - 1, 1, ',') + "    " + std::to_string(length) + "};\n";
  AppendArray(text, "std::size_t", "at", at);
  AppendArray(text, T, "by_name", byNameValues);
  std::vector<std::string> sortedValues;
  std::vector<std::string> valueNames;
  for (const std::size_t k : byValue) {
    sortedValues.push_back(element[k]);
    const auto position =
        std::lower_bound(byName.begin(), byName.end(), k, [&](std::size_t a, std::size_t b) {
          return std::string_view(names[a]) < std::string_view(names[b]);
        });
    valueNames.push_back(std::to_string(position - byName.begin()));
  }
  AppendArray(text, T, "values", sortedValues);
  AppendArray(text, "std::size_t", "value_names", valueNames);
  text += "\nconstexpr std::string_view name(std::size_t k) noexcept {\n";
  text += "  return text.substr(at.at(k), at.at(k + 1) - at.at(k));\n}\n";
  AppendNamespaceHelpers(text, helpers, table);
  text += "}  // namespace " + table + "\n";

  if (helpers.Flags) {
    AppendFlagConversions(text, helpers, table);
    text += "\n";
  } else {
    text += "\n" + Signature("[[nodiscard]] constexpr std::string_view to_string(", T + " value",
                             ") noexcept {");
    text += "  const auto& values = " + table + "::values;\n";
    text += "  const auto found = static_cast<std::size_t>(\n";
    text += "      std::lower_bound(values.begin(), values.end(), value) - values.begin());\n";
    text += "  if (found == values.size() || values.at(found) != value) {\n";
    text += "    return \"Invalid\";\n  }\n";
    // On one line where it fits in 100 columns, as clang-format puts it.
    const std::string call = table + "::value_names.at(found));\n}\n";
    text += "  return " + table + "::name(";
    text += 41 + 2 * table.size() <= 100 ? call : "\n      " + call;

    text += "\n" + Signature("[[nodiscard]] constexpr std::optional<" + T + "> " + helpers.Stem +
                                 "_from_string(",
                             "std::string_view name", ") noexcept {");
    AppendNameSearch(text, helpers.CaseInsensitive, table, "name");
    text += "\n";
  }

  AppendArray(text, T, helpers.Stem + "_values", element);
  text += "\ninline std::ostream& operator<<(std::ostream& out, " + T + " value) {\n";
  text += "  return out << to_string(value);\n}\n";
  if (inNamespace) text += "\n}  // namespace " + helpers.Namespace + "\n";
  // The formatters specialise templates of other namespaces, so they stand outside every one.
  if (helpers.Formatter)
    AppendFormatters(text, T, inNamespace ? "::" + helpers.Namespace + "::" : "::");
  if (helpers.Json) AppendJson(text, T, helpers);
}

EnumerationTexts ModernEnumerationTexts(const EnumerationRequest& request,
                                        const EnumerationList& list) {
  const std::string& T = request.TypeName;
  EnumerationHelpers helpers;
  helpers.Type = T;
  helpers.Stem = T;
  helpers.Flags = request.Flags;
  helpers.CaseInsensitive = request.CaseInsensitive;
  helpers.Formatter = request.Formatter;
  helpers.Json = request.Json;
  std::vector<std::int64_t>& values = helpers.Values;
  values = request.Flags ? FlagValues(list).value_or(std::vector<std::int64_t>{})
                         : EnumeratorValues(list);
  // A flag set writes every value, with its zero name; a copy of the list, where no copy is made
  // for the long lists of the other modes.
  EnumerationList flagged;
  if (request.Flags) flagged = WithZeroName(request, list, values);
  const std::vector<Enumerator>& entries = request.Flags ? flagged.Entries : list.Entries;
  const std::size_t n = entries.size();
  helpers.UnsignedValues = list.UnsignedValues;
  helpers.Underlying = UnderlyingType(values, list.UnsignedValues);
  helpers.UnsignedUnderlying =
      list.UnsignedValues ? helpers.Underlying : "unsigned " + helpers.Underlying;
  std::vector<std::string>& names = helpers.Names;  // what to_string gives, T_from_string takes
  names.reserve(n);
  helpers.Elements.reserve(n);
  std::size_t room = 2048 + 16 * T.size();
  for (std::size_t k = 0; k < n; ++k) {
    const Enumerator& entry = entries[k];
    names.push_back(ReturnName(request, entry));
    // Enumerator k as the tables hold it.
    helpers.Elements.push_back(n <= NamedValuesLimit ? T + "::" + entry.EnumeratorName
                                                     : CastTo(T, values[k], list.UnsignedValues));
    room += 4 * entry.EnumeratorName.size() + 2 * names.back().size() + 4 * T.size() + 40;
  }

  EnumerationTexts texts;
  std::string& text = texts.Text;
  text.reserve(room);
  text += EnumClassMark;
  text += T + "\n";
  text += Includes(request);
  // An enumeration without names is "{};" on one line, as clang-format writes it.
  text += "\nenum class " + T + " : " + helpers.Underlying + (n == 0 ? " {" : " {\n");
  for (std::size_t k = 0; k < n; ++k) {
    text += "  " + entries[k].EnumeratorName;
    if (request.Flags)
      text += " = " + ValueLiteral(values[k], list.UnsignedValues);
    else if (list.ValuesGiven && entries[k].EnumeratorValue)
      text += " = " + ValueLiteral(*entries[k].EnumeratorValue, list.UnsignedValues);
    text += ",\n";
  }
  text += "};\n";
  texts.EnumTextSize = text.size();
  AppendEnumerationHelpers(text, helpers);

  // The names the list gave, without a zero name added.
  texts.Count = list.Entries.size();
  texts.ValuesGiven = list.ValuesGiven;
  if (!list.Entries.empty()) {
    texts.FirstName = list.Entries.front().EnumeratorName;
    texts.LastName = list.Entries.back().EnumeratorName;
  }
  return texts;
}

std::string ModernEnumerationHeader(const EnumerationTexts& texts) {
  const std::string_view text = texts.Text;
  const std::size_t firstLineEnd = text.find('\n') + 1;
  std::string header(text.substr(0, firstLineEnd));
  header += "#pragma once\n\n";
  header += text.substr(firstLineEnd);
  return header;
}

std::string ModernIncludeLine(const EnumerationRequest& request) {
  return "#include \"" + HeaderBaseName(request.OutputPath) + ".h\" " + std::string(EnumClassMark) +
         request.TypeName;
}

}  // namespace zandrel
