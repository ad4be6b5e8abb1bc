// SPDX-License-Identifier: GPL-3.0-or-later
// Character classes shared by the format translator, input editing and the
// record layer.
#pragma once

namespace arb::rt {

constexpr bool is_blank(char c) { return c == ' ' || c == '\t'; }
constexpr bool is_sign(char c) { return c == '+' || c == '-'; }
constexpr bool is_digit(int c) { return c >= '0' && c <= '9'; }

}  // namespace arb::rt
