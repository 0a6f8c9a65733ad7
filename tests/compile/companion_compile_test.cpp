// zandrel-gen companion over random headers: enumerations in namespaces and classes, scoped or
// not, of every integer type, with negative and 64-bit values, implicit values and aliases, some
// long, some flag sets. A driver compiled with warnings as errors lists each enumerator with its
// name as the header spells them, and checks against the compiler's own values that every name
// parses to its enumerator and every enumerator prints as the first name of its value.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include "tests/support/run_program.h"
#include "tests/support/strict_build.h"
#include "tests/support/temp_folder.h"

namespace zandrel {
namespace {

using testing::Installed;
using testing::StrictFlags;
using testing::Succeeds;

struct IntegerType {
  const char* Name;  // empty: none given
  bool Unsigned;
  int Bits;
};

constexpr IntegerType Types[] = {{"", false, 32},
                                 {"signed char", false, 8},
                                 {"unsigned char", true, 8},
                                 {"short", false, 16},
                                 {"unsigned short", true, 16},
                                 {"int", false, 32},
                                 {"unsigned", true, 32},
                                 {"long", false, 64},
                                 {"unsigned long", true, 64},
                                 {"long long", false, 64},
                                 {"unsigned long long", true, 64},
                                 {"std::int8_t", false, 8},
                                 {"std::uint64_t", true, 64}};

class HeaderMaker {
 public:
  explicit HeaderMaker(std::uint64_t seed) : random_(seed) {}

  // The header, and the driver's checks appended to checks.
  std::string Make(std::string& checks, std::vector<std::string>& flagSets) {
    std::string header = "#pragma once\n#include <cstdint>\n\n";
    for (int e = 0; e < 14; ++e) {
      const std::string ns = Pick({"", "alpha", "alpha::beta", "omega"});
      const bool nested = Chance(3) == 0;
      const bool flags = Chance(4) == 0;
      const IntegerType& type = Types[Chance(13)];
      const bool scoped = (type.Name[0] == '\0' && !flags) ? Chance(2) == 0 : Chance(3) != 0;
      const std::string name =
          std::string(1, 'T').append(std::to_string(e)).append(Letters(Chance(3)));
      std::string qualified = ns.empty() ? name : ns + "::" + name;
      if (nested)
        qualified = (ns.empty() ? "" : ns + "::") + "Holder" + std::to_string(e) + "::" + name;
      std::string text = std::string(scoped ? "enum class " : "enum ") + name;
      if (type.Name[0] != '\0') text += std::string(" : ") + type.Name;
      text += " {\n";
      std::vector<std::string> names;
      const int size = flags ? 1 + Chance(type.Bits - (type.Unsigned ? 0 : 1))
                             : (Chance(6) == 0 ? 60 + Chance(1200) : 1 + Chance(30));
      Value value;
      for (int k = 0; k < size; ++k) {
        // Unscoped enumerators share their scope: unique names across the header.
        std::string enumerator = Letters(1 + Chance(3)) + std::to_string(names_++);
        text += "  " + enumerator;
        if (flags) {
          text += " = " + Literal(type, {type.Unsigned, std::uint64_t{1} << k});
        } else if (!names.empty() && Chance(6) == 0) {
          text += " = " + names[Chance(static_cast<int>(names.size()))];  // an alias
          value.Known = false;
        } else if (k == 0 || Chance(3) == 0 || !value.Known || value.AtTop(type)) {
          value = Random(type);
          text += " = " + Literal(type, value);
        } else {
          value.Next();
        }
        text += ",\n";
        names.push_back(enumerator);
      }
      text += "};\n";
      if (nested) text = "struct Holder" + std::to_string(e) + " {\n" + text + "};\n";
      if (!ns.empty()) text = "namespace " + ns + " {\n" + text + "}\n";
      header += text + "\n";
      if (flags) flagSets.push_back(qualified);

      // The nested name with "::" as "_", built up: replace() in place sets off GCC 12's
      // -Wrestrict.
      const std::string_view inner =
          std::string_view(qualified).substr(ns.empty() ? 0 : ns.size() + 2);
      std::string stem;
      for (std::size_t i = 0; i < inner.size(); ++i) {
        const bool colons = inner.substr(i, 2) == "::";
        stem += colons ? '_' : inner[i];
        i += colons ? 1 : 0;
      }
      const std::string scope = ns.empty() ? "::" : std::string("::").append(ns).append("::");
      checks += "  {\n    using E = ::" + qualified + ";\n";
      checks += "    const std::array<std::pair<E, std::string_view>, " +
                std::to_string(names.size()) + "> listed{{\n";
      for (const std::string& n : names) checks += "        {E::" + n + ", \"" + n + "\"},\n";
      checks += "    }};\n";
      checks += "    failures += Check(\"" + qualified + "\", listed, " + scope + stem +
                "_values, [](std::string_view s) { return " + scope + stem +
                "_from_string(s); });\n";
      if (flags)
        checks += "    failures += CheckFlags(listed, [](std::string_view s) { return " + scope +
                  stem + "_from_string(s); });\n";
      checks += "  }\n";
    }
    return header;
  }

 private:
  // A value of the type, kept as the bits of 64 and its sign.
  struct Value {
    bool Unsigned = false;
    std::uint64_t Bits = 0;
    bool Known = true;
    bool AtTop(const IntegerType& type) const {
      if (Unsigned)
        return Bits == (type.Bits == 64 ? UINT64_MAX : (std::uint64_t{1} << type.Bits) - 1);
      return static_cast<std::int64_t>(Bits) ==
             (type.Bits == 64 ? INT64_MAX : (std::int64_t{1} << (type.Bits - 1)) - 1);
    }
    void Next() { ++Bits; }
  };

  // Small values, values at either end of the type's range, or any.
  Value Random(const IntegerType& type) {
    const std::uint64_t small = random_() & 0x3f;
    const std::uint64_t top = type.Unsigned ? (~std::uint64_t{0} >> (64 - type.Bits))
                                            : (~std::uint64_t{0} >> (65 - type.Bits));
    const std::uint64_t bottom = type.Unsigned ? 0 : ~top;  // the most negative, as bits
    std::uint64_t bits = 0;
    switch (Chance(3)) {
      case 0:
        bits = type.Unsigned || Chance(2) ? small : ~small;
        break;
      case 1:
        bits = Chance(2) ? top - small : bottom + small;
        break;
      default:
        bits = random_() & top;
        if (!type.Unsigned && Chance(2)) bits = ~bits;
        break;
    }
    return {type.Unsigned, bits, true};
  }

  static std::string Literal(const IntegerType& type, const Value& value) {
    if (type.Unsigned) return std::to_string(value.Bits) + "ULL";
    const auto v = static_cast<std::int64_t>(value.Bits);
    if (v == INT64_MIN) return "(-9223372036854775807LL - 1)";
    return std::to_string(v) + "LL";
  }

  std::string Letters(int count) {
    std::string text;
    for (int k = 0; k < count; ++k) text += static_cast<char>((Chance(2) ? 'a' : 'A') + Chance(26));
    return text;
  }
  std::string Pick(std::initializer_list<const char*> choices) {
    return *(choices.begin() + Chance(static_cast<int>(choices.size())));
  }
  int Chance(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

  std::mt19937_64 random_;
  int names_ = 0;
};

constexpr const char* DriverHead = R"(#include <array>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>

#include "companion.h"

// Every name parses to its enumerator, every enumerator prints as the first name of its value
// (as the compiler compares them), and the values list holds the enumerators in order.
template <typename E, std::size_t N, typename Values, typename Parse>
int Check(const char* type, const std::array<std::pair<E, std::string_view>, N>& listed,
          const Values& values, Parse parse) {
  int failures = 0;
  if (values.size() != N) {
    std::cerr << type << ": " << values.size() << " values for " << N << '\n';
    return 1;
  }
  for (std::size_t k = 0; k < N; ++k) {
    std::string_view first = listed[k].second;
    for (std::size_t j = 0; j < k; ++j) {
      if (listed[j].first == listed[k].first) {
        first = listed[j].second;
        break;
      }
    }
    std::ostringstream printed;
    printed << listed[k].first;
    const auto parsed = parse(listed[k].second);
    if (std::string(to_string(listed[k].first)) != first || printed.str() != first || !parsed ||
        *parsed != listed[k].first || values[k] != listed[k].first) {
      std::cerr << type << ": " << listed[k].second << " does not round-trip\n";
      ++failures;
    }
  }
  return failures;
}

// Combinations of two flags, and a flag taken out again, print and parse back.
template <typename E, std::size_t N, typename Parse>
int CheckFlags(const std::array<std::pair<E, std::string_view>, N>& listed, Parse parse) {
  int failures = 0;
  for (std::size_t k = 0; k < N; ++k) {
    for (std::size_t j = 0; j < N; ++j) {
      E both = listed[k].first | listed[j].first;
      const auto parsed = parse(to_string(both));
      both &= ~listed[j].first;
      if (!parsed || *parsed != (listed[k].first | listed[j].first) ||
          (j != k && both != listed[k].first)) {
        std::cerr << to_string(listed[k].first | listed[j].first) << " does not round-trip\n";
        ++failures;
      }
    }
  }
  return failures;
}

int main() {
  int failures = 0;
)";

TEST(CompanionCompile, EveryNameRoundTripsThroughTheCompiledHelpers) {
  if (!Installed("g++")) GTEST_SKIP() << "no g++";
  for (std::uint64_t seed = 1; seed <= 3; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    testing::TempFolder folder;
    HeaderMaker maker(seed);
    std::string checks;
    std::vector<std::string> flagSets;
    folder.Write("enums.h", maker.Make(checks, flagSets));
    std::vector<std::string> command{ZANDREL_GEN, "companion", folder.Path("enums.h"), "-o",
                                     folder.Path("companion.h")};
    if (seed != 1)
      for (const char* key : {"--case-insensitive", "--formatter", "--json"})
        command.emplace_back(key);
    for (const std::string& flagSet : flagSets) {
      command.emplace_back("--flags");
      command.push_back(flagSet);
    }
    const testing::ProgramRun run = testing::RunProgram(command);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_NE(testing::ReadFile(folder.Path("companion.h")).find("#include \"enums.h\""),
              std::string::npos);
    folder.Write("driver.cpp", DriverHead + checks + "  return failures == 0 ? 0 : 1;\n}\n");
    const std::string build = "cd '" + folder.Path() + "' && g++" + StrictFlags +
                              " -I. driver.cpp -o driver 2>&1 && ./driver";
    EXPECT_TRUE(Succeeds(build)) << folder.Path("enums.h");
    // Without fmt and nlohmann/json the companion is quick for clang-tidy.
    if (seed == 1 && Installed("clang-tidy")) {
      folder.Write("tidy.cpp", "#include \"companion.h\"\n");
      EXPECT_TRUE(Succeeds("cd '" + folder.Path() + "' && " +
                           testing::TidyCommand("tidy.cpp", "companion") + " >tidy.txt 2>&1"))
          << testing::ReadFile(folder.Path("tidy.txt"));
    }
  }
}

// Random structs with public members and classes with private ones behind accessors of every
// naming form, some with an operator<< or an operator== of their own. The driver sets every
// member, and checks that the JSON functions give the object back, that equal objects hash
// equal, and that the formatters print what operator<< prints.
std::string RandomClasses(std::mt19937_64& random, std::string& checks) {
  const auto chance = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
  struct Kind {
    const char* Type;
    std::string (*Value)(int);
  };
  const Kind kinds[] = {
      {"int", [](int k) { return std::to_string(k * 7 - 40); }},
      {"long long", [](int k) { return std::to_string(k) + "000000000000LL"; }},
      {"bool", [](int k) { return std::string(k % 2 ? "true" : "false"); }},
      {"double", [](int k) { return std::to_string(k) + ".25"; }},
      {"std::string", [](int k) { return "std::string(\"s" + std::to_string(k) + "\")"; }},
      {"std::vector<int>", [](int k) { return "std::vector<int>{" + std::to_string(k) + ", 3}"; }},
      {"Tint", [](int k) { return std::string(k % 2 ? "Tint::Green" : "Tint::Blue"); }}};
  const char* forms[][2] = {{"get_", "set_"}, {"get", "set"}, {"Get", "Set"}};
  std::string header =
      "#pragma once\n#include <ostream>\n#include <string>\n#include <vector>\n\n"
      "enum class Tint { Red, Green, Blue };\n";
  for (int c = 0; c < 12; ++c) {
    const std::string ns = chance(2) ? "" : "zone" + std::to_string(c % 3);
    const std::string name = (chance(2) ? "Plain" : "Kept") + std::to_string(c);
    const bool hidden = name.starts_with("Kept");
    const bool ownOutput = chance(4) == 0;
    const bool ownEquality = chance(5) == 0;
    std::string body;
    std::string accessors;
    std::string sets;
    std::vector<std::string> single;  // each member's set apart
    std::size_t begun = 0;
    for (int m = 0, count = chance(14); m < count;
         ++m, single.push_back(sets.substr(begun)), begun = sets.size()) {
      const Kind& kind = kinds[chance(7)];
      const std::string stem = std::string("f").append(std::to_string(m));
      // Now and then a public C array, which must be written element by element, or a char
      // array, which JSON holds as a string.
      if (!hidden && kind.Type[0] == 'i' && chance(2) == 0) {
        body += "  int " + stem + "[2]{" + kind.Value(m) + ", 5};\n";
        sets += "    x." + stem + "[1] = " + kind.Value(c + m + 1) + ";\n";
        continue;
      }
      if (!hidden && kind.Type[0] == 's' && chance(2) == 0) {
        body += "  char " + stem + "[4]{\"ab\"};\n";
        sets += "    x." + stem + "[1] = 'z';\n";
        continue;
      }
      const int spelling = chance(3);
      const std::string field = !hidden         ? stem
                                : spelling == 0 ? stem + "_"
                                : spelling == 1 ? "m_" + stem
                                                : stem;
      std::string initial = kind.Value(chance(9));
      body += "  " + std::string(kind.Type) + " " + field + "{" + initial + "};\n";
      const std::string value = kind.Value(c + m + 1);
      if (!hidden) {
        sets += "    x." + field + " = " + value + ";\n";
        continue;
      }
      const auto& form = forms[chance(3)];
      std::string upper = stem;
      upper[0] = static_cast<char>(upper[0] - ('a' - 'A'));
      const std::string suffix = form[0][0] == 'g' && form[0][3] == '_' ? stem : upper;
      const std::string getter =
          field != stem && chance(3) == 0 ? stem : std::string(form[0]).append(suffix);
      const std::string setter = std::string(form[1]).append(suffix);
      accessors += "  [[nodiscard]] const " + std::string(kind.Type) + "& " + getter +
                   "() const { return " + field + "; }\n";
      accessors += "  void " + setter + "(" + kind.Type + " v) { " + field + " = v; }\n";
      sets += "    x." + setter + "(" + value + ");\n";
    }
    std::string text = (hidden ? "class " : "struct ") + name + " {\n";
    text += hidden ? " public:\n" + accessors : "";
    text += ownEquality ? "  bool operator==(const " + name + "&) const { return true; }\n"
                        : "  bool operator==(const " + name + "&) const = default;\n";
    if (ownOutput)
      text += "  friend std::ostream& operator<<(std::ostream& o, const " + name +
              "&) { return o << \"own\"; }\n";
    text += hidden ? " private:\n" + body : body;
    text += "};\n";
    if (!ns.empty()) text = "namespace " + ns + " {\n" + text + "}  // namespace " + ns + "\n";
    header += text;
    const std::string T = ns.empty() ? "::" + name : "::" + ns + "::" + name;
    checks += "  {\n    " + T + " x;\n" + sets;
    checks += "    failures += CheckClass(\"" + T + "\", x, " + (ownEquality ? "false" : "true") +
              ");\n  }\n";
    for (const std::string& set : single)
      if (!ownOutput)
        checks += "  {\n    " + T + " x;\n" + set + "    failures += CheckApart(\"" + T +
                  "\", x);\n  }\n";
  }
  return header;
}

constexpr const char* ClassDriverHead = R"(#include <iostream>
#include <sstream>
#include <string>

#include "companion.h"

template <typename T>
int CheckClass(const char* type, const T& x, bool hashed) {
  int failures = 0;
  const T copy = x;
  const nlohmann::json json = x;
  if (!(json.get<T>() == x)) {
    std::cerr << type << ": " << json.dump() << " does not read back\n";
    ++failures;
  }
  constexpr bool has = requires { std::hash<T>{}(x); };
  if constexpr (has) {
    if (std::hash<T>{}(x) != std::hash<T>{}(copy)) {
      std::cerr << type << ": equal objects hash apart\n";
      ++failures;
    }
  }
  if (has != hashed) {
    std::cerr << type << (hashed ? ": no hash\n" : ": a hash beside its own operator==\n");
    ++failures;
  }
  std::ostringstream out;
  out << x;
  std::ostringstream again;
  again << copy;
  if (again.str() != out.str()) {
    std::cerr << type << ": prints " << out.str() << " and its copy " << again.str() << '\n';
    ++failures;
  }
  bool same = fmt::format("{}", x) == out.str();
#if defined(__cpp_lib_format)
  same = same && std::format("{}", x) == out.str();
#endif
  if (!same) {
    std::cerr << type << ": the formatters print apart from " << out.str() << '\n';
    ++failures;
  }
  return failures;
}

// Every member is written, a container element by element: an object with one member changed
// prints apart from the default one.
template <typename T>
int CheckApart(const char* type, const T& x) {
  std::ostringstream changed;
  changed << x;
  std::ostringstream fresh;
  fresh << T{};
  if (x == T{} || changed.str() != fresh.str()) return 0;
  std::cerr << type << ": prints " << changed.str() << " as its default does\n";
  return 1;
}

int main() {
  int failures = 0;
)";

TEST(CompanionCompile, ClassesReadBackHashAndFormatAsTheirOperators) {
  if (!Installed("g++") || !Succeeds("test -f /usr/include/nlohmann/json.hpp -a -f "
                                     "/usr/include/fmt/format.h"))
    GTEST_SKIP() << "no g++, nlohmann/json or fmt";
  for (std::uint64_t seed = 1; seed <= 2; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    testing::TempFolder folder;
    std::mt19937_64 random(seed);
    std::string checks;
    folder.Write("classes.h", RandomClasses(random, checks));
    const testing::ProgramRun run =
        testing::RunProgram({ZANDREL_GEN, "companion", "--json", "--hash", "--formatter",
                             folder.Path("classes.h"), "-o", folder.Path("companion.h")});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.err.find("left out"), std::string::npos) << run.err;
    folder.Write("driver.cpp", ClassDriverHead + checks + "  return failures == 0 ? 0 : 1;\n}\n");
    const std::string clang = testing::ClangCompiler();
    const std::string compiler = seed == 2 && !clang.empty() ? " " + clang : " g++";
    const std::string build = "cd '" + folder.Path() + "' &&" + compiler + StrictFlags +
                              " -DFMT_HEADER_ONLY -I. driver.cpp -o driver 2>&1 && ./driver";
    EXPECT_TRUE(Succeeds(build)) << folder.Path("classes.h");
  }
}

// What the command refuses, and with which exit code.
TEST(CompanionCompile, RefusesWhatItCannotCover) {
  testing::TempFolder folder;
  const std::string header =
      folder.Write("h.h",
                   "namespace n { enum class Shown { A }; struct Base {}; }\n"
                   "template <typename T> struct Box { enum Inner { B }; };\n"
                   "class Shut { enum Hidden { C }; };\n"
                   "class Locked { int secret = 0; };\n"
                   "struct Pointing { const char* name; };\n"
                   "class Coded { char code[4]; public: const char* getCode() const; };\n"
                   "struct Derived : n::Base {};\n");
  const std::string empty = folder.Write("empty.h", "template <typename T> struct B { T t; };\n");
  const struct {
    std::vector<std::string> Arguments;
    int Exit;
    const char* Says;
  } cases[] = {
      {{"--enum", "Missing", header}, 1, "no enumeration named Missing"},
      {{"--enum", "Inner", header}, 1, "class template"},
      {{"--enum", "Hidden", header}, 1, "Hidden is not public"},
      {{"--flags", "Other", header}, 1, "--flags Other"},
      {{"--class", "Locked", header}, 1, "Locked::secret is private and no accessor"},
      {{"--class", "Derived", header}, 1, "has the base"},
      {{"--json", "--class", "Pointing", header}, 1, "Pointing::name is a pointer"},
      {{"--json", "--class", "Coded", header}, 1, "Coded::code is a char array that"},
      {{"--class", "B", empty}, 1, "B left out: it is a class template"},
      {{empty}, 0, "only includes it"},
      {{"--enum", "Shown", "--all", header}, 2, "not both"},
      {{"--enum"}, 2, "needs a value"},
      {{header, empty}, 2, "one argument"},
      {{"--check", header}, 2, "need -o"},
      {{"--bogus", header}, 2, "unknown option"},
      {{folder.Path("absent.h")}, 3, "could not be read"},
  };
  for (const auto& c : cases) {
    std::vector<std::string> command{ZANDREL_GEN, "companion"};
    command.insert(command.end(), c.Arguments.begin(), c.Arguments.end());
    const testing::ProgramRun run = testing::RunProgram(command);
    EXPECT_EQ(run.exitCode, c.Exit) << c.Says;
    EXPECT_NE(run.err.find(c.Says), std::string::npos) << run.err;
    EXPECT_EQ(run.out.empty(), c.Exit != 0) << c.Says;
  }
}

}  // namespace
}  // namespace zandrel
