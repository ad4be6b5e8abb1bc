// SPDX-License-Identifier: GPL-3.0-or-later
// Data lines read by the plan of their columns against the general
// statement: the same outcome and the same items to the bit, for the
// layouts of the data-format menu, own formats with moves, and formats the
// plan must leave to the statement.
#include <gtest/gtest.h>

#include <array>
#include <bit>
#include <cstdio>
#include <random>
#include <string>

#include "flat_plan.h"
#include "format.h"
#include "io.h"
#include "tests/support/fake_console.h"

namespace arb::rt {
namespace {

using arb::testing::HostedLayer;

struct Lined {
  Outcome outcome;
  std::int32_t year;
  std::array<float, 12> v;
};

Lined by_overload(const std::string& line, std::string_view fmt) {
  Lined r{Outcome::ok, -7, {}};
  r.v.fill(-7.0f);
  r.outcome = read(field(line), fmt, kErr, r.year, std::span<float>(r.v));
  return r;
}

Lined by_statement(const std::string& line, std::string_view fmt) {
  Lined r{Outcome::ok, -7, {}};
  r.v.fill(-7.0f);
  Statement s(Statement::Dir::read, field(line), fmt, false, kErr);
  read_transfer(s, r.year);
  for (float& x : r.v) s.get(in_real(x));
  r.outcome = s.finish();
  return r;
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

TEST(DataLineRead, PlanAndStatementAgreeOnEveryLine) {
  HostedLayer hl;
  struct Layout {
    const char* format;
    const char* year;
    int width, decimals;
  };
  const Layout layouts[] = {{"(I4,12F5.1)", "%4d", 5, 1},     {"(I5,12F5.1)", " %4d", 5, 1},
                            {"(I4,12F5.2)", "%4d", 5, 2},     {"(I4,12F6.1)", "%4d", 6, 1},
                            {"(I5,2X,12F5.1)", " %4dxx", 5, 1}, {"(I4,6F5.1)", "%4d", 5, 1},
                            {"(I4,BZ,12F5.1)", "%4d", 5, 1},  {"(2X,I4,3(4F5.1))", "%4d", 5, 1}};
  const std::string noise = " ,.-+xE9\t";
  std::mt19937 rng(3);
  std::uniform_int_distribution<std::size_t> pick(0, noise.size() - 1);
  for (const Layout& l : layouts) {
    for (int n = 0; n < 3000; ++n) {
      std::string line = data_line(rng, l.year, l.width, l.decimals, n % 4 == 3);
      if (n % 3 == 1) line[rng() % line.size()] = noise[pick(rng)];  // a damaged field
      if (n % 5 == 0) line.resize(rng() % line.size());               // a short line
      if (n % 2 == 0 || n % 4 == 3) line.resize(120, ' ');            // as the reader holds it
      const Lined a = by_overload(line, l.format);
      const Lined b = by_statement(line, l.format);
      ASSERT_EQ(a.outcome, b.outcome) << l.format << " '" << line << "'";
      ASSERT_EQ(a.year, b.year) << l.format << " '" << line << "'";
      for (std::size_t m = 0; m < 12; ++m)
        ASSERT_EQ(std::bit_cast<std::uint32_t>(a.v[m]), std::bit_cast<std::uint32_t>(b.v[m]))
            << l.format << " '" << line << "' month " << m + 1;
    }
  }
}

// Free-format data lines: plain numbers between blanks by the quick way,
// and anything else, against the general free-format statement.
TEST(DataLineRead, FreeFormatLinesAgreeWithTheStatement) {
  HostedLayer hl;
  const std::string pieces[] = {" ", "  ", "\t", "1950", "-12.5", "3", ".5", "7.", "1E2", ",", "/",
                                "2*", "'x'", "-", "NaN", "12345678901234567", "+4.25", "0",
                                "E10", "-E5", ".E2", "+", "--1", "1E2E3"};
  std::mt19937 rng(8);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1), count(0, 30);
  std::uniform_int_distribution<std::size_t> plain(3, 7);  // "1950" to "7.": plain numbers only
  for (int n = 0; n < 20000; ++n) {
    std::string line;
    const std::size_t k = count(rng);
    for (std::size_t i = 0; i < k; ++i) {
      const std::string& p = pieces[n % 4 == 1 ? plain(rng) : pick(rng)];
      line += p;
      if (n % 2 == 0 || n % 4 == 1) line += ' ';  // these lines well separated
    }
    if (n % 3 == 0) line.resize(120, ' ');
    float ya = -7.0f, yb = -7.0f;
    std::array<float, 12> va{}, vb{};
    va.fill(-7.0f);
    vb.fill(-7.0f);
    const Outcome a = read_list(field(line), kErr, ya, std::span<float>(va));
    Statement s(Statement::Dir::read, field(line), {}, true, kErr);
    read_transfer(s, yb);
    for (float& x : vb) s.get(in_real(x));
    const Outcome b = s.finish();
    ASSERT_EQ(a, b) << "'" << line << "'";
    ASSERT_EQ(std::bit_cast<std::uint32_t>(ya), std::bit_cast<std::uint32_t>(yb)) << "'" << line << "'";
    for (std::size_t m = 0; m < 12; ++m)
      ASSERT_EQ(std::bit_cast<std::uint32_t>(va[m]), std::bit_cast<std::uint32_t>(vb[m])) << "'" << line << "'";
  }
}

// A January with no digit before its exponent reads as zero, by the plan
// and the statement alike, in a fixed layout and in free format; the
// fields that break the number's syntax still fail both ways.
TEST(DataLineRead, MonthsWithoutMantissaDigits) {
  HostedLayer hl;
  struct Case {
    std::string month;
    Outcome outcome;
  };
  const Case cases[] = {{"E10", Outcome::ok},   {"-E5", Outcome::ok},   {".E2", Outcome::ok},
                        {"+", Outcome::ok},     {"--1", Outcome::ok},   {"1E2E3", Outcome::error},
                        {"1.2.3", Outcome::error}, {"1E2.5", Outcome::error}, {"1x", Outcome::error}};
  for (const Case& c : cases) {
    std::string fixed = "1950" + std::string(5 - c.month.size(), ' ') + c.month + "  1.0";
    fixed.resize(120, ' ');
    std::string free = "1950 " + c.month + " 1.0";
    for (int m = 3; m <= 12; ++m) free += " 0";
    free.resize(120, ' ');
    const Lined a = by_overload(fixed, "(I4,12F5.1)");
    const Lined b = by_statement(fixed, "(I4,12F5.1)");
    float fy = -7.0f;
    std::array<float, 12> fv{};
    fv.fill(-7.0f);
    const Outcome f = read_list(field(free), kErr, fy, std::span<float>(fv));
    EXPECT_EQ(a.outcome, c.outcome) << c.month;
    EXPECT_EQ(b.outcome, c.outcome) << c.month;
    EXPECT_EQ(f, c.outcome) << c.month;
    if (c.outcome != Outcome::ok) continue;
    for (const std::array<float, 12>& v : {a.v, b.v, fv}) {
      EXPECT_EQ(std::bit_cast<std::uint32_t>(v[0]), 0U) << c.month << ": +0.0";
      EXPECT_EQ(v[1], 1.0f) << c.month;
    }
  }
}

}  // namespace
}  // namespace arb::rt
