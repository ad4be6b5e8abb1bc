// SPDX-License-Identifier: GPL-3.0-or-later
// The steps of the averaged record: one series' value added to a year's
// running sum, and the average made from the sum.  Shared with the
// year-by-year average that tests and benchmarks hold the record to.
#pragma once

#include <cstdint>

#include "statistics.h"
#include "store.h"

namespace arb {

// One series' value added to a running sum; every step is rounded to 32 bits.
inline void add_value(float& r, float v, float mean, float sd, Method method) {
  switch (method) {
    case Method::straight:
      r = r + v;
      break;
    case Method::mean_adjusted: {
      const float t = v + r;
      r = t - mean;
      break;
    }
    case Method::mean_variance_adjusted: {
      const float z = (v - mean) / sd;
      r = r + z;
      break;
    }
  }
}

// The average of variable j from its sum over count series.
inline float finished_average(const SeriesStore& s, int j, float sum, std::int32_t count, Method method) {
  if (count < 1) return s.flag;
  const int grand = s.nseries + 1;
  const float q = sum / static_cast<float>(count);
  switch (method) {
    case Method::straight:
      return q;
    case Method::mean_adjusted:
      return q + s.mean(grand, j);
    case Method::mean_variance_adjusted: {
      const float scaled = q * s.sd(grand, j);
      return scaled + s.mean(grand, j);
    }
  }
  return q;
}

}  // namespace arb
