// SPDX-License-Identifier: GPL-3.0-or-later
// The statements of the record layer, as the program calls them: formatted
// and free-format reads and writes, OPEN, REWIND, BACKSPACE, PAUSE, STOP.
//
//   write(kStar, "(1X,'Input file:')");
//   write(16, "(1X,I6,12F6.2)", k, std::span<const float>(means, p));
//   if (read(kStar, "(A)", kErr, name) != Outcome::ok) ...
//   read_list(kStar, kNone, count);                 // free format
//   read(field(line), "(I4,12F5.1)", kErr, year, std::span<float>(v, 12));
//   read_data_line(14, layout, line, year, v);       // a data line of a file
//   read_data_lines(14, layout, 120, years, months); // the data lines that follow
//
// A failure that the statement has no branch for ends the run with the
// run-time error report (RunEnd is thrown); STOP throws RunEnd too.
#pragma once

#include <array>
#include <climits>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "item.h"

namespace arb::rt {

// The default unit "*": console input when reading, console output when writing.
inline constexpr int kStar = INT_MIN;

enum class Outcome : int { ok = 0, error = 1, end = 2 };

struct Branches {
  bool err = false;
  bool end = false;
};
inline constexpr Branches kNone{false, false};
inline constexpr Branches kErr{true, false};
inline constexpr Branches kEnd{false, true};
inline constexpr Branches kErrEnd{true, true};

// A unit: a number, kStar, or a character field read as one record.
struct UnitSpec {
  int number = kStar;
  bool internal = false;
  std::string_view field;
  UnitSpec(int n) : number(n) {}  // NOLINT: a unit number is a unit
  static UnitSpec of_field(std::string_view f) { UnitSpec u(0); u.internal = true; u.field = f; return u; }
};
inline UnitSpec field(std::string_view f) { return UnitSpec::of_field(f); }

// A character array read or written one element per item, as "(60A1)" does.
struct CharElements {
  std::span<char> chars;
  std::size_t elem = 1;
};

class StatementImpl;

// One READ or WRITE.  Items are transferred in order; finish() ends the
// statement and gives its outcome.  Once a failure has taken a branch,
// further items are passed over.  The destructor abandons an unfinished
// statement without a report.
class Statement {
 public:
  enum class Dir { read, write };
  // list: a free-format read (format unused).
  Statement(Dir dir, UnitSpec unit, std::string_view format, bool list, Branches br);
  ~Statement();
  Statement(const Statement&) = delete;
  Statement& operator=(const Statement&) = delete;

  void put(const OutItem& item);
  void get(const InItem& item);
  // A run of 4-byte reals, as many get(in_real(x)) calls.
  void get_reals(std::span<float> values);
  Outcome finish();

  // The statement's state lives in the object, not on the heap: a data
  // file is read with two statements per line.
  static constexpr std::size_t kImplSize = 1088;

 private:
  alignas(std::max_align_t) std::byte storage_[kImplSize];
  StatementImpl* impl_;
};

// Items of a write: numbers, texts, fixed character fields and runs of reals.
inline void write_transfer(Statement& s, std::int32_t v) { s.put(out_int(v)); }
inline void write_transfer(Statement& s, std::int16_t v) { s.put(out_int(v, 2)); }
inline void write_transfer(Statement& s, float v) { s.put(out_real(v)); }
inline void write_transfer(Statement& s, double v) { s.put(out_real8(v)); }
inline void write_transfer(Statement& s, std::string_view v) { s.put(out_chars(v)); }
inline void write_transfer(Statement& s, const char* v) { s.put(out_chars(v)); }
inline void write_transfer(Statement& s, std::span<const float> v) { for (float x : v) s.put(out_real(x)); }
template <std::size_t N>
inline void write_transfer(Statement& s, const std::array<char, N>& v) { s.put(out_chars({v.data(), N})); }

// Read targets: references, character fields, spans of reals, CharElements.
inline void read_transfer(Statement& s, std::int32_t& v) { s.get(in_int(v)); }
inline void read_transfer(Statement& s, std::int16_t& v) { s.get(in_int16(v)); }
inline void read_transfer(Statement& s, float& v) { s.get(in_real(v)); }
inline void read_transfer(Statement& s, double& v) { s.get(in_real8(v)); }
inline void read_transfer(Statement& s, char& v) { s.get(in_chars(&v, 1)); }
inline void read_transfer(Statement& s, std::span<char> v) { s.get(in_chars(v.data(), v.size())); }
inline void read_transfer(Statement& s, std::span<float> v) { s.get_reals(v); }
inline void read_transfer(Statement& s, CharElements v) {
  for (std::size_t i = 0; i + v.elem <= v.chars.size(); i += v.elem) s.get(in_chars(v.chars.data() + i, v.elem));
}
template <std::size_t N>
inline void read_transfer(Statement& s, std::array<char, N>& v) { s.get(in_chars(v.data(), N)); }

// Formatted write (FWF).  Writes have no branches: a failure is reported.
template <typename... Items>
Outcome write(UnitSpec unit, std::string_view format, const Items&... items) {
  Statement s(Statement::Dir::write, unit, format, false, kNone);
  (write_transfer(s, items), ...);
  return s.finish();
}

// Formatted read (FRF).
template <typename... Items>
Outcome read(UnitSpec unit, std::string_view format, Branches br, Items&&... items) {
  Statement s(Statement::Dir::read, unit, format, false, br);
  (read_transfer(s, std::forward<Items>(items)), ...);
  return s.finish();
}

// Free-format read.
template <typename... Items>
Outcome read_list(UnitSpec unit, Branches br, Items&&... items) {
  Statement s(Statement::Dir::read, unit, {}, true, br);
  (read_transfer(s, std::forward<Items>(items)), ...);
  return s.finish();
}

// OPEN: status "OLD", "NEW", "UNKNOWN", "SCRATCH" or "REPLACE" (blank-padded
// or not).  With an error branch a failure gives Outcome::error.
Outcome open(int unit, std::string_view name, std::string_view status, Branches br);
// REWIND and BACKSPACE (REWF, BACK).
Outcome rewind(int unit, Branches br = kNone);
Outcome backspace(int unit, Branches br = kNone);
// The line number in its file of the record read last on the unit (0 for
// a unit without a file).
std::int64_t record_number(int unit);
// PAUSE: writes a blank and the text as one line, then waits for a line.
void pause(std::string_view text);
// STOP: writes the text (unless blank) and ends the run with the status
// (0, except where the program refuses its data).
[[noreturn]] void stop(std::string_view text, int status = 0);

// The layout of a data line: an integer and reals by a format, or with no
// format free format (a real, the year truncated toward zero, and reals).
struct DataLayout {
  std::string_view format;              // empty: free format
  std::string_view blank_first_format;  // if given, the format of a line whose first column is blank
  float missing = 0.0f;                 // free format: a month the line skips ("/", an empty value)
  int threads = 1;                      // the team that reads the lines ahead
};

enum class LineRead { data, blank, other, end, error };

// The next record of the unit as a line of line.size() columns (blank-
// padded or cut), then that line as a data line of the layout: data (year
// and values read), blank (only blanks), other (the line holds the record
// that does not read as a data line), end of the file, or error (the record
// could not be read; the line is blank).  After data the line's content is
// unspecified.  The outcome, the values to the bit, the record number and
// the unit's position are those of the two statements
//   read(unit, "(A)", kErrEnd, line);
//   read(field(line), format, kErr, year, values);   // or read_list
// which this is; lines of the common shape are read ahead on the layout's
// threads straight from the file's bytes.
LineRead read_data_line(int unit, const DataLayout& layout, std::span<char> line, std::int32_t& year,
                        std::span<float> values);

// A run of data lines handed over at once.
struct DataLines {
  std::size_t count = 0;
  std::int64_t first_record = 0;  // the record number of the first; the others follow it
};

// The data lines next on the unit, as many in a row as read_data_line with
// a line of `width` columns would give as data, up to years.size() of them
// (values: as many reals a line as it has room for), but only those read
// ahead: the block may end before a line that read_data_line would still
// give as data, and is empty where that must read the next line.  Line k's
// year into years[k], its values after those of the lines before it.
DataLines read_data_lines(int unit, const DataLayout& layout, std::size_t width, std::span<std::int32_t> years,
                          std::span<float> values);

}  // namespace arb::rt
