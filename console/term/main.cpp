// SPDX-License-Identifier: GPL-3.0-or-later
#include "options.h"
#include "results_host.h"
#include "term_host.h"
#include "driver.h"
#include "console_host.h"
#include "process_guard.h"

namespace {

// The process's one series store, zero-filled until a run takes it.
constinit arb::SeriesStore process_store;

}  // namespace

int main(int argc, char** argv) {
  arb::rt::guard_process();
  const arb::cli::Parsed parsed = arb::cli::parse_main("arborix-term", argc, argv);
  if (parsed.exit_status) return *parsed.exit_status;
  arb::term::TermHost term;
  arb::cli::ResultsHost host(term, "arborix-term", parsed.options);
  host.write_plots = arb::cli::run_companion;
  arb::RunContext run{process_store, host.results_hook()};
  return arb::rt::run_program(host, [&run] { arb::arborix(run); });
}
