// SPDX-License-Identifier: GPL-3.0-or-later
// CSV kept in spreadsheets: long (station, year, month, variables... or
// station, date, value) and wide ([station,] year, JAN..DEC in any case),
// comma or semicolon separated (decimal commas with semicolons), missing
// as NA, empty or --missing CODE.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>
#include <map>

namespace arb::import {

namespace {

constexpr const char* kMonths[] = {"jan", "feb", "mar", "apr", "may", "jun",
                                   "jul", "aug", "sep", "oct", "nov", "dec"};

char separator_of(std::string_view header) { return header.find(';') != std::string_view::npos ? ';' : ','; }

std::string unquoted(std::string_view s) {
  s = trim(s);
  if (s.size() >= 2 && s.front() == '"' && s.back() == '"') s = s.substr(1, s.size() - 2);
  return std::string(s);
}

struct Columns {
  int station = -1, year = -1, month = -1, date = -1, value = -1;
  std::array<int, 12> months;
  std::vector<std::string> names;
  Columns() { months.fill(-1); }
  bool wide() const { return year >= 0 && std::all_of(months.begin(), months.end(), [](int c) { return c >= 0; }); }
};

Columns columns_of(std::string_view header, char sep) {
  Columns c;
  const auto f = split_on(header, sep);
  for (std::size_t i = 0; i < f.size(); ++i) {
    const std::string name = lower(unquoted(f[i]));
    c.names.push_back(name);
    const int at = static_cast<int>(i);
    if (name == "station" || name == "id" || name == "station_id") c.station = at;
    if (name == "year") c.year = at;
    if (name == "month") c.month = at;
    if (name == "date") c.date = at;
    for (std::size_t m = 0; m < 12; ++m) {
      if (name.size() >= 3 && name.size() <= 9 && name.starts_with(kMonths[m])) c.months[m] = at;
    }
  }
  return c;
}

struct Reading {
  const Input& in;
  const Options& o;
  char sep, point;
  std::map<std::string, std::size_t> index;
  std::vector<Station> found;
};

Station& station_of(Reading& r, const std::string& id, const std::string& element) {
  auto [it, fresh] = r.index.try_emplace(id, r.found.size());
  if (fresh) {
    Station s = new_station(r.in, "csv", id);
    s.name = to_utf8(id);
    s.element = element;
    r.found.push_back(std::move(s));
  }
  return r.found[it->second];
}

double cell(Reading& r, Station& s, std::string_view text, long line) {
  const std::string t = unquoted(text);
  if (t.empty() || t == "NA" || t == "NaN" || (r.o.missing && t == *r.o.missing)) return kNoValue;
  auto d = whole_number(t, r.point);
  if (!d) malformed(r.in.name, line, "a number, NA or an empty field, not \"" + to_utf8(t) + "\"");
  s.decimals = std::max(s.decimals, d->decimals);
  return d->value;
}

int integer_cell(Reading& r, const std::vector<std::string_view>& f, int column, long line, const char* what) {
  const auto v = whole_integer(unquoted(f[static_cast<std::size_t>(column)]));
  if (!v || *v < -100000 || *v > 100000) malformed(r.in.name, line, std::string("an integer ") + what);
  return static_cast<int>(*v);
}

// The variable of a long file: --variable, --element, or the first.
int variable_column(const Reading& r, const Columns& c) {
  const std::string wanted = lower(!r.o.variable.empty() ? r.o.variable : r.o.element);
  for (std::size_t i = 0; i < c.names.size(); ++i) {
    const int at = static_cast<int>(i);
    if (at == c.station || at == c.year || at == c.month || at == c.date) continue;
    if (wanted.empty() || c.names[i] == wanted) return at;
  }
  throw ImportError(r.in.name + ":1: no column " + (wanted.empty() ? "of values" : "named " + wanted) +
                    " (--variable NAME)");
}

}  // namespace

bool is_csv(std::string_view bytes) {
  Lines lines(bytes);
  std::string_view header, first;
  if (!lines.next(header) || !lines.next(first)) return false;
  const char sep = separator_of(header);
  const Columns c = columns_of(header, sep);
  return first.find(sep) != std::string_view::npos && (c.year >= 0 || c.date >= 0);
}

void read_csv(const Input& in, const Context& cx, std::vector<Station>& out, FileReport&) {
  Lines lines(in.bytes);
  std::string_view line;
  lines.next(line);
  const char sep = separator_of(line);
  Reading r{in, cx.options, sep, sep == ';' ? ',' : '.', {}, {}};
  const Columns c = columns_of(line, sep);
  const bool wide = c.wide();
  if (!wide && (c.year < 0 || c.month < 0) && c.date < 0) {
    malformed(in.name, 1, "a title line with year and JAN..DEC, or year and month, or date");
  }
  const int value = wide ? -1 : variable_column(r, c);
  const std::string element = wide ? cx.options.variable : c.names[static_cast<std::size_t>(std::max(value, 0))];
  const std::size_t need = c.names.size();
  while (lines.next(line)) {
    if (blank(line)) continue;
    const auto f = split_on(line, sep);
    if (f.size() < need) malformed(in.name, lines.number(), std::to_string(need) + " fields like the title line");
    const std::string id = c.station >= 0 ? to_utf8(unquoted(f[static_cast<std::size_t>(c.station)])) : file_stem(in.name);
    Station& s = station_of(r, id, element);
    const long n = lines.number();
    if (wide) {
      std::array<double, 12> v;
      for (std::size_t m = 0; m < 12; ++m) v[m] = cell(r, s, f[static_cast<std::size_t>(c.months[m])], n);
      put_year(s, integer_cell(r, f, c.year, n, "year"), v, n);
      continue;
    }
    int year, month;
    if (c.date >= 0 && (c.year < 0 || c.month < 0)) {
      // YYYY-MM or YYYY-MM-DD
      const std::string d = unquoted(f[static_cast<std::size_t>(c.date)]);
      const auto y = d.size() >= 7 ? whole_integer(d.substr(0, 4)) : std::nullopt;
      const auto m = d.size() >= 7 && d[4] == '-' ? whole_integer(d.substr(5, 2)) : std::nullopt;
      if (!y || !m) malformed(in.name, n, "a date YYYY-MM or YYYY-MM-DD");
      year = static_cast<int>(*y);
      month = static_cast<int>(*m);
    } else {
      year = integer_cell(r, f, c.year, n, "year");
      month = integer_cell(r, f, c.month, n, "month");
    }
    if (month < 1 || month > 12) malformed(in.name, n, "a month from 1 to 12");
    put_month(s, year, month, cell(r, s, f[static_cast<std::size_t>(value)], n), n);
  }
  for (Station& s : r.found) {
    if (cx.selection.admits(s)) out.push_back(std::move(s));
  }
}

}  // namespace arb::import
