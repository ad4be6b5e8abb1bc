// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_host.h"

#include <cstdio>

#include "export.h"

namespace arb::cli {

ResultsHost::ResultsHost(rt::ConsoleHost& inner, std::string program, Options options)
    : inner_(inner), program_(std::move(program)), options_(std::move(options)) {}

ResultsHost::~ResultsHost() = default;

void ResultsHost::take_results(const RunResults& results) {
  output_path_ = results.output_file;
  run_ = std::make_unique<results::Run>(results::make_run(results));
  const bool whole = options_.export_dir || on_results;
  findings_ = whole ? results::check_run(*run_) : results::check_years(*run_);
  if (on_results) on_results(*run_, findings_);
}

int ResultsHost::end_of_run_wait(int exit_code) {
  std::fflush(stdout);
  if (run_ && options_.export_dir) {
    const std::string& dir = *options_.export_dir;
    auto failed = results::write_export(*run_, findings_, dir);
    if (!failed && write_plots) failed = write_plots(*run_, dir);
    if (failed) {
      std::fprintf(stderr, "%s: cannot write the export: %s\n", program_.c_str(), failed->c_str());
      if (exit_code == 0) exit_code = 3;
    }
  }
  if (!run_ && options_.export_dir) {  // a bail-out or an error before the record: nothing to export
    std::fprintf(stderr, "%s: the run ended before the averaged record was written; nothing exported to %s\n",
                 program_.c_str(), options_.export_dir->c_str());
  }
  if (run_ && warn_years) {
    for (const std::string& line : results::year_warnings(program_, *run_, findings_))
      std::fprintf(stderr, "%s\n", line.c_str());
  }
  if (on_run_end) on_run_end();
  return inner_.end_of_run_wait(exit_code);
}

}  // namespace arb::cli
