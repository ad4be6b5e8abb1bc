// SPDX-License-Identifier: GPL-3.0-or-later
// The frame, the "Input/Output" window and the five console operations on
// the offscreen platform, with the dialogs answered by the test.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QFontMetricsF>
#include <QMdiArea>
#include <QMenuBar>
#include <QPageLayout>
#include <QPageSize>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "frame_window.h"
#include "window_host.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/window_fixture.h"

using namespace arb::win;
using arb::win::testing::FakeDialogs;
using arb::win::testing::Quil;
using arb::win::testing::contents;

namespace {

// "one" saved as a, then saved as b.
void save_then_save_as(Quil& q, const QString& a, const QString& b) {
  q.host->ttyout(-1, "one\n");
  q.dialogs.save_names.push_back(a);
  q.frame.save_action()->trigger();
  q.dialogs.save_names.push_back(b);
  q.frame.save_as_action()->trigger();
}

}  // namespace

class WindowHostTest : public QObject {
  Q_OBJECT

 private slots:
  void frame_menus_and_window() {
    Quil q;
    // The maximised console's title joins the frame's, as in any such frame.
    QCOMPARE(q.frame.windowTitle(), QStringLiteral("arborix - [Input/Output]"));
    QStringList menus;
    for (QAction* a : q.frame.menuBar()->actions()) menus << a->text();
    QCOMPARE(menus, QStringList({"&File", "&Edit", "F&ormat", "&Window"}));
    QCOMPARE(q.window().windowTitle(), QStringLiteral("Input/Output"));
    // The console fills the frame, and stays so while other windows come.
    QVERIFY(q.window().isMaximized());
    QCOMPARE(q.window().geometry(), q.frame.mdi().viewport()->rect());
    QCOMPARE(q.view().verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(q.view().horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(q.frame.undo_action()->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
    QCOMPARE(q.frame.cut_action()->shortcut(), QKeySequence(QStringLiteral("Ctrl+X")));
    QCOMPARE(q.frame.copy_action()->shortcut(), QKeySequence(QStringLiteral("Ctrl+C")));
    QCOMPARE(q.frame.paste_action()->shortcut(), QKeySequence(QStringLiteral("Ctrl+V")));
    QVERIFY(q.frame.paste_action()->isEnabled());
    QVERIFY(!q.frame.save_action()->isEnabled());
    QVERIFY(!q.frame.cut_action()->isEnabled());
    // Monospaced in fact: narrow and wide characters advance alike.
    const QFontMetricsF fm(q.view().text_font());
    for (QChar c : QStringLiteral("iWm.")) QCOMPARE(fm.horizontalAdvance(c), fm.horizontalAdvance(QChar('0')));
  }

  void negative_units_reach_the_console_window() {
    Quil q;
    QVERIFY(q.host->ttyout(-1, "one\n"));
    QVERIFY(q.host->ttyout(-4, "two\n"));
    QCOMPARE(q.window().text().store().line_count(), std::size_t{2});
    QVERIFY(!q.host->ttyout(7, "nowhere\n"));
    QCOMPARE(q.window().text().store().line_count(), std::size_t{2});
  }

  void prompt_and_answer() {
    Quil q;
    q.host->ttyout(-1, " File name (/ to exit)                      ==> ");
    q.when_waiting([&] {
      q.keys("data.txt");
      q.key(Qt::Key_Return);
    });
    QCOMPARE(q.read(), std::string("data.txt\r\n"));
    QVERIFY(!q.window().text().waiting());
  }

  void empty_answer() {
    Quil q;
    q.host->ttyout(-1, " Skip how many lines?  ==> ");
    q.when_waiting([&] { q.key(Qt::Key_Return); });
    QCOMPARE(q.read(), std::string("\r\n"));
  }

  void left_twice_then_insert() {
    Quil q;
    q.host->ttyout(-1, "==> ");
    q.when_waiting([&] {
      q.keys("xyz");
      q.key(Qt::Key_Left);
      q.key(Qt::Key_Left);
      q.keys("Q");
      q.key(Qt::Key_Return);
    });
    QCOMPARE(q.read(), std::string("xQyz\r\n"));
  }

  void backspace_into_the_prompt() {
    Quil q;
    q.host->ttyout(-1, "Mask ==> ");
    q.when_waiting([&] {
      q.keys("1");
      for (int i = 0; i < 3; ++i) q.key(Qt::Key_Backspace);
      q.keys("abc");
      q.key(Qt::Key_Return);
    });
    // "Mask ==> 1" lost "1", " " and ">": "Mask ==abc"; the read starts at column 9.
    QCOMPARE(q.read(), std::string("c\r\n"));
    QCOMPARE(std::string(q.window().text().store().line(0)), std::string("Mask ==abc"));
  }

  void tab_key() {
    Quil q;
    q.when_waiting([&] {
      q.keys("abc");
      q.key(Qt::Key_Tab);
      q.keys("d");
      q.key(Qt::Key_Tab);
      q.keys("e");
      q.key(Qt::Key_Return);
    });
    QCOMPARE(q.read(), std::string("abc     d       e\r\n"));
  }

  void answer_cut_after_a_48_character_prompt() {
    Quil q;
    q.host->ttyout(-1, std::string(44, ' ') + "==> ");
    QString typed;
    for (int i = 0; i < 300; ++i) typed += QChar('a' + i % 26);
    q.when_waiting([&] {
      q.keys(typed);
      q.key(Qt::Key_Return);
    });
    std::string got = q.read();
    QCOMPARE(got, typed.left(206).toStdString() + "\r\n");
  }

  void typing_sets_save_and_double_click_selects() {
    Quil q;
    q.host->ttyout(-1, "alpha beta gamma\n");
    QVERIFY(q.frame.save_action()->isEnabled());
    q.view().sync_now();
    const int w = q.view().cell_width(), h = q.view().cell_height();
    QTest::mouseDClick(q.view().viewport(), Qt::LeftButton, {}, QPoint(w * 7 + w / 2, h / 2));
    QVERIFY(q.window().text().has_selection());
    QCOMPARE(q.window().text().selected_text(), std::string("beta"));
    QVERIFY(q.frame.cut_action()->isEnabled());
    QVERIFY(q.frame.copy_action()->isEnabled());
    QVERIFY(q.frame.delete_action()->isEnabled());
    q.frame.copy_action()->trigger();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("beta"));
    q.frame.cut_action()->trigger();
    QCOMPARE(std::string(q.window().text().store().line(0)), std::string("alpha  gamma"));
    // Program output removes a selection and greys the items, as typing does.
    QTest::mouseDClick(q.view().viewport(), Qt::LeftButton, {}, QPoint(w / 2, h / 2));
    QVERIFY(q.frame.copy_action()->isEnabled());
    q.host->ttyout(-1, "more\n");
    QVERIFY(!q.frame.copy_action()->isEnabled());
    QVERIFY(!q.frame.cut_action()->isEnabled());
    QVERIFY(!q.frame.delete_action()->isEnabled());
    QVERIFY(q.frame.paste_action()->isEnabled());
    // A single click removes the selection (at another place: a third
    // click at the same place selects the line).
    QTest::mouseDClick(q.view().viewport(), Qt::LeftButton, {}, QPoint(w / 2, h / 2));
    QVERIFY(q.frame.copy_action()->isEnabled());
    QTest::mouseClick(q.view().viewport(), Qt::LeftButton, {}, QPoint(w * 9 + w / 2, h / 2));
    QVERIFY(!q.window().text().has_selection());
    QVERIFY(!q.frame.copy_action()->isEnabled());
  }

  void paste_with_a_line_end_answers_the_read() {
    Quil q;
    q.host->ttyout(-1, " Method (1, 2 or 3)  ==> ");
    QApplication::clipboard()->setText(QStringLiteral("2\nnext line"));
    q.when_waiting([&] { q.frame.paste_action()->trigger(); });
    QCOMPARE(q.read(), std::string("2\r\n"));
  }

  void paste_takes_at_most_1024_characters() {
    Quil q;
    QApplication::clipboard()->setText(QString(2000, QChar('p')));
    q.frame.paste_action()->trigger();
    QCOMPARE(q.window().text().store().char_count(), std::size_t{1024});
  }

  void save_on_a_window_never_saved_asks_and_cancel_keeps_save() {
    Quil q;
    q.host->ttyout(-1, "text\n");
    QVERIFY(q.frame.save_action()->isEnabled());
    q.dialogs.save_names.push_back(QString());  // Cancel
    q.frame.save_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.size(), 1);
    const SaveRequest& r = q.dialogs.save_requests.front();
    QCOMPARE(r.proposed, QStringLiteral("Untitled"));
    QCOMPARE(r.title, QStringLiteral("Untitled"));
    QCOMPARE(r.folder, QDir::currentPath());
    QVERIFY(q.frame.save_action()->isEnabled());
    QCOMPARE(q.window().windowTitle(), QStringLiteral("Input/Output"));
    // Save As cancelled: the same.
    q.dialogs.save_names.push_back(QString());
    q.frame.save_as_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.size(), 2);
    QVERIFY(q.frame.save_action()->isEnabled());
  }

  void save_then_type_then_save_again_without_dialog() {
    Quil q;
    QTemporaryDir dir;
    QString path = dir.filePath("run.txt");
    q.host->ttyout(-1, "first line  \n");
    q.dialogs.save_names.push_back(path);
    q.frame.save_action()->trigger();
    QCOMPARE(contents(path).toStdString(), std::string("first line  \r\n"));
    QCOMPARE(q.window().windowTitle(), QStringLiteral("run.txt"));
    QVERIFY(!q.frame.save_action()->isEnabled());
    q.keys("x");
    QVERIFY(q.frame.save_action()->isEnabled());
    q.frame.save_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.size(), 1);
    QCOMPARE(contents(path).toStdString(), std::string("first line  \r\nx\r\n"));
    // The next dialog opens in the folder last chosen, proposing the title.
    q.dialogs.save_names.push_back(QString());
    q.frame.save_as_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.back().folder, QFileInfo(path).absolutePath());
    QCOMPARE(q.dialogs.save_requests.back().proposed, QStringLiteral("run.txt"));
  }

  void save_as_does_not_name_the_window() {
    Quil q;
    QTemporaryDir dir;
    QString path = dir.filePath("copy.txt");
    q.host->ttyout(-1, "line\n");
    q.dialogs.save_names.push_back(path);
    q.frame.save_as_action()->trigger();
    QCOMPARE(contents(path).toStdString(), std::string("line\r\n"));
    QCOMPARE(q.window().windowTitle(), QStringLiteral("copy.txt"));
    QVERIFY(!q.frame.save_action()->isEnabled());
    q.keys("y");
    q.dialogs.save_names.push_back(dir.filePath("second.txt"));
    q.frame.save_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.size(), 2);
    QCOMPARE(contents(dir.filePath("second.txt")).toStdString(), std::string("line\r\ny\r\n"));
  }

  void saving_an_empty_window_makes_an_empty_file() {
    Quil q;
    QTemporaryDir dir;
    QString path = dir.filePath("empty.txt");
    q.dialogs.save_names.push_back(path);
    q.frame.save_as_action()->trigger();
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(QFileInfo(path).size(), 0);
  }

  // A write that fails changes nothing: the text stays modified, Save
  // enabled and the title as it was, so that Exit still asks.
  void save_failures_are_reported_and_keep_the_flag() {
    Quil q;
    q.host->ttyout(-1, "line\n");
    q.dialogs.save_names.push_back(QStringLiteral("/nonexistent-folder/out.txt"));
    q.frame.save_action()->trigger();
    q.dialogs.save_names.push_back(QStringLiteral("/nonexistent-folder/out.txt"));
    q.frame.save_as_action()->trigger();
    // The message names the file and the system's reason.
    const QString cannot = QStringLiteral("Quil: Cannot create file\n/nonexistent-folder/out.txt: No such file or directory");
    QCOMPARE(q.dialogs.warnings, QStringList({cannot, cannot}));
    QVERIFY(q.frame.save_action()->isEnabled());
    QVERIFY(q.window().text().modified());
    QCOMPARE(q.window().windowTitle(), QStringLiteral("Input/Output"));
    // Never named: the next Save asks again.
    q.frame.save_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.size(), 3);
    if (QFileInfo::exists("/dev/full")) {
      q.dialogs.save_names.push_back(QStringLiteral("/dev/full"));
      q.frame.save_as_action()->trigger();
      QCOMPARE(q.dialogs.warnings.back(), QStringLiteral("Quil: I/O error while writing file\n/dev/full: No space left on device"));
      QVERIFY(q.frame.save_action()->isEnabled());
      QCOMPARE(q.window().windowTitle(), QStringLiteral("Input/Output"));
    }
    q.dialogs.answers.push_back(Answer::Cancel);
    q.frame.exit_action()->trigger();
    QCOMPARE(q.dialogs.questions, QStringList({"Save changes to Input/Output?"}));
    QVERIFY(!q.frame.exit_done());
  }

  // A window saved under a name whose file can no longer be created.
  void save_to_its_file_failing_keeps_title_and_flag() {
    Quil q;
    QTemporaryDir dir;
    QDir(dir.path()).mkdir("gone");
    const QString path = dir.filePath("gone/run.txt");
    q.host->ttyout(-1, "line\n");
    q.dialogs.save_names.push_back(path);
    q.frame.save_action()->trigger();
    QVERIFY(!q.frame.save_action()->isEnabled());
    QVERIFY(QDir(dir.filePath("gone")).removeRecursively());
    q.keys("x");
    q.frame.save_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.size(), 1);
    QCOMPARE(q.dialogs.warnings, QStringList({"Quil: Cannot create file\n" + path + ": No such file or directory"}));
    QVERIFY(q.frame.save_action()->isEnabled());
    QCOMPARE(q.window().windowTitle(), QStringLiteral("run.txt"));
    // Yes at Exit fails the same way: the window stays, its text kept.
    q.dialogs.answers.push_back(Answer::Yes);
    q.frame.exit_action()->trigger();
    QCOMPARE(q.dialogs.questions, QStringList({"Save changes to run.txt?"}));
    QCOMPARE(q.dialogs.warnings.size(), 2);
    QVERIFY(!q.frame.exit_done());
    QVERIFY(q.host->console_window() != nullptr);
    QVERIFY(q.window().text().modified());
  }

  // After Save as a then Save As b, Save asks, proposing b, and a is left
  // as it was.
  void save_after_save_as_asks_for_the_titles_file() {
    Quil q;
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt"), b = dir.filePath("b.txt");
    save_then_save_as(q, a, b);
    QCOMPARE(q.window().windowTitle(), QStringLiteral("b.txt"));
    q.keys("2");
    q.frame.save_action()->trigger();  // cancelled: nothing written
    QCOMPARE(q.dialogs.save_requests.size(), 3);
    QCOMPARE(q.dialogs.save_requests.back().proposed, QStringLiteral("b.txt"));
    QCOMPARE(q.dialogs.save_requests.back().title, QStringLiteral("b.txt"));
    QCOMPARE(contents(a).toStdString(), std::string("one\r\n"));
    QCOMPARE(contents(b).toStdString(), std::string("one\r\n"));
    QVERIFY(q.frame.save_action()->isEnabled());
    q.dialogs.save_names.push_back(b);
    q.frame.save_action()->trigger();
    QCOMPARE(contents(b).toStdString(), std::string("one\r\n2\r\n"));
    QCOMPARE(contents(a).toStdString(), std::string("one\r\n"));
    // Named again by that Save: the next one writes b without asking.
    q.keys("3");
    q.frame.save_action()->trigger();
    QCOMPARE(q.dialogs.save_requests.size(), 4);
    QCOMPARE(contents(b).toStdString(), std::string("one\r\n23\r\n"));
  }

  void yes_at_exit_after_save_as_asks_for_the_titles_file() {
    Quil q;
    QTemporaryDir dir;
    const QString a = dir.filePath("a.txt"), b = dir.filePath("b.txt");
    save_then_save_as(q, a, b);
    q.keys("2");
    q.dialogs.answers.push_back(Answer::Yes);
    q.dialogs.save_names.push_back(b);
    q.frame.exit_action()->trigger();
    QCOMPARE(q.dialogs.questions, QStringList({"Save changes to b.txt?"}));
    QCOMPARE(q.dialogs.save_requests.size(), 3);
    QCOMPARE(q.dialogs.save_requests.back().proposed, QStringLiteral("b.txt"));
    QCOMPARE(contents(b).toStdString(), std::string("one\r\n2\r\n"));
    QCOMPARE(contents(a).toStdString(), std::string("one\r\n"));
    QVERIFY(q.frame.exit_done());
  }

  void exit_while_waiting_yes_then_cancel_stops_unsaved() {
    Quil q;
    q.host->ttyout(-1, "Answer ==> ");
    q.dialogs.answers.push_back(Answer::Yes);
    q.dialogs.save_names.push_back(QString());
    q.when_waiting([&] { q.frame.exit_action()->trigger(); });
    QCOMPARE(q.read_ending_the_run(), 0);
    QCOMPARE(q.dialogs.questions, QStringList({"Save changes to Input/Output?"}));
    QCOMPARE(q.dialogs.save_requests.size(), 1);
    QVERIFY(q.frame.exit_done());
    QVERIFY(q.host->console_window() == nullptr);
    QCOMPARE(q.host->end_of_run_wait(0), 0);
  }

  void exit_while_waiting_no_stops() {
    Quil q;
    q.host->ttyout(-1, "Answer ==> ");
    q.dialogs.answers.push_back(Answer::No);
    q.when_waiting([&] { q.frame.exit_action()->trigger(); });
    QCOMPARE(q.read_ending_the_run(), 0);
    QVERIFY(q.dialogs.save_requests.isEmpty());
    QVERIFY(q.dialogs.warnings.isEmpty());
  }

  void exit_cancelled_keeps_the_read_waiting() {
    Quil q;
    q.host->ttyout(-1, "Answer ==> ");
    q.dialogs.answers.push_back(Answer::Cancel);
    q.when_waiting([&] {
      q.frame.exit_action()->trigger();
      QTimer::singleShot(0, [&] {
        QVERIFY(q.window().text().waiting());
        q.keys("42");
        q.key(Qt::Key_Return);
      });
    });
    QCOMPARE(q.read(), std::string("42\r\n"));
    QCOMPARE(q.dialogs.questions.size(), 1);
    QVERIFY(!q.frame.exit_done());
  }

  void question_text_is_cut_to_50_characters() {
    Quil q;
    QTemporaryDir dir;
    QString name = QString(60, QChar('n')) + ".txt";
    q.dialogs.save_names.push_back(dir.filePath(name));
    q.frame.save_as_action()->trigger();
    q.keys("k");
    q.dialogs.answers.push_back(Answer::Cancel);
    q.frame.exit_action()->trigger();
    QCOMPARE(q.dialogs.questions.size(), 1);
    QCOMPARE(q.dialogs.questions.front(), ("Save changes to " + name).left(50) + "?");
    QVERIFY(!q.frame.exit_done());
  }

  void exit_without_changes_asks_nothing() {
    Quil q;
    q.frame.exit_action()->trigger();
    QVERIFY(q.frame.exit_done());
    QVERIFY(q.dialogs.questions.isEmpty());
  }

  void end_of_run_wait_lasts_until_exit() {
    Quil q;
    q.host->ttyout(-1, "done\n");
    q.dialogs.answers.push_back(Answer::No);
    bool still_usable = false;
    QTimer::singleShot(0, [&] {
      // The text still scrolls and copies after the run.
      q.key(Qt::Key_Home);
      q.view().sync_now();
      QTest::mouseDClick(q.view().viewport(), Qt::LeftButton, {},
                         QPoint(q.view().cell_width() / 2, q.view().cell_height() / 2));
      still_usable = q.frame.copy_action()->isEnabled();
      q.frame.exit_action()->trigger();
    });
    QCOMPARE(q.host->end_of_run_wait(3), 3);
    QVERIFY(still_usable);
  }

  void closed_window_makes_the_next_read_fail() {
    Quil q;
    q.host->ttyout(-1, "x\n");
    q.dialogs.answers.push_back(Answer::No);
    q.window().close();
    QVERIFY(q.host->console_window() == nullptr);
    // The program goes on computing.
    q.host->pump();
    QCOMPARE(q.read_ending_the_run(), 0);
    QCOMPARE(q.dialogs.warnings, QStringList({"Window Handler Error: Not a valid window, program exited."}));
    // The environment ends with the run.
    QCOMPARE(q.host->end_of_run_wait(0), 0);
  }

  void window_closed_while_a_read_waits() {
    Quil q;
    q.host->ttyout(-1, "Answer ==> ");
    q.dialogs.answers.push_back(Answer::No);
    q.when_waiting([&] { q.window().close(); });
    QCOMPARE(q.read_ending_the_run(), 0);
    QCOMPARE(q.dialogs.warnings.size(), 1);
  }

  void write_without_window_shows_nothing_and_quits() {
    Quil q;
    q.dialogs.answers.push_back(Answer::No);
    q.host->ttyout(-1, "x\n");
    q.window().close();
    QVERIFY(!q.host->ttyout(-1, "lost\n"));
    QVERIFY(q.dialogs.warnings.isEmpty());
    QCOMPARE(q.host->end_of_run_wait(0), 0);
  }

  void exit_between_statements_stops_the_program() {
    Quil q;
    q.frame.exit_action()->trigger();
    bool stopped = false;
    try {
      q.host->pump();
    } catch (const arb::rt::RunEnd& end) {
      stopped = end.status == 0;
    }
    QVERIFY(stopped);
  }

  void font_and_color() {
    Quil q;
    q.host->ttyout(-1, "text\n");
    int old_height = q.view().cell_height();
    std::size_t old_rows = q.window().text().rows();
    q.frame.findChild<QMenuBar*>();
    for (QAction* a : q.frame.findChildren<QAction*>()) {
      if (a->text() == "&Font...") a->trigger();
      if (a->text() == "&Color") a->trigger();
    }
    QVERIFY(q.view().cell_height() > old_height);
    QVERIFY(q.window().text().rows() < old_rows);
    QCOMPARE(q.view().text_color(), QColor(Qt::darkGreen));
  }

  void window_arrangement_and_list() {
    Quil q;
    QVERIFY(q.host->open_window(20, "Second", "100,100,200,150"));
    QCOMPARE(q.frame.mdi().subWindowList().size(), 2);
    QCOMPARE(q.host->window_for(20)->geometry(), QRect(100, 100, 200, 150));
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "Tile &Vertically") a->trigger();
    QRect first = q.frame.mdi().subWindowList()[0]->geometry();
    QRect second = q.frame.mdi().subWindowList()[1]->geometry();
    QCOMPARE(first.top(), second.top());
    QVERIFY(first.right() < second.left());
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "Tile &Horizontally") a->trigger();
    first = q.frame.mdi().subWindowList()[0]->geometry();
    second = q.frame.mdi().subWindowList()[1]->geometry();
    QCOMPARE(first.left(), second.left());
    QVERIFY(first.bottom() < second.top());
    QVERIFY(q.host->ttyout(20, "to the second\n"));
    QCOMPARE(q.host->window_for(20)->text().store().line_count(), std::size_t{1});
    QCOMPARE(q.window().text().store().line_count(), std::size_t{0});
  }

  void about_box() {
    Quil q;
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "&About...") a->trigger();
    QCOMPARE(q.dialogs.abouts, 1);
  }

  void print_page_two_of_one_hundred_lines() {
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    Quil q;
    QTemporaryDir dir;
    QString pdf = dir.filePath("page2.pdf");
    for (int i = 1; i <= 100; ++i) q.host->ttyout(-1, "line " + std::to_string(i) + "\n");
    QString doc_name;
    q.dialogs.on_print = [&](QPrinter& printer) {
      doc_name = printer.docName();
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      // A page just over 60 lines high in the window's font.
      QFontMetricsF fm(QFont(q.view().text_font(), &printer), &printer);
      double line_inch = std::lround((fm.height() + fm.leading()) * 100.0 / printer.resolution()) / 100.0;
      QPageSize size(QSizeF(8.5, line_inch * 60.5), QPageSize::Inch);
      printer.setPageLayout(QPageLayout(size, QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
      printer.setPrintRange(QPrinter::PageRange);
      printer.setFromTo(2, 2);
      return true;
    };
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "&Print...") a->trigger();
    QCOMPARE(doc_name, QStringLiteral("Quil Input/Output"));
    QVERIFY(q.dialogs.warnings.isEmpty());
    QVERIFY(q.window().isEnabled());
    QProcess p;
    p.start(pdftotext, {pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QChar('\f'), Qt::SkipEmptyParts);
    QCOMPARE(pages.size(), 1);
    QStringList lines = pages.front().split(QChar('\n'), Qt::SkipEmptyParts);
    QCOMPARE(lines.size(), 40);
    QCOMPARE(lines.front().trimmed(), QStringLiteral("line 61"));
    QCOMPARE(lines.back().trimmed(), QStringLiteral("line 100"));
  }

  void print_without_printer() {
    Quil q;
    q.host->ttyout(-1, "line\n");
    q.dialogs.on_print = [](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(QStringLiteral("/nonexistent-folder/out.pdf"));
      return true;
    };
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "&Print...") a->trigger();
    QCOMPARE(q.dialogs.warnings, QStringList({"Quil: Cannot obtain Printer DC"}));
  }

  // The PDF file the print dialog proposes lies in the working folder.
  void print_proposes_a_pdf_file_in_the_working_folder() {
    Quil q;
    q.host->ttyout(-1, "line\n");
    QString proposed;
    q.dialogs.on_print = [&](QPrinter& printer) {
      proposed = printer.outputFileName();
      return false;
    };
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "&Print...") a->trigger();
    const QFileInfo file(proposed);
    QCOMPARE(file.absolutePath(), QDir::currentPath());
    QCOMPARE(file.suffix(), QStringLiteral("pdf"));
    QVERIFY(QFileInfo(file.absolutePath()).isDir());
  }

  void print_cancelled_in_the_dialog_prints_nothing() {
    Quil q;
    q.host->ttyout(-1, "line\n");
    q.dialogs.on_print = [](QPrinter&) { return false; };
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "&Print...") a->trigger();
    QVERIFY(q.dialogs.warnings.isEmpty());
  }
};

QTEST_MAIN(WindowHostTest)
#include "window_host_test.moc"
