// SPDX-License-Identifier: GPL-3.0-or-later
#include "selection.h"

#include "station.h"
#include "text.h"

#include <algorithm>

namespace arb::import {

namespace {

constexpr std::size_t kMostStations = 8999;
constexpr int kLongestSpan = 500;

bool row_has_value(const YearRow& r) { return std::any_of(r.value.begin(), r.value.end(), has_value); }

bool inside(const Box& b, double lat, double lon) {
  if (lat < b.south || lat > b.north) return false;
  // A box whose west edge lies east of its east edge crosses 180 degrees.
  return b.west <= b.east ? lon >= b.west && lon <= b.east : lon >= b.west || lon <= b.east;
}

void cut_years(Station& s, const std::optional<std::pair<int, int>>& years) {
  auto& y = s.years;
  if (years) {
    y.erase(y.begin(), y.lower_bound(years->first));
    y.erase(y.upper_bound(years->second), y.end());
  }
  while (!y.empty() && !row_has_value(y.begin()->second)) y.erase(y.begin());
  while (!y.empty() && !row_has_value(std::prev(y.end())->second)) y.erase(std::prev(y.end()));
}

}  // namespace

int years_with_values(const Station& s) {
  return static_cast<int>(std::count_if(s.years.begin(), s.years.end(),
                                        [](const auto& y) { return row_has_value(y.second); }));
}

bool Selection::admits(const Station& s) const {
  if (!o_.ids.empty() && !o_.ids.count(s.id)) return false;
  if (!o_.country.empty() && lower(s.country) != lower(o_.country)) return false;
  if (o_.box && (!s.latitude || !s.longitude || !inside(*o_.box, *s.latitude, *s.longitude))) return false;
  return true;
}

void Selection::finish(std::vector<Station>& stations) const {
  for (Station& s : stations) cut_years(s, o_.years);
  const int least = std::max(1, o_.min_years);
  std::erase_if(stations, [&](const Station& s) { return years_with_values(s) < least; });
  if (stations.empty()) {
    throw SelectionError("the selection keeps no station with a value" +
                         std::string(o_.min_years > 1 ? " in " + std::to_string(o_.min_years) + " years or more" : ""));
  }
  if (stations.size() > kMostStations) {
    throw SelectionError(std::to_string(stations.size()) + " stations selected, but one run holds at most " +
                         std::to_string(kMostStations) +
                         ": narrow the selection with --country, --box, --ids or --min-years");
  }
  for (const Station& s : stations) {
    const int span = s.years.rbegin()->first - s.years.begin()->first + 1;
    if (span > kLongestSpan) {
      throw SelectionError("station " + s.id + " spans " + std::to_string(span) + " years (" +
                           std::to_string(s.years.begin()->first) + "-" + std::to_string(s.years.rbegin()->first) +
                           "), but a series holds at most " + std::to_string(kLongestSpan) +
                           ": choose the years with --years FIRST-LAST");
    }
  }
}

}  // namespace arb::import
