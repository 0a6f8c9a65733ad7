#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/text_pieces.h"

namespace zandrel {

// The texts handed over by the enumeration dialog, oldest first. Copies share the texts: copying
// the list copies a pointer a text, so an enumeration of a million names is held once by the main
// window, the descriptions built from it, the writers and the preview.
class InsertionList {
 public:
  // Gives the texts themselves.
  class const_iterator {
   public:
    using iterator_category = std::bidirectional_iterator_tag;
    using value_type = std::string;
    using difference_type = std::ptrdiff_t;
    using pointer = const std::string*;
    using reference = const std::string&;

    const_iterator() = default;
    explicit const_iterator(std::vector<SharedText>::const_iterator at) : at_(at) {}
    reference operator*() const { return **at_; }
    pointer operator->() const { return at_->get(); }
    const_iterator& operator++() {
      ++at_;
      return *this;
    }
    const_iterator operator++(int) { return const_iterator(at_++); }
    const_iterator& operator--() {
      --at_;
      return *this;
    }
    const_iterator operator--(int) { return const_iterator(at_--); }
    bool operator==(const const_iterator&) const = default;

   private:
    std::vector<SharedText>::const_iterator at_;
  };
  using iterator = const_iterator;
  using value_type = std::string;
  using size_type = std::size_t;

  InsertionList() = default;
  InsertionList(std::initializer_list<std::string> texts) : InsertionList(std::vector(texts)) {}
  explicit InsertionList(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) push_back(text);
  }
  // Shares the texts of a shared list; none is copied.
  explicit InsertionList(const std::shared_ptr<const std::vector<std::string>>& texts) {
    if (texts == nullptr) return;
    for (const std::string& text : *texts) texts_.emplace_back(texts, &text);
  }

  void push_back(std::string text) { texts_.push_back(ShareText(std::move(text))); }
  void push_back(SharedText text) { texts_.push_back(std::move(text)); }
  void RemoveAt(std::size_t index) {
    texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  void SwapAt(std::size_t a, std::size_t b) { std::swap(texts_[a], texts_[b]); }

  std::size_t size() const { return texts_.size(); }
  bool empty() const { return texts_.empty(); }
  const std::string& operator[](std::size_t index) const { return *texts_[index]; }
  const std::string& front() const { return *texts_.front(); }
  const std::string& back() const { return *texts_.back(); }
  const_iterator begin() const { return const_iterator(texts_.begin()); }
  const_iterator end() const { return const_iterator(texts_.end()); }
  // The text itself, to be shared rather than copied.
  const SharedText& Shared(std::size_t index) const { return texts_[index]; }

  friend bool operator==(const InsertionList& a, const InsertionList& b) {
    return SamePieces(a.texts_, b.texts_);
  }
  friend bool operator==(const InsertionList& a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  std::vector<SharedText> texts_;
};

}  // namespace zandrel
