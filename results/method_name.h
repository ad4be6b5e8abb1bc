// SPDX-License-Identifier: GPL-3.0-or-later
// The averaging method in words, as the dialogue offers it.
#pragma once

#include <string_view>

#include "statistics.h"

namespace arb::results {

inline std::string_view method_name(Method m) {
  switch (m) {
    case Method::straight: return "straight arithmetic average";
    case Method::mean_adjusted: return "mean adjusted average";
    case Method::mean_variance_adjusted: return "mean and variance adjusted average";
  }
  return "";
}

}  // namespace arb::results
