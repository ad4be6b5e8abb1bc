// SPDX-License-Identifier: GPL-3.0-or-later
// A CSV file (RFC 4180) read a row at a time through a fixed buffer, so
// that the memory it takes is bounded by its longest row, not its size.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace arb::results {

class CsvReader {
 public:
  explicit CsvReader(const std::string& path);
  ~CsvReader();
  CsvReader(const CsvReader&) = delete;
  CsvReader& operator=(const CsvReader&) = delete;

  bool is_open() const { return file_ != nullptr; }
  // The next row (its fields unquoted); false at the end of the file.
  bool next(std::vector<std::string>& row);
  // The same row as views, valid until the next call: into the buffer
  // where the line lies whole in it with nothing to unquote (most lines),
  // else into strings the reader keeps.
  bool next(std::vector<std::string_view>& row);

 private:
  int get();
  void take_plain(std::string& field);
  bool split_in_place(std::vector<std::string_view>& row);

  std::FILE* file_ = nullptr;
  std::vector<char> buffer_;
  std::size_t at_ = 0, end_ = 0;
  std::vector<std::string> kept_;  // the fields of a row read field by field
};

}  // namespace arb::results
