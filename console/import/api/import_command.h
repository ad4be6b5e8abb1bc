// SPDX-License-Identifier: GPL-3.0-or-later
// One import as arborix-import runs it, for the command and for the
// window's Import Station Files dialog alike: the command line read into a
// command, the files read, the three files written whole, the report.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "station_import.h"

namespace arb::import_cli {

struct Command {
  std::vector<std::string> files, inventories;
  std::string out, ids_file;
  import::Options options;
};

struct Parsed {
  Command command;
  std::optional<int> exit_status;  // set when the program ends here
};

// Parses the arguments after the program's name; --help and --version
// write to out, wrong usage to err (status 2).
Parsed parse(const std::vector<std::string>& args, std::string& out, std::string& err);

struct Outcome {
  int status = 0;      // 0, 3 (a file) or 4 (the selection), as the command exits
  std::string report;  // what the command writes on standard output
  std::string error;   // the message, without the program's name
};

// Reads the command's files and writes OUT, OUT.stations.csv and
// OUT.answers.txt whole, or none of them.
Outcome run_import(const Command& command);

// A file's format and station count as the import would read it.
Outcome survey(const std::string& file, const import::Options& options, import::FileReport& report);

}  // namespace arb::import_cli
