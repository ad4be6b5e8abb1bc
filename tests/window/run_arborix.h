// SPDX-License-Identifier: GPL-3.0-or-later
// A whole run of the program on a host, for the tests and the benchmark
// that run it in the window.
#pragma once

#include <utility>

#include "console_host.h"
#include "driver.h"

namespace arb::win::testing {

// The series store of the runs of a test, zero-filled as a program's is.
inline SeriesStore run_store;

// The exit status.
inline int run_arborix(rt::ConsoleHost& host, RecordWritten record_written = {}) {
  RunContext run{run_store, std::move(record_written)};
  return rt::run_program(host, [&run] { arborix(run); });
}

}  // namespace arb::win::testing
