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

struct ReadLog {
  std::string mask;             // the climate mask as accepted, before the run changes it
  std::vector<DataLine> lines;  // in the order read; emptied when the file is read again

  void restart() { lines.clear(); }
  void note(std::int32_t series, std::int64_t line, std::int32_t year) { lines.push_back({series, line, year}); }
};

}  // namespace arb
