// SPDX-License-Identifier: GPL-3.0-or-later
// Each series against the average of all the others, over the common
// interval: a series that does not follow its neighbours is most often a
// wrong station or a wrong layout.
#include <cmath>
#include <cstdio>

#include "checks.h"

namespace arb::results {

namespace {

// Sums and counts of every series' values, by year of the common interval.
struct Totals {
  std::vector<double> sum;
  std::vector<int> count;
};

Totals totals(const Run& r, int j) {
  const Coverage& c = r.coverage;
  Totals t{std::vector<double>(static_cast<std::size_t>(c.interval), 0.0),
           std::vector<int>(static_cast<std::size_t>(c.interval), 0)};
  for (int k = 1; k <= r.nseries; ++k) {
    for (int y = c.start; y <= c.end; ++y) {
      const float v = r.value(y, j, k);
      if (v == r.flag) continue;
      t.sum[static_cast<std::size_t>(y - c.start)] += v;
      ++t.count[static_cast<std::size_t>(y - c.start)];
    }
  }
  return t;
}

// Pearson's r of series k with the mean of the others; NaN with fewer
// than three shared years or no variation.
double correlation(const Run& r, int k, int j, const Totals& t) {
  const Coverage& c = r.coverage;
  double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (int y = c.start; y <= c.end; ++y) {
    const float v = r.value(y, j, k);
    const auto i = static_cast<std::size_t>(y - c.start);
    if (v == r.flag || t.count[i] < 2 || !std::isfinite(v)) continue;
    const double x = v, other = (t.sum[i] - v) / (t.count[i] - 1);
    n += 1;
    sx += x, sy += other, sxx += x * x, syy += other * other, sxy += x * other;
  }
  if (n < 3) return NAN;
  const double vx = sxx - sx * sx / n, vy = syy - sy * sy / n;
  if (!(vx > 0.0) || !(vy > 0.0)) return NAN;
  return (sxy - sx * sy / n) / std::sqrt(vx * vy);
}

std::string describe(double rho, const char* what) {
  char text[96];
  std::snprintf(text, sizeof text, "r = %.3f with the average of the other series%s", rho, what);
  return text;
}

}  // namespace

void check_correlations(const Run& r, std::vector<Finding>& out) {
  if (r.nseries < 2 || r.coverage.interval < 3) return;
  std::vector<Totals> all;
  for (int j = 1; j <= r.nvars; ++j) all.push_back(totals(r, j));
  for (int k = 1; k <= r.nseries; ++k) {
    double sum = 0.0;
    int defined = 0;
    for (int j = 1; j <= r.nvars; ++j) {
      const double rho = correlation(r, k, j, all[static_cast<std::size_t>(j - 1)]);
      if (std::isnan(rho)) continue;
      sum += rho;
      ++defined;
      if (rho < kLowCorrelation) out.push_back({Kind::low_correlation, k, {}, {}, {}, j, rho, describe(rho, "")});
    }
    if (defined > 1 && sum / defined < kLowCorrelation) {
      out.push_back({Kind::low_correlation, k, {}, {}, {}, 0, sum / defined, describe(sum / defined, ", mean over variables")});
    }
  }
}

}  // namespace arb::results
