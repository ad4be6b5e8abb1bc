// SPDX-License-Identifier: GPL-3.0-or-later
// Names for the climate variables of a mask, for the columns of the export:
// unique, letters, digits and underscores, starting with a letter.
//   a single month:            JAN ... DEC
//   a month of an earlier or later calendar year than the year the
//   climatic year is labelled with:  DEC_m1 (previous year), JAN_p1 (next)
//   a season of consecutive months:  MAY_to_AUG_sum, DEC_m1_to_FEB_mean
//   a season with unused months inside:  JAN_MAR_MAY_sum
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace arb::results {

// mask: the accepted mask as typed (digits 0 to 3, up to 60).
std::vector<std::string> variable_names(std::string_view mask);

}  // namespace arb::results
