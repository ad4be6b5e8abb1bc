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
  bool interactive_ = false;  // standard input is a terminal: GNU readline
  std::string pending_;       // text written since the last line end (the prompt)
};

}  // namespace arb::term
