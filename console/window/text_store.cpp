// SPDX-License-Identifier: GPL-3.0-or-later
#include "text_store.h"

#include <algorithm>
#include <cstring>

namespace arb::win {

TextStore::TextStore() : chars_(kMaxChars) { starts_.reserve(kMaxLines); }

std::size_t TextStore::line_end(std::size_t index) const {
  return index + 1 < starts_.size() ? starts_[index + 1] : size_;
}

std::string_view TextStore::line(std::size_t index) const {
  if (index >= starts_.size()) return {};
  return {chars_.data() + starts_[index], line_end(index) - starts_[index]};
}

std::size_t TextStore::line_length(std::size_t index) const {
  return index < starts_.size() ? line_end(index) - starts_[index] : 0;
}

void TextStore::add_line() {
  if (!can_add_line()) return;
  starts_.push_back(static_cast<std::uint32_t>(size_));
}

void TextStore::insert(std::size_t index, std::size_t col, char c) {
  if (index >= starts_.size() || !can_add_char()) return;
  std::size_t pos = starts_[index] + std::min(col, line_length(index));
  std::memmove(chars_.data() + pos + 1, chars_.data() + pos, size_ - pos);
  chars_[pos] = c;
  ++size_;
  for (std::size_t i = index + 1; i < starts_.size(); ++i) ++starts_[i];
  longest_ = std::max(longest_, line_length(index));
}

void TextStore::erase(std::size_t index, std::size_t col, std::size_t count) {
  if (index >= starts_.size()) return;
  std::size_t len = line_length(index);
  if (col >= len) return;
  count = std::min(count, len - col);
  std::size_t pos = starts_[index] + col;
  std::memmove(chars_.data() + pos, chars_.data() + pos + count, size_ - pos - count);
  size_ -= count;
  for (std::size_t i = index + 1; i < starts_.size(); ++i) starts_[i] -= static_cast<std::uint32_t>(count);
  if (len == longest_) recompute_longest();
}

std::size_t TextStore::drop_oldest(std::size_t min_chars) {
  std::size_t lines = 0;
  std::size_t dropped = 0;
  while (lines + 1 < starts_.size() && dropped < min_chars) {
    dropped += line_length(lines) + 1;
    ++lines;
  }
  if (lines == 0) return 0;
  std::uint32_t cut = starts_[lines];
  std::memmove(chars_.data(), chars_.data() + cut, size_ - cut);
  size_ -= cut;
  starts_.erase(starts_.begin(), starts_.begin() + static_cast<std::ptrdiff_t>(lines));
  for (auto& s : starts_) s -= cut;
  recompute_longest();
  return lines;
}

void TextStore::clear() {
  starts_.clear();
  size_ = 0;
  longest_ = 0;
}

void TextStore::recompute_longest() {
  longest_ = 0;
  for (std::size_t i = 0; i < starts_.size(); ++i) longest_ = std::max(longest_, line_length(i));
}

}  // namespace arb::win
