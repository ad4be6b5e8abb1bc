// SPDX-License-Identifier: GPL-3.0-or-later
#include "norm.h"

#include <cmath>
#include <cstdint>

namespace arb {

void norm(std::span<const float> values, float& mean, float& sd, float flag) {
  double sum = 0.0;
  std::int32_t counter = 0;
  for (float v : values) {
    if (v != flag) {
      ++counter;
      sum += static_cast<double>(v);
    }
  }
  mean = static_cast<float>(sum / static_cast<double>(counter));

  // Departures from the stored 32-bit mean, as the averaging later uses it.
  const double m = static_cast<double>(mean);
  double squares = 0.0;
  for (float v : values) {
    if (v != flag) {
      const double d = static_cast<double>(v) - m;
      squares += d * d;
    }
  }
  sd = static_cast<float>(std::sqrt(squares / static_cast<double>(counter - 1)));
}

}  // namespace arb
