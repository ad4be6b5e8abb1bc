// SPDX-License-Identifier: GPL-3.0-or-later
// A run put together in the series store, as the driver leaves it once the
// averaged record is written.
#pragma once

#include <string>
#include <vector>

#include "align.h"
#include "coverage.h"
#include "run.h"
#include "statistics.h"
#include "tests/unit/app/driver_store_fixture.h"

namespace arb::test {

class ResultsTest : public StoreTest {
 protected:
  ReadLog log;
  std::string data_file = "data.txt";

  void title(int k, const std::string& t) {
    s.title(k).fill(' ');
    std::copy(t.begin(), t.end(), s.title(k).begin());
  }

  // Aligns every series, takes the statistics and returns the results.
  results::Run finish(Method method = Method::straight) {
    const Coverage c = find_coverage(s);
    for (int k = 1; k <= s.nseries; ++k) {
      align(s, k, c.earliest_first);
      series_statistics(s, k, c);
    }
    grand_statistics(s);
    const AveragedRecord record = average_record(s, c, method);
    return results::make_run({s, log, c, method, record, data_file, "out.txt"});
  }
};

}  // namespace arb::test
