// SPDX-License-Identifier: GPL-3.0-or-later
// The window's text is bytes, as the program writes and reads them.  Bytes
// that form UTF-8 show as their characters (one cell each, as a terminal
// shows them); any other byte shows as the Latin-1 character of its value.
// Typed and pasted characters reach the program as their UTF-8 bytes.
#pragma once

#include <QString>
#include <cstddef>
#include <string>
#include <string_view>

namespace arb::win {

// The length of the character starting at byte `at`: a whole UTF-8 sequence,
// or 1 (ASCII, or a byte that does not start a valid sequence).
std::size_t char_length(std::string_view bytes, std::size_t at);
// The byte column of the character before byte column `col` (0 stays 0).
std::size_t char_before(std::string_view bytes, std::size_t col);

// The cell (shown column) of a byte column, and the byte column of a cell
// (past the end: the byte length plus the cells beyond).
std::size_t cell_of(std::string_view bytes, std::size_t col);
std::size_t byte_of(std::string_view bytes, std::size_t cell);

// The characters the bytes show, one QString element sequence per cell.
QString shown_text(std::string_view bytes);
// What a typed or pasted text sends: its UTF-8 bytes.
std::string typed_bytes(const QString& text);

}  // namespace arb::win
