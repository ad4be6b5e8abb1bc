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

std::string csv_number(float v) {
  if (std::isnan(v)) return "NA";
  if (std::isinf(v)) return v > 0 ? "Inf" : "-Inf";
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v);
  return std::string(buf, r.ptr);
}

std::string csv_value(float v, float flag) { return v == flag ? "NA" : csv_number(v); }

namespace {

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

std::optional<std::string> write_whole(const std::string& dir, const std::string& name, std::string_view text) {
  const std::string path = dir + "/" + name;
  const std::string temp = dir + "/." + name + ".part";
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return failure(path, errno);
  const bool written = write_all(fd, text);
  int err = errno;
  const bool closed = ::close(fd) == 0;
  if (written && !closed) err = errno;
  if (!written || !closed) {
    ::unlink(temp.c_str());
    return failure(path, err == 0 ? EIO : err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    err = errno;
    ::unlink(temp.c_str());
    return failure(path, err);
  }
  return std::nullopt;
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
