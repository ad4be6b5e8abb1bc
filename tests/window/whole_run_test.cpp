// SPDX-License-Identifier: GPL-3.0-or-later
// A whole run of the program in the window, answered by a scripted user,
// against the same run on the terminal host.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "frame_window.h"
#include "utf8_text.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/window_fixture.h"
#include "tests/window/many_series.h"
#include "tests/window/run_arborix.h"
#include "tests/window/scripted_user.h"

using namespace arb::win;
using arb::win::testing::FakeDialogs;
using arb::win::testing::contents;
using arb::win::testing::Quil;
using arb::win::testing::ScriptedUser;

namespace {

const QString kScenario = QStringLiteral(ARB_GOLDEN_DIR "/two_series_method2");

// The scenario's data file under another name, its "Station A" renamed.
void copy_inputs(const QString& to, const QString& data_name, const QString& station) {
  QByteArray data = contents(kScenario + "/input/in.txt");
  data.replace("Station A", station.toUtf8());
  QFile out(to + "/" + data_name);
  QVERIFY(out.open(QIODevice::WriteOnly));
  out.write(data);
}

QStringList answers(const QString& data_name) {
  QString text = QString::fromLatin1(contents(kScenario + "/answers.txt"));
  QStringList lines = text.split(QChar('\n'));
  if (!lines.isEmpty() && lines.back().isEmpty()) lines.removeLast();
  lines.replaceInStrings(QStringLiteral("in.txt"), data_name);
  return lines;
}

void write_answers(const QString& path, const QStringList& lines) {
  QFile out(path);
  QVERIFY(out.open(QIODevice::WriteOnly));
  out.write((lines.join(QChar('\n')) + QChar('\n')).toUtf8());
}

// The terminal host's standard output for the answers, run in the folder.
QByteArray terminal_output(const QString& folder, const QStringList& lines) {
  write_answers(folder + "/answers.txt", lines);
  QProcess term;
  term.setWorkingDirectory(folder);
  term.setStandardInputFile(folder + "/answers.txt");
  term.start(QStringLiteral(ARB_TERM_PATH), {});
  if (!term.waitForFinished(60000) || term.exitCode() != 0) return "<terminal run failed>";
  return term.readAllStandardOutput();
}

// The text the window shows, line by line.
QString shown(TextWindow& w) {
  QStringList lines;
  const TextStore& store = w.text().store();
  for (std::size_t i = 0; i < store.line_count(); ++i) lines << shown_text(store.line(i));
  return lines.join(QChar('\n'));
}

}  // namespace

class WholeRunTest : public QObject {
  Q_OBJECT

 private slots:
  // The same data as ASCII, and with a UTF-8 file name and title typed
  // and shown as their characters.
  void two_series_in_the_window_match_the_terminal_data() {
    QTest::addColumn<QString>("data_name");
    QTest::addColumn<QString>("station");
    QTest::newRow("ASCII") << "in.txt" << "Station A";
    QTest::newRow("UTF-8") << QStringLiteral("donn\u00e9es.dat") << QStringLiteral("Z\u00fcrich A");
  }
  void two_series_in_the_window_match_the_terminal() {
    QFETCH(QString, data_name);
    QFETCH(QString, station);
    // The terminal run, answers piped.
    QTemporaryDir term_dir, win_dir;
    copy_inputs(term_dir.path(), data_name, station);
    copy_inputs(win_dir.path(), data_name, station);
    const QByteArray term_console = terminal_output(term_dir.path(), answers(data_name));

    // The window run, in its own folder.
    const QString saved = win_dir.filePath("transcript.txt");
    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(win_dir.path());
    Quil q;
    FakeDialogs& dialogs = q.dialogs;
    FrameWindow& frame = q.frame;
    WindowHost& host = *q.host;
    dialogs.save_names.push_back(saved);
    QString status_at_end, text_at_end;
    std::size_t lines_at_end = 0;
    ScriptedUser user(host, answers(data_name), [&] {
      status_at_end = frame.status_line().text();
      // A finished run takes no more typing; Save still works.
      QTest::keyClicks(&host.console_window()->view(), QStringLiteral("late"));
      QTest::keyClick(&host.console_window()->view(), Qt::Key_Return);
      text_at_end = shown(*host.console_window());
      lines_at_end = host.console_window()->text().store().line_count();
      frame.save_action()->trigger();
      frame.exit_action()->trigger();
    });
    int status = arb::win::testing::run_arborix(host);
    QDir::setCurrent(old_dir);

    QCOMPARE(status, 0);
    QCOMPARE(user.answered(), answers(data_name).size());
    QVERIFY(dialogs.warnings.isEmpty());
    QVERIFY(dialogs.questions.isEmpty());  // saved before Exit
    QCOMPARE(contents(win_dir.filePath("out.txt")), contents(term_dir.filePath("out.txt")));
    if (data_name == "in.txt")
      QCOMPARE(contents(win_dir.filePath("out.txt")), contents(kScenario + "/expected/out.txt"));
    QCOMPARE(status_at_end, QStringLiteral("Run finished: output written to out.txt"));
    QVERIFY(!text_at_end.contains(QStringLiteral("late")));
    QVERIFY(text_at_end.contains(QStringLiteral("1  ") + station));
    QVERIFY(lines_at_end > 40);

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

  // 4,000 series write far more than a window once held: Save still
  // writes every line from the welcome to the final pause, in order, the
  // terminal's standard output with CR LF line ends.
  void a_long_run_is_saved_whole() {
    QTemporaryDir term_dir, win_dir;
    for (const QTemporaryDir* d : {&term_dir, &win_dir})
      QVERIFY(arb::win::testing::write_many_series(d->filePath("in.txt"), 4000));
    const QStringList& typed = arb::win::testing::kManySeriesAnswers;
    QByteArray expected = terminal_output(term_dir.path(), typed);
    QVERIFY(expected.count('\n') > 4000);

    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(win_dir.path());
    Quil q;
    q.dialogs.save_names = {win_dir.filePath("before.txt"), win_dir.filePath("saved.txt")};
    ScriptedUser user(*q.host, typed, [&] {
      q.frame.save_as_action()->trigger();
      q.frame.save(q.window());  // after Save As: the dialog again, the whole text again
      q.frame.exit_action()->trigger();
    });
    QCOMPARE(arb::win::testing::run_arborix(*q.host), 0);
    QDir::setCurrent(old_dir);

    QCOMPARE(user.answered(), typed.size());
    QVERIFY(q.dialogs.questions.isEmpty());  // nothing asked of a long text
    expected.replace("\n", "\r\n");
    QCOMPARE(contents(win_dir.filePath("before.txt")).size(), expected.size());
    QVERIFY(contents(win_dir.filePath("before.txt")) == expected);
    QVERIFY(contents(win_dir.filePath("saved.txt")) == expected);
  }
};

QTEST_MAIN(WholeRunTest)
#include "whole_run_test.moc"
