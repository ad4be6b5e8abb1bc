// SPDX-License-Identifier: GPL-3.0-or-later
// The console host on the window environment: the program's console reads
// and writes go to the text windows of the frame, found through the window
// table.
#pragma once

#include <QPointer>
#include <QSocketNotifier>
#include <array>
#include <chrono>
#include <memory>

#include "frame_window.h"
#include "console_host.h"

namespace arb::win {

class WindowHost : public rt::ConsoleHost {
 public:
  static constexpr std::size_t kMaxWindows = 100;

  // Creates the "Input/Output" window in the frame, under unit -1.
  explicit WindowHost(FrameWindow& frame);

  bool ttyout(int unit, std::string_view text) override;
  std::optional<std::string> ttyinp(int unit, std::size_t capacity) override;
  int end_of_run_wait(int exit_code) override;
  void pump() override;
  // Opens a further text window for the unit.
  bool open_window(int unit, std::string_view title, std::string_view position);

  TextWindow* window_for(int unit) const;
  TextWindow* console_window() const { return window_for(rt::kConsoleWindowUnit); }
  bool program_running() const { return running_; }

 private:
  struct Entry {
    int unit = 0;
    QPointer<TextWindow> window;
  };
  void handle_pending_events(bool now);
  void leave_if_exit_chosen();
  [[noreturn]] void window_handler_error();

  FrameWindow& frame_;
  std::array<Entry, kMaxWindows> table_{};
  std::size_t entries_ = 0;
  bool quit_ = false;  // a write found no window: the next read ends the run
  bool running_ = true;
  std::chrono::steady_clock::time_point last_pass_{};
  // Wakes the event loop when a signal asks the run to end.
  std::unique_ptr<QSocketNotifier> end_signal_;
};

}  // namespace arb::win
