#include "store.h"

namespace arb {

// Static and zero-filled: pages of variables and series that a run never
// touches are never made resident.
SeriesStore store;

}  // namespace arb
