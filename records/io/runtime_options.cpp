// SPDX-License-Identifier: GPL-3.0-or-later
#include "runtime_options.h"

#include <array>
#include <cstdlib>

namespace arb::rt {

namespace {

struct Word {
  std::string_view name;
  bool RuntimeOptions::*flag;  // nullptr: accepted, no effect on this build
  bool value;
};

// -maceol, -doseol and -unixeol are accepted: records always end with LF
// here and CR never goes out.  The rest concern transfers this program
// never makes.
constexpr std::array kWords{
    Word{"-defaultcarriage", &RuntimeOptions::default_carriage, true},
    Word{"-noleadzero", &RuntimeOptions::no_lead_zero, true},
    Word{"-fileprompt", &RuntimeOptions::file_prompt, true},
    Word{"-vaxnames", &RuntimeOptions::vax_names, true},
    Word{"-unixnames", &RuntimeOptions::vax_names, false},
    Word{"-connectunit9", &RuntimeOptions::connect_unit9, true},
    Word{"-nounit9", &RuntimeOptions::connect_unit9, false},
    Word{"-printstop", &RuntimeOptions::print_stop, true},
    Word{"-relaxed_input", &RuntimeOptions::relaxed_input, true},
    Word{"-strict_nan_input", &RuntimeOptions::strict_nan_input, true},
    Word{"-maceol", nullptr, false},
    Word{"-doseol", nullptr, false},
    Word{"-unixeol", nullptr, false},
    Word{"-bigendian", nullptr, false},
    Word{"-littleendian", nullptr, false},
    Word{"-reclen32", nullptr, false},
    Word{"-f90nlexts", nullptr, false},
    Word{"-hex_uppercase", nullptr, false},
};

bool is_space(char c) { return c == ' ' || c == '\t'; }

}  // namespace

RuntimeOptions parse_runtime_options(const char* flags, const char* tabsize, const char* umask) {
  RuntimeOptions opt;
  if (flags) {
    std::string_view s(flags);
    std::size_t i = 0;
    while (i < s.size()) {
      while (i < s.size() && is_space(s[i])) ++i;
      if (i == s.size()) break;
      std::size_t j = i;
      while (j < s.size() && !is_space(s[j])) ++j;
      std::string_view word = s.substr(i, j - i);
      const Word* found = nullptr;
      for (const auto& w : kWords)
        if (w.name == word) found = &w;
      if (!found) {
        opt.unknown = std::string(s.substr(i));
        break;
      }
      if (found->flag) opt.*(found->flag) = found->value;
      i = j;
    }
  }
  if (tabsize) {
    char* end = nullptr;
    long t = std::strtol(tabsize, &end, 10);
    if (end != tabsize && *end == '\0' && t > 0 && t <= 1000) opt.tab_size = static_cast<int>(t);
  }
  if (umask) {
    char* end = nullptr;
    long m = std::strtol(umask, &end, 8);
    // Permission bits only: never set-user-ID, set-group-ID or sticky.
    if (end != umask && *end == '\0' && m >= 0 && m <= 07777) opt.create_mode = static_cast<unsigned>(m) & 0777;
  }
  return opt;
}

}  // namespace arb::rt
