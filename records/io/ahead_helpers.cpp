// SPDX-License-Identifier: GPL-3.0-or-later
#include "ahead_helpers.h"

#include <pthread.h>
#include <signal.h>

#include <system_error>

namespace arb::rt {

// The signals that end a run are the reader's to take: the helpers start
// with every signal blocked, and keep it so.
void AheadHelpers::start(int count, std::function<bool()> work) {
  work_ = std::move(work);
  stop_.store(false);
  sigset_t all, before;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &before);
  try {
    for (int i = 0; i < count; ++i) threads_.emplace_back([this] { run(); });
  } catch (const std::system_error&) {
  }
  pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

void AheadHelpers::post() {
  if (threads_.empty()) return;
  posted_.fetch_add(1, std::memory_order_release);
  posted_.notify_all();
}

void AheadHelpers::stop() {
  if (threads_.empty()) return;
  stop_.store(true);
  post();
  for (std::thread& t : threads_) t.join();
  threads_.clear();
}

void AheadHelpers::run() {
  for (;;) {
    const std::uint64_t seen = posted_.load(std::memory_order_acquire);
    if (stop_.load()) return;
    while (work_()) {
      if (stop_.load()) return;
    }
    posted_.wait(seen, std::memory_order_acquire);
  }
}

}  // namespace arb::rt
