// SPDX-License-Identifier: GPL-3.0-or-later
// A series store of the tests' own, cleared where a test puts its series:
// their values zero-filled, with room for every variable.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "store.h"

namespace arb::test {

inline constexpr int kTestSeries = 8;  // series slots a test may use

inline SeriesStore store;  // static and zero-filled, like the program's

class StoreTest : public ::testing::Test {
 protected:
  SeriesStore& s = store;

  void SetUp() override {
    s.release();
    for (int k = 1; k <= kTestSeries + 1; ++k) {
      ASSERT_TRUE(s.make_room(k, kVarSlots));
      for (int c = 1; c <= 3; ++c) s.span(k, c) = 0;
      for (int j = 1; j <= kVarSlots; ++j) s.mean(k, j) = s.sd(k, j) = 0.0F;
    }
    s.nseries = 0;
    s.nvars = 1;
    s.flag = -99.9F;
  }

  // Series k as the reader leaves it: its years from slot 1 on, one list of
  // values per variable.
  void put_series(int k, std::int16_t first, const std::vector<std::vector<float>>& vars) {
    const auto years = static_cast<std::int16_t>(vars.front().size());
    s.span(k, 1) = first;
    s.span(k, 2) = static_cast<std::int16_t>(first + years - 1);
    s.span(k, 3) = years;
    for (std::size_t j = 0; j < vars.size(); ++j)
      for (std::size_t i = 0; i < vars[j].size(); ++i)
        s.value(static_cast<int>(i) + 1, static_cast<int>(j) + 1, k) = vars[j][i];
    s.nseries = std::max(s.nseries, k);
    s.nvars = static_cast<std::int32_t>(vars.size());
  }
};

}  // namespace arb::test
