// SPDX-License-Identifier: GPL-3.0-or-later
// Where a run came from: the program, the machine, the command line, the
// times, the files and the answers that made it; for run.json and the
// NetCDF file's history.
#pragma once

#include <string>
#include <vector>

namespace arb::results {

struct Provenance {
  std::string program;                    // arborix or arborix-term
  std::string version;
  std::vector<std::string> command_line;  // the program's name first
  std::string host;
  std::string working_folder;
  std::string started;                    // UTC, ISO 8601
  std::string ended;
  std::string data_path;                  // both as the program opened them
  std::string output_path;
};

// Now, UTC, as 2026-12-08T17:40:02Z.
std::string utc_now();
std::string host_name();
std::string working_folder();

// The command line as one line a shell reads back: words quoted where needed.
std::string command_text(const std::vector<std::string>& words);

}  // namespace arb::results
