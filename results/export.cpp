// SPDX-License-Identifier: GPL-3.0-or-later
#include "export.h"

#include <algorithm>
#include <charconv>
#include <span>

#include "csv.h"
#include "omp_team.h"
#include "station_table.h"

namespace arb::results {

namespace {

// The series formatted together on one thread: big enough to keep the
// team busy, small enough that the texts waiting their turn stay small.
constexpr int kSeriesBlock = 32;

std::string header(const Run& r, const char* lead) {
  std::string h = lead;
  for (const std::string& n : r.names) h += "," + n;
  return h + "\n";
}

// One row per year of the maximum coverage, a cell per variable.
template <class Cell>
Failure year_table(const ExportInput& in, const char* name, Cell cell) {
  const Run& r = in.run;
  OutFile f(in.dir, name);
  f.write(header(r, "year"));
  std::string row;
  for (int y = r.first_year(); y < r.first_year() + r.years(); ++y) {
    row = std::to_string(y);
    for (int j = 1; j <= r.nvars; ++j) {
      row += ',';
      cell(row, y, j);
    }
    row += '\n';
    f.write(row);
  }
  return f.finish();
}

std::string title_field(const Run& r, int k) { return csv_field(r.titles[static_cast<std::size_t>(k - 1)]); }

// The rows of series first to last: a row per year of each one's span,
// each put together in a buffer of the widest row and added whole.
std::string series_rows(const Run& r, int first, int last) {
  std::string t;
  std::vector<char> row(static_cast<std::size_t>(24 + (kNumberRoom + 1) * r.nvars));
  std::vector<std::span<const float>> columns(static_cast<std::size_t>(r.nvars));
  for (int k = first; k <= last; ++k) {
    const SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
    if (s.years <= 0) continue;
    for (int j = 1; j <= r.nvars; ++j) columns[static_cast<std::size_t>(j - 1)] = r.values(k, j, s.first, s.last);
    char* const lead = std::to_chars(row.data(), row.data() + 12, k).ptr;
    *lead = ',';
    for (int y = s.first; y <= s.last; ++y) {
      char* p = std::to_chars(lead + 1, lead + 12, y).ptr;
      for (const std::span<const float>& column : columns) {
        *p++ = ',';
        p = put_value(p, column[static_cast<std::size_t>(y - s.first)], r.flag);
      }
      *p++ = '\n';
      t.append(row.data(), p);
    }
  }
  return t;
}

std::string coverage_row(const char* what, int first, int last, int years) {
  return std::string(what) + ",,,,,,," + std::to_string(first) + "," + std::to_string(last) + "," +
         std::to_string(years) + "\n";
}

}  // namespace

Failure write_average(const ExportInput& in) {
  const Run& r = in.run;
  return year_table(in, "average.csv",
                    [&](std::string& row, int y, int j) { append_value(row, r.average(y, j), r.flag); });
}

Failure write_sample_depth(const ExportInput& in) {
  const Run& r = in.run;
  return year_table(in, "sample_depth.csv",
                    [&](std::string& row, int y, int j) { row += std::to_string(r.sample_depth(y, j)); });
}

// Blocks of series are formatted on the run's team and written in order
// as each block's turn comes.
Failure write_series(const ExportInput& in) {
  const Run& r = in.run;
  OutFile f(in.dir, "series.csv");
  f.write(header(r, "series,year"));
  const int blocks = (r.nseries + kSeriesBlock - 1) / kSeriesBlock;
  const int team = in.threads > 0 ? std::min(in.threads, omp_team()) : omp_team();
  const bool large = static_cast<long>(r.nseries) * r.nvars * r.years() >= kTeamValues;
#pragma omp parallel for ordered schedule(static, 1) num_threads(team) if (team > 1 && large)
  for (int b = 0; b < blocks; ++b) {
    const std::string text = series_rows(r, b * kSeriesBlock + 1, std::min(r.nseries, (b + 1) * kSeriesBlock));
#pragma omp ordered
    f.write(text);
  }
  return f.finish();
}

Failure write_statistics(const ExportInput& in) {
  const Run& r = in.run;
  OutFile f(in.dir, "statistics.csv");
  f.write("series,title,variable,mean,sd\n");
  std::string row;
  // Row nseries + 1 of the tables holds the grand values.
  for (int k = 1; k <= r.nseries + 1; ++k) {
    const std::string lead = k <= r.nseries ? std::to_string(k) + "," + title_field(r, k) : "grand,";
    for (int j = 1; j <= r.nvars; ++j) {
      row = lead + "," + r.names[static_cast<std::size_t>(j - 1)] + ",";
      append_number(row, r.store->mean(k, j));
      row += ',';
      append_number(row, r.store->sd(k, j));
      row += '\n';
      f.write(row);
    }
  }
  return f.finish();
}

Failure write_stations(const ExportInput& in) {
  const Run& r = in.run;
  const std::vector<StationInfo> table = station_table(r.data_file, r.titles);
  OutFile f(in.dir, "stations.csv");
  f.write("series,title,id,name,latitude,longitude,elevation,first,last,years\n");
  for (int k = 1; k <= r.nseries; ++k) {
    const SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
    std::string row = std::to_string(k) + "," + title_field(r, k) + ",";
    if (table.empty()) {
      row += ",,,,";
    } else {
      const StationInfo& st = table[static_cast<std::size_t>(k - 1)];
      row += csv_field(st.id) + "," + csv_field(st.name) + "," + csv_field(st.latitude) + "," +
             csv_field(st.longitude) + "," + csv_field(st.elevation);
    }
    f.write(row + "," + std::to_string(s.first) + "," + std::to_string(s.last) + "," + std::to_string(s.years) +
            "\n");
  }
  const Coverage& c = r.coverage;
  f.write(coverage_row("maximum", c.earliest_first, c.latest_last, c.length));
  f.write(coverage_row("common", c.start, c.end, c.interval));
  return f.finish();
}

Failure write_checks(const ExportInput& in) {
  if (auto failed = write_whole(in.dir, "checks.csv", checks_csv(in.run, in.findings))) return failed;
  return write_whole(in.dir, "checks.txt", checks_text(in.run, in.findings));
}

Failure write_export(const Run& r, const std::vector<Finding>& findings, const std::string& dir, int threads) {
  if (auto failed = make_folder(dir)) return failed;
  const ExportInput in{r, findings, dir, threads};
  if (auto failed = write_average(in)) return failed;
  if (auto failed = write_sample_depth(in)) return failed;
  if (auto failed = write_series(in)) return failed;
  if (auto failed = write_statistics(in)) return failed;
  if (auto failed = write_stations(in)) return failed;
  return write_checks(in);
}

}  // namespace arb::results
