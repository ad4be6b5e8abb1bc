// SPDX-License-Identifier: GPL-3.0-or-later
// PAUSE and STOP.
#include <string>

#include "io.h"
#include "units.h"

namespace arb::rt {

namespace {
bool is_blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }
}  // namespace

void pause(std::string_view text) {
  const StatementStart start;
  console_out(" " + std::string(text) + "\n");
  if (!console_in(kConsoleLine)) report_failure(IoError::runtime(Err::PastEof), "READ", "*");
}

void stop(std::string_view text, int status) {
  std::lock_guard lock(layer().io_lib_mutex);
  RecordLayer& rl = layer();
  rl.start();
  std::string line;
  if (rl.options.print_stop) line = is_blank(text) ? " STOP" : " STOP ";
  if (!is_blank(text)) line += text;
  if (!line.empty()) console_out(line + "\n");
  if (auto failure = rl.units.close_all())
    report_failure(failure->error, "WRITE", unit_text(failure->unit, false));
  throw RunEnd{status};
}

}  // namespace arb::rt
