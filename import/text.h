// SPDX-License-Identifier: GPL-3.0-or-later
// Lines, fields and numbers of station files, tolerant of CR LF, missing
// last line ends, Latin-1 and glued text.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arb::import {

// The lines of a file's bytes, each without its line end (LF, CR LF or
// CR).  A file read in pieces is pulled through a buffer as its lines are
// taken: a line stays valid until the next one is taken.
class Lines {
 public:
  using More = std::function<std::size_t(char*, std::size_t)>;
  explicit Lines(std::string_view bytes, More more = {});
  bool next(std::string_view& line);
  long number() const { return number_; }

 private:
  bool refill();
  std::string_view rest_;
  More more_;
  std::string buffer_;
  long number_ = 0;
  char end_ = '\n';  // CR in a file of CR line ends
};

std::string_view trim(std::string_view s);
bool blank(std::string_view s);
std::vector<std::string_view> split_blanks(std::string_view s);
std::vector<std::string_view> split_on(std::string_view s, char sep);
std::string lower(std::string_view s);
bool starts_with_nocase(std::string_view s, std::string_view prefix);

struct Decimal {
  double value;
  int decimals;
};
// The number at the start of text ([sign] digits [point digits], a lone
// point allowed: ".908"); used = characters taken.
std::optional<Decimal> leading_number(std::string_view text, std::size_t* used = nullptr, char point = '.');
// The whole (trimmed) text as a number.
std::optional<Decimal> whole_number(std::string_view text, char point = '.');
std::optional<long> whole_integer(std::string_view text);
// The field of columns [from, from + width) as an integer, blanks around it.
std::optional<long> field_integer(std::string_view line, std::size_t from, std::size_t width);

// Text for titles and the CSV: valid UTF-8 as it is, any other byte taken
// as Latin-1; control characters become blanks.
std::string to_utf8(std::string_view s);
// At most n bytes of UTF-8 text, never cutting a character.
std::string utf8_prefix(const std::string& s, std::size_t n);
bool looks_binary(std::string_view bytes);
// The file name without folders.
std::string base_name(const std::string& path);

[[noreturn]] void malformed(const std::string& file, long line, const std::string& expected);

}  // namespace arb::import
