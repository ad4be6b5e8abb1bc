// SPDX-License-Identifier: GPL-3.0-or-later
#include "station_info.h"

namespace arb::results {

NetcdfStation station_info(const Run& r, int k) {
  NetcdfStation s;
  s.id = std::to_string(k);
  s.name = r.titles[static_cast<std::size_t>(k - 1)];
  return s;
}

}  // namespace arb::results
