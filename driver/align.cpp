// SPDX-License-Identifier: GPL-3.0-or-later
#include "align.h"

#include <algorithm>

namespace arb {

// One thread per series: the driver shares the series out on its team.
void align(SeriesStore& s, int k, std::int32_t earliest) {
  const int years = s.span(k, 3);
  const int offset = s.span(k, 1) - earliest;
  if (years <= 0 || offset <= 0) return;
  if (years + offset > kYearSlots) return;  // refused before; never write past the table
  for (int j = 1; j <= s.nvars; ++j) {
    float* col = s.column(j, k);
    // From the top slot down, so that nothing is overwritten before it moves.
    std::copy_backward(col, col + years, col + years + offset);
  }
}

}  // namespace arb
