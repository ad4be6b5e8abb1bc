// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of the window: a whole run over many short series (8,999 unless
// given), whose series list writes a record per series to the console, once
// in the window as the program sets it up (the results host and the Results
// menu attached; answers typed by a scripted user, offscreen unless a
// display is given) and once on the terminal host (answers piped, output to
// a file).  Prints the medians of three runs of each, their ratio, and the
// peak memory of each (the largest of the runs) and its ratio; the window
// keeps every line of its text, so its memory grows with the transcript.
//
//   window_bench ARBORIX_TERM_PATH [SERIES]
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include <sys/resource.h>

#include "attach.h"
#include "frame_window.h"
#include "results_host.h"
#include "results_menu.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/many_series.h"
#include "tests/window/run_arborix.h"
#include "tests/window/scripted_user.h"

namespace {

constexpr int kRuns = 3;
const QStringList& kAnswers = arb::win::testing::kManySeriesAnswers;

long peak_kb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// One run in the window, in this process: prints its seconds, the lines of
// its text and its peak memory in kB.
int window_run(int argc, char** argv, const QString& dir) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QDir::setCurrent(dir);
  arb::win::testing::FakeDialogs dialogs;
  arb::win::FrameWindow frame(QStringLiteral("arborix"), dialogs);
  frame.show();
  arb::win::WindowHost window(frame);
  arb::cli::ResultsHost host(window, "arborix", {});
  host.warn_years = false;
  arb::results_window::ResultsMenu results(frame);
  arb::results_window::attach(host, results, window.console_window()->view().text_font());
  QElapsedTimer clock;
  double seconds = 0;
  std::size_t lines = 0;
  arb::win::testing::ScriptedUser user(window, kAnswers, [&] {
    seconds = clock.nsecsElapsed() / 1e9;
    lines = window.console_window()->text().store().line_count();
    frame.exit_action()->trigger();
  });
  clock.start();
  int status = arb::win::testing::run_arborix(host, host.results_hook());
  std::printf("%.4f %zu %ld\n", seconds, lines, peak_kb());
  return status;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

// The terminal run under GNU time: its seconds and peak memory in kB.
bool terminal_run(const QString& term, const QString& dir, double& seconds, long& kb) {
  QProcess t;
  t.setWorkingDirectory(dir);
  t.setStandardInputFile(dir + "/answers.txt");
  t.setStandardOutputFile(dir + "/console.txt");
  QElapsedTimer clock;
  clock.start();
  t.start(QStringLiteral("/usr/bin/time"), {"-f", "%M", "-o", dir + "/peak.txt", term});
  if (!t.waitForFinished(600000) || t.exitCode() != 0) return false;
  seconds = clock.nsecsElapsed() / 1e9;
  QFile peak(dir + "/peak.txt");
  if (!peak.open(QIODevice::ReadOnly)) return false;
  kb = peak.readAll().trimmed().split('\n').last().toLong();
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--window-run") return window_run(argc, argv, argv[2]);
  if (argc != 2 && argc != 3) {
    std::fprintf(stderr, "usage: window_bench ARBORIX_TERM_PATH [SERIES]\n");
    return 2;
  }
  if (!QFile::exists(QStringLiteral("/usr/bin/time"))) {
    std::fprintf(stderr, "GNU time is missing: apt-get install time\n");
    return 2;
  }
  const int series = argc == 3 ? std::atoi(argv[2]) : 8999;
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  arb::win::testing::write_many_series(dir.filePath("in.txt"), series);
  QFile answers(dir.filePath("answers.txt"));
  if (!answers.open(QIODevice::WriteOnly)) return 1;
  answers.write(kAnswers.join('\n').toLatin1() + "\n");
  answers.close();

  std::vector<double> window, terminal;
  long window_kb = 0, terminal_kb = 0;
  QByteArray lines;
  for (int i = 0; i < kRuns; ++i) {
    QProcess w;
    w.start(QCoreApplication::applicationFilePath(), {"--window-run", dir.path()});
    if (!w.waitForFinished(600000) || w.exitCode() != 0) {
      std::fprintf(stderr, "window run failed: %s\n", w.readAllStandardError().constData());
      return 1;
    }
    QList<QByteArray> out = w.readAllStandardOutput().trimmed().split(' ');
    window.push_back(out.value(0).toDouble());
    lines = out.value(1);
    window_kb = std::max(window_kb, out.value(2).toLong());

    double seconds = 0;
    long kb = 0;
    if (!terminal_run(QFileInfo(QString::fromLocal8Bit(argv[1])).absoluteFilePath(), dir.path(), seconds, kb)) {
      std::fprintf(stderr, "terminal run failed\n");
      return 1;
    }
    terminal.push_back(seconds);
    terminal_kb = std::max(terminal_kb, kb);
  }
  double wm = median(window), tm = median(terminal);
  std::printf("series: %d; console lines in the window: %s\n", series, lines.constData());
  std::printf("window run:   %.3f s (median of %d), peak %ld kB\n", wm, kRuns, window_kb);
  std::printf("terminal run: %.3f s (median of %d), peak %ld kB\n", tm, kRuns, terminal_kb);
  std::printf("ratio window/terminal: time %.2f, peak memory %.2f\n", wm / tm,
              static_cast<double>(window_kb) / static_cast<double>(std::max(1L, terminal_kb)));
  return 0;
}
