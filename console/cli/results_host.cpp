// SPDX-License-Identifier: GPL-3.0-or-later
#include "results_host.h"

#include <cstdio>

#include "export.h"
#include "run_export.h"

namespace arb::cli {

ResultsHost::ResultsHost(rt::ConsoleHost& inner, std::string program, Options options)
    : inner_(inner), program_(std::move(program)), options_(std::move(options)) {
  provenance_ = {program_, std::string(version()), options_.command_line, results::host_name(),
                 results::working_folder(), results::utc_now(), {}, {}, {}};
}

ResultsHost::~ResultsHost() = default;

void ResultsHost::take_results(const RunResults& results) {
  output_path_ = results.output_file;
  provenance_.data_path = results.data_file;
  provenance_.output_path = output_path_;
  run_ = std::make_unique<results::Run>(results::make_run(results));
  // The whole check at once for the window's Results menu; for an export it
  // is made beside the NetCDF file's compression.
  whole_check_ = static_cast<bool>(on_results);
  findings_ = whole_check_ ? results::check_run(*run_) : results::check_years(*run_);
  if (on_results) on_results(*run_, findings_);
}

// The export folder and the answers file, each tried; each failure on
// standard error, and status 3 for a run that ended well.
void ResultsHost::write_files(int& exit_code) {
  auto report = [&](const char* what, const std::optional<std::string>& failed) {
    if (!failed) return;
    std::fprintf(stderr, "%s: cannot write the %s: %s\n", program_.c_str(), what, failed->c_str());
    if (exit_code == 0) exit_code = 3;
  };
  if (run_ && options_.export_dir) {
    export_failure_ = write_run_export(*run_, findings_, whole_check_, provenance_, *options_.export_dir, write_plots);
    report("export", export_failure_);
  }
  if (options_.record_file) report("answers", write_answers(*options_.record_file));
}

int ResultsHost::end_of_run_wait(int exit_code) {
  std::fflush(stdout);
  provenance_.ended = results::utc_now();
  write_files(exit_code);
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
