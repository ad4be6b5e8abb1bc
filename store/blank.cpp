// SPDX-License-Identifier: GPL-3.0-or-later
#include "blank.h"

#include <algorithm>

namespace arb {

void blank(std::span<char> text) { std::fill(text.begin(), text.end(), ' '); }

}  // namespace arb
