// SPDX-License-Identifier: GPL-3.0-or-later
#include "input_fast.h"

#include <cstddef>

namespace arb::rt {

bool fast_f_field(InRecord& rec, std::int32_t w, std::int32_t d, const EditModes& modes, float& value) {
  const std::size_t pos = rec.pos;
  const auto width = static_cast<std::size_t>(w);
  if (pos > rec.text.size() || rec.text.size() - pos < width) return false;
  double v = 0.0;
  if (!fast_real(rec.text.substr(pos, width), modes.blank_zero, d, modes.scale, v)) return false;
  rec.pos = pos + width;
  // At most 15 digits under at most 10^22: far inside the range of a
  // float, where to_float is the plain conversion.
  value = static_cast<float>(v);
  return true;
}

}  // namespace arb::rt
