// Free-format (list-directed) input: values separated by blanks, tabs,
// commas and line ends, with null values, repeat counts and the slash.
#pragma once

#include <cstddef>
#include <string>

#include "records/item.h"
#include "records/record.h"

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

// The state of one free-format read statement.
class ListReader {
 public:
  ListReader(RecordSource& src, InRecord& rec) : src_(src), rec_(rec) {}

  // Gives the next value to the item, or leaves it unchanged for a null
  // value or after a "/".  Throws IoError(IllegalNumeric) and EndOfInput.
  void read_item(const InItem& item);

 private:
  RecordSource& src_;
  InRecord& rec_;
  std::string value_;        // the value text
  bool null_value_ = false;  // the held value is a null value
  bool slash_ = false;       // a "/" ended the read
  long repeat_ = 0;          // items still to receive the held value
  bool sep_pending_ = false; // the last value ended at the end of its record
};

}  // namespace arb::rt
