// SPDX-License-Identifier: GPL-3.0-or-later
// The columns of a data line's fields, worked out once per format: a format
// that is a flat list of I and F fields with written widths and moves
// (nX, Tn, TLn, TRn, quoted text) puts every item at a known column of a
// record of known length.  A data line of such a format can then be read
// field by field without walking the format again for every line (input's
// scan_fixed).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "format.h"

namespace arb::rt {

struct FlatField {
  std::size_t col = 0;  // 0-based
  std::size_t w = 0;
  std::int32_t d = 0;
};

struct FlatPlan {
  std::size_t reals = 0;       // the plan's items: one integer, then this many 4-byte reals
  std::size_t length = 0;      // of the record
  std::size_t reach = 0;       // the columns from the first to the end of the last field
  bool usable = false;         // false: the format needs the general statement
  std::vector<FlatField> fields;
};

// The plan of a translated format for an integer and `reals` 4-byte reals
// read from a record of `length` characters.  Not usable when anything but
// the fields and moves would take part (another descriptor, a field past
// the record, the end of the format before the last item, a "/" after it).
FlatPlan make_flat_plan(const CompiledFormat& compiled, std::size_t reals, std::size_t length);

}  // namespace arb::rt
