// SPDX-License-Identifier: GPL-3.0-or-later
// The command line that both programs share: --export DIR, --record FILE, --help and
// --version, and for the window program --reset-settings.  Handled before
// any window opens or any console text is written.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace arb::cli {

struct Options {
  std::optional<std::string> export_dir;  // --export DIR: the folder of the run's results
  std::optional<std::string> record_file; // --record FILE: the answers read from the console, for a rerun
  bool reset_settings = false;            // --reset-settings: the window forgets what it remembered
  std::vector<std::string> command_line;  // the program's arguments as given, its name first
};

// What main does after reading its arguments: run the program with the
// options, or end at once with the status (after --help, --version or a
// word the program does not know; their text is already written).
struct Parsed {
  Options options;
  std::optional<int> exit_status;
};

// program: the name the messages give (arborix or arborix-term); only
// arborix, which remembers its window's settings, takes --reset-settings.
// out and err take the text of --help/--version and of a refused word.
Parsed parse(std::string_view program, const std::vector<std::string_view>& args, std::string& out,
             std::string& err);

// The same on main's arguments, writing to standard output and error.
Parsed parse_main(std::string_view program, int argc, char** argv);

std::string_view version();

}  // namespace arb::cli
