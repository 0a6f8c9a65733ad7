#include "enumgen/companion_writer.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "enumgen/modern_enumeration_writer.h"

namespace zandrel {

namespace {

// Within its namespace, Outer::Color is known by Outer_Color, so that the helpers of two classes'
// Color do not clash.
std::string Stem(const CompanionEnumeration& enumeration) {
  std::string name = enumeration.QualifiedName;
  if (!enumeration.Namespace.empty()) name.erase(0, enumeration.Namespace.size() + 2);
  std::string stem;
  for (std::size_t k = 0; k < name.size(); ++k) {
    if (name.compare(k, 2, "::") == 0) {
      stem += '_';
      ++k;
    } else {
      stem += name[k];
    }
  }
  return stem;
}

// An enumeration of the header as the enum class helpers see it.
EnumerationHelpers HelpersOf(const CompanionEnumeration& enumeration, const CompanionKeys& keys) {
  EnumerationHelpers helpers;
  // Qualified from the global namespace, so that no name of the namespace hides the type.
  helpers.Type = "::" + enumeration.QualifiedName;
  helpers.Stem = Stem(enumeration);
  helpers.Namespace = enumeration.Namespace;
  // The bit operators compute in 64 bits of the underlying type's sign, whatever its width,
  // so that no narrow type is promoted and converted back.
  helpers.Underlying = enumeration.UnsignedValues ? "unsigned long long" : "long long";
  helpers.UnsignedUnderlying = "unsigned long long";
  helpers.Enumerators.assign(enumeration.Enumerators.begin(), enumeration.Enumerators.end());
  helpers.Values = enumeration.Values;
  helpers.Compact = helpers.Enumerators.size() > NamedValuesLimit;
  // Of the type's own size, whatever the width of the computations above.
  helpers.Raw = "std::underlying_type_t<" + helpers.Type + ">";
  helpers.UnsignedValues = enumeration.UnsignedValues;
  if (enumeration.Flags && !enumeration.FixedType) {
    // The smallest all-ones mask over every enumerator's bits, where the type's values lie.
    std::uint64_t reach = 0;
    for (const std::int64_t value : enumeration.Values) {
      const auto bits = static_cast<std::uint64_t>(value < 0 ? ~value : value);
      while ((reach & bits) != bits) reach = reach << 1 | 1;
    }
    helpers.ComplementMask = enumeration.UnsignedValues ? std::to_string(reach) + "ULL"
                             : std::any_of(enumeration.Values.begin(), enumeration.Values.end(),
                                           [](std::int64_t v) { return v < 0; })
                                 ? ""  // negative values: the range is symmetric, ~ stays inside it
                                 : std::to_string(reach) + "LL";
  }
  helpers.Flags = enumeration.Flags;
  helpers.CaseInsensitive = keys.CaseInsensitive;
  helpers.Formatter = keys.Formatter;
  helpers.Json = keys.Json;
  return helpers;
}

}  // namespace

std::string CompanionHeader(const std::string& includePath,
                            const std::vector<CompanionEnumeration>& enumerations,
                            const std::vector<CoveredClass>& classes, const CompanionKeys& keys,
                            std::vector<std::string>& notes) {
  const bool flags = std::any_of(enumerations.begin(), enumerations.end(),
                                 [](const CompanionEnumeration& e) { return e.Flags; });
  const bool compact = std::any_of(
      enumerations.begin(), enumerations.end(),
      [](const CompanionEnumeration& e) { return e.Enumerators.size() > NamedValuesLimit; });
  const ClassCompanionKeys classKeys{keys.Json, keys.Hash, keys.Formatter};
  const char* what = classes.empty() ? "enumerations" : enumerations.empty() ? "classes" : "types";
  std::string text =
      "// Helpers for the " + std::string(what) + " of " + includePath + ".\n#pragma once\n\n";
  text += "#include \"" + includePath + "\"\n";
  if (enumerations.empty() && classes.empty()) return text;
  text += "\n";
  std::string includes;
  if (!enumerations.empty()) {
    includes = EnumerationIncludes(flags, compact);
    if (compact) includes += "#include <type_traits>\n";
  }
  if (!classes.empty()) {
    const std::string more = ClassCompanionIncludes(classKeys);
    for (std::size_t at = 0; at < more.size();) {
      const std::size_t end = more.find('\n', at) + 1;
      const std::string_view line(more.data() + at, end - at);
      // A guarded include is one of several lines; only the plain ones can repeat.
      if (!line.starts_with("#include") || includes.find(line) == std::string::npos)
        includes += line;
      at = end;
    }
  }
  text += includes;
  BlockSink helpers(std::move(text));
  for (const CompanionEnumeration& enumeration : enumerations)
    AppendEnumerationHelpers(helpers, HelpersOf(enumeration, keys));
  text = helpers.Take();
  if (std::any_of(classes.begin(), classes.end(),
                  [](const CoveredClass& c) { return !c.Type.OutputOperator; }))
    text += CompanionMemberWriter();
  for (const CoveredClass& covered : classes)
    text += ClassCompanionText(covered.Type, covered.Members, classKeys, notes);
  return text;
}

}  // namespace zandrel
