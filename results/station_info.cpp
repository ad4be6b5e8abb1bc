// SPDX-License-Identifier: GPL-3.0-or-later
#include "station_info.h"

#include <charconv>
#include <cmath>

#include "station_table.h"

namespace arb::results {

namespace {

// A coordinate as the table writes it; nothing for an empty or unreadable
// field, so that a bad cell leaves the position unknown rather than wrong.
std::optional<double> coordinate(const std::string& text) {
  double value = 0;
  const char* end = text.data() + text.size();
  const auto [ptr, ec] = std::from_chars(text.data(), end, value);
  if (text.empty() || ec != std::errc{} || ptr != end || !std::isfinite(value)) return std::nullopt;
  return value;
}

}  // namespace

std::vector<NetcdfStation> netcdf_stations(const Run& r) {
  const std::vector<StationInfo> table = station_table(r.data_file, r.titles);
  std::vector<NetcdfStation> stations;
  stations.reserve(r.titles.size());
  for (std::size_t k = 0; k < r.titles.size(); ++k) {
    NetcdfStation s;
    s.name = r.titles[k];
    if (table.empty()) {
      s.id = std::to_string(k + 1);
    } else {
      s.id = table[k].id;
      s.latitude = coordinate(table[k].latitude);
      s.longitude = coordinate(table[k].longitude);
      s.elevation = coordinate(table[k].elevation);
    }
    stations.push_back(std::move(s));
  }
  return stations;
}

}  // namespace arb::results
