// SPDX-License-Identifier: GPL-3.0-or-later
// The items of a read or write statement, as the edit routines see them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace arb::rt {

enum class ItemKind : std::uint8_t { Integer, Real, Character, Logical };

// Type and size of an item: size in bytes for numbers and logicals (1, 2, 4
// or 8 for integers, 4 or 8 for reals), len in characters for a character item.
struct ItemType {
  ItemKind kind = ItemKind::Integer;
  std::uint8_t size = 4;
  std::size_t len = 0;
};

// A value to be written.  Reals are carried as double; a 4-byte real is the
// float widened exactly.
struct OutItem {
  ItemType type;
  std::int64_t i = 0;      // Integer, and Logical (0 false)
  double r = 0.0;          // Real
  std::string_view chars;  // Character
};

// A place to read into: ref points at an object of the given type (for a
// character item, at type.len characters).
struct InItem {
  ItemType type;
  void* ref = nullptr;
};

inline OutItem out_int(std::int64_t v, std::uint8_t size = 4) { return {{ItemKind::Integer, size, 0}, v, 0.0, {}}; }
inline OutItem out_real(float v) { return {{ItemKind::Real, 4, 0}, 0, static_cast<double>(v), {}}; }
inline OutItem out_real8(double v) { return {{ItemKind::Real, 8, 0}, 0, v, {}}; }
inline OutItem out_chars(std::string_view s) { return {{ItemKind::Character, 0, s.size()}, 0, 0.0, s}; }

inline InItem in_int(std::int32_t& v) { return {{ItemKind::Integer, 4, 0}, &v}; }
inline InItem in_int16(std::int16_t& v) { return {{ItemKind::Integer, 2, 0}, &v}; }
inline InItem in_real(float& v) { return {{ItemKind::Real, 4, 0}, &v}; }
inline InItem in_real8(double& v) { return {{ItemKind::Real, 8, 0}, &v}; }
inline InItem in_chars(char* p, std::size_t len) { return {{ItemKind::Character, 0, len}, p}; }

}  // namespace arb::rt
