#pragma once

// The names a target language takes: identifiers that are not its keywords, each given once.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zandrel {

enum class NameLanguage { Cpp, Java };

// One row the target language cannot take; Row 0 is the class name.
struct NameProblem {
  int Row = 0;
  std::string Reason;
};

// Whether the text is an identifier: a letter or "_", then letters, digits and "_".
bool IsIdentifier(std::string_view name);

// Why a name cannot be used ("\"x\" is not a name", "\"x\" is a keyword"), or nothing.
std::string NameFault(std::string_view name, NameLanguage language);

// Names that are no identifier, a keyword or given twice in a list of enumerators; Row counts
// them from 1.
std::vector<NameProblem> CheckEnumerators(const std::vector<std::string_view>& names,
                                          NameLanguage language);

// The first eight characters of a name as one number that orders as they do.
std::uint64_t NamePrefix(std::string_view name);

// The indices of count names (nameOf(k) the k-th) in the order std::string_view compares them,
// equal names in the order given. Sorted as keys of the first eight characters and the index, so
// that most comparisons read no text and the keys stay small: a list file may give a million
// names.
template <class NameOf>
std::vector<std::uint32_t> NameOrder(std::size_t count, const NameOf& nameOf) {
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(count);
  for (std::size_t k = 0; k < count; ++k)
    keys[k] = {NamePrefix(nameOf(k)), static_cast<std::uint32_t>(k)};
  std::sort(keys.begin(), keys.end(), [&nameOf](const auto& a, const auto& b) {
    if (a.first != b.first) return a.first < b.first;
    if (const int order = nameOf(a.second).compare(nameOf(b.second)); order != 0) return order < 0;
    return a.second < b.second;
  });
  std::vector<std::uint32_t> order(count);
  for (std::size_t r = 0; r < count; ++r) order[r] = keys[r].second;
  return order;
}

// "row N: reason", or the reason alone for the class name.
std::string DescribeNameProblem(const NameProblem& problem);

}  // namespace zandrel
