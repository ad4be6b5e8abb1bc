// SPDX-License-Identifier: GPL-3.0-or-later
// Moving a series in the value array so that slot 1 is the earliest first
// year of all series.
#pragma once

#include <cstdint>

#include "store.h"

namespace arb {

// Moves the years of series k up by (its first year - earliest).  Slots
// below the moved values keep what they held; a series with no years is
// left as it is.
void align(SeriesStore& s, int k, std::int32_t earliest);

}  // namespace arb
