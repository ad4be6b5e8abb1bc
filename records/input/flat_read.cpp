// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_read.h"

#include <algorithm>
#include <array>
#include <limits>

#include "input_fast.h"

namespace arb::rt {

bool read_flat(std::string_view record, const FlatPlan& plan, std::int32_t& integer, float* reals) {
  if (!plan.usable || record.size() != plan.length) return false;
  constexpr std::size_t kMaxReals = 64;
  if (plan.reals > kMaxReals) return false;
  std::array<float, kMaxReals> got{};
  std::int64_t v = 0;
  const FlatField& first = plan.fields[0];
  if (!fast_int(record.substr(first.col, first.w), false, v)) return false;
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) return false;
  for (std::size_t k = 0; k < plan.reals; ++k) {
    const FlatField& f = plan.fields[k + 1];
    double x = 0.0;
    if (!fast_real(record.substr(f.col, f.w), false, f.d, 0, x)) return false;
    got[k] = static_cast<float>(x);  // at most 15 digits under 10^22: inside the float range
  }
  integer = static_cast<std::int32_t>(v);
  std::copy_n(got.begin(), plan.reals, reals);
  return true;
}

}  // namespace arb::rt
