#include "records/input_fast.h"

#include <cstddef>

#include "records/input_edit.h"

namespace arb::rt {

namespace {

// Up to 15 digits the gathered integer is exact in a double, and with a
// power of ten up to 10^22 (exact too) one multiplication or division is
// one correct rounding of the field's exact value: the result ascii_dbl
// forms from the same digits, whatever trailing zeros it drops first.
constexpr int kMaxDigits = 15;
constexpr int kMaxExactPower = 22;

struct Shape {
  bool negative = false;
  std::uint64_t digits = 0;  // all digits of the field, point ignored
  int count = 0;             // how many
  int fraction = 0;          // digits after the point
  bool point = false;
};

bool is_blank(char c) { return c == ' ' || c == '\t'; }

// Blanks, sign, digits and one point, blanks; under blank_zero no blank
// may follow the number (it would be a zero).
bool take_shape(std::string_view f, bool blank_zero, bool allow_point, Shape& s) {
  std::size_t i = 0;
  const std::size_t n = f.size();
  while (i < n && is_blank(f[i])) ++i;
  if (i < n && (f[i] == '+' || f[i] == '-')) s.negative = f[i++] == '-';
  for (; i < n; ++i) {
    const char c = f[i];
    if (c >= '0' && c <= '9') {
      if (++s.count > kMaxDigits) return false;
      s.digits = s.digits * 10 + static_cast<unsigned>(c - '0');
      if (s.point) ++s.fraction;
    } else if (c == '.' && allow_point && !s.point) {
      s.point = true;
    } else {
      break;
    }
  }
  if (s.count == 0) return false;  // a sign or a point alone, or an empty field
  if (i < n && blank_zero) return false;
  for (; i < n; ++i)
    if (!is_blank(f[i])) return false;
  return true;
}

}  // namespace

bool fast_real(std::string_view field, bool blank_zero, std::int32_t d, std::int32_t k, double& value) {
  Shape s;
  if (!take_shape(field, blank_zero, true, s)) return false;
  // The point written wins over the implied one; k scales a field without
  // an exponent, which every field of this shape is.
  std::int64_t e = -static_cast<std::int64_t>(s.point ? s.fraction : (d > 0 ? d : 0));
  e -= k;
  if (e > kMaxExactPower || e < -kMaxExactPower) return false;
  if (s.digits == 0) {
    value = 0.0;  // zero is +0.0 whatever its sign
    return true;
  }
  double x = static_cast<double>(s.digits);
  if (e > 0)
    x *= power_of_ten(static_cast<int>(e));
  else if (e < 0)
    x /= power_of_ten(static_cast<int>(-e));
  value = s.negative ? -x : x;
  return true;
}

bool fast_int(std::string_view field, bool blank_zero, std::int64_t& value) {
  Shape s;
  if (!take_shape(field, blank_zero, false, s)) return false;
  const auto v = static_cast<std::int64_t>(s.digits);
  value = s.negative ? -v : v;
  return true;
}

}  // namespace arb::rt
