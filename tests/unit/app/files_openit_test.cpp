// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <array>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "files.h"
#include "scratch_files.h"
#include "tests/support/fake_console.h"
#include "io.h"

namespace arb {
namespace {

const std::string kPrompt = " File name (/ to exit)" + std::string(22, ' ') + "==> ";
const std::string kCannot = "\n    *** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT ***\n";

// What one call of openit did.
struct Probe {
  char status = 'O';
  int unit = 14;
  int bail = -1;
  std::string first_line;  // the first record of the file opened
};
Probe probe;

void call_openit() {
  openit(probe.status, probe.unit, probe.bail);
  if (probe.bail != 0) return;
  std::array<char, 40> line{};
  if (rt::read(probe.unit, "(A)", rt::kEnd, line) == rt::Outcome::ok) {
    probe.first_line.assign(line.data(), line.size());
    probe.first_line.erase(probe.first_line.find_last_not_of(' ') + 1);
  }
}

// Names are typed relative to the working folder: an absolute path begins
// with "/", which is the bail-out.
class Openit : public ::testing::Test {
 protected:
  testing::FakeConsole host;
  std::string dir = test::scratch_folder();
  std::string home;

  void SetUp() override {
    char cwd[4096];
    ASSERT_NE(::getcwd(cwd, sizeof cwd), nullptr);
    home = cwd;
    ASSERT_EQ(::chdir(dir.c_str()), 0);
  }
  void TearDown() override { ASSERT_EQ(::chdir(home.c_str()), 0); }

  int run(char status, std::initializer_list<std::string> answers) {
    probe = Probe{};
    probe.status = status;
    host.answers.assign(answers);
    return rt::run_program(host, &call_openit);
  }
  // A file in the working folder; its name as typed.
  std::string file(const std::string& name, const std::string& first) {
    test::write_file(name, first + "\n");
    return name;
  }
};

TEST_F(Openit, WrongNameIsReportedAndAskedAgain) {
  const std::string good = file("data.txt", "good");
  EXPECT_EQ(run('O', {"missing.txt", good}), 0);
  EXPECT_EQ(probe.bail, 0);
  EXPECT_EQ(probe.first_line, "good");
  EXPECT_EQ(host.shown, kPrompt + "missing.txt\n" + kCannot + kPrompt + good + "\n");
}

// The host names the output file after the stop, its files closed; the
// next run starts with no names.
TEST_F(Openit, NameOfTheUnitsFileKeptAfterTheRun) {
  const std::string good = file("data.txt", "good");
  EXPECT_EQ(run('O', {good}), 0);
  EXPECT_EQ(rt::unit_file_name(probe.unit), good);
  EXPECT_EQ(rt::unit_file_name(16), "");
  run('O', {"/"});
  EXPECT_EQ(rt::unit_file_name(probe.unit), "");
}

TEST_F(Openit, SlashFirstBailsOut) {
  file("data.txt", "good");
  // An existing file's absolute path too.
  for (const std::string& answer : {std::string("/"), std::string("/tmp"), dir + "/data.txt"}) {
    host.shown.clear();
    run('O', {answer});
    EXPECT_EQ(probe.bail, 1) << answer;
    EXPECT_EQ(host.shown, kPrompt + answer + "\n");
  }
}

TEST_F(Openit, BlankNamesFailAndABlankBeforeTheSlashIsNoBailout) {
  run('O', {"", "   ", " /", "/"});
  EXPECT_EQ(probe.bail, 1);
  EXPECT_EQ(host.shown, kPrompt + "\n" + kCannot + kPrompt + "   \n" + kCannot + kPrompt + " /\n" + kCannot +
                            kPrompt + "/\n");
}

TEST_F(Openit, BlanksAroundTheNameAreDropped) {
  const std::string path = file("padded.txt", "padded");
  run('o', {"   " + path + "   "});
  EXPECT_EQ(probe.bail, 0);
  EXPECT_EQ(probe.first_line, "padded");
}

TEST_F(Openit, TheWholeOfALongNameIsUsed) {
  // Cut to 40 characters the name would be another file.
  const std::string full = file(std::string(40, 'n') + "_full", "full");
  file(std::string(40, 'n'), "cut");
  run('O', {full});
  EXPECT_EQ(probe.first_line, "full");
}

TEST_F(Openit, StatusLetters) {
  const std::string existing = file("old.txt", "old");
  run('N', {existing, "/"});  // new: must not exist
  EXPECT_EQ(probe.bail, 1);
  EXPECT_EQ(host.shown, kPrompt + existing + "\n" + kCannot + kPrompt + "/\n");

  host.shown.clear();
  run('n', {"made.txt"});
  EXPECT_EQ(probe.bail, 0);
  EXPECT_TRUE(std::ifstream("made.txt").good());

  host.shown.clear();
  run('U', {"unknown.txt"});
  EXPECT_EQ(probe.bail, 0);
  EXPECT_TRUE(std::ifstream("unknown.txt").good());

  host.shown.clear();
  run('S', {existing, "/"});  // a scratch file with a name never opens
  EXPECT_EQ(probe.bail, 1);
  EXPECT_EQ(host.shown, kPrompt + existing + "\n" + kCannot + kPrompt + "/\n");
}

TEST_F(Openit, InvalidLetterShowsNoPrompt) {
  run('x', {"never read"});
  EXPECT_EQ(probe.bail, 1);
  EXPECT_EQ(host.shown, "\n    *** INCORRECT FILE TYPE ***\n\n");
  EXPECT_EQ(host.answers.size(), 1U);
}

}  // namespace
}  // namespace arb
