// SPDX-License-Identifier: GPL-3.0-or-later
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

#include "options.h"
#include "results_host.h"
#include "attach.h"
#include "import_dialog.h"
#include "term_host.h"
#include "dialogs.h"
#include "frame_window.h"
#include "window_host.h"
#include "window_settings.h"
#include "driver.h"
#include "console_host.h"
#include "process_guard.h"

namespace {

// The process's one series store, zero-filled until a run takes it.
constinit arb::SeriesStore process_store;

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

}  // namespace

int main(int argc, char** argv) {
  arb::rt::guard_process();
  const arb::cli::Parsed parsed = arb::cli::parse_main("arborix", argc, argv);
  if (parsed.exit_status) return *parsed.exit_status;
  if (!display_opens(argc, argv)) {
    std::fputs("arborix: no display can be opened; the dialogue runs on the terminal\n", stderr);
    arb::term::TermHost term;
    arb::cli::ResultsHost host(term, "arborix", parsed.options);
    host.write_plots = arb::results_window::plots_offscreen;
    arb::RunContext run{process_store, host.results_hook()};
  return arb::rt::run_program(host, [&run] { arb::arborix(run); });
  }
  arb::rt::console_off_standard_output();
  QApplication app(argc, argv);
  QCoreApplication::setApplicationVersion(QStringLiteral(ARBORIX_VERSION));  // for About
  // The desktop entry's name, so that the desktop matches the window to its
  // entry and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral(ARBORIX_APP_ID));
  QApplication::setQuitOnLastWindowClosed(false);
  auto dialogs = arb::win::make_qt_dialogs();
  arb::win::FrameWindow frame(QFileInfo(QCoreApplication::applicationFilePath()).fileName(), *dialogs);
  // The frame's default size: most of the screen, as a desktop gives it.
  if (QScreen* screen = QGuiApplication::primaryScreen())
    frame.resize(screen->availableSize() * 3 / 4);
  arb::win::WindowHost window(frame);
  arb::import_window::add_import_item(frame);
  if (parsed.options.reset_settings) arb::win::reset_settings();
  arb::win::restore_settings(frame, window.console_window());
  arb::win::keep_settings(frame, window.console_window());
  frame.show();
  arb::cli::ResultsHost host(window, "arborix", parsed.options);
  host.warn_years = false;  // the window shows the finding count in its Results menu
  arb::results_window::ResultsMenu results(frame);
  arb::results_window::attach(host, results, window.console_window()->view().text_font());
  arb::RunContext run{process_store, host.results_hook()};
  const int status = arb::rt::run_program(host, [&run] { arb::arborix(run); });
  // A signal ended the run without the frame's close: the settings are
  // saved here instead.
  if (!frame.exit_done()) arb::win::save_settings(frame, window.console_window());
  return status;
}
