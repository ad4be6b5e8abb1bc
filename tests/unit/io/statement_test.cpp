// SPDX-License-Identifier: GPL-3.0-or-later
// Whole statements through the record layer, with a fake console.
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "io.h"
#include "tests/support/fake_console.h"

namespace arb::rt {
namespace {

using arb::testing::HostedLayer;
namespace fs = std::filesystem;

std::string slurp(const std::string& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

// Runs a body as a program would be run and gives its exit status.
template <typename F>
int run(F&& body) {
  try {
    body();
  } catch (const RunEnd& e) {
    return e.status;
  }
  return 0;
}

TEST(Statement, RecordEndsOfTheSystemFormats) {
  struct Case {
    std::string_view format;
    std::string_view shown;
  };
  const Case cases[] = {
      {"(' ')", " \n"},
      {"(/)", "\n\n"},
      {"(/1X,'Input file:')", "\n Input file:\n"},
      {"(1X,'File name (/ to exit)',T45, '==> ',$)",
       " File name (/ to exit)                      ==> "},
      {"(T5,'New first year: ',$)", "    New first year: "},
      {"('>',$)", ">"},
      {"('a'//'b')", "a\n\nb\n"},
      {"(1X,T10)", "\n"},  // positioning alone adds no trailing blanks
      {"('ab',T10)", "ab\n"},
      {"('ab',T10,'c',TL5,'d')", "ab   d   c\n"},
  };
  for (const auto& c : cases) {
    HostedLayer hl;
    write(kStar, c.format);
    EXPECT_EQ(hl.host.shown, c.shown) << c.format;
  }
}

TEST(Statement, ReversionAndTrailingText) {
  HostedLayer hl;
  write(kStar, "(I5,2(1X,F4.1))", 1, 1.0f, 2.0f, 3.0f, 4.0f);
  write(kStar, "(I4,I7,2I6)", 1, 1901, 1990, 90, 2, 1920, 1980, 61);
  write(kStar, "(/1X,'Maximum coverage: ',I4,I5,I5,' years')", 1901, 1990, 90);
  const float five[] = {1, 2, 3, 4, 5};
  write(kStar, "(1X,'MN:',12F6.2)", std::span<const float>(five));
  EXPECT_EQ(hl.host.shown,
            "    1  1.0  2.0\n"
            "  3.0  4.0\n"
            "   1   1901  1990    90\n"
            "   2   1920  1980    61\n"
            "\n Maximum coverage: 1901 1990   90 years\n"
            " MN:  1.00  2.00  3.00  4.00  5.00\n");
}

TEST(Statement, ConsoleReadsAnswers) {
  HostedLayer hl;
  hl.host.answers = {"  hello", "", "12", "", "  7", "abc"};
  std::array<char, 10> name{};
  EXPECT_EQ(read(kStar, "(A)", kNone, name), Outcome::ok);
  EXPECT_EQ(std::string(name.data(), 10), "  hello   ");
  std::int32_t n = -5;
  EXPECT_EQ(read(kStar, "(I1)", kErr, n), Outcome::ok);  // empty answer reads 0
  EXPECT_EQ(n, 0);
  EXPECT_EQ(read(kStar, "(I1)", kErr, n), Outcome::ok);  // only the first column
  EXPECT_EQ(n, 1);
  EXPECT_EQ(read_list(kStar, kErr, n), Outcome::ok);  // an empty line is passed over
  EXPECT_EQ(n, 7);
  EXPECT_EQ(read_list(kStar, kErr, n), Outcome::error);
  EXPECT_EQ(n, 7);
}

TEST(Statement, FailureWithoutBranchIsReported) {
  HostedLayer hl;
  hl.host.answers = {"abc"};
  std::int32_t n = 0;
  int status = run([&] { read_list(kStar, kNone, n); });
  EXPECT_EQ(status, -1);
  EXPECT_EQ(hl.host.shown,
            "abc\n"
            "? FORTRAN Runtime Error:\n"
            "? Illegal character in numeric input\n"
            "? READ(UNIT=*,...\n");
}

TEST(Statement, EndOfConsoleInputIsReportedEvenWithAnErrorBranch) {
  HostedLayer hl;
  std::int32_t n = 0;
  int status = run([&] { read(kStar, "(I1)", kErr, n); });
  EXPECT_EQ(status, -1);
  EXPECT_EQ(hl.host.shown,
            "? FORTRAN Runtime Error:\n"
            "? Attempt to read past end of file\n"
            "? READ(UNIT=*,...\n");
}

TEST(Statement, FormatFailuresComeBeforeAnyRecord) {
  HostedLayer hl;
  hl.host.answers = {"5"};
  std::int32_t n = 0;
  EXPECT_EQ(read(kStar, "I4,12F5.1)", kErr, n), Outcome::error);
  EXPECT_EQ(hl.host.answers.size(), 1u);  // nothing was read
  int status = run([&] { write(kStar, "(1X,'abc)"); });
  EXPECT_EQ(status, -1);
  EXPECT_EQ(hl.host.shown,
            "? FORTRAN Runtime Error:\n"
            "? Format string has unmatched quotes\n"
            "? WRITE(UNIT=*,...\n");
}

TEST(Statement, InternalFieldIsOneRecord) {
  HostedLayer hl;
  std::int32_t year = 0;
  float v[12] = {};
  std::string line = "1950  1.2  3.4";
  EXPECT_EQ(read(field(line), "(I4,12F5.1)", kErr, year, std::span<float>(v)), Outcome::ok);
  EXPECT_EQ(year, 1950);
  EXPECT_FLOAT_EQ(v[1], 3.4f);
  EXPECT_EQ(v[11], 0.0f);
  // Free format runs out at the field's end: the error branch.
  float y = 0;
  EXPECT_EQ(read_list(field(line), kErr, y, std::span<float>(v)), Outcome::error);
  EXPECT_FLOAT_EQ(y, 1950.0f);
  int status = run([&] { read_list(field("1 2"), kNone, std::span<float>(v)); });
  EXPECT_EQ(status, -1);
  EXPECT_NE(hl.host.shown.find("? READ(UNIT=INTERNAL,...\n"), std::string::npos);
}

// Q takes an item on input (the characters left in the record) and does
// nothing on output; it counts as the data descriptor of a pass.
TEST(Statement, QTakesAnItemOnInputOnly) {
  HostedLayer hl;
  float x = 0.0f;
  std::int32_t left = -1, left2 = -1, left3 = -1;
  EXPECT_EQ(read(field("  1.5 more"), "(F5.1,Q)", kErr, x, left), Outcome::ok);
  EXPECT_FLOAT_EQ(x, 1.5f);
  EXPECT_EQ(left, 5);
  // Three items under "(Q)" on one internal record: the second one needs a
  // new record, which the field does not have.
  EXPECT_EQ(read(field("abc"), "(Q)", kErr, left), Outcome::ok);
  EXPECT_EQ(left, 3);
  EXPECT_EQ(read(field("abc"), "(Q)", kErr, left, left2, left3), Outcome::error);
  write(kStar, "(1X,Q,I3)", std::int32_t{7});
  EXPECT_EQ(hl.host.shown, "   7\n");
}

class FileStatements : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("arb_st_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
  }
  void TearDown() override { fs::remove_all(dir_); }
  std::string path(const char* n) { return (dir_ / n).string(); }
  fs::path dir_;
};

TEST_F(FileStatements, ReadPastTheEndOfAFileIsReported) {
  HostedLayer hl;
  std::ofstream(path("d")) << "only\n";
  ASSERT_EQ(open(14, path("d"), "OLD    ", kErr), Outcome::ok);
  EXPECT_EQ(read_list(14, kNone), Outcome::ok);
  std::array<char, 4> rec{};
  EXPECT_EQ(read(14, "(A)", kEnd, rec), Outcome::end);
  EXPECT_EQ(backspace(14), Outcome::ok);
  EXPECT_EQ(read(14, "(A)", kEnd, rec), Outcome::end);  // still at the end
  EXPECT_EQ(rewind(14), Outcome::ok);
  EXPECT_EQ(read(14, "(A)", kEnd, rec), Outcome::ok);
  EXPECT_EQ(std::string(rec.data(), 4), "only");
  int status = run([&] {
    read_list(14, kNone);
    read_list(14, kNone);
  });
  EXPECT_EQ(status, -1);
  EXPECT_EQ(hl.host.shown,
            "? FORTRAN Runtime Error:\n"
            "? Attempt to read past end of file\n"
            "? READ(UNIT=14,...\n");
}

TEST_F(FileStatements, OpenFailuresTakeTheBranchOrAreReported) {
  HostedLayer hl;
  EXPECT_EQ(open(14, path("missing"), "OLD    ", kErr), Outcome::error);
  EXPECT_EQ(open(14, path("x"), "BOGUS", kErr), Outcome::error);
  EXPECT_EQ(open(-3, path("x"), "UNKNOWN", kErr), Outcome::error);
  int status = run([&] { open(14, path("missing"), "OLD", kNone); });
  EXPECT_EQ(status, -1);
  EXPECT_EQ(hl.host.shown,
            "? System Error:\n"
            "? No such file or directory\n"
            "? OPEN(UNIT=14,...\n");
}

TEST_F(FileStatements, OutputIsWrittenByTheEndOfTheRun) {
  HostedLayer hl;
  ASSERT_EQ(open(16, path("out"), "UNKNOWN", kErr), Outcome::ok);
  write(16, "(1X,A)", std::string_view("title   "));
  write(16, "(I5,12F8.3)", 2000, 2.0f);
  int status = run([&] { stop(" "); });
  EXPECT_EQ(status, 0);
  EXPECT_EQ(slurp(path("out")), " title   \n 2000   2.000\n");
  EXPECT_EQ(hl.host.shown, "");
}

TEST(PauseStop, Texts) {
  {
    HostedLayer hl;
    hl.host.answers = {"anything"};
    pause(" ");
    EXPECT_EQ(hl.host.shown, "  \nanything\n");
    EXPECT_EQ(run([] { stop("Sorry about that!"); }), 0);
    EXPECT_EQ(hl.host.shown, "  \nanything\nSorry about that!\n");
  }
  {
    HostedLayer hl;
    ::setenv("VELMOR_RT_FLAGS", "-printstop", 1);
    EXPECT_EQ(run([] { stop(" "); }), 0);
    EXPECT_EQ(run([] { stop("done"); }), 0);
    ::unsetenv("VELMOR_RT_FLAGS");
    EXPECT_EQ(hl.host.shown, " STOP\n STOP done\n");
  }
  {
    HostedLayer hl;
    ::setenv("VELMOR_RT_FLAGS", "-printstop -nonsense words", 1);
    write(kStar, "('x')");
    ::unsetenv("VELMOR_RT_FLAGS");
    EXPECT_EQ(hl.host.shown, "Warning: unknown runtime option -nonsense words\nx\n");
  }
}

}  // namespace
}  // namespace arb::rt
