#include "driver/statistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "driver/norm.h"

namespace arb {

void series_statistics(SeriesStore& s, int k, const Coverage& c) {
  // The part of the common interval that the series covers; the other
  // slots hold no value of those years.
  const std::int32_t from = std::max<std::int32_t>(c.start, s.span(k, 1));
  const std::int32_t to = std::min<std::int32_t>(c.end, s.span(k, 2));
  const std::int32_t count = to - from + 1;
  for (int j = 1; j <= s.nvars; ++j) {
    std::span<const float> run;
    if (count > 0) run = {s.column(j, k) + (from - c.earliest_first), static_cast<std::size_t>(count)};
    norm(run, s.mean(k, j), s.sd(k, j), s.flag);
  }
}

void grand_statistics(SeriesStore& s) {
  const int n = s.nseries;
  const int grand = n + 1;
  for (int j = 1; j <= s.nvars; ++j) {
    float discarded = 0.0F;
    norm({&s.mean(1, j), static_cast<std::size_t>(n)}, s.mean(grand, j), discarded, s.flag);
    // Every series' standard deviation enters, undefined ones included.
    double squares = 0.0;
    for (int k = 1; k <= n; ++k) {
      const double d = static_cast<double>(s.sd(k, j));
      squares += d * d;
    }
    s.sd(grand, j) = static_cast<float>(std::sqrt(squares / static_cast<double>(n)));
  }
}

void average_year(SeriesStore& s, int i, const Coverage& c, Method method) {
  const std::int32_t year = c.earliest_first + i - 1;
  const int nvars = s.nvars;
  const float flag = s.flag;
  // One running sum per variable, each taken over the series in order: the
  // same sums as one variable at a time, with the value array read series
  // by series.
  std::array<float, kVarSlots> sum{};
  std::array<std::int32_t, kVarSlots> count{};
  for (int k = 1; k <= s.nseries; ++k) {
    if (year < s.span(k, 1) || year > s.span(k, 2)) continue;
    for (int j = 1; j <= nvars; ++j) {
      const float v = s.value(i, j, k);
      if (v == flag) continue;
      ++count[j - 1];
      float& r = sum[j - 1];
      // Every step is rounded to 32 bits.
      switch (method) {
        case Method::straight:
          r = r + v;
          break;
        case Method::mean_adjusted: {
          const float t = v + r;
          r = t - s.mean(k, j);
          break;
        }
        case Method::mean_variance_adjusted: {
          const float z = (v - s.mean(k, j)) / s.sd(k, j);
          r = r + z;
          break;
        }
      }
    }
  }
  const int grand = s.nseries + 1;
  for (int j = 1; j <= nvars; ++j) {
    if (count[j - 1] < 1) {
      s.avg(j) = flag;
      continue;
    }
    const float q = sum[j - 1] / static_cast<float>(count[j - 1]);
    switch (method) {
      case Method::straight:
        s.avg(j) = q;
        break;
      case Method::mean_adjusted:
        s.avg(j) = q + s.mean(grand, j);
        break;
      case Method::mean_variance_adjusted: {
        const float scaled = q * s.sd(grand, j);
        s.avg(j) = scaled + s.mean(grand, j);
        break;
      }
    }
  }
}

}  // namespace arb
