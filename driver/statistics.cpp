// SPDX-License-Identifier: GPL-3.0-or-later
#include "statistics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <span>

#include "average_parts.h"
#include "norm.h"
#include "omp_team.h"

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

AveragedRecord average_record(const SeriesStore& s, const Coverage& c, Method method) {
  const int nvars = s.nvars;
  const int length = c.length;
  const float flag = s.flag;
  const auto cells = static_cast<std::size_t>(std::max(0, nvars)) * static_cast<std::size_t>(std::max(0, length));
  if (cells == 0) return {};  // no year of coverage (or no variable): nothing to sum
  // Sums and counts variable by variable, slot by slot: each sum still
  // takes the series in order, so every sum is the plain year-by-year one.
  // The variables are apart from each other: one team member each.
  std::vector<float> sum(cells, 0.0F);
  std::vector<std::int32_t> count(cells, 0);
  const int team = omp_team();
  const bool large = static_cast<long>(s.nseries) * nvars * length >= kTeamValues;
#pragma omp parallel for schedule(dynamic, 1) num_threads(team) if (team > 1 && nvars > 1 && large)
  for (int j = 1; j <= nvars; ++j) {
    float* sums = sum.data() + static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(length);
    std::int32_t* counts = count.data() + static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(length);
    for (int k = 1; k <= s.nseries; ++k) {
      // The slots of the years the series covers.
      const int first = std::max(1, s.span(k, 1) - c.earliest_first + 1);
      const int last = std::min(length, s.span(k, 2) - c.earliest_first + 1);
      if (first > last) continue;
      const float* col = s.column(j, k);
      const float mean = s.mean(k, j);
      const float sd = s.sd(k, j);
      for (int i = first; i <= last; ++i) {
        const float v = col[i - 1];
        if (v == flag) continue;
        ++counts[i - 1];
        add_value(sums[i - 1], v, mean, sd, method);
      }
    }
  }
  AveragedRecord r{std::vector<float>(cells), std::vector<std::int32_t>(cells)};
  for (int j = 1; j <= nvars; ++j) {
    const std::size_t at = static_cast<std::size_t>(j - 1) * static_cast<std::size_t>(length);
    for (int i = 1; i <= length; ++i) {
      const std::size_t from = at + static_cast<std::size_t>(i - 1);
      const std::size_t to = static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(nvars) + static_cast<std::size_t>(j - 1);
      r.rows[to] = finished_average(s, j, sum[from], count[from], method);
      r.depth[to] = count[from];
    }
  }
  return r;
}

}  // namespace arb
