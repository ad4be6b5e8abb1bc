// SPDX-License-Identifier: GPL-3.0-or-later
#include "flat_plan.h"

#include <algorithm>

#include "errors.h"

namespace arb::rt {

namespace {

// Walks the format as a read statement would for the plan's items.
bool walk(FormatEngine& e, FlatPlan& p) {
  const std::int64_t last = static_cast<std::int64_t>(p.length);
  std::int64_t pos = 0;
  // The engine leaves a group of moves once a repetition changes nothing.
  std::size_t watched = 0;
  e.watch(&watched);
  auto move_to = [&](std::int64_t to) {
    pos = std::clamp<std::int64_t>(to, 0, last);
    watched = static_cast<std::size_t>(pos);
  };
  const ItemType int_item{ItemKind::Integer, 4, 0};
  const ItemType real_item{ItemKind::Real, 4, 0};
  for (std::size_t k = 0; k <= p.reals; ++k) {
    const ItemType& item = k == 0 ? int_item : real_item;
    for (;;) {
      const Descriptor d = e.setformat(item);
      if (d.op == Op::T) {
        move_to(std::int64_t{d.n} - 1);
      } else if (d.op == Op::TL) {
        move_to(pos - d.n);
      } else if (d.op == Op::TR || d.op == Op::X) {
        move_to(pos + d.n);
      } else if (d.op == Op::Text) {
        move_to(pos + static_cast<std::int64_t>(d.text.size()));
      } else if (d.op == Op::BN || d.op == Op::SP || d.op == Op::SS) {
        // the defaults of an internal read, or nothing on input
      } else if (d.op == (k == 0 ? Op::I : Op::F) && d.w > 0) {
        if (pos + d.w > last) return false;  // a short field: the general path's
        p.fields.push_back({static_cast<std::size_t>(pos), static_cast<std::size_t>(d.w), d.d});
        move_to(pos + d.w);
        break;
      } else {
        return false;  // the end of the format, "/", BZ, kP, other fields and items
      }
    }
  }
  // What the end of the statement would still carry out: only moves.
  Descriptor d;
  while (e.nextformat(d) && d.op != Op::Colon)
    if (d.op == Op::Slash) return false;
  return true;
}

}  // namespace

FlatPlan make_flat_plan(const CompiledFormat& compiled, std::size_t reals, std::size_t length) {
  FlatPlan p;
  p.reals = reals;
  p.length = length;
  FormatEngine e;
  e.init(compiled, 0);
  e.set_reading(true);
  try {
    p.usable = walk(e, p);
  } catch (const IoError&) {
    p.usable = false;  // group overflow and the like: the statement reports them
  }
  if (!p.usable) p.fields.clear();
  for (const FlatField& f : p.fields) p.reach = std::max(p.reach, f.col + f.w);
  return p;
}

}  // namespace arb::rt
