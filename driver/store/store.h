// The series store: every value of the run, in fixed tables that exist,
// zero-filled, for the whole run.  Indices in the accessors are 1-based,
// and in every table the first index varies fastest.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace arb {

inline constexpr int kYearSlots = 500;     // first dimension of the value array
inline constexpr int kVarSlots = 60;       // the most a 60-month mask can give
inline constexpr int kSeriesSlots = 9000;  // one statistics row beyond the last series
inline constexpr int kSeriesMax = 8999;    // announced series capacity
inline constexpr int kPrintedVars = 12;    // values on the first line of every row

using Title = std::array<char, 80>;

// The values of one series: variable j's year slots in v[j - 1].  Each
// series starts on a page of its own, so that a series with few variables
// makes resident only the pages those variables fill.
inline constexpr std::size_t kPage = 4096;
struct alignas(kPage) SeriesValues {
  float v[kVarSlots][kYearSlots];
};

struct SeriesStore {
  // value(i, j, k): variable j of series k in year slot i.
  SeriesValues values[kSeriesSlots];
  // span(k, c): c = 1 first climatic year, 2 last climatic year, 3 number of years.
  std::int16_t spans[3][kSeriesSlots];
  Title titles[kSeriesSlots];
  // mean(k, j), sd(k, j): row series count + 1 holds the grand values.
  float means[kVarSlots][kSeriesSlots];
  float sds[kVarSlots][kSeriesSlots];
  float average[kVarSlots];

  std::int32_t nseries;
  std::int32_t nvars;
  float flag;  // the missing-value flag

  float& value(int i, int j, int k) { return values[k - 1].v[j - 1][i - 1]; }
  float* column(int j, int k) { return values[k - 1].v[j - 1]; }  // slots 1.. of variable j
  std::int16_t& span(int k, int c) { return spans[c - 1][k - 1]; }
  Title& title(int k) { return titles[k - 1]; }
  float& mean(int k, int j) { return means[j - 1][k - 1]; }
  float& sd(int k, int j) { return sds[j - 1][k - 1]; }
  float& avg(int j) { return average[j - 1]; }

  float value(int i, int j, int k) const { return values[k - 1].v[j - 1][i - 1]; }
  const float* column(int j, int k) const { return values[k - 1].v[j - 1]; }
  std::int16_t span(int k, int c) const { return spans[c - 1][k - 1]; }
  const Title& title(int k) const { return titles[k - 1]; }
  float mean(int k, int j) const { return means[j - 1][k - 1]; }
  float sd(int k, int j) const { return sds[j - 1][k - 1]; }
  float avg(int j) const { return average[j - 1]; }
};

}  // namespace arb
