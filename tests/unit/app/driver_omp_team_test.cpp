// SPDX-License-Identifier: GPL-3.0-or-later
#include "omp_team.h"

#include <omp.h>

#include <cstdint>
#include <gtest/gtest.h>

namespace arb {
namespace {

TEST(OmpTeam, StackSizesAsOpenMpWritesThem) {
  struct Case {
    const char* text;
    std::optional<std::size_t> want;
  };
  const Case cases[] = {
      {nullptr, std::nullopt},
      {"", std::nullopt},
      {"abc", std::nullopt},
      {"12", 12u << 10},  // K when no unit is given
      {"12B", 12u},
      {" 3 k ", 3u << 10},
      {"5M", 5u << 20},
      {"100G", std::size_t{100} << 30},
      {"1T", std::nullopt},
      {"-1", std::nullopt},
      {"99999999999999999999", std::nullopt},  // beyond 64 bits
      {"17179869184G", std::nullopt},          // 2^64 bytes: does not fit
  };
  for (const auto& c : cases) EXPECT_EQ(parse_stack_size(c.text), c.want) << (c.text ? c.text : "unset");
}

TEST(OmpTeam, AtMostOneThreadPerProcessor) {
  const int team = omp_team();
  EXPECT_GE(team, 1);
  EXPECT_LE(team, omp_get_num_procs());
  EXPECT_EQ(omp_team(), team);  // found out once
}

}  // namespace
}  // namespace arb
