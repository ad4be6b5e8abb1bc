// SPDX-License-Identifier: GPL-3.0-or-later
// The process around the run: the standard descriptors kept in place, and
// the signals that end a run in order.  A signal only sets a flag; the run
// ends at its next safe point (the start of a statement, a console wait)
// by returning to the host, so that every file is flushed and closed.
#pragma once

namespace arb::rt {

// First thing in a host's main: descriptors 0, 1 and 2 opened on /dev/null
// where closed, so that no file the program opens takes their place;
// SIGINT, SIGTERM, SIGHUP and SIGPIPE caught; SIGXFSZ ignored, so that a
// write beyond the file-size limit fails with its error instead.
void guard_process();

// The console is a window, not standard output: SIGPIPE is ignored from
// now on, as a broken pipe can then only be a file's, whose write fails
// and is reported.
void console_off_standard_output();

// The signal that asks the run to end, or 0.
int end_signal();

// The console's output can no longer be written (a closed pipe, a full
// device): the run ends as for SIGPIPE.
void console_lost();

// Throws RunEnd with status 128 + the signal's number when a signal has
// asked the run to end.
void end_run_if_signalled();

// Readable once a signal has asked the run to end, so that a host waiting
// for input can watch it beside its input; -1 before guard_process().
int end_signal_fd();

}  // namespace arb::rt
