// SPDX-License-Identifier: GPL-3.0-or-later
#include "omp_team.h"

#include <omp.h>
#include <pthread.h>

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace arb {

namespace {

// The stack the run-time gives its threads: 0 for the system's default.
std::size_t stack_setting() {
  for (const char* name : {"OMP_STACKSIZE", "GOMP_STACKSIZE"})
    if (const auto size = parse_stack_size(std::getenv(name))) return *size;
  return 0;
}

std::mutex g_hold;  // the trial threads wait on it, so that all live at once

void* wait_for_release(void*) {
  std::lock_guard release(g_hold);
  return nullptr;
}

// Whether count threads with the given stack can live at the same time,
// as the run-time's team would.
bool threads_start(int count, std::size_t stack) {
  pthread_attr_t attr;
  if (pthread_attr_init(&attr) != 0) return false;
  bool ok = stack == 0 || pthread_attr_setstacksize(&attr, stack) == 0;
  std::vector<pthread_t> started;
  {
    std::lock_guard hold(g_hold);
    for (int i = 0; ok && i < count; ++i) {
      pthread_t t;
      ok = pthread_create(&t, &attr, wait_for_release, nullptr) == 0;
      if (ok) started.push_back(t);
    }
  }
  for (pthread_t t : started) pthread_join(t, nullptr);
  pthread_attr_destroy(&attr);
  return ok;
}

int find_team() {
  const int team = std::max(1, std::min(omp_get_max_threads(), omp_get_num_procs()));
  // The run-time ends the process when it cannot start a thread: try first.
  if (team > 1 && !threads_start(team - 1, stack_setting())) return 1;
  return team;
}

}  // namespace

int omp_team() {
  static const int team = find_team();
  return team;
}

std::optional<std::size_t> parse_stack_size(const char* text) {
  if (!text) return std::nullopt;
  const char* p = text;
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  if (!std::isdigit(static_cast<unsigned char>(*p))) return std::nullopt;
  std::uintmax_t value = 0;
  for (; std::isdigit(static_cast<unsigned char>(*p)); ++p) {
    if (value > (UINTMAX_MAX - 9) / 10) return std::nullopt;
    value = value * 10 + static_cast<unsigned>(*p - '0');
  }
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  int shift = 10;
  switch (std::toupper(static_cast<unsigned char>(*p))) {
    case 'B': shift = 0; ++p; break;
    case 'K': shift = 10; ++p; break;
    case 'M': shift = 20; ++p; break;
    case 'G': shift = 30; ++p; break;
    default: break;
  }
  while (std::isspace(static_cast<unsigned char>(*p))) ++p;
  if (*p != '\0' || value > (SIZE_MAX >> shift)) return std::nullopt;
  return static_cast<std::size_t>(value) << shift;
}

}  // namespace arb
