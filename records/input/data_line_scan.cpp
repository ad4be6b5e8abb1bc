// SPDX-License-Identifier: GPL-3.0-or-later
#include "data_line_scan.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <limits>

namespace arb::rt {

namespace {

// Up to 15 digits the gathered integer is exact in a double, and divided by
// an exact power of ten (up to 10^22) it is one correct rounding of the
// field's value: what the general conversion gives from the same digits.
constexpr int kMaxDigits = 15;
constexpr int kMaxExactPower = 22;

constexpr std::array<double, kMaxExactPower + 1> kPowers = [] {
  std::array<double, kMaxExactPower + 1> p{};
  double v = 1.0;
  for (double& x : p) {
    x = v;
    v *= 10.0;
  }
  return p;
}();

constexpr bool digit(char c) { return c >= '0' && c <= '9'; }

// A number of the common shape between p and end: blanks, an optional
// sign, digits with at most one point (when reals allow it), blanks.  The
// value is the digits over 10^places, places being the digits after the
// point written, or `implied` without one.
struct Number {
  bool negative = false;
  std::uint64_t digits = 0;
  int places = 0;
};

inline bool take_number(const char* p, const char* end, bool point_allowed, int implied, Number& n) {
  while (p != end && *p == ' ') ++p;
  if (p != end && (*p == '+' || *p == '-')) n.negative = *p++ == '-';
  std::uint64_t v = 0;
  const char* const first = p;
  while (p != end && digit(*p)) v = v * 10 + static_cast<unsigned>(*p++ - '0');
  std::ptrdiff_t count = p - first;
  n.places = implied > 0 ? implied : 0;
  if (point_allowed && p != end && *p == '.') {
    const char* const fraction = ++p;
    while (p != end && digit(*p)) v = v * 10 + static_cast<unsigned>(*p++ - '0');
    n.places = static_cast<int>(p - fraction);
    count += p - fraction;
  }
  if (count == 0 || count > kMaxDigits || n.places > kMaxExactPower) return false;
  while (p != end && *p == ' ') ++p;
  n.digits = v;
  return p == end;
}

// A field of the common shape, as take_number takes it: the blanks around
// it first, then one pass over what they leave, digits and at most one
// point (the fast way for fields of a fixed layout).
inline bool take_field(const char* p, std::size_t w, bool point_allowed, int implied, Number& n) {
  std::size_t from = 0, to = w;
  while (from < to && p[from] == ' ') ++from;
  while (to > from && p[to - 1] == ' ') --to;
  if (from == to) return false;
  n.negative = p[from] == '-';
  if (p[from] == '-' || p[from] == '+') ++from;
  std::uint64_t v = 0;
  std::size_t point = w;  // none
  for (std::size_t k = from; k < to; ++k) {
    const unsigned d = static_cast<unsigned char>(p[k]) - unsigned{'0'};
    if (d < 10) {
      v = v * 10 + d;
    } else if (p[k] == '.' && point == w && point_allowed) {
      point = k;
    } else {
      return false;
    }
  }
  const std::size_t count = to - from - (point != w ? 1 : 0);
  if (count == 0 || count > kMaxDigits) return false;
  n.places = point != w ? static_cast<int>(to - 1 - point) : (implied > 0 ? implied : 0);
  if (n.places > kMaxExactPower) return false;
  n.digits = v;
  return true;
}

inline float real_of(const Number& n) {
  if (n.digits == 0) return 0.0f;  // zero is +0.0 whatever its sign
  const double x = static_cast<double>(n.digits) / kPowers[static_cast<std::size_t>(n.places)];
  return static_cast<float>(n.negative ? -x : x);
}

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
  // The line as the reader holds it: blanks beyond its end.
  std::array<char, kScanWidth> padded;
  std::memcpy(padded.data(), held.data(), held.size());
  std::memset(padded.data() + held.size(), ' ', width - held.size());
  const char* const text = padded.data();

  const FlatField& year = plan.fields[0];
  Number y;
  if (!take_field(text + year.col, year.w, false, 0, y)) {
    // A comma ends the field early, and what follows it is the next field's.
    std::string_view field(text + year.col, year.w);
    field = field.substr(0, field.find(','));
    return std::any_of(field.begin(), field.end(), never_in_integer) ? Scan::other : Scan::unknown;
  }
  const std::int64_t v = y.negative ? -static_cast<std::int64_t>(y.digits) : static_cast<std::int64_t>(y.digits);
  if (v < std::numeric_limits<std::int32_t>::min() || v > std::numeric_limits<std::int32_t>::max()) {
    return Scan::unknown;
  }
  for (std::size_t k = 0; k < plan.reals; ++k) {
    const FlatField& f = plan.fields[k + 1];
    Number n;
    if (!take_field(text + f.col, f.w, true, f.d, n)) return Scan::unknown;
    reals[k] = real_of(n);
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
    Number n;
    // A comma, a slash, a repeat count, a quote or an exponent is not of
    // the shape: take_number refuses the value.
    if (p == from || !take_number(from, p, true, 0, n)) return Scan::unknown;
    (k == 0 ? first : reals[k - 1]) = real_of(n);
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
