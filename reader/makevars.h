// SPDX-License-Identifier: GPL-3.0-or-later
// Climate variables: the months of one series combined by the climate mask
// into one value per single month or season of every climatic year.
#pragma once

#include <span>

#include "mask.h"
#include "store.h"

namespace arb {

// The number of whole calendar years that a mask of the length reaches
// beyond its first one (0 for 1 to 12, up to 4 for 49 to 60).
constexpr int mask_lag(int length) { return length / 12 - (length % 12 == 0 ? 1 : 0); }

// The climate variables of one climatic year under the mask: its 2s and
// 3s, or every selected month when it has none.
int mask_vars(const ClimateMask& mask);

// Writes series ns into the store: its first and last climatic year, their
// number and its climate variables, from n data lines (twelve months each
// in months, line k's month m at (k - 1) * 12 + m) whose first is the year
// first_year.  A mask without 2s and 3s has its selected positions turned
// into 2s.  Refuses the data when a climatic year does not fit 16 bits, and
// ends the run the same way when the store cannot have the memory for it.
void makevars(SeriesStore& store, int ns, std::span<const float> months, int n, int first_year, ClimateMask& mask);

}  // namespace arb
