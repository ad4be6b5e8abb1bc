// SPDX-License-Identifier: GPL-3.0-or-later
// The program's main routine: one run, from the welcome to the averaged
// record.  It never returns normally: every path ends in a stop.
#pragma once

#include <functional>
#include <string>

#include "coverage.h"
#include "read_log.h"
#include "statistics.h"
#include "store.h"

namespace arb {

// What the run hands its host once the last row of the averaged record is
// written, before the final pause.  Valid until the next run.
struct RunResults {
  const SeriesStore& store;
  const ReadLog& log;
  const Coverage& coverage;
  Method method;
  const AveragedRecord& record;
  std::string data_file;    // the names as opened
  std::string output_file;
};

using RecordWritten = std::function<void(const RunResults&)>;

// The run's context, made by the host's main.  The store is the process's
// one series store: static there and zero-filled, so that pages of
// variables and series a run never touches are never made resident.
struct RunContext {
  SeriesStore& store;
  RecordWritten record_written;  // the host's hold on the results; may be empty
};

void arborix(RunContext& run);

}  // namespace arb
