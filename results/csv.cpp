// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

namespace arb::results {

std::string csv_field(std::string_view text) {
  if (text.find_first_of(",\"\r\n") == std::string_view::npos) return std::string(text);
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '"') quoted += '"';
    quoted += c;
  }
  return quoted + '"';
}

namespace {

// Half the distance from v, a normal float, to its nearer neighbour: a
// decimal closer than that reads back as v.
double half_gap(float v) {
  const auto bits = std::bit_cast<std::uint32_t>(v);
  const std::uint64_t exponent = (bits >> 23) & 0xff;         // v's binade, 2^(exponent - 127)
  const std::uint64_t below = (bits & 0x7fffff) == 0 ? 1 : 0;  // a power of two: the gap below is half
  return std::bit_cast<double>((exponent - 151 - below + 1023) << 52);
}

// Added and taken away, it rounds a double below 2^51 to a whole number.
constexpr double kRound = 6755399441055744.0;  // 1.5 * 2^52

// Most values were read with a decimal or two.  Their shortest form is the
// nearest number of units, tenths or hundredths that reads back as v; below
// 32768 that form is written without an exponent, as to_chars writes it, at a
// fraction of its cost.  Null, and nothing written, for any other value.
char* put_decimal(char* at, float v) {
  if (v == 0.0f) return std::signbit(v) ? std::copy_n("-0", 2, at) : std::copy_n("0", 1, at);
  if (!(std::fabs(v) < 32768.0f) || std::fabs(v) < 0.01f) return nullptr;
  const double half = half_gap(v);
  double scale = 1.0;
  for (int decimals = 0; decimals <= 2; ++decimals, scale *= 10.0) {
    const double exact = double(v) * scale;  // exact: 24 bits times at most 7
    const double m = (exact + kRound) - kRound;  // to the nearest whole number, inline
    if (!(std::fabs(exact - m) < half * scale)) continue;
    char text[16];
    char* p = text + sizeof text;
    auto digits = static_cast<std::uint32_t>(std::fabs(m));
    for (int i = 0; i < decimals; ++i, digits /= 10) *--p = static_cast<char>('0' + digits % 10);
    if (decimals > 0) *--p = '.';
    do *--p = static_cast<char>('0' + digits % 10);
    while ((digits /= 10) != 0);
    if (v < 0.0f) *--p = '-';
    return std::copy(p, text + sizeof text, at);
  }
  return nullptr;
}

}  // namespace

char* put_number(char* at, float v) {
  if (char* end = put_decimal(at, v)) return end;
  if (std::isnan(v)) return std::copy_n("NA", 2, at);
  if (std::isinf(v)) return v > 0 ? std::copy_n("Inf", 3, at) : std::copy_n("-Inf", 4, at);
  return std::to_chars(at, at + kNumberRoom, v).ptr;
}

char* put_value(char* at, float v, float flag) { return v == flag ? std::copy_n("NA", 2, at) : put_number(at, v); }

void append_number(std::string& out, float v) {
  char text[kNumberRoom];
  out.append(text, put_number(text, v));
}

void append_value(std::string& out, float v, float flag) {
  char text[kNumberRoom];
  out.append(text, put_value(text, v, flag));
}

std::string csv_number(float v) {
  std::string s;
  append_number(s, v);
  return s;
}

std::string csv_value(float v, float flag) {
  std::string s;
  append_value(s, v, flag);
  return s;
}

namespace {

constexpr std::size_t kBuffer = 1 << 20;

std::string failure(const std::string& path, int err) { return path + ": " + std::strerror(err); }

bool write_all(int fd, std::string_view text) {
  while (!text.empty()) {
    const ssize_t n = ::write(fd, text.data(), text.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    text.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

OutFile::OutFile(const std::string& dir, const std::string& name)
    : path_(dir + "/" + name), temp_(dir + "/." + name + ".part") {
  fd_ = ::open(temp_.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) error_ = errno;
  buffer_.reserve(kBuffer);
}

OutFile::~OutFile() {
  if (fd_ < 0) return;
  ::close(fd_);
  ::unlink(temp_.c_str());
}

void OutFile::write(std::string_view text) {
  if (error_ != 0) return;
  if (buffer_.size() + text.size() > kBuffer) flush();
  if (text.size() >= kBuffer) {
    if (error_ == 0 && !write_all(fd_, text)) error_ = errno == 0 ? EIO : errno;
  } else {
    buffer_ += text;
  }
}

void OutFile::flush() {
  if (error_ == 0 && !write_all(fd_, buffer_)) error_ = errno == 0 ? EIO : errno;
  buffer_.clear();
}

std::optional<std::string> OutFile::finish() {
  if (fd_ < 0) return failure(path_, error_);
  flush();
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0 && error_ == 0) error_ = errno;
  if (error_ == 0 && ::rename(temp_.c_str(), path_.c_str()) != 0) error_ = errno;
  if (error_ == 0) return std::nullopt;
  ::unlink(temp_.c_str());
  return failure(path_, error_);
}

std::optional<std::string> write_whole(const std::string& dir, const std::string& name, std::string_view text) {
  OutFile f(dir, name);
  f.write(text);
  return f.finish();
}

std::optional<std::string> make_folder(const std::string& dir) {
  for (std::size_t at = dir.find('/', 1); ; at = dir.find('/', at + 1)) {
    const std::string part = dir.substr(0, at);
    if (!part.empty() && ::mkdir(part.c_str(), 0777) != 0 && errno != EEXIST) return failure(part, errno);
    if (at == std::string::npos) break;
  }
  struct stat st {};
  if (::stat(dir.c_str(), &st) != 0) return failure(dir, errno);
  if (!S_ISDIR(st.st_mode)) return failure(dir, ENOTDIR);
  return std::nullopt;
}

}  // namespace arb::results
