// SPDX-License-Identifier: GPL-3.0-or-later
// The selection of stations: the filters on what is known before the
// values (IDs, country, box), then the years and the limits of one run.
#pragma once

#include "station_import.h"

#include <vector>

namespace arb::import {

class Selection {
 public:
  explicit Selection(const Options& o) : o_(o) {}
  // Whether the filters on IDs, country and box keep s.
  bool admits(const Station& s) const;
  // Cuts every station to the chosen years and to its first and last year
  // with a kept value, leaves out those with too few years, and refuses
  // what one run cannot hold.
  void finish(std::vector<Station>& stations) const;

 private:
  const Options& o_;
};

// A station's years that hold a kept value.
int years_with_values(const Station& s);

}  // namespace arb::import
