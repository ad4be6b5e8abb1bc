// SPDX-License-Identifier: GPL-3.0-or-later
// The machine values shown by About.
#pragma once

#include <cstdint>
#include <string>

namespace arb::win {

struct MachineInfo {
  std::uint64_t page_size = 0;
  std::uint64_t min_address = 0;  // lowest and highest address a program may use
  std::uint64_t max_address = 0;
  std::string processor;
  unsigned processors = 0;
};

MachineInfo machine_info();
// "0x" followed by hexadecimal digits.
std::string hex_address(std::uint64_t value);

}  // namespace arb::win
