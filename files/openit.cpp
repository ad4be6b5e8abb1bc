// SPDX-License-Identifier: GPL-3.0-or-later
#include <array>
#include <string_view>

#include "files.h"
#include "io.h"

namespace arb {

namespace {

// The open status for a status letter; empty for an invalid letter.
std::string_view open_status(char letter) {
  switch (letter) {
    case 'O': case 'o': return "OLD    ";
    case 'N': case 'n': return "NEW    ";
    case 'U': case 'u': return "UNKNOWN";
    case 'S': case 's': return "SCRATCH";
    default: return {};
  }
}

// The typed name without its leading and trailing blanks.
std::string_view trimmed(std::string_view text) {
  const auto first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

}  // namespace

void openit(char status, int& unit, int& bail) {
  bail = 0;
  const std::string_view open_as = open_status(status);
  if (open_as.empty()) {
    rt::write(rt::kStar, "(/T5,'*** INCORRECT FILE TYPE ***'/)");
    bail = 1;
    return;
  }
  // Room for the longest line the console gives; the whole name is used,
  // so that no other file than the one typed is ever opened.
  std::array<char, 256> name{};
  for (;;) {
    rt::write(rt::kStar, "(1X,'File name (/ to exit)',T45, '==> ',$)");
    rt::read(rt::kStar, "(A)", rt::kNone, name);
    if (name[0] == '/') {
      bail = 1;
      return;
    }
    const std::string_view path = trimmed({name.data(), name.size()});
    if (!path.empty() && rt::open(unit, path, open_as, rt::kErr) == rt::Outcome::ok) return;
    rt::write(rt::kStar, "(/T5,'*** FILE CANNOT BE OPENED. TRY AGAIN OR BAILOUT', ' ***')");
  }
}

}  // namespace arb
