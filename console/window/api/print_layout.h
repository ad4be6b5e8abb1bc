// SPDX-License-Identifier: GPL-3.0-or-later
// Which lines of the text go on the printed pages.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

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

// What the print job does with lines wider than the page: wraps them onto
// the next rows (a mark in the left margin says a row goes on from the one
// above), or prints the whole text in a font made small enough for the
// widest line.
enum class LongLines { Wrap, Scale };

// One printed row: the bytes from..to of a line of the text.
struct PrintRow {
  std::size_t line = 0;
  std::size_t from = 0;
  std::size_t to = 0;
  bool continued = false;  // goes on from the row above
};

// The rows of the text's lines, each at most `cells` characters wide
// (UTF-8 characters count as one); an empty line is one empty row.
// The rows of one line.
void wrap_line(std::string_view text, std::size_t index, std::size_t cells, std::vector<PrintRow>& rows);

template <class Lines>
std::vector<PrintRow> wrap_rows(const Lines& line, std::size_t line_count, std::size_t cells) {
  std::vector<PrintRow> rows;
  rows.reserve(line_count);
  for (std::size_t i = 0; i < line_count; ++i) wrap_line(line(i), i, cells, rows);
  return rows;
}

}  // namespace arb::win
