// SPDX-License-Identifier: GPL-3.0-or-later
// The text of one console window: a character buffer of fixed size and a
// table of line starts.  Lines lie one after the other in the buffer, so a
// line is the span from its start to the next line's start.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace arb::win {

class TextStore {
 public:
  static constexpr std::size_t kMaxChars = 262144;
  static constexpr std::size_t kMaxLines = 32767;

  // Both tables are allocated at their full size here, once.
  TextStore();

  std::size_t line_count() const { return starts_.size(); }
  std::size_t char_count() const { return size_; }
  bool empty() const { return starts_.empty(); }

  // Lines are numbered from 0 here; the last line is the one being written.
  std::string_view line(std::size_t index) const;
  std::size_t line_length(std::size_t index) const;
  std::size_t longest() const { return longest_; }

  bool can_add_line() const { return line_count() < kMaxLines; }
  bool can_add_char() const { return size_ < kMaxChars; }

  // Opens a new empty last line.  The caller checks can_add_line().
  void add_line();
  // Inserts one character into a line; col is clamped to the line's end.
  // The caller checks can_add_char().
  void insert(std::size_t index, std::size_t col, char c);
  // Removes count characters of a line from col on (clamped to the line).
  void erase(std::size_t index, std::size_t col, std::size_t count);
  // Removes whole lines from the front until at least min_chars characters
  // (a line end counting as one) are gone, keeping the last line.  Returns
  // the number of lines removed.
  std::size_t drop_oldest(std::size_t min_chars);
  void clear();

 private:
  std::size_t line_end(std::size_t index) const;
  void recompute_longest();

  std::vector<char> chars_;
  std::vector<std::uint32_t> starts_;
  std::size_t size_ = 0;
  std::size_t longest_ = 0;
};

}  // namespace arb::win
