// SPDX-License-Identifier: GPL-3.0-or-later
// The lines of the output file (unit 16): titles, statistics blocks, the
// method heading and the rows of the averaged record.
#pragma once

#include <cstdint>

#include "statistics.h"
#include "store.h"

namespace arb {

inline constexpr int kOutputUnit = 16;

void write_title(const Title& title);

// The means block, the standard deviations block and the grand block.
void write_statistics(const SeriesStore& s);

void write_method_heading(Method method);

// The row of one year: the averages of its nvars variables.
void write_year_row(int nvars, const float* row, std::int32_t year);

}  // namespace arb
