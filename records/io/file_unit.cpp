#include "file_unit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace arb::rt {

namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kWriteChunk = 8192;

int open_fd(const std::string& path, int flags, unsigned mode, bool& writable) {
  writable = true;
  int fd = ::open(path.c_str(), flags | O_RDWR | O_CLOEXEC, mode);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == ETXTBSY) && !(flags & O_EXCL)) {
    int saved = errno;
    fd = ::open(path.c_str(), (flags & ~O_CREAT) | O_RDONLY | O_CLOEXEC);
    if (fd < 0) errno = saved;
    writable = false;
  }
  return fd;
}
}  // namespace

std::unique_ptr<FileUnit> FileUnit::open(const std::string& path, OpenStatus status, unsigned create_mode) {
  if (status == OpenStatus::Scratch) throw IoError::runtime(Err::BadFileSpec);
  if (path.empty()) throw IoError::os(ENOENT);
  struct stat st{};
  bool exists = ::stat(path.c_str(), &st) == 0;
  if (status == OpenStatus::New && exists) throw IoError::runtime(Err::StatusNew);
  if (status == OpenStatus::Replace && exists && ::unlink(path.c_str()) != 0) throw IoError::os(errno);

  int flags = 0;
  switch (status) {
    case OpenStatus::Old: break;
    case OpenStatus::New: flags = O_CREAT | O_EXCL; break;
    case OpenStatus::Unknown: flags = O_CREAT; break;
    case OpenStatus::Replace: flags = O_CREAT | O_EXCL; break;
    case OpenStatus::Scratch: break;
  }
  bool writable = false;
  int fd = open_fd(path, flags, create_mode, writable);
  if (fd < 0) throw IoError::os(errno);
  if (::fstat(fd, &st) != 0) {
    int e = errno;
    ::close(fd);
    throw IoError::os(e);
  }
  if (S_ISDIR(st.st_mode)) {
    ::close(fd);
    throw IoError::os(EISDIR);
  }
  // The permissions of a created file are exactly the configured ones,
  // whatever the process umask.
  if (!exists && S_ISREG(st.st_mode)) (void)::fchmod(fd, create_mode);
  return std::unique_ptr<FileUnit>(new FileUnit(fd, path, writable, S_ISREG(st.st_mode)));
}

FileUnit::FileUnit(int fd, std::string path, bool writable, bool regular)
    : fd_(fd), path_(std::move(path)), writable_(writable), regular_(regular) {}

FileUnit::~FileUnit() {
  if (fd_ >= 0) ::close(fd_);
}

bool FileUnit::fill() {
  if (bpos_ > 0) {
    std::memmove(buf_.data(), buf_.data() + bpos_, blen_ - bpos_);
    buf_off_ += static_cast<off_t>(bpos_);
    blen_ -= bpos_;
    bpos_ = 0;
  }
  if (buf_.size() < blen_ + kReadChunk) buf_.resize(blen_ + kReadChunk);
  for (;;) {
    ssize_t n = ::read(fd_, buf_.data() + blen_, kReadChunk);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw IoError::os(errno);
    blen_ += static_cast<std::size_t>(n);
    return n > 0;
  }
}

bool FileUnit::read_record(std::string_view& rec, int tab_size) {
  if (!wbuf_.empty()) flush();
  rec = {};
  if (at_eof_) return false;
  std::size_t scanned = bpos_;
  const char* nl = nullptr;
  for (;;) {
    // memchr must not see the null data pointer of a buffer never filled
    if (blen_ > scanned)
      nl = static_cast<const char*>(std::memchr(buf_.data() + scanned, '\n', blen_ - scanned));
    if (nl) break;
    scanned = blen_ - bpos_;  // relative: fill() moves the data to the front
    if (!fill()) break;
    scanned += bpos_;
  }
  std::size_t end = nl ? static_cast<std::size_t>(nl - buf_.data()) : blen_;
  if (!nl && end == bpos_) {
    at_eof_ = true;
    return false;
  }
  const char* p = buf_.data() + bpos_;
  std::size_t n = end - bpos_;
  if (n == 0 || (!std::memchr(p, '\t', n) && !std::memchr(p, '\r', n))) {
    rec = std::string_view(p, n);
  } else {
    expanded_.clear();
    for (std::size_t i = 0; i < n; ++i) {
      char c = p[i];
      if (c == '\r') continue;
      if (c == '\t') {
        std::size_t t = static_cast<std::size_t>(tab_size);
        expanded_.append(t - expanded_.size() % t, ' ');
      } else {
        expanded_.push_back(c);
      }
    }
    rec = expanded_;
  }
  bpos_ = nl ? end + 1 : end;
  ++records_;
  return true;
}

void FileUnit::seek(off_t pos) {
  buf_off_ = pos;
  bpos_ = blen_ = 0;
  if (::lseek(fd_, pos, SEEK_SET) < 0) throw IoError::os(errno);
}

void FileUnit::write_record(std::string_view text, bool line_end) {
  if (!writable_) throw IoError::runtime(Err::NotOpenWrite);
  if (blen_ > 0 || bpos_ > 0) seek(position());  // switch from reading at the logical position
  if (cut_pending_) {
    if (regular_ && ::ftruncate(fd_, buf_off_) != 0) throw IoError::os(errno);
    cut_pending_ = false;
  }
  at_eof_ = false;
  for (char c : text)
    if (c != '\r') wbuf_.push_back(c);
  if (line_end) wbuf_.push_back('\n');
  if (wbuf_.size() >= kWriteChunk) flush();
}

void FileUnit::flush() {
  std::size_t done = 0;
  while (done < wbuf_.size()) {
    ssize_t n = ::write(fd_, wbuf_.data() + done, wbuf_.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      int e = errno;
      wbuf_.clear();
      throw IoError::os(e);
    }
    done += static_cast<std::size_t>(n);
  }
  buf_off_ += static_cast<off_t>(done);
  wbuf_.clear();
}

void FileUnit::rewind() {
  flush();
  seek(0);
  at_eof_ = false;
  cut_pending_ = true;
  records_ = 0;
}

void FileUnit::backspace() {
  flush();
  cut_pending_ = true;
  if (at_eof_) {  // back over the end of the file: the next read meets it again
    at_eof_ = false;
    return;
  }
  off_t pos = position();
  if (pos == 0) return;
  if (records_ > 0) --records_;
  // The record read last ends at pos - 1 (its LF) or at pos (a last line
  // without a line end); it starts after the LF before that.
  char c = 0;
  off_t p = pos - 1;
  if (::pread(fd_, &c, 1, p) == 1 && c == '\n') --p;
  char chunk[4096];
  off_t start = 0;
  while (p >= 0) {
    off_t from = p + 1 >= static_cast<off_t>(sizeof chunk) ? p + 1 - static_cast<off_t>(sizeof chunk) : 0;
    ssize_t n = ::pread(fd_, chunk, static_cast<std::size_t>(p + 1 - from), from);
    if (n <= 0) break;
    const void* hit = memrchr(chunk, '\n', static_cast<std::size_t>(n));
    if (hit) {
      start = from + (static_cast<const char*>(hit) - chunk) + 1;
      break;
    }
    p = from - 1;
  }
  seek(start);
}

void FileUnit::close() {
  int fd = fd_;
  fd_ = -1;
  try {
    if (!wbuf_.empty()) {
      fd_ = fd;
      flush();
      fd_ = -1;
    }
  } catch (...) {
    fd_ = -1;
    ::close(fd);
    throw;
  }
  if (::close(fd) != 0 && errno != EINTR) throw IoError::os(errno);
}

}  // namespace arb::rt
