// SPDX-License-Identifier: GPL-3.0-or-later
// The results of a run, read from the series store once the averaged
// record is written: what the export, the data check and the plots show.
#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "coverage.h"
#include "driver.h"
#include "read_log.h"
#include "statistics.h"
#include "store.h"

namespace arb::results {

struct SeriesSpan {
  int first = 0;
  int last = 0;
  int years = 0;  // 0 or less: the series has no climatic year
};

struct Run {
  const SeriesStore* store = nullptr;
  Coverage coverage;
  Method method = Method::straight;
  int nseries = 0;
  int nvars = 0;
  float flag = 0.0f;
  std::vector<std::string> names;    // one per climate variable
  std::vector<std::string> titles;   // series k's at k - 1, trailing blanks dropped
  std::vector<SeriesSpan> spans;     // series k's at k - 1
  std::vector<float> record;         // year slot i's variable j at (i - 1) * nvars + j - 1
  std::vector<std::int32_t> depth;   // the series behind each average, laid out as record
  ReadLog log;                       // the data lines as read
  std::string data_file;             // the names as opened
  std::string output_file;

  int first_year() const { return coverage.earliest_first; }
  int years() const { return coverage.length; }
  float average(int year, int j) const { return record[index(year, j)]; }
  std::int32_t sample_depth(int year, int j) const { return depth[index(year, j)]; }
  // Variable j of series k in the year; the flag outside the series' span.
  float value(int year, int j, int k) const {
    return covers(k, year) ? store->value(year - first_year() + 1, j, k) : flag;
  }
  // Variable j of series k over the years from..to that the series covers,
  // straight from the store: the first value is that of year max(from, first).
  std::span<const float> values(int k, int j, int from, int to) const {
    const SeriesSpan& s = spans[static_cast<std::size_t>(k - 1)];
    from = first_value_year(k, from);
    to = std::min(to, s.last);
    if (s.years <= 0 || from > to) return {};
    return {store->column(j, k) + (from - first_year()), static_cast<std::size_t>(to - from + 1)};
  }
  // The year of the first value that values(k, j, from, to) holds.
  int first_value_year(int k, int from) const { return std::max(from, spans[static_cast<std::size_t>(k - 1)].first); }
  bool covers(int k, int year) const {
    const SeriesSpan& s = spans[static_cast<std::size_t>(k - 1)];
    return s.years > 0 && year >= s.first && year <= s.last;
  }

 private:
  std::size_t index(int year, int j) const {
    return static_cast<std::size_t>(year - first_year()) * static_cast<std::size_t>(nvars) +
           static_cast<std::size_t>(j - 1);
  }
};

// The results of the run that has just written its averaged record.
Run make_run(const RunResults& results);

}  // namespace arb::results
