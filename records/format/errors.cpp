// SPDX-License-Identifier: GPL-3.0-or-later
#include "errors.h"

#include <array>
#include <cstring>

namespace arb::rt {

namespace {
struct Entry {
  Err err;
  std::string_view text;
};

constexpr std::array kMessages{
    Entry{Err::NotOpenRead, "File not open for read"},
    Entry{Err::NotOpenWrite, "File not open for write"},
    Entry{Err::BufferAlloc, "Buffer allocation failed"},
    Entry{Err::BadIolist, "Bad iolist specifier"},
    Entry{Err::FormatError, "Error in format string"},
    Entry{Err::IllegalRepeat, "Illegal repeat count"},
    Entry{Err::HollerithCount, "Hollerith count exceeds remaining format string"},
    Entry{Err::MissingOpen, "Format string missing opening ("},
    Entry{Err::UnmatchedParens, "Format string has unmatched parens"},
    Entry{Err::UnmatchedQuotes, "Format string has unmatched quotes"},
    Entry{Err::NonRepeatable, "Non-repeatable format descriptor"},
    Entry{Err::PastEof, "Attempt to read past end of file"},
    Entry{Err::BadFileSpec, "Bad file specification"},
    Entry{Err::GroupOverflow, "Format group table overflow"},
    Entry{Err::IllegalNumeric, "Illegal character in numeric input"},
    Entry{Err::TypeMismatch, "Variable type or size does not match edit descriptor"},
    Entry{Err::BadUnit, "Unconnected or illegal unit specified"},
    Entry{Err::StatusNew, "Status 'NEW' specified for an existing file"},
    Entry{Err::PastEor, "Attempt to read past end of record"},
};
}  // namespace

std::string_view message(Err e) {
  for (const auto& m : kMessages)
    if (m.err == e) return m.text;
  return {};
}

IoError IoError::runtime(Err e) { return {static_cast<int>(e), false, std::string(message(e))}; }

IoError IoError::os(int errnum) { return {errnum, true, std::strerror(errnum)}; }

}  // namespace arb::rt
