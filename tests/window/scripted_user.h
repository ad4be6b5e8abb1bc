// SPDX-License-Identifier: GPL-3.0-or-later
// A user at the keyboard of the window, for tests and benchmarks: types the
// next answer each time a console read waits, then, once the run has ended,
// does what it was told to do at the end.
#pragma once

#include <QStringList>
#include <QTimer>
#include <functional>

#include "window_host.h"

namespace arb::win::testing {

// Calls its function once each time a console read starts to wait, seen
// from the event loop the read runs, as a user sees the prompt.
class ReadWatch {
 public:
  ReadWatch(WindowHost& host, std::function<void()> at_each_read) : host_(host), at_read_(std::move(at_each_read)) {
    QObject::connect(&timer_, &QTimer::timeout, [this] { look(); });
    timer_.start(1);
  }

 private:
  void look() {
    TextWindow* w = host_.console_window();
    const bool waiting = w && w->text().waiting();
    if (waiting && !seen_) {
      at_read_();
      // Answered: the next read may start before the next look.
      w = host_.console_window();
      seen_ = w && w->text().waiting();
    } else if (!waiting) {
      seen_ = false;
    }
  }

  WindowHost& host_;
  std::function<void()> at_read_;
  QTimer timer_;
  bool seen_ = false;
};

class ScriptedUser {
 public:
  ScriptedUser(WindowHost& host, QStringList answers, std::function<void()> at_end)
      : host_(host), answers_(std::move(answers)), at_end_(std::move(at_end)), reads_(host, [this] { answer(); }) {
    QObject::connect(&watch_, &QTimer::timeout, [this] {
      if (host_.program_running() || done_) return;
      done_ = true;
      at_end_();
    });
    watch_.start(5);
  }
  int answered() const { return answered_; }
  // Set to stop typing at the read with this number (0-based) instead.
  std::function<void(int)> at_read;

 private:
  void answer() {
    TextWindow* w = host_.console_window();
    if (!w) return;
    if (at_read) at_read(answered_);
    if (answered_ >= answers_.size() || !w->text().waiting()) return;
    std::string keys = answers_[answered_++].toStdString() + "\r";
    w->view().type(keys);
  }

  WindowHost& host_;
  QStringList answers_;
  std::function<void()> at_end_;
  ReadWatch reads_;
  QTimer watch_;
  int answered_ = 0;
  bool done_ = false;
};

}  // namespace arb::win::testing
