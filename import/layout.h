// SPDX-License-Identifier: GPL-3.0-or-later
// The data lines' layout: fields wide enough for every value at the
// source's precision, and a missing-value flag that no kept value equals.
#pragma once

#include "station_import.h"

#include <string>
#include <vector>

namespace arb::import {

Layout choose_layout(const std::vector<Station>& stations);
// v written in the layout's field (w columns, d decimals), without a negative zero.
std::string field(double v, int width, int decimals);

}  // namespace arb::import
