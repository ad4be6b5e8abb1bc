// SPDX-License-Identifier: GPL-3.0-or-later
#include "provenance.h"

#include <unistd.h>

#include <climits>
#include <ctime>
#include <filesystem>
#include <system_error>

namespace arb::results {

std::string utc_now() {
  const std::time_t now = std::time(nullptr);
  std::tm tm{};
  gmtime_r(&now, &tm);
  char text[32];
  std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &tm);
  return text;
}

std::string host_name() {
  char name[HOST_NAME_MAX + 1] = {};
  if (::gethostname(name, sizeof name - 1) != 0) return {};
  return name;
}

std::string working_folder() {
  std::error_code ec;
  return std::filesystem::current_path(ec).string();
}

std::string command_text(const std::vector<std::string>& words) {
  std::string text;
  for (const std::string& w : words) {
    if (!text.empty()) text += ' ';
    const bool plain = !w.empty() && w.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                                         "0123456789-_=./,:+@%") == std::string::npos;
    if (plain) {
      text += w;
      continue;
    }
    text += '\'';
    for (char c : w) text += c == '\'' ? std::string("'\\''") : std::string(1, c);
    text += '\'';
  }
  return text;
}

}  // namespace arb::results
