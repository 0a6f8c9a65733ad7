#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/block_sink.h"
#include "enumgen/enumeration_list.h"
#include "enumgen/enumeration_texts.h"

namespace zandrel {

// The enum class style: a scoped enumeration with constexpr to_string, T_from_string (a binary
// search over the names, sorted here) and T_values, and operator<<. Everything is inline, so it
// needs a header only, and its text works the same collected into a class header. The request's
// keys add to it: Flags (a bit-flag set, whose to_string builds a std::string for combinations),
// CaseInsensitive, Formatter (fmt and std::format) and Json (nlohmann/json).

// The value each entry takes: its own when values are given, else one more than the one before
// (the first 0), as the compiler counts them.
std::vector<std::int64_t> EnumeratorValues(const EnumerationList& list);

// A flag set's values: its own when values are given, else the lowest power of two above every
// value before it (the first 1); nothing when one would need bit 63.
std::optional<std::vector<std::int64_t>> FlagValues(const EnumerationList& list);

// The smaller of int and long long that holds every value; unsigned long long for values read
// unsigned (some above the long long range).
std::string_view UnderlyingType(const std::vector<std::int64_t>& values,
                                bool unsignedValues = false);

// One enumeration as its helpers see it: the type spelt as they must spell it, and its enumerators
// in order, aliases included.
struct EnumerationHelpers {
  std::string Type;
  std::string Stem;                // of STEM_names, STEM_from_string and STEM_values
  std::string Namespace;           // where the helpers go, "a::b"; empty: where the text stands
  std::string Underlying;          // what the bit operators compute in
  std::string UnsignedUnderlying;  // what the hex digits of a flag set are read into
  // The enumerators as declared, viewed in the texts that hold them, which outlive the helpers.
  std::vector<std::string_view> Enumerators;
  std::size_t NameCut = 0;  // the prefix to_string leaves out of every enumerator's name
  // Beyond NamedValuesLimit names the tables are compact: the names in the order declared, the
  // values as literals of Raw, and STEM_values their bit_cast, so that a compiler reads numbers
  // where it would look up names or check casts.
  bool Compact = false;
  std::string Raw;  // an integer type of the enumeration's size that holds every value
  std::vector<std::int64_t> Values;
  // The bits ~ keeps, as a literal of Underlying; empty: all. A type without a fixed underlying
  // type holds only the bits its enumerators reach.
  std::string ComplementMask;
  bool UnsignedValues = false;  // Values hold the bits of values above the int64 range
  bool Flags = false;
  bool CaseInsensitive = false;
  bool Formatter = false;
  bool Json = false;

  // What to_string gives and STEM_from_string takes for enumerator k.
  std::string_view Name(std::size_t k) const {
    return Enumerators[k].substr(std::min(NameCut, Enumerators[k].size()));
  }
};

// Up to this many names the tables list the enumerators by name; beyond, they are compact: a
// compiler looks up a scoped enumerator in time that grows with the enumeration, and a table of
// 100,000 such names would take minutes to compile.
inline constexpr std::size_t NamedValuesLimit = 1000;

// The standard headers the helpers need, one line each, in order.
std::string EnumerationIncludes(bool flags, bool compact);

// Everything the enum class style writes after the type: the bit operators of a flag set, the
// name tables, to_string, STEM_from_string, STEM_values, operator<<, and per the keys the
// formatters and the JSON conversions.
void AppendEnumerationHelpers(BlockSink& text, const EnumerationHelpers& helpers);

// What the main window receives: the type's declarations, beginning with the line that names it
// ("// enum class T"), with the standard includes they need; written into text as they are made,
// so that a text handed on in pieces is never held whole. A list file's names are taken where
// they lie in its text, never gathered into a list. Refuses, before writing anything, what
// BuildEnumerationList refuses and a flag set that would need bit 63. The texts it gives hold
// all but the text itself, which text has.
std::variant<EnumerationTexts, Refusal> WriteModernEnumeration(const EnumerationRequest& request,
                                                               const ListFile* listFile,
                                                               BlockSink& text);
// The same for a list made already, the text held in the texts.
std::variant<EnumerationTexts, Refusal> ModernEnumerationTexts(const EnumerationRequest& request,
                                                               const EnumerationList& list);

// The header file: the same text behind #pragma once, made of the texts' own.
std::string ModernEnumerationHeader(EnumerationTexts texts);

// The include line of the header, ending with the mark and the type name.
std::string ModernIncludeLine(const EnumerationRequest& request);

}  // namespace zandrel
