// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_export.h"

#include <algorithm>
#include <future>

#include "console_host.h"
#include "csv.h"
#include "export.h"
#include "netcdf_export.h"
#include "omp_team.h"
#include "run_record.h"

namespace arb::cli {

std::optional<std::string> write_run_export(const results::Run& run, std::vector<results::Finding>& findings,
                                            bool checked, const results::Provenance& p, const std::string& dir,
                                            const PlotWriter& plots) {
  if (auto failed = results::make_folder(dir)) return failed;
  // Compression is the export's longest part and needs no other file; the
  // digests of the data and output files neither.
  auto netcdf = std::async(std::launch::async, [&] { return results::write_netcdf(run, p, dir); });
  if (!checked) findings = results::check_run(run);
  auto record = std::async(std::launch::async, [&] { return results::run_json(run, findings, p); });
  // The compression keeps a core of its own; the rest of the team formats
  // series.csv.
  auto failed = results::write_export(run, findings, dir, std::max(1, omp_team() - 1));
  if (!failed && plots) failed = plots(run, dir);
  auto netcdf_failed = netcdf.get();
  if (!failed) failed = netcdf_failed;
  if (!failed) failed = results::write_whole(dir, "answers.txt", rt::console_answers());
  const std::string json = record.get();
  if (!failed) failed = results::write_whole(dir, "run.json", json);
  return failed;
}

std::optional<std::string> write_answers(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return results::write_whole(".", path, rt::console_answers());
  return results::write_whole(slash == 0 ? "/" : path.substr(0, slash), path.substr(slash + 1), rt::console_answers());
}

}  // namespace arb::cli
