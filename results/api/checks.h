// SPDX-License-Identifier: GPL-3.0-or-later
// The data check: what in the data file as read may have spoiled the
// averaged record.  Computed from the store after the run and from the
// years the reader noted, never changing either.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "run.h"

namespace arb::results {

enum class Kind {
  year_sequence,         // a data line whose year is not the one the reader takes it for
  undefined_statistics,  // a mean or SD over the common interval that is not a number
  zero_sd,               // an SD of 0: the variance-adjusted average divides by it
  no_common_values,      // not one value in the common interval
  outlier,               // beyond kOutlierSds standard deviations from the series' mean
  low_correlation,       // below kLowCorrelation with the average of the other series
};

inline constexpr double kOutlierSds = 5.0;
inline constexpr double kLowCorrelation = 0.2;
// The detail of a line whose year is out only because of an earlier line.
inline constexpr std::string_view kShifted = "shifted by an earlier line";

std::string_view kind_name(Kind k);

struct Finding {
  Kind kind = Kind::year_sequence;
  int series = 0;
  std::optional<std::int64_t> line;
  std::optional<int> year_assigned;  // the year the run uses (for an outlier, its year)
  std::optional<int> year_in_file;
  int variable = 0;  // 1-based; 0 for none (a finding about the whole series)
  std::optional<double> value;
  std::string detail;
};

// Every finding, by kind and then by series.
std::vector<Finding> check_run(const Run& r);
// Only the years of the data lines (the part the terminal always reports).
std::vector<Finding> check_years(const Run& r);

// The findings as checks.csv and as a short report (checks.txt).
std::string checks_csv(const Run& r, const std::vector<Finding>& findings);
std::string checks_text(const Run& r, const std::vector<Finding>& findings);

// The lines for standard error when years are out of sequence: one per
// series (at most 10, then a count); none when every year is in order.
std::vector<std::string> year_warnings(std::string_view program, const Run& r, const std::vector<Finding>& findings);

}  // namespace arb::results
