// SPDX-License-Identifier: GPL-3.0-or-later
// Items of kinds and sizes the program itself never reads or writes (8-byte
// integers, logicals), which the edit routines still convert: for their tests
// and the fuzz targets.
#pragma once

#include <cstdint>

#include "item.h"

namespace arb::rt {

inline OutItem out_logical(bool v, std::uint8_t size = 4) { return {{ItemKind::Logical, size, 0}, v ? 1 : 0, 0.0, {}}; }
inline InItem in_int64(std::int64_t& v) { return {{ItemKind::Integer, 8, 0}, &v}; }
inline InItem in_logical(std::int32_t& v) { return {{ItemKind::Logical, 4, 0}, &v}; }

}  // namespace arb::rt
