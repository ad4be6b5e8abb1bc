// SPDX-License-Identifier: GPL-3.0-or-later
// Asking for a file and opening it; previewing a data file.
#pragma once

namespace arb {

// Asks for a file name and opens it on the unit with the status letter
// (O old, N new, U unknown, S scratch).  bail: 0 the file is open, 1 the
// user gave up or the letter was invalid.
void openit(char status, int& unit, int& bail);

// Shows the first and last lines of the data file on the unit and leaves
// it positioned after the lines the user chose to skip.
void snoop(int& unit);

}  // namespace arb
