// SPDX-License-Identifier: GPL-3.0-or-later
// Free-format input: ldinput, skipspace and setldspec over the records of
// a read statement.
#include "list_input.h"

#include <algorithm>

#include "chars.h"
#include "errors.h"
#include "input_edit.h"
#include "input_fast.h"

namespace arb::rt {

namespace {

bool all_digits(const std::string& s) {
  return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// Repeat counts beyond this are never used up by any statement anyway.
constexpr std::int64_t kRepeatBound = std::int64_t{1} << 40;

std::int64_t repeat_count(const std::string& digits) {
  std::int64_t r = 0;
  for (char c : digits) r = std::min(r * 10 + (c - '0'), kRepeatBound);
  return r;
}

}  // namespace

ListReader::Conversion ListReader::setldspec(const ItemType& type) {
  switch (type.kind) {
    case ItemKind::Character: return Conversion::A;
    case ItemKind::Logical: return Conversion::L;
    case ItemKind::Integer: return Conversion::I;
    case ItemKind::Real: break;
  }
  return Conversion::Real;
}

void ListReader::read_item(const InItem& item) {
  if (repeat_ > 0) {
    --repeat_;
  } else {
    if (slash_) return;
    ldinput(item.type);
    if (slash_) return;
  }
  if (!null_value_) convert(item);
}

// Passes over blanks and tabs and gives the next character; at the end of
// the record either reads on (empty and all-blank records are passed over)
// or reports kEndOfRecord.
int ListReader::skipspace(bool more_records) {
  for (;;) {
    while (rec_.pos < rec_.text.size() && is_blank(rec_.text[rec_.pos])) ++rec_.pos;
    if (rec_.pos < rec_.text.size()) return static_cast<unsigned char>(rec_.text[rec_.pos]);
    if (!more_records) return kEndOfRecord;
    if (!src_.can_read_more()) throw EndOfInput{};
    src_.next_record(rec_);
  }
}

void ListReader::ldinput(const ItemType& type) {
  rec_.pos = std::min(rec_.pos, rec_.text.size());
  begin_value(skipspace(true), type, true);
}

// The value that starts with character c (not a blank).
void ListReader::begin_value(int c, const ItemType& type, bool count_allowed) {
  value_.clear();
  null_value_ = false;
  if (c == ',' && sep_pending_) {
    // The comma closes the value that ended its record.
    sep_pending_ = false;
    ++rec_.pos;
    c = skipspace(false);
    if (c == kEndOfRecord) {
      // A record of nothing but that comma: a null value, which ends its
      // record in turn.
      null_value_ = true;
      sep_pending_ = true;
      return;
    }
  }
  sep_pending_ = false;
  // A "*" with nothing before it is passed over: the value begins afresh.
  while (c == '*') {
    ++rec_.pos;
    c = skipspace(true);
  }
  if (c == ',') {
    ++rec_.pos;
    null_value_ = true;
    return;
  }
  if (c == '/') {
    slash_ = true;  // left in place: every later item sees it too
    return;
  }
  if ((c == '\'' || c == '"') && type.kind == ItemKind::Character) {
    read_quoted(static_cast<char>(c));
    return;
  }
  read_unquoted(type, count_allowed);
}

void ListReader::read_quoted(char mark) {
  ++rec_.pos;
  for (;;) {
    if (rec_.pos >= rec_.text.size()) {
      // The value runs on into the next record; the line end adds nothing.
      if (!src_.can_read_more()) throw EndOfInput{};
      src_.next_record(rec_);
      continue;
    }
    const char ch = rec_.text[rec_.pos++];
    if (ch == mark) {
      if (rec_.pos < rec_.text.size() && rec_.text[rec_.pos] == mark) {
        value_.push_back(mark);
        ++rec_.pos;
        continue;
      }
      break;
    }
    value_.push_back(ch == '\t' ? ' ' : ch);
  }
  if (value_.empty()) value_.push_back(' ');  // an empty quoted value is one blank
  if (rec_.pos >= rec_.text.size())
    sep_pending_ = true;
  else if (rec_.text[rec_.pos] == ',')
    ++rec_.pos;
  else if (is_blank(rec_.text[rec_.pos]))
    after_blanks();
}

// Characters up to a blank, tab, comma, "/" or the end of the record.  A
// "*" after digits makes them a repeat count (once per value); the value is
// then read afresh after it, from step one.
void ListReader::read_unquoted(const ItemType& type, bool count_allowed) {
  for (;;) {
    if (rec_.pos >= rec_.text.size()) {
      sep_pending_ = true;
      return;
    }
    const char ch = rec_.text[rec_.pos];
    if (is_blank(ch)) {
      ++rec_.pos;
      after_blanks();
      return;
    }
    if (ch == ',') {
      ++rec_.pos;
      return;
    }
    if (ch == '/') return;  // the next item ends the read
    if (ch != '*') {
      // The run of ordinary characters at once.
      std::size_t end = rec_.pos + 1;
      while (end < rec_.text.size()) {
        const char c = rec_.text[end];
        if (is_blank(c) || c == ',' || c == '/' || c == '*') break;
        ++end;
      }
      value_.append(rec_.text.data() + rec_.pos, end - rec_.pos);
      rec_.pos = end;
      continue;
    }
    if (count_allowed && all_digits(value_)) {
      const std::int64_t r = repeat_count(value_);
      if (r == 0) throw IoError::runtime(Err::IllegalNumeric);
      ++rec_.pos;
      begin_value(skipspace(true), type, false);
      if (!slash_) repeat_ = r - 1;
      return;
    }
    value_.push_back(ch);
    ++rec_.pos;
  }
}

// After a value that ended at a blank: a comma here is its separator; the
// end of the record leaves the separator pending.
void ListReader::after_blanks() {
  while (rec_.pos < rec_.text.size() && is_blank(rec_.text[rec_.pos])) ++rec_.pos;
  if (rec_.pos >= rec_.text.size())
    sep_pending_ = true;
  else if (rec_.text[rec_.pos] == ',')
    ++rec_.pos;
}

void ListReader::convert(const InItem& item) const {
  switch (setldspec(item.type)) {
    case Conversion::A: {
      char* out = static_cast<char*>(item.ref);
      const std::size_t n = std::min(value_.size(), item.type.len);
      std::copy_n(value_.data(), n, out);
      std::fill(out + n, out + item.type.len, ' ');
      return;
    }
    case Conversion::L: {
      std::size_t i = !value_.empty() && value_[0] == '.' ? 1 : 0;
      store_logical(item, i < value_.size() && (value_[i] == 'T' || value_[i] == 't'));
      return;
    }
    case Conversion::I:
      store_int(item, read_int_text(value_, item.type.size, opts_));
      return;
    case Conversion::Real: {
      double v = 0.0;
      if (!fast_real(value_, false, 0, 0, v)) v = read_real_text(value_, 0, 0, opts_);
      store_real(item, v);
      return;
    }
  }
}

}  // namespace arb::rt
