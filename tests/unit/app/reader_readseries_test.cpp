// SPDX-License-Identifier: GPL-3.0-or-later
// Reading whole data files into the store: layouts, title lines, the end
// of a series, blank lines, and the data the store cannot hold.
#include <gtest/gtest.h>

#include <cstdio>
#include <deque>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "store.h"
#include "driver_store_fixture.h"
#include "reader.h"
#include "console_host.h"
#include "io.h"
#include "tests/support/fake_console.h"

namespace arb {
namespace {

namespace fs = std::filesystem;

constexpr int kDataUnit = 14;

// A data line of layout 1: the year in four columns, twelve F5.1 fields.
std::string line1(int year, float first_month) {
  char buf[128];
  std::string s = std::to_string(year);
  for (int m = 0; m < 12; ++m) {
    std::snprintf(buf, sizeof buf, "%5.1f", static_cast<double>(first_month) + m);
    s += buf;
  }
  return s + "\n";
}

class Readseries : public test::StoreTest {
 protected:
  fs::path path = fs::temp_directory_path() / ("arborix_reader_" + std::to_string(::getpid()) + ".txt");

  void TearDown() override { fs::remove(path); }

  // Runs readseries on the file with the typed answers; the status of a
  // run it ends, else -1.
  int run(const std::string& file, std::deque<std::string> answers) {
    {
      std::ofstream out(path, std::ios::binary);
      out << file;
    }
    arb::testing::HostedLayer hl;
    hl.host.answers = std::move(answers);
    int status = -1;
    try {
      rt::open(kDataUnit, path.string(), "OLD", rt::kNone);
      int unit = kDataUnit;
      readseries(unit, s, log);
    } catch (const rt::RunEnd& e) {
      status = e.status;
    }
    shown = hl.host.shown;
    return status;
  }

  std::string title(int k) const { return {s.title(k).data(), s.title(k).size()}; }
  bool shows(std::string_view text) const { return shown.find(text) != std::string::npos; }

  std::string shown;
  ReadLog log;
};

TEST_F(Readseries, TwoSeriesEachEndedByTheNextTitle) {
  const std::string file = "Station A\n" + line1(1901, 1) + line1(1902, 2) + "Station B\n" + line1(1950, 5);
  EXPECT_EQ(run(file, {"111111111111", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 2);
  EXPECT_EQ(title(1), "Station A" + std::string(71, ' '));
  EXPECT_EQ(title(2), "Station B" + std::string(71, ' '));
  EXPECT_EQ(s.span(1, 1), 1901);
  EXPECT_EQ(s.span(1, 2), 1902);
  EXPECT_EQ(s.span(2, 1), 1950);
  EXPECT_EQ(s.span(2, 3), 1);
  EXPECT_EQ(s.nvars, 12);
  EXPECT_EQ(s.value(2, 12, 1), 13.0F);
  EXPECT_EQ(s.value(1, 1, 2), 5.0F);
  EXPECT_EQ(s.flag, -99.9F);
  EXPECT_TRUE(shows("      1  Station A" + std::string(111, ' ') + "\n      2  Station B"));
  // The log: the mask as typed, and each data line's series, line and year.
  EXPECT_EQ(log.mask, "111111111111");
  std::vector<DataLine> lines;
  log.each_line([&](const DataLine& d) { lines.push_back(d); });
  ASSERT_EQ(lines.size(), 3U);
  EXPECT_EQ(lines[1].series, 1);
  EXPECT_EQ(lines[1].line, 3);
  EXPECT_EQ(lines[1].year, 1902);
  EXPECT_EQ(lines[2].series, 2);
  EXPECT_EQ(lines[2].line, 5);
  EXPECT_EQ(lines[2].year, 1950);
  EXPECT_EQ(log.runs.size(), 2U);  // one run of consecutive lines and years per series
}

TEST_F(Readseries, YearFieldWidthByTheFirstCharacter) {
  // A leading blank gives the year five columns: " 950" then takes in
  // January's first column, and January starts a column later.
  const std::string file = "T\n1901 12.3  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  2.0\n"
                           "U\n 1902 12.3  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  2.0\n"
                           "V\n 950112.3  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0  1.0 -2.0\n";
  EXPECT_EQ(run(file, {"111111111111", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 3);
  EXPECT_EQ(s.span(1, 1), 1901);
  EXPECT_EQ(s.value(1, 1, 1), 12.3F);
  EXPECT_EQ(s.value(1, 12, 1), 2.0F);
  EXPECT_EQ(s.span(2, 1), 1902);
  EXPECT_EQ(s.value(1, 1, 2), 12.3F);
  EXPECT_EQ(s.value(1, 12, 2), 2.0F);
  EXPECT_EQ(s.span(3, 1), 9501);
  EXPECT_EQ(s.value(1, 1, 3), 12.3F);
  EXPECT_EQ(s.value(1, 12, 3), -2.0F);
}

TEST_F(Readseries, FreeFormatYearTruncatedAndSlashLeavesMonthsMissing) {
  const std::string file = "Free\n1901.9 1 2 3 4 5 6 7 8 9 10 11 12\n-0.5,1,2,3,4,5,6,7,8,9,10,11,12\n1903 7 8 /\n";
  EXPECT_EQ(run(file, {"111111111111", "6", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 1);
  EXPECT_EQ(s.span(1, 1), 1901);
  EXPECT_EQ(s.span(1, 3), 3);
  EXPECT_EQ(s.value(1, 12, 1), 12.0F);
  EXPECT_EQ(s.value(3, 2, 1), 8.0F);
  EXPECT_EQ(s.value(3, 3, 1), -99.9F);
  EXPECT_EQ(s.value(3, 12, 1), -99.9F);
}

TEST_F(Readseries, FreeFormatLineWithTooFewValuesEndsTheSeries) {
  const std::string file = "Free\n1901 1 2 3 4 5 6 7 8 9 10 11 12\n1902 1 2 3\n";
  EXPECT_EQ(run(file, {"1", "6", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 1) << "the short line opens a series that never gets data";
  EXPECT_EQ(s.span(1, 3), 1);
  EXPECT_TRUE(shows("      2  1902 1 2 3"));
}

TEST_F(Readseries, BlankLinesArePassedOver) {
  const std::string file =
      "\n \t\nA\n\n" + line1(1901, 1) + "   \n" + line1(1902, 2) + "\t\n\nB\n \n" + line1(1903, 3) + "\n\n";
  for (std::string_view choice : {"1", "6"}) {
    SetUp();
    EXPECT_EQ(run(file, {"1", std::string(choice), "-99.9"}), -1) << choice;
    EXPECT_EQ(s.nseries, 2) << choice;
    EXPECT_EQ(s.span(1, 1), 1901) << choice;
    EXPECT_EQ(s.span(1, 2), 1902) << choice;
    EXPECT_EQ(s.span(2, 1), 1903) << choice;
    EXPECT_EQ(s.span(2, 3), 1) << choice;
    EXPECT_FALSE(shows("ERROR READING LINE")) << choice;
  }
}

TEST_F(Readseries, FlagWithoutMantissaDigitIsZero) {
  // "x" is asked again; a flag with no digit before its exponent is zero
  // and ends the question (the answers would run out otherwise).
  const std::string file = "A\n" + line1(1901, 1);
  for (std::string flag : {"E5", "--1"}) {
    SetUp();
    EXPECT_EQ(run(file, {"1", "1", "x", flag}), -1) << flag;
    EXPECT_EQ(s.flag, 0.0F) << flag;
    EXPECT_TRUE(shows("F5.1) units        ==> x\n")) << flag;
    EXPECT_EQ(s.nseries, 1) << flag;
  }
}

TEST_F(Readseries, DataBeforeAnyTitleIsAnUntitledSeries) {
  const std::string file = line1(1901, 1) + line1(1902, 1) + "Named\n" + line1(1990, 1);
  EXPECT_EQ(run(file, {"1", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 2);
  EXPECT_EQ(title(1), std::string(80, ' '));
  EXPECT_EQ(s.span(1, 3), 2);
  EXPECT_EQ(s.span(2, 1), 1990);
  EXPECT_TRUE(shows("      1  " + std::string(120, ' ') + "\n      2  Named"));
}

TEST_F(Readseries, LastTitleWithoutDataIsNoSeries) {
  const std::string file = "A\n" + line1(1901, 1) + "B\n";
  EXPECT_EQ(run(file, {"1", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 1);
  EXPECT_EQ(run("Only a title\n", {"1", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 0);
  EXPECT_EQ(run("", {"1", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 0);
}

TEST_F(Readseries, SecondFailureRewindsAndAsksAgain) {
  // A choice outside the menu reads with the own format, here never typed:
  // no line reads, and the menu comes back.
  const std::string file = "A\n" + line1(1901, 1) + line1(1902, 1);
  EXPECT_EQ(run(file, {"1", "7", "-99.9", "5", "(I4,12F5.1)", "x", "0", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, 1);
  EXPECT_EQ(s.span(1, 3), 2);
  EXPECT_EQ(s.flag, 0.0F) << "the flag of the last dialogue";
  std::size_t errors = 0;
  for (std::size_t p = shown.find("ERROR READING LINE:"); p != std::string::npos;
       p = shown.find("ERROR READING LINE:", p + 1))
    ++errors;
  EXPECT_EQ(errors, 1U);
  EXPECT_TRUE(shows("\n ERROR READING LINE:\n " + line1(1901, 1).substr(0, 64) + std::string(56, ' ') + "\n"));
}

TEST_F(Readseries, OwnFormatIsCutToTwentyCharacters) {
  const std::string file = "A\n1901xx" + line1(1901, 1).substr(4);
  // Cut to 20 characters the format below loses its closing parenthesis:
  // no line reads, and the menu comes again.
  EXPECT_EQ(run(file, {"1", "5", "((I4,2X,12F5.1)     )", "-99.9", "5", "(I4,2X,12F5.1)", "-99.9"}), -1);
  EXPECT_TRUE(shows("ERROR READING LINE:"));
  EXPECT_EQ(s.nseries, 1);
  EXPECT_EQ(s.span(1, 1), 1901);
  EXPECT_EQ(s.value(1, 1, 1), 1.0F) << "the two columns after the year skipped";
}

TEST_F(Readseries, FiveHundredDataLinesFitAndOneMoreIsRefused) {
  std::string file = "Long\n";
  for (int y = 1; y <= 500; ++y) file += line1(1400 + y, 0);
  EXPECT_EQ(run(file, {"1", "1", "-99.9"}), -1);
  EXPECT_EQ(s.span(1, 3), 500);
  EXPECT_EQ(s.span(1, 2), 1900);
  file += line1(1901, 0);
  EXPECT_EQ(run(file, {"1", "1", "-99.9"}), 1);
  EXPECT_TRUE(shows("\n    *** TOO MANY DATA LINES! SERIES 1 HAS MORE THAN 500! ***\n"));
}

TEST_F(Readseries, YearBeyondSixteenBitsIsRefused) {
  EXPECT_EQ(run("Far\n1e9 1 2 3 4 5 6 7 8 9 10 11 12\n", {"1", "6", "-99.9"}), 1);
  EXPECT_TRUE(shows("*** YEAR OUT OF RANGE! SERIES 1 HAS A YEAR OUTSIDE -32768 TO 32767! ***"));
  EXPECT_EQ(run("Far\nnan 1 2 3 4 5 6 7 8 9 10 11 12\n", {"1", "6", "-99.9"}), 1);
  EXPECT_EQ(run("Near\n32767 1 2 3 4 5 6 7 8 9 10 11 12\n", {"1", "6", "-99.9"}), -1);
  EXPECT_EQ(s.span(1, 1), 32767);
}

TEST_F(Readseries, SeriesBeyondTheStoreAreRefused) {
  std::string file;
  for (int k = 1; k <= kSeriesMax; ++k) file += "S\n1901  1.0  2.0  3.0  4.0  5.0  6.0  7.0  8.0  9.0 10.0 11.0 12.0\n";
  // A last title without data is no series, even beyond the limit.
  EXPECT_EQ(run(file + "Title only\n", {"1", "1", "-99.9"}), -1);
  EXPECT_EQ(s.nseries, kSeriesMax);
  file += "One too many\n1901  1.0  2.0  3.0  4.0  5.0  6.0  7.0  8.0  9.0 10.0 11.0 12.0\n";
  EXPECT_EQ(run(file, {"1", "1", "-99.9"}), 1);
  EXPECT_TRUE(shows("\n    *** TOO MANY SERIES! AT MOST 8999, SERIES 9000 REFUSED! ***\n"));
}

}  // namespace
}  // namespace arb
