// SPDX-License-Identifier: GPL-3.0-or-later
#include "blank.h"

#include <algorithm>
#include <cstddef>

#include "omp_team.h"

namespace arb {

namespace {
// Below this length a team of threads costs more than it saves; the reader
// clears its 120-character line before every record, so short texts must
// not enter the threading run-time at all.
constexpr std::ptrdiff_t kParallelLength = 1 << 16;
}  // namespace

void blank(std::span<char> text) {
  const auto n = static_cast<std::ptrdiff_t>(text.size());
  char* p = text.data();
  if (n < kParallelLength) {
    std::fill_n(p, n, ' ');
    return;
  }
  const int team = omp_team();
#pragma omp parallel for schedule(static) num_threads(team) if (team > 1)
  for (std::ptrdiff_t i = 0; i < n; ++i) p[i] = ' ';
}

}  // namespace arb
