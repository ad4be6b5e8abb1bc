// SPDX-License-Identifier: GPL-3.0-or-later
// Free-format input of any text into integer, real and character items.
// The first two bytes choose the items (four choices, three bits each: a
// 32-bit or a 16-bit integer, a 32-bit or a 64-bit real, a character field
// of 5 or of 80, two reals, an integer and a real) and the source (bit 15): the rest as one character field, or
// its lines typed on the console, where a value may run over several lines
// and the end of the lines is the end of console input.
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "io.h"
#include "units.h"
#include "tests/support/fake_console.h"

namespace {

using namespace arb::rt;

void require(bool ok) {
  if (!ok) std::abort();
}

struct Items {
  std::int32_t i4 = -7;
  std::int16_t i2 = -7;
  float r4 = -7.0f;
  double r8 = -7.0;
  std::array<char, 5> c5{};
  std::array<char, 80> c80{};

  void take(Statement& s, unsigned kind) {
    switch (kind & 7u) {
      case 0: s.get(in_int(i4)); break;
      case 1: s.get(in_int16(i2)); break;
      case 2: s.get(in_real(r4)); break;
      case 3: s.get(in_real8(r8)); break;
      case 4: s.get(in_chars(c5.data(), c5.size())); break;
      case 5: s.get(in_chars(c80.data(), c80.size())); break;
      case 6: s.get(in_real(r4)); s.get(in_real(r4)); break;
      default: s.get(in_int(i4)); s.get(in_real(r4)); break;
    }
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const unsigned kinds = data[0] | (data[1] << 8);
  const bool console = (kinds & 0x8000u) != 0;
  const std::string_view text(reinterpret_cast<const char*>(data + 2), size - 2);

  static arb::testing::FakeConsole host;
  host.keep_shown = false;
  arb::testing::reset_layer();
  layer().host = &host;
  host.answers.clear();

  Items items;
  try {
    if (console) {
      host.answers = arb::testing::split_lines(text);
      Statement s(Statement::Dir::read, kStar, {}, true, kErr);
      for (int k = 0; k < 4; ++k) items.take(s, kinds >> (3 * k));
      const Outcome out = s.finish();
      require(out == Outcome::ok || out == Outcome::error);
    } else {
      Statement s(Statement::Dir::read, field(text), {}, true, kErrEnd);
      for (int k = 0; k < 4; ++k) items.take(s, kinds >> (3 * k));
      const Outcome out = s.finish();
      require(out == Outcome::ok || out == Outcome::error || out == Outcome::end);
    }
  } catch (const RunEnd& end) {
    // Only the end of console input ends the run, with the report.
    require(console && end.status == -1);
  }
  arb::testing::reset_layer();
  return 0;
}
