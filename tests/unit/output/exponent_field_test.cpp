// SPDX-License-Identifier: GPL-3.0-or-later
// E, D, ES, EN and G fields.

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "fields.h"

namespace arb::rt {
namespace {

using test::item_field;

struct ExpCase {
  Op op;
  double value;
  int size;
  std::int32_t w;
  std::int32_t d;
  std::int32_t e;
  std::int32_t scale;
  bool plus;
  const char* field;
};

ExpCase r4(Op op, float v, std::int32_t w, std::int32_t d, const char* field, std::int32_t scale = 0,
           bool plus = false, std::int32_t e = 2) {
  return {op, v, 4, w, d, e, scale, plus, field};
}
ExpCase r8(Op op, double v, std::int32_t w, std::int32_t d, const char* field, std::int32_t e = 2) {
  return {op, v, 8, w, d, e, 0, false, field};
}

class ExponentField : public ::testing::TestWithParam<ExpCase> {};

TEST_P(ExponentField, WritesTheField) {
  const ExpCase& c = GetParam();
  Descriptor d;
  d.op = c.op;
  d.w = c.w;
  d.d = c.d;
  d.e = c.e;
  EditModes modes;
  modes.scale = c.scale;
  modes.plus = c.plus;
  const OutItem item = c.size == 4 ? out_real(static_cast<float>(c.value)) : out_real8(c.value);
  EXPECT_EQ(item_field(item, d, modes), c.field)
      << c.value << " under opcode " << static_cast<int>(c.op) << " w=" << c.w << " d=" << c.d << " e=" << c.e
      << " scale " << c.scale;
}

constexpr double kInf = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(
    E, ExponentField,
    ::testing::Values(r4(Op::E, 12.345f, 12, 4, "  0.1235E+02"), r4(Op::E, -12.345f, 10, 4, "-.1235E+02"),
                      r4(Op::E, -12.345f, 9, 4, "*********"), r4(Op::E, 0.0f, 10, 3, " 0.000E+00"),
                      r4(Op::E, -0.0f, 10, 3, " 0.000E+00"), r4(Op::E, 1e-5f, 10, 3, " 0.100E-04"),
                      r4(Op::E, 1.5f, 10, 3, "+0.150E+01", 0, true), r4(Op::E, 0.96f, 8, 1, " 0.1E+01"),
                      r4(Op::E, 2.0f / 3.0f, 15, 9, "0.666666700E+00"), r4(Op::D, 12.345f, 12, 4, "  0.1235D+02"),
                      r4(Op::E, 12.345f, 13, 4, "  0.1235E+002", 0, false, 3),
                      r4(Op::E, 1e10f, 10, 3, "**********", 0, false, 1), r4(Op::E, 5.0f, 8, 3, "0.500E+1", 0, false, 1)));

INSTANTIATE_TEST_SUITE_P(
    EScaled, ExponentField,
    ::testing::Values(r4(Op::E, 12.345f, 12, 4, "  1.2345E+01", 1), r4(Op::E, 12.345f, 12, 4, "  0.0123E+03", -1),
                      r4(Op::E, 12.345f, 10, 2, "  12.3E+00", 2), r4(Op::E, 12.345f, 12, 4, "************", -4),
                      r4(Op::E, 12.345f, 12, 4, "************", 6), r4(Op::E, 0.0f, 10, 3, " 0.000E+00", 2),
                      r4(Op::D, -12.345f, 12, 4, " -1.2345D+01", 1)));

INSTANTIATE_TEST_SUITE_P(
    ES, ExponentField,
    ::testing::Values(r4(Op::ES, 12.345f, 10, 3, " 1.235E+01"), r4(Op::ES, 0.0f, 10, 3, " 0.000E+00"),
                      r4(Op::ES, -0.00123f, 11, 2, "  -1.23E-03"), r4(Op::ES, 9.99f, 9, 1, "  1.0E+01"),
                      r4(Op::ES, 12.345f, 10, 3, " 1.235E+01", 3)));

INSTANTIATE_TEST_SUITE_P(
    EN, ExponentField,
    ::testing::Values(r4(Op::EN, 12345.0f, 12, 3, "  12.345E+03"), r4(Op::EN, 0.5f, 10, 2, "500.00E-03"),
                      r4(Op::EN, 999.96f, 10, 1, "   1.0E+03"), r4(Op::EN, 1234.0f, 10, 2, "  1.23E+03"),
                      r4(Op::EN, 0.0f, 10, 3, " 0.000E+00"), r4(Op::EN, -0.05f, 10, 1, " -50.0E-03"),
                      r4(Op::EN, 123.0f, 10, 1, " 123.0E+00"), r4(Op::EN, 999.96f, 12, 3, " 999.960E+00"), r4(Op::EN, 999.9996f, 12, 2, "    1.00E+03")));

INSTANTIATE_TEST_SUITE_P(
    EightByteAndLargeExponents, ExponentField,
    ::testing::Values(r8(Op::E, 0.1, 24, 17, " 0.10000000000000000E+00"),
                      r8(Op::E, 1.0 / 3.0, 24, 17, " 0.33333333333333330E+00"),
                      r8(Op::E, 1e100, 12, 4, "  0.1000+101"), r8(Op::E, 1e100, 12, 4, " 0.1000E+101", 3),
                      r8(Op::E, 1e-300, 12, 4, "  0.1000-299"), r8(Op::E, 1e300, 12, 4, "  0.1000+301"),
                      r8(Op::E, 1e300, 12, 4, "************", 1), r8(Op::D, 2.675, 12, 3, "   0.267D+01")));

INSTANTIATE_TEST_SUITE_P(
    Special, ExponentField,
    ::testing::Values(r8(Op::E, kInf, 10, 3, "       INF"), r8(Op::ES, -kInf, 6, 3, "  -INF"),
                      r8(Op::EN, std::nan(""), 6, 3, "   NaN"), r8(Op::G, -kInf, 6, 3, "  -INF")));

INSTANTIATE_TEST_SUITE_P(
    G, ExponentField,
    ::testing::Values(r4(Op::G, 12.345f, 12, 4, "   12.35    "), r4(Op::G, 0.05f, 12, 4, "  0.5000E-01"),
                      r4(Op::G, 0.0f, 12, 4, "   0.000    "), r4(Op::G, 12345.0f, 12, 4, "  0.1235E+05"),
                      r4(Op::G, 9999.6f, 12, 4, "  0.1000E+05"), r4(Op::G, 0.99996f, 12, 4, "   1.000    "),
                      r4(Op::G, 0.5f, 12, 4, "  0.5000    "), r4(Op::G, 0.099996f, 12, 4, "  0.1000    "),
                      r4(Op::G, -1234.0f, 12, 4, "  -1234.    "), r4(Op::G, 12.345f, 12, 4, "   12.35    ", 1),
                      r4(Op::G, 12345.0f, 12, 4, "  1.2345E+04", 1), r4(Op::G, 1.0f, 4, 1, "****"),
                      r4(Op::G, 12.345f, 13, 4, "   12.35     ", 0, false, 3), r4(Op::G, 12.345f, 6, 4, "******"),
                      r4(Op::G, 1.5f, 15, 6, "    1.50000    ")));

TEST(GeneralField, OtherItemsTakeTheirOwnForms) {
  Descriptor g;
  g.op = Op::G;
  g.w = 6;
  g.d = 2;
  EXPECT_EQ(item_field(out_int(42), g), "    42");
  EXPECT_EQ(item_field(out_int(-1234567), g), "******");
  EXPECT_EQ(item_field(out_logical(true), g), "     T");
  EXPECT_EQ(item_field(out_chars("ab"), g), "    ab");
  EXPECT_EQ(item_field(out_chars("abcdefgh"), g), "abcdef");
}

}  // namespace
}  // namespace arb::rt
