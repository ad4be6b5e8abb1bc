// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_line_scan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "input_fast.h"

namespace arb::rt {

namespace {

// A letter that no integer field takes in any mode: the field's read fails
// whatever else the field holds (exponent letters may follow the digits
// under -relaxed_input).
bool never_in_integer(char c) {
  const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
  return letter && std::string_view("EeDdQq").find(c) == std::string_view::npos;
}

bool all_blank(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return c == ' '; });
}

}  // namespace

Scan scan_fixed(std::string_view line, const FlatPlan& plan, std::int32_t& integer, float* reals) {
  const std::size_t width = plan.length;
  if (!plan.usable || width > kScanWidth || plan.fields.size() != plan.reals + 1) return Scan::unknown;
  const std::string_view held = line.substr(0, std::min(line.size(), width));
  if (all_blank(held)) return Scan::blank;
  // The line as the reader holds it: blanks beyond its end, where a field
  // reaches beyond it.
  std::array<char, kScanWidth> padded;
  const char* text = held.data();
  if (held.size() < plan.reach) {
    std::memcpy(padded.data(), held.data(), held.size());
    std::memset(padded.data() + held.size(), ' ', width - held.size());
    text = padded.data();
  }

  const FlatField& year = plan.fields[0];
  std::string_view year_field(text + year.col, year.w);
  std::int64_t v = 0;
  if (!fast_int(year_field, false, v)) {
    // A comma ends the field early, and what follows it is the next field's.
    year_field = year_field.substr(0, year_field.find(','));
    return std::any_of(year_field.begin(), year_field.end(), never_in_integer) ? Scan::other : Scan::unknown;
  }
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
    return Scan::unknown;
  }
  for (std::size_t k = 0; k < plan.reals; ++k) {
    const FlatField& f = plan.fields[k + 1];
    double x = 0.0;
    if (!fast_real({text + f.col, f.w}, false, f.d, 0, x)) return Scan::unknown;
    reals[k] = static_cast<float>(x);  // at most 15 digits under 10^22: inside the float range
  }
  integer = static_cast<std::int32_t>(v);
  return Scan::data;
}

Scan scan_free(std::string_view line, std::size_t width, float& first, float* reals, std::size_t reals_count) {
  if (width > kScanWidth) return Scan::unknown;
  const std::string_view held = line.substr(0, std::min(line.size(), width));
  if (all_blank(held)) return Scan::blank;
  const char* p = held.data();
  const char* const end = p + held.size();
  for (std::size_t k = 0; k <= reals_count; ++k) {
    while (p != end && *p == ' ') ++p;
    const char* const from = p;
    while (p != end && *p != ' ') ++p;
    // A comma, a slash, a repeat count, a quote or an exponent is not of
    // the shape: fast_real refuses the value.
    double x = 0.0;
    if (p == from || !fast_real({from, static_cast<std::size_t>(p - from)}, false, 0, 0, x)) return Scan::unknown;
    (k == 0 ? first : reals[k - 1]) = static_cast<float>(x);
  }
  return Scan::data;
}

std::int32_t truncated_year(float y) {
  const double t = std::trunc(static_cast<double>(y));
  if (!(t >= std::numeric_limits<std::int32_t>::min() && t <= std::numeric_limits<std::int32_t>::max())) {
    return std::numeric_limits<std::int32_t>::max();
  }
  return static_cast<std::int32_t>(t);
}

}  // namespace arb::rt
