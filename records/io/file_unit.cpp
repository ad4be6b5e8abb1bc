// SPDX-License-Identifier: GPL-3.0-or-later
#include "file_unit.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace arb::rt {

namespace {
constexpr std::size_t kReadChunk = 64 * 1024;
constexpr std::size_t kWriteChunk = 8192;

// Only output can go to a FIFO or a character device: a file that is read
// is rewound and backspaced.  Anything else that is not a regular file (a
// block device, a socket) is no file for this program.
bool takes_output_only(mode_t mode) { return S_ISFIFO(mode) || S_ISCHR(mode); }

// O_NONBLOCK: opening a FIFO never waits; it is cleared once open.
int open_fd(const std::string& path, int flags, unsigned mode, bool& writable) {
  flags |= O_CLOEXEC | O_NOCTTY | O_NONBLOCK;
  writable = true;
  int fd = ::open(path.c_str(), flags | O_RDWR, mode);
  if (fd < 0 && (errno == EACCES || errno == EROFS || errno == ETXTBSY) && !(flags & O_EXCL)) {
    int saved = errno;
    fd = ::open(path.c_str(), (flags & ~O_CREAT) | O_RDONLY);
    if (fd < 0) errno = saved;
    writable = false;
  }
  return fd;
}

// Write-only, so that a FIFO's reader receives the output; a FIFO that
// has no reader fails at once (ENXIO).
int open_output_stream(const std::string& path) {
  return ::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
}

// Why the file opened cannot be connected as it was opened (0: it can).
// Decided on the descriptor: the name may stand for another file by now.
int refusal(const struct stat& st, bool readable) {
  if (S_ISDIR(st.st_mode)) return EISDIR;
  if (S_ISREG(st.st_mode)) return 0;
  return readable || !takes_output_only(st.st_mode) ? ESPIPE : 0;
}

int open_flags(OpenStatus status) {
  switch (status) {
    case OpenStatus::New: return O_CREAT | O_EXCL;
    case OpenStatus::Unknown: return O_CREAT;
    case OpenStatus::Replace: return O_CREAT | O_EXCL;
    case OpenStatus::Old: case OpenStatus::Scratch: break;
  }
  return 0;
}

// Widens bytes of a line into rec (CR dropped, tabs to tab stops) until
// rec holds kRecordColumns columns.
void widen(const char* p, std::size_t n, int tab_size, std::string& rec) {
  const std::size_t t = static_cast<std::size_t>(tab_size);
  for (std::size_t i = 0; i < n && rec.size() < kRecordColumns; ++i) {
    const char c = p[i];
    if (c == '\r') continue;
    if (c == '\t')
      rec.append(std::min(t - rec.size() % t, kRecordColumns - rec.size()), ' ');
    else
      rec.push_back(c);
  }
}
}  // namespace

std::unique_ptr<FileUnit> FileUnit::open(const std::string& path, OpenStatus status, unsigned create_mode) {
  if (status == OpenStatus::Scratch) throw IoError::runtime(Err::BadFileSpec);
  if (path.empty()) throw IoError::os(ENOENT);
  // The system would end the name at a NUL: another file would be opened.
  if (path.find('\0') != std::string::npos) throw IoError::os(EINVAL);
  struct stat st{};
  bool exists = ::stat(path.c_str(), &st) == 0;
  if (status == OpenStatus::New && exists) throw IoError::runtime(Err::StatusNew);
  if (status == OpenStatus::Replace && exists) {
    if (::unlink(path.c_str()) != 0) throw IoError::os(errno);
    exists = false;
  }
  // Seen by name first, so that a FIFO to be read is never opened at all
  // (opening it would let its writer go on into nothing).
  const bool stream = exists && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode);
  if (stream && (status == OpenStatus::Old || !takes_output_only(st.st_mode))) throw IoError::os(ESPIPE);
  bool writable = true;
  const int fd = stream ? open_output_stream(path) : open_fd(path, open_flags(status), create_mode, writable);
  if (fd < 0) throw IoError::os(errno);
  int e = ::fstat(fd, &st) != 0 ? errno : refusal(st, !stream);
  if (e == 0 && ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK) != 0) e = errno;
  if (e != 0) {
    ::close(fd);
    throw IoError::os(e);
  }
  // The permissions of a created file are exactly the configured ones,
  // whatever the process umask.
  if (!exists && S_ISREG(st.st_mode)) (void)::fchmod(fd, create_mode);
  return std::unique_ptr<FileUnit>(new FileUnit(fd, path, !stream, writable, S_ISREG(st.st_mode)));
}

FileUnit::FileUnit(int fd, std::string path, bool readable, bool writable, bool regular)
    : fd_(fd), path_(std::move(path)), readable_(readable), writable_(writable), regular_(regular) {}

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
  if (fd_behind_) {
    if (::lseek(fd_, buf_off_ + static_cast<off_t>(blen_), SEEK_SET) < 0) throw IoError::os(errno);
    fd_behind_ = false;
  }
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
  last_start_ = -1;
  if (at_eof_) return false;
  const off_t start = position();
  std::size_t scanned = bpos_;
  const char* nl = nullptr;
  for (;;) {
    // memchr must not see the null data pointer of a buffer never filled
    if (blen_ > scanned)
      nl = static_cast<const char*>(std::memchr(buf_.data() + scanned, '\n', blen_ - scanned));
    if (nl) break;
    if (blen_ - bpos_ >= kReadChunk) {  // a long line: kept in part, never whole
      read_long_record(rec, tab_size);
      last_start_ = start;
      ++records_;
      return true;
    }
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
    rec = std::string_view(p, std::min(n, kRecordColumns));
  } else {
    expanded_.clear();
    widen(p, n, tab_size, expanded_);
    rec = expanded_;
  }
  bpos_ = nl ? end + 1 : end;
  last_start_ = start;
  ++records_;
  return true;
}

// The line's first kRecordColumns columns into expanded_, the rest read
// past chunk by chunk up to its LF or the end of the file.
void FileUnit::read_long_record(std::string_view& rec, int tab_size) {
  expanded_.clear();
  for (;;) {
    const char* p = buf_.data() + bpos_;
    const std::size_t avail = blen_ - bpos_;
    const char* nl = static_cast<const char*>(std::memchr(p, '\n', avail));
    const std::size_t n = nl ? static_cast<std::size_t>(nl - p) : avail;
    if (expanded_.size() < kRecordColumns) widen(p, n, tab_size, expanded_);
    bpos_ += n;
    if (nl) {
      ++bpos_;
      break;
    }
    if (!fill()) break;
  }
  rec = expanded_;
}

std::size_t FileUnit::read_at(off_t offset, std::span<char> bytes) const {
  if (!wbuf_.empty()) return 0;  // the file is not yet what was written
  std::size_t got = 0;
  while (got < bytes.size()) {
    const ssize_t n = ::pread(fd_, bytes.data() + got, bytes.size() - got, offset + static_cast<off_t>(got));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return 0;
    if (n == 0) break;
    got += static_cast<std::size_t>(n);
  }
  return got;
}

void FileUnit::pass_records(off_t last_start, off_t end, std::int64_t count) {
  if (end <= buf_off_ + static_cast<off_t>(blen_)) {
    bpos_ = static_cast<std::size_t>(end - buf_off_);
  } else {  // beyond the buffer: the next fill starts there
    buf_off_ = end;
    bpos_ = blen_ = 0;
    fd_behind_ = true;
  }
  last_start_ = last_start;
  records_ += count;
}

void FileUnit::seek(off_t pos) {
  last_start_ = -1;
  buf_off_ = pos;
  bpos_ = blen_ = 0;
  if (::lseek(fd_, pos, SEEK_SET) < 0) throw IoError::os(errno);
  fd_behind_ = false;
}

void FileUnit::write_record(std::string_view text, bool line_end) {
  if (!writable_) throw IoError::runtime(Err::NotOpenWrite);
  ++epoch_;
  last_start_ = -1;
  if (blen_ > 0 || bpos_ > 0 || fd_behind_) seek(position());  // switch from reading at the logical position
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

void FileUnit::flush_before_wait() {
  if (wbuf_.empty() || failed_) return;
  try {
    flush();
  } catch (const IoError& e) {
    failed_ = e;
  }
}

void FileUnit::flush() {
  if (failed_) {
    const IoError e = *failed_;
    failed_.reset();
    wbuf_.clear();
    throw e;
  }
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
  ++epoch_;
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
  if (records_ > 0) --records_;
  if (last_start_ >= buf_off_ && last_start_ <= position()) {  // still buffered: no seek, no read again
    bpos_ = static_cast<std::size_t>(last_start_ - buf_off_);
    last_start_ = -1;
    return;
  }
  if (last_start_ >= 0) {  // the record just read: its start is known
    seek(last_start_);
    return;
  }
  off_t pos = position();
  if (pos == 0) return;
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
    if (!wbuf_.empty() || failed_) {
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
