// SPDX-License-Identifier: GPL-3.0-or-later
// The pieces of the export's CSV files (RFC 4180, LF line ends, bytes
// passed through as read) and the writing of a file as it is produced.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace arb::results {

// A field: quoted, with quotes doubled, when it holds a comma, a quote or
// a line end.
std::string csv_field(std::string_view text);

// A 32-bit value with the fewest digits that read back to the same float;
// NA for the missing-value flag and for NaN; Inf and -Inf.
std::string csv_value(float v, float flag);
void append_value(std::string& out, float v, float flag);

// The same without a flag: NA only for NaN.
std::string csv_number(float v);
void append_number(std::string& out, float v);

// The same written at a place with room for kNumberRoom characters; the
// end of what was written.
inline constexpr int kNumberRoom = 32;
char* put_value(char* at, float v, float flag);
char* put_number(char* at, float v);

// A file of the export, written through a buffer as it is produced, under
// a temporary name that finish() renames into place: no half-written file
// is ever left under the name.  The first failure is kept and reported by
// finish(); a file not finished is removed.
class OutFile {
 public:
  OutFile(const std::string& dir, const std::string& name);
  ~OutFile();
  OutFile(const OutFile&) = delete;
  OutFile& operator=(const OutFile&) = delete;

  void write(std::string_view text);
  // The failure's message (path and the system's text), if any.
  std::optional<std::string> finish();

 private:
  void flush();

  std::string path_, temp_;
  std::string buffer_;
  int fd_ = -1;
  int error_ = 0;
};

// Writes the text to dir/name as an OutFile.
std::optional<std::string> write_whole(const std::string& dir, const std::string& name, std::string_view text);

// Creates the folder and its parents where missing.
std::optional<std::string> make_folder(const std::string& dir);

}  // namespace arb::results
