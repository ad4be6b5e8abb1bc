// SPDX-License-Identifier: GPL-3.0-or-later
// Helpers for the output field tests: descriptors built directly and the
// text that one conversion leaves in a fresh record.
#pragma once

#include <cstdint>
#include <string>

#include "format.h"
#include "output_edit.h"
#include "record.h"
#include "tests/support/test_items.h"

namespace arb::rt::test {

inline Descriptor desc_iw(Op op, std::int32_t w, std::int32_t m = 1) {
  Descriptor d;
  d.op = op;
  d.w = w;
  d.m = m;
  return d;
}

inline Descriptor desc_fw(std::int32_t w, std::int32_t d) {
  Descriptor ds;
  ds.op = Op::F;
  ds.w = w;
  ds.d = d;
  return ds;
}

inline Descriptor desc_n(Op op, std::int32_t n) {
  Descriptor d;
  d.op = op;
  d.n = n;
  return d;
}

inline Descriptor desc_text(std::string_view text) {
  Descriptor d;
  d.op = Op::Text;
  d.text = text;
  return d;
}

inline std::string int_field(std::int64_t v, Descriptor d, EditModes modes = {}) {
  OutRecord rec;
  wiboz_edit(rec, d, modes, v);
  return rec.text;
}

inline std::string real_field(double v, int size, std::int32_t w, std::int32_t d, EditModes modes = {}) {
  OutRecord rec;
  wf_edit(rec, desc_fw(w, d), modes, v, size);
  return rec.text;
}

inline std::string item_field(const OutItem& item, Descriptor d, EditModes modes = {}) {
  OutRecord rec;
  write_item(rec, d, modes, item);
  return rec.text;
}

}  // namespace arb::rt::test
