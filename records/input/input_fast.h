// SPDX-License-Identifier: GPL-3.0-or-later
// The common shape of a numeric data field, read in one pass: blanks, an
// optional sign, digits with at most one point, blanks.  Climate files are
// millions of such fields.  Anything else (inner blanks, exponents, letters,
// long digit strings) is left to the general path of getinput's callers,
// and where the fast path answers, its value is the general path's to the
// last bit.
#pragma once

#include <cstdint>
#include <string_view>

#include "chars.h"
#include "input_edit.h"
#include "record.h"

namespace arb::rt {

// Inline: the data-line scans read millions of fields through these.
namespace fast {

// Up to 15 digits the gathered integer is exact in a double, and with a
// power of ten up to 10^22 (exact too) one multiplication or division is
// one correct rounding of the field's exact value: the result ascii_dbl
// forms from the same digits, whatever trailing zeros it drops first.
inline constexpr int kMaxDigits = 15;
inline constexpr int kMaxExactPower = 22;
// The powers of ten a double holds exactly, inline for the scans.
inline constexpr double kExactPowers[kMaxExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                            1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                            1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

struct Shape {
  bool negative = false;
  std::uint64_t digits = 0;  // all digits of the field, point ignored
  int fraction = 0;          // digits after the point
  bool point = false;
};

// Blanks, sign, digits and one point, blanks; under blank_zero no blank
// may follow the number (it would be a zero).
inline bool take_shape(std::string_view f, bool blank_zero, bool allow_point, Shape& s) {
  const char* p = f.data();
  const char* const end = p + f.size();
  while (p != end && is_blank(*p)) ++p;
  if (p != end && (*p == '+' || *p == '-')) s.negative = *p++ == '-';
  // Digits, then a point and more digits: two plain loops.  The integer
  // may wrap round when there are too many digits; it is not used then.
  std::uint64_t v = 0;
  const char* const first = p;
  while (p != end && is_digit(*p)) v = v * 10 + static_cast<unsigned>(*p++ - '0');
  std::ptrdiff_t count = p - first;
  if (p != end && *p == '.' && allow_point) {
    s.point = true;
    const char* const fraction = ++p;
    while (p != end && is_digit(*p)) v = v * 10 + static_cast<unsigned>(*p++ - '0');
    s.fraction = static_cast<int>(p - fraction);
    count += p - fraction;
  }
  // A sign or a point alone, an empty field, or more digits than a double
  // holds exactly.
  if (count == 0 || count > kMaxDigits) return false;
  if (p != end) {
    if (blank_zero) return false;
    for (; p != end; ++p)
      if (!is_blank(*p)) return false;
  }
  s.digits = v;
  return true;
}

}  // namespace fast

// A real field under d implied fraction digits and scale factor k; false
// when the field is not of the common shape.
inline bool fast_real(std::string_view field, bool blank_zero, std::int32_t d, std::int32_t k, double& value) {
  fast::Shape s;
  if (!fast::take_shape(field, blank_zero, true, s)) return false;
  // The point written wins over the implied one; k scales a field without
  // an exponent, which every field of this shape is.
  std::int64_t e = -static_cast<std::int64_t>(s.point ? s.fraction : (d > 0 ? d : 0));
  e -= k;
  if (e > fast::kMaxExactPower || e < -fast::kMaxExactPower) return false;
  if (s.digits == 0) {
    value = 0.0;  // zero is +0.0 whatever its sign
    return true;
  }
  double x = static_cast<double>(s.digits);
  if (e > 0)
    x *= fast::kExactPowers[e];
  else if (e < 0)
    x /= fast::kExactPowers[-e];
  value = s.negative ? -x : x;
  return true;
}

// An Fw.d field of w > 0 taken from the record at its position, as
// getinput and the real edit would take it, into a 4-byte real.  False,
// with the record untouched, when the field is not of the common shape
// (a comma in it included) or would run past the end of the record.
bool fast_f_field(InRecord& rec, std::int32_t w, std::int32_t d, const EditModes& modes, float& value);

// A decimal integer field; false when the field is not of the common shape.
inline bool fast_int(std::string_view field, bool blank_zero, std::int64_t& value) {
  fast::Shape s;
  if (!fast::take_shape(field, blank_zero, false, s)) return false;
  const auto v = static_cast<std::int64_t>(s.digits);
  value = s.negative ? -v : v;
  return true;
}

}  // namespace arb::rt
