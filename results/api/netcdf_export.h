// SPDX-License-Identifier: GPL-3.0-or-later
// arborix.nc: the run as a NetCDF-4 file after the CF conventions (1.8) for
// station time series (featureType timeSeries, the orthogonal
// multidimensional representation): per climate variable NAME
//   NAME(time, station)          every series' values
//   NAME_average(time)           the averaged record
//   NAME_sample_depth(time)      the series behind each average
//   NAME_mean(station), NAME_sd(station)   over the common interval
// with the station's id and name, the years and their bounds, and the
// run's settings as global attributes.  Compressed (deflate 1).
#pragma once

#include <optional>
#include <string>

#include "provenance.h"
#include "run.h"

namespace arb::results {

// Writes dir/arborix.nc through a temporary file renamed into place; the
// failure's message (path and the library's text), if any.
std::optional<std::string> write_netcdf(const Run& r, const Provenance& p, const std::string& dir);

}  // namespace arb::results
