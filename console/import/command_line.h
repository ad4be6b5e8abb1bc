// SPDX-License-Identifier: GPL-3.0-or-later
// The command line of arborix-import.
#pragma once

#include "station_import.h"

#include <optional>
#include <string>
#include <vector>

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

// Parses argv; --help and --version write to out, wrong usage to err.
Parsed parse(const std::vector<std::string>& args, std::string& out, std::string& err);

}  // namespace arb::import_cli
