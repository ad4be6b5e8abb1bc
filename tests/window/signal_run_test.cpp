// SPDX-License-Identifier: GPL-3.0-or-later
// A run in the window ended by SIGTERM at the final pause: the output file
// is whole on disk while the pause waits, and the run ends in order with
// status 128 + 15.  One run per process: the signal's flag is never reset.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>

#include "frame_window.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "process_guard.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/window_fixture.h"
#include "tests/window/scripted_user.h"

using namespace arb::win;
using arb::win::testing::FakeDialogs;
using arb::win::testing::contents;
using arb::win::testing::ScriptedUser;

namespace {

// The series store of the runs here, zero-filled as a program's is.
arb::SeriesStore run_store;

const QString kScenario = QStringLiteral(ARB_GOLDEN_DIR "/two_series_method2");

}  // namespace

class SignalRunTest : public QObject {
  Q_OBJECT

 private slots:
  void sigterm_at_the_final_pause_keeps_the_output() {
    arb::rt::guard_process();
    QTemporaryDir dir;
    QDir in(kScenario + "/input");
    for (const QString& name : in.entryList(QDir::Files)) QFile::copy(in.filePath(name), dir.filePath(name));
    // Every answer but the Enter that ends the final pause.
    QStringList answers = QString::fromLatin1(contents(kScenario + "/answers.txt")).split(QChar('\n'));
    while (!answers.isEmpty() && answers.back().isEmpty()) answers.removeLast();
    const QByteArray expected = contents(kScenario + "/expected/out.txt");

    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    FakeDialogs dialogs;
    FrameWindow frame(QStringLiteral("arborix"), dialogs);
    frame.show();
    WindowHost host(frame);
    QByteArray at_pause;
    ScriptedUser user(host, answers, [] {});
    user.at_read = [&](int n) {
      if (n != answers.size()) return;
      at_pause = contents(dir.filePath("out.txt"));
      std::raise(SIGTERM);
    };
    arb::RunContext run{run_store, {}};
    const int status = arb::rt::run_program(host, [&run] { arb::arborix(run); });
    QDir::setCurrent(old_dir);

    QCOMPARE(status, 128 + SIGTERM);
    QCOMPARE(user.answered(), answers.size());
    QCOMPARE(at_pause, expected);
    QCOMPARE(contents(dir.filePath("out.txt")), expected);
  }
};

QTEST_MAIN(SignalRunTest)
#include "signal_run_test.moc"
