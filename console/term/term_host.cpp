#include "term_host.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include <readline/history.h>
#include <readline/readline.h>

namespace arb::term {

TermHost::TermHost() : interactive_(::isatty(STDIN_FILENO) != 0) {}

// With readline the text after the last line end (the pending prompt) is
// held back and handed to readline as its prompt, so that editing redraws
// it; otherwise everything goes out at once.
bool TermHost::ttyout(int /*unit*/, std::string_view text) {
  std::size_t nl = text.rfind('\n');
  if (nl == std::string_view::npos) {
    if (!interactive_) std::fwrite(text.data(), 1, text.size(), stdout);
    pending_.append(text);
    return true;
  }
  if (interactive_) std::fwrite(pending_.data(), 1, pending_.size(), stdout);
  std::size_t upto = interactive_ ? nl + 1 : text.size();
  std::fwrite(text.data(), 1, upto, stdout);
  pending_.assign(text.substr(nl + 1));
  return true;
}

std::optional<std::string> TermHost::ttyinp(int /*unit*/, std::size_t capacity) {
  std::string line;
  if (interactive_) {
    std::fflush(stdout);
    char* got = ::readline(pending_.c_str());
    if (!got) {
      std::fwrite(pending_.data(), 1, pending_.size(), stdout);
      pending_.clear();
      std::fflush(stdout);
      return std::nullopt;
    }
    line = got;
    std::free(got);
    if (!line.empty()) ::add_history(line.c_str());
  } else {
    std::fflush(stdout);
    if (!std::getline(std::cin, line)) {
      if (line.empty()) return std::nullopt;
    }
    // The echo: a piped run shows what the window would hold.
    std::fwrite(line.data(), 1, line.size(), stdout);
    std::fputc('\n', stdout);
  }
  // As in the window, only the first capacity - 2 columns of the line,
  // prompt included, reach the program.
  std::size_t columns = capacity >= 2 ? capacity - 2 : 0;
  std::size_t room = pending_.size() < columns ? columns - pending_.size() : 0;
  if (line.size() > room) line.resize(room);
  pending_.clear();
  return line + "\n";
}

int TermHost::end_of_run_wait(int exit_code) {
  if (interactive_ && !pending_.empty()) std::fwrite(pending_.data(), 1, pending_.size(), stdout);
  pending_.clear();
  std::fflush(stdout);
  return exit_code;
}

}  // namespace arb::term
