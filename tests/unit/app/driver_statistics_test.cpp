// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <random>
#include <vector>

#include "align.h"
#include "coverage.h"
#include "statistics.h"
#include "driver_store_fixture.h"
#include "tests/support/average_by_year.h"

namespace arb {
namespace {

constexpr float kSqrtHalf = 0.70710677F;

class Averaging : public test::StoreTest {
 protected:
  Coverage c;

  // Alignment and statistics as the run does them, over the computed
  // common interval unless one is given.
  void prepare(int start = 0, int end = 0) {
    c = find_coverage(s);
    if (start != 0) {
      c.start = start;
      c.end = end;
      c.interval = end - start + 1;
    }
    for (int k = 1; k <= s.nseries; ++k) {
      align(s, k, c.earliest_first);
      series_statistics(s, k, c);
    }
    grand_statistics(s);
  }

  std::vector<float> record(Method m, int j = 1) {
    std::vector<float> out;
    for (int i = 1; i <= c.length; ++i) {
      out.push_back(testing::average_year(s, i, c, m)[j - 1]);
    }
    return out;
  }

  // A: 2000-2002 with 1, 2, 3; B: 2001-2003 with 4, 5, 6.
  void two_series(float b2001 = 4.0F) {
    put_series(1, 2000, {{1, 2, 3}});
    put_series(2, 2001, {{b2001, 5, 6}});
  }
};

TEST_F(Averaging, SeriesStatisticsOverTheCommonInterval) {
  two_series();
  prepare();
  EXPECT_EQ(c.start, 2001);
  EXPECT_EQ(c.end, 2002);
  EXPECT_FLOAT_EQ(s.mean(1, 1), 2.5F);
  EXPECT_FLOAT_EQ(s.sd(1, 1), kSqrtHalf);
  EXPECT_FLOAT_EQ(s.mean(2, 1), 4.5F);
  EXPECT_FLOAT_EQ(s.sd(2, 1), kSqrtHalf);
  EXPECT_FLOAT_EQ(s.mean(3, 1), 3.5F);
  EXPECT_FLOAT_EQ(s.sd(3, 1), kSqrtHalf);
}

struct MethodCase {
  Method method;
  std::vector<float> years;  // 2000 to 2003
};

class ThreeMethods : public Averaging, public ::testing::WithParamInterface<MethodCase> {};

TEST_P(ThreeMethods, TwoSeriesExample) {
  two_series();
  prepare();
  const std::vector<float> got = record(GetParam().method);
  ASSERT_EQ(got.size(), 4U);
  for (std::size_t i = 0; i < 4; ++i) EXPECT_NEAR(got[i], GetParam().years[i], 1e-5) << 2000 + i;
}

INSTANTIATE_TEST_SUITE_P(Averaging, ThreeMethods,
                         ::testing::Values(MethodCase{Method::straight, {1, 3, 4, 6}},
                                           MethodCase{Method::mean_adjusted, {2, 3, 4, 5}},
                                           MethodCase{Method::mean_variance_adjusted, {2, 3, 4, 5}}));

TEST_F(Averaging, MissingValueLeavesTheAverageAndTheStatistics) {
  two_series(-99.9F);
  prepare();
  EXPECT_FLOAT_EQ(record(Method::straight)[1], 2.0F);
  EXPECT_FLOAT_EQ(s.mean(2, 1), 5.0F);
  EXPECT_TRUE(std::isnan(s.sd(2, 1)));
}

// A coverage without years (every series shorter than its mask's lag
// leaves none): no row and no depth, and nothing read or written.
TEST_F(Averaging, CoverageWithoutYearsGivesNoRecord) {
  two_series();
  prepare();
  for (int length : {0, -3}) {
    c.length = length;
    const AveragedRecord r = average_record(s, c, Method::straight);
    EXPECT_TRUE(r.rows.empty()) << length;
    EXPECT_TRUE(r.depth.empty()) << length;
  }
}

TEST_F(Averaging, YearWithoutValuesGivesTheFlag) {
  put_series(1, 2000, {{1, 2}});
  put_series(2, 2003, {{-99.9F, 4}});
  prepare();
  const std::vector<float> got = record(Method::straight);
  ASSERT_EQ(got.size(), 5U);
  EXPECT_EQ(got[2], -99.9F);  // 2002: no series covers it
  EXPECT_EQ(got[3], -99.9F);  // 2003: the one value is the flag
  EXPECT_EQ(got[4], 4.0F);
}

TEST_F(Averaging, OnlyExactEqualityIsMissing) {
  put_series(1, 2000, {{-99.8F}});
  put_series(2, 2000, {{0.0F}});
  prepare();
  EXPECT_FLOAT_EQ(record(Method::straight)[0], -49.9F);
}

TEST_F(Averaging, IntervalBeyondASeriesSpanCountsAsMissing) {
  two_series();
  // After alignment B's slot of 2000 still holds its old value 4.
  prepare(2000, 2003);
  EXPECT_FLOAT_EQ(s.mean(1, 1), 2.0F);  // 1, 2, 3: not the slot of 2003
  EXPECT_FLOAT_EQ(s.mean(2, 1), 5.0F);  // 4, 5, 6: not the stale slot of 2000
}

TEST_F(Averaging, EmptyIntervalGivesUndefinedStatistics) {
  put_series(1, 1901, {{1, 2}});
  put_series(2, 1950, {{3, 4}});
  prepare();
  EXPECT_LT(c.interval, 1);
  EXPECT_TRUE(std::isnan(s.mean(1, 1)));
  EXPECT_TRUE(std::isnan(s.mean(3, 1)));
  // Straight averages do not need the statistics.
  EXPECT_EQ(record(Method::straight)[0], 1.0F);
  EXPECT_TRUE(std::isnan(record(Method::mean_adjusted)[0]));
}

TEST_F(Averaging, ZeroDeviationUnderMethodThreeDoesNotTrap) {
  put_series(1, 2000, {{2, 2, 3}});
  put_series(2, 2000, {{5, 5, 5}});
  prepare(2000, 2001);
  EXPECT_EQ(s.sd(2, 1), 0.0F);
  const std::vector<float> got = record(Method::mean_variance_adjusted);
  EXPECT_TRUE(std::isnan(got[0]));  // (5 - 5) / 0
  EXPECT_TRUE(std::isinf(got[2]) || std::isnan(got[2]));
}

TEST_F(Averaging, RunningSumIsRoundedTo32BitsAfterEachTerm) {
  put_series(1, 2000, {{16777216.0F}});
  put_series(2, 2000, {{1.0F}});
  put_series(3, 2000, {{1.0F}});
  prepare();
  EXPECT_EQ(record(Method::straight)[0], 16777216.0F / 3.0F);
}

TEST_F(Averaging, MethodTwoAddsTheValueBeforeTakingTheMean) {
  // (v + sum) - m: 1 + 2^24 rounds to 2^24, so the sum ends at 2^24 - 1;
  // sum + (v - m) would stay 2^24.
  put_series(1, 2000, {{16777216.0F}});
  put_series(2, 2000, {{1.0F}});
  prepare();
  s.mean(1, 1) = 0.0F;
  s.mean(2, 1) = 1.0F;
  s.mean(3, 1) = 0.0F;
  EXPECT_EQ(testing::average_year(s, 1, c, Method::mean_adjusted)[0], 8388607.5F);
}

TEST_F(Averaging, EveryVariableIsAveragedOnItsOwn) {
  put_series(1, 2000, {{1, 2}, {10, 20}, {-99.9F, 5}});
  put_series(2, 2001, {{4, 6}, {40, 60}, {7, 9}});
  prepare();
  const auto y2001 = testing::average_year(s, 2, c, Method::straight);
  EXPECT_FLOAT_EQ(y2001[0], 3.0F);
  EXPECT_FLOAT_EQ(y2001[1], 30.0F);
  EXPECT_FLOAT_EQ(y2001[2], 6.0F);
  // 2000: series 1 only, variable 3 missing
  EXPECT_EQ(testing::average_year(s, 1, c, Method::straight)[2], -99.9F);
}

class GrandStatistics : public test::StoreTest {};

TEST_F(GrandStatistics, RootMeanSquareOfDeviationsAndMeanOfMeans) {
  s.nseries = 3;
  const float means[] = {1.0F, -99.9F, 3.0F};
  const float sds[] = {1.0F, 7.0F, 5.0F};
  for (int k = 1; k <= 3; ++k) {
    s.mean(k, 1) = means[k - 1];
    s.sd(k, 1) = sds[k - 1];
  }
  grand_statistics(s);
  EXPECT_FLOAT_EQ(s.mean(4, 1), 2.0F);  // the flag-valued mean is left out
  EXPECT_FLOAT_EQ(s.sd(4, 1), 5.0F);    // sqrt((1 + 49 + 25) / 3): every deviation enters
}

TEST_F(GrandStatistics, UndefinedDeviationMakesTheGrandDeviationUndefined) {
  s.nseries = 2;
  s.mean(1, 1) = 1.0F;
  s.mean(2, 1) = 2.0F;
  s.sd(1, 1) = 1.0F;
  s.sd(2, 1) = std::nanf("");
  grand_statistics(s);
  EXPECT_FLOAT_EQ(s.mean(3, 1), 1.5F);
  EXPECT_TRUE(std::isnan(s.sd(3, 1)));
}

// The record computed series by series must be the year-by-year one to
// the last bit, for every method, with gaps, flags and uneven spans.
TEST_F(Averaging, WholeRecordAtOnceMatchesYearByYear) {
  std::mt19937 rng(99);
  std::uniform_real_distribution<float> value(-30.0F, 40.0F);
  std::uniform_int_distribution<int> start(1900, 1930), length(5, 60);
  std::bernoulli_distribution missing(0.1);
  for (int k = 1; k <= test::kTestSeries; ++k) {
    const int n = length(rng);
    std::vector<std::vector<float>> vars(5, std::vector<float>(static_cast<std::size_t>(n)));
    for (auto& v : vars)
      for (float& x : v) x = missing(rng) ? s.flag : value(rng);
    put_series(k, static_cast<std::int16_t>(start(rng)), vars);
  }
  for (int j = 1; j <= s.nvars; ++j) s.value(1, j, 2) = s.flag;  // a series missing in its first year
  prepare();
  for (Method m : {Method::straight, Method::mean_adjusted, Method::mean_variance_adjusted}) {
    const std::vector<float> rows = average_record(s, c, m).rows;
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.length * s.nvars));
    for (int i = 1; i <= c.length; ++i) {
      const auto by_year = testing::average_year(s, i, c, m);
      for (int j = 1; j <= s.nvars; ++j) {
        const float one = by_year[j - 1];
        const float all = rows[static_cast<std::size_t>((i - 1) * s.nvars + j - 1)];
        EXPECT_EQ(std::bit_cast<std::uint32_t>(one), std::bit_cast<std::uint32_t>(all))
            << "slot " << i << " variable " << j << " method " << static_cast<int>(m);
      }
    }
  }
}

}  // namespace
}  // namespace arb
