// SPDX-License-Identifier: GPL-3.0-or-later
#include "store.h"

#include <sys/mman.h>

#include <cstring>

namespace arb {

namespace {

// The bytes of one series' values: whole pages, so that the next series
// starts on a page of its own.
std::size_t series_bytes(int nvars) {
  const std::size_t bytes = static_cast<std::size_t>(nvars) * kYearSlots * sizeof(float);
  return (bytes + kPage - 1) / kPage * kPage;
}

}  // namespace

// Each series is its own mapping: zero-filled, page-aligned, and taking no
// more than its own pages, so that the run's memory stays the values it
// holds, with nothing copied as the series arrive.
bool SeriesStore::make_room(int k, int nvars) {
  const int wanted = nvars > 0 ? nvars : 1;
  if (room_[k - 1] >= wanted) return true;
  void* values = ::mmap(nullptr, series_bytes(wanted), PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (values == MAP_FAILED) return false;
  if (values_[k - 1] != nullptr) ::munmap(values_[k - 1], series_bytes(room_[k - 1]));
  values_[k - 1] = static_cast<float*>(values);
  room_[k - 1] = wanted;
  return true;
}

void SeriesStore::release() {
  for (int k = 1; k <= kSeriesSlots; ++k) {
    if (values_[k - 1] != nullptr) ::munmap(values_[k - 1], series_bytes(room_[k - 1]));
    values_[k - 1] = nullptr;
    room_[k - 1] = 0;
  }
}

void SeriesStore::clear() {
  std::memset(spans_, 0, sizeof spans_);
  std::memset(titles_, 0, sizeof titles_);
  std::memset(means_, 0, sizeof means_);
  std::memset(sds_, 0, sizeof sds_);
  nseries = 0;
  nvars = 0;
  flag = 0.0f;
}

}  // namespace arb
