// SPDX-License-Identifier: GPL-3.0-or-later
// A run in the window ended by a signal at the final pause: the output
// file is whole on disk while the pause waits, and the run ends in order
// with status 128 + n, also when a modal dialog is open then.  One run per
// process (ctest names the function): the signal's flag is never reset.
#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <csignal>

#include "frame_window.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "process_guard.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/window_fixture.h"
#include "tests/window/run_arborix.h"
#include "tests/window/scripted_user.h"

using namespace arb::win;
using arb::win::testing::contents;
using arb::win::testing::ScriptedUser;

namespace {

const QString kScenario = QStringLiteral(ARB_GOLDEN_DIR "/two_series_method2");

// Every answer but the Enter that ends the final pause.
QStringList answers_to_the_pause() {
  QStringList answers = QString::fromLatin1(contents(kScenario + "/answers.txt")).split(QChar('\n'));
  while (!answers.isEmpty() && answers.back().isEmpty()) answers.removeLast();
  return answers;
}

void copy_inputs(const QString& to) {
  QDir in(kScenario + "/input");
  for (const QString& name : in.entryList(QDir::Files)) QFile::copy(in.filePath(name), to + "/" + name);
}

}  // namespace

class SignalRunTest : public QObject {
  Q_OBJECT

 private slots:
  void sigterm_at_the_final_pause_keeps_the_output() {
    arb::rt::guard_process();
    QTemporaryDir dir;
    copy_inputs(dir.path());
    const QStringList answers = answers_to_the_pause();
    const QByteArray expected = contents(kScenario + "/expected/out.txt");

    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    arb::win::testing::Quil q;
    QByteArray at_pause;
    ScriptedUser user(*q.host, answers, [] {});
    user.at_read = [&](int n) {
      if (n != answers.size()) return;
      at_pause = contents(dir.filePath("out.txt"));
      std::raise(SIGTERM);
    };
    const int status = arb::win::testing::run_arborix(*q.host);
    QDir::setCurrent(old_dir);

    QCOMPARE(status, 128 + SIGTERM);
    QCOMPARE(user.answered(), answers.size());
    QCOMPARE(at_pause, expected);
    QCOMPARE(contents(dir.filePath("out.txt")), expected);
  }

  // The real Save As dialog open at the pause: SIGHUP closes it and ends
  // the run.
  void sighup_with_a_dialog_open_ends_the_run() {
    arb::rt::guard_process();
    QTemporaryDir dir;
    copy_inputs(dir.path());
    const QStringList answers = answers_to_the_pause();
    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    auto dialogs = make_qt_dialogs();
    FrameWindow frame(QStringLiteral("arborix"), *dialogs);
    frame.show();
    WindowHost host(frame);
    QString open_dialog;
    ScriptedUser user(host, answers, [] {});
    user.at_read = [&](int n) {
      if (n != answers.size()) return;
      QTimer::singleShot(100, [&] {
        if (QWidget* modal = QApplication::activeModalWidget()) open_dialog = modal->metaObject()->className();
        std::raise(SIGHUP);
      });
      frame.save_as_action()->trigger();  // returns once the signal closed the dialog
    };
    const int status = arb::win::testing::run_arborix(host);
    QDir::setCurrent(old_dir);

    QCOMPARE(open_dialog, QStringLiteral("QFileDialog"));
    QCOMPARE(status, 128 + SIGHUP);
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    QCOMPARE(contents(dir.filePath("out.txt")), contents(kScenario + "/expected/out.txt"));
  }
};

QTEST_MAIN(SignalRunTest)
#include "signal_run_test.moc"
