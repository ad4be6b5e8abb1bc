// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_store.h"

#include <algorithm>

namespace arb::win {

std::size_t TextStore::line_end(std::size_t index) const {
  return index + 1 < starts_.size() ? starts_[index + 1] : chars_.size();
}

std::string_view TextStore::line(std::size_t index) const {
  if (index >= starts_.size()) return {};
  return {chars_.data() + starts_[index], line_end(index) - starts_[index]};
}

std::size_t TextStore::line_length(std::size_t index) const {
  return index < starts_.size() ? line_end(index) - starts_[index] : 0;
}

void TextStore::add_line() { starts_.push_back(chars_.size()); }

// Typing and writing go to the last line, at the buffer's end: the
// characters moved are those of that line after the caret.
void TextStore::insert(std::size_t index, std::size_t col, char c) {
  if (index >= starts_.size()) return;
  const std::size_t pos = starts_[index] + std::min(col, line_length(index));
  chars_.insert(chars_.begin() + static_cast<std::ptrdiff_t>(pos), c);
  for (std::size_t i = index + 1; i < starts_.size(); ++i) ++starts_[i];
  longest_ = std::max(longest_, line_length(index));
}

void TextStore::erase(std::size_t index, std::size_t col, std::size_t count) {
  if (index >= starts_.size()) return;
  const std::size_t len = line_length(index);
  if (col >= len) return;
  count = std::min(count, len - col);
  const auto from = chars_.begin() + static_cast<std::ptrdiff_t>(starts_[index] + col);
  chars_.erase(from, from + static_cast<std::ptrdiff_t>(count));
  for (std::size_t i = index + 1; i < starts_.size(); ++i) starts_[i] -= count;
  if (len == longest_) recompute_longest();
}

void TextStore::clear() {
  chars_.clear();
  starts_.clear();
  longest_ = 0;
}

void TextStore::recompute_longest() {
  longest_ = 0;
  for (std::size_t i = 0; i < starts_.size(); ++i) longest_ = std::max(longest_, line_length(i));
}

}  // namespace arb::win
