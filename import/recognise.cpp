// SPDX-License-Identifier: GPL-3.0-or-later
// The table of formats, in the order in which a file is tried against them.
#include "formats.h"
#include "text.h"

namespace arb::import {

const std::vector<Format>& formats() {
  static const std::vector<Format> table = {
      {"ghcnm", "GHCN-Monthly v3 or v4 .dat (with --inventory FILE.inv)", is_ghcn, read_ghcn},
      {"nclimdiv", "NOAA nClimDiv statewide or divisional file", is_nclimdiv, read_nclimdiv},
      {"ecad", "ECA&D daily series (with --inventory stations.txt)", is_ecad, read_ecad},
      {"ukmo", "Met Office historic station file", is_ukmo, read_ukmo},
      {"berkeley", "Berkeley Earth station or regional Trend file", is_berkeley, read_berkeley},
      {"crutem", "CRUTEM station file", is_crutem, read_crutem},
      {"csv", "CSV, long or wide", is_csv, read_csv},
      {"climexp", "KNMI or Climate Explorer file", is_climexp, read_climexp},
  };
  return table;
}

std::vector<std::pair<std::string, std::string>> format_names() {
  std::vector<std::pair<std::string, std::string>> out;
  for (const Format& f : formats()) out.emplace_back(f.name, f.description);
  return out;
}

Station new_station(const Input& in, const char* format, std::string id) {
  Station s;
  s.id = std::move(id);
  s.source_format = format;
  s.source_file = in.name;
  return s;
}

std::string file_stem(const std::string& path) {
  std::string name = base_name(path);
  const auto dot = name.find_last_of('.');
  if (dot != std::string::npos && dot > 0) name.resize(dot);
  return name;
}

}  // namespace arb::import
