// SPDX-License-Identifier: GPL-3.0-or-later
// Clearing character fields.
#pragma once

#include <span>

namespace arb {

// Sets every character of the text to a blank (a text of length 0 is left as it is).
void blank(std::span<char> text);

}  // namespace arb
