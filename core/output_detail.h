#pragma once

// Pieces shared by the output step and the readers and appenders beside it; not for other users.

#include <cerrno>
#include <cstring>
#include <string>
#include <string_view>

#include "core/output_text.h"

namespace zandrel::detail {

inline constexpr std::string_view NotRegular = "not a regular file";

inline FileFailure Failure(const std::string& path, int error) {
  return {path, std::strerror(error != 0 ? error : EIO)};
}

// The folder part of a path: "." for a bare name, "/" for a name in the root.
inline std::string Folder(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

}  // namespace zandrel::detail
