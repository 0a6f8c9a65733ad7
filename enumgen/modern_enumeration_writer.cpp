#include "enumgen/modern_enumeration_writer.h"

#include <algorithm>
#include <climits>
#include <cstddef>
#include <numeric>

#include "core/insertion_style.h"

namespace zandrel {

namespace {

constexpr std::string_view Includes =
    "#include <algorithm>\n"
    "#include <array>\n"
    "#include <cstddef>\n"
    "#include <optional>\n"
    "#include <ostream>\n"
    "#include <string_view>\n";

// Up to this many names the tables list the enumerators by name; beyond, by value: a compiler
// looks up a scoped enumerator in time that grows with the enumeration, and a table of 100,000
// such names would take minutes to compile.
constexpr std::size_t NamedValuesLimit = 1000;

std::string CastTo(const std::string& T, std::int64_t value) {
  return "static_cast<" + T + ">(" + std::to_string(value) + ")";
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

}  // namespace

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

std::string_view UnderlyingType(const std::vector<std::int64_t>& values) {
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  if (low == values.end() || (*low >= INT_MIN && *high <= INT_MAX)) return "int";
  // Values are 32-bit and counting on from one of them cannot leave 64 bits.
  return "long long";
}

EnumerationTexts ModernEnumerationTexts(const EnumerationRequest& request,
                                        const EnumerationList& list) {
  const std::string& T = request.TypeName;
  const std::size_t n = list.Entries.size();
  const std::vector<std::int64_t> values = EnumeratorValues(list);
  std::vector<std::string> names;  // what to_string gives, what T_from_string takes
  names.reserve(n);
  std::size_t room = 2048 + 16 * T.size();
  for (const Enumerator& entry : list.Entries) {
    names.push_back(ReturnName(request, entry));
    room += 4 * entry.EnumeratorName.size() + 2 * names.back().size() + 4 * T.size() + 40;
  }

  EnumerationTexts texts;
  std::string& text = texts.Text;
  text.reserve(room);
  text += EnumClassMark;
  text += T + "\n";
  text += Includes;
  text += "\nenum class " + T + " : " + std::string(UnderlyingType(values)) + " {\n";
  for (const Enumerator& entry : list.Entries) {
    text += "  " + entry.EnumeratorName;
    if (list.ValuesGiven && entry.EnumeratorValue)
      text += " = " + std::to_string(*entry.EnumeratorValue);
    text += ",\n";
  }
  text += "};\n";
  texts.EnumTextSize = text.size();

  // The names sorted (as std::string_view compares them) for the binary search of
  // T_from_string, and the values sorted for to_string, where the first name of a value wins.
  std::vector<std::size_t> byName(n);
  std::iota(byName.begin(), byName.end(), std::size_t{0});
  std::vector<std::size_t> byValue = byName;
  std::stable_sort(byName.begin(), byName.end(), [&](std::size_t a, std::size_t b) {
    return std::string_view(names[a]) < std::string_view(names[b]);
  });
  byName.erase(std::unique(byName.begin(), byName.end(),
                           [&](std::size_t a, std::size_t b) { return names[a] == names[b]; }),
               byName.end());
  std::stable_sort(byValue.begin(), byValue.end(),
                   [&](std::size_t a, std::size_t b) { return values[a] < values[b]; });
  byValue.erase(std::unique(byValue.begin(), byValue.end(),
                            [&](std::size_t a, std::size_t b) { return values[a] == values[b]; }),
                byValue.end());

  // Enumerator k as the tables hold it.
  const auto element = [&](std::size_t k) {
    return n <= NamedValuesLimit ? T + "::" + list.Entries[k].EnumeratorName : CastTo(T, values[k]);
  };
  const std::string table = T + "_names";
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
    byNameValues.push_back(element(k));
  }
  // The length is given, so that no compiler counts the characters of a long text.
  if (literals.empty())
    text += "inline constexpr std::string_view text{};\n";
  else
    text += "inline constexpr std::string_view text{\n" + literals + "    , " +
            std::to_string(length) + "};\n";
  AppendArray(text, "std::size_t", "at", at);
  AppendArray(text, T, "by_name", byNameValues);
  std::vector<std::string> sortedValues;
  std::vector<std::string> valueNames;
  for (const std::size_t k : byValue) {
    sortedValues.push_back(element(k));
    const auto position =
        std::lower_bound(byName.begin(), byName.end(), k, [&](std::size_t a, std::size_t b) {
          return std::string_view(names[a]) < std::string_view(names[b]);
        });
    valueNames.push_back(std::to_string(position - byName.begin()));
  }
  AppendArray(text, T, "values", sortedValues);
  AppendArray(text, "std::size_t", "value_names", valueNames);
  text += "\nconstexpr std::string_view name(std::size_t k) noexcept {\n";
  text += "  return text.substr(at[k], at[k + 1] - at[k]);\n}\n";
  text += "}  // namespace " + table + "\n";

  text += "\n[[nodiscard]] constexpr std::string_view to_string(" + T + " value) noexcept {\n";
  text += "  const auto& values = " + table + "::values;\n";
  text += "  const auto found = std::lower_bound(values.begin(), values.end(), value);\n";
  text += "  if (found == values.end() || *found != value) return \"Invalid\";\n";
  text += "  return " + table + "::name(\n";
  text +=
      "      " + table + "::value_names[static_cast<std::size_t>(found - values.begin())]);\n}\n";

  text += "\n[[nodiscard]] constexpr std::optional<" + T + "> " + T +
          "_from_string(std::string_view name) noexcept {\n";
  text += "  std::size_t low = 0;\n";
  text += "  std::size_t high = " + table + "::by_name.size();\n";
  text += "  while (low < high) {\n";
  text += "    const std::size_t middle = low + (high - low) / 2;\n";
  text += "    if (" + table + "::name(middle) < name) {\n";
  text += "      low = middle + 1;\n";
  text += "    } else {\n";
  text += "      high = middle;\n";
  text += "    }\n";
  text += "  }\n";
  text += "  if (low < " + table + "::by_name.size() && " + table + "::name(low) == name) {\n";
  text += "    return " + table + "::by_name[low];\n  }\n";
  text += "  return std::nullopt;\n}\n\n";

  std::vector<std::string> listed;
  for (std::size_t k = 0; k < n; ++k) listed.push_back(element(k));
  AppendArray(text, T, T + "_values", listed);
  text += "\ninline std::ostream& operator<<(std::ostream& out, " + T + " value) {\n";
  text += "  return out << to_string(value);\n}\n";

  texts.Count = n;
  texts.ValuesGiven = list.ValuesGiven;
  if (n > 0) {
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
