// SPDX-License-Identifier: GPL-3.0-or-later
// A file connected to a unit: sequential formatted records over the POSIX
// file calls, with its own read and write buffers.
#pragma once

#include <sys/types.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "errors.h"

namespace arb::rt {

enum class OpenStatus { Old, New, Unknown, Replace, Scratch };

// The columns of a record read from a file that are kept: the rest of its
// line is passed over unstored.  No statement of this program reaches
// beyond column 120 of a file's record (its data lines are read into a
// 120-character field, the preview into 80), so this leaves ample room.
inline constexpr std::size_t kRecordColumns = 4096;

class FileUnit {
 public:
  // Opens the file; throws IoError (system errors, StatusNew, BadFileSpec).
  // Opening read-write falls back to read-only when the file can't be written.
  // A file that cannot be positioned (a FIFO or a character device) is
  // opened for writing only, and only with a status other than OLD: a file
  // to be read must be one the reader can rewind.  A FIFO without a reader
  // is refused rather than waited for.
  static std::unique_ptr<FileUnit> open(const std::string& path, OpenStatus status, unsigned create_mode);
  ~FileUnit();
  FileUnit(const FileUnit&) = delete;
  FileUnit& operator=(const FileUnit&) = delete;

  // Reads the next record into rec: up to LF, every CR dropped, tabs
  // widened to tab stops, at most kRecordColumns columns of it kept.  A
  // last line without a line end is a record.  Returns false at the end of
  // the file.  Throws IoError.  rec views the unit's buffer, valid until the
  // unit's next operation.
  bool read_record(std::string_view& rec, int tab_size);

  // Buffers one record, with or without its line end.  The first write
  // after an open, rewind or backspace cuts the file at that point.
  void write_record(std::string_view text, bool line_end);

  // Up to bytes.size() bytes of the file from `offset` on, without moving
  // the unit: fewer at the end of the file, none on a failure (the
  // statement that reads there meets it).
  std::size_t read_at(off_t offset, std::span<char> bytes) const;
  // Takes `count` records as read when the caller has read them itself
  // (from read_at's bytes): they end at `end` (after the LF of the last),
  // which starts at `last_start`.  Counts them and lets backspace return to
  // the last, as read_record does.
  void pass_records(off_t last_start, off_t end, std::int64_t count);
  // Changes whenever bytes read before may no longer be the file's (a
  // write, a rewind): what was worked out from them is stale.
  std::uint64_t epoch() const { return epoch_; }
  off_t position() const { return buf_off_ + static_cast<off_t>(bpos_); }

  void rewind();
  void backspace();
  void flush();   // throws IoError
  void close();   // flushes and closes; throws IoError from the flush
  // Writes the pending records before the console waits; a failure is
  // kept and thrown by the next flush or close.
  void flush_before_wait();

  bool readable() const { return readable_; }
  bool writable() const { return writable_; }
  // The number of the record read last (1 for the file's first line).
  std::int64_t record_number() const { return records_; }
  const std::string& path() const { return path_; }

 private:
  FileUnit(int fd, std::string path, bool readable, bool writable, bool regular);
  void seek(off_t pos);       // drops the read buffer
  bool fill();                // more bytes into the read buffer; false at the end
  void read_long_record(std::string_view& rec, int tab_size);

  int fd_ = -1;
  std::string path_;
  bool readable_ = true;
  bool writable_ = false;
  bool regular_ = true;
  std::vector<char> buf_;     // read buffer
  std::string expanded_;      // the record read last, where tabs or CR changed it
  std::size_t bpos_ = 0, blen_ = 0;
  off_t buf_off_ = 0;         // file offset of buf_[0]
  bool fd_behind_ = false;    // the descriptor's offset is not buf_off_ + blen_ (records passed over)
  bool at_eof_ = false;
  off_t last_start_ = -1;     // where the record read last starts; -1 after any other operation
  std::string wbuf_;          // pending output
  std::optional<IoError> failed_;  // a flush before a console wait that failed
  bool cut_pending_ = true;
  std::int64_t records_ = 0;  // records read since the start of the file
  std::uint64_t epoch_ = 0;
};

}  // namespace arb::rt
