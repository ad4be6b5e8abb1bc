// SPDX-License-Identifier: GPL-3.0-or-later
// The common shape of a numeric data field, read in one pass: blanks, an
// optional sign, digits with at most one point, blanks.  Climate files are
// millions of such fields.  Anything else (inner blanks, exponents, letters,
// long digit strings) is left to the general path of getinput's callers,
// and where the fast path answers, its value is the general path's to the
// last bit.
#pragma once

#include <cstdint>
#include <string_view>

#include "record.h"

namespace arb::rt {

// A real field under d implied fraction digits and scale factor k; false
// when the field is not of the common shape.
bool fast_real(std::string_view field, bool blank_zero, std::int32_t d, std::int32_t k, double& value);

// An Fw.d field of w > 0 taken from the record at its position, as
// getinput and the real edit would take it, into a 4-byte real.  False,
// with the record untouched, when the field is not of the common shape
// (a comma in it included) or would run past the end of the record.
bool fast_f_field(InRecord& rec, std::int32_t w, std::int32_t d, const EditModes& modes, float& value);

// A decimal integer field; false when the field is not of the common shape.
bool fast_int(std::string_view field, bool blank_zero, std::int64_t& value);

}  // namespace arb::rt
