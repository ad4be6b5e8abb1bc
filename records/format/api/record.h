// SPDX-License-Identifier: GPL-3.0-or-later
// The record being built by a write statement or taken apart by a read,
// and the edit modes that a statement carries from descriptor to descriptor.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace arb::rt {

// The run-time options that change how numbers are read, taken from the
// record layer's options at the start of each statement.
struct InputOptions {
  bool relaxed = false;     // -relaxed_input: digits, points, signs and exponent letters in any order
  bool strict_nan = false;  // -strict_nan_input: a field starting with I or N must spell INF, INFINITY or NAN
};

// Modes set by descriptors; all reset at the start of each statement.
struct EditModes {
  std::int32_t scale = 0;   // kP
  bool plus = false;        // SP on
  bool blank_zero = false;  // BZ on (from the unit at the start)
  bool dollar = false;      // "$" seen: records end without a line end
  bool lead_zero = true;    // "0" before the point of F fields (-noleadzero turns it off)
  InputOptions input;       // how numbers are read
};

// A record being written.  Columns count from 1; pos is 0-based.  pos may
// stand beyond the text: the gap is filled with blanks only when something
// is written there, so positioning alone adds no trailing blanks.
struct OutRecord {
  std::string text;
  std::size_t pos = 0;

  void put(char c) {
    if (pos > text.size()) text.append(pos - text.size(), ' ');
    if (pos == text.size()) text.push_back(c); else text[pos] = c;
    ++pos;
  }
  void put(std::string_view s) { for (char c : s) put(c); }
  void clear() { text.clear(); pos = 0; }
};

// A record being read: its characters (tabs already widened for files and
// the console; kept as they are for a character field) and the position.
struct InRecord {
  std::string_view text;
  std::size_t pos = 0;
  bool pads = true;          // short records padded with blanks (every unit of this system)
};

}  // namespace arb::rt
