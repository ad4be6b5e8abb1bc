// SPDX-License-Identifier: GPL-3.0-or-later
// Each series against the average of all the others, over the common
// interval: a series that does not follow its neighbours is most often a
// wrong station or a wrong layout.
#pragma once

#include <vector>

#include "checks.h"

namespace arb::results {

class CorrelationTotals {
 public:
  // The sums and counts of every series' values, by variable and year of
  // the common interval: taken once, shared by the checks of every series.
  explicit CorrelationTotals(const Run& r);
  // The low correlations of series k, each variable's and their mean's.
  void check(const Run& r, int k, std::vector<Finding>& out) const;

 private:
  struct Totals {
    std::vector<double> sum;
    std::vector<int> count;
  };
  double correlation(const Run& r, int k, int j) const;

  bool wanted_ = false;
  std::vector<Totals> totals_;  // variable j's at j - 1
};

}  // namespace arb::results
