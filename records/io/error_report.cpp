// SPDX-License-Identifier: GPL-3.0-or-later
#include "units.h"

namespace arb::rt {

[[noreturn]] void report_failure(const IoError& e, std::string_view statement, std::string_view unit) {
  (void)layer().units.close_all();
  console_out(e.system ? "? System Error:\n" : "? FORTRAN Runtime Error:\n");
  console_out("? " + e.text + "\n");
  console_out("? " + std::string(statement) + "(UNIT=" + std::string(unit) + ",...\n");
  throw RunEnd{-1};
}

}  // namespace arb::rt
