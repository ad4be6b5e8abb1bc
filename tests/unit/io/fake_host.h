// A console host for tests: answers from a list, output collected.
#pragma once

#include <deque>
#include <string>

#include "console_host.h"
#include "units.h"

namespace arb::rt::testing {

class FakeHost : public ConsoleHost {
 public:
  std::string shown;
  std::deque<std::string> answers;

  bool ttyout(int, std::string_view text) override {
    shown.append(text);
    return true;
  }
  std::optional<std::string> ttyinp(int, std::size_t) override {
    if (answers.empty()) return std::nullopt;
    std::string a = answers.front() + "\n";
    answers.pop_front();
    shown.append(a);
    return a;
  }
  int end_of_run_wait(int code) override { return code; }
  void pump() override {}
};

// Installs a fake host on a fresh record layer for one test.
struct HostedLayer {
  FakeHost host;
  HostedLayer() {
    layer().reset();
    layer().host = &host;
  }
  ~HostedLayer() {
    layer().reset();
    layer().host = nullptr;
  }
};

}  // namespace arb::rt::testing
