// A console that types the given answers and keeps everything shown,
// answers echoed as on a terminal.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "console_host.h"

namespace arb::test {

class ScriptedHost : public rt::ConsoleHost {
 public:
  std::deque<std::string> answers;
  std::string shown;

  bool ttyout(int, std::string_view text) override {
    shown.append(text);
    return true;
  }
  std::optional<std::string> ttyinp(int, std::size_t) override {
    if (answers.empty()) return std::nullopt;
    std::string line = answers.front() + "\n";
    answers.pop_front();
    shown += line;
    return line;
  }
  int end_of_run_wait(int exit_code) override { return exit_code; }
  void pump() override {}
};

// A fresh folder for the files of one test.
std::string scratch_folder();
void write_file(const std::string& path, const std::string& text);

}  // namespace arb::test
