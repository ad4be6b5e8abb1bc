// SPDX-License-Identifier: GPL-3.0-or-later
#include "print_layout.h"

#include <algorithm>

#include "utf8_text.h"

namespace arb::win {

std::size_t lines_per_page(int printable_height, int line_height) {
  if (line_height <= 0 || printable_height < line_height) return 1;
  return static_cast<std::size_t>(printable_height / line_height);
}

PrintLines lines_to_print(std::size_t line_count, std::size_t per_page, int from, int to) {
  if (from <= 0) return {0, line_count};
  std::size_t first = static_cast<std::size_t>(from - 1) * per_page;
  std::size_t end = std::min(static_cast<std::size_t>(std::max(to, from)) * per_page, line_count);
  if (first >= end) return {0, 0};
  return {first, end};
}

void wrap_line(std::string_view text, std::size_t index, std::size_t cells, std::vector<PrintRow>& rows) {
  cells = std::max<std::size_t>(cells, 1);
  std::size_t from = 0;
  do {
    std::size_t to = std::min(from + byte_of(text.substr(from), cells), text.size());
    rows.push_back({index, from, to, from > 0});
    from = to;
  } while (from < text.size());
}

}  // namespace arb::win
