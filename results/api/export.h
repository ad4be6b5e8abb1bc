// SPDX-License-Identifier: GPL-3.0-or-later
// The export folder of a run: the averaged record, its sample depth, every
// series, the statistics, the stations and the data check, as CSV files
// that R and Python read as they stand.  Each file is written as it is
// produced, so that no file is ever held whole in memory.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "run.h"

namespace arb::results {

// What a file of the export is written from.
struct ExportInput {
  const Run& run;
  const std::vector<Finding>& findings;
  const std::string& dir;
  int threads = 0;  // that format series.csv; 0 for the run's whole team
};

// Each file: the failure's message (a path and the system's text), if any.
using Failure = std::optional<std::string>;
Failure write_average(const ExportInput& in);       // average.csv
Failure write_sample_depth(const ExportInput& in);  // sample_depth.csv
Failure write_series(const ExportInput& in);        // series.csv, wide: a row per series and year
Failure write_statistics(const ExportInput& in);    // statistics.csv
Failure write_stations(const ExportInput& in);      // stations.csv, with the coverage
Failure write_checks(const ExportInput& in);        // checks.csv and checks.txt

// Creates the folder and writes every file into it; the first failure.
// threads: as in ExportInput.
Failure write_export(const Run& r, const std::vector<Finding>& findings, const std::string& dir, int threads = 0);

}  // namespace arb::results
