// SPDX-License-Identifier: GPL-3.0-or-later
// The export folder of a run as a whole, and the answers file of --record.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "checks.h"
#include "provenance.h"
#include "run.h"

namespace arb::cli {

using PlotWriter = std::function<std::optional<std::string>(const results::Run&, const std::string& dir)>;

// The CSV files and the plots while arborix.nc is compressed beside them on
// a thread of its own, then answers.txt and run.json; the first failure's
// message, if any.  Findings that hold only the years (checked false) are
// made the whole data check first, beside the compression.
std::optional<std::string> write_run_export(const results::Run& run, std::vector<results::Finding>& findings,
                                            bool checked, const results::Provenance& p, const std::string& dir,
                                            const PlotWriter& plots);

// The answers read from the console in this run, to the file (as one whole).
std::optional<std::string> write_answers(const std::string& path);

}  // namespace arb::cli
