// SPDX-License-Identifier: GPL-3.0-or-later
// Free-format (list-directed) input: values separated by blanks, tabs,
// commas and line ends, with null values, repeat counts and the slash.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "item.h"
#include "record.h"

namespace arb::rt {

// Where the records of a free-format read come from.  A file or the console
// can give further records; a character field is one record and cannot.
class RecordSource {
 public:
  virtual ~RecordSource() = default;
  // Replaces rec with the next record (position 0).  Throws EndOfInput at
  // the end of the file or of console input.
  virtual void next_record(InRecord& rec) = 0;
  virtual bool can_read_more() const = 0;
};

// The state of one free-format read statement.  rec holds the statement's
// first record when the reader is made; opts are the statement's.
class ListReader {
 public:
  ListReader(RecordSource& src, InRecord& rec, const InputOptions& opts) : src_(src), rec_(rec), opts_(opts) {}

  // Gives the next value to the item, or leaves it unchanged for a null
  // value or after a "/".  Throws IoError(IllegalNumeric, TypeMismatch)
  // and EndOfInput (also when a character field runs out of values).
  void read_item(const InItem& item);

 private:
  enum class Conversion { A, L, I, Real };
  static constexpr int kEndOfRecord = -1;

  static Conversion setldspec(const ItemType& type);
  void ldinput(const ItemType& type);
  int skipspace(bool more_records);
  void begin_value(int c, const ItemType& type, bool count_allowed);
  void read_quoted(char mark);
  void read_unquoted(const ItemType& type, bool count_allowed);
  void after_blanks();
  void convert(const InItem& item) const;

  RecordSource& src_;
  InRecord& rec_;
  InputOptions opts_;
  std::string value_;          // the value text
  bool null_value_ = false;    // the held value is a null value
  bool slash_ = false;         // a "/" ended the read
  std::int64_t repeat_ = 0;    // items still to receive the held value
  bool sep_pending_ = false;   // the last value ended at the end of its record
};

}  // namespace arb::rt
