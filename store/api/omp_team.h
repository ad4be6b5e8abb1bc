// SPDX-License-Identifier: GPL-3.0-or-later
// The team of threads for the driver's parallel loops (alignment, blank).
#pragma once

#include <cstddef>
#include <optional>

namespace arb {

// At most one thread per processor, whatever OMP_NUM_THREADS asks; one
// alone when the settings leave no room for more (threads that cannot be
// started with the stack OMP_STACKSIZE asks for).  Found out once.
int omp_team();

// The values a loop should touch before the team is worth starting for it.
inline constexpr long kTeamValues = 1L << 20;

// A stack size as OpenMP writes it: digits, then B, K, M or G (K when
// none), blanks around; nullopt when the text is no such size or the size
// does not fit (the OpenMP run-time then keeps its default).
std::optional<std::size_t> parse_stack_size(const char* text);

}  // namespace arb
