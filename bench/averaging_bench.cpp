// SPDX-License-Identifier: GPL-3.0-or-later
// The averaging steps of a run on a full store, without the reading and the
// output: alignment, series statistics, grand statistics and the averaged
// record, for 8999 series of 500 years and 12 variables, checked
// against the year-by-year average.
//
//   averaging_bench [series] [years] [method]
#include <bit>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <random>

#include "align.h"
#include "coverage.h"
#include "omp_team.h"
#include "statistics.h"
#include "driver.h"
#include "store.h"
#include "tests/support/average_by_year.h"

namespace {

double seconds_since(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// A store as a program's: static and zero-filled.
arb::SeriesStore bench_store;

}  // namespace

int main(int argc, char** argv) {
  using namespace arb;
  const int nseries = argc > 1 ? std::atoi(argv[1]) : kSeriesMax;
  const int years = argc > 2 ? std::atoi(argv[2]) : kYearSlots;
  const auto method = static_cast<Method>(argc > 3 ? std::atoi(argv[3]) : 3);
  if (nseries < 1 || nseries > kSeriesMax || years < 1 || years > kYearSlots) return 2;

  // The team is tried before the store fills, as the reader does: a trial
  // on a full store would time the copy of its page tables.
  omp_team();
  SeriesStore& s = bench_store;
  std::mt19937 rng(1);
  std::uniform_int_distribution<int> len(years / 2, years);
  std::normal_distribution<float> noise(10.0F, 2.0F);
  s.nseries = nseries;
  s.nvars = 12;
  s.flag = -99.9F;
  for (int k = 1; k <= nseries; ++k) {
    if (!s.make_room(k, 12)) return 3;
    const int n = len(rng);
    const int first = 1500 + static_cast<int>(rng() % static_cast<unsigned>(years - n + 1));
    s.span(k, 1) = static_cast<std::int16_t>(first);
    s.span(k, 2) = static_cast<std::int16_t>(first + n - 1);
    s.span(k, 3) = static_cast<std::int16_t>(n);
    for (int j = 1; j <= 12; ++j)
      for (int i = 1; i <= n; ++i) s.value(i, j, k) = rng() % 20 == 0 ? s.flag : noise(rng);
  }

  auto t0 = std::chrono::steady_clock::now();
  // Statistics over the whole coverage, so that random spans still give
  // defined means and deviations.
  Coverage c = find_coverage(s);
  c.start = c.earliest_first;
  c.end = c.latest_last;
  c.interval = c.length;
  for (int k = 1; k <= nseries; ++k) {
    align(s, k, c.earliest_first);
    series_statistics(s, k, c);
  }
  grand_statistics(s);
  const double prep = seconds_since(t0);

  t0 = std::chrono::steady_clock::now();
  const AveragedRecord record = average_record(s, c, method);
  const double avg = seconds_since(t0);

  // The year-by-year average, the plain reading of the method: the same
  // values to the bit.
  t0 = std::chrono::steady_clock::now();
  long differ = 0;
  for (int i = 1; i <= c.length; ++i) {
    const auto by_year = testing::average_year(s, i, c, method);
    for (int j = 1; j <= s.nvars; ++j) {
      const float row = record.rows[static_cast<std::size_t>((i - 1) * s.nvars + j - 1)];
      if (std::bit_cast<std::uint32_t>(row) != std::bit_cast<std::uint32_t>(by_year[j - 1])) ++differ;
    }
  }
  const double by_year = seconds_since(t0);
  std::printf("%d series, %d years: alignment and statistics %.3f s, averaged record %.3f s, year by year %.3f s\n",
              nseries, c.length, prep, avg, by_year);
  std::printf("values differing from the year-by-year average: %ld\n", differ);
  return differ == 0 ? 0 : 1;
}
