// SPDX-License-Identifier: GPL-3.0-or-later
#include "station.h"

#include "text.h"

namespace arb::import {

YearRow::YearRow() { value.fill(kNoValue); }

namespace {

void check_year(const Station& s, int year, long line) {
  if (year < 1 || year > 9999) malformed(s.source_file, line, "a year from 1 to 9999, not " + std::to_string(year));
}

void note_order(Station& s, int year) {
  if (year < s.last_year_met) s.out_of_order = true;
  s.last_year_met = year;
}

void refuse_duplicate(const Station& s, int year, int month, long first, long again) {
  malformed(s.source_file, again,
            "station " + s.id + " has " + std::to_string(year) + (month ? "-" + std::to_string(month) : "") +
                " twice (lines " + std::to_string(first) + " and " + std::to_string(again) + ")");
}

}  // namespace

void put_month(Station& s, int year, int month, double value, long line) {
  check_year(s, year, line);
  note_order(s, year);
  YearRow& row = s.years[year];
  const auto m = static_cast<std::size_t>(month - 1);
  if (row.line[m] != 0) refuse_duplicate(s, year, month, row.line[m], line);
  row.line[m] = line;
  row.value[m] = value;
}

void put_year(Station& s, int year, const std::array<double, 12>& values, long line) {
  check_year(s, year, line);
  note_order(s, year);
  YearRow& row = s.years[year];
  for (std::size_t m = 0; m < 12; ++m) {
    if (row.line[m] != 0) refuse_duplicate(s, year, 0, row.line[m], line);
  }
  row.line.fill(line);
  row.value = values;
}

double estimated_value(Station& s, double value, const Options& o) {
  if (!has_value(value)) return value;
  if (o.drop_estimated) {
    ++s.dropped;
    return kNoValue;
  }
  ++s.estimated;
  return value;
}

double flagged_value(Station& s, double value, const Options& o) {
  if (!has_value(value) || o.keep_flagged) return value;
  ++s.dropped;
  return kNoValue;
}

}  // namespace arb::import
