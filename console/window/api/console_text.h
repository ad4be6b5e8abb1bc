// SPDX-License-Identifier: GPL-3.0-or-later
// The state of one console text window and everything done to it that
// needs no screen: character handling, the editing keys, the scroll
// positions and their ranges, the selection, the modified flag and the
// line a console read returns.  The widget paints this state and feeds it
// keys; the host feeds it the program's text.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text_store.h"

namespace arb::win {

enum class Key { Left, Right, Up, Down, PageUp, PageDown, Home, End, Insert, Delete };

// A place in the text: a 0-based line of the store and a byte column in it.
struct TextPos {
  std::size_t line = 0;
  std::size_t col = 0;
  auto operator<=>(const TextPos&) const = default;
};

// The selected text, from `from` up to (not including) `to`; a selection
// running over lines takes their line ends with it.
struct Selection {
  TextPos from;
  TextPos to;
};

class ConsoleText {
 public:
  static constexpr char kReturn = 13;
  static constexpr char kTab = 9;
  static constexpr char kBackspace = 8;
  static constexpr char kLineFeed = 10;

  // One character typed or written.
  void put(char c);
  // Before typed text: a selection within the answer being typed is
  // removed, so that the text replaces it; any other selection is dropped
  // and the text goes in at the caret.  True when text was removed.
  bool replace_selection();
  // Text of one record from the program: "\n" (or "\r\n", or a lone "\r")
  // ends a line; the line end at the very end is the record's own.
  void write(std::string_view text);
  // Text typed from the clipboard: a line end in it acts as Enter.
  void type(std::string_view text);
  void key(Key k);

  // The console read.  begin_read sets the waiting-for-input flag; the
  // carriage return that clears it captures the answer: the last line from
  // the input start column, cut at capacity - 2 columns of the line, then
  // CR LF.  The capture happens at that moment, so that text typed after it
  // (the rest of a pasted text) is not part of this answer.
  void begin_read(std::size_t capacity);
  bool waiting() const { return waiting_; }
  void cancel_read() { waiting_ = false; }
  std::string take_answer();
  std::size_t input_start() const { return input_start_; }
  // What a read would return now.
  std::string input_line(std::size_t capacity) const;

  // Geometry: the visible rows and columns of the client area.
  void set_view_size(std::size_t rows, std::size_t cols);
  std::size_t rows() const { return rows_; }
  std::size_t cols() const { return cols_; }
  std::size_t first_line() const { return first_line_; }
  std::size_t first_col() const { return first_col_; }
  std::size_t max_first_line() const;
  std::size_t max_first_col() const;
  void scroll_to_line(long long line);  // clamped
  void scroll_to_col(long long col);    // clamped

  // Caret: always on the last line, or at column 0 of the line still to
  // open while a new line is pending.
  std::size_t caret_col() const { return caret_col_; }
  std::size_t caret_line() const;
  bool new_line_pending() const { return pending_; }

  // Selecting.  Rows and cells are those of the view; a double click
  // selects the word at a cell, a triple click the line.
  void select_word_at(std::size_t row, std::size_t cell);
  void select_line_at(std::size_t row);
  void select_all();
  // The place shown at a cell of the view (clamped to the text).
  TextPos pos_at(std::size_t row, std::size_t cell) const;
  // From the anchor to the active end; an empty range selects nothing.
  void select(TextPos anchor, TextPos active);
  // Shift with a movement key: moves the active end (from the caret when
  // nothing is selected) and keeps it in view.
  void extend_selection(Key k);
  void clear_selection() { has_selection_ = false; }
  bool has_selection() const { return has_selection_; }
  // Part of one line: what Cut and Delete may remove.
  bool selection_on_one_line() const { return has_selection_ && selection_.from.line == selection_.to.line; }
  const Selection& selection() const { return selection_; }
  std::string selected_text() const;
  // The Delete command, on a selection within one line.
  void delete_selection();
  // Scrolls so that the caret is in view (a read waits for it), as far
  // left as that allows.
  void show_caret();
  // A click: removes the selection and sets where Shift with a movement key
  // starts selecting.
  void place_anchor(TextPos pos);

  bool modified() const { return modified_; }
  void set_modified(bool on) { modified_ = on; }

  const TextStore& store() const { return store_; }

 private:
  void line_end();
  void insert_char(char c);
  std::size_t last_line() const { return store_.line_count() - 1; }
  TextPos caret_pos() const;
  void show_pos(TextPos pos);

  TextStore store_;
  std::size_t rows_ = 1, cols_ = 1;
  std::size_t first_line_ = 0, first_col_ = 0;
  std::size_t caret_col_ = 0;
  bool pending_ = true;  // the empty window: the first character opens line 1
  std::size_t input_start_ = 0;
  bool waiting_ = false;
  std::size_t capacity_ = 256;
  std::string answer_;
  Selection selection_;
  TextPos anchor_, active_;
  bool has_selection_ = false;
  bool anchored_ = false;  // a click placed anchor_
  bool modified_ = false;
};

}  // namespace arb::win
