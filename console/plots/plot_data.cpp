// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_data.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <stdexcept>
#include <string_view>

#include "csv_reader.h"
#include "station_table.h"

namespace arb::plots {

RecordData record_data(const results::Run& r) {
  RecordData d;
  d.names = r.names;
  d.common_start = r.coverage.start;
  d.common_end = r.coverage.end;
  d.values.assign(static_cast<std::size_t>(r.nvars), {});
  d.depth.assign(static_cast<std::size_t>(r.nvars), {});
  for (int y = r.first_year(); y < r.first_year() + r.years(); ++y) {
    d.years.push_back(y);
    for (int j = 1; j <= r.nvars; ++j) {
      const float v = r.average(y, j);
      d.values[static_cast<std::size_t>(j - 1)].push_back(v == r.flag || !std::isfinite(v) ? NAN : v);
      d.depth[static_cast<std::size_t>(j - 1)].push_back(r.sample_depth(y, j));
    }
  }
  return d;
}

namespace {

// A station's name where it has one, else the series' title.
std::string label(std::string_view name, std::string_view title) { return std::string(name.empty() ? title : name); }

}  // namespace

CoverageData coverage_data(const results::Run& r) {
  const std::vector<results::StationInfo> stations = results::station_table(r.data_file, r.titles);
  CoverageData d;
  d.common_start = r.coverage.start;
  d.common_end = r.coverage.end;
  for (int k = 1; k <= r.nseries; ++k) {
    const results::SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
    const std::string& title = r.titles[static_cast<std::size_t>(k - 1)];
    CoverageData::Series series{stations.empty() ? title : label(stations[static_cast<std::size_t>(k - 1)].name, title),
                                s.first, s.last, {}};
    if (s.years <= 0) series.last = series.first - 1;  // no climatic year: no bar
    for (int y = s.first; s.years > 0 && y <= s.last; ++y) {
      for (int j = 1; j <= r.nvars; ++j) {
        if (r.value(y, j, k) == r.flag) {
          series.missing.push_back(y);
          break;
        }
      }
    }
    d.series.push_back(std::move(series));
  }
  return d;
}

namespace {

using Header = std::vector<std::string>;
using Row = std::vector<std::string_view>;

// A file of the export read row by row: every row as wide as the header,
// each handed to the function, which throws on a field it cannot read.
// The rows are views, valid until the next: series.csv has millions.
template <class Each>
bool each_row(const std::string& dir, const char* name, std::string& error, Each each) {
  const std::string path = dir + "/" + name;
  results::CsvReader in(path);
  Header header;
  Row row;
  if (!in.is_open() || !in.next(header)) {
    error = path + ": cannot be read";
    return false;
  }
  try {
    while (in.next(row)) {
      if (row.size() != header.size()) {
        error = path + ": rows of different widths";
        return false;
      }
      each(header, row);
    }
  } catch (const std::exception&) {
    error = path + ": does not read as numbers";
    return false;
  }
  return true;
}

int whole(std::string_view s) {
  int v = 0;
  const auto r = std::from_chars(s.data(), s.data() + s.size(), v);
  if (r.ec != std::errc() || r.ptr != s.data() + s.size()) throw std::invalid_argument(std::string(s));
  return v;
}

double number(std::string_view s) { return s == "NA" ? NAN : std::stod(std::string(s)); }

// The common interval from stations.csv's row "common" (first and last:
// the last columns but two and one).
bool common_interval(const std::string& dir, int& start, int& end, std::string& error) {
  bool found = false;
  const bool read = each_row(dir, "stations.csv", error, [&](const Header& header, const Row& row) {
    if (row[0] != "common") return;
    start = whole(row[header.size() - 3]);
    end = whole(row[header.size() - 2]);
    found = true;
  });
  if (read && !found) error = dir + "/stations.csv: no common interval";
  return read && found;
}

// A table of years (average.csv, sample_depth.csv): a column per variable.
bool year_table(const std::string& dir, const char* name, std::vector<std::string>& names,
                std::vector<double>& years, std::vector<std::vector<double>>& columns, std::string& error) {
  return each_row(dir, name, error, [&](const Header& header, const Row& row) {
    if (columns.empty()) {
      names.assign(header.begin() + 1, header.end());
      columns.assign(names.size(), {});
    }
    years.push_back(whole(row[0]));
    for (std::size_t j = 0; j < names.size(); ++j) columns[j].push_back(number(row[j + 1]));
  });
}

}  // namespace

std::optional<RecordData> record_data(const std::string& dir, std::string& error) {
  RecordData d;
  std::vector<std::string> names;
  std::vector<double> years;
  if (!year_table(dir, "average.csv", d.names, d.years, d.values, error) ||
      !year_table(dir, "sample_depth.csv", names, years, d.depth, error) ||
      !common_interval(dir, d.common_start, d.common_end, error))
    return std::nullopt;
  if (names != d.names || years != d.years) {
    error = dir + ": average.csv and sample_depth.csv differ in their years or variables";
    return std::nullopt;
  }
  return d;
}

// The series from stations.csv (named by the name column where an export
// has one), then the years with a missing value from series.csv, read a row
// at a time: the memory taken is that of the plot.
std::optional<CoverageData> coverage_data(const std::string& dir, std::string& error) {
  CoverageData d;
  bool common = false;
  std::optional<std::size_t> name_at;  // the header's width when it has no name column
  const bool stations = each_row(dir, "stations.csv", error, [&](const Header& header, const Row& row) {
    if (!name_at) name_at = static_cast<std::size_t>(std::find(header.begin(), header.end(), "name") - header.begin());
    const int first = whole(row[header.size() - 3]), last = whole(row[header.size() - 2]);
    if (row[0] == "common") {
      d.common_start = first;
      d.common_end = last;
      common = true;
    } else if (row[0] != "maximum") {
      if (whole(row[0]) != static_cast<int>(d.series.size()) + 1) throw std::invalid_argument(std::string(row[0]));
      const bool any = whole(row[header.size() - 1]) > 0;
      const std::string title = *name_at < row.size() ? label(row[*name_at], row[1]) : std::string(row[1]);
      d.series.push_back({title, first, any ? last : first - 1, {}});  // no climatic year: no bar
    }
  });
  if (!stations) return std::nullopt;
  if (!common) {
    error = dir + "/stations.csv: no common interval";
    return std::nullopt;
  }
  const bool series = each_row(dir, "series.csv", error, [&](const Header&, const Row& row) {
    const int k = whole(row[0]);
    if (k < 1 || k > static_cast<int>(d.series.size())) throw std::out_of_range(std::string(row[0]));
    if (std::find(row.begin() + 2, row.end(), "NA") != row.end())
      d.series[static_cast<std::size_t>(k - 1)].missing.push_back(whole(row[1]));
  });
  if (!series) return std::nullopt;
  return d;
}

}  // namespace arb::plots
