// SPDX-License-Identifier: GPL-3.0-or-later
// A console host around the program's own host (terminal or window) that
// takes hold of the run's results once the averaged record is written and,
// when the run ends, writes the export folder and the answers of --record,
// and warns of data lines whose years are out of sequence.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "options.h"
#include "checks.h"
#include "driver.h"
#include "provenance.h"
#include "run.h"
#include "console_host.h"

namespace arb::cli {

class ResultsHost : public rt::ConsoleHost {
 public:
  ResultsHost(rt::ConsoleHost& inner, std::string program, Options options);
  ~ResultsHost() override;

  bool ttyout(int unit, std::string_view text) override { return inner_.ttyout(unit, text); }
  std::optional<std::string> ttyinp(int unit, std::size_t capacity) override {
    return inner_.ttyinp(unit, capacity);
  }
  int end_of_run_wait(int exit_code) override;
  void pump() override { inner_.pump(); }

  // The results (nullptr until the averaged record is written).
  const results::Run* run() const { return run_.get(); }
  const std::vector<results::Finding>& findings() const { return findings_; }

  // The window's hold on the results, as soon as they exist.  Set before
  // the run; with it the whole data check is made.
  std::function<void(const results::Run&, const std::vector<results::Finding>&)> on_results;
  // Draws the plots into the export folder; the failure's message, if any.
  std::function<std::optional<std::string>(const results::Run&, const std::string& dir)> write_plots;
  // Called when the run has ended and its files are closed, before the
  // host's end-of-run wait.
  std::function<void()> on_run_end;
  // The year warnings on standard error (the terminal).
  bool warn_years = true;
  // The output file's name as opened (empty until the record is written).
  const std::string& output_path() const { return output_path_; }
  // Why --export failed (the folder or file and the system's reason), once
  // the run has ended.
  const std::optional<std::string>& export_failure() const { return export_failure_; }

  // The hook for the run's context: takes hold of the results.
  RecordWritten results_hook() {
    return [this](const RunResults& r) { take_results(r); };
  }

 private:
  void take_results(const RunResults& results);

  void write_files(int& exit_code);

  rt::ConsoleHost& inner_;
  std::string program_;
  Options options_;
  std::unique_ptr<results::Run> run_;
  std::vector<results::Finding> findings_;
  bool whole_check_ = false;  // findings_ the whole data check, not only the years
  std::string output_path_;
  results::Provenance provenance_;
  std::optional<std::string> export_failure_;
};

// Runs arborix-plot, when it stands beside the running program, on the
// folder; nothing when it does not.
std::optional<std::string> run_companion(const results::Run& run, const std::string& dir);

}  // namespace arb::cli
