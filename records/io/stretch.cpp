// SPDX-License-Identifier: GPL-3.0-or-later
#include "stretch.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace arb::rt {

namespace {

// Lines that the record layer changes before a statement sees them (tabs
// widened, CR dropped, long lines cut) are the statement's.
bool plain(std::string_view line) {
  return line.size() <= kRecordColumns && !std::memchr(line.data(), '\t', line.size()) &&
         !std::memchr(line.data(), '\r', line.size());
}

void scan_line(const ScanLayout& layout, std::string_view line, AheadLine& l, float* v) {
  if (!plain(line)) {
    l.kind = Scan::unknown;
  } else if (layout.format.empty()) {
    float first = 0.0f;
    l.kind = scan_free(line, layout.width, first, v, layout.reals);
    l.year = truncated_year(first);
  } else {
    const bool blank_first = !layout.blank_first_format.empty() && (line.empty() || line[0] == ' ');
    l.kind = scan_fixed(line, blank_first ? layout.blank_first_plan : layout.plan, l.year, v);
  }
}

}  // namespace

void Stretch::fill(const FileUnit& file, off_t base) {
  if (!bytes_) bytes_ = std::make_unique_for_overwrite<char[]>(kBytes);
  base_ = base;
  read_ = file.read_at(base, {bytes_.get(), kBytes});
  const void* last = memrchr(bytes_.get(), '\n', read_);
  const std::size_t lines_end = last ? static_cast<std::size_t>(static_cast<const char*>(last) - bytes_.get()) + 1 : 0;
  end_ = base + static_cast<off_t>(lines_end);
  const std::size_t pieces = (lines_end + kPieceBytes - 1) / kPieceBytes;
  pieces_.store(pieces, std::memory_order_relaxed);
  for (std::size_t k = 0; k < pieces; ++k) piece_[k].done.store(false, std::memory_order_relaxed);
  next_.store(0, std::memory_order_release);
}

void Stretch::close() {
  const std::size_t claimed = std::min(next_.exchange(kClosed, std::memory_order_acq_rel),
                                         pieces_.load(std::memory_order_relaxed));
  for (std::size_t k = 0; k < claimed; ++k) piece_[k].done.wait(false, std::memory_order_acquire);
  base_ = end_ = 0;
  read_ = 0;
}

bool Stretch::scan_next(const ScanLayout& layout) {
  const std::size_t k = next_.fetch_add(1, std::memory_order_acq_rel);
  if (k >= pieces_.load(std::memory_order_relaxed)) return false;
  scan_piece(k, layout);
  piece_[k].done.store(true, std::memory_order_release);
  piece_[k].done.notify_all();
  return true;
}

const Piece& Stretch::piece_at(off_t pos, const ScanLayout& layout) {
  const Piece& p = piece_[static_cast<std::size_t>(pos - base_) / kPieceBytes];
  while (!p.done.load(std::memory_order_acquire)) {
    if (!scan_next(layout)) p.done.wait(false, std::memory_order_acquire);  // a helper has it
  }
  return p;
}

// The lines that start in piece k's bytes: each ends at its line end, which
// the stretch holds.  A piece the memory cannot hold is left empty: its
// lines go to the statements.
void Stretch::scan_piece(std::size_t k, const ScanLayout& layout) {
  Piece& p = piece_[k];
  p.lines.clear();
  const char* const bytes = bytes_.get();
  const auto lines_end = static_cast<std::size_t>(end_ - base_);
  const std::size_t to = std::min(lines_end, (k + 1) * kPieceBytes);
  std::size_t from = k * kPieceBytes;
  if (from > 0) {  // the first line that starts in the piece
    from = static_cast<std::size_t>(static_cast<const char*>(std::memchr(bytes + from - 1, '\n', lines_end - from + 1)) -
                                    bytes) + 1;
  }
  try {
    while (from < to) {
      const auto* nl = static_cast<const char*>(std::memchr(bytes + from, '\n', lines_end - from));
      const auto next = static_cast<std::size_t>(nl - bytes) + 1;
      p.lines.push_back({base_ + static_cast<off_t>(from), static_cast<std::uint32_t>(next - from)});
      from = next;
    }
    p.values.resize(p.lines.size() * layout.reals);
  } catch (const std::bad_alloc&) {
    p.lines.clear();
    return;
  }
  float* v = p.values.data();
  for (AheadLine& l : p.lines) {
    scan_line(layout, text(l), l, v);
    v += layout.reals;
  }
}

}  // namespace arb::rt
