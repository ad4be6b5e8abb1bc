// SPDX-License-Identifier: GPL-3.0-or-later
// The reading side of the format engine: taking fields out of a record,
// converting them into items, and moving within the record.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "format.h"
#include "item.h"
#include "record.h"

namespace arb::rt {

// Carries out a descriptor that transfers no item while reading: T, TL,
// TR, X, quoted text (passed over), BN, BZ, kP, SP, SS, S, "$", ":".
// Record ends ("/") are the statement's.
void rposition_spec(InRecord& rec, const Descriptor& d, EditModes& modes);

// Takes the field for the data descriptor and converts it into the item
// (getinput, then riboz_edit, rdefg_edit, ra_edit, rl_edit or rq_edit).
// Throws IoError (IllegalNumeric, TypeMismatch, PastEor).
void read_item(InRecord& rec, const Descriptor& d, EditModes& modes, const InItem& item);
// read_item for a 4-byte real item, the monthly values of a data line.
void read_real4(InRecord& rec, const Descriptor& d, EditModes& modes, float& value);

// getinput: the next field of at most width characters; a comma ends an I,
// B, O, Z, F, E, D, ES, EN or G field early.  A short record gives what is
// left; on a record that is not padded that is PastEor instead.
std::string_view getinput(InRecord& rec, const Descriptor& d, std::size_t width);

// process_blanks: leading blanks and tabs dropped; the others dropped
// (blanks ignored) or made "0" (blank_zero), always dropped in a field that
// starts, after its sign, with I or N.
std::string process_blanks(std::string_view field, bool blank_zero);
// The same without a copy where the field needs no change: the result views
// the field or the scratch text.
std::string_view process_blanks(std::string_view field, bool blank_zero, std::string& scratch);

// A real number's text split by numcheck.  The digit views point into the
// checked text.
struct NumberParts {
  bool negative = false;
  std::string_view int_digits;    // digits before the point
  std::string_view frac_digits;   // digits after the point
  std::int64_t frac_zeros = 0;    // zeros between the point and frac_digits (insertdecimal)
  bool has_point = false;
  bool has_exponent = false;
  std::int64_t exponent = 0;      // the exponent field's value
};

// numcheck: optional sign, digits with at most one point, optional exponent
// (E, D or Q in either case with an optional sign, or a sign alone), digits.
// Missing digits read as zero, before the exponent too ("-E5" is zero).
// Under -relaxed_input the longest such beginning is taken and the rest may
// hold only digits, points, signs and exponent letters.  Throws
// IoError(IllegalNumeric).
NumberParts numcheck(std::string_view text, const InputOptions& opts = {});

// insertdecimal: a field without a point gets one so that the last d digits
// of its mantissa are fractional.
void insertdecimal(NumberParts& parts, std::int32_t d);

// The number syntax and conversion shared with free-format input: checks a
// real number's text (after the blanks step) and forms its value by the
// rules of ascii_dbl; d implied fraction digits and scale factor k apply
// only to formatted input (pass 0 and 0 for free format).  A field starting
// (after its sign) with I or N is infinity or not-a-number.
// Throws IoError(IllegalNumeric).
double read_real_text(std::string_view field, std::int32_t d, std::int32_t k, const InputOptions& opts = {});

// Integer text (optional sign, decimal digits) into an item of size bytes;
// throws IoError(IllegalNumeric), also for a value beyond the item's range.
std::int64_t read_int_text(std::string_view field, int size, const InputOptions& opts = {});

// ascii_dbl: the integer gathered from the mantissa digits times ten to the
// power exponent (the exponent field, less k and any zeros that
// insertdecimal put after the point), formed by one multiplication or
// division in double precision.  A zero mantissa gives +0.0.
double ascii_dbl(std::string_view int_digits, std::string_view frac_digits, std::int64_t exponent, bool negative);

// The double nearest to 10^n, 0 <= n <= 308, as ascii_dbl uses it.
double power_of_ten(int n);

// The double rounded to single precision; beyond the largest float it is
// the infinity that IEEE rounding gives.
float to_float(double x);

// Stores an integer or real value into an input item of its size; a value
// that does not fit an integer item is IoError(IllegalNumeric), an item of
// another kind or size IoError(TypeMismatch).
void store_int(const InItem& item, std::int64_t v);
void store_real(const InItem& item, double v);
void store_logical(const InItem& item, bool v);

}  // namespace arb::rt
