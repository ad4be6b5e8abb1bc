// The console of the fuzz targets: what the program shows is kept only as
// the prompt being answered, the answers come from a list, and the end of
// the list is the end of console input (the run then ends with its report).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "console_host.h"

namespace arb::fuzz {

class FuzzHost : public rt::ConsoleHost {
 public:
  std::vector<std::string> answers;
  std::size_t next = 0;
  std::size_t shown_bytes = 0;
  // The dialogue types file names: keep them inside the working folder.
  bool confine_names = false;

  bool ttyout(int, std::string_view text) override {
    shown_bytes += text.size();
    const std::size_t nl = text.rfind('\n');
    if (nl == std::string_view::npos)
      prompt_.append(text);
    else
      prompt_.assign(text.substr(nl + 1));
    return true;
  }

  std::optional<std::string> ttyinp(int, std::size_t capacity) override {
    if (next >= answers.size()) return std::nullopt;
    std::string line = answers[next++];
    // As the terminal does: only capacity - 2 columns, prompt included.
    const std::size_t columns = capacity >= 2 ? capacity - 2 : 0;
    const std::size_t room = prompt_.size() < columns ? columns - prompt_.size() : 0;
    if (line.size() > room) line.resize(room);
    if (confine_names && prompt_.find("File name") != std::string::npos) confine(line);
    prompt_.clear();
    return line + "\n";
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

// The bytes as lines: split at LF, the last line kept even without one.
inline std::vector<std::string> split_lines(std::string_view text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t nl = text.find('\n', start);
    if (nl == std::string_view::npos) nl = text.size();
    lines.emplace_back(text.substr(start, nl - start));
    start = nl + 1;
  }
  return lines;
}

}  // namespace arb::fuzz
