// SPDX-License-Identifier: GPL-3.0-or-later
#include "correlation.h"

#include <cmath>
#include <cstdio>

namespace arb::results {

CorrelationTotals::CorrelationTotals(const Run& r) : wanted_(r.nseries >= 2 && r.coverage.interval >= 3) {
  if (!wanted_) return;
  const Coverage& c = r.coverage;
  const auto years = static_cast<std::size_t>(c.interval);
  for (int j = 1; j <= r.nvars; ++j) {
    Totals t{std::vector<double>(years, 0.0), std::vector<int>(years, 0)};
    for (int k = 1; k <= r.nseries; ++k) {
      const std::span<const float> values = r.values(k, j, c.start, c.end);
      const auto at = static_cast<std::size_t>(r.first_value_year(k, c.start) - c.start);
      for (std::size_t i = 0; i < values.size(); ++i) {
        if (values[i] == r.flag) continue;
        t.sum[at + i] += values[i];
        ++t.count[at + i];
      }
    }
    totals_.push_back(std::move(t));
  }
}

// Pearson's r of series k with the mean of the others; NaN with fewer
// than three shared years or no variation.
double CorrelationTotals::correlation(const Run& r, int k, int j) const {
  const Coverage& c = r.coverage;
  const Totals& t = totals_[static_cast<std::size_t>(j - 1)];
  const std::span<const float> values = r.values(k, j, c.start, c.end);
  const auto at = static_cast<std::size_t>(r.first_value_year(k, c.start) - c.start);
  double n = 0, sx = 0, sy = 0, sxx = 0, syy = 0, sxy = 0;
  for (std::size_t v_at = 0; v_at < values.size(); ++v_at) {
    const float v = values[v_at];
    const std::size_t i = at + v_at;
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

namespace {

std::string describe(double rho, const char* what) {
  char text[96];
  std::snprintf(text, sizeof text, "r = %.3f with the average of the other series%s", rho, what);
  return text;
}

}  // namespace

void CorrelationTotals::check(const Run& r, int k, std::vector<Finding>& out) const {
  if (!wanted_) return;
  double sum = 0.0;
  int defined = 0;
  for (int j = 1; j <= r.nvars; ++j) {
    const double rho = correlation(r, k, j);
    if (std::isnan(rho)) continue;
    sum += rho;
    ++defined;
    if (rho < kLowCorrelation) out.push_back({Kind::low_correlation, k, {}, {}, {}, j, rho, describe(rho, "")});
  }
  if (defined > 1 && sum / defined < kLowCorrelation) {
    out.push_back({Kind::low_correlation, k, {}, {}, {}, 0, sum / defined, describe(sum / defined, ", mean over variables")});
  }
}

}  // namespace arb::results
