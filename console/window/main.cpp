// arborix: the program inside its window environment, Quil.  Where no
// display can be opened the same dialogue runs on the terminal.
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "term_host.h"
#include "dialogs.h"
#include "frame_window.h"
#include "window_host.h"
#include "window_settings.h"
#include "driver.h"
#include "console_host.h"
#include "process_guard.h"

namespace {

bool has_env(const char* name) {
  const char* v = std::getenv(name);
  return v && *v;
}

// Qt ends the process when its platform cannot start, so a child tries
// first.
bool display_opens(int argc, char** argv) {
  if (!has_env("DISPLAY") && !has_env("WAYLAND_DISPLAY") && !has_env("QT_QPA_PLATFORM")) return false;
  std::fflush(nullptr);
  pid_t child = fork();
  if (child < 0) return true;  // let Qt itself decide
  if (child == 0) {
    int null = open("/dev/null", O_WRONLY);
    if (null >= 0) {
      dup2(null, 1);
      dup2(null, 2);
    }
    QGuiApplication probe(argc, argv);
    _exit(0);
  }
  int status = 0;
  if (waitpid(child, &status, 0) != child) return false;
  return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

// Takes --reset-settings out of the arguments; true when it was there.
bool take_reset_option(int& argc, char** argv) {
  bool found = false;
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--reset-settings") == 0)
      found = true;
    else
      argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;
  return found;
}

}  // namespace

int main(int argc, char** argv) {
  const bool reset = take_reset_option(argc, argv);
  arb::rt::guard_process();
  if (!display_opens(argc, argv)) {
    std::fputs("arborix: no display can be opened; the dialogue runs on the terminal\n", stderr);
    arb::term::TermHost host;
    return arb::rt::run_program(host, &arb::arborix);
  }
  arb::rt::console_off_standard_output();
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  auto dialogs = arb::win::make_qt_dialogs();
  arb::win::FrameWindow frame(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), *dialogs);
  // The frame's default size: most of the screen, as a desktop gives it.
  if (QScreen* screen = QGuiApplication::primaryScreen())
    frame.resize(screen->availableSize() * 3 / 4);
  arb::win::WindowHost host(frame);
  if (reset) arb::win::reset_settings();
  arb::win::restore_settings(frame, host.console_window());
  arb::win::keep_settings(frame, host.console_window());
  frame.show();
  return arb::rt::run_program(host, &arb::arborix);
}
