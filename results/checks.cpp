// SPDX-License-Identifier: GPL-3.0-or-later
#include "checks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

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

// Mean and SD (n - 1) of variable j of series k over the years, in double.
Moments moments(const Run& r, int k, int j, int from, int to) {
  Moments m;
  double sum = 0.0, squares = 0.0;
  for (int y = from; y <= to; ++y) {
    const float v = r.value(y, j, k);
    if (v == r.flag) continue;
    ++m.n;
    sum += v;
  }
  if (m.n == 0) return m;
  m.mean = sum / m.n;
  for (int y = from; y <= to; ++y) {
    const float v = r.value(y, j, k);
    if (v != r.flag) squares += (v - m.mean) * (v - m.mean);
  }
  m.sd = m.n > 1 ? std::sqrt(squares / (m.n - 1)) : 0.0;
  return m;
}

void check_statistics(const Run& r, std::vector<Finding>& out) {
  const Coverage& c = r.coverage;
  for (int k = 1; k <= r.nseries; ++k) {
    int values = 0;
    for (int j = 1; j <= r.nvars; ++j) values += moments(r, k, j, c.start, c.end).n;
    if (values == 0) {
      out.push_back({Kind::no_common_values, k, {}, {}, {}, 0, {},
                     "no value in the common interval " + std::to_string(c.start) + "-" + std::to_string(c.end)});
      continue;
    }
    for (int j = 1; j <= r.nvars; ++j) {
      const float mean = r.store->mean(k, j), sd = r.store->sd(k, j);
      const int n = moments(r, k, j, c.start, c.end).n;
      if (!std::isfinite(mean) || !std::isfinite(sd)) {
        out.push_back({Kind::undefined_statistics, k, {}, {}, {}, j, {},
                       std::to_string(n) + " value(s) in the common interval"});
      } else if (sd == 0.0f) {
        out.push_back({Kind::zero_sd, k, {}, {}, {}, j, sd, "every value in the common interval is the same"});
      }
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
void check_outliers(const Run& r, std::vector<Finding>& out) {
  const std::vector<std::vector<std::int64_t>> lines_of = lines_by_series(r);
  for (int k = 1; k <= r.nseries; ++k) {
    const SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
    if (s.years <= 0) continue;
    const std::vector<std::int64_t>& lines = lines_of[static_cast<std::size_t>(k - 1)];
    for (int j = 1; j <= r.nvars; ++j) {
      const Moments m = moments(r, k, j, s.first, s.last);
      if (m.n < 3 || !(m.sd > 0.0)) continue;
      for (int y = s.first; y <= s.last; ++y) {
        const float v = r.value(y, j, k);
        const double z = (v - m.mean) / m.sd;
        if (v == r.flag || std::fabs(z) <= kOutlierSds) continue;
        char detail[96];
        std::snprintf(detail, sizeof detail, "%.1f standard deviations from the series' mean %.3f", z, m.mean);
        Finding f{Kind::outlier, k, {}, y, {}, j, v, detail};
        if (!lines.empty()) f.line = lines[static_cast<std::size_t>(y - s.first)];
        out.push_back(f);
      }
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

void check_correlations(const Run& r, std::vector<Finding>& out);  // correlation.cpp

std::vector<Finding> check_years(const Run& r) {
  std::vector<Finding> out;
  year_findings(r, out);
  return out;
}

std::vector<Finding> check_run(const Run& r) {
  std::vector<Finding> out;
  year_findings(r, out);
  check_statistics(r, out);
  check_outliers(r, out);
  check_correlations(r, out);
  std::stable_sort(out.begin(), out.end(), [](const Finding& a, const Finding& b) {
    return a.kind != b.kind ? a.kind < b.kind : a.series < b.series;
  });
  return out;
}

}  // namespace arb::results
