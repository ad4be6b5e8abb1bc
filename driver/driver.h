// The program's main routine: one run, from the welcome to the averaged
// record.  It never returns normally: every path ends in a stop.
#pragma once

#include <functional>

#include "driver/coverage.h"
#include "driver/statistics.h"

namespace arb {

void arborix();

// Called once the last row of the averaged record is written, before the
// final pause: the host's hold on the run's results.
using RecordWritten = std::function<void(const SeriesStore&, const Coverage&, Method)>;
void on_record_written(RecordWritten hook);

}  // namespace arb
