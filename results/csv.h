// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the export's CSV files (RFC 4180, LF line ends, bytes
// passed through as read) and the writing of a file whole.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace arb::results {

// A field: quoted, with quotes doubled, when it holds a comma, a quote or
// a line end.
std::string csv_field(std::string_view text);

// A 32-bit value with the fewest digits that read back to the same float;
// NA for the missing-value flag and for NaN; Inf and -Inf.
std::string csv_value(float v, float flag);

// The same without a flag: NA only for NaN.
std::string csv_number(float v);

// Writes the text to dir/name through a temporary file renamed into
// place, so that no half-written file is ever left under the name.
// Returns the failure's message (path and the system's text), if any.
std::optional<std::string> write_whole(const std::string& dir, const std::string& name, std::string_view text);

// Creates the folder and its parents where missing.
std::optional<std::string> make_folder(const std::string& dir);

}  // namespace arb::results
