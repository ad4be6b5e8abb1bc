// SPDX-License-Identifier: GPL-3.0-or-later
// The data lines of a file unit read ahead: the lines in the unit's buffer
// from its position on, each scanned as a data line of the layout, on the
// layout's team of threads.  Kept by the unit; worth nothing once the unit
// does anything else than take these lines in order (or step back one),
// which the file's position and epoch tell.
#pragma once

#include <sys/types.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
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

class LinesAhead {
 public:
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
  // The line starting at the file's position, if it was read ahead.
  const AheadLine* at(const FileUnit& file);
  // Reads the lines ahead of the file's position: those complete in the
  // next stretch of its bytes.
  void read_ahead(FileUnit& file, int threads);
  const float* values(const AheadLine& l) const { return values_.data() + (&l - lines_.data()) * layout_.reals; }

 private:
  void find_lines(std::string_view bytes, off_t base, int threads);
  void scan(std::string_view bytes, int threads);

  ScanLayout layout_;
  std::vector<AheadLine> lines_;
  std::vector<float> values_;  // layout_.reals per line
  std::size_t next_ = 0;       // the line expected next
  std::uint64_t epoch_ = 0;
  std::vector<std::vector<std::uint32_t>> starts_;  // each team member's line starts
};

}  // namespace arb::rt
