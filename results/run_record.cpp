// SPDX-License-Identifier: GPL-3.0-or-later
#include "run_record.h"

#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <string>

#include "csv.h"
#include "file_digest.h"
#include "method_name.h"

namespace arb::results {

namespace {

using json = nlohmann::ordered_json;  // the keys in the order written

// Path, size and SHA-256; null digits when the file cannot be read.
json file_entry(const std::string& path) {
  json entry = {{"path", path}, {"size", nullptr}, {"sha256", nullptr}};
  if (const auto d = file_digest(path)) {
    entry["size"] = d->size;
    entry["sha256"] = d->sha256;
  }
  return entry;
}

json settings() {
  json s = json::object();
  for (const char* name : kResultSettings) {
    const char* value = std::getenv(name);
    s[name] = value ? json(value) : json(nullptr);
  }
  return s;
}

json check_counts(const std::vector<Finding>& findings) {
  json counts = json::object();
  for (Kind k : {Kind::year_sequence, Kind::undefined_statistics, Kind::zero_sd, Kind::no_common_values,
                 Kind::outlier, Kind::low_correlation}) {
    std::size_t n = 0;
    for (const Finding& f : findings) n += f.kind == k ? 1 : 0;
    counts[std::string(kind_name(k))] = n;
  }
  return counts;
}

// The flag's shortest digits, not those of the float widened; null for a
// flag that is no finite number.
json flag_value(float flag) {
  if (!std::isfinite(flag)) return nullptr;
  return std::stod(csv_number(flag));
}

}  // namespace

std::string run_json(const Run& r, const std::vector<Finding>& findings, const Provenance& p) {
  const Coverage& c = r.coverage;
  json j = {
      {"program", {{"name", p.program}, {"version", p.version}}},
      {"host", p.host},
      {"command_line", p.command_line},
      {"working_folder", p.working_folder},
      {"started", p.started},
      {"ended", p.ended},
      {"data_file", file_entry(p.data_path)},
      {"output_file", file_entry(p.output_path)},
      {"header_lines", r.log.header_lines},
      {"mask", r.log.mask},
      {"layout", r.log.layout},
      {"flag", flag_value(r.flag)},
      {"common_interval", {{"first", c.start}, {"last", c.end}, {"years", c.interval}}},
      {"maximum_coverage", {{"first", c.earliest_first}, {"last", c.latest_last}, {"years", c.length}}},
      {"method", {{"number", static_cast<int>(r.method)}, {"name", method_name(r.method)}}},
      {"series", r.nseries},
      {"variables", r.names},
      {"settings", settings()},
      {"data_check", check_counts(findings)},
  };
  return j.dump(2) + "\n";
}

}  // namespace arb::results
