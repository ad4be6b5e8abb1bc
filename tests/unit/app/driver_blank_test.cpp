// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "blank.h"

namespace arb {
namespace {

class BlankLengths : public ::testing::TestWithParam<std::size_t> {};

TEST_P(BlankLengths, EveryCharacterBecomesABlankAndNothingBeyond) {
  const std::size_t n = GetParam();
  std::string buf(n + 2, 'x');
  blank({buf.data() + 1, n});
  EXPECT_EQ(buf.front(), 'x');
  EXPECT_EQ(buf.back(), 'x');
  EXPECT_EQ(static_cast<std::size_t>(std::count(buf.begin(), buf.end(), ' ')), n);
}

// 120 is the reader's line.
INSTANTIATE_TEST_SUITE_P(Blank, BlankLengths, ::testing::Values(0, 1, 80, 120, 1 << 16, (1 << 17) + 3));

}  // namespace
}  // namespace arb
