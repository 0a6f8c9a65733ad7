#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace zandrel {

// Removes leading and trailing characters whose code is below 33 (blanks and control characters).
std::string Trim(std::string_view text);

// Characters, not bytes: text typed in the windows arrives as UTF-8, so the continuation bytes of
// a multi-byte character are not counted.
std::size_t CharacterCount(std::string_view text);

// The part after the last "/": the file name of a path.
std::string_view FileNamePart(std::string_view path);

// The path up to, not including, the last "." of its file-name part; the whole path when that part
// holds none, so a "." in a folder name never cuts the path.
std::string OutputStem(std::string_view path);

// OutputStem + ".": the path up to and including that ".", or the path + ".".
std::string FileStem(std::string_view path);

}  // namespace zandrel
