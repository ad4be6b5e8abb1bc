// SPDX-License-Identifier: GPL-3.0-or-later
#include "text.h"

#include "station_import.h"

#include <algorithm>
#include <charconv>
#include <cstring>

namespace arb::import {

Lines::Lines(std::string_view bytes, More more) : rest_(bytes), more_(std::move(more)) {
  const std::string_view head = bytes.substr(0, 1 << 16);
  if (head.find('\n') == std::string_view::npos && head.find('\r') != std::string_view::npos) end_ = '\r';
}

// Keeps the unfinished line and reads more behind it; false at the end.
bool Lines::refill() {
  if (!more_) return false;
  constexpr std::size_t kPiece = 1 << 20;
  std::string kept(rest_);
  buffer_.resize(std::max(kPiece, 2 * kept.size()));
  std::copy(kept.begin(), kept.end(), buffer_.begin());
  const std::size_t got = more_(buffer_.data() + kept.size(), buffer_.size() - kept.size());
  if (got == 0) more_ = nullptr;
  rest_ = std::string_view(buffer_.data(), kept.size() + got);
  return got > 0;
}

bool Lines::next(std::string_view& line) {
  for (;;) {
    const void* at = rest_.empty() ? nullptr : std::memchr(rest_.data(), end_, rest_.size());
    if (at) {
      const auto end = static_cast<std::size_t>(static_cast<const char*>(at) - rest_.data());
      line = rest_.substr(0, end);
      rest_.remove_prefix(end + 1);
      break;
    }
    if (refill()) continue;
    if (rest_.empty()) return false;
    line = rest_;
    rest_ = {};
    break;
  }
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  ++number_;
  return true;
}

std::string_view trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
  return s;
}

bool blank(std::string_view s) { return trim(s).empty(); }

std::vector<std::string_view> split_blanks(std::string_view s) {
  std::vector<std::string_view> out;
  std::size_t i = 0;
  while (i < s.size()) {
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t')) ++i;
    const std::size_t from = i;
    while (i < s.size() && s[i] != ' ' && s[i] != '\t') ++i;
    if (i > from) out.push_back(s.substr(from, i - from));
  }
  return out;
}

std::vector<std::string_view> split_on(std::string_view s, char sep) {
  std::vector<std::string_view> out;
  std::size_t from = 0;
  for (std::size_t i = 0; i <= s.size(); ++i) {
    if (i == s.size() || s[i] == sep) {
      out.push_back(trim(s.substr(from, i - from)));
      from = i + 1;
    }
  }
  return out;
}

std::string lower(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

bool starts_with_nocase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && lower(s.substr(0, prefix.size())) == lower(prefix);
}

std::optional<Decimal> leading_number(std::string_view text, std::size_t* used, char point) {
  char buf[48];
  std::size_t n = 0, i = 0, digits = 0;
  int decimals = 0;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) {
    if (text[i] == '-') buf[n++] = '-';
    ++i;
  }
  auto take_digits = [&](int* count) {
    while (i < text.size() && text[i] >= '0' && text[i] <= '9') {
      if (n < sizeof buf - 1) buf[n++] = text[i];
      ++i;
      ++digits;
      if (count) ++*count;
    }
  };
  take_digits(nullptr);
  if (i < text.size() && text[i] == point) {
    const std::size_t at = i;
    ++i;
    if (n < sizeof buf - 1) buf[n++] = '.';
    take_digits(&decimals);
    if (decimals == 0 && digits == 0) i = at;
  }
  if (digits == 0 || digits > 40) return std::nullopt;
  double v = 0;
  if (std::from_chars(buf, buf + n, v).ec != std::errc()) return std::nullopt;
  if (v == 0) v = 0;  // no negative zero
  if (used) *used = i;
  return Decimal{v, decimals};
}

std::optional<Decimal> whole_number(std::string_view text, char point) {
  text = trim(text);
  std::size_t used = 0;
  auto d = leading_number(text, &used, point);
  if (!d || used != text.size()) return std::nullopt;
  return d;
}

std::optional<long> whole_integer(std::string_view text) {
  text = trim(text);
  long v = 0;
  const char* b = text.data();
  if (!text.empty() && text[0] == '+') ++b;
  const auto r = std::from_chars(b, text.data() + text.size(), v);
  if (text.empty() || r.ec != std::errc() || r.ptr != text.data() + text.size()) return std::nullopt;
  return v;
}

std::optional<long> field_integer(std::string_view line, std::size_t from, std::size_t width) {
  if (from >= line.size()) return std::nullopt;
  return whole_integer(line.substr(from, width));
}

namespace {

// The length of the UTF-8 sequence at s[i], 0 when it is not valid.
std::size_t utf8_length(std::string_view s, std::size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  std::size_t n = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
  if (n == 0 || i + n > s.size() || (n > 1 && c < 0xC2)) return 0;
  for (std::size_t k = 1; k < n; ++k) {
    if ((static_cast<unsigned char>(s[i + k]) >> 6) != 2) return 0;
  }
  return n;
}

bool valid_utf8(std::string_view s) {
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t n = utf8_length(s, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

}  // namespace

std::string to_utf8(std::string_view s) {
  const bool utf8 = valid_utf8(s);
  std::string out;
  for (char ch : s) {
    const auto c = static_cast<unsigned char>(ch);
    if (c < 0x20 || c == 0x7F) {
      out += ' ';
    } else if (c < 0x80 || utf8) {
      out += ch;
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::string utf8_prefix(const std::string& s, std::size_t n) {
  if (s.size() <= n) return s;
  std::size_t cut = n;
  while (cut > 0 && (static_cast<unsigned char>(s[cut]) >> 6) == 2) --cut;
  return s.substr(0, cut);
}

bool looks_binary(std::string_view bytes) {
  const std::string_view head = bytes.substr(0, 4096);
  std::size_t odd = 0;
  for (char ch : head) {
    const auto c = static_cast<unsigned char>(ch);
    if (c == 0) return true;
    if (c < 0x20 && c != '\n' && c != '\r' && c != '\t' && c != '\f') ++odd;
  }
  return odd * 20 > head.size();
}

std::string base_name(const std::string& path) {
  const auto slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

void malformed(const std::string& file, long line, const std::string& expected) {
  std::string where = file;
  if (line > 0) where += ":" + std::to_string(line);
  throw ImportError(where + ": " + expected);
}

}  // namespace arb::import
