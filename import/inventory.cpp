// SPDX-License-Identifier: GPL-3.0-or-later
#include "inventory.h"

#include "text.h"

namespace arb::import {

namespace {

std::optional<double> number_in(std::string_view line, std::size_t from, std::size_t width) {
  if (from >= line.size()) return std::nullopt;
  auto d = whole_number(line.substr(from, width));
  return d ? std::optional<double>(d->value) : std::nullopt;
}

// "+56:52:00" or "-014:48:00": degrees, minutes, seconds with one sign.
std::optional<double> dms(std::string_view text) {
  text = trim(text);
  const bool west = !text.empty() && text[0] == '-';
  if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
  const auto parts = split_on(text, ':');
  double v = 0, scale = 1;
  for (auto p : parts) {
    auto d = whole_number(p);
    if (!d || d->value < 0) return std::nullopt;
    v += d->value / scale;
    scale *= 60;
  }
  return west ? -v : v;
}

}  // namespace

void Inventory::add(const Input& in) {
  if (in.bytes.find("STAID,STANAME") != std::string_view::npos) {
    add_ecad(in);
  } else {
    add_ghcn(in);
  }
}

// ID 1-11, latitude 13-20, longitude 22-30, elevation 32-37, name 39-68.
void Inventory::add_ghcn(const Input& in) {
  Lines lines(in.bytes, in.more);
  std::string_view line;
  while (lines.next(line)) {
    if (blank(line)) continue;
    if (line.size() < 37) malformed(in.name, lines.number(), "an inventory line: ID, latitude, longitude, elevation, name");
    StationMeta m;
    m.latitude = number_in(line, 12, 8);
    m.longitude = number_in(line, 21, 9);
    m.elevation = number_in(line, 31, 6);
    if (!m.latitude || !m.longitude) malformed(in.name, lines.number(), "latitude in columns 13-20, longitude in 22-30");
    // Missing elevations are written -999.0 or 9999.0.
    if (m.elevation && (*m.elevation <= -999 || *m.elevation >= 9999)) m.elevation.reset();
    std::string name = line.size() > 38 ? std::string(trim(line.substr(38, 30))) : "";
    for (char& c : name) {
      if (c == '_') c = ' ';
    }
    m.name = to_utf8(name);
    const std::string id(trim(line.substr(0, 11)));
    // The country: the FIPS letters of a v4 ID, the three digits of a v3 one.
    m.country = id.size() == 11 && id[0] >= '0' && id[0] <= '9' ? id.substr(0, 3) : id.substr(0, 2);
    stations_[id] = m;
  }
}

// STAID,STANAME,CN,LAT,LON,HGHT after the title line.
void Inventory::add_ecad(const Input& in) {
  Lines lines(in.bytes, in.more);
  std::string_view line;
  bool table = false;
  while (lines.next(line)) {
    if (!table) {
      table = line.starts_with("STAID,STANAME");
      continue;
    }
    if (blank(line)) continue;
    const auto f = split_on(line, ',');
    const auto staid = f.empty() ? std::nullopt : whole_integer(f[0]);
    if (f.size() < 6 || !staid) malformed(in.name, lines.number(), "STAID,STANAME,CN,LAT,LON,HGHT");
    StationMeta m;
    m.name = to_utf8(f[1]);
    m.country = std::string(f[2]);
    m.latitude = dms(f[3]);
    m.longitude = dms(f[4]);
    if (auto h = whole_number(f[5]); h && h->value > -999) m.elevation = h->value;
    stations_[std::to_string(*staid)] = m;
  }
  if (!table) malformed(in.name, 0, "the title line STAID,STANAME,CN,LAT,LON,HGHT");
}

const StationMeta* Inventory::find(const std::string& id) const {
  const auto it = stations_.find(id);
  return it == stations_.end() ? nullptr : &it->second;
}

bool join(const Inventory& inventory, Station& s) {
  const StationMeta* m = inventory.find(s.id);
  if (!m) return false;
  if (!m->name.empty()) s.name = m->name;
  if (!m->country.empty()) s.country = m->country;
  s.latitude = m->latitude;
  s.longitude = m->longitude;
  s.elevation = m->elevation;
  return true;
}

}  // namespace arb::import
