// SPDX-License-Identifier: GPL-3.0-or-later
// Test helpers: descriptors and compiled code in a compact, readable form.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "format.h"

namespace arb::rt::test {

// "I5.1", "F4.1", "E15.6E2", "A80", "X1", "T45", "'MN:'", "End", ...
inline std::string describe(const Descriptor& d) {
  auto wd = [&](const char* name) { return name + std::to_string(d.w) + "." + std::to_string(d.d); };
  auto wde = [&](const char* name) { return wd(name) + "E" + std::to_string(d.e); };
  auto n = [&](const char* name) { return name + std::to_string(d.n); };
  switch (d.op) {
    case Op::End: return "End";
    case Op::I: return "I" + std::to_string(d.w) + "." + std::to_string(d.m);
    case Op::B: return "B" + std::to_string(d.w) + "." + std::to_string(d.m);
    case Op::O: return "O" + std::to_string(d.w) + "." + std::to_string(d.m);
    case Op::Z: return "Z" + std::to_string(d.w) + "." + std::to_string(d.m);
    case Op::F: return wd("F");
    case Op::QF: return wd("Q");
    case Op::E: return wde("E");
    case Op::D: return wde("D");
    case Op::ES: return wde("ES");
    case Op::EN: return wde("EN");
    case Op::G: return wde("G");
    case Op::ED: return wde("ED");
    case Op::GD: return wde("GD");
    case Op::L: return "L" + std::to_string(d.w);
    case Op::A: return "A" + std::to_string(d.w);
    case Op::T: return n("T");
    case Op::TL: return n("TL");
    case Op::TR: return n("TR");
    case Op::X: return n("X");
    case Op::P: return n("P");
    case Op::Slash: return n("/");
    case Op::Text: return "'" + std::string(d.text) + "'";
    case Op::SP: return "SP";
    case Op::SS: return "SS";
    case Op::BN: return "BN";
    case Op::BZ: return "BZ";
    case Op::Colon: return ":";
    case Op::Dollar: return "$";
    case Op::Q: return "Q";
    case Op::GroupOpen: return "(";
    case Op::GroupClose: return ")";
  }
  return "?";
}

// Expected compiled code, spelled out piece by piece.
class Code {
 public:
  Code& op(Op o) { bytes_.push_back(static_cast<std::uint8_t>(o)); return *this; }
  Code& i32(std::int32_t v) {
    auto u = static_cast<std::uint32_t>(v);
    for (int shift = 24; shift >= 0; shift -= 8) bytes_.push_back(static_cast<std::uint8_t>(u >> shift));
    return *this;
  }
  Code& u8(std::uint8_t v) { bytes_.push_back(v); return *this; }
  Code& chars(std::string_view s) { bytes_.insert(bytes_.end(), s.begin(), s.end()); return *this; }
  // op followed by 32-bit operands
  Code& ins(Op o, std::initializer_list<std::int32_t> args) {
    op(o);
    for (auto a : args) i32(a);
    return *this;
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace arb::rt::test
