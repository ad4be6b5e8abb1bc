// SPDX-License-Identifier: GPL-3.0-or-later
#include "align.h"

#include <algorithm>

#include "omp_team.h"

namespace arb {

namespace {
// Values moved per series below which threads are not worth starting.
constexpr int kParallelValues = 1 << 14;
}  // namespace

void align(SeriesStore& s, int k, std::int32_t earliest) {
  const int years = s.span(k, 3);
  const int offset = s.span(k, 1) - earliest;
  if (years <= 0 || offset <= 0) return;
  if (years + offset > kYearSlots) return;  // refused before; never write past the table
  const int nvars = s.nvars;
  // Each variable's column is its own run of slots, so the variables can
  // be moved on several threads with the same result.  A small series
  // stays out of the threading run-time altogether.
  if (nvars * years < kParallelValues) {
    for (int j = 1; j <= nvars; ++j) {
      float* col = s.column(j, k);
      std::copy_backward(col, col + years, col + years + offset);
    }
    return;
  }
  const int team = omp_team();
#pragma omp parallel for schedule(static) num_threads(team) if (team > 1)
  for (int j = 1; j <= nvars; ++j) {
    float* col = s.column(j, k);
    // From the top slot down, so that nothing is overwritten before it moves.
    std::copy_backward(col, col + years, col + years + offset);
  }
}

}  // namespace arb
