// SPDX-License-Identifier: GPL-3.0-or-later
// Data lines taken straight from a file's bytes, without a statement, when
// they have the common shape: every field at the column the format's plan
// fixes and of the common numeric shape, or plain numbers between blanks in
// free format.  An answer given here is the general statement's for the
// line as the reader holds it (its first `width` columns, blank-padded), to
// the bit; a line of any other shape is left to the statement.  Pure
// functions: any number of threads may scan at once.  Each field is read
// by the one-pass reading of common fields (input_fast.h).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "flat_plan.h"

namespace arb::rt {

enum class Scan : std::uint8_t {
  data,     // read: the items hold the line's values
  blank,    // only blanks in the columns the reader holds
  other,    // no data line: its integer field holds a letter no integer field takes (a title line)
  unknown,  // not of the common shape: the statement decides (a title line, a damaged field)
};

// The widest line these scans take; a reader holding more is left to the statement.
inline constexpr std::size_t kScanWidth = 256;

// `line` is the record's bytes without its line end, holding no tab and no
// CR (the record layer would change such a line before a statement saw it).
// The plan's fields are an integer and plan.reals reals, for a record of
// plan.length == width columns.
Scan scan_fixed(std::string_view line, const FlatPlan& plan, std::int32_t& integer, float* reals);

// Free format: a real and `reals` reals, plain numbers between blanks.
Scan scan_free(std::string_view line, std::size_t width, float& first, float* reals, std::size_t reals_count);

// The year of a free-format line: its real truncated toward zero.  A value
// beyond 32 bits is given as the largest year, which no series can hold.
std::int32_t truncated_year(float y);

}  // namespace arb::rt
