// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>
#include <vector>

#include "files.h"
#include "scratch_files.h"
#include "tests/support/fake_console.h"
#include "io.h"

namespace arb {
namespace {

// What one call of snoop left behind.
struct Probe {
  std::string path;
  int read_before = 0;     // records the caller reads before the preview
  std::string next_line;   // the record read right after snoop; "<end>" at the end
};
Probe probe;

void call_snoop() {
  int unit = 14;
  rt::open(unit, probe.path, "OLD", rt::kNone);
  std::array<char, 20> line{};
  for (int i = 0; i < probe.read_before; ++i) rt::read(unit, "(A)", rt::kNone, line);
  snoop(unit);
  if (rt::read(unit, "(A)", rt::kEnd, line) == rt::Outcome::end) {
    probe.next_line = "<end>";
  } else {
    probe.next_line.assign(line.data(), line.size());
    probe.next_line.erase(probe.next_line.find_last_not_of(' ') + 1);
  }
}

std::string record(int i) { return "record " + std::to_string(i); }

std::string shown_line(const std::string& text) {
  std::string s = " " + text.substr(0, 80);
  s.resize(81, ' ');
  return s + "\n";
}

std::string ruler() {
  std::string r;
  for (int i = 1; i <= 80; ++i) r += i % 10 == 0 ? static_cast<char>('0' + i / 10) : '.';
  return r;
}

const std::string kSkipPrompt = "\n Skip how many lines, <RET> for none" + std::string(8, ' ') + "==> ";

// The preview of a file of records 1 to count, as it must appear.
std::string preview(int count, int depth) {
  char num[8];
  std::snprintf(num, sizeof num, "%4d", count);
  std::string s = "\n Snooping in the data file:\n Number of records in the file: " + std::string(num) +
                  "\n First and last " + std::to_string(depth) + " lines from the file:\n" + shown_line(ruler());
  std::string sep;
  for (int i = 0; i < 40; ++i) sep += "- ";
  for (int i = 1; i <= count; ++i) {
    if (i <= depth) s += shown_line(record(i));
    if (i == depth + 1) s += shown_line(sep);
    if (i > count - depth) s += shown_line(record(i));
  }
  return s;
}

struct SnoopCase {
  const char* name;
  int count;
  int depth;
  std::vector<std::string> answers;  // to the skip prompt, the last one accepted
  std::string next;                  // the record read after the preview
};

class SnoopTable : public ::testing::TestWithParam<SnoopCase> {};

TEST_P(SnoopTable, PreviewAndSkip) {
  const SnoopCase& c = GetParam();
  std::string text;
  for (int i = 1; i <= c.count; ++i) text += record(i) + "\n";
  probe = Probe{};
  probe.path = test::scratch_folder() + "/data.txt";
  test::write_file(probe.path, text);
  testing::FakeConsole host;
  host.answers.assign(c.answers.begin(), c.answers.end());
  EXPECT_EQ(rt::run_program(host, &call_snoop), 0);
  std::string want = preview(c.count, c.depth);
  for (const std::string& a : c.answers) want += kSkipPrompt + a + "\n";
  EXPECT_EQ(host.shown, want);
  EXPECT_EQ(probe.next_line, c.next);
}

INSTANTIATE_TEST_SUITE_P(
    Snoop, SnoopTable,
    ::testing::Values(SnoopCase{"empty_file", 0, 0, {""}, "<end>"},
                      SnoopCase{"one_record", 1, 0, {""}, "record 1"},
                      SnoopCase{"nine_records", 9, 4, {"3"}, "record 4"},
                      SnoopCase{"ten_records", 10, 5, {"  "}, "record 1"},
                      SnoopCase{"hundred_records", 100, 5, {"-2"}, "record 1"},
                      SnoopCase{"two_digits_only", 100, 5, {"123"}, "record 13"},
                      SnoopCase{"unreadable_asked_again", 10, 5, {"x", "5x", "3"}, "record 4"},
                      SnoopCase{"odd_count_hides_the_middle", 7, 3, {"7"}, "<end>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Snoop, WholeFileIsShownAfterTheCallerReadPartOfIt) {
  probe = Probe{};
  probe.path = test::scratch_folder() + "/data.txt";
  std::string text;
  for (int i = 1; i <= 12; ++i) text += record(i) + "\n";
  test::write_file(probe.path, text);
  probe.read_before = 4;
  testing::FakeConsole host;
  host.answers = {"2"};
  rt::run_program(host, &call_snoop);
  EXPECT_EQ(host.shown, preview(12, 5) + kSkipPrompt + "2\n");
  EXPECT_EQ(probe.next_line, "record 3");
}

TEST(Snoop, LongRecordsAreCutAndShortOnesPadded) {
  probe = Probe{};
  probe.path = test::scratch_folder() + "/data.txt";
  const std::string long_line(100, 'L');
  test::write_file(probe.path, long_line + "\nshort\n");
  testing::FakeConsole host;
  host.answers = {""};
  rt::run_program(host, &call_snoop);
  // Two records: depth 1, so both are shown around the separator.
  EXPECT_NE(host.shown.find("\n " + std::string(80, 'L') + "\n"), std::string::npos);
  EXPECT_NE(host.shown.find("\n short" + std::string(75, ' ') + "\n"), std::string::npos);
}

TEST(Snoop, SkippingPastTheEndIsARunTimeError) {
  probe = Probe{};
  probe.path = test::scratch_folder() + "/data.txt";
  test::write_file(probe.path, "a\nb\n");
  testing::FakeConsole host;
  host.answers = {"5"};
  EXPECT_EQ(rt::run_program(host, &call_snoop), -1);
  EXPECT_NE(host.shown.find("? Attempt to read past end of file\n? READ(UNIT=14,...\n"), std::string::npos);
}

}  // namespace
}  // namespace arb
