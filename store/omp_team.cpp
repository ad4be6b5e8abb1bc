// SPDX-License-Identifier: GPL-3.0-or-later
#include "omp_team.h"

#include <fcntl.h>
#include <omp.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>

namespace arb {

namespace {

// Whether the run-time can start a team of count threads with the stack
// its own settings ask for (OMP_STACKSIZE and the like).  It ends the
// process when it cannot, so a child tries first: silent, and ending at
// once, so that nothing the parent holds (buffers, files) runs down twice.
bool team_starts(int count) {
  std::fflush(nullptr);
  const pid_t child = ::fork();
  if (child < 0) return false;
  if (child == 0) {
    std::atexit([] { ::_exit(1); });  // registered last, run first
    const int quiet = ::open("/dev/null", O_WRONLY);
    if (quiet >= 0) ::dup2(quiet, STDERR_FILENO);
#pragma omp parallel num_threads(count)
    {
    }
    ::_exit(0);
  }
  int status = 0;
  while (::waitpid(child, &status, 0) < 0)
    if (errno != EINTR) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

int find_team() {
  const int team = std::max(1, std::min(omp_get_max_threads(), omp_get_num_procs()));
  if (team > 1 && !team_starts(team)) return 1;
  return team;
}

}  // namespace

int omp_team() {
  static const int team = find_team();
  return team;
}

}  // namespace arb
