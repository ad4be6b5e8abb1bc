// SPDX-License-Identifier: GPL-3.0-or-later
#include "variable_names.h"

#include <algorithm>

namespace arb::results {

namespace {

constexpr std::string_view kMonths[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                          "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};

// Whole calendar years that the mask reaches beyond its first one.
int lag_of(int length) { return length / 12 - (length % 12 == 0 ? 1 : 0); }

// Month of position p (1-based) with its year relative to the label year.
std::string month_tag(int p, int year_shift) {
  const int year = (p - 1) / 12 + year_shift;
  std::string tag(kMonths[(p - 1) % 12]);
  if (year < 0) tag += "_m" + std::to_string(-year);
  if (year > 0) tag += "_p" + std::to_string(year);
  return tag;
}

std::string season_name(const std::vector<int>& positions, int shift, char closing) {
  if (positions.size() == 1) return month_tag(positions.front(), shift);
  const bool consecutive = positions.back() - positions.front() + 1 == static_cast<int>(positions.size());
  std::string name;
  if (consecutive) {
    name = month_tag(positions.front(), shift) + "_to_" + month_tag(positions.back(), shift);
  } else {
    for (int p : positions) name += (name.empty() ? "" : "_") + month_tag(p, shift);
  }
  return name + (closing == '2' ? "_sum" : "_mean");
}

}  // namespace

std::vector<std::string> variable_names(std::string_view mask) {
  const int length = static_cast<int>(mask.size());
  const bool season = mask.find_first_of("23") != std::string_view::npos;
  const auto first = mask.find_first_not_of('0');
  // A climatic year is labelled with the last calendar year of its span
  // when its months begin in the first one, else with the first.
  const int shift = (first != std::string_view::npos && first < 12) ? -lag_of(length) : 0;
  std::vector<std::string> names;
  std::vector<int> open;
  for (int p = 1; p <= length; ++p) {
    const char c = mask[static_cast<std::size_t>(p - 1)];
    if (c == '0') continue;
    open.push_back(p);
    if (season && c != '2' && c != '3') continue;
    names.push_back(season_name(open, shift, season ? c : '1'));
    open.clear();
  }
  // Distinct positions give distinct names; a guard all the same.
  for (std::size_t i = 0; i < names.size(); ++i) {
    const std::string base = names[i];
    const auto before = names.begin() + static_cast<std::ptrdiff_t>(i);
    for (int n = 2; std::find(names.begin(), before, names[i]) != before; ++n) names[i] = base + "_" + std::to_string(n);
  }
  return names;
}

}  // namespace arb::results
