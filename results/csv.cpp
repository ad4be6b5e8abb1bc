// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cmath>
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

void append_number(std::string& out, float v) {
  if (std::isnan(v)) {
    out += "NA";
  } else if (std::isinf(v)) {
    out += v > 0 ? "Inf" : "-Inf";
  } else {
    char buf[32];
    const auto r = std::to_chars(buf, buf + sizeof buf, v);
    out.append(buf, r.ptr);
  }
}

void append_value(std::string& out, float v, float flag) {
  if (v == flag) out += "NA";
  else append_number(out, v);
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
