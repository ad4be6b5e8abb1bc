// SPDX-License-Identifier: GPL-3.0-or-later
// KNMI and Climate Explorer files: a header ("#" lines with "key :: value"
// metadata, or plain text), then data as a year and up to twelve values (a
// short last year padded), as "year month value", as "fractional-year
// value", or KNMI's "STN YYYYMMDD value" with one month a line.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>

namespace arb::import {

namespace {

enum class Shape { unknown, year_table, year_month, fraction, station_date };

constexpr double kClimexpMissing = -999.9;

struct Cells {
  std::vector<Decimal> n;
  bool all_numbers = false;
};

Cells cells_of(std::string_view line) {
  Cells c;
  std::vector<std::string_view> t = split_blanks(line);
  if (t.size() == 1 || (t.size() > 1 && t[0].back() == ',')) t = split_on(line, ',');  // "260,19010131,-.424"
  for (auto token : t) {
    auto d = whole_number(token);
    if (!d) return c;
    c.n.push_back(*d);
  }
  c.all_numbers = !c.n.empty();
  return c;
}

Shape shape_of(const Cells& c) {
  if (!c.all_numbers || c.n.size() < 2 || c.n[0].value < 0) return Shape::unknown;
  if (c.n.size() == 3 && c.n[1].decimals == 0 && c.n[1].value >= 19000000 && c.n[0].decimals == 0)
    return Shape::station_date;
  if (c.n[0].decimals > 0) return c.n.size() == 2 ? Shape::fraction : Shape::unknown;
  if (c.n.size() == 3 && c.n[1].decimals == 0 && c.n[1].value >= 1 && c.n[1].value <= 12) return Shape::year_month;
  return c.n.size() <= 13 ? Shape::year_table : Shape::unknown;
}

// "# key :: value" and "# name [units] long name" lines.
void header_line(Station& s, std::string_view line, std::string& title) {
  line = trim(line.substr(1));
  const std::size_t sep = line.find("::");
  if (sep != std::string_view::npos) {
    const std::string key = lower(trim(line.substr(0, sep)));
    const std::string_view value = trim(line.substr(sep + 2));
    auto number = [&] {
      auto d = leading_number(value);
      return d ? std::optional<double>(d->value) : std::nullopt;
    };
    if (key == "station_name") s.name = to_utf8(value);
    if (key == "station_code" || key == "wmo_code") s.id = std::string(value);
    if (key == "station_country") s.country = to_utf8(value);
    if (key == "latitude") s.latitude = number();
    if (key == "longitude") s.longitude = number();
    if (key == "elevation") s.elevation = number();
    if (key == "title" && title.empty()) title = to_utf8(value);
    return;
  }
  const std::size_t open = line.find(" [");
  const std::size_t close = line.find(']');
  if (s.units.empty() && open != std::string_view::npos && close != std::string_view::npos && close > open &&
      line.substr(0, open).find(' ') == std::string_view::npos) {
    s.element = std::string(line.substr(0, open));
    s.units = std::string(line.substr(open + 2, close - open - 2));
    if (title.empty()) title = to_utf8(trim(line.substr(close + 1)));
  } else if (title.empty() && line.find('<') == std::string_view::npos) {
    title = to_utf8(line);
  }
}

struct Reading {
  const Input& in;
  const Options& o;
  Station& s;
  Shape shape = Shape::unknown;
  std::optional<double> missing;
};

double value_of(Reading& r, const Decimal& d) {
  r.s.decimals = std::max(r.s.decimals, d.decimals);
  if (d.value == kClimexpMissing || (r.missing && d.value == *r.missing)) return kNoValue;
  return d.value;
}

void data_line(Reading& r, const Cells& c, long number) {
  // Casts below need numbers in range: a year or a station, then a month or a date.
  const bool second = r.shape == Shape::year_month || r.shape == Shape::station_date;
  for (std::size_t i = 0; i < (second ? std::min<std::size_t>(c.n.size(), 2) : 1); ++i) {
    if (!(c.n[i].value >= 0 && c.n[i].value < 1e8)) malformed(r.in.name, number, "a year (or station and date) first");
  }
  const auto year = static_cast<int>(c.n[0].value);
  switch (r.shape) {
    case Shape::year_table: {
      if (c.n.size() > 13 || c.n[0].decimals > 0) malformed(r.in.name, number, "a year and at most twelve values");
      std::array<double, 12> v;
      v.fill(kNoValue);
      for (std::size_t m = 1; m < c.n.size(); ++m) v[m - 1] = value_of(r, c.n[m]);
      put_year(r.s, year, v, number);
      break;
    }
    case Shape::year_month:
      if (c.n.size() != 3 || c.n[1].value < 1 || c.n[1].value > 12) malformed(r.in.name, number, "year, month, value");
      put_month(r.s, year, static_cast<int>(c.n[1].value), value_of(r, c.n[2]), number);
      break;
    case Shape::fraction: {
      if (c.n.size() != 2) malformed(r.in.name, number, "a fractional year and a value");
      const int month = std::clamp(static_cast<int>((c.n[0].value - year) * 12) + 1, 1, 12);
      put_month(r.s, year, month, value_of(r, c.n[1]), number);
      break;
    }
    case Shape::station_date: {
      if (c.n.size() != 3) malformed(r.in.name, number, "station, date YYYYMMDD, value");
      const auto date = static_cast<long>(c.n[1].value);
      const int month = static_cast<int>(date / 100 % 100);
      if (c.n.size() != 3 || month < 1 || month > 12) malformed(r.in.name, number, "station, date YYYYMMDD, value");
      if (r.s.id.empty()) r.s.id = std::to_string(static_cast<long>(c.n[0].value));
      put_month(r.s, static_cast<int>(date / 10000), month, value_of(r, c.n[2]), number);
      break;
    }
    case Shape::unknown:
      break;
  }
}

}  // namespace

bool is_climexp(std::string_view bytes) {
  Lines lines(bytes);
  std::string_view line;
  for (int i = 0; i < 60 && lines.next(line); ++i) {
    if (shape_of(cells_of(line)) != Shape::unknown) return true;
  }
  return false;
}

void read_climexp(const Input& in, const Context& cx, std::vector<Station>& out, FileReport&) {
  Station s = new_station(in, "climexp", "");
  Reading r{in, cx.options, s, Shape::unknown, std::nullopt};
  if (cx.options.missing) {
    if (auto d = whole_number(*cx.options.missing)) r.missing = d->value;
  }
  std::string title;
  Lines lines(in.bytes);
  std::string_view line;
  while (lines.next(line)) {
    if (blank(line)) continue;
    if (line.starts_with('#')) {
      header_line(s, line, title);
      continue;
    }
    if (line.starts_with("STN,YYYYMMDD,")) s.element = std::string(trim(line.substr(13)));
    const Cells c = cells_of(line);
    if (r.shape == Shape::unknown) {
      r.shape = shape_of(c);
      if (r.shape == Shape::station_date) s.source_format = "knmi";
      if (r.shape == Shape::unknown) continue;  // a header line of plain text
    }
    if (!c.all_numbers) malformed(in.name, lines.number(), "a data line of numbers like the lines before it");
    data_line(r, c, lines.number());
  }
  if (r.shape == Shape::unknown) malformed(in.name, 0, "data lines of a year and monthly values");
  if (s.id.empty()) s.id = file_stem(in.name);
  if (s.name.empty()) s.name = title.empty() ? s.id : title;
  s.decimals = std::max(s.decimals, 2);
  if (!cx.options.element.empty() && s.element.empty()) s.element = cx.options.element;
  out.push_back(std::move(s));
}

}  // namespace arb::import
