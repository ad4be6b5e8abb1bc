// SPDX-License-Identifier: GPL-3.0-or-later
// The team of threads for the parallel loops of the run.
#pragma once

namespace arb {

// At most one thread per processor, whatever OMP_NUM_THREADS asks; one
// alone when the settings leave no room for more (threads that cannot be
// started with the stack OMP_STACKSIZE asks for).  Found out once.
int omp_team();

// The values a loop should touch before the team is worth starting for it:
// below this, a run stays out of the threading run-time altogether.
inline constexpr long kTeamValues = 1L << 20;

}  // namespace arb
