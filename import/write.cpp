// SPDX-License-Identifier: GPL-3.0-or-later
// The texts written: the data file, the station table, the answers file
// and the report.
#include "layout.h"
#include "selection.h"
#include "station.h"
#include "text.h"

#include "station_import.h"

#include <cstdio>

namespace arb::import {

namespace {

constexpr std::size_t kTitleWidth = 80;

bool ascii_letter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// "Oxford (oxford) tmax degC": a letter first, at most 80 bytes.
std::string title(const Station& s) {
  std::string tail = " (" + s.id + ")";
  for (const std::string* part : {&s.element, &s.units}) {
    if (!part->empty()) tail += " " + *part;
  }
  std::string name = s.name.empty() ? "Station" : s.name;
  if (!ascii_letter(name[0])) name = "Station " + name;
  const std::size_t room = tail.size() < kTitleWidth - 12 ? kTitleWidth - tail.size() : 12;
  return utf8_prefix(utf8_prefix(name, room) + tail, kTitleWidth);
}

std::string csv_field(const std::string& s) {
  if (s.find_first_of(",\"\n") == std::string::npos) return s;
  std::string q = "\"";
  for (char c : s) q += c == '"' ? std::string("\"\"") : std::string(1, c);
  return q + "\"";
}

std::string number(const std::optional<double>& v) {
  if (!v) return "";
  char buf[32];
  std::snprintf(buf, sizeof buf, "%.4f", *v == 0 ? 0.0 : *v);
  std::string s = buf;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

long months_kept(const Station& s) {
  long n = 0;
  for (const auto& [year, row] : s.years) {
    for (double v : row.value) n += has_value(v);
  }
  return n;
}

}  // namespace

std::string data_file_text(const Imported& im) {
  const Layout& l = im.layout;
  std::string t;
  for (const Station& s : im.stations) {
    t += title(s) + "\n";
    // Every year from the first to the last, a year without values as flags.
    for (int y = s.years.begin()->first; y <= s.years.rbegin()->first; ++y) {
      char year[16];
      std::snprintf(year, sizeof year, "%4d", y);
      t += year;
      const auto it = s.years.find(y);
      for (std::size_t m = 0; m < 12; ++m) {
        const bool value = it != s.years.end() && has_value(it->second.value[m]);
        t += value ? field(it->second.value[m], l.width, l.decimals)
                   : std::string(static_cast<std::size_t>(l.width) - l.flag.size(), ' ') + l.flag;
      }
      t += "\n";
    }
  }
  return t;
}

std::string stations_csv_text(const Imported& im) {
  std::string t =
      "series,id,name,latitude,longitude,elevation,country,element,units,source_format,source_file,first_year,"
      "last_year,months_kept,months_dropped,months_estimated\n";
  int k = 0;
  for (const Station& s : im.stations) {
    t += std::to_string(++k) + "," + csv_field(to_utf8(s.id)) + "," + csv_field(s.name) + "," + number(s.latitude) +
         "," + number(s.longitude) + "," + number(s.elevation) + "," + csv_field(s.country) + "," +
         csv_field(s.element) + "," + csv_field(s.units) + "," + s.source_format + "," +
         csv_field(to_utf8(base_name(s.source_file))) + "," + std::to_string(s.years.begin()->first) + "," +
         std::to_string(s.years.rbegin()->first) + "," + std::to_string(months_kept(s)) + "," +
         std::to_string(s.dropped) + "," + std::to_string(s.estimated) + "\n";
  }
  return t;
}

std::string average_file_name(const std::string& out) {
  const std::size_t slash = out.find_last_of('/');
  const std::size_t dot = out.find_last_of('.');
  const bool extension = dot != std::string::npos && dot > (slash == std::string::npos ? 0 : slash + 1);
  return (extension ? out.substr(0, dot) : out) + ".average.txt";
}

// The welcome, the two files, no header line, every month as its own
// variable, the own format and its flag, the interval kept, method 3, and
// the line that ends the run.
std::string answers_text(const Imported& im, const std::string& out) {
  return "\n" + out + "\n0\n" + average_file_name(out) + "\n111111111111\n5\n" + im.layout.own_format + "\n" +
         im.layout.flag + "\nn\n3\n\n";
}

std::string report_text(const Imported& im, const std::string& out) {
  std::string t;
  long all_years = 0;
  for (const FileReport& f : im.files) {
    t += f.file + ": " + f.format + ", " + std::to_string(f.stations) + " station" + (f.stations == 1 ? "" : "s") +
         ", " + std::to_string(f.years) + " years written";
    if (f.dropped) t += ", " + std::to_string(f.dropped) + " values dropped by flags";
    if (f.estimated) t += ", " + std::to_string(f.estimated) + " estimated values kept";
    if (f.no_inventory) t += ", " + std::to_string(f.no_inventory) + " not in the inventory (no coordinates)";
    t += "\n";
    for (const std::string& n : f.notes) t += "  note: " + n + "\n";
    all_years += f.years;
  }
  t += "Wrote " + out + " (" + std::to_string(im.stations.size()) + " stations, " + std::to_string(all_years) +
       " years), " + out + ".stations.csv and " + out + ".answers.txt\n";
  t += "The dialogue's answers: format number 5, own format " + im.layout.own_format + ", missing value flag " +
       im.layout.flag + "\n";
  t += "Run: arborix-term < " + out + ".answers.txt\n";
  return t;
}

}  // namespace arb::import
