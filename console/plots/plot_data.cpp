// SPDX-License-Identifier: GPL-3.0-or-later
#include "plot_data.h"

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

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

CoverageData coverage_data(const results::Run& r) {
  CoverageData d;
  d.common_start = r.coverage.start;
  d.common_end = r.coverage.end;
  for (int k = 1; k <= r.nseries; ++k) {
    const results::SeriesSpan& s = r.spans[static_cast<std::size_t>(k - 1)];
    CoverageData::Series series{r.titles[static_cast<std::size_t>(k - 1)], s.first, s.last, {}};
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

std::optional<std::vector<std::vector<std::string>>> read_csv(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::stringstream buf;
  buf << in.rdbuf();
  const std::string text = buf.str();
  std::vector<std::vector<std::string>> rows;
  std::vector<std::string> row;
  std::string field;
  bool quoted = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quoted) {
      if (c != '"') field += c;
      else if (i + 1 < text.size() && text[i + 1] == '"') field += text[++i];
      else quoted = false;
    } else if (c == '"') {
      quoted = true;
    } else if (c == ',') {
      row.push_back(std::move(field));
      field.clear();
    } else if (c == '\n') {
      row.push_back(std::move(field));
      field.clear();
      rows.push_back(std::move(row));
      row.clear();
    } else if (c != '\r') {
      field += c;
    }
  }
  if (!field.empty() || !row.empty()) {
    row.push_back(std::move(field));
    rows.push_back(std::move(row));
  }
  return rows;
}

namespace {

double number(const std::string& s) { return s == "NA" ? NAN : std::stod(s); }

using Table = std::vector<std::vector<std::string>>;

// A table of the export with its header, every row as wide as the header.
std::optional<Table> table(const std::string& dir, const char* name, std::string& error) {
  auto t = read_csv(dir + "/" + name);
  if (!t || t->empty()) {
    error = dir + "/" + name + ": cannot be read";
    return std::nullopt;
  }
  for (const auto& row : *t) {
    if (row.size() != t->front().size()) {
      error = dir + "/" + name + ": rows of different widths";
      return std::nullopt;
    }
  }
  return t;
}

// The common interval from coverage.csv's row "common".
bool common_interval(const Table& coverage, int& start, int& end) {
  for (const auto& row : coverage) {
    if (row.size() >= 4 && row[0] == "common") {
      start = std::stoi(row[2]);
      end = std::stoi(row[3]);
      return true;
    }
  }
  return false;
}

}  // namespace

std::optional<RecordData> record_data(const std::string& dir, std::string& error) {
  auto avg = table(dir, "average.csv", error);
  auto depth = avg ? table(dir, "sample_depth.csv", error) : std::nullopt;
  auto cov = depth ? table(dir, "coverage.csv", error) : std::nullopt;
  if (!cov) return std::nullopt;
  RecordData d;
  try {
    d.names.assign(avg->front().begin() + 1, avg->front().end());
    d.values.assign(d.names.size(), {});
    d.depth.assign(d.names.size(), {});
    for (std::size_t i = 1; i < avg->size() && i < depth->size(); ++i) {
      d.years.push_back(std::stoi((*avg)[i][0]));
      for (std::size_t j = 0; j < d.names.size(); ++j) {
        d.values[j].push_back(number((*avg)[i][j + 1]));
        d.depth[j].push_back(number((*depth)[i][j + 1]));
      }
    }
    if (!common_interval(*cov, d.common_start, d.common_end)) throw std::invalid_argument("no common interval");
  } catch (const std::exception&) {
    error = dir + ": the export's files do not read as numbers";
    return std::nullopt;
  }
  return d;
}

std::optional<CoverageData> coverage_data(const std::string& dir, std::string& error) {
  auto cov = table(dir, "coverage.csv", error);
  auto series = cov ? table(dir, "series.csv", error) : std::nullopt;
  if (!series) return std::nullopt;
  CoverageData d;
  try {
    std::map<std::string, std::set<double>> missing;  // by series number
    for (std::size_t i = 1; i < series->size(); ++i) {
      const auto& row = (*series)[i];
      if (row[4] == "NA") missing[row[0]].insert(std::stoi(row[2]));
    }
    for (std::size_t i = 1; i < cov->size(); ++i) {
      const auto& row = (*cov)[i];
      if (row[0] == "maximum" || row[0] == "common") continue;
      CoverageData::Series s{row[1], std::stoi(row[2]), std::stoi(row[3]), {}};
      if (std::stoi(row[4]) <= 0) s.last = s.first - 1;
      s.missing.assign(missing[row[0]].begin(), missing[row[0]].end());
      d.series.push_back(std::move(s));
    }
    if (!common_interval(*cov, d.common_start, d.common_end)) throw std::invalid_argument("no common interval");
  } catch (const std::exception&) {
    error = dir + ": the export's files do not read as numbers";
    return std::nullopt;
  }
  return d;
}

}  // namespace arb::plots
