// SPDX-License-Identifier: GPL-3.0-or-later
// The station metadata the importer writes beside a data file it makes
// (the data file's name + ".stations.csv"), taken for the export's
// stations.csv when it is the table of the run's series.
#pragma once

#include <string>
#include <vector>

namespace arb::results {

struct StationInfo {
  std::string id, name, latitude, longitude, elevation;  // as written in the table
};

// One entry per series when the table beside the data file matches the
// run: a row per series, in order, each with an ID that the series' title
// holds (the importer writes the ID into the title).  Empty otherwise: no
// table, another file's table, or one the data file was edited away from.
std::vector<StationInfo> station_table(const std::string& data_file, const std::vector<std::string>& titles);

}  // namespace arb::results
