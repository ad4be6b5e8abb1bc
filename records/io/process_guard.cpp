// SPDX-License-Identifier: GPL-3.0-or-later
#include "process_guard.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>

#include "console_host.h"

namespace arb::rt {

namespace {

// Set by the handler, on whatever thread the signal lands; read by the run.
std::atomic<int> g_signal{0};
static_assert(std::atomic<int>::is_always_lock_free, "the flag is set inside a signal handler");
// The wake pipe: the handler writes a byte, a waiting host wakes.
int g_wake[2] = {-1, -1};

void wake() {
  if (g_wake[1] >= 0) {
    const char c = 0;
    (void)!::write(g_wake[1], &c, 1);
  }
}

// Async-signal-safe only: the flag, a write, and for Ctrl-C pressed again
// the default action, so that a run stuck in a write can still be ended.
// Other repeats are passed over: a closed terminal may send SIGHUP twice.
extern "C" void on_end_signal(int sig) {
  const int saved = errno;
  int none = 0;
  if (!g_signal.compare_exchange_strong(none, sig) && sig == SIGINT) {
    ::signal(sig, SIG_DFL);
    ::raise(sig);
  }
  wake();
  errno = saved;
}

void keep_standard_descriptors() {
  for (int fd = 0; fd <= 2; ++fd) {
    if (::fcntl(fd, F_GETFD) != -1 || errno != EBADF) continue;
    // The lowest free descriptor: fd itself.
    const int got = ::open("/dev/null", O_RDWR);
    if (got >= 0 && got != fd) ::close(got);
  }
}

void catch_end_signals() {
  struct sigaction sa{};
  sa.sa_handler = on_end_signal;
  sigemptyset(&sa.sa_mask);
  sa.sa_flags = 0;  // no SA_RESTART: a blocking read returns, and the run looks at the flag
  for (int sig : {SIGINT, SIGTERM, SIGHUP, SIGPIPE}) ::sigaction(sig, &sa, nullptr);
  struct sigaction ignore{};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGXFSZ, &ignore, nullptr);
}

}  // namespace

void guard_process() {
  keep_standard_descriptors();
  if (g_wake[0] < 0 && ::pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) g_wake[0] = g_wake[1] = -1;
  catch_end_signals();
}

void console_off_standard_output() {
  struct sigaction ignore{};
  ignore.sa_handler = SIG_IGN;
  sigemptyset(&ignore.sa_mask);
  ::sigaction(SIGPIPE, &ignore, nullptr);
}

int end_signal() { return g_signal.load(); }

void console_lost() {
  int none = 0;
  if (g_signal.compare_exchange_strong(none, SIGPIPE)) wake();
}

void end_run_if_signalled() {
  if (const int sig = g_signal.load(); sig != 0) throw RunEnd{128 + sig};
}

int end_signal_fd() { return g_wake[0]; }

}  // namespace arb::rt
