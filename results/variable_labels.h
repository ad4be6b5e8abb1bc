// SPDX-License-Identifier: GPL-3.0-or-later
// The words for a climate variable, read back from its name (see
// variable_names.h), for the long names of the NetCDF file:
//   JAN                  January
//   DEC_m1               December of the year before
//   MAY_to_AUG_sum       sum of May to August
//   JAN_MAR_MAY_mean     mean of January, March, May
#pragma once

#include <string>
#include <string_view>

namespace arb::results {

std::string variable_label(std::string_view name);

}  // namespace arb::results
