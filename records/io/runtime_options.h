// SPDX-License-Identifier: GPL-3.0-or-later
// The run-time options of the record layer: the words of VELMOR_RT_FLAGS,
// the tab size of TABSIZE and the permissions of UMASK, read once at the
// first statement of the run.
#pragma once

#include <string>
#include <string_view>

namespace arb::rt {

struct RuntimeOptions {
  bool default_carriage = false;  // -defaultcarriage
  bool no_lead_zero = false;      // -noleadzero
  bool file_prompt = false;       // -fileprompt
  bool vax_names = false;         // -vaxnames (else -unixnames, the default)
  bool connect_unit9 = false;     // -connectunit9 / -nounit9
  bool print_stop = false;        // -printstop
  bool relaxed_input = false;     // -relaxed_input
  bool strict_nan_input = false;  // -strict_nan_input
  int tab_size = 8;               // TABSIZE
  unsigned create_mode = 0664;    // UMASK, taken as the octal permissions of created files (0777 at most)
  std::string unknown;            // the rest of the setting from the first unknown word
};

// Parses the three variables' values (nullptr when a variable is not set).
RuntimeOptions parse_runtime_options(const char* flags, const char* tabsize, const char* umask);

}  // namespace arb::rt
