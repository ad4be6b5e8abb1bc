// SPDX-License-Identifier: GPL-3.0-or-later
#include "term_host.h"

#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <string_view>
#include <utility>

#include <readline/history.h>
#include <readline/readline.h>

#include "process_guard.h"

namespace arb::term {

namespace {

// A typed line longer than this is kept in part: the console takes at most
// 254 columns of it anyway.
constexpr std::size_t kLineKept = 64 * 1024;

// Waits until fd has input, or throws RunEnd once a signal asks the run to
// end: the wake pipe makes a signal on any thread end the wait.
void wait_for_input(int fd) {
  for (;;) {
    rt::end_run_if_signalled();
    pollfd fds[2] = {{fd, POLLIN, 0}, {rt::end_signal_fd(), POLLIN, 0}};
    const nfds_t n = fds[1].fd >= 0 ? 2 : 1;
    if (::poll(fds, n, -1) < 0) {
      if (errno == EINTR) continue;
      return;  // the read that follows meets the failure
    }
    if (fds[0].revents != 0) return;
  }
}

// The line given by readline's callback interface.
struct EditedLine {
  bool done = false;
  std::optional<std::string> text;
};
EditedLine g_edited;

void take_edited_line(char* line) {
  ::rl_callback_handler_remove();  // the terminal's own mode again
  g_edited.done = true;
  if (line) {
    g_edited.text = line;
    std::free(line);
  }
}

}  // namespace

TermHost::TermHost() : interactive_(::isatty(STDIN_FILENO) != 0) {
  // Signals are the run's (process_guard): readline leaves them alone, and
  // its terminal mode is undone whenever no line is being edited.
  ::rl_catch_signals = 0;
}

void TermHost::show(std::string_view text) {
  if (text.empty()) return;
  std::fwrite(text.data(), 1, text.size(), stdout);
  if (std::ferror(stdout)) rt::console_lost();
}

// With readline the text after the last line end (the pending prompt) is
// held back and handed to readline as its prompt, so that editing redraws
// it; otherwise everything goes out at once.
bool TermHost::ttyout(int /*unit*/, std::string_view text) {
  std::size_t nl = text.rfind('\n');
  if (nl == std::string_view::npos) {
    if (!interactive_) show(text);
    pending_.append(text);
    return true;
  }
  if (interactive_) show(pending_);
  std::size_t upto = interactive_ ? nl + 1 : text.size();
  show(text.substr(0, upto));
  pending_.assign(text.substr(nl + 1));
  return true;
}

std::optional<std::string> TermHost::edited_line() {
  g_edited = {};
  ::rl_callback_handler_install(pending_.c_str(), take_edited_line);
  while (!g_edited.done) {
    try {
      wait_for_input(STDIN_FILENO);
    } catch (const rt::RunEnd&) {
      ::rl_callback_handler_remove();
      show("\n");
      std::fflush(stdout);
      throw;
    }
    ::rl_callback_read_char();
  }
  if (g_edited.text && !g_edited.text->empty()) ::add_history(g_edited.text->c_str());
  return g_edited.text;
}

std::optional<std::string> TermHost::piped_line() {
  for (;;) {
    if (const std::size_t nl = input_.find('\n'); nl != std::string::npos) {
      std::string line = input_.substr(0, nl);
      input_.erase(0, nl + 1);
      return line;
    }
    if (input_ended_) {
      if (input_.empty()) return std::nullopt;
      return std::exchange(input_, {});  // a last line without a line end
    }
    wait_for_input(STDIN_FILENO);
    char chunk[4096];
    const ssize_t n = ::read(STDIN_FILENO, chunk, sizeof chunk);
    if (n < 0 && (errno == EINTR || errno == EAGAIN)) continue;
    if (n <= 0) {
      input_ended_ = true;
      continue;
    }
    // The rest of an overlong line is passed over up to its line end.
    for (const char c : std::string_view(chunk, static_cast<std::size_t>(n))) {
      if (c == '\n') {
        open_line_ = 0;
      } else if (open_line_ >= kLineKept) {
        continue;
      } else {
        ++open_line_;
      }
      input_.push_back(c);
    }
  }
}

std::optional<std::string> TermHost::ttyinp(int /*unit*/, std::size_t capacity) {
  std::fflush(stdout);
  if (std::ferror(stdout)) rt::console_lost();
  std::optional<std::string> got = interactive_ ? edited_line() : piped_line();
  if (!got) {
    if (interactive_) show(pending_);
    pending_.clear();
    std::fflush(stdout);
    return std::nullopt;
  }
  std::string line = std::move(*got);
  // The echo: a piped run shows what the window would hold.
  if (!interactive_) show(line + "\n");
  // As in the window, only the first capacity - 2 columns of the line,
  // prompt included, reach the program.
  std::size_t columns = capacity >= 2 ? capacity - 2 : 0;
  std::size_t room = pending_.size() < columns ? columns - pending_.size() : 0;
  if (line.size() > room) line.resize(room);
  pending_.clear();
  return line + "\n";
}

int TermHost::end_of_run_wait(int exit_code) {
  if (interactive_ && !pending_.empty()) show(pending_);
  pending_.clear();
  std::fflush(stdout);
  return exit_code;
}

}  // namespace arb::term
