// SPDX-License-Identifier: GPL-3.0-or-later
// Station inventories given with --inventory: GHCN-Monthly .inv files and
// ECA&D's stations.txt, joined with the data files by station ID.
#pragma once

#include "station_import.h"

#include <optional>
#include <string>
#include <unordered_map>

namespace arb::import {

struct StationMeta {
  std::string name, country;
  std::optional<double> latitude, longitude, elevation;
};

class Inventory {
 public:
  void add(const Input& in);
  const StationMeta* find(const std::string& id) const;
  bool empty() const { return stations_.empty(); }

 private:
  void add_ghcn(const Input& in);
  void add_ecad(const Input& in);
  std::unordered_map<std::string, StationMeta> stations_;
};

// Copies what the inventory knows about s into it; false when s is not in it.
bool join(const Inventory& inventory, Station& s);

}  // namespace arb::import
