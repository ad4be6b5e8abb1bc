// SPDX-License-Identifier: GPL-3.0-or-later
// The statistics of the series and the averaged record.
#pragma once

#include <cstdint>
#include <vector>

#include "coverage.h"
#include "store.h"

namespace arb {

enum class Method : std::int32_t {
  straight = 1,                // the values as they are
  mean_adjusted = 2,           // departures from each series' mean, plus the grand mean
  mean_variance_adjusted = 3,  // standardised departures, scaled by the grand SD, plus the grand mean
};

// Mean and standard deviation of every variable of series k (already
// aligned) over the common interval.  Years of the interval outside the
// series' own span count as missing.
void series_statistics(SeriesStore& s, int k, const Coverage& c);

// Grand mean (mean of the series means) and grand standard deviation (root
// mean square of the series standard deviations) in row series count + 1.
void grand_statistics(SeriesStore& s);

// The average rows of every year slot 1 to c.length at once, and the
// sample depth behind each value: every variable averaged over the
// series that cover the year and have a value there (the flag where none
// has), each sum taking the series in order, with the value array read
// series by series in memory order.
struct AveragedRecord {
  std::vector<float> rows;          // year slot i's variable j at (i - 1) * nvars + j - 1
  std::vector<std::int32_t> depth;  // the number of values behind each, laid out as rows
};
AveragedRecord average_record(const SeriesStore& s, const Coverage& c, Method method);

}  // namespace arb
