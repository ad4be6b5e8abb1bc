// SPDX-License-Identifier: GPL-3.0-or-later
// Berkeley Earth files: "%" header lines, then one line per month.  A
// station file has raw, adjusted and regional temperatures (raw values that
// failed quality control are dropped); a regional Trend file has anomalies,
// made absolute with the monthly climatology of its header.
#include "formats.h"
#include "station.h"
#include "text.h"

#include <algorithm>

namespace arb::import {

namespace {

constexpr std::size_t kStationColumns = 10, kTrendColumns = 12;

// "%    Latitude:        32.61650 +/- 0.00045" -> "32.61650 +/- 0.00045"
std::optional<std::string_view> header_value(std::string_view line, std::string_view key) {
  line = trim(line.substr(1));
  if (!line.starts_with(key)) return std::nullopt;
  return trim(line.substr(key.size()));
}

std::optional<double> header_number(std::string_view line, std::string_view key) {
  auto v = header_value(line, key);
  auto d = v ? leading_number(*v) : std::nullopt;
  return d ? std::optional<double>(d->value) : std::nullopt;
}

struct Header {
  std::array<double, 12> climatology{};
  bool has_climatology = false, months_next = false, region_next = false;
  std::string region;
};

void read_header_line(Station& s, Header& h, std::string_view line) {
  if (auto v = header_value(line, "Berkeley ID#:")) s.id = std::string(*v);
  if (auto v = header_value(line, "Primary Name:")) s.name = to_utf8(*v);
  if (auto v = header_value(line, "Country:")) s.country = to_utf8(*v);
  if (auto v = header_number(line, "Latitude:")) s.latitude = v;
  if (auto v = header_number(line, "Longitude:")) s.longitude = v;
  if (auto v = header_number(line, "Elevation (m):")) s.elevation = v;
  const std::string_view text = trim(line.substr(1));
  if (h.region_next && !text.empty()) {
    h.region = to_utf8(text);
    h.region_next = false;
  }
  if (text.ends_with("for the region:")) h.region_next = true;
  // The climatology: twelve numbers on the line after the month names.
  const auto t = split_blanks(text);
  if (h.months_next && t.size() == 12) {
    for (std::size_t m = 0; m < 12; ++m) {
      auto d = whole_number(t[m]);
      if (!d) return;
      h.climatology[m] = d->value;
    }
    h.has_climatology = true;
  }
  h.months_next = t.size() == 12 && t[0] == "Jan" && t[11] == "Dec";
}

double number_or_missing(std::string_view token, Station& s, bool& ok) {
  if (token == "NaN") return kNoValue;
  auto d = whole_number(token);
  ok = ok && d.has_value();
  if (!d) return kNoValue;
  s.decimals = std::max(s.decimals, d->decimals);
  return d->value;
}

}  // namespace

bool is_berkeley(std::string_view bytes) {
  return bytes.starts_with("%") && bytes.substr(0, 8000).find("Berkeley") != std::string_view::npos;
}

void read_berkeley(const Input& in, const Context& cx, std::vector<Station>& out, FileReport& report) {
  const Options& o = cx.options;
  Station s = new_station(in, "berkeley", "");
  Header h;
  s.element = "TAVG";
  s.units = "degC";
  Lines lines(in.bytes);
  std::string_view line;
  bool trend = false;
  while (lines.next(line)) {
    if (line.starts_with('%')) {
      read_header_line(s, h, line);
      continue;
    }
    const auto t = split_blanks(line);
    if (t.empty()) continue;
    trend = t.size() == kTrendColumns;
    if (t.size() != kStationColumns && !trend) {
      malformed(in.name, lines.number(), "year, month and the 10 columns of a station file or the 12 of a Trend file");
    }
    const auto year = whole_integer(t[0]);
    const auto month = whole_integer(t[1]);
    if (!year || !month || *month < 1 || *month > 12) malformed(in.name, lines.number(), "a year and a month 1-12");
    bool ok = true;
    double v;
    if (trend) {
      v = number_or_missing(t[2], s, ok);
      if (!o.anomaly && has_value(v)) v += h.climatology[static_cast<std::size_t>(*month - 1)];
    } else {
      const std::size_t column = o.series == "raw" ? 2 : o.series == "regional" ? 8 : 6;
      v = number_or_missing(t[column], s, ok);
      bool qc_ok = true;
      if (o.series == "raw" && number_or_missing(t[4], s, qc_ok) == 1) v = flagged_value(s, v, o);
    }
    if (!ok) malformed(in.name, lines.number(), "numbers or NaN");
    put_month(s, static_cast<int>(*year), static_cast<int>(*month), v, lines.number());
  }
  if (trend) {
    s.source_format = "berkeley-trend";
    s.id = file_stem(in.name);
    s.name = h.region.empty() ? s.id : h.region;
    if (o.anomaly) s.units = "degC anomaly";
    if (!o.anomaly && !h.has_climatology) malformed(in.name, 0, "the monthly climatology in the header (or --anomaly)");
  } else {
    s.element = "TAVG " + o.series;
  }
  if (s.id.empty()) s.id = file_stem(in.name);
  s.decimals = std::max(s.decimals, 2);
  (void)report;
  if (cx.selection.admits(s)) out.push_back(std::move(s));
}

}  // namespace arb::import
