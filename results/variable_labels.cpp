// SPDX-License-Identifier: GPL-3.0-or-later
#include "variable_labels.h"

#include <vector>

namespace arb::results {

namespace {

constexpr std::string_view kTags[12] = {"JAN", "FEB", "MAR", "APR", "MAY", "JUN",
                                        "JUL", "AUG", "SEP", "OCT", "NOV", "DEC"};
constexpr std::string_view kMonths[12] = {"January", "February", "March",     "April",   "May",      "June",
                                          "July",    "August",   "September", "October", "November", "December"};

std::vector<std::string_view> parts_of(std::string_view name) {
  std::vector<std::string_view> parts;
  for (std::size_t at = 0;;) {
    const std::size_t end = name.find('_', at);
    parts.push_back(name.substr(at, end - at));
    if (end == std::string_view::npos) return parts;
    at = end + 1;
  }
}

std::string month_word(std::string_view tag) {
  for (int m = 0; m < 12; ++m)
    if (kTags[m] == tag) return std::string(kMonths[m]);
  return std::string(tag);
}

// m1, p2: the calendar year of the month against the label year.
std::string year_words(std::string_view shift) {
  const std::string n(shift.substr(1));
  if (shift[0] == 'm') return n == "1" ? " of the year before" : " of " + n + " years before";
  return n == "1" ? " of the year after" : " of " + n + " years after";
}

bool is_shift(std::string_view part) {
  return part.size() > 1 && (part[0] == 'm' || part[0] == 'p') &&
         part.find_first_not_of("0123456789", 1) == std::string_view::npos;
}

}  // namespace

std::string variable_label(std::string_view name) {
  std::vector<std::string_view> parts = parts_of(name);
  std::string lead;
  if (parts.size() > 1 && (parts.back() == "sum" || parts.back() == "mean")) {
    lead = std::string(parts.back()) + " of ";
    parts.pop_back();
  }
  std::string text;
  for (std::string_view part : parts) {
    if (part == "to") {
      text += " to ";
    } else if (is_shift(part)) {
      text += year_words(part);
    } else {
      if (!text.empty() && !text.ends_with(" to ")) text += ", ";
      text += month_word(part);
    }
  }
  return lead + text;
}

}  // namespace arb::results
