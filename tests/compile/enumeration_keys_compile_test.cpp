// The enum class keys over random requests: names in several letter cases, aliases, negative and
// 64-bit values, every combination of Flags, CaseInsensitive, Formatter and Json. The headers are
// compiled with warnings as errors into a driver whose expectations this file works out on its
// own (values counted as the compiler and the flag rule count them, first names of aliases, the
// case rules), and the driver is run. fmt and nlohmann/json are used where they are installed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "enumgen/modern_enumeration_writer.h"
#include "tests/support/strict_build.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

using testing::Installed;
using testing::StrictFlags;
using testing::Succeeds;

std::string Lower(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

std::string Literal(std::int64_t value) {
  if (value == INT64_MIN) return "(-9223372036854775807LL - 1)";
  return std::to_string(value) + "LL";
}

// One random request, its list, and what the driver must find.
struct Case {
  EnumerationRequest Request;
  EnumerationList List;
  std::vector<std::string> Names;   // what to_string gives, in list order, the zero name first
  std::vector<std::string> Idents;  // the enumerators
  std::vector<std::int64_t> Values;
  bool Wide = false;  // long long
};

class Generator {
 public:
  explicit Generator(std::uint64_t seed) : random_(seed) {}

  // With keys, every key set so; else each at random.
  // large: beyond a thousand names, where the tables are compact.
  Case Make(int index, std::optional<bool> keys = std::nullopt, bool large = false) {
    Case c;
    EnumerationRequest& r = c.Request;
    r.TypeName = "E" + std::to_string(index);
    r.Style = EnumerationStyle::ModernEnumeration;
    r.Flags = keys.value_or(Chance(2));
    r.CaseInsensitive = keys.value_or(Chance(2));
    r.Formatter = keys.value_or(Chance(2));
    r.Json = keys.value_or(Chance(2));
    r.ApplyPrefix = Chance(2);
    r.PrefixText = "P_";
    c.List.ValuesGiven = Chance(4) != 0 || r.Flags || large;
    const int size = large ? Between(1100, 2000) : Chance(4) ? Between(1, 2000) : Between(1, 40);
    std::set<std::string> taken;
    int implicit = 0;
    for (int k = 0; k < size; ++k) {
      std::string name;
      // A case variant of a name before, or a new name: two letters, a digit, up to six more,
      // which no keyword or standard macro looks like.
      if (!c.Idents.empty() && Chance(4) == 0) {
        name = Flipped(Bare(c, c.Idents[Pick(c.Idents.size())]));
      } else {
        name = std::string{Letter(), Letter(), static_cast<char>('0' + Between(0, 9))};
        for (int more = Between(0, 6); more > 0; --more) name += Letter();
      }
      if (r.ApplyPrefix) name = r.PrefixText + name;
      if (!taken.insert(name).second) continue;
      std::optional<std::int32_t> value;
      const int kind = Between(0, 9);
      if (kind < 2 && !c.List.Entries.empty()) {
        value = c.List.Entries[Pick(c.List.Entries.size())].EnumeratorValue;  // often an alias
      } else if (kind == 2) {
        value = static_cast<std::int32_t>(Between(-1000, 1000));
      } else if (kind == 3) {
        value = Chance(2) ? INT32_MAX : INT32_MIN + Between(0, 3);
      } else if (kind == 4) {
        value = -(std::int32_t{1} << Between(0, 30));
      }
      // A flag set's powers of two stay within 63 bits.
      if (!value && r.Flags && ++implicit > 30) value = 1 << Between(0, 30);
      // A large list without flags counts on from its first value, one after another.
      if (large && !r.Flags)
        value = c.List.Entries.empty() ? std::optional<std::int32_t>(Between(-1000, 1000))
                                       : std::nullopt;
      c.List.Entries.push_back({name, value});
      c.Idents.push_back(name);
    }
    Expect(c);
    return c;
  }

  // Random flag combinations of the case's values and stray bits, within the type's width.
  std::vector<std::int64_t> Combinations(const Case& c) {
    std::vector<std::int64_t> out{0, -1};
    for (int k = 0; k < 30; ++k) {
      std::int64_t value = 0;
      for (int parts = Between(1, 4); parts > 0; --parts) value |= c.Values[Pick(c.Values.size())];
      if (Chance(3) == 0) value |= std::int64_t{1} << Between(0, c.Wide ? 63 : 31);
      if (!c.Wide) value = static_cast<std::int32_t>(value);
      out.push_back(value);
    }
    return out;
  }

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  int Chance(int n) { return Between(0, n - 1); }
  std::size_t Pick(std::size_t n) {
    return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
  }
  char Letter() {
    const int k = Between(0, 51);
    return static_cast<char>(k < 26 ? 'a' + k : 'A' + k - 26);
  }
  // The name with some letters (one at least) of the other case.
  std::string Flipped(const std::string& name) {
    std::string out = name;
    while (out == name)
      for (char& c : out)
        if (std::isalpha(static_cast<unsigned char>(c)) && Chance(2))
          c = static_cast<char>(c ^ 0x20);
    return out;
  }
  static std::string Bare(const Case& c, const std::string& ident) {
    return c.Request.ApplyPrefix ? ident.substr(c.Request.PrefixText.size()) : ident;
  }

 private:
  // Values as the compiler counts them, or by the flag rule (the lowest power of two above every
  // value before); a flag set's zero named None unless a name has 0 or the name is taken.
  static void Expect(Case& c) {
    std::int64_t next = 0;
    std::int64_t highest = 0;
    for (const Enumerator& entry : c.List.Entries) {
      std::int64_t value = 0;
      if (entry.EnumeratorValue) {
        value = *entry.EnumeratorValue;
      } else if (c.Request.Flags) {
        value = 1;
        while (value <= highest) value *= 2;
      } else {
        value = next;
      }
      next = value + 1;
      highest = std::max(highest, value);
      c.Values.push_back(value);
      c.Names.push_back(Bare(c, entry.EnumeratorName));
    }
    if (!c.List.ValuesGiven) c.Values.clear();
    if (!c.List.ValuesGiven)
      for (std::size_t k = 0; k < c.List.Entries.size(); ++k)
        c.Values.push_back(static_cast<std::int64_t>(k));
    const std::string zero = c.Request.ApplyPrefix ? c.Request.PrefixText + "None" : "None";
    if (c.Request.Flags && std::count(c.Values.begin(), c.Values.end(), 0) == 0 &&
        std::count(c.Idents.begin(), c.Idents.end(), zero) == 0) {
      c.Values.insert(c.Values.begin(), 0);
      c.Names.insert(c.Names.begin(), "None");
      c.Idents.insert(c.Idents.begin(), zero);
    }
    for (const std::int64_t value : c.Values)
      if (value < INT32_MIN || value > INT32_MAX) c.Wide = true;
  }

  std::mt19937_64 random_;
};

// The driver's checks of one case.
std::string CheckFunction(Generator& random, const Case& c) {
  const std::string& T = c.Request.TypeName;
  std::map<std::int64_t, std::string> first;  // each value's first name
  for (std::size_t k = c.Values.size(); k-- > 0;) first[c.Values[k]] = c.Names[k];
  std::string f = "void check_" + T + "() {\n";
  f += "  struct Named { std::string_view text; " + T +
       " value; long long expected; std::string_view first; };\n";
  f += "  const Named names[] = {\n";
  for (std::size_t k = 0; k < c.Names.size(); ++k)
    f += "      {\"" + c.Names[k] + "\", " + T + "::" + c.Idents[k] + ", " + Literal(c.Values[k]) +
         ", \"" + first[c.Values[k]] + "\"},\n";
  f += "  };\n";
  f += "  for (const Named& n : names) {\n";
  f += "    check(static_cast<long long>(n.value) == n.expected, \"" + T + " value\", n.text);\n";
  f += "    check(" + T + "_from_string(n.text) == n.value, \"" + T + " from_string\", n.text);\n";
  f += "    check(to_string(n.value) == n.first, \"" + T + " to_string\", n.text);\n";
  f += "    same_text(n.value, \"" + T + "\");\n";
  f += "  }\n";

  // A value no name has is "Invalid", just outside either end too, which a lookup by the
  // distance from the first value must not take for a name.
  const auto [low, high] = std::minmax_element(c.Values.begin(), c.Values.end());
  for (const std::int64_t outside : {*low - 1, *high + 1})
    if (!c.Request.Flags && outside >= INT32_MIN && outside <= INT32_MAX &&
        !first.contains(outside))
      f += "  check(to_string(static_cast<" + T + ">(" + Literal(outside) +
           ")) == \"Invalid\", \"" + T + " to_string\", \"" + std::to_string(outside) + "\");\n";

  // Wrongly cased names: an exact match where there is one, else with CaseInsensitive the first
  // name in byte order that matches ignoring case, else nothing.
  f += "  struct Cased { std::string_view text; bool found; long long expected; };\n";
  f += "  const Cased cased[] = {\n";
  for (int k = 0; k < 20; ++k) {
    const std::string text = random.Flipped(c.Names[random.Pick(c.Names.size())]);
    std::optional<std::int64_t> expected;
    std::optional<std::string> best;
    for (std::size_t i = 0; i < c.Names.size(); ++i) {
      if (c.Names[i] == text) {
        expected = c.Values[i];
        best.reset();
        break;
      }
      if (c.Request.CaseInsensitive && Lower(c.Names[i]) == Lower(text) &&
          (!best || c.Names[i] < *best)) {
        best = c.Names[i];
        expected = c.Values[i];
      }
    }
    f += "      {\"" + text + "\", " + (expected ? "true, " + Literal(*expected) : "false, 0") +
         "},\n";
  }
  f += "  };\n";
  f += "  for (const Cased& n : cased) {\n";
  f += "    const auto found = " + T + "_from_string(n.text);\n";
  f += "    check(found.has_value() == n.found && (!found || static_cast<long long>(*found) == "
       "n.expected), \"" +
       T + " cased\", n.text);\n";
  f += "  }\n";
  f += "  check(!" + T + "_from_string(\"Qq0Missing\"), \"" + T + " unknown\", \"Qq0Missing\");\n";

  if (c.Request.Flags) {
    f += "  const long long combinations[] = {";
    for (const std::int64_t value : random.Combinations(c)) f += Literal(value) + ", ";
    f += "};\n";
    f += "  for (const long long bits : combinations) {\n";
    f += "    const auto value = static_cast<" + T + ">(bits);\n";
    f += "    const std::string text(to_string(value));\n";
    f += "    check(" + T + "_from_string(text) == value, \"" + T + " combination\", text);\n";
    f += "    check(" + T + "_from_string(spaced(text)) == value, \"" + T + " spaced\", text);\n";
    f += "    same_text(value, \"" + T + "\");\n";
    f += "  }\n";
    f += "  check((" + T + "::" + c.Idents[0] + " | " + T + "::" + c.Idents.back() +
         ") == " + "static_cast<" + T + ">(" + Literal(c.Values[0] | c.Values.back()) + "), \"" +
         T + " |\", \"\");\n";
    f += "  check(!" + T + "_from_string(\"\") && !" + T + "_from_string(\"" + c.Names[0] +
         "|\") && !" + T + "_from_string(\"0x\"), \"" + T + " malformed\", \"\");\n";
  }
  if (c.Request.Json) {
    f += "#if __has_include(<nlohmann/json.hpp>)\n";
    f += "  for (const Named& n : names) {\n";
    f += "    const nlohmann::json json = n.value;\n";
    f += "    check(json == std::string(n.first) && json.get<" + T + ">() == n.value, \"" + T +
         " json\", n.text);\n";
    f += "  }\n";
    f += "  json_refuses<" + T + ">(nlohmann::json(\"Qq0Missing\"), \"" + T + "\");\n";
    f += "  json_refuses<" + T + ">(nlohmann::json(7), \"" + T + "\");\n";
    f += "#endif\n";
  }
  return f + "}\n\n";
}

std::string Driver(Generator& random, const std::vector<Case>& cases) {
  std::string d;
  d += "#include \"Access.h\"\n";
  for (const Case& c : cases) d += "#include \"" + c.Request.TypeName + ".h\"\n";
  d += R"(
#include <cstdio>
#include <stdexcept>
#include <string>
#include <string_view>
#include <type_traits>
#if __has_include(<format>)
#include <format>
#endif
#if __has_include(<fmt/format.h>)
#include <fmt/format.h>
#endif
#if __has_include(<nlohmann/json.hpp>)
#include <nlohmann/json.hpp>
#endif

namespace {

int failures = 0;

void check(bool ok, std::string_view what, std::string_view text) {
  if (ok) return;
  ++failures;
  std::printf("%.*s fails for \"%.*s\"\n", static_cast<int>(what.size()), what.data(),
              static_cast<int>(text.size()), text.data());
}

std::string spaced(std::string_view text) {
  std::string out;
  for (const char c : text) out += c == '|' ? std::string(" \t| ") : std::string(1, c);
  return " " + out + " ";
}

// The formatters print what to_string gives, where the type has them.
template <class T>
void same_text(T value, std::string_view type) {
  const std::string text(to_string(value));
#if __has_include(<fmt/format.h>)
  if constexpr (fmt::is_formattable<T>::value) check(fmt::format("{}", value) == text, type, text);
#endif
#if defined(__cpp_lib_format)
  if constexpr (std::is_default_constructible_v<std::formatter<T>>)
    check(std::format("{}", value) == text, type, text);
#endif
  static_cast<void>(type);
}

#if __has_include(<nlohmann/json.hpp>)
template <class T>
void json_refuses(const nlohmann::json& json, std::string_view type) {
  try {
    static_cast<void>(json.get<T>());
    check(false, type, "json of something that is no name");
  } catch (const std::invalid_argument&) {
  }
}
#endif

)";
  for (const Case& c : cases) d += CheckFunction(random, c);
  // The texts of combinations, as the README shows them.
  d += R"(void check_Access() {
  check(to_string(Access::Read | Access::Exec) == "Read|Exec", "Access", "Read|Exec");
  check(to_string(Access::Read | Access::Write) == "Read|Write", "Access", "Read|Write");
  check(to_string(Access::All) == "All" && to_string(Access{}) == "None", "Access", "All, None");
  check(to_string(Access::Read | static_cast<Access>(0x40)) == "Read|0x40", "Access", "0x40");
  check(to_string(static_cast<Access>(0x40)) == "0x40", "Access", "0x40");
  check(Access_from_string(" write |READ| 0x40") == (Access::Read | Access::Write |
        static_cast<Access>(0x40)), "Access", "from_string");
  Access a = Access::All;
  a &= ~Access::Write;
  a ^= Access::Exec;
  check(a == Access::Read, "Access", "&= ~ ^=");
}

)";
  d += "}  // namespace\n\nint main() {\n  check_Access();\n";
  for (const Case& c : cases) d += "  check_" + c.Request.TypeName + "();\n";
  d += "  std::printf(\"%d failures\\n\", failures);\n  return failures == 0 ? 0 : 1;\n}\n";
  return d;
}

TEST(EnumerationKeys, RandomRequestsCompileCleanAndRoundTrip) {
  if (!Installed("g++")) GTEST_SKIP() << "g++ is not installed";
  const char* seedText = std::getenv("ZANDREL_SEED");
  const std::uint64_t seed = seedText != nullptr ? std::strtoull(seedText, nullptr, 10) : 20261209;
  SCOPED_TRACE("ZANDREL_SEED=" + std::to_string(seed));
  Generator random(seed);
  testing::TempFolder folder;

  std::vector<Case> cases;
  for (int k = 0; k < 10; ++k) {
    // Every key on, and every key off, at least once, both with compact tables.
    cases.push_back(k < 2 ? random.Make(k, k == 0, true) : random.Make(k));
  }
  const auto header = [](const Case& c) {
    auto texts = ModernEnumerationTexts(c.Request, c.List);
    EXPECT_TRUE(std::holds_alternative<EnumerationTexts>(texts)) << c.Request.TypeName;
    return ModernEnumerationHeader(std::get<EnumerationTexts>(std::move(texts)));
  };
  for (const Case& c : cases) testing::WriteFile(folder.Path(c.Request.TypeName + ".h"), header(c));
  Case access;
  access.Request.TypeName = "Access";
  access.Request.Flags = access.Request.CaseInsensitive = true;
  access.Request.ApplyPrefix = false;
  access.List = {{{"Read", {}}, {"Write", {}}, {"Exec", {}}, {"All", 7}}, true};
  testing::WriteFile(folder.Path("Access.h"), header(access));
  testing::WriteFile(folder.Path("driver.cpp"), Driver(random, cases));

  const std::string in = "cd '" + folder.Path("") + "' && ";
  for (const std::string& compiler : {std::string("g++"), testing::ClangCompiler()}) {
    if (compiler.empty()) continue;
    const std::string command = in + compiler + StrictFlags + " -DFMT_HEADER_ONLY -I. driver.cpp" +
                                " -o driver >messages.txt 2>&1 && ./driver >>messages.txt 2>&1";
    EXPECT_TRUE(Succeeds(command))
        << compiler << "\n"
        << testing::ReadFile(folder.Path("messages.txt")).substr(0, 8000);
  }
}

}  // namespace
}  // namespace zandrel
