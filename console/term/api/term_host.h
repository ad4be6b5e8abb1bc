// SPDX-License-Identifier: GPL-3.0-or-later
// The console on a terminal: the same dialogue as the window, on standard
// input and output.
#pragma once

#include "console_host.h"

namespace arb::term {

class TermHost : public rt::ConsoleHost {
 public:
  TermHost();
  bool ttyout(int unit, std::string_view text) override;
  std::optional<std::string> ttyinp(int unit, std::size_t capacity) override;
  int end_of_run_wait(int exit_code) override;
  void pump() override {}

 private:
  // Both wait for the line while watching for a signal that ends the run
  // (RunEnd is thrown, the terminal's mode restored first).
  std::optional<std::string> edited_line();  // GNU readline
  std::optional<std::string> piped_line();   // plain reads
  void show(std::string_view text);          // to standard output; a failure loses the console

  bool interactive_ = false;  // standard input is a terminal: GNU readline
  std::string pending_;       // text written since the last line end (the prompt)
  std::string input_;         // piped input read but not yet taken
  std::size_t open_line_ = 0; // characters kept of the piped line not yet ended
  bool input_ended_ = false;
};

}  // namespace arb::term
