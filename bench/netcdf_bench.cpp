// SPDX-License-Identifier: GPL-3.0-or-later
// arborix.nc on a whole run: the data file read and averaged as the program
// does (12 variables, layout 1, flag -99.9, method 3), then the NetCDF file
// written alone, the CSV files alone, and both together as the export
// writes them (the NetCDF file on a thread of its own); the file's size
// against the values held.  With "netcdf" only the NetCDF file is written,
// for its peak memory against the run's.
//
//   netcdf_bench data-file folder [netcdf]
//
// Both names relative to the working folder: the dialogue takes an answer
// that begins with / for the way out.
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <memory>
#include <string>
#include <vector>

#include "console_host.h"
#include "driver.h"
#include "export.h"
#include "netcdf_export.h"
#include "run.h"

namespace {

// Answers the dialogue from a list; the console text goes nowhere.
class ScriptHost : public arb::rt::ConsoleHost {
 public:
  explicit ScriptHost(std::vector<std::string> answers) : answers_(std::move(answers)) {}
  bool ttyout(int, std::string_view) override { return true; }
  std::optional<std::string> ttyinp(int, std::size_t) override {
    if (next_ == answers_.size()) return std::nullopt;
    return answers_[next_++] + "\n";
  }
  int end_of_run_wait(int status) override { return status; }
  void pump() override {}

 private:
  std::vector<std::string> answers_;
  std::size_t next_ = 0;
};

template <class F>
double timed(F f) {
  const auto t0 = std::chrono::steady_clock::now();
  f();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void must(const std::optional<std::string>& failed) {
  if (!failed) return;
  std::fprintf(stderr, "netcdf_bench: %s\n", failed->c_str());
  std::exit(1);
}

// Static, as in the programs: a store this size does not fit on a stack.
constinit arb::SeriesStore bench_store;

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && !(argc == 4 && std::string(argv[3]) == "netcdf")) {
    std::fputs("usage: netcdf_bench data-file folder [netcdf]   (names relative to the working folder)\n", stderr);
    return 2;
  }
  const std::string dir = argv[2];
  std::unique_ptr<arb::results::Run> run;
  arb::RunContext context{bench_store, [&](const arb::RunResults& r) {
                             run = std::make_unique<arb::results::Run>(arb::results::make_run(r));
                           }};
  ScriptHost host({"", argv[1], "0", dir + "/average.txt", "111111111111", "1", "-99.9", "n", "3", ""});
  double read = timed([&] { arb::rt::run_program(host, [&context] { arb::arborix(context); }); });
  if (!run) {
    std::fputs("netcdf_bench: the run wrote no averaged record (names relative to the working folder?)\n", stderr);
    return 1;
  }
  const arb::results::Provenance p{"netcdf_bench", "", {"netcdf_bench"}, "", "", "", "", "", ""};
  const std::vector<arb::results::Finding> none;
  const double netcdf = timed([&] { must(arb::results::write_netcdf(*run, p, dir)); });
  if (argc == 4) {
    std::printf("run %.2f s; arborix.nc %.2f s\n", read, netcdf);
    return 0;
  }
  const double csv = timed([&] { must(arb::results::write_export(*run, none, dir)); });
  const double both = timed([&] {
    auto nc = std::async(std::launch::async, [&] { return arb::results::write_netcdf(*run, p, dir); });
    must(arb::results::write_export(*run, none, dir));
    must(nc.get());
  });
  struct stat st {};
  stat((dir + "/arborix.nc").c_str(), &st);
  const double held = 4.0 * run->nseries * run->nvars * run->years();
  std::printf("series %d, years %d, variables %d: values held %.1f MB\n", run->nseries, run->years(), run->nvars,
              held / 1e6);
  std::printf("run %.2f s; arborix.nc %.2f s, CSV files %.2f s, both beside each other %.2f s (%.2f of the sum)\n",
              read, netcdf, csv, both, both / (netcdf + csv));
  std::printf("arborix.nc %.1f MB: %.2f of the values held\n", static_cast<double>(st.st_size) / 1e6,
              static_cast<double>(st.st_size) / held);
  return 0;
}
