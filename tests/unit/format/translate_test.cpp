// SPDX-License-Identifier: GPL-3.0-or-later
// trans_format: failures, accepted spellings, compiled bytes, buffer growth.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "describe.h"
#include "errors.h"
#include "format.h"

namespace arb::rt {
namespace {

using test::Code;

int translate(std::string_view text) {
  CompiledFormat f;
  return trans_format(text, f);
}

std::vector<std::uint8_t> compiled(std::string_view text) {
  CompiledFormat f;
  EXPECT_EQ(trans_format(text, f), 0) << text;
  return f.code;
}

struct FailureCase {
  const char* text;
  Err err;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.text; }
};

class TranslateFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(TranslateFailure, GivesItsNumber) {
  EXPECT_EQ(translate(GetParam().text), static_cast<int>(GetParam().err)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TranslateFailure,
    ::testing::Values(
        // opening and closing
        FailureCase{"(I5", Err::UnmatchedParens}, FailureCase{"I5)", Err::MissingOpen},
        FailureCase{"I4,12F5.1", Err::MissingOpen}, FailureCase{"", Err::MissingOpen},
        FailureCase{"      ", Err::MissingOpen}, FailureCase{"123", Err::MissingOpen},
        FailureCase{"12 I5)", Err::MissingOpen}, FailureCase{"((I5)", Err::UnmatchedParens},
        FailureCase{"(I5,", Err::UnmatchedParens}, FailureCase{"(2", Err::UnmatchedParens},
        FailureCase{"(F5", Err::UnmatchedParens}, FailureCase{"(3HAB)", Err::UnmatchedParens},
        FailureCase{"(S", Err::UnmatchedParens}, FailureCase{"(T", Err::UnmatchedParens},
        // quotes
        FailureCase{"(1X,'abc)", Err::UnmatchedQuotes}, FailureCase{"('it''s)", Err::UnmatchedQuotes},
        FailureCase{"(\"abc')", Err::UnmatchedQuotes}, FailureCase{"('abc'')", Err::UnmatchedQuotes},
        // repeat counts
        FailureCase{"(0X)", Err::IllegalRepeat}, FailureCase{"(-1X)", Err::IllegalRepeat},
        FailureCase{"(0/)", Err::IllegalRepeat}, FailureCase{"(0(I5))", Err::IllegalRepeat},
        FailureCase{"(0I5)", Err::IllegalRepeat}, FailureCase{"(0HAB)", Err::IllegalRepeat},
        FailureCase{"(2)", Err::IllegalRepeat}, FailureCase{"(I5,3)", Err::IllegalRepeat},
        FailureCase{"(2BN)", Err::IllegalRepeat}, FailureCase{"(1BZ)", Err::IllegalRepeat},
        FailureCase{"(0T5)", Err::IllegalRepeat},
        // descriptors that take no repeat count
        FailureCase{"(2T5)", Err::NonRepeatable}, FailureCase{"(2TL3)", Err::NonRepeatable},
        FailureCase{"(2TR3)", Err::NonRepeatable}, FailureCase{"(2'ab')", Err::NonRepeatable},
        FailureCase{"(2\"ab\")", Err::NonRepeatable}, FailureCase{"(2$)", Err::NonRepeatable},
        FailureCase{"(2\\)", Err::NonRepeatable}, FailureCase{"(2:)", Err::NonRepeatable},
        FailureCase{"(2S)", Err::NonRepeatable}, FailureCase{"(2SP)", Err::NonRepeatable},
        FailureCase{"(2SS)", Err::NonRepeatable}, FailureCase{"(2Q)", Err::NonRepeatable},
        // Hollerith
        FailureCase{"(5HAB)", Err::HollerithCount}, FailureCase{"(4Habc", Err::HollerithCount},
        // everything else
        FailureCase{"(F5)", Err::FormatError}, FailureCase{"(I5,,I5)", Err::FormatError},
        FailureCase{"(,I5)", Err::FormatError}, FailureCase{"(2(,I5))", Err::FormatError},
        FailureCase{"(K5)", Err::FormatError}, FailureCase{"(I5.)", Err::FormatError},
        FailureCase{"(I-5)", Err::FormatError}, FailureCase{"(I5.-1)", Err::FormatError},
        FailureCase{"(A-1)", Err::FormatError}, FailureCase{"(L0)", Err::FormatError},
        FailureCase{"(L-2)", Err::FormatError}, FailureCase{"(F5.)", Err::FormatError},
        FailureCase{"(F-5.2)", Err::FormatError}, FailureCase{"(F0)", Err::FormatError},
        FailureCase{"(D10)", Err::FormatError}, FailureCase{"(D0.3)", Err::FormatError},
        FailureCase{"(D10.3E)", Err::FormatError}, FailureCase{"(E10)", Err::FormatError},
        FailureCase{"(E10.3E)", Err::FormatError}, FailureCase{"(E10.3D,I5)", Err::FormatError},
        FailureCase{"(ES10)", Err::FormatError}, FailureCase{"(G8)", Err::FormatError},
        FailureCase{"(E10.3E256)", Err::FormatError}, FailureCase{"(Q5)", Err::FormatError},
        FailureCase{"(Q5.)", Err::FormatError}, FailureCase{"(T)", Err::FormatError},
        FailureCase{"(TR,I5)", Err::FormatError}, FailureCase{"(TL-2)", Err::FormatError},
        FailureCase{"(SX)", Err::FormatError}, FailureCase{"(S/)", Err::FormatError},
        FailureCase{"(+X)", Err::FormatError}, FailureCase{"(I99999999999)", Err::FormatError},
        FailureCase{"(.5)", Err::FormatError}, FailureCase{"(I5;I5)", Err::FormatError}));

struct SameCase {
  const char* text;
  const char* as;
  friend void PrintTo(const SameCase& c, std::ostream* os) { *os << c.text; }
};

class TranslateSame : public ::testing::TestWithParam<SameCase> {};

TEST_P(TranslateSame, CompilesAlike) {
  EXPECT_EQ(compiled(GetParam().text), compiled(GetParam().as)) << GetParam().text;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TranslateSame,
    ::testing::Values(
        SameCase{"(I5))", "(I5)"}, SameCase{"(I5) trailing words", "(I5)"}, SameCase{"(I5)    ", "(I5)"},
        SameCase{"(i4,12f5.1)", "(I4,12F5.1)"}, SameCase{"12(F5.1)", "(F5.1)"},
        SameCase{" 12 (F5.1)", "(F5.1)"}, SameCase{"(1 2X)", "(12X)"},
        SameCase{"  (  I 5 , F 1 0 . 2 )", "(I5,F10.2)"}, SameCase{"(I4/I5,12F5.1)", "(I4,/,I5,12F5.1)"},
        SameCase{"(I5,)", "(I5)"}, SameCase{"(2PF10.3)", "(2P,F10.3)"}, SameCase{"(\\)", "($)"},
        SameCase{"(S,I5)", "(SS,I5)"}, SameCase{"(S)", "(SS)"}, SameCase{"(X)", "(1X)"},
        SameCase{"(/)", "(1/)"}, SameCase{"(P)", "(1P)"}, SameCase{"(2(I3))", "(2(I3,),)"},
        SameCase{"(tr3,tl2,t45,sp,ss,s,bn,bz,$,:,q)", "(TR3,TL2,T45,SP,SS,S,BN,BZ,$,:,Q)"},
        SameCase{"(es10.3e2,en9.2,g8.1d3,e7.1d2,d9.2e3)", "(ES10.3E2,EN9.2,G8.1D3,E7.1D2,D9.2E3)"},
        SameCase{"(i3.2,b4,o5,z6,l2,a3,q5.2)", "(I3.2,B4,O5,Z6,L2,A3,Q5.2)"},
        SameCase{"(D9.2)", "(D9.2E2)"}, SameCase{"(E9.2)", "(E9.2E2)"}, SameCase{"(I5.1)", "(I5)"},
        SameCase{"(E0)", "(E)"}, SameCase{"(A0)", "(A)"}, SameCase{"(\"it's\")", "('it''s')"},
        SameCase{"(3H'a')", "(\"'a'\")"}, SameCase{"(I5 T 4 5)", "(I5,T45)"}, SameCase{"(B N,B Z)", "(BN,BZ)"}));

TEST(TranslateBytes, SimpleInteger) {
  EXPECT_EQ(compiled("(I5)"), Code().ins(Op::I, {1, 5, 1}).op(Op::End).bytes());
}

TEST(TranslateBytes, TextAndRepeatedReal) {
  EXPECT_EQ(compiled("(1X,'MN:',12F6.2)"), Code()
                                                .ins(Op::X, {1})
                                                .ins(Op::Text, {3})
                                                .chars("MN:")
                                                .ins(Op::F, {12, 6, 2})
                                                .op(Op::End)
                                                .bytes());
}

TEST(TranslateBytes, AbsentParts) {
  EXPECT_EQ(compiled("(I0,F0.3,F,I,A,A8,L,L3,2I4.0)"), Code()
                                                           .ins(Op::I, {1, -1, 1})
                                                           .ins(Op::F, {1, -1, 3})
                                                           .ins(Op::F, {1, 0, 0})
                                                           .ins(Op::I, {1, 0, 1})
                                                           .ins(Op::A, {1, 0})
                                                           .ins(Op::A, {1, 8})
                                                           .ins(Op::L, {1, 0})
                                                           .ins(Op::L, {1, 3})
                                                           .ins(Op::I, {2, 4, 0})
                                                           .op(Op::End)
                                                           .bytes());
}

TEST(TranslateBytes, RealsGroupsAndScale) {
  EXPECT_EQ(compiled("(-2P,3(E10.3E3,D12.4,G9.2D2,ES8.1),EN7.0,E6.1D1,Q,2Q5.1,0P,B4,O5,Z6)"),
            Code()
                .ins(Op::P, {-2})
                .ins(Op::GroupOpen, {3})
                .ins(Op::E, {1, 10, 3}).u8(3)
                .ins(Op::D, {1, 12, 4}).u8(2)
                .ins(Op::GD, {1, 9, 2}).u8(2)
                .ins(Op::ES, {1, 8, 1}).u8(2)
                .op(Op::GroupClose)
                .ins(Op::EN, {1, 7, 0}).u8(2)
                .ins(Op::ED, {1, 6, 1}).u8(1)
                .op(Op::Q)
                .ins(Op::QF, {2, 5, 1})
                .ins(Op::P, {0})
                .ins(Op::B, {1, 4, 1})
                .ins(Op::O, {1, 5, 1})
                .ins(Op::Z, {1, 6, 1})
                .op(Op::End)
                .bytes());
}

TEST(TranslateBytes, PositioningModesAndTexts) {
  EXPECT_EQ(compiled("(T45,TL3,TR2,2/,SP,SS,S,BN,BZ,:,$,\\,\"a\"\"b'c\",3Hx y)"),
            Code()
                .ins(Op::T, {45})
                .ins(Op::TL, {3})
                .ins(Op::TR, {2})
                .ins(Op::Slash, {2})
                .op(Op::SP)
                .op(Op::SS)
                .op(Op::SS)
                .op(Op::BN)
                .op(Op::BZ)
                .op(Op::Colon)
                .op(Op::Dollar)
                .op(Op::Dollar)
                .ins(Op::Text, {5}).chars("a\"b'c")
                .ins(Op::Text, {3}).chars("x y")
                .op(Op::End)
                .bytes());
}

TEST(TranslateBytes, LargeOperandsMostSignificantByteFirst) {
  EXPECT_EQ(compiled("(70000X)"), Code().op(Op::X).u8(0).u8(1).u8(0x11).u8(0x70).op(Op::End).bytes());
}

TEST(TranslateBytes, NestedGroupsEmitOpenAndClose) {
  EXPECT_EQ(compiled("(2(I2,3(I3)),I4)"), Code()
                                              .ins(Op::GroupOpen, {2})
                                              .ins(Op::I, {1, 2, 1})
                                              .ins(Op::GroupOpen, {3})
                                              .ins(Op::I, {1, 3, 1})
                                              .op(Op::GroupClose)
                                              .op(Op::GroupClose)
                                              .ins(Op::I, {1, 4, 1})
                                              .op(Op::End)
                                              .bytes());
}

// Sizes of whole translations: 13 bytes for I, 5 for X, 14 for E, 5 and the
// characters for text, 1 for the end.
struct GrowthCase {
  std::string text;
  std::size_t size;
  friend void PrintTo(const GrowthCase& c, std::ostream* os) { *os << c.text.substr(0, 40); }
};

class TranslateGrowth : public ::testing::TestWithParam<GrowthCase> {};

TEST_P(TranslateGrowth, FollowsTheRule) {
  CompiledFormat f;
  ASSERT_EQ(trans_format(GetParam().text, f), 0);
  EXPECT_EQ(f.code.size(), GetParam().size);
}

std::string rep(const char* s, int n) {
  std::string out;
  for (int k = 0; k < n; ++k) out += s;
  return out;
}

INSTANTIATE_TEST_SUITE_P(
    Table, TranslateGrowth,
    ::testing::Values(
        GrowthCase{"(I5)", 14},
        GrowthCase{"(" + rep("I", 18) + ")", 235}, GrowthCase{"(" + rep("I", 19) + ")", 248},
        // the end of format is an instruction too
        GrowthCase{"(" + rep("I", 17) + rep("X", 5) + ")", 247},
        GrowthCase{"(" + rep("I", 18) + "XXE9.2)", 259},
        GrowthCase{"(" + rep("I", 100) + ")", 1301},
        // a text: its length and its characters
        GrowthCase{"('" + rep("a", 300) + "')", 306},
        // quoted and Hollerith text alike
        GrowthCase{"(" + rep("I", 60) + "'" + rep("a", 200) + "')", 986},
        GrowthCase{"(" + rep("I", 60) + ",200H" + rep("a", 200) + ")", 986}));

TEST(TranslateGrowth, StartsAfreshForEachText) {
  CompiledFormat f;
  ASSERT_EQ(trans_format("(" + rep("I", 100) + ")", f), 0);
  ASSERT_EQ(trans_format("(I5)", f), 0);
  EXPECT_EQ(f.code, Code().ins(Op::I, {1, 5, 1}).op(Op::End).bytes());
}

TEST(TranslateGrowth, DeepNestingIsOnlyARunTimeLimit) {
  EXPECT_EQ(translate("(" + rep("(", 30) + "I5" + rep(")", 30) + ")"), 0);
}

}  // namespace
}  // namespace arb::rt
