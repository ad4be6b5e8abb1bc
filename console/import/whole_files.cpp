// SPDX-License-Identifier: GPL-3.0-or-later
#include "whole_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace arb::import_cli {

namespace {

std::string failure(const std::string& path, int err) { return path + ": " + std::strerror(err); }

}  // namespace

InputFile::InputFile(const std::string& path) : path_(path) {
  fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd_ < 0) throw std::runtime_error(failure(path, errno));
  struct stat st {};
  if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd_);
    throw std::runtime_error(path + ": a folder, not a file");
  }
  constexpr std::size_t kHead = 1 << 20;
  head_.resize(kHead);
  std::size_t have = 0;
  while (have < kHead) {
    const std::size_t n = more(head_.data() + have, kHead - have);
    if (n == 0) break;
    have += n;
  }
  head_.resize(have);
}

InputFile::~InputFile() { ::close(fd_); }

std::size_t InputFile::more(char* buffer, std::size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd_, buffer, size);
    if (n >= 0) return static_cast<std::size_t>(n);
    if (errno != EINTR) throw std::runtime_error(failure(path_, errno));
  }
}

std::optional<std::string> write_whole(const std::vector<std::pair<std::string, std::string>>& files) {
  std::vector<std::string> temps;
  auto clean = [&] {
    for (const auto& t : temps) ::unlink(t.c_str());
  };
  for (const auto& [path, text] : files) {
    std::string temp = path + ".XXXXXX";
    const int fd = ::mkstemp(temp.data());
    if (fd < 0) {
      const int err = errno;
      clean();
      return failure(path, err);
    }
    temps.push_back(temp);
    ::fchmod(fd, 0644);
    std::FILE* f = ::fdopen(fd, "w");
    const bool ok = f && std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const int err = errno;
    if (!f) ::close(fd);
    if ((f && std::fclose(f) != 0) || !ok) {
      clean();
      return failure(path, ok ? errno : err);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) {
    if (::rename(temps[i].c_str(), files[i].first.c_str()) != 0) {
      const int err = errno;
      clean();
      return failure(files[i].first, err);
    }
  }
  return std::nullopt;
}

}  // namespace arb::import_cli
