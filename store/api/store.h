// SPDX-License-Identifier: GPL-3.0-or-later
// The series store: every value of the run.  Indices in the accessors are
// 1-based, and in every table the first index varies fastest.  The value
// array takes memory series by series, as the reader meets them, for the
// variables the mask gives; the other tables are small and fixed, zero-
// filled for the whole run.
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

// Each series' values start on a page of their own, so that making them
// resident in one call (the reader does) touches no other series.
inline constexpr std::size_t kPage = 4096;

class SeriesStore {
 public:
  constexpr SeriesStore() = default;
  ~SeriesStore() { release(); }
  SeriesStore(const SeriesStore&) = delete;
  SeriesStore& operator=(const SeriesStore&) = delete;

  // Gives series k room for nvars variables of kYearSlots years, zero-
  // filled, unless it has that room already (its values are then kept).
  // False when the memory cannot be had.
  bool make_room(int k, int nvars);
  // The variables series k has room for (0 before make_room).
  int room(int k) const { return room_[k - 1]; }
  // Gives back the memory of every series' values (a store used for
  // several runs, as the tests do).
  void release();
  // Back to the store a fresh process starts with, except the values'
  // memory: their slots are read only within each series' span, which
  // every run writes anew.
  void clear();

  // value(i, j, k): variable j of series k in year slot i; column(j, k)
  // the slots 1.. of variable j.  Series k must have room for j.
  float& value(int i, int j, int k) { return column(j, k)[i - 1]; }
  float* column(int j, int k) { return values_[k - 1] + static_cast<std::size_t>(j - 1) * kYearSlots; }
  // span(k, c): c = 1 first climatic year, 2 last climatic year, 3 number of years.
  std::int16_t& span(int k, int c) { return spans_[c - 1][k - 1]; }
  Title& title(int k) { return titles_[k - 1]; }
  // mean(k, j), sd(k, j): row series count + 1 holds the grand values.
  float& mean(int k, int j) { return means_[j - 1][k - 1]; }
  float& sd(int k, int j) { return sds_[j - 1][k - 1]; }

  float value(int i, int j, int k) const { return column(j, k)[i - 1]; }
  const float* column(int j, int k) const {
    return values_[k - 1] + static_cast<std::size_t>(j - 1) * kYearSlots;
  }
  std::int16_t span(int k, int c) const { return spans_[c - 1][k - 1]; }
  const Title& title(int k) const { return titles_[k - 1]; }
  float mean(int k, int j) const { return means_[j - 1][k - 1]; }
  float sd(int k, int j) const { return sds_[j - 1][k - 1]; }

  std::int32_t nseries = 0;
  std::int32_t nvars = 0;
  float flag = 0.0f;  // the missing-value flag

 private:
  std::int16_t spans_[3][kSeriesSlots]{};
  Title titles_[kSeriesSlots]{};
  float means_[kVarSlots][kSeriesSlots]{};
  float sds_[kVarSlots][kSeriesSlots]{};
  std::array<float*, kSeriesSlots> values_{};  // series k's values at values_[k - 1]
  std::array<int, kSeriesSlots> room_{};
};

}  // namespace arb
