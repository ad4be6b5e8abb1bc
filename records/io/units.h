// SPDX-License-Identifier: GPL-3.0-or-later
// The record layer's process-wide state: the console host, the run-time
// options and the table of connected units, with the one lock that
// serialises statements.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "console_host.h"
#include "errors.h"
#include "file_unit.h"
#include "format_cache.h"
#include "lines_ahead.h"
#include "record.h"
#include "runtime_options.h"

namespace arb::rt {

struct Unit {
  enum class Kind { Console, File };
  int number = 0;
  Kind kind = Kind::Console;
  bool can_read = true;
  bool can_write = true;
  bool carriage = false;    // carriage control (console units under -defaultcarriage)
  bool blank_zero = false;  // blanks in numeric fields read as zeros
  std::unique_ptr<FileUnit> file;
  std::unique_ptr<LinesAhead> ahead;  // data lines read ahead of the file's position
};

// A failure while flushing or closing a file, with its unit.
struct CloseFailure {
  int unit = 0;
  IoError error;
};

class UnitTable {
 public:
  // The unit for a statement, connecting a preconnected console unit or a
  // default file on first use; throws IoError (BadUnit, system errors).
  Unit& find_or_connect(int number);
  Unit* find(int number);
  Unit& connect(int number, std::unique_ptr<FileUnit> file);
  // Flushes and closes every file; the first failure, if any.
  std::optional<CloseFailure> close_all();
  // Writes every file's pending records before the console waits; a
  // failure is kept by its unit and reported where it is flushed next.
  void flush_before_wait();
  // The name of the file last connected to a unit in this run, kept after
  // the file is closed (the host names the output file after the stop).
  std::string file_name(int number) const;
  void forget_file_names() { names_.clear(); }

 private:
  std::vector<std::unique_ptr<Unit>> units_;
  std::vector<std::pair<int, std::string>> names_;
};

struct RecordLayer {
  ConsoleHost* host = nullptr;
  RuntimeOptions options;
  bool started = false;
  UnitTable units;
  FormatCache formats;
  std::recursive_mutex io_lib_mutex;
  std::string answers;  // every line read from the console in this run, as read

  // Reads the run-time options at the first statement and writes the
  // warning for an unknown one.
  void start();
  // The options of input editing, as every statement starts with them.
  InputOptions input_options() const { return {options.relaxed_input, options.strict_nan_input}; }
  // At the start of every statement: start(), then the run ends here if a
  // signal asked for it, then the host's events.
  void begin_statement();
};

RecordLayer& layer();

// The start of every statement, held for its length: the lock taken, the
// layer started (the options read at the first statement) and the host's
// events handled.
class StatementStart {
 public:
  StatementStart() : layer_(rt::layer()), lock_(layer_.io_lib_mutex) {
    layer_.begin_statement();
  }
  RecordLayer& layer() const { return layer_; }

 private:
  RecordLayer& layer_;
  std::unique_lock<std::recursive_mutex> lock_;
};

// Text of a unit in the error report: the number, "*" or "INTERNAL".
std::string unit_text(int number, bool internal);

// The run-time error report: every file flushed and closed, then the three
// lines "? ...", then the run ends with status -1 (RunEnd).
[[noreturn]] void report_failure(const IoError& e, std::string_view statement, std::string_view unit);

// Shows text on the console (record layer side of ttyout).
void console_out(std::string_view text);

// One typed line from the console (record layer side of ttyinp), every
// file's records written first; nullopt at the end of console input.
std::optional<std::string> console_in(std::size_t capacity);

}  // namespace arb::rt
