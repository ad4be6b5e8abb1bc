// SPDX-License-Identifier: GPL-3.0-or-later
// The window as a desktop user works with it: settings kept between starts,
// selecting with the mouse and the keyboard, the context menu, the prompt
// kept in view, the status line, the save dialogs' suffixes, UTF-8 typing
// and pasting, and long lines on paper.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QMdiArea>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QMouseEvent>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <memory>

#include "frame_window.h"
#include "window_host.h"
#include "window_settings.h"
#include "tests/window/fake_dialogs.h"
#include "tests/window/window_fixture.h"

using namespace arb::win;
using arb::win::testing::FakeDialogs;
using arb::win::testing::Quil;

namespace {

QTemporaryDir* settings_dir = nullptr;

}  // namespace

class DesktopTest : public QObject {
  Q_OBJECT

 private slots:
  // Never the user's own settings.
  void initTestCase() {
    settings_dir = new QTemporaryDir;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settings_dir->path());
  }
  void cleanupTestCase() { delete settings_dir; }

  void settings_are_kept_at_close_and_read_back() {
    reset_settings();
    QFont font;
    {
      Quil first;
      keep_settings(first.frame, first.host->console_window());
      first.frame.resize(900, 620);
      first.window().showNormal();
      first.window().setGeometry(20, 25, 700, 410);
      first.frame.choose_font(first.window());  // six points larger
      first.frame.choose_color(first.window());
      font = first.view().text_font();
      first.frame.close();
    }
    QVERIFY(QFileInfo(open_settings()->fileName()).fileName() == QStringLiteral("io.github.arborix.arborix.conf"));
    QVERIFY(open_settings()->fileName().startsWith(settings_dir->path()));
    Quil second;
    restore_settings(second.frame, second.host->console_window());
    QCOMPARE(second.frame.size(), QSize(900, 620));
    QCOMPARE(second.window().geometry(), QRect(20, 25, 700, 410));
    QCOMPARE(second.view().text_font(), font);
    QCOMPARE(second.view().text_color(), QColor(Qt::darkGreen));

    // Maximised, it comes back maximised; --reset-settings forgets it all.
    second.window().showMaximized();
    save_settings(second.frame, second.host->console_window());
    {
      Quil third;
      restore_settings(third.frame, third.host->console_window());
      QVERIFY(third.window().isMaximized());
    }
    reset_settings();
    Quil fresh;
    restore_settings(fresh.frame, fresh.host->console_window());
    QVERIFY(fresh.window().isMaximized());
    QCOMPARE(fresh.view().text_color(), QColor(Qt::black));
  }

  void drag_selects_over_lines() {
    Quil q;
    q.host->ttyout(-1, "alpha beta gamma\n");
    q.host->ttyout(-1, "second line\n");
    q.mouse(QEvent::MouseButtonPress, q.cell(6, 0), Qt::LeftButton);
    q.mouse(QEvent::MouseMove, q.cell(5, 1), Qt::LeftButton);
    q.mouse(QEvent::MouseButtonRelease, q.cell(5, 1), Qt::NoButton);
    QCOMPARE(q.copied(), QStringLiteral("beta gamma\nsecon"));
    // Over lines: Copy, but no Cut or Delete.
    QVERIFY(q.frame.copy_action()->isEnabled());
    QVERIFY(!q.frame.cut_action()->isEnabled());
    QVERIFY(!q.frame.delete_action()->isEnabled());
  }

  // Dragged below the view, the view follows and the selection grows.
  void drag_below_the_view_scrolls() {
    Quil q;
    for (int i = 0; i < 60; ++i) q.host->ttyout(-1, "line " + std::to_string(i) + "\n");
    QTest::keyClick(&q.view(), Qt::Key_Home);
    q.mouse(QEvent::MouseButtonPress, q.cell(0, 0), Qt::LeftButton);
    const QPoint below(2, q.view().viewport()->height() + 5);
    for (int i = 0; i < 3; ++i) q.mouse(QEvent::MouseMove, below, Qt::LeftButton);
    QCOMPARE(q.window().text().first_line(), std::size_t{3});
    QVERIFY(q.copied().startsWith(QStringLiteral("line 0\nline 1\n")));
    QVERIFY(q.window().text().selection().to.line >= q.window().text().rows() + 2);  // off the first screen
  }

  void shift_arrows_select_and_copy() {
    Quil q;
    q.host->ttyout(-1, "==> ");
    q.when_waiting([&] {
      QTest::keyClicks(&q.view(), QStringLiteral("abc"));
      QTest::keyClick(&q.view(), Qt::Key_Left, Qt::ShiftModifier);
      QTest::keyClick(&q.view(), Qt::Key_Left, Qt::ShiftModifier);
      QCOMPARE(q.copied(), QStringLiteral("bc"));
      QVERIFY(q.frame.cut_action()->isEnabled());  // part of the line being typed
      QTest::keyClick(&q.view(), Qt::Key_Return);
    });
    QCOMPARE(q.host->ttyinp(-1, 256).value_or("<none>"), std::string("abc\r\n"));
  }

  // The context menu by the right button (which keeps the selection), the
  // Menu key and Shift+F10, holding the Edit menu's text actions.
  void context_menu_data() {
    QTest::addColumn<QString>("how");
    QTest::newRow("right button") << "right button";
    QTest::newRow("Menu key") << "Menu key";
    QTest::newRow("Shift+F10") << "Shift+F10";
  }
  void context_menu() {
    QFETCH(QString, how);
    Quil q;
    q.host->ttyout(-1, "one\n");
    q.host->ttyout(-1, "two");
    q.frame.select_all_action()->trigger();
    QStringList items;
    QTimer::singleShot(0, [&] {
      auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
      if (!menu) return;
      for (QAction* a : menu->actions()) items << a->text() + (a->isEnabled() ? "" : " (greyed)");
      menu->close();
    });
    if (how == "right button") {
      QTest::mousePress(q.view().viewport(), Qt::RightButton, {}, q.cell(1, 0));
      QContextMenuEvent event(QContextMenuEvent::Mouse, q.cell(1, 0), q.view().viewport()->mapToGlobal(q.cell(1, 0)));
      QApplication::sendEvent(q.view().viewport(), &event);
    } else {
      QTest::keyClick(&q.view(), how == "Menu key" ? Qt::Key_Menu : Qt::Key_F10,
                      how == "Menu key" ? Qt::NoModifier : Qt::ShiftModifier);
    }
    QCOMPARE(items, QStringList({"Cu&t (greyed)", "&Copy", "&Paste", "De&lete (greyed)", "Select &All"}));
    QCOMPARE(q.copied(), QStringLiteral("one\ntwo"));  // the selection is still there
  }

  // The status line is a permanent part of the status bar: the tips of
  // menus, shown there as messages, leave it as it was.
  void status_line_survives_menu_tips() {
    Quil q;
    QStatusTipEvent tip(QStringLiteral("a menu item's tip"));
    QApplication::sendEvent(&q.frame, &tip);
    QStatusTipEvent none{QString()};
    QApplication::sendEvent(&q.frame, &none);
    QVERIFY(q.frame.status_line().isVisible());
    QCOMPARE(q.status(), QStringLiteral("Working\u2026"));
  }

  // Items a desktop user looks for: standard keys, Undo greyed, a click
  // that anchors Shift+arrows, End that leaves Select All, typing over the
  // selected part of an answer, and the primary selection.
  void keys_and_selection_as_on_a_desktop() {
    Quil q;
    QCOMPARE(q.frame.save_action()->shortcut(), QKeySequence(QKeySequence::Save));
    QCOMPARE(q.frame.save_as_action()->shortcut(), QKeySequence(QKeySequence::SaveAs));
    QCOMPARE(q.frame.exit_action()->shortcut(), QKeySequence(QKeySequence::Quit));
    QVERIFY(!q.frame.undo_action()->isEnabled());
    // Every menu and every item has an access key of its own within its menu.
    const auto keys_of = [](const QList<QAction*>& actions) {
      QString keys;
      for (QAction* a : actions)
        if (!a->isSeparator()) keys += a->text().section(u'&', 1).left(1).toLower();
      return keys;
    };
    QList<QList<QAction*>> menus{q.frame.menuBar()->actions()};
    for (QAction* m : q.frame.menuBar()->actions()) {
      emit m->menu()->aboutToShow();  // the Window menu lists its windows then
      menus << m->menu()->actions();
    }
    for (const QList<QAction*>& actions : menus) {
      const QString keys = keys_of(actions);
      QCOMPARE(QSet<QChar>(keys.begin(), keys.end()).size(), keys.size());
      QCOMPARE(keys.size(), static_cast<qsizetype>(std::count_if(actions.begin(), actions.end(),
                                                                   [](QAction* a) { return !a->isSeparator(); })));
    }
    q.host->ttyout(-1, "alpha beta\n");
    QTest::mouseClick(q.view().viewport(), Qt::LeftButton, {}, q.cell(6, 0));
    QTest::keyClick(&q.view(), Qt::Key_Right, Qt::ShiftModifier);
    QTest::keyClick(&q.view(), Qt::Key_Right, Qt::ShiftModifier);
    QCOMPARE(q.copied(), QStringLiteral("be"));
    if (QApplication::clipboard()->supportsSelection())
      QCOMPARE(QApplication::clipboard()->text(QClipboard::Selection), QStringLiteral("be"));
    q.frame.select_all_action()->trigger();
    QTest::keyClick(&q.view(), Qt::Key_End);
    QVERIFY(!q.window().text().has_selection());

    q.host->ttyout(-1, "==> ");
    q.when_waiting([&] {
      q.keys(QStringLiteral("abcd"));
      QTest::keyClick(&q.view(), Qt::Key_Left, Qt::ShiftModifier);
      QTest::keyClick(&q.view(), Qt::Key_Left, Qt::ShiftModifier);
      q.keys(QStringLiteral("X"));  // replaces "cd"
      q.frame.select_all_action()->trigger();
      q.keys(QStringLiteral("Y"));  // over the prompt: at the caret
      QTest::keyClick(&q.view(), Qt::Key_Return);
    });
    QCOMPARE(q.read(), std::string("abXY\r\n"));
  }

  // Qt's own save dialogs, answered as a user would: a text file gets
  // ".txt", a plot the suffix of the type chosen, a folder none.
  void save_dialogs_give_each_kind_its_suffix_data() {
    QTest::addColumn<FileKind>("kind");
    QTest::addColumn<int>("downs");  // presses of Down on the file type
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("text") << FileKind::Text << 0 << "notes" << "notes.txt";
    QTest::newRow("plot as proposed") << FileKind::Plot << 0 << "myplot" << "myplot.png";
    QTest::newRow("plot as SVG") << FileKind::Plot << 1 << "myplot" << "myplot.svg";
    QTest::newRow("plot as PDF") << FileKind::Plot << 2 << "myplot" << "myplot.pdf";
    QTest::newRow("new folder") << FileKind::Folder << 0 << "arborix-export" << "arborix-export";
    QTest::newRow("existing folder") << FileKind::Folder << 0 << "old" << "old";
  }
  void save_dialogs_give_each_kind_its_suffix() {
    QFETCH(FileKind, kind);
    QFETCH(int, downs);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QDir(dir.path()).mkdir(QStringLiteral("old"));
    auto dialogs = make_qt_dialogs();
    QTimer::singleShot(0, [&] {
      auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
      if (!d) return;
      if (auto* types = d->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
        for (int i = 0; i < downs; ++i) QTest::keyClick(types, Qt::Key_Down);
      d->selectFile(typed);
      static_cast<QDialog*>(d)->accept();  // as the Save button does
    });
    const QString name = dialogs->save_file_name(nullptr, {"Save", dir.path(), "average.png", kind});
    QCOMPARE(name, dir.filePath(expected));
  }

  void triple_click_selects_the_line() {
    Quil q;
    q.host->ttyout(-1, "alpha beta gamma\n");
    QTest::mouseDClick(q.view().viewport(), Qt::LeftButton, {}, q.cell(7, 0));
    QTest::mouseClick(q.view().viewport(), Qt::LeftButton, {}, q.cell(7, 0));
    QCOMPARE(q.copied(), QStringLiteral("alpha beta gamma"));
  }

  // The prompt comes back into view when the window changes while a read
  // waits, after the user scrolled it away.
  void caret_in_view_after_a_change_data() {
    QTest::addColumn<QString>("change");
    QTest::newRow("font") << "font";
    QTest::newRow("resize") << "resize";
    QTest::newRow("tile") << "Tile &Horizontally";
    QTest::newRow("cascade") << "&Cascade";
    QTest::newRow("shrink, then tile") << "shrink, then Tile &Vertically";
  }
  void caret_in_view_after_a_change() {
    QFETCH(QString, change);
    Quil q;
    for (int i = 0; i < 60; ++i) q.host->ttyout(-1, "line " + std::to_string(i) + "\n");
    q.host->ttyout(-1, std::string(70, '-') + " ==> ");
    bool hidden = false, shown = false;
    q.when_waiting([&] {
      QTest::keyClick(&q.view(), Qt::Key_Home);
      hidden = !q.caret_in_view();
      if (change == "font") q.frame.choose_font(q.window());
      if (change == "resize" || change.startsWith("shrink")) q.window().resize(300, 200);
      for (QAction* a : q.frame.findChildren<QAction*>())
        if (a->text() == change || "shrink, then " + a->text() == change) a->trigger();
      QCoreApplication::processEvents();
      // In view, and not scrolled sideways further than that needs.
      const ConsoleText& t = q.window().text();
      shown = q.caret_in_view() && (t.caret_col() < t.cols()) == (t.first_col() == 0);
      QTest::keyClick(&q.view(), Qt::Key_Return);
    });
    q.host->ttyinp(-1, 256);
    QVERIFY(hidden);
    QVERIFY(shown);
  }

  void status_line_while_the_program_reads_and_works() {
    Quil q;
    QCOMPARE(q.status(), QStringLiteral("Working\u2026"));
    QString waiting;
    q.host->ttyout(-1, "==> ");
    q.when_waiting([&] {
      waiting = q.status();
      QTest::keyClick(&q.view(), Qt::Key_Return);
    });
    q.host->ttyinp(-1, 256);
    QCOMPARE(waiting, QStringLiteral("Waiting for your answer"));
    QCOMPARE(q.status(), QStringLiteral("Working\u2026"));
    // The status line never writes into the text.
    QCOMPARE(q.window().text().store().line_count(), std::size_t{1});
  }

  void after_the_stop_typing_is_refused() {
    Quil q;
    q.host->ttyout(-1, "the end\n");
    bool typing = true, copy = false;
    QString status, pasted_into;
    QTimer::singleShot(0, [&] {
      status = q.status();
      typing = q.view().accepts_typing();
      QTest::keyClicks(&q.view(), QStringLiteral("more"));
      QApplication::clipboard()->setText(QStringLiteral("pasted"));
      q.frame.paste_action()->trigger();
      pasted_into = QString::fromStdString(std::string(q.window().text().store().line(0)));
      q.frame.select_all_action()->trigger();
      copy = q.frame.copy_action()->isEnabled() && !q.frame.paste_action()->isEnabled() &&
             !q.frame.cut_action()->isEnabled();
      q.frame.exit_action()->trigger();
    });
    q.host->end_of_run_wait(0);
    QCOMPARE(status, QStringLiteral("Run finished"));  // no output file in this run
    QVERIFY(!typing);
    QCOMPARE(pasted_into, QStringLiteral("the end"));
    QVERIFY(copy);
  }

  // Typed and pasted characters reach the program as their UTF-8 bytes.
  void utf8_typed_and_pasted() {
    Quil q;
    q.host->ttyout(-1, "==> ");
    q.when_waiting([&] {
      q.type(QStringLiteral("donn\u00e9es \u20ac"));
      QTest::keyClick(&q.view(), Qt::Key_Return);
    });
    QCOMPARE(q.host->ttyinp(-1, 256).value_or(""), std::string("donn\xc3\xa9" "es \xe2\x82\xac\r\n"));
    q.host->ttyout(-1, "==> ");
    q.when_waiting([&] {
      QApplication::clipboard()->setText(QStringLiteral("Z\u00fcrich\n"));
      q.frame.paste_action()->trigger();
    });
    QCOMPARE(q.host->ttyinp(-1, 256).value_or(""), std::string("Z\xc3\xbcrich\r\n"));
  }

  // A line of 130 columns at 14 points on an A4 page: every character is
  // printed, on wrapped rows or in a smaller font.
  void long_line_printed_whole_data() {
    QTest::addColumn<LongLines>("long_lines");
    QTest::addColumn<int>("rows");
    QTest::newRow("wrap") << LongLines::Wrap << 2;
    QTest::newRow("scale") << LongLines::Scale << 1;
  }
  void long_line_printed_whole() {
    QFETCH(LongLines, long_lines);
    QFETCH(int, rows);
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty()) QSKIP("pdftotext (poppler-utils) is not installed");
    Quil q;
    QTemporaryDir dir;
    const QString pdf = dir.filePath("long.pdf");
    QString line;
    for (int i = 0; i < 13; ++i) line += QStringLiteral("%1abcdefghi").arg(i % 10);
    q.host->ttyout(-1, line.toStdString() + "\n");
    QFont font = q.view().text_font();
    font.setPointSize(14);
    q.view().set_text_font(font);
    q.dialogs.long_lines = long_lines;
    q.dialogs.on_print = [&](QPrinter& printer) {
      printer.setOutputFormat(QPrinter::PdfFormat);
      printer.setOutputFileName(pdf);
      printer.setPageSize(QPageSize(QPageSize::A4));
      return true;
    };
    for (QAction* a : q.frame.findChildren<QAction*>())
      if (a->text() == "&Print...") a->trigger();
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    QVERIFY(p.waitForFinished(30000));
    QStringList printed = QString::fromUtf8(p.readAllStandardOutput()).split(QChar('\n'), Qt::SkipEmptyParts);
    printed.removeIf([](const QString& s) { return s.trimmed().isEmpty() || s.trimmed() == QStringLiteral("\f"); });
    QCOMPARE(printed.size(), rows);
    QString joined = printed.join(QString()).remove(QChar(0x21AA)).remove(QChar(' ')).remove(QChar('\f'));
    QCOMPARE(joined, line);
  }
};

QTEST_MAIN(DesktopTest)
#include "desktop_test.moc"
