// SPDX-License-Identifier: GPL-3.0-or-later
// The Met Office's historic station files: a header of varying length,
// then one line per month with five variables split on blanks; "---" is
// missing, "*" estimated, "#" and "$" name the sunshine instrument or site,
// and notes may be glued onto the last number.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>

namespace arb::import {

namespace {

bool month_line(const std::vector<std::string_view>& t) {
  if (t.size() < 2 || t[0].size() != 4) return false;
  const auto year = whole_integer(t[0]);
  const auto month = whole_integer(t[1]);
  return year && month && *month >= 1 && *month <= 12;
}

// The number after a word of the header ("Lat 51.761", "Lon -1.262").
std::optional<double> after_word(std::string_view line, std::string_view word) {
  std::size_t at = line.find(word);
  if (at == std::string_view::npos) return std::nullopt;
  std::string_view rest = trim(line.substr(at + word.size()));
  auto d = leading_number(rest);
  return d ? std::optional<double>(d->value) : std::nullopt;
}

// "63 metres amsl", "87m amsl": the number before the last "amsl".
std::optional<double> elevation(std::string_view line) {
  const std::size_t at = line.rfind("amsl");
  if (at == std::string_view::npos) return std::nullopt;
  std::size_t end = at;
  while (end > 0 && (line[end - 1] == ' ' || (line[end - 1] >= 'a' && line[end - 1] <= 'z'))) --end;
  std::size_t from = end;
  while (from > 0 && ((line[from - 1] >= '0' && line[from - 1] <= '9') || line[from - 1] == '.' ||
                      line[from - 1] == '-'))
    --from;
  auto d = whole_number(line.substr(from, end - from));
  return d ? std::optional<double>(d->value) : std::nullopt;
}

// One cell: "---" missing, a number with "*" estimated; "#", "$" and text
// after the number are notes.
double cell(Station& s, std::string_view token, const Options& o) {
  if (token.starts_with("---")) return kNoValue;
  std::size_t used = 0;
  auto d = leading_number(token, &used);
  if (!d) return kNoValue;
  s.decimals = std::max(s.decimals, d->decimals);
  if (token.substr(used).starts_with('*')) return estimated_value(s, d->value, o);
  return d->value;
}

}  // namespace

bool is_ukmo(std::string_view bytes) {
  Lines lines(bytes);
  std::string_view line;
  for (int i = 0; i < 12 && lines.next(line); ++i) {
    const auto t = split_blanks(line);
    if (t.size() >= 3 && t[0] == "yyyy" && t[1] == "mm") return true;
  }
  return false;
}

void read_ukmo(const Input& in, const Context& cx, std::vector<Station>& out, FileReport&) {
  std::string key = file_stem(in.name);
  if (key.ends_with("data")) key.resize(key.size() - 4);
  Station s = new_station(in, "ukmo-historic", key);
  const std::string element = cx.options.element.empty() ? "tmax" : lower(cx.options.element);
  Lines lines(in.bytes);
  std::string_view line;
  std::vector<std::string_view> names;
  std::size_t column = 0;
  bool data = false;
  while (lines.next(line)) {
    const auto t = split_blanks(line);
    if (lines.number() == 1) s.name = to_utf8(trim(line));
    if (!data && !month_line(t)) {
      if (line.find("Lat") != std::string_view::npos && line.find("Lon") != std::string_view::npos) {
        s.latitude = after_word(line, "Lat");
        s.longitude = after_word(line, "Lon");
        s.elevation = elevation(line);
      }
      if (t.size() >= 3 && t[0] == "yyyy") {
        names = t;
        const auto it = std::find(names.begin(), names.end(), element);
        if (it == names.end() || it - names.begin() < 2) {
          throw ImportError(in.name + ":" + std::to_string(lines.number()) + ": no variable " + element +
                            " among the columns (--element tmax, tmin, af, rain or sun)");
        }
        column = static_cast<std::size_t>(it - names.begin());
        s.element = element;
      } else if (!names.empty() && s.units.empty() && !t.empty()) {
        s.units = std::string(t[column - 2 < t.size() ? column - 2 : 0]);
      }
      continue;
    }
    if (blank(line) || starts_with_nocase(trim(line), "site closed")) continue;
    if (!month_line(t) || names.empty()) {
      malformed(in.name, lines.number(), "a month line: year, month and the values of " +
                                             std::string(names.empty() ? "the columns" : "yyyy mm ...") +
                                             (names.empty() ? " (no column line yyyy mm tmax ... before it)" : ""));
    }
    data = true;
    const double v = column < t.size() ? cell(s, t[column], cx.options) : kNoValue;
    put_month(s, static_cast<int>(*whole_integer(t[0])), static_cast<int>(*whole_integer(t[1])), v, lines.number());
  }
  if (names.empty()) malformed(in.name, 0, "a column line yyyy mm tmax tmin af rain sun");
  s.decimals = std::max(s.decimals, 2);
  out.push_back(std::move(s));
}

}  // namespace arb::import
