// SPDX-License-Identifier: GPL-3.0-or-later
// The machine values shown by About.
#pragma once

#include <cstdint>
#include <string>

namespace arb::win {

struct MachineInfo {
  std::uint64_t page_size = 0;
  std::string processor;
  unsigned processors = 0;
};

MachineInfo machine_info();

}  // namespace arb::win
