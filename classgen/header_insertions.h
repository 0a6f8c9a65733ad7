#pragma once

#include <algorithm>
#include <cstddef>
#include <initializer_list>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "core/header_insertion.h"
#include "core/text_pieces.h"

namespace zandrel {

// The enumerations handed over by the enumeration dialog, oldest first, each a record of its style,
// type name, text and request. Copies share the texts: copying the list copies a pointer a text,
// so an enumeration of a million names is held once by the main window, the descriptions built
// from it, the writers and the preview. Iterating gives the texts, as the writers copy them.
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
    explicit const_iterator(std::vector<HeaderInsertion>::const_iterator at) : at_(at) {}
    reference operator*() const { return *at_->Text; }
    pointer operator->() const { return at_->Text.get(); }
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
    std::vector<HeaderInsertion>::const_iterator at_;
  };
  using iterator = const_iterator;
  using value_type = std::string;
  using size_type = std::size_t;

  InsertionList() = default;
  InsertionList(std::initializer_list<std::string> texts) : InsertionList(std::vector(texts)) {}
  explicit InsertionList(const std::vector<std::string>& texts) {
    for (const std::string& text : texts) push_back(text);
  }
  explicit InsertionList(std::vector<HeaderInsertion> records) : texts_(std::move(records)) {}
  // Shares the texts of a shared list; none is copied.
  explicit InsertionList(const std::shared_ptr<const std::vector<std::string>>& texts) {
    if (texts == nullptr) return;
    for (const std::string& text : *texts)
      texts_.push_back(HeaderInsertion::TextOnly(SharedText(texts, &text)));
  }

  // A text alone is of unknown kind.
  void push_back(std::string text) { push_back(ShareText(std::move(text))); }
  void push_back(SharedText text) { texts_.push_back(HeaderInsertion::TextOnly(std::move(text))); }
  void push_back(HeaderInsertion insertion) { texts_.push_back(std::move(insertion)); }
  void ReplaceAt(std::size_t index, HeaderInsertion insertion) {
    texts_[index] = std::move(insertion);
  }
  void RemoveAt(std::size_t index) {
    texts_.erase(texts_.begin() + static_cast<std::ptrdiff_t>(index));
  }
  void SwapAt(std::size_t a, std::size_t b) { std::swap(texts_[a], texts_[b]); }

  std::size_t size() const { return texts_.size(); }
  bool empty() const { return texts_.empty(); }
  const std::string& operator[](std::size_t index) const { return *texts_[index].Text; }
  const std::string& front() const { return *texts_.front().Text; }
  const std::string& back() const { return *texts_.back().Text; }
  const_iterator begin() const { return const_iterator(texts_.begin()); }
  const_iterator end() const { return const_iterator(texts_.end()); }
  // The text itself, to be shared rather than copied.
  const SharedText& Shared(std::size_t index) const { return texts_[index].Text; }
  const HeaderInsertion& Record(std::size_t index) const { return texts_[index]; }
  const std::vector<HeaderInsertion>& Records() const { return texts_; }

  friend bool operator==(const InsertionList& a, const InsertionList& b) {
    return a.texts_ == b.texts_;
  }
  friend bool operator==(const InsertionList& a, const std::vector<std::string>& b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end());
  }

 private:
  std::vector<HeaderInsertion> texts_;
};

}  // namespace zandrel
