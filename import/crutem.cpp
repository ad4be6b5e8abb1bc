// SPDX-License-Identifier: GPL-3.0-or-later
// CRUTEM station files: "key= value" header lines, "Obs:", then a year and
// twelve monthly means (source codes may follow); -99 is missing, years
// before "First Good year" are suspect and dropped, and the header's
// longitude is negative to the east.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>

namespace arb::import {

namespace {

struct Header {
  int first_good = 0;
};

void header_line(Station& s, Header& h, std::string_view line) {
  const std::size_t eq = line.find('=');
  if (eq == std::string_view::npos) return;
  const std::string key(trim(line.substr(0, eq)));
  const std::string_view value = trim(line.substr(eq + 1));
  const auto number = whole_number(value);
  if (key == "Number") s.id = std::string(value);
  if (key == "Name") s.name = to_utf8(value);
  if (key == "Country") s.country = to_utf8(value);
  if (key == "Lat" && number) s.latitude = number->value;
  if (key == "Long" && number) s.longitude = number->value == 0 ? 0 : -number->value;
  if (key == "Height" && number && number->value > -999) s.elevation = number->value;
  if (key == "First Good year" && number) h.first_good = static_cast<int>(std::clamp(number->value, -1e6, 1e6));
}

}  // namespace

bool is_crutem(std::string_view bytes) {
  return bytes.starts_with("Number=") && bytes.find("\nObs:") != std::string_view::npos;
}

void read_crutem(const Input& in, const Context& cx, std::vector<Station>& out, FileReport&) {
  Station s = new_station(in, "crutem", "");
  s.element = "TAVG";
  s.units = "degC";
  Header h;
  Lines lines(in.bytes);
  std::string_view line;
  bool obs = false;
  while (lines.next(line)) {
    if (!obs) {
      obs = trim(line) == "Obs:";
      header_line(s, h, line);
      continue;
    }
    if (blank(line)) continue;
    const auto t = split_blanks(line);
    const auto year = t.empty() ? std::nullopt : whole_integer(t[0]);
    if (!year || t.size() < 13) malformed(in.name, lines.number(), "a year and twelve monthly values");
    std::array<double, 12> v;
    for (std::size_t m = 0; m < 12; ++m) {
      auto d = whole_number(t[m + 1]);
      if (!d) malformed(in.name, lines.number(), "a number for month " + std::to_string(m + 1));
      s.decimals = std::max(s.decimals, d->decimals);
      v[m] = d->value <= -99 ? kNoValue : d->value;
      // Years before the first good year are suspect.
      if (*year < h.first_good && has_value(v[m])) {
        ++s.dropped;
        v[m] = kNoValue;
      }
    }
    put_year(s, static_cast<int>(*year), v, lines.number());
  }
  if (!obs) malformed(in.name, 0, "the line Obs: before the data");
  if (s.id.empty()) s.id = file_stem(in.name);
  s.decimals = std::max(s.decimals, 2);
  if (cx.selection.admits(s)) out.push_back(std::move(s));
}

}  // namespace arb::import
