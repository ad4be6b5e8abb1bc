// SPDX-License-Identifier: GPL-3.0-or-later
// Climate variables from the months of one series, by the climate mask.
#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <limits>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "driver_store_fixture.h"
#include "makevars.h"
#include "mask.h"
#include "console_host.h"
#include "tests/support/fake_console.h"

namespace arb {
namespace {

constexpr float kFlag = -99.9F;

// Month m of data line k holds k * 100 + m: every month is told apart, and
// sums of a few of them are exact.
float month_value(int k, int m) { return static_cast<float>(k * 100 + m); }

std::vector<float> months_of(int lines) {
  std::vector<float> v;
  for (int k = 1; k <= lines; ++k)
    for (int m = 1; m <= 12; ++m) v.push_back(month_value(k, m));
  return v;
}

// The mask as askmask accepts it.
ClimateMask mask_of(std::string_view typed) {
  ClimateMask mask;
  mask.chars.fill(' ');
  std::copy(typed.begin(), typed.end(), mask.chars.begin());
  const MaskScan s = scan_mask(mask.chars);
  mask.length = s.length;
  mask.first = s.first;
  mask.SEASON = s.season;
  return mask;
}

std::string mask_text(const ClimateMask& mask) { return {mask.chars.data(), static_cast<std::size_t>(mask.length)}; }

struct Value {
  int year_index;
  int var;
  float value;
};

struct Case {
  std::string_view name;
  std::string_view mask;
  int lines;
  int first_data_year;
  std::vector<std::pair<int, int>> missing;  // (data line, month) set to the flag
  int first, last, years;
  int nvars;
  std::vector<Value> values;
  std::string_view mask_after;
};

const std::vector<Case>& cases() {
  static const std::vector<Case> all = {
      {"OneMonthAverage", "3", 3, 1901, {}, 1901, 1903, 3, 1, {{1, 1, 101}, {2, 1, 201}, {3, 1, 301}}, "3"},
      {"TwelveSingleMonths", "111111111111", 2, 1901, {}, 1901, 1902, 2, 12,
       {{1, 1, 101}, {1, 12, 112}, {2, 1, 201}, {2, 7, 207}, {2, 12, 212}}, "222222222222"},
      {"FourSeasonSumsLagged", "00001112111211121112", 10, 1901, {}, 1902, 1910, 9, 4,
       {{1, 1, 105 + 106 + 107 + 108},
        {1, 2, 109 + 110 + 111 + 112},
        {1, 3, 201 + 202 + 203 + 204},
        {1, 4, 205 + 206 + 207 + 208},
        {9, 1, 905 + 906 + 907 + 908},
        {9, 4, 1005 + 1006 + 1007 + 1008}},
       "00001112111211121112"},
      {"LeadMonthsOfTheSecondYear", "000000000000111", 10, 1901, {}, 1901, 1909, 9, 3,
       {{1, 1, 201}, {1, 2, 202}, {1, 3, 203}, {9, 3, 1003}}, "000000000000222"},
      {"SeasonAverage", "1113", 2, 1950, {}, 1950, 1951, 2, 1,
       {{1, 1, (101 + 102 + 103 + 104) / 4.0F}, {2, 1, (201 + 202 + 203 + 204) / 4.0F}}, "1113"},
      {"SeasonWithAMissingMonth", "1113", 2, 1950, {{1, 2}}, 1950, 1951, 2, 1,
       {{1, 1, kFlag}, {2, 1, (201 + 202 + 203 + 204) / 4.0F}}, "1113"},
      {"OpenSeasonAfterTheLastClosingDigitIsDropped", "2011", 2, 1901, {}, 1901, 1902, 2, 1,
       {{1, 1, 101}, {2, 1, 201}}, "2011"},
      {"MissingSingleMonth", "0101", 2, 1901, {{2, 4}}, 1901, 1902, 2, 2,
       {{1, 1, 102}, {1, 2, 104}, {2, 1, 202}, {2, 2, kFlag}}, "0202"},
      {"SeasonsMixedWithSingleMonths", "00003333111311133333", 3, 1901, {}, 1902, 1903, 2, 10,
       {{1, 1, 105},
        {1, 4, 108},
        {1, 5, (109 + 110 + 111 + 112) / 4.0F},
        {1, 6, (201 + 202 + 203 + 204) / 4.0F},
        {1, 7, 205},
        {1, 10, 208},
        {2, 10, 308}},
       "00003333111311133333"},
      {"SixteenSingleMonths", "00001111111111111111", 3, 1901, {}, 1902, 1903, 2, 16,
       {{1, 1, 105}, {1, 8, 112}, {1, 9, 201}, {1, 16, 208}, {2, 1, 205}, {2, 16, 308}},
       "00002222222222222222"},
      {"LengthTwelveHasNoLag", "000000000001", 3, 1901, {}, 1901, 1903, 3, 1, {{1, 1, 112}, {3, 1, 312}}, "000000000002"},
      {"SelectionFromDecemberLagsOneYear", "0000000000011", 3, 1901, {}, 1902, 1903, 2, 2,
       {{1, 1, 112}, {1, 2, 201}, {2, 2, 301}}, "0000000000022"},
      {"LengthThirteenLagsOneYear", "0000000000001", 3, 1901, {}, 1901, 1902, 2, 1,
       {{1, 1, 201}, {2, 1, 301}}, "0000000000002"},
      {"LengthSixtyLagsFourYears", "000000000000000000000000000000000000000000000000000000000001", 6, 1901, {},
       1901, 1902, 2, 1, {{1, 1, 512}, {2, 1, 612}},
       "000000000000000000000000000000000000000000000000000000000002"},
      {"LaggedOneYear", "0000111100000000", 4, 1901, {}, 1902, 1904, 3, 4, {{1, 1, 105}, {3, 4, 308}},
       "0000222200000000"},
      {"LaggedTwoYears", "0000111100000000000000000", 4, 1901, {}, 1903, 1904, 2, 4,
       {{1, 1, 105}, {2, 4, 208}}, "0000222200000000000000000"},
  };
  return all;
}

class Makevars : public test::StoreTest {};

TEST_F(Makevars, EveryCase) {
  for (const Case& c : cases()) {
    SetUp();
    s.flag = kFlag;
    ClimateMask mask = mask_of(c.mask);
    EXPECT_EQ(mask_vars(mask), c.nvars) << c.name;  // known before the first series
    std::vector<float> months = months_of(c.lines);
    for (auto [k, m] : c.missing) months[static_cast<std::size_t>((k - 1) * 12 + m - 1)] = kFlag;
    makevars(s, 2, months, c.lines, c.first_data_year, mask);
    EXPECT_EQ(mask_vars(mask), c.nvars) << c.name;  // and the same for the next
    EXPECT_EQ(s.span(2, 1), c.first) << c.name;
    EXPECT_EQ(s.span(2, 2), c.last) << c.name;
    EXPECT_EQ(s.span(2, 3), c.years) << c.name;
    EXPECT_EQ(s.span(2, 2) - s.span(2, 1) + 1, s.span(2, 3)) << c.name;
    EXPECT_EQ(s.nvars, c.nvars) << c.name;
    for (const Value& v : c.values) {
      EXPECT_EQ(s.value(v.year_index, v.var, 2), v.value) << c.name << " year " << v.year_index << " var " << v.var;
    }
    EXPECT_EQ(mask_text(mask), c.mask_after) << c.name;
    // Nothing beyond the series' years and variables is written.
    EXPECT_EQ(s.value(c.years + 1, 1, 2), 0.0F) << c.name;
    EXPECT_EQ(s.value(1, c.nvars + 1, 2), 0.0F) << c.name;
    EXPECT_EQ(s.value(1, 1, 1), 0.0F) << c.name;
    EXPECT_EQ(s.value(1, 1, 3), 0.0F) << c.name;
  }
}

// A mask without seasons makes every selected month a variable the quick
// way; the same mask with each selected month a season of one month ("2")
// takes the general loop.  Both give the same values to the bit, flags,
// -0.0 and NaN included, and the same variables, mask and spans.
TEST_F(Makevars, MonthsAsVariablesAsSeasonsOfOneMonth) {
  std::mt19937 rng(11);
  std::uniform_int_distribution<int> position(0, 1), length(1, 60), lines(1, 30);
  std::uniform_real_distribution<float> value(-50.0F, 50.0F);
  for (int n = 0; n < 200; ++n) {
    std::string ones(static_cast<std::size_t>(length(rng)), '0');
    for (char& c : ones) c = position(rng) ? '1' : '0';
    ones.back() = '1';
    std::string twos = ones;
    std::replace(twos.begin(), twos.end(), '1', '2');
    const int count = lines(rng);
    std::vector<float> months(static_cast<std::size_t>(count) * 12);
    for (float& m : months) m = value(rng);
    for (std::size_t i = 0; i < months.size(); i += 7) months[i] = kFlag;
    months[1] = -0.0F;
    months[2] = std::numeric_limits<float>::quiet_NaN();
    SetUp();
    s.flag = kFlag;
    ClimateMask quick = mask_of(ones), general = mask_of(twos);
    makevars(s, 1, months, count, 1901, quick);
    makevars(s, 2, months, count, 1901, general);
    if (s.span(2, 3) > 0) {  // rewritten by the first year
      ASSERT_EQ(mask_text(quick), mask_text(general)) << ones;
    }
    for (int c = 1; c <= 3; ++c) ASSERT_EQ(s.span(1, c), s.span(2, c)) << ones;
    for (int j = 1; j <= mask_vars(general); ++j)
      for (int i = 1; i <= s.span(1, 3); ++i)
        ASSERT_EQ(std::bit_cast<std::uint32_t>(s.value(i, j, 1)), std::bit_cast<std::uint32_t>(s.value(i, j, 2)))
            << ones << " year " << i << " variable " << j;
  }
}

TEST(MaskLag, WholeYearsBeyondTheFirst) {
  const std::pair<int, int> lags[] = {{1, 0}, {11, 0}, {12, 0}, {13, 1}, {24, 1}, {25, 2},
                                      {36, 2}, {37, 3}, {48, 3}, {49, 4}, {60, 4}};
  for (auto [length, lag] : lags) EXPECT_EQ(mask_lag(length), lag) << length;
}

TEST_F(Makevars, SeriesShorterThanItsMaskKeepsTheVariableCount) {
  struct Short {
    std::string_view mask;
    int lines;
    int first, last, years;
  };
  const Short shorts[] = {
      {"0000000000000000000000001", 2, 1901, 1900, 0},  // lead months two years on
      {"0000111100000000000000000", 2, 1903, 1902, 0},
      {"0000111100000000000000000", 1, 1903, 1901, -1},
      {"000000000000000000000000000000000000000000000000000000000001", 4, 1901, 1900, 0},
  };
  for (const Short& c : shorts) {
    SetUp();
    s.nvars = 7;
    ClimateMask mask = mask_of(c.mask);
    const std::vector<float> months = months_of(c.lines);
    makevars(s, 1, months, c.lines, 1901, mask);
    EXPECT_EQ(s.span(1, 1), c.first) << c.mask << " " << c.lines;
    EXPECT_EQ(s.span(1, 2), c.last) << c.mask << " " << c.lines;
    EXPECT_EQ(s.span(1, 3), c.years) << c.mask << " " << c.lines;
    EXPECT_EQ(s.nvars, 7) << c.mask;
    EXPECT_EQ(s.value(1, 1, 1), 0.0F) << c.mask;
  }
}

TEST_F(Makevars, SumsRoundToSinglePrecisionInMaskOrder) {
  ClimateMask mask = mask_of("112");
  // In single precision 1e8 + 1 is 1e8, so the season is 0, not 1.
  std::vector<float> months(12, 0.0F);
  months[0] = 1.0e8F;
  months[1] = 1.0F;
  months[2] = -1.0e8F;
  makevars(s, 1, months, 1, 2000, mask);
  EXPECT_EQ(s.value(1, 1, 1), 0.0F);
}

TEST_F(Makevars, FlagComparedExactly) {
  s.flag = kFlag;
  ClimateMask mask = mask_of("13");
  std::vector<float> months(12, 0.0F);
  months[0] = -99.9000015F;  // the nearest float to -99.9 is the flag itself
  months[1] = -99.89F;       // close to the flag, but a value
  makevars(s, 1, months, 1, 2000, mask);
  EXPECT_EQ(s.value(1, 1, 1), kFlag);
  mask = mask_of("3");
  makevars(s, 2, std::vector<float>{-99.89F, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, 1, 2000, mask);
  EXPECT_EQ(s.value(1, 1, 2), -99.89F);
}

TEST_F(Makevars, RewrittenMaskServesTheNextSeries) {
  ClimateMask mask = mask_of("0110");
  makevars(s, 1, months_of(2), 2, 1901, mask);
  EXPECT_EQ(mask_text(mask), "0220");
  makevars(s, 2, months_of(3), 3, 1950, mask);
  EXPECT_EQ(s.nvars, 2);
  EXPECT_EQ(s.value(3, 1, 2), 302.0F);
  EXPECT_EQ(s.value(3, 2, 2), 303.0F);
  EXPECT_EQ(s.span(2, 1), 1950);
}

TEST_F(Makevars, SeriesTakesRoomForTheMasksVariables) {
  s.release();
  ClimateMask mask = mask_of("1120111301");  // the last month closes no season
  makevars(s, 3, months_of(4), 4, 1901, mask);
  EXPECT_EQ(s.room(3), 2);
  EXPECT_EQ(s.room(2), 0);
  EXPECT_EQ(s.value(1, 1, 3), 101.0F + 102.0F + 103.0F);
  EXPECT_EQ(s.value(4, 2, 3), (405.0F + 406.0F + 407.0F + 408.0F) / 4.0F);
}

int refused_status(std::string_view typed, int first_data_year, int lines, std::string& shown) {
  arb::testing::HostedLayer hl;
  ClimateMask mask = mask_of(typed);
  const std::vector<float> months = months_of(lines);
  int status = -1;
  try {
    makevars(test::store, 4, months, lines, first_data_year, mask);
  } catch (const rt::RunEnd& e) {
    status = e.status;
  }
  shown = hl.host.shown;
  return status;
}

TEST_F(Makevars, YearsBeyondSixteenBitsAreRefused) {
  std::string shown;
  // The lag labels the climatic year 32768.
  EXPECT_EQ(refused_status("0000111100000000", 32767, 2, shown), 1);
  EXPECT_EQ(shown, "\n    *** YEAR OUT OF RANGE! SERIES 4 HAS A YEAR OUTSIDE -32768 TO 32767! ***\n");
  EXPECT_EQ(s.span(4, 1), 0);
  EXPECT_EQ(refused_status("1", -32769, 3, shown), 1);
  EXPECT_EQ(refused_status("1", 2147483647, 3, shown), 1);
  // The edges themselves are kept.
  EXPECT_EQ(refused_status("1", 32766, 2, shown), -1);
  EXPECT_EQ(s.span(4, 2), 32767);
  EXPECT_EQ(refused_status("1", -32768, 1, shown), -1);
  EXPECT_EQ(s.span(4, 1), -32768);
}

}  // namespace
}  // namespace arb
