// SPDX-License-Identifier: GPL-3.0-or-later
// Descriptors built by hand, a small formatted-read driver and record
// sources for the input tests.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors.h"
#include "format.h"
#include "input_edit.h"
#include "list_input.h"
#include "tests/support/test_items.h"

namespace arb::rt::testing {

inline Descriptor data(Op op, std::int32_t w, std::int32_t d = 0) {
  Descriptor x;
  x.op = op;
  x.w = w;
  x.d = d;
  return x;
}
inline Descriptor I(std::int32_t w) { return data(Op::I, w); }
inline Descriptor F(std::int32_t w, std::int32_t d) { return data(Op::F, w, d); }
inline Descriptor A(std::int32_t w) { return data(Op::A, w); }
inline Descriptor L(std::int32_t w) { return data(Op::L, w); }
inline Descriptor control(Op op, std::int32_t n = 0) {
  Descriptor x;
  x.op = op;
  x.n = n;
  return x;
}
inline Descriptor text(std::string_view t) {
  Descriptor x;
  x.op = Op::Text;
  x.text = t;
  return x;
}

// A format laid out as a list: repeated descriptors written out.
inline std::vector<Descriptor> times(int r, const Descriptor& d) { return std::vector<Descriptor>(r, d); }
inline std::vector<Descriptor> cat(std::initializer_list<std::vector<Descriptor>> parts) {
  std::vector<Descriptor> out;
  for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
  return out;
}

// The input options the helpers below read under (a statement's, in the
// program); OptionsScope sets them for one test.
inline InputOptions& test_options() {
  static InputOptions options;
  return options;
}

// Reads the items from one record the way a statement walks its format:
// descriptors that transfer nothing are carried out until a data
// descriptor takes the next item.
inline void read_record(std::string_view record, const std::vector<Descriptor>& format,
                        const std::vector<InItem>& items, EditModes modes = {}) {
  modes.input = test_options();
  InRecord rec{record, 0, true};
  std::size_t k = 0;
  for (const InItem& item : items) {
    while (k < format.size() && !is_data(format[k].op) && format[k].op != Op::Q) rposition_spec(rec, format[k++], modes);
    ASSERT_LT(k, format.size()) << "format shorter than the item list";
    read_item(rec, format[k++], modes, item);
  }
}

// The Err number of the IoError that f throws, or 0.
template <typename Fn>
int error_of(Fn&& f) {
  try {
    f();
  } catch (const IoError& e) {
    return e.code;
  }
  return 0;
}
constexpr int kIllegal = static_cast<int>(Err::IllegalNumeric);
constexpr int kMismatch = static_cast<int>(Err::TypeMismatch);

// Sets the input options for one test and puts the defaults back.
struct OptionsScope {
  explicit OptionsScope(InputOptions o) { test_options() = o; }
  ~OptionsScope() { test_options() = {}; }
};

// Records of a file or the console (more records can be read), or of a
// character field (one record only).
class LinesSource final : public RecordSource {
 public:
  LinesSource(std::vector<std::string> lines, bool more) : lines_(std::move(lines)), more_(more) {}
  // Gives the statement's first record.
  void first(InRecord& rec) { next_record(rec); }
  void next_record(InRecord& rec) override {
    if (next_ >= lines_.size() || (!more_ && next_ > 0)) throw EndOfInput{};
    rec.text = lines_[next_++];
    rec.pos = 0;
  }
  bool can_read_more() const override { return more_; }
  std::size_t records_read() const { return next_; }

 private:
  std::vector<std::string> lines_;
  bool more_;
  std::size_t next_ = 0;
};

}  // namespace arb::rt::testing
