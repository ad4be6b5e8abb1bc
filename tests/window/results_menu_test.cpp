// SPDX-License-Identifier: GPL-3.0-or-later
// The Results menu after a scripted run of the example data in the window:
// every results window opens, each plot saves as SVG, PNG and PDF and prints, the
// export goes to the folder named in the dialog, and --export draws the
// plots beside its CSV files; the answers saved repeat the run.
#include <QAction>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QMdiArea>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <memory>

#include "results_host.h"
#include "attach.h"
#include "plot_window.h"
#include "frame_window.h"
#include "window_host.h"
#include "driver.h"
#include "console_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/window_fixture.h"
#include "tests/window/run_arborix.h"
#include "tests/window/scripted_user.h"

using namespace arb::win;
using arb::results_window::PlotWindow;
using arb::results_window::ResultsMenu;
using arb::win::testing::FakeDialogs;
using arb::win::testing::contents;
using arb::win::testing::ScriptedUser;

namespace {

// A picture file that reads back as one: PNG through QImage, SVG through
// QSvgRenderer (with lines drawn), PDF by its header.
bool picture_ok(const QString& path) {
  if (path.endsWith(".png")) {
    QImage image(path);
    return !image.isNull() && image.width() > 100 && image.height() > 100;
  }
  if (path.endsWith(".svg")) {
    const QSvgRenderer svg(path);
    return svg.isValid() && svg.defaultSize().width() > 100 && contents(path).contains("<polyline");
  }
  return contents(path).startsWith("%PDF");
}

const QStringList kAnswers{"", "data.txt", "0", "out.txt", "111111111111", "1", "-99.9", "n", "2", ""};

// The window as the program sets it up (the results host and the Results
// menu attached) around a run of the example data in a folder of its own.
struct ExampleRun {
  QTemporaryDir dir;
  FakeDialogs dialogs;
  FrameWindow frame{QStringLiteral("arborix"), dialogs};
  WindowHost window{frame};
  std::unique_ptr<arb::cli::ResultsHost> host;
  ResultsMenu menu{frame};
  int answered = 0;

  explicit ExampleRun(const QString& export_dir) {
    QFile::copy(QStringLiteral(ARB_EXAMPLES_DIR "/ukmo_tmax_layout1.txt"), dir.filePath("data.txt"));
    arb::cli::Options options;
    options.export_dir = dir.filePath(export_dir).toStdString();
    host = std::make_unique<arb::cli::ResultsHost>(window, "arborix", options);
    host->warn_years = false;
    arb::results_window::attach(*host, menu, window.console_window()->view().text_font());
    frame.show();
  }
  // The exit status; at_end runs once the run has ended.
  int run(std::function<void()> at_end) {
    const QString old_dir = QDir::currentPath();
    QDir::setCurrent(dir.path());
    ScriptedUser user(window, kAnswers, std::move(at_end));
    const int status = arb::win::testing::run_arborix(*host, host->results_hook());
    QDir::setCurrent(old_dir);
    answered = user.answered();
    return status;
  }
};

QString text_of(QMdiSubWindow* w) {
  auto* view = w ? qobject_cast<QPlainTextEdit*>(w->widget()) : nullptr;
  return view ? view->toPlainText() : QString();
}

}  // namespace

class ResultsMenuTest : public QObject {
  Q_OBJECT

 private slots:
  void every_results_window_after_a_run() {
    ExampleRun r(QStringLiteral("exp"));
    FrameWindow& frame = r.frame;
    FakeDialogs& dialogs = r.dialogs;
    ResultsMenu& menu = r.menu;
    const QTemporaryDir& dir = r.dir;
    QVERIFY(!menu.menu()->isEnabled());

    QStringList saved;
    QString check_text, output_text, check_item;
    bool output_enabled = false;
    QStringList outside;  // result windows not wholly inside the frame, or too small
    auto look_inside = [&] {
      const QRect area = frame.mdi().viewport()->rect();
      for (QMdiSubWindow* w : frame.mdi().subWindowList())
        if (!area.contains(w->geometry()) || w->width() < area.width() / 2 || w->height() < area.height() / 2)
          outside << w->windowTitle();
    };
    const int status = r.run([&] {
      output_enabled = menu.output_action()->isEnabled();
      check_item = menu.check_action()->text();
      for (PlotWindow* plot : {menu.open_record(), menu.open_coverage()}) {
        for (const char* suffix : {".svg", ".png", ".pdf"}) {
          const QString name = dir.filePath(plot->windowTitle().replace(' ', '_') + suffix);
          dialogs.save_names.push_back(name);
          if (plot->save_as()) saved << name;
        }
      }
      // Print: the fake print dialog sends the page to a PDF file.
      dialogs.on_print = [&](QPrinter& printer) {
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(dir.filePath("printed.pdf"));
        return true;
      };
      menu.open_record()->print();
      check_text = text_of(menu.open_check());
      output_text = text_of(menu.open_output());
      look_inside();
      for (QAction* a : frame.findChildren<QAction*>())
        if (a->text() == "&Cascade") a->trigger();
      look_inside();
      dialogs.save_names.push_back(dir.filePath("chosen"));
      menu.export_asked();
      dialogs.save_names.push_back(dir.filePath("saved_answers.txt"));
      frame.save_answers_action()->trigger();
      frame.exit_action()->trigger();
    });

    QCOMPARE(status, 0);
    QCOMPARE(r.answered, kAnswers.size());
    QVERIFY(menu.menu()->isEnabled());
    QVERIFY(output_enabled);
    QCOMPARE(check_item, QStringLiteral("&Data Check (0 findings)"));
    QVERIFY2(dialogs.warnings.isEmpty(), qPrintable(dialogs.warnings.join('\n')));
    QCOMPARE(saved.size(), 6);
    QVERIFY2(outside.isEmpty(), qPrintable(outside.join(", ")));
    QCOMPARE(dialogs.save_requests.front().kind, FileKind::Plot);
    QCOMPARE(dialogs.save_requests.size(), 8);  // six plots, the export, the answers
    QCOMPARE(dialogs.save_requests[6].kind, FileKind::Folder);
    QCOMPARE(dialogs.save_requests[7].kind, FileKind::Text);
    for (const QString& name : saved) QVERIFY2(picture_ok(name), qPrintable(name));
    QVERIFY(check_text.contains("Nothing found."));
    QVERIFY(picture_ok(dir.filePath("printed.pdf")));
    QCOMPARE(output_text, QString::fromLocal8Bit(contents(dir.filePath("out.txt"))));
    for (const QString& folder : {QStringLiteral("exp"), QStringLiteral("chosen")}) {
      for (const char* name : {"average.svg", "average.png", "coverage.svg", "coverage.png"})
        QVERIFY2(picture_ok(dir.filePath(folder + "/" + name)), name);
      QVERIFY(contents(dir.filePath(folder + "/average.csv")).startsWith("year,JAN,FEB,MAR,"));
    }
    // The answers as the program read them, from --export and from Save
    // Answers (an Enter on the welcome reads the window's line above);
    // typed into the terminal program in the same folder they repeat the
    // run's output file byte for byte.
    const QByteArray saved_answers = contents(dir.filePath("saved_answers.txt"));
    QCOMPARE(contents(dir.filePath("exp/answers.txt")), saved_answers);
    const QList<QByteArray> lines = saved_answers.split('\n');
    QCOMPARE(lines.size(), kAnswers.size() + 1);
    for (qsizetype i = 1; i + 1 < kAnswers.size(); ++i) QCOMPARE(QString(lines[i]), kAnswers[i]);
    const QByteArray output = contents(dir.filePath("out.txt"));
    QVERIFY(QFile::remove(dir.filePath("out.txt")));
    QProcess replay;
    replay.setWorkingDirectory(dir.path());
    replay.setStandardInputFile(dir.filePath("saved_answers.txt"));
    replay.setStandardOutputFile(QProcess::nullDevice());
    replay.start(QStringLiteral(ARB_TERM_PATH), {});
    QVERIFY(replay.waitForFinished(60000));
    QCOMPARE(replay.exitCode(), 0);
    QCOMPARE(contents(dir.filePath("out.txt")), output);
  }

  // --export into a folder that cannot be made: status 3, the reason in the
  // status line beside the output file, and in a message box.
  void a_failed_export_is_shown() {
    ExampleRun r(QStringLiteral("data.txt/exp"));  // below a file
    QString status_line;
    const int status = r.run([&] {
      status_line = r.frame.status_line().text();
      r.frame.exit_action()->trigger();
    });

    QCOMPARE(status, 3);
    const QString reason = "Cannot write the export: " + r.dir.filePath("data.txt/exp") + ": Not a directory";
    QCOMPARE(status_line, "Run finished: output written to out.txt; " + reason);
    QCOMPARE(r.dialogs.warnings, QStringList({"Quil: " + reason}));
  }
};

QTEST_MAIN(ResultsMenuTest)
#include "results_menu_test.moc"
