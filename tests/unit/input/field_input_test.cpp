// SPDX-License-Identifier: GPL-3.0-or-later
// Formatted input fields: taking fields, blanks, integers, reals,
// characters, logicals, positioning and the pairing of items with
// descriptors.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "tests/unit/input/input_fixtures.h"

namespace arb::rt {
namespace {

using namespace testing;

float read_f(std::string_view record, Descriptor d, EditModes modes = {}) {
  float v = -12345.0f;
  read_record(record, {d}, {in_real(v)}, modes);
  return v;
}

std::int32_t read_i(std::string_view record, Descriptor d, EditModes modes = {}) {
  std::int32_t v = -12345;
  read_record(record, {d}, {in_int(v)}, modes);
  return v;
}

EditModes bz() {
  EditModes m;
  m.blank_zero = true;
  return m;
}

// --- getinput -------------------------------------------------------------

TEST(Getinput, TakesWidthOrWhatRemains) {
  struct Case {
    std::string_view record;
    std::size_t pos, width;
    std::string_view field;
    std::size_t pos_after;
  };
  const Case cases[] = {
      {"abcdefgh", 0, 3, "abc", 3},
      {"abcdefgh", 6, 5, "gh", 8},   // short record: what remains
      {"abcdefgh", 8, 4, "", 8},     // nothing remains
      {"", 0, 5, "", 0},
      {"abcdefgh", 20, 2, "", 8},    // a position past the end counts as the end
  };
  for (const auto& c : cases) {
    InRecord rec{c.record, c.pos, true};
    EXPECT_EQ(getinput(rec, A(0), c.width), c.field) << c.record << " at " << c.pos;
    EXPECT_EQ(rec.pos, c.pos_after);
  }
}

TEST(Getinput, CommaEndsNumericFieldsOnly) {
  for (Op op : {Op::I, Op::B, Op::O, Op::Z, Op::F, Op::E, Op::D, Op::ES, Op::EN, Op::G, Op::ED, Op::GD}) {
    InRecord rec{"1.5,2.5", 0, true};
    EXPECT_EQ(getinput(rec, data(op, 5), 5), "1.5") << static_cast<int>(op);
    EXPECT_EQ(rec.pos, 4u);  // just after the comma
  }
  for (Op op : {Op::A, Op::L}) {
    InRecord rec{"1.5,2.5", 0, true};
    EXPECT_EQ(getinput(rec, data(op, 5), 5), "1.5,2");
    EXPECT_EQ(rec.pos, 5u);
  }
}

TEST(Getinput, ShortRecordFailsOnlyWhereNotPadded) {
  InRecord padded{"12", 0, true};
  EXPECT_EQ(getinput(padded, I(5), 5), "12");
  InRecord unpadded{"12", 0, false};
  EXPECT_EQ(error_of([&] { getinput(unpadded, I(5), 5); }), static_cast<int>(Err::PastEor));
  InRecord exact{"12345", 0, false};
  EXPECT_EQ(getinput(exact, I(5), 5), "12345");
  // A comma inside what is there ends the field before the shortfall.
  InRecord comma{"1,", 0, false};
  EXPECT_EQ(getinput(comma, I(5), 5), "1");
  IoError e;
  try {
    InRecord r{"", 0, false};
    getinput(r, F(5, 1), 5);
  } catch (const IoError& x) {
    e = x;
  }
  EXPECT_EQ(e.text, "Attempt to read past end of record");
}

// --- process_blanks --------------------------------------------------------

TEST(ProcessBlanks, LeadingDroppedInnerIgnoredOrZero) {
  struct Case {
    std::string_view field;
    std::string_view bn, bz;
  };
  const Case cases[] = {
      {"  -99", "-99", "-99"},
      {"12 3", "123", "1203"},
      {" 1 2 ", "12", "1020"},
      {"\t 12", "12", "12"},
      {"1\t2", "12", "102"},
      {"     ", "", ""},
      {"", "", ""},
      {"- 5", "-5", "-05"},
      {" N A", "NA", "NA"},      // starts with N: blanks never zeros
      {"- IN F", "-INF", "-INF"},
      {" i n f", "inf", "inf"},
      {"1 N", "1N", "10N"},      // N not first: the usual rule
  };
  for (const auto& c : cases) {
    EXPECT_EQ(process_blanks(c.field, false), c.bn) << '"' << c.field << '"';
    EXPECT_EQ(process_blanks(c.field, true), c.bz) << '"' << c.field << '"';
  }
}

// --- integers --------------------------------------------------------------

TEST(IntegerInput, Fields) {
  struct Case {
    std::string_view record;
    Descriptor d;
    bool blank_zero;
    std::int32_t value;
  };
  const Case cases[] = {
      {"7", I(1), false, 7},
      {"", I(1), false, 0},
      {"12", I(1), false, 1},   // one column only
      {" 1 2 ", I(5), true, 1020},
      {" 1 2 ", I(5), false, 12},
      {"   -", I(4), false, 0},  // a lone sign
      {"+", I(1), false, 0},
      {"  +42", I(5), false, 42},
      {" -2147483648", I(12), false, INT32_MIN},
      {"2147483647", I(10), false, INT32_MAX},
      {"12,34", I(5), false, 12},
      {"101", data(Op::B, 3), false, 5},
      {"777", data(Op::O, 3), false, 511},
      {"fF", data(Op::Z, 2), false, 255},
      {"FFFFFFFF", data(Op::Z, 8), false, -1},   // every bit of the item
      {"-80000000", data(Op::Z, 9), false, INT32_MIN},
      {"7FFFFFFF", data(Op::Z, 8), false, INT32_MAX},
      {"\t\t5", I(3), false, 5},
  };
  for (const auto& c : cases) {
    EditModes m;
    m.blank_zero = c.blank_zero;
    EXPECT_EQ(read_i(c.record, c.d, m), c.value) << '"' << c.record << '"';
  }
}

TEST(IntegerInput, IllegalCharactersAndRange) {
  struct Case {
    std::string_view record;
    Descriptor d;
  };
  const Case cases[] = {
      {"x", I(1)},
      {"1.0", I(3)},
      {"1E3", I(3)},
      {"--1", I(3)},
      {"1-", I(2)},
      {"2", data(Op::B, 1)},
      {"8", data(Op::O, 1)},
      {"G", data(Op::Z, 1)},
      {"NaN", I(3)},
      {"2147483648", I(10)},     // beyond a 4-byte integer: refused, never wrapped
      {"-2147483649", I(11)},
      {"99999999999999999999", I(20)},
      {"100000000", data(Op::Z, 9)},
      {"-80000001", data(Op::Z, 9)},
  };
  for (const auto& c : cases) {
    std::int32_t v = 77;
    EXPECT_EQ(error_of([&] { read_record(c.record, {c.d}, {in_int(v)}); }), kIllegal) << c.record;
    EXPECT_EQ(v, 77) << "a failed field leaves the item";
  }
  IoError e;
  try {
    read_i("x", I(1));
  } catch (const IoError& x) {
    e = x;
  }
  EXPECT_EQ(e.text, "Illegal character in numeric input");
}

TEST(IntegerInput, ItemWidths) {
  std::int16_t s = 0;
  read_record("-32768", {I(6)}, {in_int16(s)});
  EXPECT_EQ(s, -32768);
  EXPECT_EQ(error_of([&] { read_record("32768", {I(5)}, {in_int16(s)}); }), kIllegal);
  std::int64_t l = 0;
  read_record("-9223372036854775808", {I(20)}, {in_int64(l)});
  EXPECT_EQ(l, INT64_MIN);
  read_record("9223372036854775807", {I(19)}, {in_int64(l)});
  EXPECT_EQ(l, INT64_MAX);
  EXPECT_EQ(error_of([&] { read_record("9223372036854775808", {I(19)}, {in_int64(l)}); }), kIllegal);
  read_record("FFFFFFFFFFFFFFFF", {data(Op::Z, 16)}, {in_int64(l)});
  EXPECT_EQ(l, -1);
  std::int8_t b = 0;
  InItem byte{{ItemKind::Integer, 1, 0}, &b};
  read_record("-128", {I(4)}, {byte});
  EXPECT_EQ(b, -128);
  EXPECT_EQ(error_of([&] { read_record("128", {I(3)}, {byte}); }), kIllegal);
}

TEST(IntegerInput, ReadIntText) {
  EXPECT_EQ(read_int_text("12", 4), 12);
  EXPECT_EQ(read_int_text("-7", 4), -7);
  EXPECT_EQ(read_int_text("-", 4), 0);
  EXPECT_EQ(error_of([] { read_int_text("12.0", 4); }), kIllegal);
  EXPECT_EQ(error_of([] { read_int_text("1E3", 4); }), kIllegal);
  EXPECT_EQ(error_of([] { read_int_text("1", 3); }), kMismatch);
}

// --- reals -----------------------------------------------------------------

TEST(RealInput, FieldsOfTheLayouts) {
  struct Case {
    std::string_view record;
    Descriptor d;
    bool blank_zero;
    float value;
  };
  const Case cases[] = {
      {"  123", F(5, 1), false, 12.3f},
      {" 12.5", F(5, 1), false, 12.5f},
      {"  -99", F(5, 1), false, -9.9f},
      {"    5", F(5, 2), false, 0.05f},
      {"1.5E2", F(5, 1), false, 150.0f},
      {"12 3", F(4, 1), false, 12.3f},
      {"12 3", F(4, 1), true, 120.3f},
      {"     ", F(5, 1), false, 0.0f},
      {"", F(5, 1), false, 0.0f},
      {"    -", F(5, 1), false, 0.0f},
      {"    -", F(5, 0), false, 0.0f},
      {"    .", F(5, 1), false, 0.0f},
      {" 1950", F(5, 0), false, 1950.0f},
      {"   15", F(5, 3), false, 0.015f},   // zeros between the point and the digits
      {"15E2", F(4, 1), false, 150.0f},    // the point goes before the exponent's digits
      {"1.5-2", F(5, 1), false, 0.015f},   // a sign alone starts the exponent
      {"1.5+2", F(5, 1), false, 150.0f},
      {"1.5D2", F(5, 1), false, 150.0f},
      {"1.5d-1", F(6, 1), false, 0.15f},
      {"1.5Q2", F(5, 1), false, 150.0f},   // Q exponent: as E
      {"1.5q+2", F(6, 1), false, 150.0f},
      {"+1.25", F(5, 1), false, 1.25f},
      {"-.5", F(3, 1), false, -0.5f},
      {"5.", F(2, 1), false, 5.0f},
      {"1.5E", F(4, 1), false, 1.5f},      // exponent without digits: 0
      {"  E10", F(5, 1), false, 0.0f},     // no mantissa digit: ".0E10", zero
      {"  -E5", F(5, 1), false, 0.0f},
      {"  .E2", F(5, 1), false, 0.0f},
      {"    +", F(5, 1), false, 0.0f},
      {"  --1", F(5, 1), false, 0.0f},     // a sign, then an exponent given by a sign alone
      {"+-1", F(3, 0), false, 0.0f},
      {"-D", F(2, 1), false, 0.0f},
      {"E10", F(3, 0), false, 0.0f},
      {"12345", data(Op::E, 5, 2), false, 123.45f},
      {"12345", data(Op::G, 5, 2), false, 123.45f},
      {"12345", data(Op::D, 5, 3), false, 12.345f},
      {"1.0E+00", data(Op::ES, 7, 2), false, 1.0f},
      {"1200", data(Op::EN, 4, 0), false, 1200.0f},
      {"7", data(Op::QF, 1, 1), false, 0.7f},
      {"  0.0", F(5, 1), false, 0.0f},
  };
  for (const auto& c : cases) {
    EditModes m;
    m.blank_zero = c.blank_zero;
    EXPECT_EQ(read_f(c.record, c.d, m), c.value) << '"' << c.record << '"';
  }
}

TEST(RealInput, ZeroIsPositive) {
  for (std::string_view rec : {"   -0", " -0.0", "    -", "-0E5", "  -E5", "  --1"}) {
    const float v = read_f(rec, F(5, 1));
    EXPECT_EQ(v, 0.0f);
    EXPECT_FALSE(std::signbit(v)) << rec;
  }
}

TEST(RealInput, InfinityAndNotANumber) {
  EXPECT_TRUE(std::isnan(read_f("   NA", F(5, 1))));
  EXPECT_TRUE(std::isnan(read_f("  NaN", F(5, 1))));
  EXPECT_TRUE(std::isnan(read_f(" nonsense", F(9, 1))));  // no further check
  EXPECT_TRUE(std::isnan(read_f("N A", F(3, 1), bz())));
  EXPECT_EQ(read_f("  INF", F(5, 1)), std::numeric_limits<float>::infinity());
  EXPECT_EQ(read_f(" -Inf", F(5, 1)), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(read_f("+ I", F(3, 1), bz()), std::numeric_limits<float>::infinity());
  EXPECT_EQ(read_real_text("-infinity", 0, 0), -std::numeric_limits<double>::infinity());
}

TEST(RealInput, StrictNaNSpelling) {
  OptionsScope strict({false, true});
  for (std::string_view ok : {"  NaN", "  nan", "  INF", " -inf", "Infinity", "+INFINITY"})
    EXPECT_EQ(error_of([&] { read_f(ok, F(static_cast<std::int32_t>(ok.size()), 1)); }), 0) << ok;
  for (std::string_view bad : {"   NA", "  INFX", "    N", " NANS", "  IN"}) {
    float v = 3.0f;
    EXPECT_EQ(error_of([&] { read_record(bad, {F(static_cast<std::int32_t>(bad.size()), 1)}, {in_real(v)}); }), kIllegal)
        << bad;
    EXPECT_EQ(v, 3.0f);
  }
}

TEST(RealInput, IllegalCharacters) {
  for (std::string_view bad : {"1.2.3", "1.5E2.0", "1E2E3", "1E+-2", "1.5-2-3", "1.5-2+", "12a", "a12", "1 .5x", "1.5E2D", "$1", "1e5.", "1.5 -2 3-", "1E2.5", "1x", "---1", "E+-1", ".E2."}) {
    float v = 3.0f;
    EXPECT_EQ(error_of([&] { read_record(bad, {F(static_cast<std::int32_t>(bad.size()), 1)}, {in_real(v)}); }),
              kIllegal)
        << bad;
    EXPECT_EQ(v, 3.0f);
  }
  // "1,5e": the comma ends the field, so "1" is read (0.1 under F4.1).
  EXPECT_EQ(read_f("1,5e", F(4, 1)), 0.1f);
}

TEST(RealInput, RelaxedInput) {
  struct Case {
    std::string_view text;
    double value;
  };
  // The number as far as it keeps the order; digits, points, signs and
  // exponent letters after it are passed over.
  const Case cases[] = {
      {"1.2.3", 1.2},        {"12-3-4", 12e-3},  {"1E2E3", 100.0}, {"1.5E2.0", 150.0},
      {"+-1", 0.0},          {"1.5-2+", 0.015},  {"E5", 0.0},      {"-E5", 0.0},  {"5..", 5.0},     {"-.5e-1-", -0.05},
      {"1.5", 1.5},          {"-7", -7.0},
  };
  OptionsScope relaxed({true, false});
  for (const auto& c : cases) EXPECT_DOUBLE_EQ(read_real_text(c.text, 0, 0, test_options()), c.value) << c.text;
  // Other characters still fail.
  for (std::string_view bad : {"12a", "1.5 x", "$1", "1,5"})
    EXPECT_EQ(error_of([&] { read_real_text(bad, 0, 0, test_options()); }), kIllegal) << bad;
  // The implied point only where the whole field has none.
  EXPECT_FLOAT_EQ(read_f("1-2.5", F(5, 1)), 0.01f);
  EXPECT_FLOAT_EQ(read_f("12-34", F(5, 1)), 1.2e-34f);
  // Decimal integers read as far as they are digits.
  EXPECT_EQ(read_i("12.0", I(4)), 12);
  EXPECT_EQ(read_int_text("1E3", 4, test_options()), 1);
  EXPECT_EQ(error_of([] { read_int_text("12x", 4, test_options()); }), kIllegal);
  EXPECT_EQ(error_of([&] { read_i("1.", data(Op::Z, 2)); }), kIllegal);  // B, O, Z stay strict
}

TEST(RealInput, ScaleFactorOnlyWithoutExponent) {
  EditModes m;
  m.scale = 2;
  EXPECT_FLOAT_EQ(read_f("  123", F(5, 1), m), 0.123f);
  EXPECT_FLOAT_EQ(read_f(" 12.5", F(5, 1), m), 0.125f);
  EXPECT_FLOAT_EQ(read_f("1.5E2", F(5, 1), m), 150.0f);
  m.scale = -1;
  EXPECT_FLOAT_EQ(read_f("  123", F(5, 1), m), 123.0f);
  // kP set by its descriptor, for the rest of the record.
  float a = 0, b = 0;
  read_record("  123  123", {F(5, 1), control(Op::P, 1), F(5, 1)}, {in_real(a), in_real(b)});
  EXPECT_FLOAT_EQ(a, 12.3f);
  EXPECT_FLOAT_EQ(b, 1.23f);
}

TEST(RealInput, EightByteItems) {
  double v = 0;
  read_record("0.1", {F(3, 0)}, {in_real8(v)});
  EXPECT_EQ(v, 0.1);
  read_record("1E308", {F(5, 0)}, {in_real8(v)});
  EXPECT_EQ(v, 1e308);
  read_record("1E309", {F(5, 0)}, {in_real8(v)});
  EXPECT_EQ(v, std::numeric_limits<double>::infinity());
}

TEST(RealInput, BeyondFloatRange) {
  EXPECT_EQ(read_f("1E39", F(4, 0)), std::numeric_limits<float>::infinity());
  EXPECT_EQ(read_f("-1E39", F(5, 0)), -std::numeric_limits<float>::infinity());
  EXPECT_EQ(read_f("3.4028235E38", F(12, 0)), std::numeric_limits<float>::max());
  EXPECT_EQ(read_f("1E-50", F(5, 0)), 0.0f);
  EXPECT_EQ(to_float(0x1.ffffffp+127), std::numeric_limits<float>::infinity());
  EXPECT_EQ(to_float(0x1.fffffefp+127), std::numeric_limits<float>::max());
  EXPECT_EQ(to_float(-0x1.fffffefp+127), -std::numeric_limits<float>::max());
}

// --- whole records -----------------------------------------------------------

TEST(Records, DataLinesOfLayoutOne) {
  struct Case {
    std::string_view line;
    std::vector<Descriptor> year_field;
    std::int32_t year;
    std::vector<float> months;  // the first ones; the rest must be 0
  };
  const Case cases[] = {
      {" 1950 12.3", {I(5)}, 1950, {12.3f}},
      {" 1950 12.3", {I(4)}, 195, {12.0f, 0.3f}},  // ‹0 12.› and ‹3›
      {"1950  1.2  3.4", {I(4)}, 1950, {1.2f, 3.4f}},
      {" 1901 -3.2  0.4-99.9", {I(5)}, 1901, {-3.2f, 0.4f, -99.9f}},
      {" 1950   NA", {I(5)}, 1950, {std::numeric_limits<float>::quiet_NaN()}},
  };
  for (const auto& c : cases) {
    std::int32_t year = -1;
    float v[12];
    std::fill(std::begin(v), std::end(v), -1.0f);
    std::vector<InItem> items{in_int(year)};
    for (float& x : v) items.push_back(in_real(x));
    read_record(c.line, cat({c.year_field, times(12, F(5, 1))}), items);
    EXPECT_EQ(year, c.year) << c.line;
    for (std::size_t i = 0; i < 12; ++i) {
      const float want = i < c.months.size() ? c.months[i] : 0.0f;
      if (std::isnan(want))
        EXPECT_TRUE(std::isnan(v[i])) << c.line << " month " << i + 1;
      else
        EXPECT_EQ(v[i], want) << c.line << " month " << i + 1;
    }
  }
}

TEST(Records, TitleLineFailsUnderTheLayout) {
  std::int32_t year = -1;
  float v[12] = {};
  std::vector<InItem> items{in_int(year)};
  for (float& x : v) items.push_back(in_real(x));
  EXPECT_EQ(error_of([&] {
              read_record("Aberporth: Tmax degC 1942-2025", cat({{I(4)}, times(12, F(5, 1))}), items);
            }),
            kIllegal);
  EXPECT_EQ(year, -1);
}

TEST(Records, CommaSeparatedFields) {
  float a = 0, b = 0;
  read_record("1.5,2.5", times(2, F(5, 1)), {in_real(a), in_real(b)});
  EXPECT_EQ(a, 1.5f);
  EXPECT_EQ(b, 2.5f);
  std::int32_t i = 0, j = 0;
  read_record("1,23456", times(2, I(5)), {in_int(i), in_int(j)});
  EXPECT_EQ(i, 1);
  EXPECT_EQ(j, 23456);  // five columns from just after the comma
}

TEST(Records, GissLayoutSkipsTwoColumns) {
  std::int32_t year = 0;
  float jan = 0, feb = 0;
  read_record(" 1880xx -10  -9", {I(5), control(Op::X, 2), F(5, 1), F(5, 1)}, {in_int(year), in_real(jan), in_real(feb)});
  EXPECT_EQ(year, 1880);
  EXPECT_FLOAT_EQ(jan, -1.0f);
  EXPECT_FLOAT_EQ(feb, -0.9f);
}

// --- characters, logicals, Q --------------------------------------------------

std::string read_a(std::string_view record, std::int32_t w, std::size_t len) {
  std::string item(len, '#');
  read_record(record, {A(w)}, {in_chars(item.data(), len)});
  return item;
}

TEST(CharacterInput, WidthAgainstLength) {
  struct Case {
    std::string_view record;
    std::int32_t w;
    std::size_t len;
    std::string_view item;
  };
  const Case cases[] = {
      {"abcdef", 6, 6, "abcdef"},
      {"abcdef", 6, 3, "def"},      // w >= L: the last L characters
      {"abcdef", 2, 4, "ab  "},     // w < L: the w characters, then blanks
      {"ab", 5, 3, "   "},          // the field padded to w first
      {"abcd", 5, 3, "cd "},
      {"ab", 5, 5, "ab   "},
      {"", 4, 4, "    "},           // "(A)" on an empty line
      {"a,b", 3, 3, "a,b"},         // a comma is an ordinary character
      {"a\tb", 3, 3, "a\tb"},       // a character field keeps its tabs
      {"xyz", 0, 0, ""},
  };
  for (const auto& c : cases) EXPECT_EQ(read_a(c.record, c.w, c.len), c.item) << c.record;
}

TEST(CharacterInput, SixtyOneCharacterItems) {
  const std::string line = "12345678901234567890";
  char mask[60];
  std::fill(std::begin(mask), std::end(mask), '#');
  std::vector<InItem> items;
  for (char& c : mask) items.push_back(in_chars(&c, 1));
  read_record(line, times(60, A(1)), items);
  EXPECT_EQ(std::string(mask, 20), line);
  EXPECT_EQ(std::string(mask + 20, 40), std::string(40, ' '));
}

TEST(LogicalInput, FirstLetterDecides) {
  struct Case {
    std::string_view record;
    bool value;
  };
  const Case cases[] = {
      {"T", true},     {"t", true},     {".TRUE.", true}, {"  .t", true}, {"\tT", true},
      {"F", false},    {".FALSE.", false}, {"", false},   {"x", false},   {"..T", false},
      {"1", false},
  };
  for (const auto& c : cases) {
    std::int32_t v = 99;
    read_record(c.record, {L(7)}, {in_logical(v)});
    EXPECT_EQ(v, c.value ? 1 : 0) << c.record;
  }
}

TEST(QInput, CharactersLeftAfterThePosition) {
  std::int32_t a = -1, n = -1;
  float x = 0;
  read_record("  1.5 more", {F(5, 1), data(Op::Q, 0)}, {in_real(x), in_int(n)});
  EXPECT_EQ(n, 5);
  read_record("abc", {control(Op::T, 10), data(Op::Q, 0)}, {in_int(a)});
  EXPECT_EQ(a, 0);
}

// --- positioning --------------------------------------------------------------

TEST(Positioning, MovesAreClampedToTheRecord) {
  struct Case {
    std::size_t start;
    Descriptor d;
    std::size_t pos;
  };
  const std::string_view record = "0123456789";
  const Case cases[] = {
      {0, control(Op::T, 5), 4},   {0, control(Op::T, 11), 10}, {0, control(Op::T, 80), 10},
      {5, control(Op::T, 0), 0},   {5, control(Op::T, 1), 0},   {5, control(Op::TL, 2), 3},
      {3, control(Op::TL, 9), 0},  {3, control(Op::TR, 4), 7},  {3, control(Op::TR, 40), 10},
      {3, control(Op::X, 2), 5},   {9, control(Op::X, 5), 10},  {2, text("abc"), 5},
      {8, text("'quoted'"), 10},   {4, control(Op::SP), 4},     {4, control(Op::SS), 4},
      {4, control(Op::Dollar), 4}, {4, control(Op::Colon), 4},  {4, control(Op::Slash, 1), 4},
  };
  for (const auto& c : cases) {
    InRecord rec{record, c.start, true};
    EditModes m;
    rposition_spec(rec, c.d, m);
    EXPECT_EQ(rec.pos, c.pos) << "op " << static_cast<int>(c.d.op) << " from " << c.start;
    EXPECT_FALSE(m.blank_zero);
    EXPECT_EQ(m.scale, 0);
  }
}

TEST(Positioning, TabPastTheEndReadsZero) {
  std::int32_t v = -1;
  read_record("0123456789", {control(Op::T, 80), I(3)}, {in_int(v)});
  EXPECT_EQ(v, 0);
}

TEST(Positioning, TextIsPassedOverNotCompared) {
  std::int32_t v = -1;
  read_record("Year:1950", {text("XXXXX"), I(4)}, {in_int(v)});
  EXPECT_EQ(v, 1950);
}

TEST(Positioning, BlankModesForTheRestOfTheStatement) {
  std::int32_t a = 0, b = 0, c = 0;
  read_record(" 1 2  1 2  1 2 ", {I(5), control(Op::BZ), I(5), control(Op::BN), I(5)}, {in_int(a), in_int(b), in_int(c)});
  EXPECT_EQ(a, 12);
  EXPECT_EQ(b, 1020);
  EXPECT_EQ(c, 12);
  // The unit's blank mode is where a statement starts.
  read_record(" 1 2 ", {I(5)}, {in_int(a)}, bz());
  EXPECT_EQ(a, 1020);
}

TEST(Positioning, BackwardsReadsAgain) {
  std::int32_t a = 0, b = 0;
  read_record("1234", {I(4), control(Op::TL, 2), I(2)}, {in_int(a), in_int(b)});
  EXPECT_EQ(a, 1234);
  EXPECT_EQ(b, 34);
}

// --- items against descriptors ---------------------------------------------------

TEST(ItemsAndDescriptors, MismatchesAreRefused) {
  std::int32_t i = 5;
  float r = 5.0f;
  char ch[4] = {'x', 'x', 'x', 'x'};
  std::int32_t logical = 0;
  EXPECT_EQ(error_of([&] { read_record("12", {I(2)}, {in_real(r)}); }), kMismatch);
  EXPECT_EQ(error_of([&] { read_record("12", {F(2, 0)}, {in_int(i)}); }), kMismatch);
  EXPECT_EQ(error_of([&] { read_record("12", {I(2)}, {in_chars(ch, 4)}); }), kMismatch);
  EXPECT_EQ(error_of([&] { read_record("12", {F(2, 0)}, {in_chars(ch, 4)}); }), kMismatch);
  EXPECT_EQ(error_of([&] { read_record("12", {A(2)}, {in_int(i)}); }), kMismatch);
  EXPECT_EQ(error_of([&] { read_record("T", {L(1)}, {in_int(i)}); }), kMismatch);
  EXPECT_EQ(error_of([&] { read_record("12", {I(2)}, {in_logical(logical)}); }), kMismatch);
  EXPECT_EQ(error_of([&] { read_record("12", {data(Op::Q, 0)}, {in_real(r)}); }), kMismatch);
  EXPECT_EQ(i, 5);
  EXPECT_EQ(r, 5.0f);
  long double big = 0;
  EXPECT_EQ(error_of([&] { read_record("12", {F(2, 0)}, {InItem{{ItemKind::Real, 16, 0}, &big}}); }), kMismatch);
}

TEST(ItemsAndDescriptors, GTakesEveryKind) {
  std::int32_t i = 0, logical = 0;
  float r = 0;
  char ch[3];
  read_record("  42 12.5   T abc", {data(Op::G, 4, 0), data(Op::G, 5, 1), data(Op::G, 4, 0), data(Op::G, 4, 0)},
              {in_int(i), in_real(r), in_logical(logical), in_chars(ch, 3)});
  EXPECT_EQ(i, 42);
  EXPECT_EQ(r, 12.5f);
  EXPECT_EQ(logical, 1);
  EXPECT_EQ(std::string(ch, 3), "abc");
  // Under G a character item keeps its commas.
  read_record("a,b", {data(Op::G, 3, 0)}, {in_chars(ch, 3)});
  EXPECT_EQ(std::string(ch, 3), "a,b");
}

TEST(ItemsAndDescriptors, FailureKeepsEarlierItems) {
  std::int32_t a = -1, b = -1, c = -1;
  EXPECT_EQ(error_of([&] { read_record("  1  x  3", times(3, I(3)), {in_int(a), in_int(b), in_int(c)}); }), kIllegal);
  EXPECT_EQ(a, 1);
  EXPECT_EQ(b, -1);
  EXPECT_EQ(c, -1);
}

}  // namespace
}  // namespace arb::rt
