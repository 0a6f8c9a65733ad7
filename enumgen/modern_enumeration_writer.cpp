#include "enumgen/modern_enumeration_writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstddef>
#include <cstring>
#include <utility>

#include "core/name_rules.h"

namespace zandrel {

// The first line of the texts and the end of the include line: the type, for a reader.
constexpr std::string_view EnumClassMark = "// enum class ";

namespace {

// Appends to a text through a buffer of its own: a table of a million lines then costs copies
// into the buffer and a few hundred appends, not several million.
class Buffered {
 public:
  explicit Buffered(BlockSink& text) : text_(text) {}
  Buffered(const Buffered&) = delete;
  Buffered& operator=(const Buffered&) = delete;
  ~Buffered() { Flush(); }

  Buffered& operator+=(std::string_view piece) {
    if (piece.size() > buffer_.size() - used_) {
      Flush();
      if (piece.size() > buffer_.size()) {
        text_ += piece;
        return *this;
      }
    }
    std::memcpy(buffer_.data() + used_, piece.data(), piece.size());
    used_ += piece.size();
    return *this;
  }
  Buffered& operator+=(char c) { return *this += std::string_view(&c, 1); }

 private:
  void Flush() {
    text_ += std::string_view(buffer_.data(), used_);
    used_ = 0;
  }

  BlockSink& text_;
  std::array<char, 16384> buffer_{};
  std::size_t used_ = 0;
};

// Digits appended where they go, without a string of their own.
template <class Text, class Number>
void AppendNumber(Text& text, Number value) {
  std::array<char, 24> digits{};
  const char* end = std::to_chars(digits.begin(), digits.end(), value).ptr;
  text += std::string_view(digits.data(), static_cast<std::size_t>(end - digits.data()));
}

// A value as a literal of its underlying type: unsigned bits with their suffix, and the lowest
// long long as an expression, since its digits alone are no long long.
template <class Text>
void AppendValueLiteral(Text& text, std::int64_t value, bool unsignedValues) {
  if (unsignedValues) {
    AppendNumber(text, static_cast<std::uint64_t>(value));
    text += 'U';
  } else if (value == INT64_MIN) {
    text += "-9223372036854775807 - 1";
  } else {
    AppendNumber(text, value);
  }
}

// A function's first line, broken after "(" where it would pass 100 columns, as clang-format
// breaks it.
std::string Signature(const std::string& head, const std::string& parameters,
                      std::string_view tail) {
  if (head.size() + parameters.size() + tail.size() <= 100)
    return head + parameters + std::string(tail) + "\n";
  return head + "\n    " + parameters + std::string(tail) + "\n";
}

// Enumerator k as the tables that list names hold it.
void AppendElement(Buffered& text, const EnumerationHelpers& helpers, std::size_t k) {
  text += helpers.Type;
  text += "::";
  text += helpers.Enumerators[k];
}

std::size_t Digits(std::size_t value) {
  std::size_t digits = 1;
  for (; value >= 10; value /= 10) ++digits;
  return digits;
}

// At least the bytes the helpers write, so that the text grows once: the tables exactly, and
// more than their fixed parts take.
std::size_t HelpersRoom(const EnumerationHelpers& helpers) {
  const std::size_t n = helpers.Enumerators.size();
  std::size_t names = 0;
  for (std::size_t k = 0; k < n; ++k) names += helpers.Name(k).size();
  // Each number of at and value_names, with its indent, comma and line feed.
  const std::size_t number = Digits(std::max(names, n)) + 6;
  std::size_t room = 16384 + 64 * (helpers.Type.size() + helpers.Stem.size() +
                                   helpers.Namespace.size() + helpers.ComplementMask.size());
  room += names + 7 * n + 2 * number * (n + 1);
  for (std::size_t k = 0; k < n; ++k) {
    const std::int64_t value = helpers.Values[k];
    const std::size_t element = helpers.Compact
                                    ? 15 + (value < 0) +
                                          Digits(value < 0 ? 0 - static_cast<std::size_t>(value)
                                                           : static_cast<std::size_t>(value))
                                    : 2 + helpers.Enumerators[k].size();
    room += 3 * (helpers.Type.size() + element + 8);  // 8: a suffix or the lowest long long
  }
  return room;
}

// "inline constexpr std::array<TYPE, N> NAME{{" and one element a line, each written by
// element(out, k).
template <class Element>
void AppendArray(BlockSink& text, std::string_view type, std::string_view name, std::size_t count,
                 Element element) {
  text += "inline constexpr std::array<";
  text += type;
  text += ", ";
  AppendNumber(text, count);
  text += "> ";
  text += name;
  if (count == 0) {
    text += "{};\n";
    return;
  }
  text += "{{\n";
  {
    Buffered out(text);
    for (std::size_t k = 0; k < count; ++k) {
      out += "    ";
      element(out, k);
      out += ",\n";
    }
  }
  text += "}};\n";
}

// How T_from_string reaches the r-th name in name order and its value: the tables that list
// names hold them in that order; the compact ones through by_name.
struct SortedAccess {
  const char* Name;
  const char* Value;
};
SortedAccess AccessOf(const EnumerationHelpers& helpers) {
  if (helpers.Compact) return {"sorted_name", "sorted_value"};
  return {"name", "by_name.at"};
}

// T_from_string's binary search over the names, its argument called wanted; with
// CaseInsensitive, when no name matches exactly, the first in name order that matches ignoring
// case.
void AppendNameSearch(BlockSink& text, const EnumerationHelpers& helpers, const std::string& table,
                      std::string_view wanted) {
  const std::string w(wanted);
  const SortedAccess sorted = AccessOf(helpers);
  const std::string name = table + "::" + sorted.Name;
  const std::string value = table + "::" + sorted.Value;
  text += "  std::size_t low = 0;\n";
  text += "  std::size_t high = " + table + "::by_name.size();\n";
  text += "  while (low < high) {\n";
  text += "    const std::size_t middle = low + (high - low) / 2;\n";
  text += "    if (" + name + "(middle) < " + w + ") {\n";
  text += "      low = middle + 1;\n";
  text += "    } else {\n";
  text += "      high = middle;\n";
  text += "    }\n";
  text += "  }\n";
  text += "  if (low < " + table + "::by_name.size() && " + name + "(low) == " + w + ") {\n";
  text += "    return " + value + "(low);\n  }\n";
  if (helpers.CaseInsensitive) {
    text += "  for (std::size_t k = 0; k < " + table + "::by_name.size(); ++k) {\n";
    text += "    if (" + table + "::same_ignoring_case(" + name + "(k), " + w + ")) {\n";
    text += "      return " + value + "(k);\n    }\n  }\n";
  }
  text += "  return std::nullopt;\n}\n";
}

// What a value is looked up by in the sorted values: itself, or in the compact tables the number
// they hold (a line that names it as key).
std::string KeyOf(BlockSink& text, const EnumerationHelpers& helpers) {
  if (!helpers.Compact) return "value";
  text += "  const auto key = static_cast<" + helpers.Raw + ">(value);\n";
  return "key";
}

// The bit operators of a flag set, on the underlying type U.
void AppendFlagOperators(BlockSink& text, const std::string& T, const std::string& U,
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
void AppendNamespaceHelpers(BlockSink& text, const EnumerationHelpers& helpers,
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
  const std::string key = KeyOf(text, helpers);
  text += "  const auto found = static_cast<std::size_t>(\n";
  text += "      std::lower_bound(values.begin(), values.end(), " + key + ") - values.begin());\n";
  text +=
      "  if (found == values.size() || values.at(found) != " + key + ") {\n    return {};\n  }\n";
  text += "  return name(value_names.at(found));\n}\n";
  text += "\n// The value of one name.\n";
  text += "constexpr std::optional<" + T + "> find(std::string_view wanted) noexcept {\n";
  AppendNameSearch(text, helpers, table, "wanted");
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
  // The ten added after the widening, where clang-tidy looks for it.
  text += "      digit = static_cast<" + UU + ">(c - 'a') + 10u;\n";
  text += "    } else if (c >= 'A' && c <= 'F') {\n";
  text += "      digit = static_cast<" + UU + ">(c - 'A') + 10u;\n";
  text += "    } else {\n      return std::nullopt;\n    }\n";
  text += "    if (bits > std::numeric_limits<" + UU + ">::max() / 16u) {\n";
  text += "      return std::nullopt;\n    }\n";
  text += "    bits = bits * 16u + digit;\n  }\n";
  text += "  return static_cast<" + U + ">(bits);\n}\n";
}

// A flag set's to_string and T_from_string, which build and read combinations.
void AppendFlagConversions(BlockSink& text, const EnumerationHelpers& helpers,
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
void AppendFormatters(BlockSink& text, const std::string& T, const std::string& scope) {
  const auto formatter = [&](const std::string& space) {
    text += "template <>\nstruct " + space + "::formatter<" + T + "> : " + space +
            "::formatter<std::string_view> {\n";
    // A template over the context: std::formattable checks format with a context of the
    // library's choosing, not only format_context.
    text += "  template <class FormatContext>\n";
    text += "  auto format(" + T + " value, FormatContext& context) const {\n";
    text += "    return " + space + "::formatter<std::string_view>::format(" + scope +
            "to_string(value), context);\n";
    text += "  }\n};\n#endif\n";
  };
  text += "\n#if __has_include(<fmt/format.h>)\n#include <fmt/format.h>\n\n";
  formatter("fmt");
  text += "\n#if __has_include(<format>)\n#include <format>\n#endif\n";
  text += "#if defined(__cpp_lib_format)\n";
  formatter("std");
}

// nlohmann/json conversions by name. A name the type does not have is never taken for a value:
// from_json throws std::invalid_argument for it, as for a JSON value that is not a string.
void AppendJson(BlockSink& text, const std::string& T, const EnumerationHelpers& helpers) {
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

// The enumerators as the type declares them: each name (prefix included) viewed where it lies, or
// in Held where the list has it only in pieces; each one's value, and whether it is written.
struct Declaration {
  // Not a std::string: a short one keeps its characters inside it, and they would move with it.
  std::vector<char> Held;
  std::vector<std::string_view> Names;
  std::vector<std::int64_t> Values;
  std::vector<bool> Given;  // the values the list gave; empty: none
  bool AllWritten = false;  // a flag set writes every value
  bool UnsignedValues = false;
};

constexpr std::string_view ZeroName = "None";

// Each entry's value: its own when values are given, else one more than the one before (the
// first 0), as the compiler counts them; for a flag set the lowest power of two above every value
// before it (the first 1), and nothing when one would need bit 63.
template <class Entries>
std::optional<std::vector<std::int64_t>> ValuesOf(const Entries& entries, bool flags) {
  std::vector<std::int64_t> values;
  values.reserve(entries.size());
  std::int64_t next = 0;
  std::int64_t highest = 0;
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const std::optional<std::int64_t> given = entries[k].Value;
    std::int64_t value = next;
    if (entries.ValuesGiven() && given) {
      value = *given;
    } else if (flags) {
      if (highest >= (std::int64_t{1} << 62)) return std::nullopt;
      value = 1;
      while (value <= highest) value <<= 1;
    }
    highest = std::max(highest, value);
    values.push_back(value);
    // In the bits, as the unsigned values are held: past the last long long comes 2^63, and a
    // list that would count on past 64 bits was refused when it was read.
    next = static_cast<std::int64_t>(static_cast<std::uint64_t>(value) + 1);
  }
  return values;
}

// The entries as declared; a flag set's with a zero named None (behind the prefix) first, unless
// a name has the value 0 or the name is taken. Nothing for a flag set beyond 63 bits.
template <class Entries>
std::optional<Declaration> Declare(const EnumerationRequest& request, const Entries& entries,
                                   bool unsignedValues) {
  std::optional<std::vector<std::int64_t>> values = ValuesOf(entries, request.Flags);
  if (!values) return std::nullopt;
  Declaration declared;
  declared.Values = std::move(*values);
  declared.AllWritten = request.Flags;
  declared.UnsignedValues = unsignedValues;
  const std::size_t n = entries.size();
  const std::string_view prefix =
      request.ApplyPrefix ? std::string_view(request.PrefixText) : std::string_view();
  // Room for every joined name, so that no view into Held moves.
  std::size_t room = prefix.size() + ZeroName.size();
  for (std::size_t k = 0; k < n; ++k)
    if (!entries[k].Lead.empty()) room += entries[k].Lead.size() + entries[k].Name.size();
  declared.Held.reserve(room);
  const auto hold = [&](std::string_view lead, std::string_view name) {
    if (lead.empty()) return name;
    std::vector<char>& held = declared.Held;
    const std::size_t at = held.size();
    held.insert(held.end(), lead.begin(), lead.end());
    held.insert(held.end(), name.begin(), name.end());
    return std::string_view(held.data() + at, held.size() - at);
  };
  declared.Names.reserve(n + 1);
  for (std::size_t k = 0; k < n; ++k)
    declared.Names.push_back(hold(entries[k].Lead, entries[k].Name));
  if (entries.ValuesGiven()) {
    declared.Given.resize(n);
    for (std::size_t k = 0; k < n; ++k) declared.Given[k] = entries[k].Value.has_value();
  }
  if (!request.Flags) return declared;
  const std::string_view zero = hold(prefix, ZeroName);
  const std::vector<std::int64_t>& all = declared.Values;
  const bool named =
      std::find(all.begin(), all.end(), 0) != all.end() ||
      std::find(declared.Names.begin(), declared.Names.end(), zero) != declared.Names.end();
  if (named) return declared;
  declared.Names.insert(declared.Names.begin(), zero);
  declared.Values.insert(declared.Values.begin(), 0);
  return declared;
}

// The helpers of the request's type, with its keys.
EnumerationHelpers HelpersOf(const EnumerationRequest& request) {
  EnumerationHelpers helpers;
  helpers.Type = request.TypeName;
  helpers.Stem = request.TypeName;
  helpers.Flags = request.Flags;
  helpers.CaseInsensitive = request.CaseInsensitive;
  helpers.Formatter = request.Formatter;
  helpers.Json = request.Json;
  return helpers;
}

}  // namespace

std::optional<std::vector<std::int64_t>> FlagValues(const EnumerationList& list) {
  return ValuesOf(ListEntries(list), true);
}

std::vector<std::int64_t> EnumeratorValues(const EnumerationList& list) {
  return *ValuesOf(ListEntries(list), false);
}

std::string_view UnderlyingType(const std::vector<std::int64_t>& values, bool unsignedValues) {
  if (unsignedValues) return "unsigned long long";
  const auto [low, high] = std::minmax_element(values.begin(), values.end());
  if (low == values.end() || (*low >= INT_MIN && *high <= INT_MAX)) return "int";
  return "long long";
}

namespace {

// The names sorted (as std::string_view compares them) for the binary search of T_from_string,
// each name once (the first of equal ones); and, where nameRank is given, each entry's place
// among them.
std::vector<std::uint32_t> SortByName(const EnumerationHelpers& helpers,
                                      std::vector<std::uint32_t>* nameRank) {
  const std::size_t n = helpers.Enumerators.size();
  const std::vector<std::uint32_t> order =
      NameOrder(n, [&helpers](std::size_t k) { return helpers.Name(k); });
  std::vector<std::uint32_t> byName;
  byName.reserve(n);
  if (nameRank != nullptr) nameRank->resize(n);
  for (std::size_t r = 0; r < n; ++r) {
    if (r == 0 || helpers.Name(order[r]) != helpers.Name(order[r - 1])) byName.push_back(order[r]);
    if (nameRank != nullptr) (*nameRank)[order[r]] = static_cast<std::uint32_t>(byName.size() - 1);
  }
  return byName;
}

// A value as the type compares them: signed values with the sign bit turned over compare as
// unsigned ones.
std::uint64_t OrderKey(const EnumerationHelpers& helpers, std::size_t k) {
  const std::uint64_t flip = helpers.UnsignedValues ? 0 : std::uint64_t{1} << 63;
  return static_cast<std::uint64_t>(helpers.Values[k]) ^ flip;
}

// Whether the values rise one after another, as a list without values counts them.
bool ValuesRise(const EnumerationHelpers& helpers) {
  for (std::size_t k = 1; k < helpers.Values.size(); ++k)
    if (OrderKey(helpers, k - 1) >= OrderKey(helpers, k)) return false;
  return true;
}

// The entries of the values sorted for to_string, where the first entry of a value wins, as the
// type compares them.
std::vector<std::uint32_t> SortByValue(const EnumerationHelpers& helpers) {
  const std::size_t n = helpers.Enumerators.size();
  std::vector<std::uint32_t> byValue;
  byValue.reserve(n);
  if (ValuesRise(helpers)) {
    for (std::size_t k = 0; k < n; ++k) byValue.push_back(static_cast<std::uint32_t>(k));
    return byValue;
  }
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(n);
  for (std::size_t k = 0; k < n; ++k)
    keys[k] = {OrderKey(helpers, k), static_cast<std::uint32_t>(k)};
  std::sort(keys.begin(), keys.end());
  for (std::size_t r = 0; r < n; ++r)
    if (r == 0 || keys[r].first != keys[r - 1].first) byValue.push_back(keys[r].second);
  return byValue;
}

// The names one after another, where each begins, the entries by name, the values sorted and the
// name of each.
void AppendTables(BlockSink& text, const EnumerationHelpers& helpers,
                  const std::vector<std::uint32_t>& byName,
                  const std::vector<std::uint32_t>& nameRank,
                  const std::vector<std::uint32_t>& byValue) {
  const std::string& T = helpers.Type;
  // The length is given, so that no compiler counts the characters of a long text.
  std::size_t length = 0;
  if (byName.empty()) {
    text += "inline constexpr std::string_view text{};\n";
  } else {
    text += "inline constexpr std::string_view text{\n";
    {
      Buffered out(text);
      for (std::size_t r = 0; r < byName.size(); ++r) {
        const std::string_view name = helpers.Name(byName[r]);
        out += "    \"";
        out += name;
        // The comma after the last piece, where clang-format keeps it.
        out += r + 1 < byName.size() ? "\"\n" : "\",\n";
        length += name.size();
      }
    }
    text += "    ";
    AppendNumber(text, length);
    text += "};\n";
  }
  length = 0;
  AppendArray(text, "std::size_t", "at", byName.size() + 1, [&](Buffered& out, std::size_t r) {
    if (r > 0) length += helpers.Name(byName[r - 1]).size();
    AppendNumber(out, length);
  });
  AppendArray(text, T, "by_name", byName.size(),
              [&](Buffered& out, std::size_t r) { AppendElement(out, helpers, byName[r]); });
  AppendArray(text, T, "values", byValue.size(),
              [&](Buffered& out, std::size_t r) { AppendElement(out, helpers, byValue[r]); });
  AppendArray(text, "std::size_t", "value_names", byValue.size(),
              [&](Buffered& out, std::size_t r) { AppendNumber(out, nameRank[byValue[r]]); });
}

// Whether the compact tables need the values sorted apart from the declared ones: for a flag
// set, and where the declared values do not rise one after another.
bool SortedValuesTable(const EnumerationHelpers& helpers) {
  return helpers.Flags || !ValuesRise(helpers);
}

// The compact tables: the names in the order declared, packed into lines of up to 100 columns,
// where each begins, each one's value, the entries by name; then, where needed, the values sorted
// and the entry of each.
void AppendCompactTables(BlockSink& text, const EnumerationHelpers& helpers,
                         const std::vector<std::uint32_t>& byName,
                         const std::vector<std::uint32_t>& byValue) {
  const std::size_t n = helpers.Enumerators.size();
  std::size_t length = 0;
  text += "inline constexpr std::string_view text{\n";
  {
    Buffered out(text);
    std::size_t column = 0;  // of the open piece's closing quote; 0: none open
    for (std::size_t k = 0; k < n; ++k) {
      const std::string_view name = helpers.Name(k);
      // The closing quote and, after the last piece, its comma stay within the columns.
      if (column > 0 && column + name.size() + (k + 1 == n ? 2 : 1) > 100) {
        out += "\"\n";
        column = 0;
      }
      if (column == 0) {
        out += "    \"";
        column = 5;
      }
      out += name;
      column += name.size();
      length += name.size();
    }
    out += "\",\n    ";
    AppendNumber(out, length);
    out += "};\n";
  }
  length = 0;
  AppendArray(text, "std::size_t", "at", n + 1, [&](Buffered& out, std::size_t k) {
    if (k > 0) length += helpers.Name(k - 1).size();
    AppendNumber(out, length);
  });
  AppendArray(text, helpers.Raw, "declared", n, [&](Buffered& out, std::size_t k) {
    AppendValueLiteral(out, helpers.Values[k], helpers.UnsignedValues);
  });
  AppendArray(text, "std::size_t", "by_name", byName.size(),
              [&](Buffered& out, std::size_t r) { AppendNumber(out, byName[r]); });
  if (!SortedValuesTable(helpers)) return;
  AppendArray(text, helpers.Raw, "values", byValue.size(), [&](Buffered& out, std::size_t r) {
    AppendValueLiteral(out, helpers.Values[byValue[r]], helpers.UnsignedValues);
  });
  AppendArray(text, "std::size_t", "value_names", byValue.size(),
              [&](Buffered& out, std::size_t r) { AppendNumber(out, byValue[r]); });
}

// Whether each value is one more than the one before.
bool ValuesFollowOn(const EnumerationHelpers& helpers) {
  for (std::size_t k = 1; k < helpers.Values.size(); ++k)
    if (OrderKey(helpers, k) != OrderKey(helpers, 0) + k) return false;
  return true;
}

// T_from_string of a type that is no flag set.
void AppendFromString(BlockSink& text, const EnumerationHelpers& helpers,
                      const std::string& table) {
  text += "\n" + Signature("[[nodiscard]] constexpr std::optional<" + helpers.Type + "> " +
                               helpers.Stem + "_from_string(",
                           "std::string_view name", ") noexcept {");
  AppendNameSearch(text, helpers, table, "name");
  text += "\n";
}

// to_string and T_from_string of a type that is no flag set: to_string in constant time where
// the values follow on one from another, as a list without values counts them.
void AppendConversions(BlockSink& text, const EnumerationHelpers& helpers,
                       const std::string& table) {
  text += "\n" + Signature("[[nodiscard]] constexpr std::string_view to_string(",
                           helpers.Type + " value", ") noexcept {");
  // Values declared in order are searched where they are declared, each entry its own name.
  const bool inOrder = helpers.Compact && !SortedValuesTable(helpers);
  text += "  const auto& values = " + table + (inOrder ? "::declared;\n" : "::values;\n");
  const std::string key = KeyOf(text, helpers);
  if (inOrder && ValuesFollowOn(helpers)) {
    // Each value one more than the one before: its entry is its distance from the first.
    text += "  if (" + key + " < values.front() || " + key + " > values.back()) {\n";
    text += "    return \"Invalid\";\n  }\n";
    const std::string place = "static_cast<std::size_t>(" + key + " - values.front()));\n}\n";
    text += "  return " + table + "::name(";
    text += 61 + table.size() + key.size() <= 100 ? place : "\n      " + place;
    return AppendFromString(text, helpers, table);
  }
  text += "  const auto found = static_cast<std::size_t>(\n";
  text += "      std::lower_bound(values.begin(), values.end(), " + key + ") - values.begin());\n";
  text += "  if (found == values.size() || values.at(found) != " + key + ") {\n";
  text += "    return \"Invalid\";\n  }\n";
  if (inOrder) {
    text += "  return " + table + "::name(found);\n}\n";
  } else {
    // On one line where it fits in 100 columns, as clang-format puts it.
    const std::string call = table + "::value_names.at(found));\n}\n";
    text += "  return " + table + "::name(";
    text += 41 + 2 * table.size() <= 100 ? call : "\n      " + call;
  }
  AppendFromString(text, helpers, table);
}

// STEM_values: the enumerators as declared; compact, the declared numbers as the type's values.
void AppendValuesArray(BlockSink& text, const EnumerationHelpers& helpers,
                       const std::string& table) {
  const std::string& T = helpers.Type;
  const std::size_t n = helpers.Enumerators.size();
  if (!helpers.Compact) {
    AppendArray(text, T, helpers.Stem + "_values", n,
                [&](Buffered& out, std::size_t k) { AppendElement(out, helpers, k); });
    return;
  }
  const std::string array = "std::array<" + T + ", " + std::to_string(n) + ">";
  const std::string head = "inline constexpr " + array + " " + helpers.Stem + "_values =";
  const std::string value = "std::bit_cast<" + array + ">(" + table + "::declared);\n";
  text += head.size() + 1 + value.size() <= 101 ? head + " " + value : head + "\n    " + value;
}

}  // namespace

std::string EnumerationIncludes(bool flags, bool compact) {
  std::string includes = "#include <algorithm>\n#include <array>\n";
  if (compact) includes += "#include <bit>\n";
  includes += "#include <cstddef>\n";
  if (flags) includes += "#include <limits>\n";
  includes += "#include <optional>\n#include <ostream>\n";
  if (flags) includes += "#include <string>\n";
  return includes + "#include <string_view>\n";
}

namespace {

// What AppendEnumerationHelpers writes, into room made for it.
void WriteHelpers(BlockSink& text, const EnumerationHelpers& helpers) {
  const std::string& T = helpers.Type;
  const std::string& U = helpers.Underlying;

  // Each table only where it is written: a million names' tables take room.
  std::vector<std::uint32_t> nameRank;
  const std::vector<std::uint32_t> byName =
      SortByName(helpers, helpers.Compact ? nullptr : &nameRank);
  const std::vector<std::uint32_t> byValue = !helpers.Compact || SortedValuesTable(helpers)
                                                 ? SortByValue(helpers)
                                                 : std::vector<std::uint32_t>();

  const bool inNamespace = !helpers.Namespace.empty();
  if (inNamespace) text += "\nnamespace " + helpers.Namespace + " {\n";
  if (helpers.Flags) AppendFlagOperators(text, T, U, helpers.ComplementMask);

  const std::string table = helpers.Stem + "_names";
  if (helpers.Compact) {
    text +=
        "\n// The names one after another (name k runs from at[k] to at[k + 1]), each one's value, "
        "and\n";
    text += "// the names sorted; the values sorted with their first names where they are not.\n";
    text += "namespace " + table + " {\n";
    AppendCompactTables(text, helpers, byName, byValue);
  } else {
    text +=
        "\n// The names sorted, one after another (name k runs from at[k] to at[k + 1]), with "
        "their\n";
    text += "// values; and the values sorted, each with the first name it has.\n";
    text += "namespace " + table + " {\n";
    AppendTables(text, helpers, byName, nameRank, byValue);
  }
  text += "\nconstexpr std::string_view name(std::size_t k) noexcept {\n";
  text += "  return text.substr(at.at(k), at.at(k + 1) - at.at(k));\n}\n";
  if (helpers.Compact) {
    text += "\nconstexpr std::string_view sorted_name(std::size_t r) noexcept {\n";
    text += "  return name(by_name.at(r));\n}\n";
    text += "\nconstexpr " + T + " sorted_value(std::size_t r) noexcept {\n";
    text += "  return static_cast<" + T + ">(declared.at(by_name.at(r)));\n}\n";
  }
  AppendNamespaceHelpers(text, helpers, table);
  text += "}  // namespace " + table + "\n";

  if (helpers.Flags) {
    AppendFlagConversions(text, helpers, table);
    text += "\n";
  } else {
    AppendConversions(text, helpers, table);
  }

  AppendValuesArray(text, helpers, table);
  text += "\ninline std::ostream& operator<<(std::ostream& out, " + T + " value) {\n";
  text += "  return out << to_string(value);\n}\n";
  if (inNamespace) text += "\n}  // namespace " + helpers.Namespace + "\n";
  // The formatters specialise templates of other namespaces, so they stand outside every one.
  if (helpers.Formatter)
    AppendFormatters(text, T, inNamespace ? "::" + helpers.Namespace + "::" : "::");
  if (helpers.Json) AppendJson(text, T, helpers);
}

}  // namespace

void AppendEnumerationHelpers(BlockSink& text, const EnumerationHelpers& helpers) {
  text.reserve(text.size() + HelpersRoom(helpers));
  WriteHelpers(text, helpers);
}

namespace {

// The enumerators a line each, with their values where they are written.
void AppendEnumerators(BlockSink& text, const EnumerationHelpers& helpers,
                       const Declaration& declared) {
  Buffered out(text);
  for (std::size_t k = 0; k < helpers.Enumerators.size(); ++k) {
    out += "  ";
    out += helpers.Enumerators[k];
    if (declared.AllWritten || (!declared.Given.empty() && declared.Given[k])) {
      out += " = ";
      AppendValueLiteral(out, helpers.Values[k], helpers.UnsignedValues);
    }
    out += ",\n";
  }
}

// The type and its helpers, into text; gives the size of the type's part (the enum text).
std::size_t WriteDeclaration(const EnumerationRequest& request, Declaration declared,
                             BlockSink& text) {
  const std::string& T = request.TypeName;
  EnumerationHelpers helpers = HelpersOf(request);
  helpers.Enumerators = std::move(declared.Names);
  helpers.Values = std::move(declared.Values);
  const std::size_t n = helpers.Enumerators.size();
  helpers.UnsignedValues = declared.UnsignedValues;
  helpers.Underlying = UnderlyingType(helpers.Values, helpers.UnsignedValues);
  helpers.UnsignedUnderlying =
      helpers.UnsignedValues ? helpers.Underlying : "unsigned " + helpers.Underlying;
  helpers.Compact = n > NamedValuesLimit;
  helpers.Raw = helpers.Underlying;
  if (request.ApplyPrefix) helpers.NameCut = request.PrefixText.size();

  // Room for the whole text at once, so that a long one is never copied while it grows.
  std::size_t room = 2048 + 16 * T.size() + 28 * n + HelpersRoom(helpers);
  for (const std::string_view name : helpers.Enumerators) room += name.size();
  text.reserve(room);
  text += EnumClassMark;
  text += T + "\n";
  text += EnumerationIncludes(request.Flags, helpers.Compact);
  // An enumeration without names is "{};" on one line, as clang-format writes it.
  text += "\nenum class " + T + " : " + helpers.Underlying + (n == 0 ? " {" : " {\n");
  AppendEnumerators(text, helpers, declared);
  text += "};\n";
  const std::size_t enumTextSize = text.size();
  WriteHelpers(text, helpers);
  return enumTextSize;
}

template <class Entries>
std::variant<EnumerationTexts, Refusal> WriteEntries(const EnumerationRequest& request,
                                                     const Entries& entries, bool unsignedValues,
                                                     BlockSink& text) {
  std::optional<Declaration> declared = Declare(request, entries, unsignedValues);
  if (!declared)
    return Refusal{"A flag set has at most 63 bits: the names without values need more."};
  // The names the list gave, without a zero name added.
  EnumerationTexts texts = DescribeEntries(entries);
  texts.EnumTextSize = WriteDeclaration(request, std::move(*declared), text);
  return texts;
}

}  // namespace

std::variant<EnumerationTexts, Refusal> WriteModernEnumeration(const EnumerationRequest& request,
                                                               const ListFile* listFile,
                                                               BlockSink& text) {
  if (request.FromFile) {
    if (auto problems = CheckEnumerationNames(request, listFile); !problems.empty())
      return problems.front();
    return WriteEntries(request, FileEntries(request, listFile), false, text);
  }
  auto built = BuildEnumerationList(request, nullptr);
  if (auto* refusal = std::get_if<Refusal>(&built)) return std::move(*refusal);
  const EnumerationList& list = std::get<EnumerationList>(built);
  return WriteEntries(request, ListEntries(list), list.UnsignedValues, text);
}

std::variant<EnumerationTexts, Refusal> ModernEnumerationTexts(const EnumerationRequest& request,
                                                               const EnumerationList& list) {
  BlockSink text;
  auto texts = WriteEntries(request, ListEntries(list), list.UnsignedValues, text);
  if (auto* made = std::get_if<EnumerationTexts>(&texts)) made->Text = text.Take();
  return texts;
}

std::string ModernEnumerationHeader(EnumerationTexts texts) {
  // In place: the text has room for the line, so a long one is moved, never copied whole.
  std::string header = std::move(texts.Text);
  header.insert(header.find('\n') + 1, "#pragma once\n\n");
  return header;
}

std::string ModernIncludeLine(const EnumerationRequest& request) {
  return "#include \"" + HeaderBaseName(request.OutputPath) + ".h\" " + std::string(EnumClassMark) +
         request.TypeName;
}

}  // namespace zandrel
