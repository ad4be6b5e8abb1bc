// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine_info.h"

#include <unistd.h>
#include <sys/utsname.h>

#include <cstdio>
#include <fstream>
#include <thread>

namespace arb::win {

MachineInfo machine_info() {
  MachineInfo m;
  long page = sysconf(_SC_PAGESIZE);
  m.page_size = page > 0 ? static_cast<std::uint64_t>(page) : 4096;
  // The kernel refuses mappings below mmap_min_addr; 64 KiB is its default.
  m.min_address = 0x10000;
  std::ifstream min_file("/proc/sys/vm/mmap_min_addr");
  std::uint64_t v = 0;
  if (min_file >> v && v > 0) m.min_address = v;
  // User space ends one page below 2^47 on 64-bit (4-level paging), 3 GiB on
  // 32-bit.
  if constexpr (sizeof(void*) == 8)
    m.max_address = (std::uint64_t{1} << 47) - m.page_size - 1;
  else
    m.max_address = 0xBFFFFFFF;
  utsname names{};
  m.processor = uname(&names) == 0 ? names.machine : "unknown";
  long online = sysconf(_SC_NPROCESSORS_ONLN);
  m.processors = online > 0 ? static_cast<unsigned>(online) : std::thread::hardware_concurrency();
  return m;
}

std::string hex_address(std::uint64_t value) {
  char text[24];
  std::snprintf(text, sizeof text, "0x%llX", static_cast<unsigned long long>(value));
  return text;
}

}  // namespace arb::win
