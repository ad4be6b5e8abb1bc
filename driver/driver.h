// The program's main routine: one run, from the welcome to the averaged
// record.  It never returns normally: every path ends in a stop.
#pragma once

#include "store.h"

namespace arb {

// The one series store of the run, static and zero-filled: pages of
// variables and series that a run never touches are never made resident.
// The driver hands it to everything it calls; only the driver and the
// hosts reach it by name.
extern SeriesStore store;

void arborix();

}  // namespace arb
