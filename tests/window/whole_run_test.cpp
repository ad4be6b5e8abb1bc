// A whole run of the program in the window, answered by a scripted user,
// against the same run on the terminal host.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "frame_window.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/scripted_user.h"

using namespace arb::win;
using arb::win::testing::FakeDialogs;
using arb::win::testing::ScriptedUser;

namespace {

const QString kScenario = QStringLiteral(ARB_GOLDEN_DIR "/two_series_method2");

QByteArray contents(const QString& path) {
  QFile f(path);
  return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing " + path.toUtf8() + ">");
}

void copy_inputs(const QString& to) {
  QDir in(kScenario + "/input");
  for (const QString& name : in.entryList(QDir::Files)) QFile::copy(in.filePath(name), to + "/" + name);
}

QStringList answers() {
  QString text = QString::fromLatin1(contents(kScenario + "/answers.txt"));
  QStringList lines = text.split(QChar('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  return lines;
}

}  // namespace

class WholeRunTest : public QObject {
  Q_OBJECT

 private slots:
  void two_series_in_the_window_match_the_terminal() {
    // The terminal run, answers piped.
    QTemporaryDir term_dir, win_dir;
    copy_inputs(term_dir.path());
    copy_inputs(win_dir.path());
    QProcess term;
    term.setWorkingDirectory(term_dir.path());
    term.setStandardInputFile(kScenario + "/answers.txt");
    term.start(QStringLiteral(ARB_TERM_PATH), {});
    QVERIFY(term.waitForFinished(60000));
    QCOMPARE(term.exitCode(), 0);
    const QByteArray term_console = term.readAllStandardOutput();

    // The window run, in its own folder.
    const QString saved = win_dir.filePath("transcript.txt");
    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(win_dir.path());
    FakeDialogs dialogs;
    dialogs.save_names.push_back(saved);
    FrameWindow frame(QStringLiteral("arborix"), dialogs);
    frame.show();
    WindowHost host(frame);
    ScriptedUser user(host, answers(), [&] {
      frame.save_action()->trigger();
      frame.exit_action()->trigger();
    });
    int status = arb::rt::run_program(host, &arb::arborix);
    QDir::setCurrent(old_dir);

    QCOMPARE(status, 0);
    QCOMPARE(user.answered(), answers().size());
    QVERIFY(dialogs.warnings.isEmpty());
    QVERIFY(dialogs.questions.isEmpty());  // saved before Exit
    QCOMPARE(contents(win_dir.filePath("out.txt")), contents(term_dir.filePath("out.txt")));
    QCOMPARE(contents(win_dir.filePath("out.txt")), contents(kScenario + "/expected/out.txt"));

    QList<QByteArray> window_lines = contents(saved).split('\n');
    QList<QByteArray> term_lines = term_console.split('\n');
    QVERIFY(term_lines.size() > 40);
    QCOMPARE(window_lines.size(), term_lines.size());
    for (qsizetype i = 0; i + 1 < window_lines.size(); ++i) {
      QVERIFY2(window_lines[i].endsWith('\r'), "every saved line ends with CR LF");
      window_lines[i].chop(1);
      QCOMPARE(window_lines[i], term_lines[i]);
    }
  }
};

QTEST_MAIN(WholeRunTest)
#include "whole_run_test.moc"
