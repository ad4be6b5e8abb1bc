// SPDX-License-Identifier: GPL-3.0-or-later
// The writing side of the format engine: positioning and text in the
// record being written, and the conversion of one item into its field.
#pragma once

#include <cstdint>

#include "format.h"
#include "item.h"
#include "record.h"

namespace arb::rt {

// Carries out a descriptor that transfers no item: T, TL, TR, X, quoted
// text, SP, SS, BN, BZ, kP, "$", ":" and Q.  Record ends ("/") are the
// statement's.
void wposition_spec(OutRecord& rec, const Descriptor& d, EditModes& modes);

// Converts one item with the data descriptor that setformat delivered
// (widths already taken from the item where none was written).  Throws
// IoError(TypeMismatch) where the item and the descriptor do not fit.
void write_item(OutRecord& rec, const Descriptor& d, const EditModes& modes, const OutItem& item);

// The conversions themselves.
void wiboz_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, std::int64_t v);
void wf_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, double v, int size);
void wa_edit(OutRecord& rec, const Descriptor& d, std::string_view item);
// E, D, ES and EN with the digit string and rounding of F.
void we_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, double v, int size);
// G: an F field and blanks, or an E field, for a real; I, L or A otherwise.
void wg_edit(OutRecord& rec, const Descriptor& d, const EditModes& modes, const OutItem& item);

// The first significant decimal digits of |v| (8 for a 4-byte real, 17 for
// an 8-byte real), cut off, not rounded, then zeros up to 20 characters;
// exp receives the number of digits before the decimal point.
// Taken from the number rounded to a few more digits where that shows the
// cut, from its exact expansion (exact_digits) where it does not.
void dbl_ascii(double v, int significant, char digits[20], int& exp);
void exact_digits(double v, int significant, char digits[20], int& exp);

}  // namespace arb::rt
