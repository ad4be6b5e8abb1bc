// SPDX-License-Identifier: GPL-3.0-or-later
// The text of one console window: a character buffer and a table of line
// starts, both growing with the text, so that every line from the first on
// is kept for the view, Save and Print.  Lines lie one after the other in
// the buffer, so a line is the span from its start to the next line's start.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

namespace arb::win {

class TextStore {
 public:
  std::size_t line_count() const { return starts_.size(); }
  std::size_t char_count() const { return chars_.size(); }
  bool empty() const { return starts_.empty(); }

  // Lines are numbered from 0 here; the last line is the one being written.
  std::string_view line(std::size_t index) const;
  std::size_t line_length(std::size_t index) const;
  std::size_t longest() const { return longest_; }

  // Opens a new empty last line.
  void add_line();
  // Inserts one character into a line; col is clamped to the line's end.
  void insert(std::size_t index, std::size_t col, char c);
  // Removes count characters of a line from col on (clamped to the line).
  void erase(std::size_t index, std::size_t col, std::size_t count);
  void clear();

 private:
  std::size_t line_end(std::size_t index) const;
  void recompute_longest();

  std::vector<char> chars_;
  std::vector<std::size_t> starts_;
  std::size_t longest_ = 0;
};

}  // namespace arb::win
