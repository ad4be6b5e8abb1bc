// SPDX-License-Identifier: GPL-3.0-or-later
// The program's main routine: one run, from the welcome to the averaged
// record.  It never returns normally: every path ends in a stop.
#pragma once

#include <functional>

#include "coverage.h"
#include "read_log.h"
#include "statistics.h"
#include "store.h"

namespace arb {

// The one series store of the run, static and zero-filled: pages of
// variables and series that a run never touches are never made resident.
// The driver hands it to everything it calls; only the driver and the
// hosts reach it by name.
extern SeriesStore store;

void arborix();

// The unit the data file is read on, for the host's record of the run.
inline constexpr int kDataUnit = 14;

// Called once the last row of the averaged record is written, before the
// final pause: the host's hold on the run's results.  The store and the
// log are the run's own, valid until the next run.
using RecordWritten =
    std::function<void(const SeriesStore&, const ReadLog&, const Coverage&, Method, const AveragedRecord&)>;
void on_record_written(RecordWritten hook);

}  // namespace arb
