// SPDX-License-Identifier: GPL-3.0-or-later
// The console contract: the five operations that a console host (the
// terminal, or the window) gives the record layer.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace arb::rt {

// The console's unit in the window table: every console unit goes there.
inline constexpr int kConsoleWindowUnit = -1;
// The length of a console line, the prompt included.
inline constexpr std::size_t kConsoleLine = 256;

class ConsoleHost {
 public:
  virtual ~ConsoleHost() = default;

  // ttyout: shows the text of one record.  The text ends with "\n" unless
  // the record was written without a line end.  Returns false when the
  // unit has no window any more.
  virtual bool ttyout(int unit, std::string_view text) = 0;

  // ttyinp: waits for one typed line and returns it followed by its line
  // end; at most capacity - 2 columns of the line count, prompt included.
  // nullopt when console input has come to its end (a terminal only).
  // May throw RunEnd when the user leaves the program while it waits.
  virtual std::optional<std::string> ttyinp(int unit, std::size_t capacity) = 0;

  // The end-of-run wait: returns when the user leaves; gives the status
  // with which the process ends.
  virtual int end_of_run_wait(int exit_code) = 0;

  // The event pump, called at the start of every statement.
  virtual void pump() = 0;
};

// Thrown to end the run (a stop, the end of a pause that stops, the
// run-time error report, the user leaving the window).  The host catches
// it where it called the program; status is the process exit status.
struct RunEnd {
  int status = 0;
};

// The status of a run that ran out of memory (std::bad_alloc).
inline constexpr int kOutOfMemoryStatus = 1;

// Runs the program body with the host as the console (the body carries its
// own context): every file is flushed and closed when the body ends, by
// return, by RunEnd or by running out of memory; then the host's end-of-
// run wait runs.  Returns the process exit status.
int run_program(ConsoleHost& host, const std::function<void()>& body);

// The name of the file connected to a unit during the run now going or just
// ended (its files closed), as the program gave it; empty when none was.
std::string unit_file_name(int unit);

// Every line read from the console during the run now going or just ended,
// each as the program read it with its line end: typed into the program
// again, they repeat the run.
std::string console_answers();

}  // namespace arb::rt
