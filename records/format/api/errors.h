// SPDX-License-Identifier: GPL-3.0-or-later
// Failures of input/output statements: the numbered run-time errors with
// their messages, and the operating-system errors reported by their errno.
#pragma once

#include <string>
#include <string_view>

namespace arb::rt {

enum class Err : int {
  NotOpenRead = 10000,
  NotOpenWrite = 10001,
  BufferAlloc = 10004,
  BadIolist = 10005,
  FormatError = 10006,
  IllegalRepeat = 10007,
  HollerithCount = 10008,
  MissingOpen = 10009,
  UnmatchedParens = 10010,
  UnmatchedQuotes = 10011,
  NonRepeatable = 10012,
  PastEof = 10013,
  BadFileSpec = 10014,
  GroupOverflow = 10015,
  IllegalNumeric = 10016,
  TypeMismatch = 10022,
  BadUnit = 10029,
  StatusNew = 10032,
  PastEor = 10038,
};

// The message of a numbered run-time error ("" for a number not in the table).
std::string_view message(Err e);

// One failure: a run-time error of the table, or an operating-system error.
// Thrown by the edit routines and caught by the statement, which turns it
// into the error outcome or the run-time error report.
struct IoError {
  int code = 0;        // the Err number, or errno for a system error
  bool system = false;
  std::string text;    // the message shown in the report

  static IoError runtime(Err e);
  static IoError os(int errnum);
};

// Thrown when a read runs out of input (end of file, end of an internal
// field, end of console input).  The statement turns it into the end outcome.
struct EndOfInput {};

}  // namespace arb::rt
