// SPDX-License-Identifier: GPL-3.0-or-later
#include "omp_team.h"

#include <omp.h>

#include <gtest/gtest.h>

namespace arb {
namespace {

TEST(OmpTeam, AtMostOneThreadPerProcessor) {
  const int team = omp_team();
  EXPECT_GE(team, 1);
  EXPECT_LE(team, omp_get_num_procs());
  EXPECT_EQ(omp_team(), team);  // found out once
}

}  // namespace
}  // namespace arb
