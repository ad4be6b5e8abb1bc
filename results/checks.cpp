// SPDX-License-Identifier: GPL-3.0-or-later
#include "checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

#include "correlation.h"
#include "omp_team.h"

namespace arb::results {

namespace {

std::string_view sequence_detail(int year, int previous) {
  if (year == previous) return "repeated year";
  if (year > previous + 1) return "skipped year";
  if (year < previous) return "year out of order";
  return kShifted;
}

// The reader takes each data line as the year after the one before it.
void year_findings(const Run& r, std::vector<Finding>& out) {
  int series = -1;
  int first = 0, index = 0, previous = 0;
  r.log.each_line([&](const DataLine& d) {
    if (d.series != series) {
      series = d.series;
      first = d.year;
      index = 0;
    }
    const int assigned = first + index++;
    if (d.year != assigned) {
      out.push_back({Kind::year_sequence, d.series, d.line, assigned, d.year, 0, std::nullopt,
                     std::string(sequence_detail(d.year, previous))});
    }
    previous = d.year;
  });
}

struct Moments {
  int n = 0;
  double mean = 0.0, sd = 0.0;
};

// The values that are not the flag: their count, mean and SD (n - 1), in double.
Moments moments(std::span<const float> values, float flag) {
  Moments m;
  double sum = 0.0, squares = 0.0;
  for (float v : values) {
    if (v == flag) continue;
    ++m.n;
    sum += v;
  }
  if (m.n == 0) return m;
  m.mean = sum / m.n;
  for (float v : values) {
    if (v != flag) squares += (v - m.mean) * (v - m.mean);
  }
  m.sd = m.n > 1 ? std::sqrt(squares / (m.n - 1)) : 0.0;
  return m;
}

int count_values(std::span<const float> values, float flag) {
  return static_cast<int>(std::count_if(values.begin(), values.end(), [flag](float v) { return v != flag; }));
}

void check_statistics(const Run& r, int k, std::vector<Finding>& out) {
  const Coverage& c = r.coverage;
  std::vector<int> counts;
  for (int j = 1; j <= r.nvars; ++j) counts.push_back(count_values(r.values(k, j, c.start, c.end), r.flag));
  if (std::all_of(counts.begin(), counts.end(), [](int n) { return n == 0; })) {
    out.push_back({Kind::no_common_values, k, {}, {}, {}, 0, {},
                   "no value in the common interval " + std::to_string(c.start) + "-" + std::to_string(c.end)});
    return;
  }
  for (int j = 1; j <= r.nvars; ++j) {
    const float mean = r.store->mean(k, j), sd = r.store->sd(k, j);
    const int n = counts[static_cast<std::size_t>(j - 1)];
    if (!std::isfinite(mean) || !std::isfinite(sd)) {
      out.push_back({Kind::undefined_statistics, k, {}, {}, {}, j, {},
                     std::to_string(n) + " value(s) in the common interval"});
    } else if (sd == 0.0f) {
      out.push_back({Kind::zero_sd, k, {}, {}, {}, j, sd, "every value in the common interval is the same"});
    }
  }
}

// The data line of each climatic year of every series where each climatic
// year is one data line (a mask within one calendar year); empty for the
// other series.  One pass over the lines, however many series there are.
std::vector<std::vector<std::int64_t>> lines_by_series(const Run& r) {
  std::vector<std::vector<std::int64_t>> lines(static_cast<std::size_t>(r.nseries));
  r.log.each_line([&](const DataLine& d) {
    if (d.series >= 1 && d.series <= r.nseries) lines[static_cast<std::size_t>(d.series - 1)].push_back(d.line);
  });
  for (int k = 1; k <= r.nseries; ++k) {
    auto& l = lines[static_cast<std::size_t>(k - 1)];
    if (static_cast<int>(l.size()) != r.spans[static_cast<std::size_t>(k - 1)].years) l.clear();
  }
  return lines;
}

// Values far from the series' own mean over all its years.
void check_outliers(const Run& r, int k, const std::vector<std::int64_t>& lines, std::vector<Finding>& out) {
  const SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
  for (int j = 1; j <= r.nvars; ++j) {
    const std::span<const float> values = r.values(k, j, s.first, s.last);
    const Moments m = moments(values, r.flag);
    if (m.n < 3 || !(m.sd > 0.0)) continue;
    const double surely_near = (kOutlierSds - 0.01) * m.sd;  // spares the division for almost every value
    for (std::size_t i = 0; i < values.size(); ++i) {
      const float v = values[i];
      if (v == r.flag || std::fabs(v - m.mean) <= surely_near) continue;
      const double z = (v - m.mean) / m.sd;
      if (std::fabs(z) <= kOutlierSds) continue;
      char detail[96];
      std::snprintf(detail, sizeof detail, "%.1f standard deviations from the series' mean %.3f", z, m.mean);
      Finding f{Kind::outlier, k, {}, s.first + static_cast<int>(i), {}, j, v, detail};
      if (!lines.empty()) f.line = lines[i];
      out.push_back(f);
    }
  }
}

}  // namespace

std::string_view kind_name(Kind k) {
  switch (k) {
    case Kind::year_sequence: return "year_sequence";
    case Kind::undefined_statistics: return "undefined_statistics";
    case Kind::zero_sd: return "zero_sd";
    case Kind::no_common_values: return "no_common_values";
    case Kind::outlier: return "outlier";
    case Kind::low_correlation: return "low_correlation";
  }
  return "";
}

std::vector<Finding> check_years(const Run& r) {
  std::vector<Finding> out;
  year_findings(r, out);
  return out;
}

std::vector<Finding> check_run(const Run& r) {
  std::vector<Finding> out;
  year_findings(r, out);
  const std::vector<std::vector<std::int64_t>> lines = lines_by_series(r);
  const CorrelationTotals totals(r);
  // Each series is checked on its own, on the run's team when there is
  // enough to share; the findings are gathered in series order.
  std::vector<std::vector<Finding>> of(static_cast<std::size_t>(r.nseries));
  const int team = omp_team();
  const bool large = static_cast<long>(r.nseries) * r.nvars * r.years() >= kTeamValues;
#pragma omp parallel for schedule(dynamic, 16) num_threads(team) if (team > 1 && large)
  for (int k = 1; k <= r.nseries; ++k) {
    std::vector<Finding>& found = of[static_cast<std::size_t>(k - 1)];
    check_statistics(r, k, found);
    if (r.spans[static_cast<std::size_t>(k - 1)].years > 0) check_outliers(r, k, lines[static_cast<std::size_t>(k - 1)], found);
    totals.check(r, k, found);
  }
  for (std::vector<Finding>& found : of) std::move(found.begin(), found.end(), std::back_inserter(out));
  std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.series < b.series;
  });
  return out;
}

}  // namespace arb::results
