// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <vector>

#include "align.h"
#include "driver_store_fixture.h"

namespace arb {
namespace {

class Align : public test::StoreTest {
 protected:
  std::vector<float> years_from(float first, int n) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i) v.push_back(first + static_cast<float>(i));
    return v;
  }
};

TEST_F(Align, SeriesAtTheEarliestYearStays) {
  put_series(1, 1900, {years_from(1900, 10)});
  align(s, 1, 1900);
  for (int i = 1; i <= 10; ++i) EXPECT_EQ(s.value(i, 1, 1), 1899.0F + static_cast<float>(i));
}

TEST_F(Align, LaterSeriesMovesUpAndLowSlotsKeepTheirValues) {
  put_series(2, 1950, {years_from(1950, 60)});
  align(s, 2, 1900);
  EXPECT_EQ(s.value(51, 1, 2), 1950.0F);
  EXPECT_EQ(s.value(110, 1, 2), 2009.0F);
  // Slots 1 to 50 still hold the first 50 values as they were read.
  for (int i = 1; i <= 50; ++i) EXPECT_EQ(s.value(i, 1, 2), 1949.0F + static_cast<float>(i));
  EXPECT_EQ(s.value(111, 1, 2), 0.0F);
}

TEST_F(Align, OverlappingMoveKeepsEveryValue) {
  put_series(1, 2001, {{1, 2, 3, 4, 5}, {10, 20, 30, 40, 50}});
  align(s, 1, 2000);
  const std::vector<float> v1{1, 1, 2, 3, 4, 5};
  const std::vector<float> v2{10, 10, 20, 30, 40, 50};
  for (int i = 1; i <= 6; ++i) {
    EXPECT_EQ(s.value(i, 1, 1), v1[i - 1]) << i;
    EXPECT_EQ(s.value(i, 2, 1), v2[i - 1]) << i;
  }
}

TEST_F(Align, OnlyTheVariablesInUseMove) {
  put_series(1, 2002, {{1, 2}});
  s.value(1, 2, 1) = 7.0F;  // beyond the variable count
  align(s, 1, 2000);
  EXPECT_EQ(s.value(3, 1, 1), 1.0F);
  EXPECT_EQ(s.value(1, 2, 1), 7.0F);
  EXPECT_EQ(s.value(3, 2, 1), 0.0F);
}

TEST_F(Align, SeriesWithoutYearsIsNotMoved) {
  put_series(1, 2005, {{3}});
  s.span(1, 3) = 0;
  align(s, 1, 2000);
  EXPECT_EQ(s.value(1, 1, 1), 3.0F);
  EXPECT_EQ(s.value(6, 1, 1), 0.0F);
}

TEST_F(Align, NeverMovesPastTheLastSlot) {
  put_series(1, 2000, {years_from(1, 10)});
  s.value(1, 1, 2) = 42.0F;  // the next series' first slot
  align(s, 1, 2000 - kYearSlots);
  EXPECT_EQ(s.value(1, 1, 2), 42.0F);
  EXPECT_EQ(s.value(1, 1, 1), 1.0F);
}

TEST_F(Align, ManyVariablesOnThreadsGiveTheSameResult) {
  std::vector<std::vector<float>> vars;
  for (int j = 0; j < kVarSlots; ++j) vars.push_back(years_from(static_cast<float>(1000 * j), 400));
  put_series(1, 1950, vars);
  align(s, 1, 1900);
  for (int j = 1; j <= kVarSlots; ++j) {
    EXPECT_EQ(s.value(51, j, 1), static_cast<float>(1000 * (j - 1)));
    EXPECT_EQ(s.value(450, j, 1), static_cast<float>(1000 * (j - 1) + 399));
    EXPECT_EQ(s.value(50, j, 1), static_cast<float>(1000 * (j - 1) + 49));
  }
}

}  // namespace
}  // namespace arb
