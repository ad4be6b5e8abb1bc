// Which lines of the text go on the printed pages.
#pragma once

#include <cstddef>

namespace arb::win {

struct PrintLines {
  std::size_t first = 0;  // 0-based, first line printed
  std::size_t end = 0;    // one past the last line printed
};

// Lines per page: the printable height over the line height, rounded down,
// both in 1/100 inch; at least one.
std::size_t lines_per_page(int printable_height, int line_height);

// The lines of pages from..to (1-based, inclusive); with no range (from ==
// 0) all lines.
PrintLines lines_to_print(std::size_t line_count, std::size_t per_page, int from, int to);

}  // namespace arb::win
