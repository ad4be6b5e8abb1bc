// SPDX-License-Identifier: GPL-3.0-or-later
// A fields and the pairing of items with data descriptors.

#include <gtest/gtest.h>

#include <string>

#include "fields.h"
#include "errors.h"

namespace arb::rt {
namespace {

using test::desc_iw;
using test::item_field;

struct CharCase {
  const char* item;
  std::int32_t w;
  const char* field;
};

class CharacterField : public ::testing::TestWithParam<CharCase> {};

TEST_P(CharacterField, WritesTheField) {
  const CharCase& c = GetParam();
  EXPECT_EQ(item_field(out_chars(c.item), desc_iw(Op::A, c.w)), c.field) << '"' << c.item << "\" under A" << c.w;
}

INSTANTIATE_TEST_SUITE_P(
    All, CharacterField,
    ::testing::Values(CharCase{"abc", 0, "abc"}, CharCase{"ab  ", 0, "ab  "}, CharCase{"abc", 3, "abc"},
                      CharCase{"abc", 5, "  abc"}, CharCase{"abcdef", 2, "ab"}, CharCase{"", 0, ""},
                      CharCase{"", 3, "   "}, CharCase{" x ", 1, " "}));

TEST(CharacterField, WidthFromTheItemIsTheWholeItem) {
  std::string title(80, 't');
  title[79] = ' ';
  EXPECT_EQ(item_field(out_chars(title), desc_iw(Op::A, 80)), title);
}

TEST(ItemDispatch, ConvertsMatchingKinds) {
  Descriptor f;
  f.op = Op::F;
  f.w = 6;
  f.d = 2;
  EXPECT_EQ(item_field(out_real(0.5f), f), "  0.50");
  EXPECT_EQ(item_field(out_real8(0.125), f), "  0.13");
  EXPECT_EQ(item_field(out_int(1950), desc_iw(Op::I, 5)), " 1950");
  EXPECT_EQ(item_field(out_int(-3, 8), desc_iw(Op::I, 3, 2)), "-03");
  EditModes modes;
  modes.plus = true;
  modes.scale = 1;
  EXPECT_EQ(item_field(out_real(1.5f), f, modes), "+15.00");
  EXPECT_EQ(item_field(out_int(3), desc_iw(Op::I, 3), modes), " +3");
}

TEST(ItemDispatch, RealsOfFourBytesUseEightDigits) {
  Descriptor f;
  f.op = Op::F;
  f.w = 12;
  f.d = 9;
  EXPECT_EQ(item_field(out_real(2.0f / 3.0f), f), " 0.666666700");
  EXPECT_EQ(item_field(out_real8(2.0 / 3.0), f), " 0.666666667");
}

struct MismatchCase {
  const char* name;
  OutItem item;
  Op op;
};

class TypeMismatch : public ::testing::TestWithParam<MismatchCase> {};

TEST_P(TypeMismatch, RaisesTheError) {
  const MismatchCase& c = GetParam();
  Descriptor d;
  d.op = c.op;
  d.w = 8;
  d.d = 2;
  OutRecord rec;
  rec.put("ab");
  try {
    write_item(rec, d, EditModes{}, c.item);
    FAIL() << c.name << ": no error";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code, static_cast<int>(Err::TypeMismatch)) << c.name;
    EXPECT_FALSE(e.system);
    EXPECT_EQ(e.text, "Variable type or size does not match edit descriptor");
  }
  EXPECT_EQ(rec.text, "ab") << c.name << ": nothing written";
}

INSTANTIATE_TEST_SUITE_P(
    KindMismatch, TypeMismatch,
    ::testing::Values(MismatchCase{"integer under F", out_int(1), Op::F},
                      MismatchCase{"real under I", out_real(1.0f), Op::I},
                      MismatchCase{"real under Z", out_real8(1.0), Op::Z},
                      MismatchCase{"character under I", out_chars("1"), Op::I},
                      MismatchCase{"character under F", out_chars("1.0"), Op::F},
                      MismatchCase{"character under L", out_chars("T"), Op::L},
                      MismatchCase{"integer under A", out_int(65), Op::A},
                      MismatchCase{"real under A", out_real(1.0f), Op::A},
                      MismatchCase{"logical under A", out_logical(true), Op::A},
                      MismatchCase{"logical under F", out_logical(true), Op::F},
                      MismatchCase{"integer under L", out_int(1), Op::L},
                      MismatchCase{"real under L", out_real(1.0f), Op::L}));

// Reals go under E, D, ES, EN and G only; the forms with a D exponent and
// Qw.d have no output conversion in this system.
INSTANTIATE_TEST_SUITE_P(
    RealDescriptors, TypeMismatch,
    ::testing::Values(MismatchCase{"integer under E", out_int(1), Op::E},
                      MismatchCase{"character under D", out_chars("1"), Op::D},
                      MismatchCase{"logical under ES", out_logical(false), Op::ES},
                      MismatchCase{"integer under EN", out_int(1, 8), Op::EN},
                      MismatchCase{"real under E with D exponent", out_real(1.0f), Op::ED},
                      MismatchCase{"real under G with D exponent", out_real(1.0f), Op::GD},
                      MismatchCase{"real under Q", out_real8(1.0), Op::QF}));

}  // namespace
}  // namespace arb::rt
