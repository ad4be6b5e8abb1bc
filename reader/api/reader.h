// SPDX-License-Identifier: GPL-3.0-or-later
// The climate data file reader: the climate mask, the data-format menu,
// the missing-value flag, and every series of the data file into the
// series store.
#pragma once

#include "read_log.h"
#include "store.h"

namespace arb {

// Reads every series of the file on the unit (positioned after the header
// lines) into the store, noting the mask and every data line in the log.
// May end the run instead of returning.
void readseries(int& unit, SeriesStore& store, ReadLog& log);

}  // namespace arb
