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
// year is one data line (a mask within one calendar year); none for the
// other series.  Two passes over the lines, however many series there are,
// into one block, which goes back to the system whole when freed.
class LinesBySeries {
 public:
  explicit LinesBySeries(const Run& r) : spans_(r.spans), start_(static_cast<std::size_t>(r.nseries) + 1, 0) {
    auto known = [&](const DataLine& d) { return d.series >= 1 && d.series <= r.nseries; };
    r.log.each_line([&](const DataLine& d) {
      if (known(d)) ++start_[static_cast<std::size_t>(d.series)];
    });
    for (std::size_t k = 1; k < start_.size(); ++k) start_[k] += start_[k - 1];
    lines_.resize(start_.back());
    std::vector<std::size_t> next(start_.begin(), start_.end() - 1);
    r.log.each_line([&](const DataLine& d) {
      if (known(d)) lines_[next[static_cast<std::size_t>(d.series - 1)]++] = d.line;
    });
  }
  // Series k's lines, or none when they are not one a climatic year.
  std::span<const std::int64_t> operator[](int k) const {
    const std::span<const std::int64_t> lines = of(k);
    const bool one_a_year = static_cast<int>(lines.size()) == spans_[static_cast<std::size_t>(k - 1)].years;
    return one_a_year ? lines : std::span<const std::int64_t>{};
  }

 private:
  std::span<const std::int64_t> of(int k) const {
    const auto k0 = static_cast<std::size_t>(k - 1);
    return {lines_.data() + start_[k0], start_[k0 + 1] - start_[k0]};
  }
  const std::vector<SeriesSpan>& spans_;
  std::vector<std::size_t> start_;  // series k's lines from start_[k - 1] to start_[k]
  std::vector<std::int64_t> lines_;
};

// Values far from the series' own mean over all its years.
void check_outliers(const Run& r, int k, std::span<const std::int64_t> lines, std::vector<Finding>& out) {
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

// Each series is checked on its own, on the run's team when there is
// enough to share; the findings by series.  The lines and totals the
// checks share are gone on return, before the findings are sorted.
std::vector<std::vector<Finding>> series_findings(const Run& r) {
  const LinesBySeries lines(r);
  const CorrelationTotals totals(r);
  std::vector<std::vector<Finding>> of(static_cast<std::size_t>(r.nseries));
  const int team = omp_team();
  const bool large = static_cast<long>(r.nseries) * r.nvars * r.years() >= kTeamValues;
#pragma omp parallel for schedule(dynamic, 16) num_threads(team) if (team > 1 && large)
  for (int k = 1; k <= r.nseries; ++k) {
    std::vector<Finding>& found = of[static_cast<std::size_t>(k - 1)];
    check_statistics(r, k, found);
    if (r.spans[static_cast<std::size_t>(k - 1)].years > 0) check_outliers(r, k, lines[k], found);
    totals.check(r, k, found);
  }
  return of;
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
  std::vector<std::vector<Finding>> of = series_findings(r);
  std::size_t total = out.size();
  for (const std::vector<Finding>& found : of) total += found.size();
  out.reserve(total);
  for (std::vector<Finding>& found : of) {
    std::move(found.begin(), found.end(), std::back_inserter(out));
    std::vector<Finding>().swap(found);  // held once, not twice, on the way
  }
  std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.series < b.series;
  });
  return out;
}

}  // namespace arb::results
