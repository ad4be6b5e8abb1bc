// SPDX-License-Identifier: GPL-3.0-or-later
// Climate variables of one series: the lag of the mask, the label of each
// climatic year, and the seasons by sum or average.
#include "makevars.h"

#include <sys/mman.h>

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "refuse.h"
#include "store.h"

namespace arb {

namespace {

// A mask of 60 positions gives at most 60 variables: every one has a slot.
static_assert(kMaskMax <= kVarSlots);

bool fits_16(std::int64_t year) {
  return year >= std::numeric_limits<std::int16_t>::min() && year <= std::numeric_limits<std::int16_t>::max();
}

// Makes the pages of a series' values resident in one call before they are
// written: a first write to each page one by one costs a fault per page,
// which on a virtual machine is most of the time of the write.  Only a
// hint: a failure changes nothing.
void prefault(float* from, float* to) {
#ifdef MADV_POPULATE_WRITE
  const auto page = static_cast<std::uintptr_t>(kPage);
  const auto start = reinterpret_cast<std::uintptr_t>(from) & ~(page - 1);
  const auto end = reinterpret_cast<std::uintptr_t>(to);
  if (end > start) (void)::madvise(reinterpret_cast<void*>(start), end - start, MADV_POPULATE_WRITE);
#else
  (void)from;
  (void)to;
#endif
}

// A mask without seasons: every selected month a variable of its own, its
// value the month added to a zero sum (so -0.0 reads +0.0, as a season of
// one month gives it), or the flag.  The general loop below gives the same
// values; this one writes each variable's column straight through.
void months_as_variables(SeriesStore& store, int ns, std::span<const float> months, int years, ClimateMask& mask) {
  std::array<int, kMaskMax> picked{};
  int nvars = 0;
  for (int p = 1; p <= mask.length; ++p) {
    if (mask.at(p) == '0') continue;
    mask.at(p) = '2';
    picked[static_cast<std::size_t>(nvars++)] = p - 1;
  }
  const float flag = store.flag;
  for (int j = 1; j <= nvars; ++j) {
    float* column = store.column(j, ns);
    const float* month = months.data() + picked[static_cast<std::size_t>(j - 1)];
    for (int i = 0; i < years; ++i, month += 12) column[i] = *month == flag ? flag : 0.0f + *month;
  }
  store.nvars = nvars;
}

// A mask with seasons: each 2 or 3 closes a season of the months selected
// since the last one, their sum or their mean; a month missing in it makes
// the season missing.  Months after the last season belong to none.  The
// sums take the months in mask order, in single precision.
struct Season {
  std::array<int, kMaskMax> months{};  // positions in the climatic year's months, 0-based
  int count = 0;
  bool mean = false;
};

void seasons_as_variables(SeriesStore& store, int ns, std::span<const float> months, int lines, int years,
                          const ClimateMask& mask) {
  std::array<Season, kMaskMax> seasons{};
  int nvars = 0;
  Season open;
  for (int p = 1; p <= mask.length; ++p) {
    const char c = mask.at(p);
    if (c == '0') continue;
    open.months[static_cast<std::size_t>(open.count++)] = p - 1;
    if (c != '2' && c != '3') continue;  // askmask admits only 0 to 3
    open.mean = c == '3';
    seasons[static_cast<std::size_t>(nvars++)] = open;
    open = Season{};
  }
  // The months calendar month by calendar month: position p of climatic
  // year i is then element i of a run, and each season is summed for every
  // year at once, each year's sum still taking its months in mask order.
  const auto n = static_cast<std::size_t>(lines);
  const auto by_month = std::make_unique_for_overwrite<float[]>(12 * n);
  for (std::size_t l = 0; l < n; ++l)
    for (std::size_t m = 0; m < 12; ++m) by_month[m * n + l] = months[l * 12 + m];
  const auto count = static_cast<std::size_t>(years);
  std::vector<float> sum(count);
  std::vector<unsigned char> missing(count);
  const float flag = store.flag;
  for (int j = 1; j <= nvars; ++j) {
    const Season& season = seasons[static_cast<std::size_t>(j - 1)];
    std::fill(sum.begin(), sum.end(), 0.0f);
    std::fill(missing.begin(), missing.end(), 0);
    for (int q = 0; q < season.count; ++q) {
      const auto p = static_cast<std::size_t>(season.months[static_cast<std::size_t>(q)]);
      const float* month = by_month.get() + (p % 12) * n + p / 12;
      // A missing month's flag may enter the sum: the season is the flag
      // then.  Years apart from each other: one lane each.
#pragma omp simd
      for (std::size_t i = 0; i < count; ++i) {
        missing[i] |= static_cast<unsigned char>(month[i] == flag);
        sum[i] += month[i];
      }
    }
    float* column = store.column(j, ns);
    const float months_in_season = static_cast<float>(season.count);
#pragma omp simd
    for (std::size_t i = 0; i < count; ++i) {
      const float value = season.mean ? sum[i] / months_in_season : sum[i];
      column[i] = missing[i] ? flag : value;
    }
  }
  store.nvars = nvars;
}

}  // namespace

int mask_vars(const ClimateMask& mask) {
  int n = 0;
  for (int p = 1; p <= mask.length; ++p) {
    const char c = mask.at(p);
    if (mask.SEASON ? c == '2' || c == '3' : c != '0') ++n;
  }
  return n;
}

void makevars(SeriesStore& store, int ns, std::span<const float> months, int n, int first_year, ClimateMask& mask) {
  const int lag = mask_lag(mask.length);
  const int years = n - lag;
  // In 64 bits: a year read from the data may lie anywhere in 32 bits.
  const std::int64_t f0 = first_year;
  std::int64_t first = f0;
  std::int64_t last = f0 + n - 1 - lag;
  if (mask.first <= 12) {  // the selection begins in the span's first year: earlier months lag
    first = f0 + lag;
    last = f0 + n - 1;
  }
  if (!fits_16(first) || !fits_16(last)) {
    refuse_data("YEAR OUT OF RANGE! SERIES " + std::to_string(ns) + " HAS A YEAR OUTSIDE -32768 TO 32767!");
  }
  store.span(ns, 1) = static_cast<std::int16_t>(first);
  store.span(ns, 2) = static_cast<std::int16_t>(last);
  store.span(ns, 3) = static_cast<std::int16_t>(years);

  const int vars = mask_vars(mask);
  if (!store.make_room(ns, vars)) {
    refuse_data("OUT OF MEMORY! NO ROOM FOR THE VALUES OF SERIES " + std::to_string(ns) + "!");
  }
  if (vars > 0 && years > 0) prefault(store.column(1, ns), store.column(vars, ns) + years);

  if (years <= 0) return;
  if (mask.SEASON) {
    seasons_as_variables(store, ns, months, n, years, mask);
  } else {
    months_as_variables(store, ns, months, years, mask);
  }
}

}  // namespace arb
