// SPDX-License-Identifier: GPL-3.0-or-later
// ECA&D daily series: a header, the title line "STAID, SOUID, DATE, TG,
// Q_TG", then one line per day in 0.1 units with a quality code (0 valid,
// 1 suspect, 9 missing).  Monthly values are made from the days: a mean
// needs fewer than 11 missing days and no run of 5; a total needs them all.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>

#include <map>

namespace arb::import {

namespace {

int days_in(int year, int month) {
  static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
  return month == 2 && leap ? 29 : days[month - 1];
}

struct Day {
  double value = 0;
  bool valid = false, suspect = false;
};

struct Month {
  std::array<Day, 31> day{};
  long line = 0;
};

// The month's value, or none when too many days are missing.
std::optional<double> monthly(const Month& m, int days, bool total, bool use_suspect) {
  int missing = 0, run = 0, longest = 0, n = 0;
  double sum = 0;
  for (int d = 0; d < days; ++d) {
    const Day& day = m.day[static_cast<std::size_t>(d)];
    if (day.valid && (use_suspect || !day.suspect)) {
      sum += day.value;
      ++n;
      run = 0;
    } else {
      ++missing;
      longest = std::max(longest, ++run);
    }
  }
  if (total ? missing > 0 : missing >= 11 || longest >= 5) return std::nullopt;
  return total ? sum : sum / n;
}

// "This is the blended series of station STENSELE, SWEDEN (STAID: 3)".
void name_from_header(Station& s, std::string_view line) {
  constexpr std::string_view lead = "series of station ";
  const std::size_t at = line.find(lead);
  if (at == std::string_view::npos) return;
  std::string_view rest = line.substr(at + lead.size());
  rest = rest.substr(0, rest.find(" (STAID"));
  const std::size_t comma = rest.rfind(", ");
  s.name = to_utf8(trim(rest.substr(0, comma)));
}

struct DayLine {
  long staid;
  int year, month, day;
  long value, q;
};

// "     3, 37076,18850101,  -30,    0"
std::optional<DayLine> parse_day(std::string_view line) {
  const auto f = split_on(line, ',');
  if (f.size() != 5) return std::nullopt;
  const auto staid = whole_integer(f[0]), date = whole_integer(f[2]), value = whole_integer(f[3]),
             q = whole_integer(f[4]);
  if (!staid || !date || !value || !q) return std::nullopt;
  DayLine d{*staid, static_cast<int>(*date / 10000), static_cast<int>(*date / 100 % 100),
            static_cast<int>(*date % 100), *value, *q};
  if (d.month < 1 || d.month > 12 || d.year < 1 || d.day < 1 || d.day > days_in(d.year, d.month)) return std::nullopt;
  return d;
}

struct Series {
  Station station;
  std::map<std::pair<int, int>, Month> months;
};

}  // namespace

bool is_ecad(std::string_view bytes) {
  return bytes.find("STAID, SOUID,") != std::string_view::npos ||
         bytes.substr(0, 200).find("EUROPEAN CLIMATE ASSESSMENT") != std::string_view::npos;
}

void read_ecad(const Input& in, const Context& cx, std::vector<Station>& out, FileReport& report) {
  Lines lines(in.bytes);
  std::string_view line;
  std::string element, header_name;
  Station header = new_station(in, "ecad", "");
  while (element.empty() && lines.next(line)) {
    name_from_header(header, line);
    if (line.starts_with("STAID, SOUID,")) {
      const auto f = split_on(line, ',');
      element = f.size() >= 4 ? std::string(f[3]) : "";
    }
  }
  if (element.empty()) malformed(in.name, lines.number(), "the title line STAID, SOUID, DATE, <element>, Q_<element>");
  const bool total = element == "RR" || element == "SS";
  std::map<std::string, Series> series;
  std::vector<std::string> order;
  long suspect = 0;
  while (lines.next(line)) {
    if (blank(line)) continue;
    const auto day_line = parse_day(line);
    if (!day_line) malformed(in.name, lines.number(), "STAID, SOUID, DATE (YYYYMMDD), value in 0.1 units, quality code");
    const auto [staid, year, month, day, value, q] = *day_line;
    const std::string id = std::to_string(staid);
    auto [it, fresh] = series.try_emplace(id);
    if (fresh) {
      order.push_back(id);
      it->second.station = header;
      it->second.station.id = id;
    }
    Month& m = it->second.months[{year, month}];
    if (m.line == 0) m.line = lines.number();
    Day& d = m.day[static_cast<std::size_t>(day - 1)];
    d.valid = q != 9 && value != -9999;
    d.suspect = q == 1;
    d.value = static_cast<double>(value) / 10.0;
    if (d.valid && d.suspect) ++suspect;
  }
  for (const std::string& id : order) {
    Series& ser = series[id];
    Station& s = ser.station;
    s.element = element;
    s.units = total ? "mm" : "degC";
    s.no_inventory = !join(cx.inventory, s) && !cx.inventory.empty();
    for (const auto& [ym, m] : ser.months) {
      const int days = days_in(ym.first, ym.second);
      auto v = monthly(m, days, total, cx.options.keep_flagged);
      if (!v && monthly(m, days, total, true)) ++s.dropped;
      put_month(s, ym.first, ym.second, v ? *v : kNoValue, m.line);
    }
    if (cx.selection.admits(s)) out.push_back(std::move(s));
  }
  if (suspect > 0 && !cx.options.keep_flagged) {
    report.notes.push_back(std::to_string(suspect) + " suspect days (quality code 1) left out of the monthly values");
  }
}

}  // namespace arb::import
