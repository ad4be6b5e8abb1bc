// Running the program inside a console host.
#include "console_host.h"
#include "units.h"

namespace arb::rt {

int run_program(ConsoleHost& host, void (*body)()) {
  RecordLayer& rl = layer();
  rl.host = &host;
  int status = 0;
  try {
    body();
    // A program that returns stops quietly.
    if (auto failure = rl.units.close_all())
      report_failure(failure->error, "WRITE", unit_text(failure->unit, false));
  } catch (const RunEnd& end) {
    status = end.status;
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

}  // namespace arb::rt
