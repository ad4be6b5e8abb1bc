// SPDX-License-Identifier: GPL-3.0-or-later
#include "utf8_text.h"

namespace arb::win {

namespace {

bool continuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// The code point of a valid sequence of `length` bytes at `at`.
char32_t decode(std::string_view bytes, std::size_t at, std::size_t length) {
  auto b = [&](std::size_t i) { return static_cast<unsigned char>(bytes[at + i]); };
  if (length == 1) return b(0);
  char32_t code = b(0) & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) code = (code << 6) | (b(i) & 0x3F);
  return code;
}

}  // namespace

std::size_t char_length(std::string_view bytes, std::size_t at) {
  const auto lead = static_cast<unsigned char>(bytes[at]);
  std::size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 1;
  if (lead >= 0xF5) length = 1;
  if (length == 1 || at + length > bytes.size()) return 1;
  for (std::size_t i = 1; i < length; ++i)
    if (!continuation(static_cast<unsigned char>(bytes[at + i]))) return 1;
  // Overlong forms, surrogates and code points beyond U+10FFFF are not text.
  const char32_t code = decode(bytes, at, length);
  if ((length == 3 && (code < 0x800 || (code >= 0xD800 && code <= 0xDFFF))) ||
      (length == 4 && (code < 0x10000 || code > 0x10FFFF)))
    return 1;
  return length;
}

std::size_t char_before(std::string_view bytes, std::size_t col) {
  col = std::min(col, bytes.size());
  if (col == 0) return 0;
  for (std::size_t k = 2; k <= 4 && k <= col; ++k)
    if (!continuation(static_cast<unsigned char>(bytes[col - k])) && char_length(bytes, col - k) == k)
      return col - k;
  return col - 1;
}

std::size_t cell_of(std::string_view bytes, std::size_t col) {
  std::size_t cell = 0, at = 0;
  while (at < col && at < bytes.size()) {
    at += char_length(bytes, at);
    ++cell;
  }
  return cell + (col > at ? col - at : 0);
}

std::size_t byte_of(std::string_view bytes, std::size_t cell) {
  std::size_t at = 0;
  while (cell > 0 && at < bytes.size()) {
    at += char_length(bytes, at);
    --cell;
  }
  return at + cell;
}

QString shown_text(std::string_view bytes) {
  QString out;
  out.reserve(static_cast<qsizetype>(bytes.size()));
  for (std::size_t at = 0; at < bytes.size();) {
    const std::size_t length = char_length(bytes, at);
    const char32_t code = decode(bytes, at, length);
    out += QString::fromUcs4(&code, 1);
    at += length;
  }
  return out;
}

std::string typed_bytes(const QString& text) { return text.toUtf8().toStdString(); }

}  // namespace arb::win
