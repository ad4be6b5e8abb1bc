// SPDX-License-Identifier: GPL-3.0-or-later
// Putting a file's months into a station: duplicates refused with both
// lines, years out of order noted.
#pragma once

#include "station_import.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>

namespace arb::import {

inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
inline bool has_value(double v) { return !std::isnan(v); }

// Month 1-12 of year; value NaN for a month the file marks missing.
void put_month(Station& s, int year, int month, double value, long line);
void put_year(Station& s, int year, const std::array<double, 12>& values, long line);

// A month the file marks estimated: kept and counted, or dropped.
double estimated_value(Station& s, double value, const Options& o);
// A month the file flags as doubtful: dropped and counted, or kept.
double flagged_value(Station& s, double value, const Options& o);

}  // namespace arb::import
