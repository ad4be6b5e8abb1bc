// SPDX-License-Identifier: GPL-3.0-or-later
// Running the program inside a console host.
#include <cstdio>
#include <new>

#include "console_host.h"
#include "units.h"

namespace arb::rt {

int run_program(ConsoleHost& host, const std::function<void()>& body) {
  RecordLayer& rl = layer();
  rl.host = &host;
  rl.units.forget_file_names();
  rl.answers.clear();
  int status = 0;
  try {
    body();
    // A program that returns stops quietly.
    if (auto failure = rl.units.close_all())
      report_failure(failure->error, "WRITE", unit_text(failure->unit, false));
  } catch (const RunEnd& end) {
    status = end.status;
  } catch (const std::bad_alloc&) {
    // Memory the program could not have where it could not say so itself:
    // one line on standard error, which needs none, and the status of the
    // program's refusals of data it cannot hold.
    std::fputs("arborix: out of memory\n", stderr);
    status = kOutOfMemoryStatus;
  }
  // Whatever ended the run, nothing stays unflushed.
  if (auto failure = rl.units.close_all()) {
    try {
      report_failure(failure->error, "WRITE", unit_text(failure->unit, false));
    } catch (const RunEnd& end) {
      status = end.status;
    }
  }
  status = host.end_of_run_wait(status);
  rl.host = nullptr;
  return status;
}

std::string unit_file_name(int unit) { return layer().units.file_name(unit); }

std::string console_answers() { return layer().answers; }

}  // namespace arb::rt
