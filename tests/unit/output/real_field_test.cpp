// SPDX-License-Identifier: GPL-3.0-or-later
// F fields and the digit strings behind them.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "fields.h"

namespace arb::rt {
namespace {

using test::real_field;

struct RealCase {
  double value;
  int size;  // 4: the float widened; 8: the double itself
  std::int32_t w;
  std::int32_t d;
  const char* field;
};

RealCase r4(float v, std::int32_t w, std::int32_t d, const char* field) { return {v, 4, w, d, field}; }
RealCase r8(double v, std::int32_t w, std::int32_t d, const char* field) { return {v, 8, w, d, field}; }

std::string describe(const RealCase& c) {
  return std::to_string(c.value) + " (" + std::to_string(c.size) + " bytes) under F" + std::to_string(c.w) + "." +
         std::to_string(c.d);
}

class RealField : public ::testing::TestWithParam<RealCase> {};

TEST_P(RealField, WritesTheField) {
  const RealCase& c = GetParam();
  EXPECT_EQ(real_field(c.value, c.size, c.w, c.d), c.field) << describe(c);
}

INSTANTIATE_TEST_SUITE_P(
    Examples, RealField,
    ::testing::Values(r4(12.345f, 8, 3, "  12.345"), r4(12.345f, 5, 1, " 12.3"), r4(1950.0f, 6, 2, "******"),
                      r4(0.5f, 6, 2, "  0.50"), r4(0.5f, 3, 2, ".50"), r4(-0.5f, 4, 1, "-0.5"),
                      r4(-0.5f, 3, 1, "-.5"), r4(-0.004f, 6, 2, "  0.00"), r4(-0.0f, 6, 2, "  0.00"),
                      r4(0.3f, 3, 0, " 0."), r4(1.0f / 3.0f, 12, 9, " 0.333333340"),
                      r4(2.0f / 3.0f, 12, 9, " 0.666666700"), r4(0.25f, 4, 1, " 0.3"), r4(2.5f, 3, 0, " 3."),
                      r4(0.96f, 4, 1, " 1.0"), r4(-99.9f, 6, 2, "-99.90"), r4(-99.9f, 8, 3, " -99.900")));

INSTANTIATE_TEST_SUITE_P(
    Rounding, RealField,
    ::testing::Values(r4(0.5f, 3, 0, " 1."), r4(9.96f, 5, 1, " 10.0"), r4(99.96f, 5, 1, "100.0"),
                      r4(999.96f, 5, 1, "*****"), r4(0.0006f, 6, 3, " 0.001"), r4(-0.0006f, 6, 3, "-0.001"),
                      r4(0.0004f, 6, 3, " 0.000"), r4(-0.0004f, 6, 3, " 0.000"), r4(2.675f, 5, 2, " 2.67"),
                      r4(0.04f, 3, 1, "0.0"), r4(1.5f, 6, 0, "    2."), r4(1.25f, 5, 1, "  1.3"),
                      r4(1.0f, 10, 0, "        1."), r4(0.0f, 5, 2, " 0.00"), r4(0.0f, 3, 0, " 0."),
                      r4(123.456f, 10, 5, " 123.45600"), r4(1e-10f, 6, 2, "  0.00")));

INSTANTIATE_TEST_SUITE_P(
    TooWide, RealField,
    ::testing::Values(r4(100.0f, 5, 2, "*****"), r4(-1.0f, 4, 2, "****"), r4(-0.5f, 2, 1, "**"),
                      r4(0.5f, 2, 2, "**"), r4(1e30f, 15, 6, "***************"),
                      // a value rounding to zero that cannot show its point and d zeros
                      r4(0.001f, 2, 2, "**"), r4(-0.001f, 2, 2, "**")));

INSTANTIATE_TEST_SUITE_P(
    RoundsToZero, RealField,
    ::testing::Values(r4(0.001f, 3, 2, ".00"), r4(-0.001f, 3, 2, ".00"), r4(-0.001f, 4, 2, " .00"),
                      r4(0.001f, 4, 2, "0.00"), r4(-0.001f, 5, 2, " 0.00"), r4(0.3f, 2, 0, "0."),
                      r4(-0.3f, 4, 0, "  0."), r4(0.3f, 1, 0, "."), r4(0.001f, 8, 1, "     0.0")));

INSTANTIATE_TEST_SUITE_P(
    MinimalWidth, RealField,
    ::testing::Values(r4(12.345f, 0, 3, "12.345"), r4(0.5f, 0, 2, ".50"), r4(-0.5f, 0, 1, "-.5"),
                      r4(-0.001f, 0, 2, ".00"), r4(1950.0f, 0, 1, "1950.0"), r4(0.3f, 0, 0, "0."),
                      r4(-1234.5f, 0, 0, "-1235."), r4(1e20f, 0, 0, "100000000000000000000.")));

INSTANTIATE_TEST_SUITE_P(
    EightByte, RealField,
    ::testing::Values(r8(0.1, 20, 17, " 0.10000000000000000"),
                      // the 17th digit below 5 is set to 0
                      r8(1.0 / 3.0, 20, 18, "0.333333333333333300"), r8(2.0 / 3.0, 20, 18, "0.666666666666666600"),
                      // the 17th digit 5 or more rounds the 16th and carries through the nines
                      r8(0.7, 20, 18, "0.700000000000000000"),
                      // the digits are cut off exactly, not rounded first
                      r8(2.675, 5, 2, " 2.67"), r8(0.125, 6, 2, "  0.13"), r8(1.0 / 3.0, 8, 5, " 0.33333"),
                      r8(1e20, 0, 1, "100000000000000000000.0"),
                      r8(123456789012345678901234.0, 0, 0, "123456789012345700000000."),
                      r8(12.345, 8, 3, "  12.345"), r8(-0.0, 6, 2, "  0.00"),
                      r8(1950.0, 24, 15, "    1950.000000000000000"),
                      r8(1.0, 41, 38, " 1.00000000000000000000000000000000000000"), r8(0.5, 0, 25, ".5000000000000000000000000")));

struct ModeCase {
  float value;
  std::int32_t w;
  std::int32_t d;
  std::int32_t scale;
  bool plus;
  bool lead_zero;
  const char* field;
};

class RealFieldModes : public ::testing::TestWithParam<ModeCase> {};

TEST_P(RealFieldModes, WritesTheField) {
  const ModeCase& c = GetParam();
  EditModes modes;
  modes.scale = c.scale;
  modes.plus = c.plus;
  modes.lead_zero = c.lead_zero;
  EXPECT_EQ(real_field(c.value, 4, c.w, c.d, modes), c.field)
      << c.value << " under " << c.scale << "P F" << c.w << "." << c.d << (c.plus ? " SP" : "")
      << (c.lead_zero ? "" : " noleadzero");
}

INSTANTIATE_TEST_SUITE_P(
    PlusSigns, RealFieldModes,
    ::testing::Values(ModeCase{1.5f, 5, 1, 0, true, true, " +1.5"}, ModeCase{0.0f, 5, 2, 0, true, true, "+0.00"},
                      ModeCase{-1.5f, 5, 1, 0, true, true, " -1.5"}, ModeCase{0.5f, 4, 2, 0, true, true, "+.50"},
                      ModeCase{99.5f, 5, 1, 0, true, true, "+99.5"}, ModeCase{99.5f, 4, 1, 0, true, true, "****"},
                      ModeCase{0.001f, 6, 2, 0, true, true, " +0.00"}, ModeCase{-0.001f, 6, 2, 0, true, true, "  0.00"},
                      ModeCase{0.001f, 4, 2, 0, true, true, "+.00"}, ModeCase{0.001f, 3, 2, 0, true, true, "***"},
                      ModeCase{0.3f, 4, 0, 0, true, true, "  0."}, ModeCase{2.0f, 0, 1, 0, true, true, "+2.0"}));

INSTANTIATE_TEST_SUITE_P(
    ScaleFactor, RealFieldModes,
    ::testing::Values(ModeCase{1.5f, 6, 2, 1, false, true, " 15.00"}, ModeCase{1.5f, 6, 2, -1, false, true, "  0.15"},
                      ModeCase{1.5f, 6, 2, -2, false, true, "  0.02"}, ModeCase{1.5f, 6, 2, -3, false, true, "  0.00"},
                      ModeCase{0.0f, 6, 2, 2, false, true, "  0.00"}, ModeCase{12.5f, 6, 1, 3, false, true, "******"},
                      ModeCase{0.96f, 5, 0, 1, false, true, "  10."}, ModeCase{-1.5f, 6, 2, 1, false, true, "-15.00"}));

INSTANTIATE_TEST_SUITE_P(
    NoLeadingZero, RealFieldModes,
    ::testing::Values(ModeCase{0.5f, 6, 2, 0, false, false, "   .50"}, ModeCase{-0.5f, 4, 1, 0, false, false, " -.5"},
                      ModeCase{-0.004f, 6, 2, 0, false, false, "   .00"}, ModeCase{0.5f, 3, 2, 0, false, false, ".50"},
                      ModeCase{0.3f, 3, 0, 0, false, false, " 0."}, ModeCase{12.345f, 8, 3, 0, false, false, "  12.345"},
                      ModeCase{0.001f, 6, 2, 0, true, false, "  +.00"}, ModeCase{0.25f, 4, 1, 0, false, false, "  .3"}));

struct SpecialCase {
  double value;
  std::int32_t w;
  bool plus;
  const char* field;
};

class RealFieldSpecial : public ::testing::TestWithParam<SpecialCase> {};

TEST_P(RealFieldSpecial, WritesInfinityAndNotANumber) {
  const SpecialCase& c = GetParam();
  EditModes modes;
  modes.plus = c.plus;
  EXPECT_EQ(real_field(c.value, 4, c.w, 2, modes), c.field);
  EXPECT_EQ(real_field(c.value, 8, c.w, 2, modes), c.field);
}

constexpr double kInf = std::numeric_limits<double>::infinity();
const double kNaN = std::numeric_limits<double>::quiet_NaN();

INSTANTIATE_TEST_SUITE_P(
    All, RealFieldSpecial,
    ::testing::Values(SpecialCase{kInf, 6, false, "   INF"}, SpecialCase{-kInf, 6, false, "  -INF"},
                      SpecialCase{kInf, 6, true, "  +INF"}, SpecialCase{-kInf, 6, true, "  -INF"},
                      SpecialCase{kNaN, 6, false, "   NaN"}, SpecialCase{-kNaN, 6, false, "   NaN"},
                      SpecialCase{kNaN, 6, true, "   NaN"}, SpecialCase{kInf, 3, false, "INF"},
                      SpecialCase{kInf, 2, false, "**"}, SpecialCase{-kInf, 3, false, "***"},
                      SpecialCase{kInf, 3, true, "***"}, SpecialCase{-kInf, 4, false, "-INF"},
                      SpecialCase{kNaN, 3, true, "NaN"}, SpecialCase{kNaN, 2, false, "**"},
                      SpecialCase{-kInf, 0, false, "-INF"}, SpecialCase{kNaN, 0, false, "NaN"}));

TEST(RealFieldSpecial, NegativeNaNIsReallyNegative) {
  EXPECT_TRUE(std::signbit(-kNaN));  // so the case above does test the sign bit
}

struct DigitCase {
  double value;
  int significant;
  const char* digits;
  int exp;
};

class DigitString : public ::testing::TestWithParam<DigitCase> {};

TEST_P(DigitString, CutsOffTheExactExpansion) {
  const DigitCase& c = GetParam();
  char digits[20];
  int exp = 99;
  dbl_ascii(c.value, c.significant, digits, exp);
  EXPECT_EQ(std::string(digits, 20), c.digits) << c.value;
  EXPECT_EQ(exp, c.exp) << c.value;
}

INSTANTIATE_TEST_SUITE_P(
    All, DigitString,
    ::testing::Values(
        DigitCase{0.5, 17, "50000000000000000000", 0}, DigitCase{0.05, 17, "50000000000000002000", -1},
        DigitCase{0.0, 17, "00000000000000000000", 0}, DigitCase{0.0, 8, "00000000000000000000", 0},
        DigitCase{1.0f / 3.0f, 8, "33333334000000000000", 0}, DigitCase{2.0f / 3.0f, 8, "66666668000000000000", 0},
        DigitCase{1950.0f, 8, "19500000000000000000", 4}, DigitCase{-12.345f, 8, "12345000000000000000", 2},
        DigitCase{0.7, 17, "69999999999999995000", 0}, DigitCase{0.004f, 8, "40000001000000000000", -2},
        DigitCase{std::numeric_limits<double>::denorm_min(), 17, "49406564584124654000", -323},
        DigitCase{std::numeric_limits<double>::max(), 17, "17976931348623157000", 309},
        DigitCase{std::numeric_limits<float>::denorm_min(), 8, "14012984000000000000", -44},
        DigitCase{1e23, 17, "99999999999999991000", 23}));

// The digits of a real taken the short way, from the number rounded to a
// few more digits, against its exact expansion: random floats and doubles,
// numbers with few digits (where the rounding shows no cut), runs of nines
// (where it carries), the smallest and largest, for every digit count.
TEST(DigitString, ShortWayAgreesWithTheExactExpansion) {
  std::mt19937_64 rng(21);
  std::uniform_real_distribution<double> mantissa(1.0, 10.0);
  std::uniform_int_distribution<int> exponent(-40, 40);
  std::vector<double> values = {0.5, 25.0, 0.125, 1e-5, 9.9995, 99.99999999, 0.1, 1.0 / 3.0, 123456789.0,
                                std::numeric_limits<double>::denorm_min(), std::numeric_limits<double>::max(),
                                std::numeric_limits<float>::min(), -17.3, 1e22, 9.999999999999999e22};
  for (int n = 0; n < 20000; ++n) {
    const double x = mantissa(rng) * std::pow(10.0, exponent(rng));
    values.push_back(n % 2 ? x : static_cast<double>(static_cast<float>(x)));
    values.push_back(std::round(x * 1000.0) / 1000.0);
  }
  for (double v : values) {
    for (int significant = 1; significant <= 20; ++significant) {
      char fast[20], exact[20];
      int fast_exp = -99, exact_exp = -99;
      dbl_ascii(v, significant, fast, fast_exp);
      exact_digits(v, significant, exact, exact_exp);
      ASSERT_EQ(std::string(fast, 20), std::string(exact, 20)) << v << " to " << significant;
      ASSERT_EQ(fast_exp, exact_exp) << v << " to " << significant;
    }
  }
}

}  // namespace
}  // namespace arb::rt
