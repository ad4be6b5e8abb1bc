// SPDX-License-Identifier: GPL-3.0-or-later
// ascii_dbl against an independent statement of its rule: the gathered
// mantissa as an exact 128-bit integer, and the one multiplication or
// division by a power of ten carried out in quadruple precision (exact for
// a product of two doubles, and a single correct rounding for a quotient
// once rounded to double), the powers taken from strtod.  Then where the
// rule parts from strtod, the correctly rounded conversion.
#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>

#include "tests/unit/input/input_fixtures.h"

namespace arb::rt {
namespace {

using namespace testing;
using u128 = unsigned __int128;
using quad = __float128;

// --- the reference ---------------------------------------------------------

struct Decimal {
  bool negative = false;
  std::string int_digits, frac_digits;
  long exponent = 0;
};

// A number's text as the tests write it: [sign] digits [. digits] [E [sign] digits],
// blanks anywhere dropped; without a point, d implied fraction digits.
Decimal parse_reference(std::string_view text, int d) {
  std::string s;
  for (char c : text)
    if (c != ' ') s.push_back(c);
  Decimal x;
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '-' || s[i] == '+')) x.negative = s[i++] == '-';
  std::string mantissa;
  bool point = false;
  for (; i < s.size() && (std::isdigit(static_cast<unsigned char>(s[i])) || s[i] == '.'); ++i) {
    if (s[i] == '.') {
      point = true;
    } else {
      (point ? x.frac_digits : x.int_digits).push_back(s[i]);
    }
  }
  if (i < s.size()) x.exponent = std::strtol(s.c_str() + i + 1, nullptr, 10);
  if (!point && d > 0) {
    std::string all = std::string(static_cast<std::size_t>(d), '0') + x.int_digits;
    x.int_digits = all.substr(0, all.size() - static_cast<std::size_t>(d));
    x.frac_digits = all.substr(all.size() - static_cast<std::size_t>(d));
  }
  return x;
}

double strtod_power(long n) {
  const std::string t = "1e" + std::to_string(n);
  return std::strtod(t.c_str(), nullptr);
}

// The rule: digits go into the integer while it is below 429496730 * 2^32
// (its upper 32 bits below 429496730) and the new digit keeps it within
// 64 bits; integer digits beyond raise the exponent, fraction digits beyond
// are dropped, trailing fraction zeros never count.  Then integer * 10^n
// in one operation, below 10^-307 in two divisions.
double reference(const Decimal& x) {
  const u128 limit = static_cast<u128>(429496730) << 32;
  const u128 two64 = static_cast<u128>(1) << 64;
  u128 v = 0;
  long scale = 0;
  for (char c : x.int_digits) {
    const u128 next = v * 10 + static_cast<unsigned>(c - '0');
    if (v < limit && next < two64)
      v = next;
    else
      ++scale;
  }
  std::string frac = x.frac_digits;
  while (!frac.empty() && frac.back() == '0') frac.pop_back();
  for (char c : frac) {
    const u128 next = v * 10 + static_cast<unsigned>(c - '0');
    if (!(v < limit && next < two64)) break;
    v = next;
    --scale;
  }
  if (v == 0) return 0.0;
  const long e = x.exponent + scale;
  const double m = static_cast<double>(v);
  double r;
  if (e == 0)
    r = m;
  else if (e > 308)
    r = HUGE_VAL;
  else if (e > 0)
    r = static_cast<double>(static_cast<quad>(m) * static_cast<quad>(strtod_power(e)));
  else if (-e <= 307)
    r = static_cast<double>(static_cast<quad>(m) / static_cast<quad>(strtod_power(-e)));
  else if (-e - 307 <= 308)
    r = static_cast<double>(
        static_cast<quad>(static_cast<double>(static_cast<quad>(m) / static_cast<quad>(strtod_power(-e - 307)))) /
        static_cast<quad>(1e307));
  else
    r = 0.0;
  return x.negative ? -r : r;
}

// --- the system's conversion -------------------------------------------------

double ours8(std::string_view text, int d) {
  double v = -1.0;
  read_record(text, {F(static_cast<std::int32_t>(text.size()), d)}, {in_real8(v)});
  return v;
}
float ours4(std::string_view text, int d) {
  float v = -1.0f;
  read_record(text, {F(static_cast<std::int32_t>(text.size()), d)}, {in_real(v)});
  return v;
}

// The field's text with its implied point written out, for strtod.
std::string with_point(std::string_view text, int d) {
  const Decimal x = parse_reference(text, d);
  std::string s = x.negative ? "-" : "";
  s += (x.int_digits.empty() ? "0" : x.int_digits) + "." + x.frac_digits + "e" + std::to_string(x.exponent);
  return s;
}

bool same(double a, double b) { return std::memcmp(&a, &b, sizeof a) == 0 || (a == 0 && b == 0); }
bool same(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0 || (a == 0 && b == 0); }

struct Tally {
  long fields = 0;
  long rule_mismatch = 0;   // ours against the reference: must stay 0
  long strtod_differs = 0;  // the 8-byte value against strtod
  long strtof_differs = 0;  // the 4-byte value against strtof
  std::string first_mismatch;

  void check(std::string_view text, int d) {
    ++fields;
    const double ref = reference(parse_reference(text, d));
    const double got8 = ours8(text, d);
    const float got4 = ours4(text, d);
    if (!same(got8, ref) || !same(got4, static_cast<float>(ref))) {
      if (rule_mismatch++ == 0) first_mismatch = std::string(text);
    }
    const std::string t = with_point(text, d);
    if (!same(got8, std::strtod(t.c_str(), nullptr))) ++strtod_differs;
    if (!same(got4, std::strtof(t.c_str(), nullptr))) ++strtof_differs;
  }
};

// --- the powers of ten ------------------------------------------------------------

TEST(AsciiDbl, PowersOfTenAreExactThenNearest) {
  u128 exact = 1;
  for (int n = 0; n <= 22; ++n) {
    EXPECT_EQ(static_cast<u128>(power_of_ten(n)), exact) << n;  // the double holds the power exactly
    exact *= 10;
  }
  for (int n = 0; n <= 308; ++n) EXPECT_EQ(power_of_ten(n), strtod_power(n)) << n;
  EXPECT_NE(static_cast<u128>(power_of_ten(23)), exact / 10 * 10);  // 10^23 has no exact double
}

// --- the gathering of digits ---------------------------------------------------------

TEST(AsciiDbl, GatheringStopsAtTheLimit) {
  struct Case {
    std::string_view int_digits, frac_digits;
    long exponent;
    double value;
  };
  const Case cases[] = {
      {"12345", "", 0, 12345.0},
      {"", "5", -1, 0.05},
      {"12", "500", 0, 12.5},   // trailing zeros not gathered
      // 20 digits fit while the first 19 stay below the limit ...
      {"12345678901234567890", "", 0, 12345678901234567890.0},
      // ... the 21st only raises the exponent,
      {"123456789012345678901", "", 0, 12345678901234567890.0 * 10},
      // and fraction digits beyond the limit are dropped.
      {"1234567890", "12345678901234567", 0, static_cast<double>(12345678901234567890ull) / 1e10},
      // 1844674407370955162 is below the limit but one more digit would leave
      // 64 bits: that digit counts as beyond the limit, the integer is not wrapped.
      {"18446744073709551620", "", 0, static_cast<double>(1844674407370955162ull) * 10},
      {"18446744073709551610", "", 0, static_cast<double>(18446744073709551610ull)},
      {"", "", 0, 0.0},
      {"000", "000", 5, 0.0},
      {"1", "", 400, HUGE_VAL},
      {"1", "", -400, 1.0 / 1e93 / 1e307},
      {"1", "", -700, 0.0},
      {"25", "", -310, 25.0 / 1e3 / 1e307},
  };
  for (const auto& c : cases) {
    const double got = ascii_dbl(c.int_digits, c.frac_digits, c.exponent, false);
    EXPECT_TRUE(same(got, c.value)) << c.int_digits << "." << c.frac_digits << "e" << c.exponent << " gave " << got;
    EXPECT_TRUE(same(ascii_dbl(c.int_digits, c.frac_digits, c.exponent, true), c.value == 0 ? 0.0 : -c.value));
  }
}

TEST(AsciiDbl, ReferenceAgreesOnTheGatheringCases) {
  for (std::string_view t : {"18446744073709551620", "18446744073709551610", "123456789012345678901",
                             "1234567890.12345678901234567", "9007199254740993.0000000001"})
    EXPECT_TRUE(same(ours8(t, 0), reference(parse_reference(t, 0)))) << t;
}

// --- every field of the layouts ---------------------------------------------------------

TEST(AsciiDbl, EveryFieldOfF51AndF52) {
  Tally tally;
  char buf[16];
  for (int n = -9999; n <= 99999; ++n) {
    std::snprintf(buf, sizeof buf, "%5d", n);
    tally.check(buf, 1);
    tally.check(buf, 2);
  }
  EXPECT_EQ(tally.fields, 2 * 109999);
  EXPECT_EQ(tally.rule_mismatch, 0) << "first at " << tally.first_mismatch;
  // One correctly rounded division of an exact integer by an exact power:
  // for these fields the rule is the correctly rounded conversion.
  EXPECT_EQ(tally.strtod_differs, 0);
  EXPECT_EQ(tally.strtof_differs, 0);
}

TEST(AsciiDbl, EveryFiveCharacterFieldWithAPoint) {
  Tally tally;
  // All of [-]ddd.d, [-]dd.dd, ..., with the point in every place.
  for (int sign = 0; sign <= 1; ++sign) {
    const int digits = 4 - sign;
    int top = 1;
    for (int k = 0; k < digits; ++k) top *= 10;
    for (int point = 0; point <= digits; ++point) {
      for (int n = 0; n < top; ++n) {
        std::string ds = std::to_string(n);
        ds.insert(0, static_cast<std::size_t>(digits) - ds.size(), '0');
        std::string t = (sign ? "-" : "") + ds.substr(0, static_cast<std::size_t>(point)) + "." +
                        ds.substr(static_cast<std::size_t>(point));
        tally.check(t, 1);
      }
    }
  }
  EXPECT_EQ(tally.fields, 5 * 10000 + 4 * 1000);
  EXPECT_EQ(tally.rule_mismatch, 0) << "first at " << tally.first_mismatch;
  EXPECT_EQ(tally.strtod_differs, 0);
  EXPECT_EQ(tally.strtof_differs, 0);
}

// --- where the rule parts from strtod --------------------------------------------------------

TEST(AsciiDbl, ExponentsBeyondTheExactPowers) {
  // Within 10^-22 .. 10^22 one operation on exact operands is the correctly
  // rounded value; beyond, the power itself is rounded and a second
  // rounding follows.
  Tally exact, beyond;
  for (int m = 1; m <= 999; m += 2) {
    for (int e = -340; e <= 320; ++e) {
      const std::string t = std::to_string(m) + "E" + std::to_string(e);
      (e >= -22 && e <= 22 ? exact : beyond).check(t, 0);
    }
  }
  EXPECT_EQ(exact.rule_mismatch, 0) << "first at " << exact.first_mismatch;
  EXPECT_EQ(beyond.rule_mismatch, 0) << "first at " << beyond.first_mismatch;
  EXPECT_EQ(exact.fields, 500 * 45);
  EXPECT_EQ(exact.strtod_differs, 0);
  EXPECT_EQ(exact.strtof_differs, 0);
  EXPECT_EQ(beyond.fields, 500 * 616);
  EXPECT_EQ(beyond.strtod_differs, 79704);
  EXPECT_EQ(beyond.strtof_differs, 0);  // a double off by one unit seldom moves a float
  // Two of them, bit by bit.
  EXPECT_EQ(read_real_text("3E23", 0, 0), 0x1.fc3842bd1f071p+77);
  EXPECT_EQ(std::strtod("3E23", nullptr), 0x1.fc3842bd1f072p+77);
  EXPECT_EQ(read_real_text("5E24", 0, 0), 0x1.08b2a2c28029p+82);
  EXPECT_EQ(std::strtod("5E24", nullptr), 0x1.08b2a2c280291p+82);
}

TEST(AsciiDbl, LongMantissas) {
  Tally short_ones, long_ones;
  std::mt19937_64 gen(20240601);
  for (int k = 0; k < 200000; ++k) {
    const int ndigits = 10 + static_cast<int>(gen() % 16);
    std::string digits;
    for (int i = 0; i < ndigits; ++i) digits.push_back(static_cast<char>('0' + gen() % 10));
    const std::size_t point = gen() % (static_cast<unsigned>(ndigits) + 1);
    const int e = static_cast<int>(gen() % 45) - 22;
    const std::string t = digits.substr(0, point) + "." + digits.substr(point) + "E" + std::to_string(e);
    // Up to 15 digits the mantissa is an exact double; the power too once the
    // fraction digits are taken off the exponent, while it stays within 10^22.
    const long n = e - static_cast<long>(ndigits - point);
    (ndigits <= 15 && n >= -22 && n <= 22 ? short_ones : long_ones).check(t, 0);
  }
  EXPECT_EQ(short_ones.rule_mismatch, 0) << "first at " << short_ones.first_mismatch;
  EXPECT_EQ(long_ones.rule_mismatch, 0) << "first at " << long_ones.first_mismatch;
  EXPECT_GT(short_ones.fields, 10000);
  EXPECT_EQ(short_ones.strtod_differs, 0);
  EXPECT_EQ(short_ones.strtof_differs, 0);
  // Beyond: digits past the 20th dropped, a mantissa rounded to double
  // before the power is applied, or a rounded power.
  EXPECT_EQ(long_ones.fields, 135038);
  EXPECT_EQ(long_ones.strtod_differs, 35001);
  EXPECT_EQ(long_ones.strtof_differs, 0);
}

// Decimal texts just above the midpoint of two floats: strtof rounds up.
// The rule keeps 20 digits, which land on or next to the midpoint as a
// double, and the rounding to float then often goes down instead.
TEST(AsciiDbl, JustAboveAFloatMidpoint) {
  Tally tally;
  std::mt19937_64 gen(7);
  char buf[64];
  long down = 0;
  for (int k = 0; k < 20000; ++k) {
    const auto bits = static_cast<std::uint32_t>(0x3f800000u + gen() % 0x7fffffu);  // a float in [1, 2)
    float below;
    std::memcpy(&below, &bits, sizeof below);
    const double mid = static_cast<double>(below) + 0x1p-24;  // exact: 25 bits
    std::snprintf(buf, sizeof buf, "%.24f", mid);            // its exact decimal digits
    const std::string t = std::string(buf) + "1";
    tally.check(t, 0);
    const float got = ours4(t, 0);
    EXPECT_TRUE(got == below || got == std::nextafter(below, 2.0f)) << t;
    down += got == below;
  }
  EXPECT_EQ(tally.rule_mismatch, 0) << "first at " << tally.first_mismatch;
  EXPECT_EQ(tally.strtof_differs, down);  // strtof always goes up
  EXPECT_EQ(tally.strtof_differs, 10140);
  EXPECT_EQ(to_float(read_real_text("1.0000000596046447753906251", 0, 0)), 1.0f);
  EXPECT_EQ(std::strtof("1.0000000596046447753906251", nullptr), 0x1.000002p+0f);
}

}  // namespace
}  // namespace arb::rt
