// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "coverage.h"
#include "driver_store_fixture.h"

namespace arb {
namespace {

struct CoverageCase {
  const char* name;
  std::vector<std::pair<int, int>> spans;  // first and last climatic year
  Coverage want;
};

class CoverageTable : public test::StoreTest, public ::testing::WithParamInterface<CoverageCase> {};

TEST_P(CoverageTable, ExtremesAndCommonInterval) {
  const CoverageCase& cs = GetParam();
  int k = 0;
  for (auto [first, last] : cs.spans) {
    ++k;
    s.span(k, 1) = static_cast<std::int16_t>(first);
    s.span(k, 2) = static_cast<std::int16_t>(last);
    s.span(k, 3) = static_cast<std::int16_t>(last - first + 1);
  }
  s.nseries = k;
  const Coverage c = find_coverage(s);
  const Coverage& w = cs.want;
  EXPECT_EQ(c.earliest_first, w.earliest_first);
  EXPECT_EQ(c.latest_first, w.latest_first);
  EXPECT_EQ(c.earliest_last, w.earliest_last);
  EXPECT_EQ(c.latest_last, w.latest_last);
  EXPECT_EQ(c.length, w.length);
  EXPECT_EQ(c.start, w.start);
  EXPECT_EQ(c.end, w.end);
  EXPECT_EQ(c.interval, w.interval);
  EXPECT_EQ(c.oversize_series, w.oversize_series);
}

// Fields: earliest first, latest first, earliest last, latest last, length,
// start, end, interval, oversize series.
INSTANTIATE_TEST_SUITE_P(
    Coverage, CoverageTable,
    ::testing::Values(
        CoverageCase{"one_series", {{1901, 1990}}, {1901, 1901, 1990, 1990, 90, 1901, 1990, 90, 0}},
        CoverageCase{"nested", {{1901, 1990}, {1920, 1980}}, {1901, 1920, 1980, 1990, 90, 1920, 1980, 61, 0}},
        CoverageCase{"apart", {{1901, 1920}, {1950, 1990}}, {1901, 1950, 1920, 1990, 90, 1950, 1920, -29, 0}},
        CoverageCase{"no_series", {}, {9999, -9999, 9999, -9999, -19997, -9999, 9999, 19999, 0}},
        // A series with no climatic years still counts with its two years.
        CoverageCase{"empty_span", {{1903, 1902}, {1901, 1910}}, {1901, 1903, 1902, 1910, 10, 1903, 1902, 0, 0}},
        CoverageCase{"exactly_500", {{1501, 1600}, {1900, 2000}}, {1501, 1900, 1600, 2000, 500, 1900, 1600, -299, 0}},
        CoverageCase{"over_500_at_2", {{1501, 1600}, {1900, 2001}, {1400, 1500}},
                     {1400, 1900, 1500, 2001, 602, 1900, 1500, -399, 2}},
        CoverageCase{"over_500_at_3", {{1901, 2000}, {1950, 1960}, {1400, 1500}},
                     {1400, 1950, 1500, 2000, 601, 1950, 1500, -449, 3}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace arb
