// SPDX-License-Identifier: GPL-3.0-or-later
// The cost of the window: a whole run over 8,999 short series, whose series
// list writes some 9,000 records to the console, once in
// the window (answers typed by a scripted user, offscreen unless a display
// is given) and once on the terminal host (answers piped, output to a file).
// Prints the medians of three runs of each and their ratio.
//
//   window_bench ARBORIX_TERM_PATH
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

#include "frame_window.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/scripted_user.h"

namespace {

// The series store of the runs here, zero-filled as a program's is.
arb::SeriesStore run_store;

constexpr int kSeries = 8999;
constexpr int kRuns = 3;
const QStringList kAnswers = {"", "in.txt", "0", "out.txt", "111111111111", "1", "-99.9", "", "1", ""};

void write_data(const QString& dir) {
  QFile f(dir + "/in.txt");
  if (!f.open(QIODevice::WriteOnly)) return;
  QByteArray text;
  for (int s = 1; s <= kSeries; ++s) {
    text += QByteArray("Station ") + QByteArray::number(s) + " synthetic\n";
    for (int year = 1990; year < 1992; ++year) {
      text += QByteArray::number(year).rightJustified(5);
      for (int m = 0; m < 12; ++m) text += QByteArray::number((s + m + year) % 300 / 10.0, 'f', 1).rightJustified(5);
      text += '\n';
    }
  }
  f.write(text);
}

// One run in the window, in this process: prints its seconds.
int window_run(int argc, char** argv, const QString& dir) {
  if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  QDir::setCurrent(dir);
  arb::win::testing::FakeDialogs dialogs;
  arb::win::FrameWindow frame(QStringLiteral("arborix"), dialogs);
  frame.show();
  arb::win::WindowHost host(frame);
  QElapsedTimer clock;
  double seconds = 0;
  std::size_t lines = 0;
  arb::win::testing::ScriptedUser user(host, kAnswers, [&] {
    seconds = clock.nsecsElapsed() / 1e9;
    lines = host.console_window()->text().store().line_count();
    frame.exit_action()->trigger();
  });
  clock.start();
  arb::RunContext run{run_store, {}};
  int status = arb::rt::run_program(host, [&run] { arb::arborix(run); });
  std::printf("%.4f %zu\n", seconds, lines);
  return status;
}

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 3 && QByteArray(argv[1]) == "--window-run") return window_run(argc, argv, argv[2]);
  if (argc != 2) {
    std::fprintf(stderr, "usage: window_bench ARBORIX_TERM_PATH\n");
    return 2;
  }
  QCoreApplication app(argc, argv);
  QTemporaryDir dir;
  write_data(dir.path());
  QFile answers(dir.filePath("answers.txt"));
  if (!answers.open(QIODevice::WriteOnly)) return 1;
  answers.write(kAnswers.join('\n').toLatin1() + "\n");
  answers.close();

  std::vector<double> window, terminal;
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

    QProcess t;
    t.setWorkingDirectory(dir.path());
    t.setStandardInputFile(dir.filePath("answers.txt"));
    t.setStandardOutputFile(dir.filePath("console.txt"));
    QElapsedTimer clock;
    clock.start();
    t.start(QString::fromLocal8Bit(argv[1]), {});
    if (!t.waitForFinished(600000) || t.exitCode() != 0) {
      std::fprintf(stderr, "terminal run failed\n");
      return 1;
    }
    terminal.push_back(clock.nsecsElapsed() / 1e9);
  }
  double wm = median(window), tm = median(terminal);
  std::printf("series: %d; console lines in the window: %s\n", kSeries, lines.constData());
  std::printf("window run:   %.3f s (median of %d)\n", wm, kRuns);
  std::printf("terminal run: %.3f s (median of %d)\n", tm, kRuns);
  std::printf("ratio window/terminal: %.2f\n", wm / tm);
  return 0;
}
