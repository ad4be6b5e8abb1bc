// SPDX-License-Identifier: GPL-3.0-or-later
// A data line read by the flat plan of its format, field by field.
#pragma once

#include <cstdint>
#include <string_view>

#include "flat_plan.h"

namespace arb::rt {

// The items read by the plan; false, with the items untouched, when any
// field is not of the common shape (then the general statement decides).
bool read_flat(std::string_view record, const FlatPlan& plan, std::int32_t& integer, float* reals);

}  // namespace arb::rt
