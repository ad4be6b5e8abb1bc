// SPDX-License-Identifier: GPL-3.0-or-later
// Refusing data beyond the store's limits: the message between "***" marks
// from column 5, then a stop with a non-zero status.  Nothing is written to
// the output file after it.
#pragma once

#include <string_view>

namespace arb {

inline constexpr int kRefusedStatus = 1;

[[noreturn]] void refuse_data(std::string_view message);

}  // namespace arb
