// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <cstdint>
#include <string_view>

#include "files.h"
#include "io.h"

namespace arb {

namespace {

using Line = std::array<char, 80>;

Line separator_line() {
  Line sep{};
  for (std::size_t i = 0; i < sep.size(); i += 2) {
    sep[i] = '-';
    sep[i + 1] = ' ';
  }
  return sep;
}

// Number of records from the start of the file to its end.
std::int32_t count_records(int unit, Line& line) {
  std::int32_t count = 0;
  rt::rewind(unit);
  while (rt::read(unit, "(A)", rt::kEnd, line) == rt::Outcome::ok) ++count;
  return count;
}

// The lines to skip, asked until the first two characters typed read as
// an integer.
std::int32_t ask_skip() {
  for (;;) {
    std::array<char, 2> answer{' ', ' '};
    rt::write(rt::kStar, "(/1X,'Skip how many lines, <RET> for none', T45,'==> ',$)");
    rt::read(rt::kStar, "(A)", rt::kNone, answer);
    std::int32_t skip = 0;
    if (rt::read(rt::field({answer.data(), answer.size()}), "(I2)", rt::kErr, skip) == rt::Outcome::ok) return skip;
  }
}

}  // namespace

void snoop(int& unit) {
  Line line{};
  const std::int32_t count = count_records(unit, line);
  rt::write(rt::kStar, "(/1X,'Snooping in the data file:')");
  rt::write(rt::kStar, "(1X,'Number of records in the file: ',I4)", count);

  const std::int32_t depth = count < 10 ? count / 2 : 5;
  rt::rewind(unit);
  rt::write(rt::kStar, "(1X,'First and last ',I1,' lines from the file:')", depth);
  rt::write(rt::kStar,
            "(1X,'.........1.........2.........3.........4.....', '....5.........6.........7.........8')");
  const Line separator = separator_line();
  for (std::int32_t i = 1; i <= count; ++i) {
    rt::read(unit, "(A)", rt::kNone, line);
    if (i <= depth) rt::write(rt::kStar, "(1X,A)", line);
    if (i == depth + 1) rt::write(rt::kStar, "(1X,A)", separator);
    if (i > count - depth) rt::write(rt::kStar, "(1X,A)", line);
  }

  rt::rewind(unit);
  const std::int32_t skip = ask_skip();
  for (std::int32_t i = 0; i < skip; ++i) rt::read(unit, "(A)", rt::kNone, line);
}

}  // namespace arb
