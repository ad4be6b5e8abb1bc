// SPDX-License-Identifier: GPL-3.0-or-later
// The climate mask: up to 60 characters, one per month of a climatic year
// that spans up to five calendar years, laid under a ruler of month
// initials.  0 month not used, 1 month used, 2 closes a season as a sum,
// 3 closes a season as an average; a blank ends the mask.
#pragma once

#include <array>
#include <span>
#include <string_view>

namespace arb {

inline constexpr int kMaskMax = 60;

inline constexpr std::string_view IMON = "JFMAMJJASOND";

// The accepted mask, as askmask leaves it and makevars uses it.  makevars
// may turn the selected positions of a mask without 2s and 3s into 2s.
struct ClimateMask {
  std::array<char, kMaskMax> chars{};
  int length = 0;  // positions before the first blank
  int first = 0;   // first selected position (1-based), 0 if none
  bool SEASON = false;  // the mask holds a 2 or a 3
  std::array<char, kMaskMax> ruler{};  // IMON five times

  char at(int p) const { return chars[static_cast<std::size_t>(p - 1)]; }
  char& at(int p) { return chars[static_cast<std::size_t>(p - 1)]; }
};

// What one pass over a typed mask finds.
struct MaskScan {
  int length = 0;
  int selected = 0;  // positions within the length that hold anything but 0
  int first = 0;     // the lowest of them, 0 if none
  bool season = false;
  bool foreign = false;  // a character other than 0, 1, 2, 3 within the length
};

MaskScan scan_mask(std::span<const char, kMaskMax> chars);

// Fills the ruler with the month initials.
void build_ruler(ClimateMask& mask);

// The mask dialogue: asks until a mask is accepted, showing the help pages
// on H.  A "/" in position 1 ends the run.
void askmask(ClimateMask& mask);

// The five help pages, each one format string.
std::string_view help_page(int page);
inline constexpr int kHelpPages = 5;

}  // namespace arb
