// SPDX-License-Identifier: GPL-3.0-or-later
// The climate mask: what a scan of a typed mask finds, and the dialogue
// that asks for it.
#include <gtest/gtest.h>

#include <array>
#include <deque>
#include <string>
#include <string_view>

#include "mask.h"
#include "console_host.h"
#include "tests/support/fake_console.h"

namespace arb {
namespace {

std::array<char, kMaskMax> typed(std::string_view text) {
  std::array<char, kMaskMax> chars;
  chars.fill(' ');
  std::copy_n(text.begin(), std::min(text.size(), chars.size()), chars.begin());
  return chars;
}

TEST(ScanMask, LengthSelectionAndSeasons) {
  struct Case {
    std::string_view mask;
    int length, selected, first;
    bool season, foreign;
  };
  const std::string sixty(60, '1');
  const Case cases[] = {
      {"", 0, 0, 0, false, false},
      {" 1111", 0, 0, 0, false, false},  // a leading blank ends the mask at once
      {"0000", 4, 0, 0, false, false},
      {"0000 1111", 4, 0, 0, false, false},
      {"00001111111111111111", 20, 16, 5, false, false},
      {"00001112111211121112", 20, 16, 5, true, false},
      {"00003333111311133333", 20, 16, 5, true, false},
      {"00001122002002001112", 20, 10, 5, true, false},
      {"0000111100000000", 16, 4, 5, false, false},
      {"000000000000111", 15, 3, 13, false, false},
      {"3", 1, 1, 1, true, false},
      {"2011", 4, 3, 1, true, false},
      {"0002 3", 4, 1, 4, true, false},  // the 3 after the blank is ignored
      {sixty, 60, 60, 1, false, false},
      {"00x1", 4, 2, 3, false, true},
      {"H", 1, 1, 1, false, true},
      {"0000-", 5, 1, 5, false, true},
  };
  for (const Case& c : cases) {
    const auto chars = typed(c.mask);
    const MaskScan s = scan_mask(chars);
    EXPECT_EQ(s.length, c.length) << "'" << c.mask << "'";
    EXPECT_EQ(s.selected, c.selected) << "'" << c.mask << "'";
    EXPECT_EQ(s.first, c.first) << "'" << c.mask << "'";
    EXPECT_EQ(s.season, c.season) << "'" << c.mask << "'";
    EXPECT_EQ(s.foreign, c.foreign) << "'" << c.mask << "'";
  }
}

TEST(Ruler, MonthInitialsFiveTimes) {
  ClimateMask mask;
  build_ruler(mask);
  EXPECT_EQ(std::string(mask.ruler.data(), mask.ruler.size()),
            "JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND");
}

constexpr std::string_view kPrompt =
    "\n Enter the Climate Mask (H for help, / to exit):\n"
    "\n JFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASONDJFMAMJJASOND\n"
    ">";

// Runs the dialogue on the answers; the status of a run it ends, else -1.
struct Dialogue {
  arb::testing::HostedLayer hl;
  ClimateMask mask;
  int status = -1;
  explicit Dialogue(std::deque<std::string> answers) {
    hl.host.answers = std::move(answers);
    build_ruler(mask);
    try {
      askmask(mask);
    } catch (const rt::RunEnd& e) {
      status = e.status;
    }
  }
  const std::string& shown() const { return hl.host.shown; }
};

TEST(Askmask, AcceptsAMaskAndCountsIt) {
  Dialogue d({"00001112111211121112"});
  EXPECT_EQ(d.status, -1);
  EXPECT_EQ(d.mask.length, 20);
  EXPECT_EQ(d.mask.first, 5);
  EXPECT_TRUE(d.mask.SEASON);
  EXPECT_EQ(d.shown(), std::string(kPrompt) + "00001112111211121112\n \n");
}

TEST(Askmask, SingleMonthsNeedNoSeason) {
  Dialogue d({"00001111111111111111"});
  EXPECT_EQ(d.mask.length, 20);
  EXPECT_EQ(d.mask.first, 5);
  EXPECT_FALSE(d.mask.SEASON);
}

TEST(Askmask, CharactersAfterTheSixtiethAreIgnored) {
  Dialogue d({std::string(60, '0') + "1111", "1"});
  EXPECT_NE(d.shown().find("*** BAD MASK! NO MONTHS SELECTED! ***"), std::string::npos)
      << "a mask of 60 zeros selects nothing";
  EXPECT_EQ(d.mask.length, 1);
  Dialogue e({std::string(59, '0') + "3" + "0000"});
  EXPECT_EQ(e.mask.length, 60);
  EXPECT_EQ(e.mask.first, 60);
  EXPECT_TRUE(e.mask.SEASON);
}

TEST(Askmask, MasksWithoutMonthsAreAskedAgain) {
  Dialogue d({"", " 1111", "0000", "0000 1111", "1"});
  EXPECT_EQ(d.mask.length, 1);
  const std::string bad = "\n    *** BAD MASK! NO MONTHS SELECTED! ***\n";
  EXPECT_EQ(d.shown(), std::string(kPrompt) + "\n" + bad + std::string(kPrompt) + " 1111\n" + bad +
                           std::string(kPrompt) + "0000\n" + bad + std::string(kPrompt) + "0000 1111\n" + bad +
                           std::string(kPrompt) + "1\n \n");
}

TEST(Askmask, OnlyTheFourDigitsAreAllowed) {
  Dialogue d({"0000x111", "00001h", "0000A", "00013"});
  EXPECT_EQ(d.mask.length, 5);
  EXPECT_EQ(d.mask.first, 4);
  const std::string bad = "\n    *** BAD MASK! ONLY 0, 1, 2 AND 3 ALLOWED! ***\n";
  EXPECT_EQ(d.shown(), std::string(kPrompt) + "0000x111\n" + bad + std::string(kPrompt) + "00001h\n" + bad +
                           std::string(kPrompt) + "0000A\n" + bad + std::string(kPrompt) + "00013\n \n");
}

TEST(Askmask, SlashInTheFirstPositionEndsTheRun) {
  for (std::string_view answer : {"/", "/0001"}) {
    Dialogue d({std::string(answer), "1"});
    EXPECT_EQ(d.status, 0) << answer;
    EXPECT_EQ(d.shown(), std::string(kPrompt) + std::string(answer) + "\n") << answer;
  }
  // Further on, a slash is no exit but a character the mask may not hold.
  Dialogue later({"0/01", "1"});
  EXPECT_EQ(later.status, -1);
  EXPECT_EQ(later.mask.length, 1);
  EXPECT_NE(later.shown().find("*** BAD MASK! ONLY 0, 1, 2 AND 3 ALLOWED! ***"), std::string::npos);
}

TEST(Askmask, HelpPagesUntilNo) {
  // "H", then "n" after page 1; "h" again, on to page 3, then "N".
  Dialogue d({"H", "n", "h", "", "y", "N", "0001"});
  EXPECT_EQ(d.mask.length, 4);
  const std::string& shown = d.shown();
  const std::string more = "\n    More help? Y/N: ";
  EXPECT_EQ(shown.find(std::string(kPrompt) + "H\n \n\n    The climate mask controls"), 0U);
  std::size_t n = 0;
  for (std::size_t p = shown.find(more); p != std::string::npos; p = shown.find(more, p + 1)) ++n;
  EXPECT_EQ(n, 4U);
  EXPECT_NE(shown.find("Seasons are created"), std::string::npos);
  EXPECT_NE(shown.find("A mix of seasons"), std::string::npos);
  EXPECT_EQ(shown.find("Any months can be skipped"), std::string::npos);
}

TEST(Askmask, PauseAfterTheLastPage) {
  Dialogue d({"h", "y", "y", "y", "y", "pressed", "2"});
  EXPECT_EQ(d.mask.length, 1);
  const std::string& shown = d.shown();
  const std::string end = "    If not, try using your bloody brain for a change!!!\n\n  \npressed\n";
  const auto at = shown.find(end);
  ASSERT_NE(at, std::string::npos);
  EXPECT_EQ(shown.substr(at + end.size()), std::string(kPrompt) + "2\n \n");
}

}  // namespace
}  // namespace arb
