// SPDX-License-Identifier: GPL-3.0-or-later
#include "export.h"

#include <utility>

#include "csv.h"

namespace arb::results {

namespace {

std::string header(const Run& r) {
  std::string h = "year";
  for (const std::string& n : r.names) h += "," + n;
  return h + "\n";
}

// One row per year of the maximum coverage, a cell per variable.
template <class Cell>
std::string year_table(const Run& r, Cell cell) {
  std::string t = header(r);
  for (int y = r.first_year(); y < r.first_year() + r.years(); ++y) {
    t += std::to_string(y);
    for (int j = 1; j <= r.nvars; ++j) t += "," + cell(y, j);
    t += "\n";
  }
  return t;
}

const std::string& title_field(const Run& r, int k, std::string& buf) {
  buf = csv_field(r.titles[static_cast<std::size_t>(k - 1)]);
  return buf;
}

}  // namespace

std::string average_csv(const Run& r) {
  return year_table(r, [&](int y, int j) { return csv_value(r.average(y, j), r.flag); });
}

std::string sample_depth_csv(const Run& r) {
  return year_table(r, [&](int y, int j) { return std::to_string(r.sample_depth(y, j)); });
}

std::string series_csv(const Run& r) {
  std::string t = "series,title,year,variable,value\n";
  std::string title;
  for (int k = 1; k <= r.nseries; ++k) {
    const SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
    if (s.years <= 0) continue;
    const std::string lead = std::to_string(k) + "," + title_field(r, k, title) + ",";
    for (int y = s.first; y <= s.last; ++y) {
      for (int j = 1; j <= r.nvars; ++j) {
        t += lead + std::to_string(y) + "," + r.names[static_cast<std::size_t>(j - 1)] + "," +
             csv_value(r.value(y, j, k), r.flag) + "\n";
      }
    }
  }
  return t;
}

std::string statistics_csv(const Run& r) {
  std::string t = "series,title,variable,mean,sd\n";
  std::string title;
  // Row nseries + 1 of the tables holds the grand values.
  for (int k = 1; k <= r.nseries + 1; ++k) {
    const std::string lead = k <= r.nseries ? std::to_string(k) + "," + title_field(r, k, title) : "grand,";
    for (int j = 1; j <= r.nvars; ++j) {
      t += lead + "," + r.names[static_cast<std::size_t>(j - 1)] + "," + csv_number(r.store->mean(k, j)) + "," +
           csv_number(r.store->sd(k, j)) + "\n";
    }
  }
  return t;
}

std::string coverage_csv(const Run& r) {
  std::string t = "series,title,first,last,years\n";
  std::string title;
  for (int k = 1; k <= r.nseries; ++k) {
    const SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
    t += std::to_string(k) + "," + title_field(r, k, title) + "," + std::to_string(s.first) + "," +
         std::to_string(s.last) + "," + std::to_string(s.years) + "\n";
  }
  const Coverage& c = r.coverage;
  t += "maximum,," + std::to_string(c.earliest_first) + "," + std::to_string(c.latest_last) + "," +
       std::to_string(c.length) + "\n";
  t += "common,," + std::to_string(c.start) + "," + std::to_string(c.end) + "," + std::to_string(c.interval) + "\n";
  return t;
}

std::optional<std::string> write_export(const Run& r, const std::vector<Finding>& findings, const std::string& dir) {
  if (auto failed = make_folder(dir)) return failed;
  const std::pair<const char*, std::string> files[] = {
      {"average.csv", average_csv(r)},       {"sample_depth.csv", sample_depth_csv(r)},
      {"series.csv", series_csv(r)},         {"statistics.csv", statistics_csv(r)},
      {"coverage.csv", coverage_csv(r)},     {"checks.csv", checks_csv(r, findings)},
      {"checks.txt", checks_text(r, findings)},
  };
  for (const auto& [name, text] : files) {
    if (auto failed = write_whole(dir, name, text)) return failed;
  }
  return std::nullopt;
}

}  // namespace arb::results
