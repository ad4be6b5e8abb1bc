// SPDX-License-Identifier: GPL-3.0-or-later
// format_init, setformat and nextformat: the walk over a compiled format
// while a statement transfers its items.

#include <algorithm>
#include <climits>

#include "errors.h"
#include "format.h"

namespace arb::rt {

namespace {

// One instruction of the compiled format, read back.
struct Instr {
  Descriptor desc;
  std::int32_t repeat = 1;  // of a data descriptor or a group
};

class Decoder {
 public:
  Decoder(const std::vector<std::uint8_t>& code, std::size_t& pc) : code_(code), pc_(pc) {}

  std::int32_t int32() {
    std::uint32_t u = 0;
    for (int k = 0; k < 4; ++k) u = (u << 8) | code_[pc_++];
    return static_cast<std::int32_t>(u);
  }
  std::int32_t byte() { return code_[pc_++]; }

  Instr next() {
    Instr in;
    Descriptor& d = in.desc;
    d.op = static_cast<Op>(code_[pc_]);
    if (d.op == Op::End) return in;  // stays at the end
    ++pc_;
    const Operands layout = traits(d.op).operands;
    switch (layout) {
      case Operands::None:
        break;
      case Operands::N:
        d.n = int32();
        break;
      case Operands::R:
        in.repeat = int32();
        break;
      case Operands::Text: {
        const auto len = static_cast<std::size_t>(int32());
        d.text = std::string_view(reinterpret_cast<const char*>(code_.data() + pc_), len);
        pc_ += len;
        break;
      }
      default:  // r, w, then m, or d and perhaps e
        in.repeat = int32();
        d.w = int32();
        if (layout == Operands::RWM) d.m = int32();
        if (layout == Operands::RWD || layout == Operands::RWDE) d.d = int32();
        if (layout == Operands::RWDE) d.e = byte();
        break;
    }
    return in;
  }

 private:
  const std::vector<std::uint8_t>& code_;
  std::size_t& pc_;
};

// Fills in what the format left to the item: the width (and for reals the
// digits) where none was written; -1 (I0, F0.d) becomes 0, as wide as needed.
Descriptor for_item(Descriptor d, const ItemType& item) {
  if (d.w == 0) {
    switch (d.op) {
      case Op::I:
      case Op::B:
      case Op::O:
      case Op::Z: {
        const bool small = item.kind != ItemKind::Real && item.kind != ItemKind::Character && item.size <= 2;
        d.w = small ? 7 : 12;
        break;
      }
      case Op::L:
        d.w = 2;
        break;
      case Op::A: {
        const std::size_t len = item.kind == ItemKind::Character ? item.len : item.size;
        d.w = static_cast<std::int32_t>(std::min<std::size_t>(len, INT32_MAX));
        break;
      }
      default:
        if (traits(d.op).real) {
          if (item.size >= 16) {
            d.w = 41, d.d = 32, d.e = 3;
          } else if (item.size == 8) {
            d.w = 24, d.d = 15, d.e = 3;
          } else {
            d.w = 15, d.d = 6, d.e = 2;
          }
        }
        break;
    }
  } else if (d.w == -1) {
    d.w = 0;
  }
  return d;
}

}  // namespace

void FormatEngine::reset_state() {
  pc_ = 0;
  depth_ = 0;
  entered_group_ = false;
  repeat_ = Descriptor{};
  repeat_left_ = 0;
  data_since_end_ = true;
  reading_ = false;
}

int FormatEngine::init(std::string_view text) {
  reset_state();
  shared_ = nullptr;
  const int rc = trans_format(text, own_);
  if (rc != 0) own_.code.assign(1, static_cast<std::uint8_t>(Op::End));  // harmless if used anyway
  return rc;
}

int FormatEngine::init(const CompiledFormat& compiled, int rc) {
  reset_state();
  shared_ = &compiled;
  if (rc != 0) {
    own_.code.assign(1, static_cast<std::uint8_t>(Op::End));
    shared_ = nullptr;
  }
  return rc;
}

void FormatEngine::open_group(std::int32_t count) {
  if (depth_ == kMaxDepth) throw IoError::runtime(Err::GroupOverflow);
  groups_[static_cast<std::size_t>(depth_)] = Group{count, count, pc_};
  ++depth_;
  entered_group_ = true;
}

void FormatEngine::close_group() {
  Group& g = groups_[static_cast<std::size_t>(depth_ - 1)];
  if (--g.left > 0 && !g.acted) {
    g.left = 0;  // nothing was delivered, nor ever would be
  } else if (g.left > 0 && position_ && !g.busy) {
    if (g.mark == *position_) g.left = 0;  // the next repetitions would change nothing
    g.mark = *position_;
  }
  if (g.left > 0) {
    pc_ = g.first;
    g.busy = false;
    g.acted = false;
  } else {
    --depth_;  // entry 0 keeps the last first-level group for reversion
  }
}

void FormatEngine::mark_busy() {
  for (int k = 0; k < depth_; ++k) groups_[static_cast<std::size_t>(k)].busy = true;
}

void FormatEngine::mark_acted() {
  for (int k = 0; k < depth_; ++k) groups_[static_cast<std::size_t>(k)].acted = true;
}

void FormatEngine::revert() {
  if (!entered_group_) {
    pc_ = 0;
    return;
  }
  Group& g = groups_[0];
  g.left = g.count;
  g.busy = false;
  g.acted = false;
  g.mark = kNoMark;
  pc_ = g.first;
  depth_ = 1;
}

Descriptor FormatEngine::setformat(const ItemType& item) {
  if (repeat_left_ > 0) {
    --repeat_left_;
    return for_item(repeat_, item);
  }
  for (;;) {
    const Instr in = Decoder(fmt().code, pc_).next();
    switch (in.desc.op) {
      case Op::GroupOpen:
        open_group(in.repeat);
        continue;
      case Op::GroupClose:
        close_group();
        continue;
      case Op::End:
        // A format whose passes deliver no data descriptor would never
        // take the item.
        if (!data_since_end_) throw IoError::runtime(Err::FormatError);
        data_since_end_ = false;
        revert();
        return in.desc;
      default:
        break;
    }
    if (reading_ && in.desc.op == Op::Q) {  // takes no repeat count
      data_since_end_ = true;
      mark_busy();
      mark_acted();
      return in.desc;
    }
    if (is_data(in.desc.op)) {
      repeat_ = in.desc;
      repeat_left_ = in.repeat - 1;
      data_since_end_ = true;
      mark_busy();
      mark_acted();
      return for_item(in.desc, item);
    }
    if (in.desc.op == Op::Slash || in.desc.op == Op::Q) mark_busy();
    mark_acted();
    return in.desc;
  }
}

bool FormatEngine::nextformat(Descriptor& out) {
  // Items ran out in the middle of a repeated descriptor (five items under
  // 12F6.2): what follows it belongs to items that never came.
  if (repeat_left_ > 0) return false;
  for (;;) {
    std::size_t pc = pc_;
    const Instr in = Decoder(fmt().code, pc).next();
    if (in.desc.op == Op::End || is_data(in.desc.op) || (reading_ && in.desc.op == Op::Q)) return false;
    pc_ = pc;
    if (in.desc.op == Op::GroupOpen) {
      open_group(in.repeat);
    } else if (in.desc.op == Op::GroupClose) {
      close_group();
    } else {
      if (in.desc.op == Op::Slash || in.desc.op == Op::Q) mark_busy();
      mark_acted();
      out = in.desc;
      return true;
    }
  }
}

}  // namespace arb::rt
