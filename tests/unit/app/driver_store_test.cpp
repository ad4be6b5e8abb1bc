// SPDX-License-Identifier: GPL-3.0-or-later
// The value array's memory: taken series by series, zero-filled, each
// series on pages of its own, and kept while the room suffices; the store
// cleared for another run.
#include <gtest/gtest.h>

#include <cstdint>

#include "store.h"

namespace arb {
namespace {

// A store of its own: the run's store stays as the other tests leave it.
SeriesStore& fresh() {
  static SeriesStore s;
  s.release();
  return s;
}

bool on_page_start(const float* p) { return reinterpret_cast<std::uintptr_t>(p) % kPage == 0; }

TEST(StoreRoom, ZeroFilledOnPagesOfTheirOwn) {
  SeriesStore& s = fresh();
  for (int k : {1, 2, kSeriesSlots}) {
    ASSERT_TRUE(s.make_room(k, 12));
    EXPECT_EQ(s.room(k), 12);
    EXPECT_TRUE(on_page_start(s.column(1, k))) << k;
    for (int j = 1; j <= 12; ++j)
      for (int i = 1; i <= kYearSlots; ++i) ASSERT_EQ(s.value(i, j, k), 0.0F) << k;
  }
  EXPECT_EQ(s.room(3), 0);
  // Every slot of series 1 written leaves series 2 as it was.
  for (int j = 1; j <= 12; ++j)
    for (int i = 1; i <= kYearSlots; ++i) s.value(i, j, 1) = 7.0F;
  EXPECT_EQ(s.value(kYearSlots, 12, 1), 7.0F);
  EXPECT_EQ(s.column(2, 1), s.column(1, 1) + kYearSlots);
  for (int j = 1; j <= 12; ++j) EXPECT_EQ(s.value(1, j, 2), 0.0F);
}

TEST(StoreRoom, KeptWhileItSufficesAndRenewedWhenMoreIsAsked) {
  SeriesStore& s = fresh();
  ASSERT_TRUE(s.make_room(5, 4));
  s.value(3, 4, 5) = 1.5F;
  const float* before = s.column(1, 5);
  ASSERT_TRUE(s.make_room(5, 2));  // a retry of the same file: the values stay
  EXPECT_EQ(s.column(1, 5), before);
  EXPECT_EQ(s.value(3, 4, 5), 1.5F);
  EXPECT_EQ(s.room(5), 4);
  ASSERT_TRUE(s.make_room(5, kVarSlots));  // a store reused with a longer mask
  EXPECT_EQ(s.room(5), kVarSlots);
  EXPECT_EQ(s.value(3, 4, 5), 0.0F);
  EXPECT_EQ(s.value(kYearSlots, kVarSlots, 5), 0.0F);
  // A mask without variables still gives the series a place.
  ASSERT_TRUE(s.make_room(6, 0));
  EXPECT_EQ(s.room(6), 1);
  s.release();
  EXPECT_EQ(s.room(5), 0);
  EXPECT_EQ(s.room(6), 0);
}

TEST(StoreClear, EveryTableAndCountAsAtStartValuesKept) {
  SeriesStore& s = fresh();
  ASSERT_TRUE(s.make_room(kSeriesSlots, 1));
  s.value(2, 1, kSeriesSlots) = 3.0F;
  s.span(kSeriesSlots, 3) = 9;
  s.title(kSeriesSlots)[79] = 'x';
  s.mean(kSeriesSlots, kVarSlots) = 1.0F;
  s.sd(kSeriesSlots, kVarSlots) = 2.0F;
  s.nseries = s.nvars = 5;
  s.flag = -99.9F;
  s.clear();
  EXPECT_EQ(s.span(kSeriesSlots, 3), 0);
  EXPECT_EQ(s.title(kSeriesSlots)[79], '\0');
  EXPECT_EQ(s.mean(kSeriesSlots, kVarSlots), 0.0F);
  EXPECT_EQ(s.sd(kSeriesSlots, kVarSlots), 0.0F);
  EXPECT_EQ(s.nseries + s.nvars, 0);
  EXPECT_EQ(s.flag, 0.0F);
  EXPECT_EQ(s.value(2, 1, kSeriesSlots), 3.0F);
}

}  // namespace
}  // namespace arb
