// SPDX-License-Identifier: GPL-3.0-or-later
// What the NetCDF file knows of the station behind each series: an id, a
// name and, where known, its position.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "run.h"

namespace arb::results {

struct NetcdfStation {
  std::string id;
  std::string name;
  std::optional<double> latitude;   // degrees north
  std::optional<double> longitude;  // degrees east
  std::optional<double> elevation;  // metres
};

// One station per series.  The name is the series' title.  The id and the
// position come from the station table beside the data file when it is the
// run's (see station_table.h); otherwise the id is the series number and
// the position unknown.
std::vector<NetcdfStation> netcdf_stations(const Run& r);

}  // namespace arb::results
