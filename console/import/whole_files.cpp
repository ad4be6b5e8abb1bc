// SPDX-License-Identifier: GPL-3.0-or-later
#include "whole_files.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace arb::import_cli {

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

InputFile::InputFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) throw std::runtime_error(failure(path, errno));
  struct stat st {};
  if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw std::runtime_error(path + ": a folder, not a file");
  }
  if (S_ISREG(st.st_mode) && st.st_size > 0) {
    mapped_ = static_cast<std::size_t>(st.st_size);
    map_ = ::mmap(nullptr, mapped_, PROT_READ, MAP_PRIVATE, fd, 0);
    if (map_ == MAP_FAILED) {
      map_ = nullptr;
      mapped_ = 0;
    } else {
      ::madvise(map_, mapped_, MADV_SEQUENTIAL);
      bytes_ = std::string_view(static_cast<const char*>(map_), mapped_);
    }
  }
  if (!map_) {
    char buf[1 << 16];
    for (;;) {
      const ssize_t n = ::read(fd, buf, sizeof buf);
      if (n < 0 && errno == EINTR) continue;
      if (n < 0) {
        const int err = errno;
        ::close(fd);
        throw std::runtime_error(failure(path, err));
      }
      if (n == 0) break;
      copy_.append(buf, static_cast<std::size_t>(n));
    }
    bytes_ = copy_;
  }
  ::close(fd);
}

InputFile::~InputFile() {
  if (map_) ::munmap(map_, mapped_);
}

void InputFile::passed(std::size_t n) const {
  if (!map_) return;
  const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
  // The mapping is private and read-only: a page given back is read from
  // the file again should it be touched.
  ::madvise(map_, n / page * page, MADV_DONTNEED);
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
    const bool ok = write_all(fd, text) && ::fsync(fd) == 0;
    const int err = errno;
    if (::close(fd) != 0 || !ok) {
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
