// SPDX-License-Identifier: GPL-3.0-or-later
// I, B, O, Z and L fields.

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "fields.h"

namespace arb::rt {
namespace {

using test::desc_iw;
using test::int_field;
using test::item_field;

struct IntCase {
  std::int64_t value;
  std::int32_t w;
  std::int32_t m;
  bool plus;
  const char* field;
};

class IntegerField : public ::testing::TestWithParam<IntCase> {};

TEST_P(IntegerField, WritesTheField) {
  const IntCase& c = GetParam();
  EditModes modes;
  modes.plus = c.plus;
  EXPECT_EQ(int_field(c.value, desc_iw(Op::I, c.w, c.m), modes), c.field)
      << c.value << " under I" << c.w << "." << c.m << (c.plus ? " with SP" : "");
}

INSTANTIATE_TEST_SUITE_P(
    Examples, IntegerField,
    ::testing::Values(IntCase{1950, 5, 1, false, " 1950"}, IntCase{-12, 4, 1, false, " -12"},
                      IntCase{12345, 4, 1, false, "****"}, IntCase{7, 3, 2, false, " 07"},
                      IntCase{0, 3, 0, false, "   "}, IntCase{99999, 4, 1, false, "****"},
                      IntCase{0, 3, 1, false, "  0"}, IntCase{-1, 2, 1, false, "-1"},
                      IntCase{-10, 2, 1, false, "**"}, IntCase{1234, 4, 1, false, "1234"}));

INSTANTIATE_TEST_SUITE_P(
    MinimumDigits, IntegerField,
    ::testing::Values(IntCase{-7, 5, 3, false, " -007"}, IntCase{12345, 5, 3, false, "12345"},
                      IntCase{-12, 4, 4, false, "****"}, IntCase{0, 4, 3, false, " 000"},
                      IntCase{5, 2, 0, false, " 5"}, IntCase{0, 0, 0, false, ""}));

INSTANTIATE_TEST_SUITE_P(
    PlusSigns, IntegerField,
    ::testing::Values(IntCase{5, 3, 1, true, " +5"}, IntCase{0, 3, 1, true, "  0"},
                      IntCase{-5, 3, 1, true, " -5"}, IntCase{123, 3, 1, true, "***"},
                      IntCase{12, 3, 1, true, "+12"}, IntCase{42, 0, 1, true, "+42"}));

INSTANTIATE_TEST_SUITE_P(
    MinimalWidth, IntegerField,
    ::testing::Values(IntCase{42, 0, 1, false, "42"}, IntCase{-7, 0, 1, false, "-7"},
                      IntCase{0, 0, 1, false, "0"}, IntCase{7, 0, 3, false, "007"},
                      IntCase{std::numeric_limits<std::int64_t>::min(), 0, 1, false, "-9223372036854775808"},
                      IntCase{std::numeric_limits<std::int64_t>::max(), 0, 1, false, "9223372036854775807"}));

struct BozCase {
  Op op;
  std::int64_t value;
  std::uint8_t size;
  std::int32_t w;
  std::int32_t m;
  const char* field;
};

class BozField : public ::testing::TestWithParam<BozCase> {};

TEST_P(BozField, WritesTheBitsOfTheItem) {
  const BozCase& c = GetParam();
  EditModes modes;
  modes.plus = true;  // never a sign on these fields
  EXPECT_EQ(item_field(out_int(c.value, c.size), desc_iw(c.op, c.w, c.m), modes), c.field);
}

INSTANTIATE_TEST_SUITE_P(
    Bases, BozField,
    ::testing::Values(BozCase{Op::B, 5, 4, 8, 1, "     101"}, BozCase{Op::B, 5, 4, 8, 8, "00000101"},
                      BozCase{Op::O, 8, 4, 4, 1, "  10"}, BozCase{Op::Z, 255, 4, 4, 1, "  FF"},
                      BozCase{Op::Z, 0xABCDEF, 4, 0, 1, "ABCDEF"}, BozCase{Op::Z, 0, 4, 3, 0, "   "},
                      BozCase{Op::Z, 4096, 4, 2, 1, "**"}, BozCase{Op::Z, -1, 4, 0, 1, "FFFFFFFF"},
                      BozCase{Op::B, -1, 1, 0, 1, "11111111"}, BozCase{Op::O, -1, 2, 0, 1, "177777"},
                      BozCase{Op::Z, -1, 8, 0, 1, "FFFFFFFFFFFFFFFF"}, BozCase{Op::Z, -2, 8, 17, 1, " FFFFFFFFFFFFFFFE"}));

TEST(LogicalField, RightJustifiesTOrF) {
  Descriptor l2 = desc_iw(Op::L, 2);
  EXPECT_EQ(item_field(out_logical(true), l2), " T");
  EXPECT_EQ(item_field(out_logical(false), l2), " F");
  EXPECT_EQ(item_field(out_logical(true), desc_iw(Op::L, 1)), "T");
  EXPECT_EQ(item_field(out_logical(false, 1), desc_iw(Op::L, 5)), "    F");
}

TEST(LogicalField, IntegerDescriptorsWriteItsValue) {
  EXPECT_EQ(item_field(out_logical(true, 2), desc_iw(Op::I, 7)), "      1");
  EXPECT_EQ(item_field(out_logical(false), desc_iw(Op::I, 3)), "  0");
}

}  // namespace
}  // namespace arb::rt
