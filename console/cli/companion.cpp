// SPDX-License-Identifier: GPL-3.0-or-later
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <string>

#include "results_host.h"

extern char** environ;

namespace arb::cli {

namespace {

std::string own_folder() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return {};
  std::string p(path, static_cast<std::size_t>(n));
  return p.substr(0, p.rfind('/'));
}

}  // namespace

std::optional<std::string> run_companion(const results::Run& /*run*/, const std::string& dir) {
  const std::string plot = own_folder() + "/arborix-plot";
  if (::access(plot.c_str(), X_OK) != 0) return std::nullopt;  // built without the window: no plots
  std::string arg0 = plot, arg1 = dir;
  char* argv[] = {arg0.data(), arg1.data(), nullptr};
  pid_t pid = 0;
  if (::posix_spawn(&pid, plot.c_str(), nullptr, nullptr, argv, environ) != 0)
    return plot + ": cannot be started";
  int status = 0;
  while (::waitpid(pid, &status, 0) < 0) {
    if (errno != EINTR) return plot + ": lost";
  }
  if (WIFEXITED(status) && WEXITSTATUS(status) == 0) return std::nullopt;
  return "the plots could not be drawn (" + plot + ")";
}

}  // namespace arb::cli
