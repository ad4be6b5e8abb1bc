// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "norm.h"

namespace arb {
namespace {

constexpr float kFlag = -99.9F;

struct NormCase {
  const char* name;
  std::vector<float> values;
  float mean;
  float sd;
};

class NormTable : public ::testing::TestWithParam<NormCase> {};

TEST_P(NormTable, MeanAndStandardDeviation) {
  const NormCase& c = GetParam();
  float mean = 0.0F;
  float sd = 0.0F;
  norm(c.values, mean, sd, kFlag);
  EXPECT_FLOAT_EQ(mean, c.mean);
  EXPECT_NEAR(sd, c.sd, 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Norm, NormTable,
    ::testing::Values(NormCase{"three_values", {1.0F, 2.0F, 3.0F}, 2.0F, 1.0F},
                      NormCase{"two_values", {2.0F, 3.0F}, 2.5F, 0.70710677F},
                      NormCase{"flag_left_out", {2.0F, kFlag, 3.0F, kFlag}, 2.5F, 0.70710677F},
                      NormCase{"near_flag_is_a_value", {-99.8F, -99.8F}, -99.8F, 0.0F},
                      NormCase{"all_equal", {4.0F, 4.0F, 4.0F}, 4.0F, 0.0F}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Norm, OneUsableValueHasAnUndefinedDeviation) {
  const std::vector<float> v{kFlag, 5.0F};
  float mean = 0.0F;
  float sd = 0.0F;
  norm(v, mean, sd, kFlag);
  EXPECT_FLOAT_EQ(mean, 5.0F);
  EXPECT_TRUE(std::isnan(sd));
}

TEST(Norm, NoUsableValueHasAnUndefinedMean) {
  for (const std::vector<float>& v : {std::vector<float>{}, std::vector<float>{kFlag, kFlag}}) {
    float mean = 1.0F;
    float sd = 1.0F;
    norm(v, mean, sd, kFlag);
    EXPECT_TRUE(std::isnan(mean));
    EXPECT_EQ(sd, 0.0F);  // the square root of 0 / -1
  }
}

TEST(Norm, SumsAreTakenInDoublePrecision) {
  // In 32 bits 2^24 + 1 + 1 stays 2^24.
  const std::vector<float> v{16777216.0F, 1.0F, 1.0F};
  float mean = 0.0F;
  float sd = 0.0F;
  norm(v, mean, sd, kFlag);
  EXPECT_EQ(mean, static_cast<float>(16777218.0 / 3.0));
  EXPECT_NE(mean, (16777216.0F + 1.0F + 1.0F) / 3.0F);
}

}  // namespace
}  // namespace arb
