// SPDX-License-Identifier: GPL-3.0-or-later
// The data lines of a file unit read ahead: two stretches of the file's
// bytes from the unit's position on, the one the reader takes its lines
// from and the next, each line scanned as a data line of the layout.
// Helpers scan ahead of the reader (the next stretch while the reader
// takes this one), so that scanning and taking lines run side by side.
// Kept by the unit; worth nothing once the file is written or rewound,
// which its epoch tells.
#pragma once

#include <sys/types.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "ahead_helpers.h"
#include "file_unit.h"
#include "stretch.h"

namespace arb::rt {

// Where a line read ahead is held.
struct AheadPlace {
  const Stretch* stretch = nullptr;
  const Piece* piece = nullptr;
  std::size_t index = 0;

  explicit operator bool() const { return piece != nullptr; }
  const AheadLine& line() const { return piece->lines[index]; }
  std::string_view text() const { return stretch->text(line()); }
  const float* values(std::size_t reals) const { return piece->values.data() + index * reals; }
  // The data lines in a row from here on in the piece, at most `most`.
  std::size_t data_run(std::size_t most) const {
    const std::size_t last = std::min(piece->lines.size(), index + most);
    std::size_t i = index;
    while (i < last && piece->lines[i].kind == Scan::data) ++i;
    return i - index;
  }
};

class LinesAhead {
 public:
  ~LinesAhead();
  // Whether the lines are scanned for this layout: asked for every line, so
  // the sizes first.
  bool is_for(std::string_view format, std::string_view blank_first_format, std::size_t width,
              std::size_t reals) const {
    return layout_.width == width && layout_.reals == reals && layout_.format.size() == format.size() &&
           layout_.blank_first_format.size() == blank_first_format.size() &&
           std::equal(format.begin(), format.end(), layout_.format.begin()) &&
           std::equal(blank_first_format.begin(), blank_first_format.end(), layout_.blank_first_format.begin());
  }
  // Makes the layout the one lines are scanned for; what was read ahead
  // for another layout is dropped.
  void use(ScanLayout layout);
  // The line starting at the file's position, read ahead on a team of
  // `threads` if need be; none where the statements must read it (no whole
  // line there, or a failure to read ahead).
  AheadPlace at(const FileUnit& file, int threads);
  // The reader took `count` lines from the place on.
  void taken(const AheadPlace& place, std::size_t count) {
    hint_ = place.piece;
    hint_index_ = place.index + count;
  }

 private:
  Stretch& now() { return stretch_[now_.load(std::memory_order_relaxed)]; }
  Stretch& later() { return stretch_[now_.load(std::memory_order_relaxed) ^ 1]; }
  Stretch* move_to(const FileUnit& file, off_t pos, int threads);
  bool help();
  void drop();

  ScanLayout layout_;
  std::array<Stretch, 2> stretch_;
  std::atomic<unsigned> now_{0};  // the stretch the reader is in
  const Piece* hint_ = nullptr;   // where the line expected next is
  std::size_t hint_index_ = 0;
  std::uint64_t epoch_ = 0;
  AheadHelpers helpers_;  // last: stopped before the stretches go
};

}  // namespace arb::rt
