// SPDX-License-Identifier: GPL-3.0-or-later
// The short decimal path of append_number against the general one,
// to_chars' shortest form, over every value of a few decimals it takes and
// a spread of others.
#include <gtest/gtest.h>

#include <bit>
#include <charconv>
#include <cstdint>
#include <random>

#include "csv.h"

namespace arb {
namespace {

std::string shortest(float v) {
  char text[32];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

std::string written(float v) {
  std::string s;
  results::append_number(s, v);
  return s;
}

TEST(CsvNumber, EdgesOfTheShortPath) {
  for (float v : {0.0f, -0.0f, 1.0f, -1.0f, 0.01f, -0.01f, 0.0099999f, 0.001f, 0.015f, 0.125f, 32767.99f, 32768.0f,
                  -32768.0f, 20000.0f, 10000.0f, 100000.0f, 0.1f + 0.2f, 1e-30f, 1.17549435e-38f, 1e-45f, 16777216.0f,
                  3.4028235e38f, 2.5f, 0.5f, 4096.0f, std::nextafter(4096.0f, 0.0f), std::nextafter(0.1f, 1.0f)})
    EXPECT_EQ(written(v), shortest(v)) << v;
}

TEST(CsvNumber, EveryHundredthUpTo32768) {
  int wrong = 0;
  for (std::int32_t m = -3276800; m <= 3276800 && wrong < 10; ++m) {
    for (float v : {static_cast<float>(m / 100.0), static_cast<float>(m / 10.0)}) {
      if (written(v) != shortest(v)) ADD_FAILURE() << v << ": " << written(v) << " against " << shortest(v), ++wrong;
    }
  }
}

TEST(CsvNumber, RandomFloats) {
  std::mt19937 random(20261208);
  int wrong = 0;
  for (int i = 0; i < 2000000 && wrong < 10; ++i) {
    const float near = std::uniform_real_distribution<float>(-40000.0f, 40000.0f)(random);
    const float any = std::bit_cast<float>(static_cast<std::uint32_t>(random()));
    for (float v : {near, any}) {
      if (std::isnan(v)) continue;
      if (written(v) != shortest(v)) ADD_FAILURE() << v << ": " << written(v) << " against " << shortest(v), ++wrong;
    }
  }
}

}  // namespace
}  // namespace arb
