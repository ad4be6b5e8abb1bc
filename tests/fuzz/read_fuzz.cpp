// SPDX-License-Identifier: GPL-3.0-or-later
// A formatted read of any record under any format.  The input is the
// format text, a LF, and the record (read as a character field, as the
// program reads its data lines).  The first byte of the format line chooses
// the items: the year and twelve months of a data line, a 120-character
// line, a mixture of every item kind and size, or a free-format data line.
// Every read has both branches, so whatever the text it must come back
// with an outcome.  A data line is also scanned straight from its bytes,
// as a file's lines are read ahead: wherever the scan answers, the
// statement must give the same values to the bit.
#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "data_line_scan.h"
#include "flat_plan.h"
#include "io.h"
#include "units.h"
#include "tests/support/fake_console.h"
#include "tests/support/test_items.h"

namespace {

using namespace arb::rt;

void require(bool ok) {
  if (!ok) std::abort();
}

constexpr std::size_t kWidth = 120;

bool same_bits(const std::array<float, 12>& a, const std::array<float, 12>& b) {
  return std::equal(a.begin(), a.end(), b.begin(),
                    [](float x, float y) { return std::bit_cast<std::uint32_t>(x) == std::bit_cast<std::uint32_t>(y); });
}

// The line as the reader holds it: its first 120 columns, blank-padded.
std::string held(std::string_view record) {
  std::string line(record.substr(0, std::min(record.size(), kWidth)));
  line.resize(kWidth, ' ');
  return line;
}

bool plain(std::string_view record) {
  return record.find_first_of("\t\r\n") == std::string_view::npos && record.size() <= kRecordColumns;
}

bool blank(std::string_view line) { return line.find_first_not_of(' ') == std::string_view::npos; }

Outcome data_line(std::string_view format, std::string_view record) {
  const std::string line = held(record);
  std::int32_t year = 0;
  std::array<float, 12> months{};
  const Outcome out = read(field(line), format, kErrEnd, year, std::span<float>(months));
  TranslatedFormat* t = layer().formats.get(format);
  if (!plain(record) || !t || t->rc != 0) return out;
  std::int32_t y = 0;
  std::array<float, 12> m{};
  const FlatPlan plan = make_flat_plan(t->compiled, 12, kWidth);
  const Scan scan = scan_fixed(record, plan, y, m.data());
  if (scan == Scan::blank) require(blank(line));
  if (scan == Scan::other) require(out == Outcome::error);
  if (scan == Scan::data) require(out == Outcome::ok && y == year && same_bits(m, months));
  return out;
}

Outcome free_data_line(std::string_view record) {
  const std::string line = held(record);
  float first = 0.0f;
  std::array<float, 12> months{};
  const Outcome out = read_list(field(line), kErrEnd, first, std::span<float>(months));
  if (!plain(record)) return out;
  float f = 0.0f;
  std::array<float, 12> m{};
  const Scan scan = scan_free(record, kWidth, f, m.data(), m.size());
  if (scan == Scan::blank) require(blank(line));
  if (scan == Scan::data) {
    require(out == Outcome::ok && std::bit_cast<std::uint32_t>(f) == std::bit_cast<std::uint32_t>(first) &&
            same_bits(m, months));
  }
  return out;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned selector = data[0] % 4;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t nl = input.find('\n');
  const std::string_view format = input.substr(0, nl);
  const std::string_view record = nl == std::string_view::npos ? std::string_view{} : input.substr(nl + 1);

  Outcome out = Outcome::ok;
  if (selector == 0) {
    out = data_line(format, record);
  } else if (selector == 3) {
    out = free_data_line(record);
  } else if (selector == 1) {
    std::array<char, 120> line{};
    out = read(field(record), format, kErrEnd, line);
  } else {
    std::int16_t i2 = 0;
    std::int64_t i8 = 0;
    double r8 = 0.0;
    std::int32_t l4 = 0;
    std::array<char, 7> chars{};
    float r4 = 0.0f;
    Statement s(Statement::Dir::read, field(record), format, false, kErrEnd);
    s.get(in_int16(i2));
    s.get(in_int64(i8));
    s.get(in_real8(r8));
    s.get(in_logical(l4));
    s.get(in_chars(chars.data(), chars.size()));
    s.get(in_real(r4));
    out = s.finish();
  }
  require(out == Outcome::ok || out == Outcome::error || out == Outcome::end);
  // The formats of one input stay for the next; a fresh layer each time
  // keeps the inputs independent.
  arb::testing::reset_layer();
  return 0;
}
