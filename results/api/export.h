// SPDX-License-Identifier: GPL-3.0-or-later
// The export folder of a run: the averaged record, its sample depth, every
// series in long form, the statistics, the coverage and the data check, as
// CSV files that R and Python read as they stand.
#pragma once

#include <optional>
#include <string>

#include "checks.h"
#include "run.h"

namespace arb::results {

// The text of each file.
std::string average_csv(const Run& r);
std::string sample_depth_csv(const Run& r);
std::string series_csv(const Run& r);
std::string statistics_csv(const Run& r);
std::string coverage_csv(const Run& r);

// Creates the folder and writes every file into it, each whole; the
// failure's message (a path and the system's text), if any.
std::optional<std::string> write_export(const Run& r, const std::vector<Finding>& findings, const std::string& dir);

}  // namespace arb::results
