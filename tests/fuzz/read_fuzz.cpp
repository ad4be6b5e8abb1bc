// SPDX-License-Identifier: GPL-3.0-or-later
// A formatted read of any record under any format.  The input is the
// format text, a LF, and the record (read as a character field, as the
// program reads its data lines).  The first byte of the format line chooses
// the items: the year and twelve months of a data line, a 120-character
// line, or a mixture of every item kind and size.  Every read has both
// branches, so whatever the text it must come back with an outcome.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string_view>

#include "io.h"
#include "units.h"

namespace {

using namespace arb::rt;

void require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned selector = data[0] % 3;
  const std::string_view input(reinterpret_cast<const char*>(data + 1), size - 1);
  const std::size_t nl = input.find('\n');
  const std::string_view format = input.substr(0, nl);
  const std::string_view record = nl == std::string_view::npos ? std::string_view{} : input.substr(nl + 1);

  Outcome out = Outcome::ok;
  if (selector == 0) {
    std::int32_t year = 0;
    std::array<float, 12> months{};
    out = read(field(record), format, kErrEnd, year, std::span<float>(months));
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
  layer().reset();
  return 0;
}
