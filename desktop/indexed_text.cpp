#include "desktop/indexed_text.h"

#include <algorithm>
#include <climits>
#include <cstring>

namespace zandrel {

namespace {

// Pieces this long are indexed once and the index kept while the piece lives; shorter ones (a
// class's own text) cost less to index again than to look up.
constexpr std::size_t KeptIndexSize = std::size_t{64} * 1024;

}  // namespace

struct IndexedText::PieceLines {
  std::vector<std::uint32_t> Starts;  // just after each line feed
  std::size_t First = 0;              // bytes before the first line feed; all without one
  std::size_t Last = 0;               // bytes after the last line feed
  std::size_t Longest = 0;            // the longest line between two line feeds
};

namespace {

IndexedText::PieceLines IndexPiece(const std::string& text) {
  IndexedText::PieceLines lines;
  const char* const data = text.data();
  std::size_t lineStart = 0;
  bool first = true;
  // Offsets are kept in 32 bits; a piece of 4 GiB or more shows its rest as one line.
  const std::size_t indexed = std::min<std::size_t>(text.size(), UINT32_MAX);
  while (lineStart < indexed) {
    const void* found = std::memchr(data + lineStart, '\n', indexed - lineStart);
    if (found == nullptr) break;
    const auto at = static_cast<std::size_t>(static_cast<const char*>(found) - data);
    if (first)
      lines.First = at;
    else
      lines.Longest = std::max(lines.Longest, at - lineStart);
    first = false;
    lineStart = at + 1;
    lines.Starts.push_back(static_cast<std::uint32_t>(lineStart));
  }
  if (first) lines.First = text.size();
  lines.Last = text.size() - lineStart;
  return lines;
}

}  // namespace

std::shared_ptr<const IndexedText::PieceLines> LineIndexCache::Find(const SharedText& piece) {
  const std::lock_guard lock(mutex_);
  const auto found = entries_.find(piece.get());
  if (found == entries_.end() || found->second.Text.lock() != piece) return nullptr;
  return found->second.Lines;
}

void LineIndexCache::Keep(const SharedText& piece,
                          std::shared_ptr<const IndexedText::PieceLines> lines) {
  const std::lock_guard lock(mutex_);
  std::erase_if(entries_, [](const auto& entry) { return entry.second.Text.expired(); });
  entries_[piece.get()] = {piece, std::move(lines)};
}

IndexedText::IndexedText(TextPieces pieces, LineIndexCache* cache) : pieces_(std::move(pieces)) {
  std::size_t breaks = 0;
  std::size_t run = 0;  // bytes of the line still open at the end of the pieces so far
  for (const SharedText& piece : pieces_) {
    const bool kept = cache != nullptr && piece->size() >= KeptIndexSize;
    std::shared_ptr<const PieceLines> lines = kept ? cache->Find(piece) : nullptr;
    if (lines == nullptr) {
      lines = std::make_shared<const PieceLines>(IndexPiece(*piece));
      if (kept) cache->Keep(piece, lines);
    }
    breaksBefore_.push_back(breaks);
    if (lines->Starts.empty()) {
      run += lines->First;
    } else {
      longest_ = std::max({longest_, run + lines->First, lines->Longest});
      run = lines->Last;
    }
    breaks += lines->Starts.size();
    lines_.push_back(std::move(lines));
  }
  longest_ = std::max(longest_, run);
  lineCount_ = breaks + 1;
}

IndexedText::~IndexedText() = default;

std::string IndexedText::Line(std::size_t line, std::size_t limit) const {
  if (line >= lineCount_) return {};
  std::size_t piece = 0;
  std::size_t offset = 0;
  if (line > 0) {
    // The piece holding the line feed before the line: the last one with fewer line feeds before
    // it than the line's number.
    const auto after = std::upper_bound(breaksBefore_.begin(), breaksBefore_.end(), line - 1);
    piece = static_cast<std::size_t>(after - breaksBefore_.begin()) - 1;
    offset = lines_[piece]->Starts[line - breaksBefore_[piece] - 1];
  }
  std::string text;
  for (; piece < pieces_.size() && text.size() < limit; ++piece, offset = 0) {
    const std::string& from = *pieces_[piece];
    const std::size_t span = std::min(limit - text.size(), from.size() - offset);
    // NOLINTNEXTLINE(bugprone-not-null-terminated-result): a search, not a copy
    const void* end = std::memchr(from.data() + offset, '\n', span);
    const std::size_t length =
        end == nullptr
            ? span
            : static_cast<std::size_t>(static_cast<const char*>(end) - from.data()) - offset;
    text.append(from, offset, length);
    if (end != nullptr) break;
  }
  return text;
}

}  // namespace zandrel
