// SPDX-License-Identifier: GPL-3.0-or-later
#include "layout.h"

#include "station.h"
#include "text.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unordered_set>

namespace arb::import {

namespace {

// The record holds 120 characters: the year in 4 columns and 12 fields.
constexpr int kYearWidth = 4, kLineWidth = 120;

std::string plain(double v, int decimals) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*f", decimals, v == 0 ? 0.0 : v);
  std::string s = buf;
  if (s.find_first_not_of("-0.") == std::string::npos && s[0] == '-') s.erase(0, 1);  // -0.00
  return s;
}

}  // namespace

std::string field(double v, int width, int decimals) {
  std::string s = plain(v, decimals);
  if (static_cast<int>(s.size()) < width) s.insert(0, static_cast<std::size_t>(width) - s.size(), ' ');
  return s;
}

Layout choose_layout(const std::vector<Station>& stations) {
  Layout l;
  for (const Station& s : stations) l.decimals = std::max(l.decimals, s.decimals);
  std::size_t widest = 0;
  // The values as the program will read them: 32-bit reals.
  std::unordered_set<float> kept;
  for (const Station& s : stations) {
    for (const auto& [year, row] : s.years) {
      for (double v : row.value) {
        if (!has_value(v)) continue;
        const std::string text = plain(v, l.decimals);
        widest = std::max(widest, text.size());
        kept.insert(std::strtof(text.c_str(), nullptr));
      }
    }
  }
  // A flag of nines below every value: -99.90, -999.90, ...
  std::string flag;
  for (int nines = 2; nines < 12; ++nines) {
    flag = "-" + std::string(static_cast<std::size_t>(nines), '9') + "." + "9" +
           std::string(static_cast<std::size_t>(l.decimals - 1), '0');
    if (!kept.count(std::strtof(flag.c_str(), nullptr))) break;
  }
  widest = std::max(widest, flag.size());
  l.width = static_cast<int>(widest) + 1;
  // Touching fields still read by columns when one blank more does not fit.
  if (kYearWidth + 12 * l.width > kLineWidth) l.width = static_cast<int>(widest);
  if (kYearWidth + 12 * l.width > kLineWidth) {
    throw ImportError("values of " + std::to_string(widest) + " characters (" + std::to_string(l.decimals) +
                      " decimals) do not fit twelve to a data line of 120 characters");
  }
  l.flag = flag;
  l.own_format = "(I4,12F" + std::to_string(l.width) + "." + std::to_string(l.decimals) + ")";
  return l;
}

}  // namespace arb::import
