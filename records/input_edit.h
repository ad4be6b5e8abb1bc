// The reading side of the format engine: taking fields out of a record,
// converting them into items, and moving within the record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "records/format.h"
#include "records/item.h"
#include "records/record.h"

namespace arb::rt {

// Carries out a descriptor that transfers no item while reading: T, TL,
// TR, X, quoted text (passed over), BN, BZ, kP, SP, SS, S, "$", ":".
// Record ends ("/") are the statement's.
void rposition_spec(InRecord& rec, const Descriptor& d, EditModes& modes);

// Takes the field for the data descriptor and converts it into the item
// (getinput, then riboz_edit, rdefg_edit, ra_edit, rl_edit or rq_edit).
// Throws IoError (IllegalNumeric, TypeMismatch, PastEor).
void read_item(InRecord& rec, const Descriptor& d, EditModes& modes, const InItem& item);

// getinput: the next field of at most w characters; a comma ends a numeric
// field early.
std::string_view getinput(InRecord& rec, const Descriptor& d, std::size_t width);

// The number syntax and conversion shared with free-format input: checks a
// real number's text (after the blanks step) and forms its value by the
// rules of ascii_dbl; d implied fraction digits and scale factor k apply
// only to formatted input (pass 0 and 0 for free format).
// Throws IoError(IllegalNumeric).
double read_real_text(std::string_view field, std::int32_t d, std::int32_t k);

// Integer text (optional sign, decimal digits) into an item of size bytes;
// throws IoError(IllegalNumeric).
std::int64_t read_int_text(std::string_view field, int size);

// ascii_dbl: the mantissa digits (no point), the count of fraction digits
// among them, and the decimal exponent, formed into a double.
double ascii_dbl(std::string_view digits, int fraction_digits, int exponent, bool negative);

// Stores an integer or real value into an input item of its size.
void store_int(const InItem& item, std::int64_t v);
void store_real(const InItem& item, double v);

}  // namespace arb::rt
