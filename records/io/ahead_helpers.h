// SPDX-License-Identifier: GPL-3.0-or-later
// Threads that help the reader ahead of it: each does the work it is given
// until none is left, then sleeps until more is posted.  Stopped and
// joined when the helpers go.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <thread>
#include <vector>

namespace arb::rt {

class AheadHelpers {
 public:
  AheadHelpers() = default;
  AheadHelpers(const AheadHelpers&) = delete;
  AheadHelpers& operator=(const AheadHelpers&) = delete;
  ~AheadHelpers() { stop(); }

  // Starts `count` threads, each calling work() while it finds some; fewer
  // if the system gives fewer (the reader then does more itself).
  void start(int count, std::function<bool()> work);
  bool started() const { return !threads_.empty(); }
  // There is new work.
  void post();
  void stop();

 private:
  void run();

  std::function<bool()> work_;
  std::vector<std::thread> threads_;
  std::atomic<std::uint64_t> posted_{0};
  std::atomic<bool> stop_{false};
};

}  // namespace arb::rt
