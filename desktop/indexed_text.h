#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/text_pieces.h"

namespace zandrel {

class LineIndexCache;

// A page's text with where its lines start. Lines are what lies between line feeds; a long piece
// (an enumeration of a million names) is indexed once and its index shared by every later text
// that holds the same piece.
class IndexedText {
 public:
  // pieces is kept, not copied. cache may be null.
  IndexedText(TextPieces pieces, LineIndexCache* cache);
  ~IndexedText();

  const TextPieces& Pieces() const { return pieces_; }
  std::size_t LineCount() const { return lineCount_; }
  // Bytes of the longest line.
  std::size_t Longest() const { return longest_; }
  // The line's bytes without its line feed, at most limit of them.
  std::string Line(std::size_t line, std::size_t limit) const;

  struct PieceLines;

 private:
  TextPieces pieces_;
  std::vector<std::shared_ptr<const PieceLines>> lines_;  // one per piece
  std::vector<std::size_t> breaksBefore_;  // line feeds in the pieces before each piece
  std::size_t lineCount_ = 1;
  std::size_t longest_ = 0;
};

// The indexes of long pieces, by the piece they index, for as long as the piece lives. Shared by
// the worker thread and the GUI thread.
class LineIndexCache {
 public:
  std::shared_ptr<const IndexedText::PieceLines> Find(const SharedText& piece);
  void Keep(const SharedText& piece, std::shared_ptr<const IndexedText::PieceLines> lines);

 private:
  struct Entry {
    std::weak_ptr<const std::string> Text;
    std::shared_ptr<const IndexedText::PieceLines> Lines;
  };
  std::mutex mutex_;
  std::unordered_map<const std::string*, Entry> entries_;
};

}  // namespace zandrel
