// SPDX-License-Identifier: GPL-3.0-or-later
// GHCN-Monthly v3 and v4 data files: one line per station, year and
// element, read by fixed columns (a -9999 touches the field before it).
// The selection is applied as the lines stream past, so that a file of the
// whole world holds only the chosen stations in memory.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>
#include <unordered_map>

namespace arb::import {

namespace {

constexpr std::size_t kIdWidth = 11;
constexpr std::size_t kLastValueEnd = 112;  // VALUE12 ends in column 112

bool digits(std::string_view s) {
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return !s.empty();
}

bool upper_letters(std::string_view s) {
  for (char c : s) {
    if (c < 'A' || c > 'Z') return false;
  }
  return !s.empty();
}

// Right-justified integer in 5 columns, blanks before it.
bool value_field(std::string_view f, long& v) {
  std::size_t i = 0;
  while (i < f.size() && f[i] == ' ') ++i;
  bool neg = false;
  if (i < f.size() && f[i] == '-') {
    neg = true;
    ++i;
  }
  if (i == f.size()) return false;
  long n = 0;
  for (; i < f.size(); ++i) {
    if (f[i] < '0' || f[i] > '9') return false;
    n = n * 10 + (f[i] - '0');
  }
  v = neg ? -n : n;
  return true;
}

bool ghcn_line(std::string_view line) {
  return line.size() >= kLastValueEnd && digits(line.substr(11, 4)) && upper_letters(line.substr(15, 4));
}

struct Reading {
  const Input& in;
  const Context& cx;
  std::vector<Station>& out;
  FileReport& report;
  std::unordered_map<std::string, long> index;  // ID -> station in out, -1 left out
  std::string element;
  long skipped_elements = 0;
};

long station_for(Reading& r, std::string_view id_field) {
  const std::string id(trim(id_field));
  if (auto it = r.index.find(id); it != r.index.end()) return it->second;
  const bool v3 = digits(id);
  Station s = new_station(r.in, v3 ? "ghcnm-v3" : "ghcnm-v4", id);
  s.country = v3 ? id.substr(0, 3) : id.substr(0, 2);
  s.no_inventory = !join(r.cx.inventory, s) && !r.cx.inventory.empty();
  s.units = "degC";
  long at = -1;
  if (r.cx.selection.admits(s)) {
    at = static_cast<long>(r.out.size());
    r.out.push_back(std::move(s));
  }
  r.index.emplace(id, at);
  return at;
}

void read_values(Reading& r, Station& s, std::string_view line, long number) {
  std::array<double, 12> v;
  for (std::size_t m = 0; m < 12; ++m) {
    const std::size_t at = 19 + 8 * m;
    long n = 0;
    if (!value_field(line.substr(at, 5), n)) {
      malformed(r.in.name, number,
                "an integer in hundredths in columns " + std::to_string(at + 1) + "-" + std::to_string(at + 5) +
                    " (month " + std::to_string(m + 1) + ")");
    }
    v[m] = n == -9999 ? kNoValue : static_cast<double>(n) / 100.0;
    const char dm = at + 5 < line.size() ? line[at + 5] : ' ';
    const char qc = at + 6 < line.size() ? line[at + 6] : ' ';
    if (qc != ' ') v[m] = flagged_value(s, v[m], r.cx.options);
    if (dm == 'E') v[m] = estimated_value(s, v[m], r.cx.options);  // estimated by homogenisation
  }
  if (!digits(line.substr(11, 4))) malformed(r.in.name, number, "a year in columns 12-15");
  put_year(s, static_cast<int>(*field_integer(line, 11, 4)), v, number);
}

}  // namespace

bool is_ghcn(std::string_view bytes) {
  Lines lines(bytes);
  std::string_view line;
  while (lines.next(line)) {
    if (!blank(line)) return ghcn_line(line);
  }
  return false;
}

void read_ghcn(const Input& in, const Context& cx, std::vector<Station>& out, FileReport& report) {
  Reading r{in, cx, out, report, {}, cx.options.element, 0};
  for (char& c : r.element) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
  Lines lines(in.bytes, in.more);
  std::string_view line;
  char id_buffer[kIdWidth];
  std::string_view last_id;  // the station of the line before, in id_buffer
  long at = -1;
  while (lines.next(line)) {
    // The same station as the line before: most lines of a large file.
    if (!last_id.empty() && line.size() >= kLastValueEnd && line.substr(0, kIdWidth) == last_id) {
      if (at < 0) continue;
    } else {
      if (blank(line)) continue;
      if (!ghcn_line(line)) {
        malformed(in.name, lines.number(),
                  "a GHCN-Monthly line: station ID in columns 1-11, year in 12-15, element in 16-19, "
                  "twelve values with their flags up to column 115");
      }
      std::copy_n(line.data(), kIdWidth, id_buffer);
      last_id = std::string_view(id_buffer, kIdWidth);
      at = station_for(r, last_id);
      if (at < 0) continue;
    }
    const std::string_view element = line.substr(15, 4);
    if (r.element.empty()) r.element = std::string(element);
    if (element != r.element) {
      ++r.skipped_elements;
      continue;
    }
    Station& s = out[static_cast<std::size_t>(at)];
    s.element = r.element;
    read_values(r, s, line, lines.number());
  }
  // A station whose lines all held another element is none of this file's.
  std::erase_if(out, [&](const Station& s) { return s.source_file == in.name && s.element.empty(); });
  if (r.skipped_elements > 0) {
    report.notes.push_back(std::to_string(r.skipped_elements) + " lines of other elements than " + r.element +
                           " passed over");
  }
}

}  // namespace arb::import
