// SPDX-License-Identifier: GPL-3.0-or-later
// The window's own logic without a screen: the text store, character
// handling, the editing keys, scrolling, selection, the line a read
// returns, the saved file and the printed lines.
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <sstream>

#include "console_text.h"
#include "machine_info.h"
#include "print_layout.h"
#include "transcript_file.h"
#include "utf8_text.h"

using arb::win::ConsoleText;
using arb::win::Key;
using arb::win::TextStore;

namespace {

// A read as the host does it: the prompt written, keys typed, Enter.
std::string answer(ConsoleText& t, std::string_view prompt, const std::function<void()>& typing,
                   std::size_t capacity = 256) {
  t.write(prompt);
  t.begin_read(capacity);
  typing();
  return t.take_answer();
}

std::string read_file(const QString& path) {
  std::ifstream in(path.toStdString(), std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

class ConsoleTextTest : public QObject {
  Q_OBJECT

 private slots:
  void prompt_then_answer_returns_only_the_answer() {
    ConsoleText t;
    std::string got = answer(t, " File name (/ to exit)            ==> ", [&] { t.type("data.txt\r"); });
    QCOMPARE(got, std::string("data.txt\r\n"));
    QCOMPARE(std::string(t.store().line(0)), std::string(" File name (/ to exit)            ==> data.txt"));
    QCOMPARE(t.input_start(), std::size_t{0});
  }

  void empty_answer_is_the_line_end() {
    ConsoleText t;
    QCOMPARE(answer(t, "Prompt ==> ", [&] { t.put(ConsoleText::kReturn); }), std::string("\r\n"));
  }

  void read_after_a_whole_line_starts_at_column_zero() {
    ConsoleText t;
    QCOMPARE(answer(t, "Type something\n", [&] { t.type("abc\r"); }), std::string("abc\r\n"));
    QCOMPARE(t.store().line_count(), std::size_t{2});
  }

  void caret_moves_left_and_inserts() {
    ConsoleText t;
    std::string got = answer(t, "> ", [&] {
      t.type("xyz");
      t.key(Key::Left);
      t.key(Key::Left);
      t.type("Q\r");
    });
    QCOMPARE(got, std::string("xQyz\r\n"));
  }

  void backspace_into_the_prompt() {
    ConsoleText t;
    std::string got = answer(t, "Name ==> ", [&] {
      t.type("ab");
      for (int i = 0; i < 4; ++i) t.put(ConsoleText::kBackspace);
      t.type("cdefgh\r");
    });
    // The prompt ended at column 9; two of its characters are gone.
    QCOMPARE(std::string(t.store().line(0)), std::string("Name ==cdefgh"));
    QCOMPARE(got, std::string("efgh\r\n"));
  }

  void backspace_at_column_zero_does_nothing() {
    ConsoleText t;
    t.write("line\n");
    t.put(ConsoleText::kBackspace);
    QCOMPARE(t.store().line_count(), std::size_t{1});
    QCOMPARE(std::string(t.store().line(0)), std::string("line"));
  }

  void tab_stops_data() {
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("blanks");
    QTest::newRow("column 3") << 3 << 5;
    QTest::newRow("column 8") << 8 << 8;
    QTest::newRow("column 0") << 0 << 8;
    QTest::newRow("column 15") << 15 << 1;
  }
  void tab_stops() {
    QFETCH(int, column);
    QFETCH(int, blanks);
    ConsoleText t;
    t.type(std::string(static_cast<std::size_t>(column), 'a'));
    t.put(ConsoleText::kTab);
    QCOMPARE(t.caret_col(), static_cast<std::size_t>(column + blanks));
    QCOMPARE(std::string(t.store().line(0)),
             std::string(static_cast<std::size_t>(column), 'a') + std::string(static_cast<std::size_t>(blanks), ' '));
  }

  void long_answer_is_cut_at_column_254() {
    ConsoleText t;
    std::string prompt(48, 'p');
    std::string typed;
    for (int i = 0; i < 300; ++i) typed += static_cast<char>('a' + i % 26);
    std::string got = answer(t, prompt, [&] { t.type(typed + "\r"); });
    QCOMPARE(got.size(), std::size_t{206 + 2});
    QCOMPARE(got, typed.substr(0, 206) + "\r\n");
  }

  void line_shorter_than_the_prompt_gives_the_line_end() {
    ConsoleText t;
    std::string got = answer(t, "Prompt ==> ", [&] {
      for (int i = 0; i < 5; ++i) t.put(ConsoleText::kBackspace);
      t.put(ConsoleText::kReturn);
    });
    QCOMPARE(got, std::string("\r\n"));
  }

  void line_feed_typed_inside_a_line_is_a_blank() {
    ConsoleText t;
    t.put('a');
    t.put(ConsoleText::kLineFeed);
    t.put('b');
    QCOMPARE(std::string(t.store().line(0)), std::string("a b"));
  }

  void record_line_ends() {
    ConsoleText t;
    t.write("one\n");
    t.write("\n");
    t.write("two\r\nthree\n");
    t.write("prompt ");
    QCOMPARE(t.store().line_count(), std::size_t{5});
    QCOMPARE(std::string(t.store().line(1)), std::string());
    QCOMPARE(std::string(t.store().line(2)), std::string("two"));
    QCOMPARE(std::string(t.store().line(4)), std::string("prompt "));
    QCOMPARE(t.input_start(), std::size_t{7});
    QVERIFY(!t.new_line_pending());
  }

  void two_returns_open_an_empty_line() {
    ConsoleText t;
    t.write("a\n");
    t.put(ConsoleText::kReturn);
    t.put('b');
    QCOMPARE(t.store().line_count(), std::size_t{3});
    QCOMPARE(std::string(t.store().line(1)), std::string());
  }

  void editing_keys() {
    ConsoleText t;
    t.type("abcd");
    t.key(Key::Right);  // already at the end
    QCOMPARE(t.caret_col(), std::size_t{4});
    t.key(Key::Left);
    t.key(Key::Left);
    t.key(Key::Delete);
    QCOMPARE(std::string(t.store().line(0)), std::string("abd"));
    t.key(Key::Insert);
    QCOMPARE(std::string(t.store().line(0)), std::string("ab d"));
    QCOMPARE(t.caret_col(), std::size_t{2});
    for (int i = 0; i < 5; ++i) t.key(Key::Left);
    QCOMPARE(t.caret_col(), std::size_t{0});
    t.put(ConsoleText::kReturn);
    // A new line is pending: Right, Insert and Delete do nothing.
    t.key(Key::Right);
    t.key(Key::Insert);
    t.key(Key::Delete);
    QCOMPARE(t.caret_col(), std::size_t{0});
    QCOMPARE(t.store().line_count(), std::size_t{1});
    QCOMPARE(std::string(t.store().line(0)), std::string("ab d"));
  }

  void scroll_ranges_and_moves() {
    ConsoleText t;
    t.set_view_size(10, 20);
    for (int i = 0; i < 30; ++i) t.write("0123456789012345678901234567890\n");
    QCOMPARE(t.max_first_line(), std::size_t{30 - 10 + 2});
    QCOMPARE(t.max_first_col(), std::size_t{31 - 20});
    QCOMPARE(t.first_col(), std::size_t{0});  // each line end returns to the left
    t.key(Key::Home);
    QCOMPARE(t.first_line(), std::size_t{0});
    t.key(Key::Up);
    QCOMPARE(t.first_line(), std::size_t{0});
    t.key(Key::PageDown);
    QCOMPARE(t.first_line(), std::size_t{10});
    t.key(Key::Down);
    QCOMPARE(t.first_line(), std::size_t{11});
    t.key(Key::End);
    QCOMPARE(t.first_line(), std::size_t{22});
    t.key(Key::PageDown);
    QCOMPARE(t.first_line(), std::size_t{22});
    t.scroll_to_col(100);
    QCOMPARE(t.first_col(), std::size_t{11});
    t.scroll_to_col(-3);
    QCOMPARE(t.first_col(), std::size_t{0});
    // Typing scrolls back to the bottom, then opens the new line.
    t.key(Key::Home);
    std::size_t bottom = t.max_first_line();
    t.put('x');
    QCOMPARE(t.first_line(), bottom);
    QVERIFY(t.caret_line() - t.first_line() < t.rows());
  }

  void small_text_does_not_scroll() {
    ConsoleText t;
    t.set_view_size(10, 20);
    for (int i = 0; i < 5; ++i) t.write("line\n");
    QCOMPARE(t.max_first_line(), std::size_t{0});
    QCOMPARE(t.first_line(), std::size_t{0});
  }

  void typing_past_the_right_edge_scrolls_right() {
    ConsoleText t;
    t.set_view_size(5, 10);
    t.type("0123456789ab");
    QVERIFY(t.first_col() > 0);
    QVERIFY(t.caret_col() - t.first_col() <= t.cols());
    t.put(ConsoleText::kReturn);
    QCOMPARE(t.first_col(), std::size_t{0});
  }

  void page_moves_at_least_one_line() {
    ConsoleText t;
    t.set_view_size(0, 10);
    for (int i = 0; i < 5; ++i) t.write("x\n");
    t.key(Key::Home);
    t.key(Key::PageDown);
    QCOMPARE(t.first_line(), std::size_t{1});
  }

  void word_selection_data() {
    QTest::addColumn<int>("col");
    QTest::addColumn<QString>("word");
    QTest::newRow("middle of a word") << 9 << "climate";
    QTest::newRow("first letter") << 7 << "climate";
    QTest::newRow("start of line") << 1 << "The";
    QTest::newRow("end of line") << 18 << "file";
    QTest::newRow("on a blank") << 3 << "";
    QTest::newRow("past the end") << 40 << "";
  }
  void word_selection() {
    QFETCH(int, col);
    QFETCH(QString, word);
    ConsoleText t;
    t.set_view_size(10, 80);
    t.write("The    climate file\n");
    t.select_word_at(0, static_cast<std::size_t>(col));
    QCOMPARE(t.has_selection(), !word.isEmpty());
    QCOMPARE(QString::fromStdString(t.selected_text()), word);
  }

  void typing_removes_the_selection() {
    ConsoleText t;
    t.set_view_size(10, 80);
    t.write("alpha beta\n");
    t.select_word_at(0, 7);
    QVERIFY(t.has_selection());
    t.key(Key::Delete);  // the key leaves the selection alone
    QVERIFY(t.has_selection());
    t.put('z');
    QVERIFY(!t.has_selection());
  }

  void delete_selection_moves_the_caret_with_the_text() {
    ConsoleText t;
    t.set_view_size(10, 80);
    t.write("Answer ==> ");
    t.type("one two");
    t.select_word_at(0, 12);  // "one"
    QCOMPARE(t.selected_text(), std::string("one"));
    t.delete_selection();
    QCOMPARE(std::string(t.store().line(0)), std::string("Answer ==>  two"));
    QCOMPARE(t.caret_col(), std::size_t{15});
    QVERIFY(!t.has_selection());
  }

  void delete_selection_on_an_earlier_line() {
    ConsoleText t;
    t.set_view_size(10, 80);
    t.write("first line\n");
    t.write("second");
    t.select_word_at(0, 0);
    t.delete_selection();
    QCOMPARE(std::string(t.store().line(0)), std::string(" line"));
    QCOMPARE(std::string(t.store().line(1)), std::string("second"));
    QCOMPARE(t.caret_col(), std::size_t{6});
  }

  void modified_flag() {
    ConsoleText t;
    QVERIFY(!t.modified());
    t.write("x\n");
    QVERIFY(t.modified());
    t.set_modified(false);
    t.key(Key::Up);
    QVERIFY(!t.modified());
    t.put(ConsoleText::kBackspace);
    QVERIFY(t.modified());
  }

  void pasted_line_end_answers_with_the_first_line() {
    ConsoleText t;
    t.write("Method ==> ");
    t.begin_read(256);
    t.type("2\r\nrest");
    QVERIFY(!t.waiting());
    QCOMPARE(t.take_answer(), std::string("2\r\n"));
    QCOMPARE(std::string(t.store().line(1)), std::string("rest"));
  }

  // Far beyond the old fixed store: every line stays, in order, whole.
  void a_long_text_keeps_every_line() {
    ConsoleText t;
    t.set_view_size(10, 80);
    const std::string line(99, 'a');
    for (int i = 0; i < 40000; ++i) t.write(std::to_string(i) + " " + line + "\n");
    t.write(std::string(300000, 'z'));
    const TextStore& s = t.store();
    QCOMPARE(s.line_count(), std::size_t{40001});
    for (std::size_t i : {std::size_t{0}, std::size_t{2647}, std::size_t{39999}})
      QCOMPARE(std::string(s.line(i)), std::to_string(i) + " " + line);
    QCOMPARE(s.line_length(40000), std::size_t{300000});
    QCOMPARE(s.longest(), std::size_t{300000});
    QCOMPARE(t.max_first_line(), std::size_t{40003 - 10});
  }

  void many_lines_keep_the_view_in_range() {
    ConsoleText t;
    t.set_view_size(10, 80);
    for (int i = 0; i < 40000; ++i) t.write("x\n");
    QVERIFY(t.first_line() <= t.max_first_line());
  }

  void transcript_has_crlf_after_every_line() {
    QTemporaryDir dir;
    ConsoleText t;
    t.write(" Welcome   \n");
    t.write("\n");
    t.write("Answer ==> ");
    t.type("yes\r");
    QString path = dir.filePath("out.txt");
    QCOMPARE(arb::win::write_transcript(t.store(), path.toStdString()).result, arb::win::SaveResult::Written);
    QCOMPARE(read_file(path), std::string(" Welcome   \r\n\r\nAnswer ==> yes\r\n"));
  }

  void transcript_of_an_empty_window_is_empty() {
    QTemporaryDir dir;
    ConsoleText t;
    QString path = dir.filePath("empty.txt");
    QCOMPARE(arb::win::write_transcript(t.store(), path.toStdString()).result, arb::win::SaveResult::Written);
    QVERIFY(QFileInfo::exists(path));
    QCOMPARE(read_file(path), std::string());
  }

  void transcript_that_cannot_be_created() {
    ConsoleText t;
    QCOMPARE(arb::win::write_transcript(t.store(), "/nonexistent-folder/x.txt").result, arb::win::SaveResult::CannotCreate);
  }

  void transcript_write_failure() {
    if (!QFileInfo::exists("/dev/full")) QSKIP("no /dev/full");
    ConsoleText t;
    t.write("text\n");
    QCOMPARE(arb::win::write_transcript(t.store(), "/dev/full").result, arb::win::SaveResult::WriteFailed);
  }

  void printed_lines_data() {
    QTest::addColumn<int>("lines");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("end");
    QTest::newRow("page 2 of 100 lines") << 100 << 2 << 2 << 60 << 100;
    QTest::newRow("page 1") << 100 << 1 << 1 << 0 << 60;
    QTest::newRow("all pages") << 100 << 0 << 0 << 0 << 100;
    QTest::newRow("pages 1 to 32767") << 100 << 1 << 32767 << 0 << 100;
    QTest::newRow("past the end") << 100 << 3 << 4 << 0 << 0;
  }
  void printed_lines() {
    QFETCH(int, lines);
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(int, first);
    QFETCH(int, end);
    auto got = arb::win::lines_to_print(static_cast<std::size_t>(lines), 60, from, to);
    QCOMPARE(got.first, static_cast<std::size_t>(first));
    QCOMPARE(got.end, static_cast<std::size_t>(end));
  }

  void lines_per_page_rounds_down() {
    QCOMPARE(arb::win::lines_per_page(1000, 16), std::size_t{62});
    QCOMPARE(arb::win::lines_per_page(10, 16), std::size_t{1});
    QCOMPARE(arb::win::lines_per_page(960, 16), std::size_t{60});
  }

  void machine_values() {
    auto m = arb::win::machine_info();
    QVERIFY(m.page_size >= 4096);
    QVERIFY(m.processors >= 1);
  }

  // Shift with the movement keys selects from the caret, over lines too.
  void shift_keys_select_data() {
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("selected");
    auto k = [](Key key) { return static_cast<int>(key); };
    QTest::newRow("left twice") << QList<int>{k(Key::Left), k(Key::Left)} << "bc";
    QTest::newRow("left over a UTF-8 character") << QList<int>{k(Key::Left), k(Key::Left), k(Key::Left), k(Key::Left)}
                                                 << QStringLiteral("\u00e9abc");
    QTest::newRow("home") << QList<int>{k(Key::Home)} << QStringLiteral("==> \u00e9abc");
    QTest::newRow("up a line") << QList<int>{k(Key::Up)} << QStringLiteral(" two\n==> \u00e9abc");
    QTest::newRow("up then end") << QList<int>{k(Key::Up), k(Key::End)} << QStringLiteral("\n==> \u00e9abc");
    QTest::newRow("page up stops at the first line") << QList<int>{k(Key::PageUp), k(Key::Home)}
                                                     << QStringLiteral("line one two\n==> \u00e9abc");
    QTest::newRow("left then right again") << QList<int>{k(Key::Left), k(Key::Right)} << "";
  }
  void shift_keys_select() {
    QFETCH(QList<int>, keys);
    QFETCH(QString, selected);
    ConsoleText t;
    t.set_view_size(10, 80);
    t.write("line one two\n");
    t.write("==> ");
    t.type("\xc3\xa9" "abc");
    for (int key : keys) t.extend_selection(static_cast<Key>(key));
    QCOMPARE(t.has_selection(), !selected.isEmpty());
    QCOMPARE(arb::win::shown_text(t.selected_text()), selected);
    // Cut and Delete take a selection within one line only.
    QCOMPARE(t.selection_on_one_line(), !selected.isEmpty() && !selected.contains('\n'));
  }

  void select_all_and_a_line() {
    ConsoleText t;
    t.set_view_size(10, 80);
    t.write("first\nsecond line\n");
    t.write("==> ");
    t.select_all();
    QCOMPARE(t.selected_text(), std::string("first\nsecond line\n==> "));
    t.select_line_at(1);
    QCOMPARE(t.selected_text(), std::string("second line"));
    t.delete_selection();  // one line: Delete removes it
    QCOMPARE(t.store().line_length(1), std::size_t{0});
    t.select_all();
    t.delete_selection();  // over lines: Delete does nothing
    QCOMPARE(t.store().line_count(), std::size_t{3});
  }

  // A UTF-8 character is one cell and one step of the editing keys.
  void utf8_characters_edit_as_one() {
    ConsoleText t;
    t.set_view_size(10, 80);
    std::string got = answer(t, "==> ", [&] {
      t.type("Z\xc3\xbc" "rich \xe2\x82\xac");
      t.put(ConsoleText::kBackspace);  // the euro sign, all three bytes
      t.key(Key::Left);
      t.key(Key::Left);
      t.key(Key::Left);
      t.key(Key::Left);
      t.key(Key::Left);
      t.key(Key::Left);                // before the u with umlaut
      t.key(Key::Delete);              // both its bytes
      t.type("u");
      t.put(ConsoleText::kReturn);
    });
    QCOMPARE(got, std::string("Zurich \r\n"));
  }

  void shown_bytes_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("cells");
    QTest::newRow("ASCII") << QByteArray("Station A") << "Station A" << 9;
    QTest::newRow("UTF-8") << QByteArray("Z\xc3\xbcrich \xe2\x82\xac") << QStringLiteral("Z\u00fcrich \u20ac") << 8;
    QTest::newRow("Latin-1 bytes") << QByteArray("\xe9t\xe9") << QStringLiteral("\u00e9t\u00e9") << 3;
    QTest::newRow("cut sequence") << QByteArray("a\xe2\x82") << QStringLiteral("a\u00e2\u0082") << 3;
    QTest::newRow("overlong") << QByteArray("\xc0\xaf") << QStringLiteral("\u00c0\u00af") << 2;
    QTest::newRow("four bytes") << QByteArray("\xf0\x9f\x8c\x8d!") << QStringLiteral("\U0001F30D!") << 2;
  }
  void shown_bytes() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, shown);
    QFETCH(int, cells);
    std::string_view text(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    QCOMPARE(arb::win::shown_text(text), shown);
    QCOMPARE(arb::win::cell_of(text, text.size()), static_cast<std::size_t>(cells));
    QCOMPARE(arb::win::byte_of(text, static_cast<std::size_t>(cells)), text.size());
  }

  // Long lines wrap into rows of at most the page's cells.
  void wrap_rows_data() {
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<int>("cells");
    QTest::addColumn<QStringList>("rows");
    QTest::newRow("fits") << QByteArray("abcdef") << 6 << QStringList{"abcdef"};
    QTest::newRow("empty") << QByteArray() << 6 << QStringList{""};
    QTest::newRow("wraps") << QByteArray("abcdefghij") << 4 << QStringList{"abcd", "efgh", "ij"};
    QTest::newRow("UTF-8 kept whole") << QByteArray("\xc3\xa9\xc3\xa9\xc3\xa9") << 2
                                      << QStringList{QStringLiteral("\u00e9\u00e9"), QStringLiteral("\u00e9")};
  }
  void wrap_rows() {
    QFETCH(QByteArray, line);
    QFETCH(int, cells);
    QFETCH(QStringList, rows);
    std::string_view text(line.constData(), static_cast<std::size_t>(line.size()));
    std::vector<arb::win::PrintRow> got;
    arb::win::wrap_line(text, 3, static_cast<std::size_t>(cells), got);
    QCOMPARE(got.size(), static_cast<std::size_t>(rows.size()));
    for (std::size_t i = 0; i < got.size(); ++i) {
      QCOMPARE(got[i].line, std::size_t{3});
      QCOMPARE(got[i].continued, i > 0);
      QCOMPARE(arb::win::shown_text(text.substr(got[i].from, got[i].to - got[i].from)), rows[static_cast<int>(i)]);
    }
  }
};

QTEST_APPLESS_MAIN(ConsoleTextTest)
#include "console_text_test.moc"
