// SPDX-License-Identifier: GPL-3.0-or-later
#include "lines_ahead.h"

namespace arb::rt {

LinesAhead::~LinesAhead() { helpers_.stop(); }

void LinesAhead::drop() {
  for (Stretch& s : stretch_) s.close();
  hint_ = nullptr;
}

void LinesAhead::use(ScanLayout layout) {
  drop();
  layout_ = std::move(layout);
}

// A helper's work: a piece of the stretch the reader is in, else of the next.
bool LinesAhead::help() { return now().scan_next(layout_) || later().scan_next(layout_); }

AheadPlace LinesAhead::at(const FileUnit& file, int threads) {
  if (file.epoch() != epoch_) {
    drop();
    epoch_ = file.epoch();
  }
  const off_t pos = file.position();
  Stretch* s = now().holds(pos) ? &now() : move_to(file, pos, threads);
  if (!s) return {};
  const Piece& p = s->piece_at(pos, layout_);
  if (hint_ == &p && hint_index_ < p.lines.size() && p.lines[hint_index_].start == pos) {
    return {s, &p, hint_index_};
  }
  // Anywhere else in the piece (a backspace, a line read by a statement).
  const auto it = std::lower_bound(p.lines.begin(), p.lines.end(), pos,
                                   [](const AheadLine& l, off_t q) { return l.start < q; });
  if (it == p.lines.end() || it->start != pos) return {};
  return {s, &p, static_cast<std::size_t>(it - p.lines.begin())};
}

// On into the next stretch, whose place the one left behind takes as it is
// read anew after it; anywhere else, both read anew from the position.  The
// helpers start with the first stretch that the file fills: a small file is
// read on the reader's thread alone.
Stretch* LinesAhead::move_to(const FileUnit& file, off_t pos, int threads) {
  if (later().holds(pos)) {
    Stretch& left = now();
    now_.store(now_.load(std::memory_order_relaxed) ^ 1, std::memory_order_relaxed);
    left.close();
    if (now().full()) left.fill(file, now().end());
    helpers_.post();
    return &now();
  }
  drop();
  now().fill(file, pos);
  if (!now().holds(pos)) return nullptr;
  if (now().full()) {
    later().fill(file, now().end());
    if (threads > 1 && !helpers_.started()) helpers_.start(threads - 1, [this] { return help(); });
  }
  helpers_.post();
  return &now();
}

}  // namespace arb::rt
