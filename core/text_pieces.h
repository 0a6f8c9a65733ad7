#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace zandrel {

// A text that copies share: copying one copies a pointer, never the text.
using SharedText = std::shared_ptr<const std::string>;

inline SharedText ShareText(std::string text) {
  return std::make_shared<const std::string>(std::move(text));
}

// A text made of pieces in order: a writer's own short pieces and the long texts it takes from
// elsewhere (the enumeration texts in a class header), which stay shared instead of being copied.
using TextPieces = std::vector<SharedText>;

inline std::size_t TotalSize(const TextPieces& pieces) {
  std::size_t size = 0;
  for (const SharedText& piece : pieces) size += piece->size();
  return size;
}

inline std::string Join(const TextPieces& pieces) {
  std::string text;
  text.reserve(TotalSize(pieces));
  for (const SharedText& piece : pieces) text += *piece;
  return text;
}

// Whether both hold the same text piece by piece; a piece both share is not read.
inline bool SamePieces(const TextPieces& a, const TextPieces& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (a[i] != b[i] && *a[i] != *b[i]) return false;
  return true;
}

}  // namespace zandrel
