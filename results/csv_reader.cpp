// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_reader.h"

#include <cstring>

namespace arb::results {

CsvReader::CsvReader(const std::string& path) : file_(std::fopen(path.c_str(), "rb")), buffer_(1 << 16) {}

CsvReader::~CsvReader() {
  if (file_) std::fclose(file_);
}

int CsvReader::get() {
  if (at_ == end_) {
    end_ = file_ ? std::fread(buffer_.data(), 1, buffer_.size(), file_) : 0;
    at_ = 0;
    if (end_ == 0) return EOF;
  }
  return static_cast<unsigned char>(buffer_[at_++]);
}

// The plain characters that follow in the buffer, a run at a time: most
// fields hold nothing else, and a character at a time is the most of the
// reading.  What ends the run is left for get().
void CsvReader::take_plain(std::string& field) {
  const char* begin = buffer_.data() + at_;
  const char* end = buffer_.data() + end_;
  const char* p = begin;
  while (p != end && *p != ',' && *p != '\n' && *p != '"' && *p != '\r') ++p;
  field.append(begin, p);
  at_ += static_cast<std::size_t>(p - begin);
}

bool CsvReader::next(std::vector<std::string>& row) {
  int c = get();
  if (c == EOF) return false;
  std::size_t n = 0;  // fields of this row; the strings of row are reused
  for (;;) {
    if (row.size() <= n) row.emplace_back();
    std::string& field = row[n++];
    field.clear();
    bool quoted = false;
    for (; c != EOF; c = get()) {
      if (quoted) {
        if (c != '"') {
          field += static_cast<char>(c);
        } else if ((c = get()) == '"') {
          field += '"';
        } else {
          quoted = false;
          if (c == EOF) break;
        }
      }
      if (quoted) continue;
      if (c == ',' || c == '\n' || c == EOF) break;
      if (c == '"') {
        quoted = true;
      } else if (c != '\r') {
        field += static_cast<char>(c);
        take_plain(field);
      }
    }
    if (c != ',') break;
    c = get();
  }
  row.resize(n);
  return true;
}

// A line that ends in the buffer and holds no quote, and no CR but one
// before its end, is its fields as they stand: split where it lies.
bool CsvReader::split_in_place(std::vector<std::string_view>& row) {
  const char* begin = buffer_.data() + at_;
  const auto* line_end = static_cast<const char*>(std::memchr(begin, '\n', end_ - at_));
  if (!line_end) return false;
  const char* end = line_end != begin && line_end[-1] == '\r' ? line_end - 1 : line_end;
  const auto length = static_cast<std::size_t>(end - begin);
  if (std::memchr(begin, '"', length) || std::memchr(begin, '\r', length)) return false;
  row.clear();
  for (const char* p = begin;;) {
    const auto* comma = static_cast<const char*>(std::memchr(p, ',', static_cast<std::size_t>(end - p)));
    row.emplace_back(p, static_cast<std::size_t>((comma ? comma : end) - p));
    if (!comma) break;
    p = comma + 1;
  }
  at_ = static_cast<std::size_t>(line_end + 1 - buffer_.data());
  return true;
}

bool CsvReader::next(std::vector<std::string_view>& row) {
  if (split_in_place(row)) return true;
  if (!next(kept_)) return false;
  row.assign(kept_.begin(), kept_.end());
  return true;
}

}  // namespace arb::results
