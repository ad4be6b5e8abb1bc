// SPDX-License-Identifier: GPL-3.0-or-later
// A stretch of a file's bytes read ahead, cut into pieces: the lines that
// start in a piece's bytes are found and scanned as data lines by whichever
// thread claims the piece first, a helper ahead of the reader or the reader
// itself when it reaches a piece nobody has taken.  Only the reader fills,
// opens and closes a stretch; helpers only claim pieces of an open one.
#pragma once

#include <sys/types.h>

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data_line_scan.h"
#include "file_unit.h"
#include "flat_plan.h"

namespace arb::rt {

// What the scan of a layout needs: the plans of its formats (none: free
// format), the columns a line is held in and the number of reals.
struct ScanLayout {
  std::string format, blank_first_format;  // as the program wrote them
  std::size_t width = 0, reals = 0;
  FlatPlan plan, blank_first_plan;
};

struct AheadLine {
  off_t start = 0;          // in the file
  std::uint32_t bytes = 0;  // with its LF
  Scan kind = Scan::unknown;
  std::int32_t year = 0;    // free format: the first value, truncated toward zero
};

// The lines that start in a piece's bytes, in order, and their values
// (layout.reals a line).  Written by its claimer, read once done.
struct Piece {
  std::vector<AheadLine> lines;
  std::vector<float> values;
  std::atomic<bool> done{false};
};

class Stretch {
 public:
  static constexpr std::size_t kBytes = std::size_t{1} << 19;  // some eight thousand lines
  static constexpr std::size_t kPieceBytes = std::size_t{1} << 14;

  // Reads the bytes from `base` on and opens the pieces to claims; the
  // stretch must be closed.  Only whole lines are taken: the stretch ends
  // after the last line end in its bytes.
  void fill(const FileUnit& file, off_t base);
  // No more claims; waits for the pieces in hand.  Then nothing reads the
  // stretch but the reader.
  void close();
  // Claims and scans the next piece nobody has taken; false if none is left.
  bool scan_next(const ScanLayout& layout);
  // The scanned piece holding the line that starts at pos (which holds()),
  // claiming pieces up to it or waiting for the helper that has it.
  const Piece& piece_at(off_t pos, const ScanLayout& layout);

  bool holds(off_t pos) const { return pos >= base_ && pos < end_; }
  off_t end() const { return end_; }
  // Whether the file may go on after the stretch: its bytes filled it.
  bool full() const { return read_ == kBytes; }
  std::string_view text(const AheadLine& l) const {
    return {bytes_.get() + (l.start - base_), l.bytes - 1};
  }

 private:
  static constexpr std::size_t kPieces = kBytes / kPieceBytes;
  static constexpr std::size_t kClosed = std::size_t{1} << 40;
  void scan_piece(std::size_t k, const ScanLayout& layout);

  std::unique_ptr<char[]> bytes_;
  std::size_t read_ = 0;  // bytes read
  off_t base_ = 0, end_ = 0;
  std::atomic<std::size_t> pieces_{0};  // in use; read by helpers before a claim succeeds
  std::array<Piece, kPieces> piece_;
  std::atomic<std::size_t> next_{kClosed};  // the piece claimed next
};

}  // namespace arb::rt
