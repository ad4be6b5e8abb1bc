// SPDX-License-Identifier: GPL-3.0-or-later
// The output of any value under any translated format.  The input is 16
// bytes of values (an integer, a 32-bit real and a 64-bit real, bit for
// bit, so every NaN, infinity and subnormal comes up), one byte that
// chooses the kinds of six items, and the format text.  The record goes to
// the console; a failure ends the "run" with the report, as every write
// of the program would.
//
// The program writes only with its own fixed formats, so a text that asks
// for more than 100,000 descriptors or columns (the product of its numbers)
// is passed over: it would only measure memory and time.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "io.h"
#include "units.h"
#include "tests/support/fake_console.h"
#include "tests/support/test_items.h"

namespace {

using namespace arb::rt;

void require(bool ok) {
  if (!ok) std::abort();
}

// The product of the numbers in the text, blanks dropped first (they do
// not part the digits of a number), capped.
bool too_costly(std::string_view text) {
  std::string packed;
  for (char c : text)
    if (c != ' ') packed.push_back(c);
  double product = 1.0;
  for (std::size_t i = 0; i < packed.size();) {
    if (packed[i] < '0' || packed[i] > '9') {
      ++i;
      continue;
    }
    double n = 0.0;
    while (i < packed.size() && packed[i] >= '0' && packed[i] <= '9') n = n * 10.0 + (packed[i++] - '0');
    product *= n < 1.0 ? 1.0 : n;
    if (product > 1e5) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 17) return 0;
  std::int32_t i4 = 0;
  float r4 = 0.0f;
  double r8 = 0.0;
  std::memcpy(&i4, data, 4);
  std::memcpy(&r4, data + 4, 4);
  std::memcpy(&r8, data + 8, 8);
  const unsigned kinds = data[16];
  const std::string_view format(reinterpret_cast<const char*>(data + 17), size - 17);
  if (too_costly(format)) return 0;

  static arb::testing::FakeConsole host;
  host.keep_shown = false;
  arb::testing::reset_layer();
  layer().host = &host;
  try {
    Statement s(Statement::Dir::write, kStar, format, false, kNone);
    for (int k = 0; k < 6; ++k) {
      switch ((kinds >> k) & 1u ? k % 3 + 3 : k % 3) {
        case 0: s.put(out_int(i4)); break;
        case 1: s.put(out_real(r4)); break;
        case 2: s.put(out_real8(r8)); break;
        case 3: s.put(out_int(static_cast<std::int16_t>(i4), 2)); break;
        case 4: s.put(out_chars("Welcome to ARBORIX")); break;
        default: s.put(out_logical(i4 & 1)); break;
      }
    }
    require(s.finish() == Outcome::ok);
  } catch (const RunEnd& end) {
    require(end.status == -1);
  }
  arb::testing::reset_layer();
  return 0;
}
