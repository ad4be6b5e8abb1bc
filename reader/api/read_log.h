// SPDX-License-Identifier: GPL-3.0-or-later
// What the reader notes while it reads, for the data check and the names
// of the climate variables: the mask as accepted, and for every data line
// its series, its line number in the file and the year written on it.
// The reader stores nothing else here and reads nothing back; the driver
// holds the run's log and hands it to the host with the results.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace arb {

struct DataLine {
  std::int32_t series = 0;
  std::int64_t line = 0;     // 1-based record number in the data file
  std::int32_t year = 0;     // the year written on the line
};

// Data lines one after the other in the file and in their years, as most
// of a series' lines are: a few bytes for a series instead of some for
// every line.
struct DataLineRun {
  DataLine first;
  std::int32_t count = 1;
};

struct ReadLog {
  std::string mask;                // the climate mask as accepted, before the run changes it
  int header_lines = 0;            // skipped before the first title
  std::string layout;              // the data format as chosen: its edit descriptors, or "free format"
  std::vector<DataLineRun> runs;   // in the order read; emptied when the file is read again

  void restart() { runs.clear(); }
  void note(std::int32_t series, std::int64_t line, std::int32_t year) {
    if (!runs.empty()) {
      DataLineRun& r = runs.back();
      if (r.first.series == series && r.first.line + r.count == line &&
          static_cast<std::int64_t>(r.first.year) + r.count == year) {
        ++r.count;
        return;
      }
    }
    runs.push_back({{series, line, year}, 1});
  }
  // Every data line in the order read.
  template <typename F>
  void each_line(F&& f) const {
    for (const DataLineRun& r : runs)
      for (std::int32_t i = 0; i < r.count; ++i) f(DataLine{r.first.series, r.first.line + i, r.first.year + i});
  }
};

}  // namespace arb
