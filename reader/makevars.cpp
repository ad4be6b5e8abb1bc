// SPDX-License-Identifier: GPL-3.0-or-later
// Climate variables of one series: the lag of the mask, the label of each
// climatic year, and the seasons by sum or average.
#include "makevars.h"

#include <sys/mman.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>

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

  if (!mask.SEASON && years > 0) {
    months_as_variables(store, ns, months, years, mask);
    return;
  }
  const float flag = store.flag;
  for (int i = 1; i <= years; ++i) {
    const float* year_months = months.data() + static_cast<std::ptrdiff_t>(i - 1) * 12;
    int nvars = 0;
    float sum = 0.0f;
    int count = 0;
    int missing = 0;
    for (int p = 1; p <= mask.length; ++p) {
      char c = mask.at(p);
      if (c == '0') continue;
      const float month = year_months[p - 1];
      ++count;
      if (!mask.SEASON) {  // every selected month a variable of its own, from now on
        mask.at(p) = '2';
        c = '2';
      }
      if (month == flag) {
        ++missing;
      } else {
        sum += month;
      }
      if (c != '2' && c != '3') continue;  // askmask admits only 0 to 3
      float value = c == '2' ? sum : sum / static_cast<float>(count);
      if (missing > 0) value = flag;
      ++nvars;
      store.value(i, nvars, ns) = value;
      sum = 0.0f;
      count = 0;
      missing = 0;
    }
    store.nvars = nvars;
  }
}

}  // namespace arb
