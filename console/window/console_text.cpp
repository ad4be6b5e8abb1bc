// SPDX-License-Identifier: GPL-3.0-or-later
#include "console_text.h"

#include <algorithm>

#include "utf8_text.h"

namespace arb::win {

namespace {

constexpr std::size_t kTabStop = 8;

std::size_t clamp_to(long long v, std::size_t hi) {
  if (v < 0) return 0;
  return std::min(static_cast<std::size_t>(v), hi);
}

// Every kind of line end in a text becomes one carriage return.
template <class Put>
void each_char(std::string_view text, Put put) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    char c = text[i];
    if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    put(c == '\n' || c == '\r' ? ConsoleText::kReturn : c);
  }
}

}  // namespace

void ConsoleText::put(char c) {
  switch (c) {
    case kReturn:
      line_end();
      break;
    case kTab:
      do insert_char(' ');
      while (caret_col_ % kTabStop != 0);
      break;
    case kBackspace:
      if (caret_col_ > 0 && !store_.empty()) {
        std::size_t from = char_before(store_.line(last_line()), caret_col_);
        store_.erase(last_line(), from, caret_col_ - from);
        caret_col_ = from;
      }
      break;
    default:
      insert_char(c == kLineFeed ? ' ' : c);
      break;
  }
  modified_ = true;
}

bool ConsoleText::replace_selection() {
  if (!has_selection_) return false;
  const bool in_answer = !pending_ && !store_.empty() && selection_.from.line == last_line() &&
                         selection_.to.line == last_line() && selection_.from.col >= input_start_;
  if (!in_answer) {
    has_selection_ = false;
    return false;
  }
  const std::size_t from = selection_.from.col;
  delete_selection();
  caret_col_ = from;
  return true;
}

void ConsoleText::write(std::string_view text) {
  each_char(text, [this](char c) { put(c); });
  input_start_ = caret_col_;
}

void ConsoleText::type(std::string_view text) {
  replace_selection();
  each_char(text, [this](char c) { put(c); });
}

void ConsoleText::line_end() {
  if (waiting_) {
    answer_ = input_line(capacity_);
    waiting_ = false;
    input_start_ = 0;
  }
  if (pending_) store_.add_line();
  pending_ = true;
  caret_col_ = 0;
  first_col_ = 0;
  if (store_.line_count() + 1 > rows_) first_line_ = std::min(first_line_ + 1, max_first_line());
}

void ConsoleText::insert_char(char c) {
  first_line_ = max_first_line();
  if (pending_) {
    store_.add_line();
    pending_ = false;
    caret_col_ = 0;
  }
  store_.insert(last_line(), caret_col_, c);
  ++caret_col_;
  if (caret_col_ >= first_col_ + cols_) scroll_to_col(static_cast<long long>(first_col_) + 1);
  has_selection_ = false;
  anchored_ = false;
}

void ConsoleText::key(Key k) {
  long long page = static_cast<long long>(std::max<std::size_t>(rows_, 1));
  long long top = static_cast<long long>(first_line_);
  switch (k) {
    case Key::Left:
      if (caret_col_ > 0) caret_col_ = char_before(store_.line(last_line()), caret_col_);
      break;
    case Key::Right:
      if (!pending_ && caret_col_ < store_.line_length(last_line()))
        caret_col_ += char_length(store_.line(last_line()), caret_col_);
      break;
    case Key::Up: scroll_to_line(top - 1); break;
    case Key::Down: scroll_to_line(top + 1); break;
    case Key::PageUp: scroll_to_line(top - page); break;
    case Key::PageDown: scroll_to_line(top + page); break;
    case Key::Home: scroll_to_line(0); break;
    case Key::End: scroll_to_line(static_cast<long long>(max_first_line())); break;
    case Key::Insert:
      if (!pending_) {
        store_.insert(last_line(), caret_col_, ' ');
        modified_ = true;
      }
      break;
    case Key::Delete:
      if (!pending_ && caret_col_ < store_.line_length(last_line())) {
        store_.erase(last_line(), caret_col_, char_length(store_.line(last_line()), caret_col_));
        modified_ = true;
      }
      break;
  }
  // Left, Right, Home and End without Shift leave the selection, as in any
  // editor; the other keys scroll or edit and keep it.
  if (k == Key::Left || k == Key::Right || k == Key::Home || k == Key::End) {
    has_selection_ = false;
    anchored_ = false;
  }
}

void ConsoleText::begin_read(std::size_t capacity) {
  capacity_ = capacity;
  answer_.clear();
  waiting_ = true;
}

std::string ConsoleText::take_answer() {
  std::string out = std::move(answer_);
  answer_.clear();
  return out;
}

std::string ConsoleText::input_line(std::size_t capacity) const {
  std::string out;
  if (!store_.empty()) {
    std::string_view line = store_.line(last_line());
    std::size_t columns = capacity >= 2 ? capacity - 2 : 0;
    line = line.substr(0, std::min(line.size(), columns));
    if (line.size() > input_start_) out.assign(line.substr(input_start_));
  }
  out += "\r\n";
  return out;
}

void ConsoleText::set_view_size(std::size_t rows, std::size_t cols) {
  rows_ = rows;
  cols_ = cols;
  scroll_to_line(static_cast<long long>(first_line_));
  scroll_to_col(static_cast<long long>(first_col_));
}

std::size_t ConsoleText::max_first_line() const {
  std::size_t lines = store_.line_count() + 2;
  return lines > rows_ ? lines - rows_ : 0;
}

// The caret at the end of the longest line counts as one more column, so
// that it can be scrolled into view.  Counted in bytes, like the longest
// line: a cell count would walk the line at every character written.
std::size_t ConsoleText::max_first_col() const {
  std::size_t widest = store_.longest();
  if (!pending_ && !store_.empty()) widest = std::max(widest, caret_col_ + 1);
  return widest > cols_ ? widest - cols_ : 0;
}

void ConsoleText::scroll_to_line(long long line) {
  first_line_ = clamp_to(line, max_first_line());
}

void ConsoleText::scroll_to_col(long long col) {
  first_col_ = clamp_to(col, max_first_col());
}

std::size_t ConsoleText::caret_line() const {
  if (store_.empty()) return 0;
  return pending_ ? store_.line_count() : last_line();
}

void ConsoleText::select_word_at(std::size_t row, std::size_t cell) {
  has_selection_ = false;
  std::size_t index = first_line_ + row;
  if (index >= store_.line_count()) return;
  std::string_view text = store_.line(index);
  std::size_t col = byte_of(text, cell + first_col_);
  if (col >= text.size() || text[col] == ' ') return;
  std::size_t first = col, end = col + 1;
  while (first > 0 && text[first - 1] != ' ') --first;
  while (end < text.size() && text[end] != ' ') ++end;
  select({index, first}, {index, end});
}

void ConsoleText::select_line_at(std::size_t row) {
  has_selection_ = false;
  std::size_t index = first_line_ + row;
  if (index >= store_.line_count()) return;
  select({index, 0}, {index, store_.line_length(index)});
}

void ConsoleText::select_all() {
  if (store_.empty()) return;
  select({0, 0}, {last_line(), store_.line_length(last_line())});
}

TextPos ConsoleText::pos_at(std::size_t row, std::size_t cell) const {
  if (store_.empty()) return {};
  std::size_t index = std::min(first_line_ + row, last_line());
  if (first_line_ + row > last_line()) return {index, store_.line_length(index)};
  std::string_view text = store_.line(index);
  return {index, std::min(byte_of(text, cell + first_col_), text.size())};
}

void ConsoleText::select(TextPos anchor, TextPos active) {
  anchor_ = anchor;
  active_ = active;
  has_selection_ = anchor != active;
  selection_ = {std::min(anchor, active), std::max(anchor, active)};
}

TextPos ConsoleText::caret_pos() const {
  if (store_.empty()) return {};
  if (pending_) return {last_line(), store_.line_length(last_line())};
  return {last_line(), caret_col_};
}

void ConsoleText::extend_selection(Key k) {
  if (store_.empty()) return;
  TextPos anchor = has_selection_ || anchored_ ? anchor_ : caret_pos();
  TextPos p = has_selection_ ? active_ : anchor;
  auto line = [this](std::size_t i) { return store_.line(i); };
  auto to_line = [&](long long target) {
    std::size_t cell = cell_of(line(p.line), p.col);
    p.line = clamp_to(target, last_line());
    p.col = std::min(byte_of(line(p.line), cell), line(p.line).size());
  };
  const long long page = static_cast<long long>(std::max<std::size_t>(rows_, 1));
  const long long at = static_cast<long long>(p.line);
  switch (k) {
    case Key::Left:
      if (p.col > 0) p.col = char_before(line(p.line), p.col);
      else if (p.line > 0) p = {p.line - 1, line(p.line - 1).size()};
      break;
    case Key::Right:
      if (p.col < line(p.line).size()) p.col += char_length(line(p.line), p.col);
      else if (p.line < last_line()) p = {p.line + 1, 0};
      break;
    case Key::Up: to_line(at - 1); break;
    case Key::Down: to_line(at + 1); break;
    case Key::PageUp: to_line(at - page); break;
    case Key::PageDown: to_line(at + page); break;
    case Key::Home: p.col = 0; break;
    case Key::End: p.col = line(p.line).size(); break;
    case Key::Insert:
    case Key::Delete: return;
  }
  select(anchor, p);
  show_pos(p);
}

void ConsoleText::show_pos(TextPos pos) {
  const std::size_t rows = std::max<std::size_t>(rows_, 1), cols = std::max<std::size_t>(cols_, 1);
  if (pos.line < first_line_ || pos.line >= first_line_ + rows)
    scroll_to_line(static_cast<long long>(pos.line) - static_cast<long long>(rows) + 1);
  std::size_t cell = pos.line < store_.line_count() ? cell_of(store_.line(pos.line), pos.col) : pos.col;
  if (cell < first_col_ || cell >= first_col_ + cols)
    scroll_to_col(static_cast<long long>(cell) - static_cast<long long>(cols) + 1);
}

void ConsoleText::show_caret() {
  const TextPos caret{caret_line(), caret_col_};
  show_pos(caret);
  const std::size_t cell = caret.line < store_.line_count() ? cell_of(store_.line(caret.line), caret.col) : caret.col;
  scroll_to_col(static_cast<long long>(cell) - static_cast<long long>(std::max<std::size_t>(cols_, 1)) + 1);
}

void ConsoleText::place_anchor(TextPos pos) {
  has_selection_ = false;
  anchor_ = active_ = pos;
  anchored_ = true;
}

std::string ConsoleText::selected_text() const {
  if (!has_selection_) return {};
  std::string out;
  for (std::size_t i = selection_.from.line; i <= selection_.to.line && i < store_.line_count(); ++i) {
    std::string_view text = store_.line(i);
    std::size_t first = i == selection_.from.line ? std::min(selection_.from.col, text.size()) : 0;
    std::size_t end = i == selection_.to.line ? std::min(selection_.to.col, text.size()) : text.size();
    if (i > selection_.from.line) out += '\n';
    if (end > first) out.append(text.substr(first, end - first));
  }
  return out;
}

void ConsoleText::delete_selection() {
  if (!selection_on_one_line()) return;
  const std::size_t line = selection_.from.line, first = selection_.from.col;
  const std::size_t count = selection_.to.col - first;
  store_.erase(line, first, count);
  if (!pending_ && line == last_line() && first < caret_col_)
    caret_col_ = caret_col_ >= first + count ? caret_col_ - count : first;
  has_selection_ = false;
  modified_ = true;
}

}  // namespace arb::win
