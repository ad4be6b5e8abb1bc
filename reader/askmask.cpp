// SPDX-License-Identifier: GPL-3.0-or-later
// The climate mask dialogue: the prompt under the month ruler, the checks
// of a typed mask, the help pages and the "/" exit.
#include <array>

#include "mask.h"
#include "io.h"

namespace arb {

MaskScan scan_mask(std::span<const char, kMaskMax> chars) {
  MaskScan s;
  for (int p = 1; p <= kMaskMax; ++p) {
    const char c = chars[static_cast<std::size_t>(p - 1)];
    if (c == ' ') break;
    ++s.length;
    if (c == '2' || c == '3') s.season = true;
    if (c < '0' || c > '3') s.foreign = true;
    if (c != '0' && ++s.selected == 1) s.first = p;
  }
  return s;
}

void build_ruler(ClimateMask& mask) {
  for (std::size_t i = 0; i < mask.ruler.size(); ++i) mask.ruler[i] = IMON[i % IMON.size()];
}

namespace {

bool is_help(char c) { return c == 'H' || c == 'h'; }

// Pages 1 to 5; "N" after a page returns to the prompt, anything else goes
// on.  After the last page the run pauses before the prompt comes again.
void show_help() {
  for (int page = 1; page <= kHelpPages; ++page) {
    rt::write(rt::kStar, help_page(page));
    if (page == kHelpPages) break;
    char answer = 'N';
    rt::write(rt::kStar, "(/T5,'More help? Y/N: ',$)");
    rt::read(rt::kStar, "(A)", rt::kNone, answer);
    if (answer == 'N' || answer == 'n') return;
  }
  rt::pause(" ");
}

}  // namespace

void askmask(ClimateMask& mask) {
  for (;;) {
    rt::write(rt::kStar, "(/1X,'Enter the Climate Mask (H for help,', ' / to exit):')");
    rt::write(rt::kStar, "(/1X,A)", std::string_view(mask.ruler.data(), mask.ruler.size()));
    rt::write(rt::kStar, "('>',$)");
    rt::read(rt::kStar, "(60A1)", rt::kNone, rt::CharElements{mask.chars, 1});

    if (mask.at(1) == '/') rt::stop(" ");

    const MaskScan s = scan_mask(mask.chars);
    if (s.length == 0 || s.selected == 0) {
      rt::write(rt::kStar, "(/T5,'*** BAD MASK! NO MONTHS SELECTED! ***')");
      continue;
    }
    const bool help = is_help(mask.at(1));
    // Any other character would close a season without its own month.
    if (!help && s.foreign) {
      rt::write(rt::kStar, "(/T5,'*** BAD MASK! ONLY 0, 1, 2 AND 3 ALLOWED! ***')");
      continue;
    }
    rt::write(rt::kStar, "(' ')");
    if (help) {
      show_help();
      continue;
    }
    mask.length = s.length;
    mask.first = s.first;
    mask.SEASON = s.season;
    return;
  }
}

}  // namespace arb
