// SPDX-License-Identifier: GPL-3.0-or-later
// What the export knows of the station behind a series: an id, a name and,
// where known, its position.
#pragma once

#include <optional>
#include <string>

#include "run.h"

namespace arb::results {

struct NetcdfStation {
  std::string id;
  std::string name;
  std::optional<double> latitude;   // degrees north
  std::optional<double> longitude;  // degrees east
  std::optional<double> elevation;  // metres
};

// Series k's station.  The data file itself names only the series: the id
// is the series number and the name its title, the position unknown.
NetcdfStation station_info(const Run& r, int k);

}  // namespace arb::results
