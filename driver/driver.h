// The program's main routine: one run, from the welcome to the averaged
// record.  It never returns normally: every path ends in a stop.
#pragma once

namespace arb {

void arborix();

}  // namespace arb
