// SPDX-License-Identifier: GPL-3.0-or-later
// The maximum coverage and the common interval of the series in the store.
#pragma once

#include <cstdint>

#include "store.h"

namespace arb {

struct Coverage {
  std::int32_t earliest_first = 9999;  // slot 1 after alignment; start of the averaged record
  std::int32_t latest_first = -9999;
  std::int32_t earliest_last = 9999;
  std::int32_t latest_last = -9999;  // end of the averaged record
  std::int32_t length = 0;           // latest last - earliest first + 1
  // The common interval, over which each series' statistics are taken.
  std::int32_t start = 0;
  std::int32_t end = 0;
  std::int32_t interval = 0;  // end - start + 1
  // The first series that takes the coverage beyond the year slots (0: none).
  int oversize_series = 0;
};

// The extremes of the spans of series 1 to the series count, and the common
// interval they give.
Coverage find_coverage(const SeriesStore& s);

// The coverage dialogue: the table of series, the coverage and common
// interval lines, the explanation and the optional change of the interval.
// Refuses data whose coverage does not fit the year slots.
Coverage coverage_dialogue(const SeriesStore& s);

}  // namespace arb
