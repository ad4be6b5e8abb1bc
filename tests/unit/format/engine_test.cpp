// SPDX-License-Identifier: GPL-3.0-or-later
// FormatEngine: descriptors delivered for items, groups, reversion, the
// end-of-statement scan and widths taken from items.

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>
#include <vector>

#include "describe.h"
#include "errors.h"
#include "format.h"

namespace arb::rt {
namespace {

using test::describe;
using Seq = std::vector<std::string>;

constexpr ItemType kInt{ItemKind::Integer, 4, 0};
constexpr ItemType kReal{ItemKind::Real, 4, 0};

// The descriptors of `calls` setformat calls, all for the same item type.
Seq deliver(FormatEngine& eng, int calls, const ItemType& item = kInt) {
  Seq out;
  for (int k = 0; k < calls; ++k) out.push_back(describe(eng.setformat(item)));
  return out;
}

// Runs a write-like statement loop: for each item, descriptors until a data
// descriptor; returns everything delivered.
Seq statement_items(FormatEngine& eng, const std::vector<ItemType>& items) {
  Seq out;
  for (const auto& item : items) {
    for (;;) {
      Descriptor d = eng.setformat(item);
      out.push_back(describe(d));
      if (is_data(d.op)) break;
    }
  }
  return out;
}

// The end-of-statement scan, stopping at ":" as the statement does.
Seq scan(FormatEngine& eng) {
  Seq out;
  Descriptor d;
  while (eng.nextformat(d)) {
    out.push_back(describe(d));
    if (d.op == Op::Colon) break;
  }
  return out;
}

FormatEngine engine(std::string_view text) {
  FormatEngine eng;
  EXPECT_EQ(eng.init(text), 0) << text;
  return eng;
}

std::vector<ItemType> ints(int n) { return std::vector<ItemType>(static_cast<std::size_t>(n), kInt); }

struct SequenceCase {
  const char* format;
  int calls;
  Seq expected;
  friend void PrintTo(const SequenceCase& c, std::ostream* os) { *os << c.format; }
};

class Delivery : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(Delivery, GivesDescriptorsInOrder) {
  FormatEngine eng = engine(GetParam().format);
  EXPECT_EQ(deliver(eng, GetParam().calls), GetParam().expected) << GetParam().format;
}

INSTANTIATE_TEST_SUITE_P(
    Table, Delivery,
    ::testing::Values(
        // repeat counts give one item at a time; no group: back to the start
        SequenceCase{"(I4,I7,2I6)", 7, {"I4.1", "I7.1", "I6.1", "I6.1", "End", "I4.1", "I7.1"}},
        SequenceCase{"(3I2)", 8, {"I2.1", "I2.1", "I2.1", "End", "I2.1", "I2.1", "I2.1", "End"}},
        SequenceCase{"(1X,'A',I3)", 7, {"X1", "'A'", "I3.1", "End", "X1", "'A'", "I3.1"}},
        // reversion into the group, with its full repeat count
        SequenceCase{"(I5,2(1X,F4.1))",
                     13,
                     {"I5.1", "X1", "F4.1", "X1", "F4.1", "End", "X1", "F4.1", "X1", "F4.1", "End", "X1", "F4.1"}},
        // nested groups; reversion to the first-level group, depth 1
        SequenceCase{"(2(I2,3(I3)),I4)",
                     20,
                     {"I2.1", "I3.1", "I3.1", "I3.1", "I2.1", "I3.1", "I3.1", "I3.1", "I4.1", "End",
                      "I2.1", "I3.1", "I3.1", "I3.1", "I2.1", "I3.1", "I3.1", "I3.1", "I4.1", "End"}},
        // reversion to the LAST first-level group, then on to the end
        SequenceCase{"(I1,2(I2),I3,3(I4,2(I5)),I6)",
                     27,
                     {"I1.1", "I2.1", "I2.1", "I3.1", "I4.1", "I5.1", "I5.1", "I4.1", "I5.1",
                      "I5.1", "I4.1", "I5.1", "I5.1", "I6.1", "End", "I4.1", "I5.1", "I5.1",
                      "I4.1", "I5.1", "I5.1", "I4.1", "I5.1", "I5.1", "I6.1", "End", "I4.1"}},
        // a group of the second level only: reversion uses its first-level parent
        SequenceCase{"(I1,2(I2,2(I3)))",
                     14,
                     {"I1.1", "I2.1", "I3.1", "I3.1", "I2.1", "I3.1", "I3.1", "End", "I2.1", "I3.1",
                      "I3.1", "I2.1", "I3.1", "I3.1"}},
        // a repeated group of one repeated descriptor
        SequenceCase{"(2(2I1),I9)", 6, {"I1.1", "I1.1", "I1.1", "I1.1", "I9.1", "End"}},
        // descriptors that transfer nothing are handed over as written
        SequenceCase{"(T45,TL3,TR2,2/,-2P,SP,SS,BN,BZ,:,$,Q,I1)",
                     13,
                     {"T45", "TL3", "TR2", "/2", "P-2", "SP", "SS", "BN", "BZ", ":", "$", "Q", "I1.1"}}));

TEST(Delivery, ItemsAfterTheThirteenthStartANewRecord) {
  FormatEngine eng = engine("(1X,I6,12F6.2)");
  std::vector<ItemType> items{kInt};
  for (int k = 0; k < 12; ++k) items.push_back(kReal);
  Seq first = statement_items(eng, items);
  ASSERT_EQ(first.size(), 14u);
  EXPECT_EQ(first.front(), "X1");
  EXPECT_EQ(first[1], "I6.1");
  EXPECT_EQ(first.back(), "F6.2");
  EXPECT_EQ(statement_items(eng, {kInt}), (Seq{"End", "X1", "I6.1"}));
}

TEST(Delivery, RepeatedDescriptorTakesEachItemsWidth) {
  FormatEngine eng = engine("(3A)");
  EXPECT_EQ(describe(eng.setformat({ItemKind::Character, 0, 2})), "A2");
  EXPECT_EQ(describe(eng.setformat({ItemKind::Character, 0, 5})), "A5");
  EXPECT_EQ(describe(eng.setformat({ItemKind::Character, 0, 3})), "A3");
}

std::string nested(int levels) {
  return "(" + std::string(static_cast<std::size_t>(levels), '(') + "I5" +
         std::string(static_cast<std::size_t>(levels), ')') + ")";
}

TEST(GroupTable, TwentyLevelsAreAllowed) {
  FormatEngine eng = engine(nested(20));
  EXPECT_EQ(deliver(eng, 3), (Seq{"I5.1", "End", "I5.1"}));
}

TEST(GroupTable, TwentyFirstLevelOverflowsWhenEntered) {
  FormatEngine eng = engine(nested(21));  // translation does not limit the depth
  try {
    eng.setformat(kInt);
    FAIL() << "no overflow";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code, static_cast<int>(Err::GroupOverflow));
    EXPECT_EQ(e.text, "Format group table overflow");
  }
}

TEST(GroupTable, OverflowOnlyWhenTheLevelIsReached) {
  FormatEngine eng = engine("(I2," + nested(21) + ")");
  EXPECT_EQ(describe(eng.setformat(kInt)), "I2.1");
  EXPECT_THROW(eng.setformat(kInt), IoError);
}

TEST(GroupTable, SequentialGroupsReuseTheFirstEntry) {
  // 25 groups side by side never nest deeper than one level.
  std::string text = "(";
  for (int k = 0; k < 25; ++k) text += "(I1),";
  text += "I2)";
  FormatEngine eng = engine(text);
  Seq got = deliver(eng, 27);
  EXPECT_EQ(got[24], "I1.1");
  EXPECT_EQ(got[25], "I2.1");
  EXPECT_EQ(got[26], "End");
}

TEST(EndlessFormat, NoDataDescriptorAtAllFailsOnTheSecondPass) {
  FormatEngine eng = engine("('abc')");
  EXPECT_EQ(deliver(eng, 3), (Seq{"'abc'", "End", "'abc'"}));
  try {
    eng.setformat(kInt);
    FAIL() << "no failure";
  } catch (const IoError& e) {
    EXPECT_EQ(e.code, static_cast<int>(Err::FormatError));
  }
}

TEST(EndlessFormat, ReversionIntoAGroupWithoutData) {
  FormatEngine eng = engine("(I5,2('x'))");
  EXPECT_EQ(deliver(eng, 6), (Seq{"I5.1", "'x'", "'x'", "End", "'x'", "'x'"}));
  EXPECT_THROW(eng.setformat(kInt), IoError);
}

TEST(EndlessFormat, FormatsWithDataRunOnAndOn) {
  FormatEngine eng = engine("(I2)");
  for (int k = 0; k < 1000; ++k) {
    ASSERT_EQ(describe(eng.setformat(kInt)), "I2.1");
    ASSERT_EQ(eng.setformat(kInt).op, Op::End);
  }
}

struct ScanCase {
  const char* format;
  int items;  // integer items transferred before the scan
  Seq delivered;
  Seq scanned;
  friend void PrintTo(const ScanCase& c, std::ostream* os) { *os << c.format; }
};

class EndScan : public ::testing::TestWithParam<ScanCase> {};

TEST_P(EndScan, CarriesOutTrailingDescriptors) {
  FormatEngine eng = engine(GetParam().format);
  EXPECT_EQ(statement_items(eng, ints(GetParam().items)), GetParam().delivered) << GetParam().format;
  EXPECT_EQ(scan(eng), GetParam().scanned) << GetParam().format;
}

INSTANTIATE_TEST_SUITE_P(
    Table, EndScan,
    ::testing::Values(
        ScanCase{"(I5,' years')", 1, {"I5.1"}, {"' years'"}},
        // items run out inside 12F6.2: nothing after the fifth field
        ScanCase{"(1X,'MN:',12F6.2)", 5, {"X1", "'MN:'", "F6.2", "F6.2", "F6.2", "F6.2", "F6.2"}, {}},
        ScanCase{"(3I2,' end')", 2, {"I2.1", "I2.1"}, {}},
        ScanCase{"(3I2,' end')", 3, {"I2.1", "I2.1", "I2.1"}, {"' end'"}},
        ScanCase{"(1X,'MN:',12F6.2,'|')", 12, {"X1", "'MN:'", "F6.2", "F6.2", "F6.2", "F6.2", "F6.2", "F6.2",
                                              "F6.2", "F6.2", "F6.2", "F6.2", "F6.2", "F6.2"}, {"'|'"}},
        ScanCase{"(1X,'File name (/ to exit)',T45, '==> ',$)", 0, {},
                 {"X1", "'File name (/ to exit)'", "T45", "'==> '", "$"}},
        ScanCase{"(I5,'a',:,'b')", 1, {"I5.1"}, {"'a'", ":"}},
        ScanCase{"(I5,/)", 1, {"I5.1"}, {"/1"}},
        ScanCase{"(/)", 0, {}, {"/1"}},
        // stops at the next data descriptor
        ScanCase{"(I3,'a',I4,'b')", 1, {"I3.1"}, {"'a'"}},
        // group openings stepped over; a close with repetitions left leads back in
        ScanCase{"(I3,2('-'),'|')", 1, {"I3.1"}, {"'-'", "'-'", "'|'"}},
        ScanCase{"(I3,2(1X,I2),' end')", 2, {"I3.1", "X1", "I2.1"}, {"X1"}},
        ScanCase{"(I3,2(1X,I2),' end')", 3, {"I3.1", "X1", "I2.1", "X1", "I2.1"}, {"' end'"}},
        // the end of the format stops the scan without reverting
        ScanCase{"('a',I5)", 1, {"'a'", "I5.1"}, {}},
        ScanCase{"(1X,I5)", 2, {"X1", "I5.1", "End", "X1", "I5.1"}, {}}));

TEST(EndScan, EndOfFormatIsNotReverted) {
  FormatEngine eng = engine("('a')");
  EXPECT_EQ(scan(eng), Seq{"'a'"});
  Descriptor d;
  EXPECT_FALSE(eng.nextformat(d));
  EXPECT_FALSE(eng.nextformat(d));
}

TEST(EndScan, ScanLeavesTheDataDescriptorForTheNextItem) {
  FormatEngine eng = engine("(I3,'a',I4)");
  EXPECT_EQ(describe(eng.setformat(kInt)), "I3.1");
  EXPECT_EQ(scan(eng), Seq{"'a'"});
  EXPECT_EQ(describe(eng.setformat(kInt)), "I4.1");
}

TEST(EndScan, OverflowWhenTheScanEntersTheTwentyFirstLevel) {
  FormatEngine eng = engine("(I5," + std::string(21, '(') + "'x'" + std::string(21, ')') + ")");
  EXPECT_EQ(describe(eng.setformat(kInt)), "I5.1");
  Descriptor d;
  EXPECT_THROW(eng.nextformat(d), IoError);
}

struct WidthCase {
  const char* format;
  ItemType item;
  const char* expected;
  friend void PrintTo(const WidthCase& c, std::ostream* os) { *os << c.format; }
};

class ItemWidths : public ::testing::TestWithParam<WidthCase> {};

TEST_P(ItemWidths, FillWhatTheFormatLeftOut) {
  FormatEngine eng = engine(GetParam().format);
  EXPECT_EQ(describe(eng.setformat(GetParam().item)), GetParam().expected) << GetParam().format;
}

constexpr ItemType kInt1{ItemKind::Integer, 1, 0};
constexpr ItemType kInt2{ItemKind::Integer, 2, 0};
constexpr ItemType kInt8{ItemKind::Integer, 8, 0};
constexpr ItemType kLog2{ItemKind::Logical, 2, 0};
constexpr ItemType kLog4{ItemKind::Logical, 4, 0};
constexpr ItemType kReal8{ItemKind::Real, 8, 0};
constexpr ItemType kReal16{ItemKind::Real, 16, 0};
constexpr ItemType kChars80{ItemKind::Character, 0, 80};

INSTANTIATE_TEST_SUITE_P(
    Table, ItemWidths,
    ::testing::Values(
        WidthCase{"(I)", kInt, "I12.1"}, WidthCase{"(I)", kInt1, "I7.1"}, WidthCase{"(I)", kInt2, "I7.1"},
        WidthCase{"(I)", kInt8, "I12.1"}, WidthCase{"(I)", kLog2, "I7.1"}, WidthCase{"(I)", kLog4, "I12.1"},
        WidthCase{"(B)", kInt2, "B7.1"}, WidthCase{"(O)", kInt, "O12.1"}, WidthCase{"(Z.3)", kInt1, "Z7.3"},
        WidthCase{"(I0)", kInt, "I0.1"}, WidthCase{"(I0.3)", kInt, "I0.3"}, WidthCase{"(I5.2)", kInt8, "I5.2"},
        WidthCase{"(F)", kReal, "F15.6"}, WidthCase{"(F)", kReal8, "F24.15"}, WidthCase{"(F)", kReal16, "F41.32"},
        WidthCase{"(E)", kReal, "E15.6E2"}, WidthCase{"(E)", kReal8, "E24.15E3"},
        WidthCase{"(D)", kReal16, "D41.32E3"}, WidthCase{"(G)", kReal8, "G24.15E3"},
        WidthCase{"(ES)", kReal, "ES15.6E2"}, WidthCase{"(EN)", kReal16, "EN41.32E3"},
        WidthCase{"(F0.3)", kReal, "F0.3"}, WidthCase{"(F5.2)", kReal8, "F5.2"},
        WidthCase{"(E10.3E4)", kReal, "E10.3E4"}, WidthCase{"(D9.2)", kReal8, "D9.2E2"},
        WidthCase{"(L)", kLog4, "L2"}, WidthCase{"(L4)", kLog4, "L4"},
        WidthCase{"(A)", kChars80, "A80"}, WidthCase{"(A5)", kChars80, "A5"},
        WidthCase{"(A)", ItemType{ItemKind::Character, 0, 0}, "A0"}));

TEST(Init, ReportsTranslationFailures) {
  FormatEngine eng;
  EXPECT_EQ(eng.init("(I5"), static_cast<int>(Err::UnmatchedParens));
  EXPECT_EQ(eng.init("I5)"), static_cast<int>(Err::MissingOpen));
  EXPECT_EQ(eng.init("(I5)"), 0);
  EXPECT_EQ(describe(eng.setformat(kInt)), "I5.1");
}

TEST(Init, StartsEveryStatementAfresh) {
  FormatEngine eng = engine("(I5,2(1X,F4.1))");
  deliver(eng, 4);  // left inside the group, a descriptor half repeated
  ASSERT_EQ(eng.init("(3I2,I3)"), 0);
  EXPECT_EQ(deliver(eng, 2), (Seq{"I2.1", "I2.1"}));
  ASSERT_EQ(eng.init("('a',I2)"), 0);
  EXPECT_EQ(scan(eng), Seq{"'a'"});  // no repetitions left over from 3I2
  // reversion forgets groups entered by the previous statement
  ASSERT_EQ(eng.init("(1X,2(I1))"), 0);
  EXPECT_EQ(deliver(eng, 4), (Seq{"X1", "I1.1", "I1.1", "End"}));
  ASSERT_EQ(eng.init("(1X,I1)"), 0);
  EXPECT_EQ(deliver(eng, 4), (Seq{"X1", "I1.1", "End", "X1"}));
}

TEST(Init, TextPointsIntoTheCompiledFormat) {
  std::string text = "(1X,'MN:',5H a b )";
  FormatEngine eng = engine(text);
  text.assign(text.size(), '#');  // the statement's text may change; the descriptor must not
  EXPECT_EQ(describe(eng.setformat(kInt)), "X1");
  Descriptor quoted = eng.setformat(kInt);
  Descriptor holl = eng.setformat(kInt);
  EXPECT_EQ(quoted.text, "MN:");
  EXPECT_EQ(holl.text, " a b ");
}

TEST(Init, ReusesTheCompiledStorage) {
  FormatEngine eng = engine("('abc')");
  const char* first = eng.setformat(kInt).text.data();
  ASSERT_EQ(eng.init("('abc')"), 0);
  EXPECT_EQ(eng.setformat(kInt).text.data(), first);
}

// Idle repetitions: a group that delivers no data descriptor and no record
// end, watched against a record position that moves as a read would move
// it (clamped between column 1 and the column after the record's end).
struct IdleCase {
  const char* format;
  std::size_t start;   // position before the first descriptor
  std::size_t length;  // record length: the clamp on the right
  Seq expected;        // delivered up to and with the first data descriptor
  friend void PrintTo(const IdleCase& c, std::ostream* os) { *os << c.format; }
};

class IdleGroups : public ::testing::TestWithParam<IdleCase> {};

TEST_P(IdleGroups, StopWhenARepetitionChangesNothing) {
  const IdleCase& c = GetParam();
  FormatEngine eng = engine(c.format);
  std::size_t pos = c.start;
  eng.watch(&pos);
  Seq out;
  for (int guard = 0; guard < 1000; ++guard) {
    const Descriptor d = eng.setformat(kInt);
    out.push_back(describe(d));
    if (is_data(d.op)) break;
    const auto n = static_cast<std::size_t>(d.n);
    if (d.op == Op::X || d.op == Op::TR) pos = std::min(pos + n, c.length);
    if (d.op == Op::TL) pos = n > pos ? 0 : pos - n;
    if (d.op == Op::T) pos = std::min(n > 0 ? n - 1 : 0, c.length);
  }
  EXPECT_EQ(out, c.expected) << c.format;
}

INSTANTIATE_TEST_SUITE_P(
    Table, IdleGroups,
    ::testing::Values(
        // a billion blanks passed over: the move stops at the record's end
        IdleCase{"(999999999(1X),I4)", 0, 2, {"X1", "X1", "X1", "I4.1"}},
        // no move at all: the second repetition shows it
        IdleCase{"(2147483647(T3),I4)", 0, 9, {"T3", "T3", "I4.1"}},
        // fewer repetitions than the clamp needs: every one is carried out
        IdleCase{"(3(1X),I4)", 0, 80, {"X1", "X1", "X1", "I4.1"}},
        // moving left to column 1
        IdleCase{"(99999(TR1,TL2),I4)", 2, 9, {"TR1", "TL2", "TR1", "TL2", "TR1", "TL2", "I4.1"}},
        // nested idle groups
        IdleCase{"(9999(9999(1X)),I4)", 0, 1, {"X1", "X1", "X1", "X1", "I4.1"}},
        // record ends are never cut short, whatever the position does
        IdleCase{"(4(/),I4)", 0, 0, {"/1", "/1", "/1", "/1", "I4.1"}}));

TEST(IdleGroups, GroupsWithDataKeepEveryRepetition) {
  FormatEngine eng = engine("(3(I2),I9)");
  std::size_t pos = 0;  // never moves
  eng.watch(&pos);
  EXPECT_EQ(deliver(eng, 4), (Seq{"I2.1", "I2.1", "I2.1", "I9.1"}));
}

TEST(IdleGroups, EmptyGroupEndsAtOnceWatchedOrNot) {
  FormatEngine eng = engine("(888888888(),I4)");
  EXPECT_EQ(deliver(eng, 2), (Seq{"I4.1", "End"}));
  FormatEngine nested = engine("(2147483647(2147483647()),I4)");
  EXPECT_EQ(deliver(nested, 1), (Seq{"I4.1"}));
}

TEST(IdleGroups, UnwatchedEngineRunsEveryRepetition) {
  FormatEngine eng = engine("(5(T3),I4)");
  EXPECT_EQ(deliver(eng, 6), (Seq{"T3", "T3", "T3", "T3", "T3", "I4.1"}));
}

}  // namespace
}  // namespace arb::rt
