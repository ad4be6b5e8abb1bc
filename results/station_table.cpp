// SPDX-License-Identifier: GPL-3.0-or-later
#include "station_table.h"

#include <algorithm>
#include <array>
#include <cstddef>

#include "csv_reader.h"

namespace arb::results {

namespace {

constexpr std::array<const char*, 5> kColumns = {"id", "name", "latitude", "longitude", "elevation"};

// Where each of kColumns stands in the header; false when one is missing.
bool find_columns(const std::vector<std::string>& header, std::array<std::size_t, kColumns.size()>& at) {
  for (std::size_t i = 0; i < kColumns.size(); ++i) {
    const auto found = std::find(header.begin(), header.end(), kColumns[i]);
    if (found == header.end()) return false;
    at[i] = static_cast<std::size_t>(found - header.begin());
  }
  return true;
}

}  // namespace

std::vector<StationInfo> station_table(const std::string& data_file, const std::vector<std::string>& titles) {
  if (data_file.empty()) return {};
  CsvReader in(data_file + ".stations.csv");
  std::vector<std::string> row;
  std::array<std::size_t, kColumns.size()> at{};
  if (!in.is_open() || !in.next(row) || !find_columns(row, at)) return {};
  const std::size_t width = row.size();
  std::vector<StationInfo> table;
  while (in.next(row)) {
    const std::size_t k = table.size();
    if (row.size() != width || k >= titles.size()) return {};
    StationInfo s{row[at[0]], row[at[1]], row[at[2]], row[at[3]], row[at[4]]};
    if (s.id.empty() || titles[k].find(s.id) == std::string::npos) return {};
    table.push_back(std::move(s));
  }
  if (table.size() != titles.size()) return {};
  return table;
}

}  // namespace arb::results
