// SPDX-License-Identifier: GPL-3.0-or-later
#include "csv_reader.h"

#include <bit>
#include <cstdint>
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

namespace {

// Eight bytes of the buffer as a word, the first byte lowest.
std::uint64_t word_at(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  if constexpr (std::endian::native == std::endian::big) word = __builtin_bswap64(word);
  return word;
}

// The top bit of each byte of the word that is c, no other bit.
std::uint64_t bytes_equal(std::uint64_t word, char c) {
  constexpr std::uint64_t kLow7 = 0x7f7f7f7f7f7f7f7f;
  const std::uint64_t x = word ^ (0x0101010101010101 * static_cast<unsigned char>(c));
  return ~(((x & kLow7) + kLow7) | x | kLow7);  // no carry crosses a byte
}

// Where the word holds a character that ends a plain run of a line: a
// field's end, the line's end, and what only the field-by-field path reads.
std::uint64_t stops(std::uint64_t word) {
  return bytes_equal(word, ',') | bytes_equal(word, '\n') | bytes_equal(word, '\r') | bytes_equal(word, '"');
}

}  // namespace

// A line that ends in the buffer and holds no quote, and no CR but one
// before its end, is its fields as they stand: split where it lies.  Eight
// bytes at a time, from one stop to the next: a branch per character (or a
// search per field) is most of the time on lines of short fields.  A line
// that ends in the buffer's last few bytes goes field by field.
bool CsvReader::split_in_place(std::vector<std::string_view>& row) {
  const char* const end = buffer_.data() + end_;
  const char* field = buffer_.data() + at_;
  row.clear();
  for (const char* block = field; end - block >= 8; block += 8) {
    for (std::uint64_t found = stops(word_at(block)); found != 0; found &= found - 1) {
      const char* p = block + std::countr_zero(found) / 8;
      if (*p == ',') {
        row.emplace_back(field, static_cast<std::size_t>(p - field));
        field = p + 1;
      } else if (*p == '\n') {
        row.emplace_back(field, static_cast<std::size_t>(p - field - (p != field && p[-1] == '\r')));
        at_ = static_cast<std::size_t>(p + 1 - buffer_.data());
        return true;
      } else if (*p == '"' || p + 1 == end || p[1] != '\n') {
        return false;
      }
    }
  }
  return false;
}

bool CsvReader::next(std::vector<std::string_view>& row) {
  if (split_in_place(row)) return true;
  if (!next(kept_)) return false;
  row.assign(kept_.begin(), kept_.end());
  return true;
}

}  // namespace arb::results
