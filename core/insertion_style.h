#pragma once

#include <string_view>

namespace zandrel {

// The enumeration texts handed to the main window come in two kinds that fit different class
// files. An enum class text reveals itself by its first line, which carries EnumClassMark followed
// by the type name: the text itself begins with that comment, and its include line ends with it.
// Every other text (the typedef and wrapper-class styles, their include lines) is Legacy.
inline constexpr std::string_view EnumClassMark = "// enum class ";

enum class InsertionStyle { Legacy, EnumClass };

// The first line of a text, without its line feed.
inline std::string_view FirstLine(std::string_view text) { return text.substr(0, text.find('\n')); }

// The type name an enum class text carries; empty for a legacy text.
inline std::string_view EnumClassName(std::string_view text) {
  const std::string_view line = FirstLine(text);
  const bool included = line.starts_with("#include ");
  if (!included && !line.starts_with(EnumClassMark)) return {};
  const std::size_t mark = included ? line.find(EnumClassMark) : 0;
  if (mark == std::string_view::npos) return {};
  return line.substr(mark + EnumClassMark.size());
}

inline InsertionStyle StyleOfInsertion(std::string_view text) {
  const std::string_view line = FirstLine(text);
  if (line.starts_with(EnumClassMark)) return InsertionStyle::EnumClass;
  if (line.starts_with("#include ") && line.find(EnumClassMark) != std::string_view::npos)
    return InsertionStyle::EnumClass;
  return InsertionStyle::Legacy;
}

}  // namespace zandrel
