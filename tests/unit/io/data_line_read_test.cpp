// SPDX-License-Identifier: GPL-3.0-or-later
// Data lines read by the record layer's operation against the two
// statements that define it, the record read into the line and the line
// read as a data line: on files of every layout with titles, blank lines,
// tabs, CRs, damaged, short and long lines and a last line without a line
// end, on teams of 1, 2 and 4 threads, with backspaces and rewinds on the
// way, line by line and in blocks of data lines.  The same outcomes, values
// to the bit, line texts and record numbers.
#include <gtest/gtest.h>

#include <unistd.h>

#include <array>
#include <bit>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "data_line_scan.h"
#include "flat_plan.h"
#include "format.h"
#include "io.h"
#include "tests/support/fake_console.h"

namespace arb::rt {
namespace {

using arb::testing::HostedLayer;

struct Got {
  LineRead kind = LineRead::end;
  std::int32_t year = -7;
  std::array<float, 12> v{};
  std::array<char, 120> line{};
  std::int64_t record = 0;
};

// The definition, statement by statement.
Got by_statements(int unit, const DataLayout& l) {
  Got g;
  g.v.fill(-7.0f);
  g.line.fill(' ');
  const Outcome o = read(unit, "(A)", kErrEnd, g.line);
  g.record = record_number(unit);
  if (o == Outcome::end) return g.kind = LineRead::end, g;
  if (o == Outcome::error) return g.kind = LineRead::error, g;
  const std::string_view text(g.line.data(), g.line.size());
  if (text.find_first_not_of(' ') == std::string_view::npos) return g.kind = LineRead::blank, g;
  Outcome d = Outcome::ok;
  if (l.format.empty()) {
    g.v.fill(l.missing);
    float y = 0.0f;
    d = read_list(field(text), kErr, y, std::span<float>(g.v));
    if (d == Outcome::ok) g.year = truncated_year(y);
  } else {
    const bool wide = !l.blank_first_format.empty() && g.line[0] == ' ';
    d = read(field(text), wide ? l.blank_first_format : l.format, kErr, g.year, std::span<float>(g.v));
  }
  g.kind = d == Outcome::ok ? LineRead::data : LineRead::other;
  return g;
}

Got by_operation(int unit, const DataLayout& l) {
  Got g;
  g.v.fill(-7.0f);
  g.line.fill('?');
  g.kind = read_data_line(unit, l, g.line, g.year, g.v);
  g.record = record_number(unit);
  return g;
}

void expect_same(const Got& a, const Got& b, const std::string& where) {
  ASSERT_EQ(a.kind, b.kind) << where;
  ASSERT_EQ(a.record, b.record) << where;
  if (a.kind == LineRead::other || a.kind == LineRead::blank || a.kind == LineRead::error) {
    ASSERT_EQ(std::string(a.line.data(), 120), std::string(b.line.data(), 120)) << where;
  }
  if (a.kind != LineRead::data) return;
  ASSERT_EQ(a.year, b.year) << where;
  for (std::size_t m = 0; m < 12; ++m)
    ASSERT_EQ(std::bit_cast<std::uint32_t>(a.v[m]), std::bit_cast<std::uint32_t>(b.v[m])) << where << " month " << m + 1;
}

// A run of data lines handed over by the operation, each compared with the
// statements' reading of it; the number of lines it held.
std::size_t compare_block(const DataLayout& l, std::size_t most, const std::string& where) {
  std::array<std::int32_t, 40> years{};
  std::array<float, 40 * 12> v{};
  const DataLines got = read_data_lines(21, l, 120, std::span(years).first(most), std::span(v).first(most * 12));
  EXPECT_LE(got.count, most) << where;
  for (std::size_t k = 0; k < got.count; ++k) {
    Got a;
    a.kind = LineRead::data;
    a.year = years[k];
    std::copy_n(v.begin() + static_cast<std::ptrdiff_t>(k * 12), 12, a.v.begin());
    a.record = got.first_record + static_cast<std::int64_t>(k);
    expect_same(a, by_statements(22, l), where + " block line " + std::to_string(k + 1));
    if (::testing::Test::HasFatalFailure()) return k;
  }
  if (got.count > 0) {
    EXPECT_EQ(record_number(21), record_number(22)) << where;
  }
  return got.count;
}

// Both units read to the end of the file, stepping back a line now and
// then on both alike; unit 21 takes blocks of data lines now and then,
// of any length up to 40.  The number of lines taken in blocks.
std::size_t read_both_to_end(const DataLayout& l, std::mt19937& rng) {
  std::bernoulli_distribution step_back(0.03), block(0.5);
  std::uniform_int_distribution<std::size_t> most(1, 40);
  std::size_t in_blocks = 0;
  for (;;) {
    const std::string where = "threads " + std::to_string(l.threads) + " record " +
                              std::to_string(record_number(22)) + " format " + std::string(l.format);
    std::size_t taken = block(rng) ? compare_block(l, most(rng), where) : 0;
    if (::testing::Test::HasFatalFailure()) return in_blocks;
    in_blocks += taken;
    if (taken == 0) {
      const Got a = by_operation(21, l);
      const Got b = by_statements(22, l);
      expect_same(a, b, where);
      if (::testing::Test::HasFatalFailure() || b.kind == LineRead::end) return in_blocks;
    }
    if (step_back(rng)) {
      backspace(21);
      backspace(22);
    }
  }
}

// The file read both ways, twice over with a rewind between; the second
// time inside a parallel region, where the run-time gives the read a team
// of one whatever it asks for.  The lines taken in blocks.
std::size_t compare_on_file(const std::string& text, const DataLayout& layout, unsigned seed) {
  const std::string name = (std::filesystem::temp_directory_path() /
                            ("arb_data_lines_" + std::to_string(::getpid()) + ".dat")).string();
  std::ofstream(name, std::ios::binary) << text;
  std::size_t in_blocks = 0;
  for (int threads : {1, 2, 4}) {
    HostedLayer hl;
    DataLayout l = layout;
    l.threads = threads;
    EXPECT_EQ(open(21, name, "OLD", kErr), Outcome::ok);
    EXPECT_EQ(open(22, name, "OLD", kErr), Outcome::ok);
    std::mt19937 rng(seed);
    in_blocks += read_both_to_end(l, rng);
    rewind(21);
    rewind(22);
#pragma omp parallel num_threads(2)
#pragma omp master
    in_blocks += read_both_to_end(l, rng);
    if (::testing::Test::HasFatalFailure()) break;
  }
  std::filesystem::remove(name);
  return in_blocks;
}

bool usable(std::string_view fmt, std::size_t length = 120) {
  CompiledFormat c;
  EXPECT_EQ(trans_format(fmt, c), 0) << fmt;
  return make_flat_plan(c, 12, length).usable;
}

TEST(DataLineRead, PlansForFlatFormatsOnly) {
  for (const char* f : {"(I4,12F5.1)", "(I5,12F5.2)", "(I4,12F6.1)", "(I5,2X,12F5.1)", "(T2,I4,TR1,12F5.1)",
                        "(I4,6F5.1,TL10,6F5.1)", "(I4,'ab',12F5.1)", "(2X,I4,3(4F5.1))", "(BN,I4,12F5.1,:,I3)"})
    EXPECT_TRUE(usable(f)) << f;
  for (const char* f : {"(I4,12F5.1/)", "(I4,BZ,12F5.1)", "(I4,6F5.1)", "(F4.0,12F5.1)", "(I4,2P,12F5.1)",
                        "(I0,12F5.1)", "(I4,12E5.1)", "(A4,12F5.1)", "(I4,12F15.1)"})
    EXPECT_FALSE(usable(f)) << f;
  EXPECT_FALSE(usable("(I4,12F5.1)", 60));  // the fields run past a short record
}

// A line of the layout; with `wide` every value fills its field, so that a
// field taken one column off would read another number.
std::string data_line(std::mt19937& rng, const char* year_fmt, int width, int decimals, bool wide) {
  int fill = 1;
  for (int i = 0; i < width - 2; ++i) fill *= 10;
  std::uniform_int_distribution<int> year(1000, 2999);
  std::uniform_int_distribution<int> value(wide ? fill : -999, wide ? 10 * fill - 1 : 999);
  std::bernoulli_distribution flag(wide ? 0.0 : 0.05);
  char buf[32];
  std::snprintf(buf, sizeof buf, year_fmt, year(rng));
  std::string line = buf;
  double scale = decimals == 2 ? 100.0 : 10.0;
  for (int m = 0; m < 12; ++m) {
    std::snprintf(buf, sizeof buf, "%*.*f", width, decimals, flag(rng) ? -99.9 : value(rng) / scale);
    line += buf;
  }
  return line;
}

struct Layout {
  DataLayout layout;
  const char* year;
  int width, decimals;
};

// A file of the layout: titles, data lines with values filling their
// fields (a field taken one column off would read another number), damaged
// and short lines, blank lines, tabs, CRs, a line beyond the kept columns,
// and a last line without a line end.
std::string layout_file(const Layout& l, int count, std::mt19937& rng) {
  const std::string noise = " ,.-+xE9\t\r";
  std::uniform_int_distribution<std::size_t> pick(0, noise.size() - 1);
  std::string text;
  for (int n = 0; n < count; ++n) {
    if (n % 97 == 0) text += "Station " + std::to_string(n) + "\n";
    if (n % 97 == 1) {  // a comma ends the year's field: the letters after it are months (INF)
      text += ",";
      for (int m = 0; m < 12; ++m) text += "  inf";
      text += "\n";
    }
    if (n % 89 == 5) text += n % 2 ? "\n" : "      \n";
    if (n == 7001) text += std::string(5000, '7') + "\n";
    std::string line = data_line(rng, l.year, l.width, l.decimals, n % 4 == 3);
    if (n % 3 == 1) line[rng() % line.size()] = noise[pick(rng)];  // a damaged field
    if (n % 5 == 0) line.resize(rng() % line.size());               // a short line
    if (n % 7 == 0) line.resize(130, ' ');                          // beyond the line held
    text += line + "\n";
  }
  return text + data_line(rng, l.year, l.width, l.decimals, false);  // no line end
}

// Files of the layouts of the data-format menu, own formats with moves,
// and formats the plan must leave to the statement.  Blocks are handed
// over wherever the plan reads the lines.
TEST(DataLineRead, OperationAndStatementsAgreeOnFilesOfEveryLayout) {
  const Layout layouts[] = {{{"(I4,12F5.1)", "(I5,12F5.1)"}, "%4d", 5, 1},
                            {{"(I4,12F5.1)", "(I5,12F5.1)"}, " %4d", 5, 1},
                            {{"(I4,12F5.2)", "(I5,12F5.2)"}, "%4d", 5, 2},
                            {{"(I4,12F6.1)", "(I5,12F6.1)"}, "%4d", 6, 1},
                            {{"(I5,2X,12F5.1)", ""}, " %4dxx", 5, 1},
                            {{"(I4,6F5.1)", ""}, "%4d", 5, 1},
                            {{"(I4,BZ,12F5.1)", ""}, "%4d", 5, 1},
                            {{"(2X,I4,3(4F5.1))          ", ""}, "%4d", 5, 1},
                            {{"(T2,I4,TR1,12F5.1)", ""}, " %4d ", 5, 1}};
  std::mt19937 rng(3);
  unsigned seed = 0;
  for (const Layout& l : layouts) {
    // twelve thousand lines: many pieces of one stretch
    const std::size_t in_blocks = compare_on_file(layout_file(l, 12000, rng), l.layout, ++seed);
    if (HasFatalFailure()) return;
    EXPECT_EQ(in_blocks > 0, usable(l.layout.format)) << l.layout.format;
  }
}

// A file of several stretches, read ahead by helpers while the lines of
// the one before are taken: lines and blocks that end at a stretch's end,
// and backspaces over it.
TEST(DataLineRead, BlocksAcrossStretches) {
  const Layout l{{"(I4,12F5.1)", "(I5,12F5.1)"}, "%4d", 5, 1};
  std::mt19937 rng(11);
  EXPECT_GT(compare_on_file(layout_file(l, 40000, rng), l.layout, 12), 10000U);
}

// Free-format data lines: plain numbers between blanks, and anything else.
TEST(DataLineRead, FreeFormatFilesAgreeWithTheStatements) {
  const std::string pieces[] = {" ", "  ", "\t", "1950", "-12.5", "3", ".5", "7.", "1E2", ",", "/",
                                "2*", "'x'", "-", "NaN", "12345678901234567", "+4.25", "0",
                                "E10", "-E5", ".E2", "+", "--1", "1E2E3"};
  std::mt19937 rng(8);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1), count(0, 30);
  std::uniform_int_distribution<std::size_t> plain(3, 7);  // "1950" to "7.": plain numbers only
  std::string text;
  for (int n = 0; n < 20000; ++n) {
    const std::size_t k = count(rng);
    for (std::size_t i = 0; i < k; ++i) {
      text += pieces[n % 4 == 1 ? plain(rng) : pick(rng)];
      if (n % 2 == 0 || n % 4 == 1) text += ' ';  // these lines well separated
    }
    text += '\n';
  }
  DataLayout free_format;
  free_format.missing = -99.9f;
  EXPECT_GT(compare_on_file(text, free_format, 9), 0U);
}

// A January with no digit before its exponent reads as zero in a fixed
// layout and in free format; the fields that break the number's syntax
// still fail.
TEST(DataLineRead, MonthsWithoutMantissaDigits) {
  struct Case {
    std::string month;
    LineRead kind;
  };
  const Case cases[] = {{"E10", LineRead::data},     {"-E5", LineRead::data},     {".E2", LineRead::data},
                        {"+", LineRead::data},       {"--1", LineRead::data},     {"1E2E3", LineRead::other},
                        {"1.2.3", LineRead::other},  {"1E2.5", LineRead::other},  {"1x", LineRead::other}};
  const std::string name = (std::filesystem::temp_directory_path() /
                            ("arb_mantissa_" + std::to_string(::getpid()) + ".dat")).string();
  for (const Case& c : cases) {
    std::string fixed = "1950" + std::string(5 - c.month.size(), ' ') + c.month + "  1.0";
    std::string free = "1950 " + c.month + " 1.0";
    for (int m = 3; m <= 12; ++m) free += " 0";
    std::ofstream(name, std::ios::binary) << fixed << "\n" << free << "\n";
    HostedLayer hl;
    ASSERT_EQ(open(21, name, "OLD", kErr), Outcome::ok);
    const Got a = by_operation(21, {"(I4,12F5.1)", "(I5,12F5.1)"});
    const Got f = by_operation(21, {});
    EXPECT_EQ(a.kind, c.kind) << c.month;
    EXPECT_EQ(f.kind, c.kind) << c.month;
    if (c.kind != LineRead::data) continue;
    for (const std::array<float, 12>& v : {a.v, f.v}) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(v[0]), 0U) << c.month << ": +0.0";
      EXPECT_EQ(v[1], 1.0f) << c.month;
    }
  }
  std::filesystem::remove(name);
}

}  // namespace
}  // namespace arb::rt
