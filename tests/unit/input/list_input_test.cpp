// SPDX-License-Identifier: GPL-3.0-or-later
// Free-format input: separators, null values, repeat counts, the slash,
// quoted values and the ends of the different record sources.
#include <bit>
#include <cmath>
#include <random>
#include <limits>

#include "tests/unit/input/input_fixtures.h"

namespace arb::rt {
namespace {

using namespace testing;

constexpr std::int32_t kUnset = -777;
constexpr float kUnsetReal = -777.0f;

// One free-format read statement over the given records.
struct ListRead {
  LinesSource src;
  InRecord rec;
  ListReader reader;
  ListRead(std::vector<std::string> lines, bool more)
      : src(std::move(lines), more), rec(), reader((src.first(rec), src), rec, test_options()) {}
};

std::vector<std::int32_t> ints(std::vector<std::string> lines, std::size_t n, bool file = true) {
  ListRead r(std::move(lines), file);
  std::vector<std::int32_t> v(n, kUnset);
  for (auto& x : v) r.reader.read_item(in_int(x));
  return v;
}

std::vector<float> reals(std::vector<std::string> lines, std::size_t n, bool file = true) {
  ListRead r(std::move(lines), file);
  std::vector<float> v(n, kUnsetReal);
  for (auto& x : v) r.reader.read_item(in_real(x));
  return v;
}

std::vector<std::string> chars(std::vector<std::string> lines, std::size_t n, std::size_t len) {
  ListRead r(std::move(lines), true);
  std::vector<std::string> v(n, std::string(len, '#'));
  for (auto& x : v) r.reader.read_item(in_chars(x.data(), len));
  return v;
}

TEST(ListInput, SeparatorsAndNullValues) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<std::int32_t> values;
  };
  const std::int32_t u = kUnset;
  const Case cases[] = {
      {{"1,,3"}, {1, u, 3}},
      {{"1 , 3"}, {1, 3}},
      {{"1\t2  ,3"}, {1, 2, 3}},
      {{",5"}, {u, 5}},                 // a leading comma is a null value
      {{", ,7"}, {u, u, 7}},
      {{"1 2 /"}, {1, 2, u, u}},        // the slash keeps this and later items
      {{"/"}, {u, u, u}},
      {{"1/2"}, {1, u}},
      {{"4,/"}, {4, u}},
      {{"1", "2", "3"}, {1, 2, 3}},     // a file: values on following lines
      {{"1", "", "   ", "2"}, {1, 2}},  // empty and blank records passed over
      {{"1", ",2"}, {1, 2}},            // the comma closes the value that ended its line
      {{"1   ", ",2"}, {1, 2}},         // blanks ran to the end of the line: the same
      {{"1,", ",2"}, {1, u, 2}},        // this value had its comma: the next one is a null
      {{"1", ",,2"}, {1, u, 2}},
      {{"1", ",", "3"}, {1, u, 3}},     // a line of nothing but that comma: a null value
      {{"1", " , ", ",3"}, {1, u, 3}},
      {{"-5 +6"}, {-5, 6}},
      {{"-"}, {0}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ints(c.lines, c.values.size()), c.values) << c.lines.front();
  }
}

TEST(ListInput, RepeatCounts) {
  struct Case {
    std::vector<std::string> lines;
    std::vector<std::int32_t> values;
  };
  const std::int32_t u = kUnset;
  const Case cases[] = {
      {{"3*7"}, {7, 7, 7}},
      {{"3* 5"}, {5, 5, 5}},              // the value is read afresh after the "*"
      {{"3*", "5"}, {5, 5, 5}},
      {{"3*,5"}, {u, u, u, 5}},           // three null values, then 5
      {{"2*,5"}, {u, u, 5}},
      {{"2*1 3"}, {1, 1, 3}},
      {{"*5 6"}, {5, 6}},                 // "*" with nothing before it: passed over
      {{"** 5"}, {5}},
      {{"* ,5"}, {u, 5}},
      {{"5*9"}, {9, 9}},                  // a count larger than the items left
      {{"2*/"}, {u, u, u}},
      {{"1 2*3 /"}, {1, 3, 3, u}},
      {{"01*4 2"}, {4, 2}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ints(c.lines, c.values.size()), c.values) << c.lines.front();
  }
  EXPECT_EQ(reals({"3*7.5"}, 3), (std::vector<float>{7.5f, 7.5f, 7.5f}));
  // A count that is not a plain positive decimal number.
  EXPECT_EQ(error_of([] { ints({"0*5"}, 1); }), kIllegal);
  EXPECT_EQ(error_of([] { ints({"x*5"}, 1); }), kIllegal);
  EXPECT_EQ(error_of([] { ints({"2*3*4"}, 1); }), kIllegal);
  EXPECT_EQ(chars({"x*5"}, 1, 3), std::vector<std::string>{"x*5"});
}

TEST(ListInput, IntegersTakeSignAndDigitsOnly) {
  for (std::string_view bad : {"12.0", "1E3", "abc", "1-2", "0x10", "2147483648"}) {
    std::int32_t v = kUnset;
    ListRead r({std::string(bad)}, true);
    EXPECT_EQ(error_of([&] { r.reader.read_item(in_int(v)); }), kIllegal) << bad;
    EXPECT_EQ(v, kUnset);
  }
}

TEST(ListInput, Reals) {
  struct Case {
    std::string line;
    float value;
  };
  const Case cases[] = {
      {"1950", 1950.0f}, {"-99", -99.0f},   {"1.5E2", 150.0f}, {"1.5-2", 0.015f}, {"12", 12.0f},
      {"-99.9 and words", -99.9f}, {"  .5", 0.5f}, {"2.5d1", 25.0f}, {"7q0", 7.0f},  {"123.456", 123.456f},
      // No digit before the exponent: zero.
      {"E10", 0.0f}, {"-E5", 0.0f}, {".E2", 0.0f}, {"+", 0.0f}, {"--1", 0.0f},
  };
  for (const auto& c : cases) EXPECT_EQ(reals({c.line}, 1), std::vector<float>{c.value}) << c.line;
  for (std::string_view zero : {"-E5", "--1", "-0"}) EXPECT_FALSE(std::signbit(reals({std::string(zero)}, 1)[0])) << zero;
  EXPECT_TRUE(std::isnan(reals({"NaN"}, 1)[0]));
  EXPECT_TRUE(std::isnan(reals({"NA"}, 1)[0]));
  EXPECT_EQ(reals({"-Inf"}, 1)[0], -std::numeric_limits<float>::infinity());
  for (std::string_view bad : {"1.2.3", "abc", "1x5", "1E2E3", "1E2.5", "1x", "---1"}) {
    float v = kUnsetReal;
    ListRead r({std::string(bad)}, true);
    EXPECT_EQ(error_of([&] { r.reader.read_item(in_real(v)); }), kIllegal) << bad;
    EXPECT_EQ(v, kUnsetReal);
  }
  double d = 0;
  ListRead r({"0.1"}, true);
  r.reader.read_item(in_real8(d));
  EXPECT_EQ(d, 0.1);
}

TEST(ListInput, NoImpliedDecimalsNoScale) {
  // A data line of thirteen numbers, as the free-format layout reads it.
  const std::vector<float> v =
      reals({"1950  5.8    4.2 9.7 13.1 14 16.2 17.4 18.7 16.4 13.1 9.2 -99.9"}, 13);
  EXPECT_EQ(v[0], 1950.0f);
  EXPECT_EQ(v[1], 5.8f);
  EXPECT_EQ(v[5], 14.0f);
  EXPECT_EQ(v[12], -99.9f);
}

TEST(ListInput, CharacterValues) {
  struct Case {
    std::vector<std::string> lines;
    std::size_t len;
    std::vector<std::string> values;
  };
  const Case cases[] = {
      {{"'It''s'"}, 5, {"It's "}},
      {{"\"say \"\"hi\"\"\""}, 10, {"say \"hi\"  "}},
      {{"\"It's\""}, 4, {"It's"}},
      {{"a b"}, 3, {"a  ", "b  "}},            // a blank ends an unquoted value
      {{"abcdef"}, 3, {"abc"}},                // cut to the item
      {{"''"}, 3, {"   "}},                    // one blank, padded
      {{"'a b',c"}, 3, {"a b", "c  "}},
      {{"'a b'  ,c"}, 3, {"a b", "c  "}},
      {{"'ab'c"}, 2, {"ab", "c "}},            // anything else is the next value
      {{"'one", "two'"}, 6, {"onetwo"}},       // over two records, the line end adds nothing
      {{"'x'", ",y"}, 1, {"x", "y"}},          // the closing mark ended its line
      {{"'a/b' /"}, 3, {"a/b", "###"}},
      {{"x,y/z"}, 1, {"x", "y", "#"}},
      {{"O'Neil"}, 6, {"O'Neil"}},
      {{"'tab\there'"}, 8, {"tab here"}},
  };
  for (const auto& c : cases) EXPECT_EQ(chars(c.lines, c.values.size(), c.len), c.values) << c.lines.front();
}

TEST(ListInput, Logicals) {
  ListRead r({".TRUE. f T .x t,F"}, true);
  std::int32_t v[6];
  for (auto& x : v) r.reader.read_item(in_logical(x));
  EXPECT_EQ(std::vector<std::int32_t>(v, v + 6), (std::vector<std::int32_t>{1, 0, 1, 0, 1, 0}));
}

TEST(ListInput, FileSourceRunsOutAtItsEnd) {
  ListRead r({"1 2"}, true);
  std::int32_t a = kUnset, b = kUnset, c = kUnset;
  r.reader.read_item(in_int(a));
  r.reader.read_item(in_int(b));
  EXPECT_THROW(r.reader.read_item(in_int(c)), EndOfInput);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, 2);
  EXPECT_EQ(c, kUnset);
}

TEST(ListInput, FieldSourceIsOneRecord) {
  // From a file the missing values come from the next line ...
  EXPECT_EQ(ints({"1 2", "3"}, 3), (std::vector<std::int32_t>{1, 2, 3}));
  // ... from a character field the line is all there is.
  ListRead r({"1 2", "3"}, false);
  std::int32_t v[3] = {kUnset, kUnset, kUnset};
  r.reader.read_item(in_int(v[0]));
  r.reader.read_item(in_int(v[1]));
  EXPECT_THROW(r.reader.read_item(in_int(v[2])), EndOfInput);
  EXPECT_EQ(v[2], kUnset);
  EXPECT_EQ(r.src.records_read(), 1u);
  // A blank field has no value at all.
  ListRead blank({"      "}, false);
  float x = kUnsetReal;
  EXPECT_THROW(blank.reader.read_item(in_real(x)), EndOfInput);
  // Inside quotes, and after a repeat count.
  ListRead quoted({"'abc"}, false);
  char ch[3];
  EXPECT_THROW(quoted.reader.read_item(in_chars(ch, 3)), EndOfInput);
  ListRead counted({"3*"}, false);
  EXPECT_THROW(counted.reader.read_item(in_int(v[0])), EndOfInput);
}

TEST(ListInput, SlashEndsTheReadWithoutReadingOn) {
  ListRead r({"5 /", "6"}, true);
  std::int32_t a = kUnset, b = kUnset, c = kUnset;
  r.reader.read_item(in_int(a));
  r.reader.read_item(in_int(b));
  r.reader.read_item(in_int(c));
  EXPECT_EQ(a, 5);
  EXPECT_EQ(b, kUnset);
  EXPECT_EQ(c, kUnset);
  EXPECT_EQ(r.src.records_read(), 1u);
}

TEST(ListInput, ConsoleLikeSourcePassesOverEmptyAnswers) {
  // The first record of the statement is empty: the read waits for more.
  ListRead r({"", "", "12"}, true);
  std::int32_t v = kUnset;
  r.reader.read_item(in_int(v));
  EXPECT_EQ(v, 12);
  EXPECT_EQ(r.src.records_read(), 3u);
}

TEST(ListInput, MixedItems) {
  ListRead r({"1950, 'Station A' 2*-9.5 T"}, true);
  std::int32_t year = 0, flag = 0;
  char name[10];
  float a = 0, b = 0;
  r.reader.read_item(in_int(year));
  r.reader.read_item(in_chars(name, 10));
  r.reader.read_item(in_real(a));
  r.reader.read_item(in_real(b));
  r.reader.read_item(in_logical(flag));
  EXPECT_EQ(year, 1950);
  EXPECT_EQ(std::string(name, 10), "Station A ");
  EXPECT_EQ(a, -9.5f);
  EXPECT_EQ(b, -9.5f);
  EXPECT_EQ(flag, 1);
}

TEST(ListInput, TypeMismatchOfAnUnknownSize) {
  ListRead r({"5"}, true);
  std::int32_t v = 0;
  EXPECT_EQ(error_of([&] { r.reader.read_item(InItem{{ItemKind::Integer, 3, 0}, &v}); }), kMismatch);
}

}  // namespace
}  // namespace arb::rt
