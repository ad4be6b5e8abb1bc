// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include "options.h"

namespace arb {
namespace {

struct Case {
  std::vector<std::string_view> args;
  std::optional<int> status;          // nullopt: the program runs
  std::optional<std::string> export_dir;
  std::string out_starts, err;
  std::optional<std::string> record_file = {};
};

TEST(Options, EveryWordOfTheCommandLine) {
  const std::string hint = "Try 'arborix-term --help' for more information.\n";
  const Case cases[] = {
      {{}, {}, {}, "", ""},
      {{"--export", "out"}, {}, "out", "", ""},
      {{"--export=out dir"}, {}, "out dir", "", ""},
      {{"--help"}, 0, {}, "Usage: arborix-term [--export DIR] [--record FILE]\n", ""},
      {{"--record", "a.txt", "--export=d"}, {}, "d", "", "", "a.txt"},
      {{"--record=a b.txt"}, {}, {}, "", "", "a b.txt"},
      {{"--record"}, 2, {}, "", "arborix-term: option '--record' requires an argument\n" + hint},
      {{"--record="}, 2, {}, "", "arborix-term: option '--record' requires an argument\n" + hint},
      {{"--recordx"}, 2, {}, "", "arborix-term: unrecognized option '--recordx'\n" + hint},
      {{"--version"}, 0, {}, "arborix-term 1.0.0\n", ""},
      {{"--export", "d", "--version"}, 0, {}, "arborix-term 1.0.0\n", ""},
      {{"--foo"}, 2, {}, "", "arborix-term: unrecognized option '--foo'\n" + hint},
      {{"-x"}, 2, {}, "", "arborix-term: invalid option -- 'x'\n" + hint},
      {{"data.txt"}, 2, {}, "", "arborix-term: extra operand 'data.txt'\n" + hint},
      {{"--export"}, 2, {}, "", "arborix-term: option '--export' requires an argument\n" + hint},
      {{"--export="}, 2, {}, "", "arborix-term: option '--export' requires an argument\n" + hint},
  };
  for (const Case& c : cases) {
    std::string out, err;
    const cli::Parsed p = cli::parse("arborix-term", c.args, out, err);
    const std::string said = c.args.empty() ? "(none)" : std::string(c.args.front());
    EXPECT_EQ(p.exit_status, c.status) << said;
    EXPECT_EQ(p.options.export_dir, c.export_dir) << said;
    EXPECT_EQ(p.options.record_file, c.record_file) << said;
    EXPECT_TRUE(out.starts_with(c.out_starts)) << said << ": " << out;
    EXPECT_EQ(out.empty(), c.out_starts.empty()) << said;
    EXPECT_EQ(err, c.err) << said;
  }
}

TEST(Options, HelpNamesTheEnvironmentTheStatusesAndTheManual) {
  std::string out, err;
  cli::parse("arborix", {"--help"}, out, err);
  for (const char* word : {"VELMOR_RT_FLAGS", "TABSIZE", "UMASK", "--export DIR", "--record FILE", "255", "128 + n", "arborix(1)"})
    EXPECT_NE(out.find(word), std::string::npos) << word;
}

}  // namespace
}  // namespace arb
