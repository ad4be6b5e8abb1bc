// SPDX-License-Identifier: GPL-3.0-or-later
#include "machine_info.h"

#include <unistd.h>
#include <sys/utsname.h>

#include <thread>

namespace arb::win {

MachineInfo machine_info() {
  MachineInfo m;
  long page = sysconf(_SC_PAGESIZE);
  m.page_size = page > 0 ? static_cast<std::uint64_t>(page) : 4096;
  utsname names{};
  m.processor = uname(&names) == 0 ? names.machine : "unknown";
  long online = sysconf(_SC_NPROCESSORS_ONLN);
  m.processors = online > 0 ? static_cast<unsigned>(online) : std::thread::hardware_concurrency();
  return m;
}

}  // namespace arb::win
