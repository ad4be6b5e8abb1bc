// SPDX-License-Identifier: GPL-3.0-or-later
// NOAA nClimDiv files: a 10-character key (state code, division, element,
// year), then twelve values in 7 columns each; units as published (inches,
// degrees Fahrenheit) unless --si converts them.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace arb::import {

namespace {

struct Element {
  const char* code;
  const char* name;
  const char* units;
  double missing;
};

constexpr Element kElements[] = {
    {"01", "pcpn", "inches", -9.99}, {"02", "tmpc", "degF", -99.90}, {"27", "tmax", "degF", -99.90},
    {"28", "tmin", "degF", -99.90},  {"05", "pdsi", "", -99.99},     {"06", "phdi", "", -99.99},
    {"07", "zndx", "", -99.99},      {"08", "pmdi", "", -99.99},     {"25", "hddc", "", -9999.},
    {"26", "cddc", "", -9999.},
};

const Element* element_of(std::string_view code) {
  for (const Element& e : kElements) {
    if (code == e.code) return &e;
  }
  return nullptr;
}

bool key_line(std::string_view line) {
  if (line.size() < 94) return false;
  for (std::size_t i = 0; i < 10; ++i) {
    if (line[i] < '0' || line[i] > '9') return false;
  }
  return line[10] == ' ';
}

double converted(double v, const Element& e, bool si) {
  if (!si) return v;
  if (std::string_view(e.units) == "degF") return std::round((v - 32) * 5 / 9 * 100) / 100;
  if (std::string_view(e.units) == "inches") return std::round(v * 25.4 * 100) / 100;
  return v;
}

}  // namespace

bool is_nclimdiv(std::string_view bytes) {
  Lines lines(bytes);
  std::string_view line;
  return lines.next(line) && key_line(line);
}

void read_nclimdiv(const Input& in, const Context& cx, std::vector<Station>& out, FileReport& report) {
  const Options& o = cx.options;
  std::map<std::string, std::size_t> index;
  std::vector<Station> found;
  std::string wanted = lower(o.element);
  long others = 0;
  Lines lines(in.bytes);
  std::string_view line;
  while (lines.next(line)) {
    if (blank(line)) continue;
    if (!key_line(line)) malformed(in.name, lines.number(), "a 10-digit key and twelve values in columns 11-94");
    const Element* e = element_of(line.substr(4, 2));
    if (!e) malformed(in.name, lines.number(), "an element code in columns 5-6 (01 precipitation, 02 temperature, ...)");
    if (wanted.empty()) wanted = e->name;
    if (wanted != e->name && wanted != e->code) {
      ++others;
      continue;
    }
    const std::string id(line.substr(0, 4));
    auto [it, fresh] = index.try_emplace(id, found.size());
    if (fresh) {
      Station s = new_station(in, "nclimdiv", id);
      s.element = e->name;
      const bool si = o.si && *e->units;
      s.units = si ? (std::string_view(e->units) == "degF" ? "degC" : "mm") : e->units;
      found.push_back(std::move(s));
    }
    Station& s = found[it->second];
    std::array<double, 12> v;
    for (std::size_t m = 0; m < 12; ++m) {
      auto d = whole_number(line.substr(10 + 7 * m, 7));
      if (!d) malformed(in.name, lines.number(), "a number in columns " + std::to_string(11 + 7 * m) + "-" +
                                                     std::to_string(17 + 7 * m));
      s.decimals = std::max(s.decimals, d->decimals);
      v[m] = std::abs(d->value - e->missing) < 1e-9 ? kNoValue : converted(d->value, *e, o.si);
    }
    put_year(s, static_cast<int>(*whole_integer(line.substr(6, 4))), v, lines.number());
  }
  for (Station& s : found) {
    if (cx.selection.admits(s)) out.push_back(std::move(s));
  }
  if (others > 0) report.notes.push_back(std::to_string(others) + " lines of other elements passed over");
}

}  // namespace arb::import
