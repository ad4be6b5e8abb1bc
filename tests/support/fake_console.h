// SPDX-License-Identifier: GPL-3.0-or-later
// The console of the unit tests, the golden-run support and the fuzz
// targets: answers typed from a list and echoed as on a terminal, what the
// program shows kept; the end of the list is the end of console input.
#pragma once

#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>

#include "console_host.h"
#include "units.h"

namespace arb::testing {

class FakeConsole : public rt::ConsoleHost {
 public:
  std::deque<std::string> answers;
  std::string shown;        // everything shown, answers echoed
  bool keep_shown = true;   // false: only the prompt being answered is kept
  bool confine_names = false;  // file names typed stay inside the working folder

  bool ttyout(int, std::string_view text) override {
    if (keep_shown) shown.append(text);
    const std::size_t nl = text.rfind('\n');
    if (nl == std::string_view::npos)
      prompt_.append(text);
    else
      prompt_.assign(text.substr(nl + 1));
    return true;
  }

  std::optional<std::string> ttyinp(int, std::size_t capacity) override {
    if (answers.empty()) return std::nullopt;
    std::string line = answers.front();
    answers.pop_front();
    // As the terminal does: only capacity - 2 columns, prompt included.
    const std::size_t columns = capacity >= 2 ? capacity - 2 : 0;
    const std::size_t room = prompt_.size() < columns ? columns - prompt_.size() : 0;
    if (line.size() > room) line.resize(room);
    if (confine_names && prompt_.find("File name") != std::string::npos) confine(line);
    prompt_.clear();
    line += '\n';
    if (keep_shown) shown += line;
    return line;
  }

  int end_of_run_wait(int exit_code) override { return exit_code; }
  void pump() override {}

 private:
  // A leading "/" is the bail-out and stays; any later "/" would name a
  // file outside the folder (an absolute path after blanks, "../"), so it
  // becomes "_".
  static void confine(std::string& name) {
    for (std::size_t i = 1; i < name.size(); ++i)
      if (name[i] == '/') name[i] = '_';
  }

  std::string prompt_;
};

// The record layer back to its state before the first statement (files
// closed, their failures ignored), for many programs in one process.
inline void reset_layer() {
  rt::RecordLayer& rl = rt::layer();
  (void)rl.units.close_all();
  rl.units.forget_file_names();
  rl.answers.clear();
  rl.started = false;
  rl.options = rt::RuntimeOptions{};
  rl.formats.clear();
}

// Installs a fake console on a fresh record layer for one test.
struct HostedLayer {
  FakeConsole host;
  HostedLayer() {
    reset_layer();
    rt::layer().host = &host;
  }
  ~HostedLayer() {
    reset_layer();
    rt::layer().host = nullptr;
  }
};

// The bytes as lines: split at LF, the last line kept even without one.
inline std::deque<std::string> split_lines(std::string_view text) {
  std::deque<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) nl = text.size();
    lines.emplace_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

}  // namespace arb::testing
