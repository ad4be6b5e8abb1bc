// SPDX-License-Identifier: GPL-3.0-or-later
// The averaged record year by year, across the whole store for each year:
// the plain reading of the method, which average_record must equal to the
// bit while it reads the store series by series.
#pragma once

#include <array>

#include "average_parts.h"
#include "coverage.h"
#include "store.h"

namespace arb::testing {

// The average row of year slot i (calendar year c.earliest_first + i - 1):
// variable j's at j - 1.
inline std::array<float, kVarSlots> average_year(const SeriesStore& s, int i, const Coverage& c, Method method) {
  const std::int32_t year = c.earliest_first + i - 1;
  std::array<float, kVarSlots> sum{};
  std::array<std::int32_t, kVarSlots> count{};
  for (int k = 1; k <= s.nseries; ++k) {
    if (year < s.span(k, 1) || year > s.span(k, 2)) continue;
    for (int j = 1; j <= s.nvars; ++j) {
      const float v = s.value(i, j, k);
      if (v == s.flag) continue;
      ++count[j - 1];
      add_value(sum[j - 1], v, s.mean(k, j), s.sd(k, j), method);
    }
  }
  std::array<float, kVarSlots> row{};
  for (int j = 1; j <= s.nvars; ++j) row[j - 1] = finished_average(s, j, sum[j - 1], count[j - 1], method);
  return row;
}

}  // namespace arb::testing
