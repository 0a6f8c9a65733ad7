#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

#include "core/output_text.h"

namespace zandrel {

// Where a writer puts its text: gathered into blocks before they go on to a sink, so that a text
// of a million lines costs a few hundred calls and never stands in memory whole; or, without a
// sink, held whole.
class BlockSink {
 public:
  explicit BlockSink(std::string held = {}) : held_(std::move(held)) {}
  explicit BlockSink(TextSink sink) : sink_(std::move(sink)) { held_.reserve(BlockSize); }
  ~BlockSink() { Flush(); }
  BlockSink(const BlockSink&) = delete;
  BlockSink& operator=(const BlockSink&) = delete;

  BlockSink& operator+=(std::string_view piece) {
    if (!sink_) {
      held_ += piece;
      return *this;
    }
    if (held_.size() + piece.size() > BlockSize) Flush();
    if (piece.size() >= BlockSize) {
      passed_ += piece.size();
      sink_(piece);
    } else {
      held_ += piece;
    }
    return *this;
  }
  BlockSink& operator+=(char c) { return *this += std::string_view(&c, 1); }
  void operator()(std::string_view piece) { *this += piece; }

  // The bytes written so far, passed on or held.
  std::size_t size() const { return passed_ + held_.size(); }
  // Room for the whole text where it is held whole; blocks need none.
  void reserve(std::size_t room) {
    if (!sink_) held_.reserve(room);
  }
  // The text held whole, without a sink.
  std::string Take() { return std::move(held_); }
  // Passes on the block gathered so far.
  void Flush() {
    if (!sink_ || held_.empty()) return;
    passed_ += held_.size();
    sink_(held_);
    held_.clear();
  }

 private:
  static constexpr std::size_t BlockSize = std::size_t{1} << 16;

  std::string held_;
  TextSink sink_;
  std::size_t passed_ = 0;
};

}  // namespace zandrel
