// SPDX-License-Identifier: GPL-3.0-or-later
// trans_format and setformat on any text.  The first byte chooses the
// kinds of the items that ask for descriptors; the rest is the format text.
// Checked: the translation ends with opcode 0 and is the same every time; a format translated before delivers exactly what a
// fresh translation delivers; delivered data descriptors have sane widths.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "errors.h"
#include "format.h"

namespace {

using arb::rt::CompiledFormat;
using arb::rt::Descriptor;
using arb::rt::FormatEngine;
using arb::rt::IoError;
using arb::rt::ItemKind;
using arb::rt::ItemType;
using arb::rt::Op;

void require(bool ok) {
  if (!ok) std::abort();
}

ItemType item_for(unsigned bits) {
  switch (bits & 3u) {
    case 0: return {ItemKind::Integer, 4, 0};
    case 1: return {ItemKind::Real, 4, 0};
    case 2: return {ItemKind::Character, 0, 80};
    default: return {ItemKind::Real, 8, 0};
  }
}

// What one engine delivers for the items, as a flat record of opcodes and
// operands; a failure ends it with its number.  Descriptors that transfer
// nothing are counted against a budget, so that a group repeated a billion
// times costs the harness nothing (its cost is the read target's concern).
std::vector<std::int64_t> walk(FormatEngine& e, unsigned selector) {
  std::vector<std::int64_t> seen;
  constexpr int kItems = 40;
  constexpr int kControlBudget = 4000;
  int controls = 0;
  try {
    for (int k = 0; k < kItems; ++k) {
      const ItemType item = item_for(selector >> (2 * (k % 4)));
      for (;;) {
        const Descriptor d = e.setformat(item);
        seen.push_back(static_cast<std::int64_t>(d.op));
        if (arb::rt::is_data(d.op)) {
          require(d.w >= 0);
          seen.insert(seen.end(), {d.w, d.d, d.m, d.e});
          break;
        }
        seen.insert(seen.end(), {d.n, static_cast<std::int64_t>(d.text.size())});
        if (++controls > kControlBudget) return seen;
      }
    }
    Descriptor d;
    while (e.nextformat(d) && d.op != Op::Colon) {
      seen.push_back(static_cast<std::int64_t>(d.op));
      if (++controls > 2 * kControlBudget) break;
    }
  } catch (const IoError& err) {
    seen.push_back(-err.code);
  }
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const unsigned selector = data[0];
  const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

  CompiledFormat a;
  const int rc = arb::rt::trans_format(text, a);
  if (rc == 0) {
    require(!a.code.empty() && a.code.back() == static_cast<std::uint8_t>(Op::End));
  } else {
    require(rc >= 10000 && rc <= 10076);
  }
  CompiledFormat b;
  require(arb::rt::trans_format(text, b) == rc);
  if (rc == 0) require(a.code == b.code);

  FormatEngine fresh;
  require(fresh.init(text) == rc);
  if (rc != 0) return 0;
  FormatEngine shared;
  require(shared.init(a, rc) == 0);
  require(walk(fresh, selector) == walk(shared, selector));
  return 0;
}
