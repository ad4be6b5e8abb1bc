// The record layer's process-wide state: the console host, the run-time
// options and the table of connected units, with the one lock that
// serialises statements.
#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "records/console_host.h"
#include "records/errors.h"
#include "records/file_unit.h"
#include "records/format_cache.h"
#include "records/runtime_options.h"

namespace arb::rt {

// The console's unit in the window table: every console unit goes there.
inline constexpr int kConsoleWindowUnit = -1;

struct Unit {
  enum class Kind { Console, File };
  int number = 0;
  Kind kind = Kind::Console;
  bool can_read = true;
  bool can_write = true;
  bool carriage = false;    // carriage control (console units under -defaultcarriage)
  bool blank_zero = false;  // blanks in numeric fields read as zeros
  std::unique_ptr<FileUnit> file;
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
  void reset();

 private:
  std::vector<std::unique_ptr<Unit>> units_;
};

struct RecordLayer {
  ConsoleHost* host = nullptr;
  RuntimeOptions options;
  bool started = false;
  UnitTable units;
  FormatCache formats;
  std::recursive_mutex io_lib_mutex;

  // Reads the run-time options at the first statement and writes the
  // warning for an unknown one.
  void start();
  // At the start of every statement: start(), then the run ends here if a
  // signal asked for it, then the host's events.
  void begin_statement();
  // Back to the state before the first statement (files closed unflushed
  // errors ignored); for running several programs in one process.
  void reset();
};

RecordLayer& layer();

// ARBORIX_GENERAL_PATH set (and not "0"): every number is read, and the
// record averaged, by the general routines only, so that a benchmark can
// check the fast ones against them on the same data.
bool general_path_only();

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
