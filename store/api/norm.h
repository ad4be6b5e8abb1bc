// SPDX-License-Identifier: GPL-3.0-or-later
// Mean and standard deviation of a run of values, missing values left out.
#pragma once

#include <span>

namespace arb {

// Mean and standard deviation of the values that differ from the flag.
// The sums are formed in double precision; both results are stored as
// 32-bit reals.  No guard: no usable value gives a NaN mean, one usable
// value a NaN standard deviation (IEEE arithmetic, nothing traps).
void norm(std::span<const float> values, float& mean, float& sd, float flag);

}  // namespace arb
