// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <cmath>

#include "checks.h"
#include "results_fixture.h"

namespace arb {
namespace {

using results::Finding;
using results::Kind;

class Checks : public test::ResultsTest {
 protected:
  // n years of a smooth series with a little wobble, shifted by base.
  static std::vector<float> wave(int n, float base, float sign = 1.0F) {
    std::vector<float> v;
    for (int i = 0; i < n; ++i) v.push_back(base + sign * static_cast<float>(std::sin(i * 0.7) * 3.0 + (i % 3)));
    return v;
  }
  // Data lines of series k with the years written on them, from line first_line on.
  void lines(int k, std::int64_t first_line, const std::vector<int>& years) {
    for (std::size_t i = 0; i < years.size(); ++i) log.note(k, first_line + static_cast<std::int64_t>(i), years[i]);
  }
  std::vector<Finding> of_kind(const std::vector<Finding>& all, Kind kind) {
    std::vector<Finding> out;
    for (const Finding& f : all)
      if (f.kind == kind) out.push_back(f);
    return out;
  }
};

TEST_F(Checks, YearsOutOfSequence) {
  struct Case {
    std::vector<int> years;
    std::int64_t line;  // the first line found
    int assigned, in_file;
    const char* detail;
    std::size_t count;
  } cases[] = {
      {{1901, 1902, 1904, 1905}, 4, 1903, 1904, "skipped year", 2},
      {{1901, 1902, 1902, 1903}, 4, 1903, 1902, "repeated year", 2},
      {{1901, 1903, 1902}, 3, 1902, 1903, "skipped year", 2},
      {{1901, 1902, 1903}, 0, 0, 0, "", 0},
  };
  for (const Case& c : cases) {
    log.restart();
    put_series(1, 1901, {std::vector<float>(c.years.size(), 1.0F)});
    lines(1, 2, c.years);
    const auto found = results::check_years(finish());
    ASSERT_EQ(found.size(), c.count);
    if (c.count == 0) continue;
    EXPECT_EQ(found[0].series, 1);
    EXPECT_EQ(found[0].line, c.line);
    EXPECT_EQ(found[0].year_assigned, c.assigned);
    EXPECT_EQ(found[0].year_in_file, c.in_file);
    EXPECT_EQ(found[0].detail, c.detail);
  }
}

TEST_F(Checks, EachKindOfTheStatistics) {
  std::vector<float> lone(30, -99.9F);
  lone[4] = 3.0F;
  std::vector<float> typo = wave(30, 10.0F);
  typo[17] = 1000.0F;
  const std::vector<float> none(30, -99.9F), constant(30, 5.0F);
  // Every series covers 1900-1929, the common interval.
  struct Case {
    std::vector<std::vector<float>> series;
    Kind kind;
    std::vector<int> found;  // the series found, in order
  } cases[] = {
      {{wave(30, 10.0F), constant}, Kind::zero_sd, {2}},
      {{wave(30, 10.0F), lone}, Kind::undefined_statistics, {2}},
      {{wave(30, 10.0F), none}, Kind::no_common_values, {2}},
      {{typo}, Kind::outlier, {1}},
      {{wave(30, 10.0F), wave(30, 12.0F), wave(30, 11.0F, -1.0F), wave(30, 9.0F)}, Kind::low_correlation, {3}},
      {{wave(30, 10.0F), wave(30, 12.0F)}, Kind::low_correlation, {}},
  };
  for (const Case& c : cases) {
    SetUp();
    for (std::size_t k = 0; k < c.series.size(); ++k) put_series(static_cast<int>(k) + 1, 1900, {c.series[k]});
    log.mask = "3";
    const auto found = results::check_run(finish());
    std::vector<int> series;
    for (const Finding& f : of_kind(found, c.kind)) series.push_back(f.series);
    EXPECT_EQ(series, c.found) << results::kind_name(c.kind) << " with " << c.series.size() << " series";
    // Each run finds nothing of any other kind.
    EXPECT_EQ(of_kind(found, c.kind).size(), found.size()) << results::kind_name(c.kind);
    if (c.kind == Kind::outlier) {
      EXPECT_EQ(found.at(0).year_assigned, 1917);
      EXPECT_EQ(found.at(0).value, 1000.0);
      EXPECT_EQ(found.at(0).variable, 1);
    }
  }
}

TEST_F(Checks, WarningsNameEachSeriesOnce) {
  for (int k = 1; k <= 2; ++k) {
    put_series(k, 1901, {{1, 2, 3}});
    title(k, "Station " + std::to_string(k));
  }
  lines(1, 11, {1901, 1901, 1902});
  lines(2, 21, {1901, 1902, 1903});
  const results::Run r = finish();
  const auto warnings = results::year_warnings("arborix-term", r, results::check_years(r));
  ASSERT_EQ(warnings.size(), 1U);
  EXPECT_EQ(warnings[0],
            "arborix-term: series 1 (Station 1): line 12 has the year 1901, read as 1902 (repeated year); "
            "2 line(s) of this series are not the year they are read as");
  // The report lists the line that went wrong and counts the lines it shifted.
  const std::string report = results::checks_text(r, results::check_years(r));
  EXPECT_NE(report.find("series 1 (Station 1), line 12: year 1901 in the file, read as 1902: repeated year\n"
                        "    and 1 later line(s) shifted\n"),
            std::string::npos)
      << report;
}

TEST(YearWarnings, TenSeriesThenACount) {
  results::Run r;
  std::vector<Finding> found;
  for (int k = 1; k <= 13; ++k) {
    r.titles.push_back("S" + std::to_string(k));
    for (int line = 1; line <= 2; ++line) found.push_back({Kind::year_sequence, k, line, 1902, 1903, 0, {}, "skipped year"});
  }
  found.push_back({Kind::zero_sd, 1, {}, {}, {}, 1, 0.0, "every value in the common interval is the same"});
  const auto warnings = results::year_warnings("arborix", r, found);
  ASSERT_EQ(warnings.size(), 11U);
  EXPECT_NE(warnings[9].find("series 10 (S10)"), std::string::npos);
  EXPECT_EQ(warnings[10], "arborix: and 3 more series with years out of sequence");
}

}  // namespace
}  // namespace arb
